#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cues {

// One voice clip: its stable key (the clip's file name) and what it says.
struct VoiceLine {
  std::string key;
  std::string spoken;
};

// Every sentence the game can say, one clip each, and the pieces that speak
// a numbered sentence beyond the numbers covered whole (Follow the Pattern's
// and Hit the worm's stages have no end). Sentences that read the same share
// one clip.
const std::vector<VoiceLine>& voiceLines();

// The clips that say a text as the screen shows it: one whole clip when the
// catalogue holds the sentence, else a numbered sentence put together from
// its pieces and number words. Empty for a text the game never shows.
std::vector<std::string> clipsFor(std::string_view written);

}  // namespace cues
