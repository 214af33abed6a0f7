#pragma once

#include <functional>
#include <string>

#include "forms/forms.h"

namespace states {

// Called at each telling state with the form to picture and the state's name
// (intro-start, guide, cards-turn...); returns false to stop the walk.
using Shoot = std::function<bool(forms::Program& program, forms::Form& form, const std::string& name)>;

// Plays the game on the headless platform at a fixed time of day through
// every screen's telling states, the same on every run, so that the desktop's
// renders and the browser's show exactly the same moments. Returns false if a
// shot failed.
bool walkScreenStates(const Shoot& shoot);

}  // namespace states
