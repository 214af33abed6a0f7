#pragma once

// The streams the test's sound server is playing, as its own tool lists
// them; -1 if it cannot be asked.
int streams();
// The streams left once those let go have had time to go.
int streamsOnceSettled();
