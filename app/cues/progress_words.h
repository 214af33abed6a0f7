#pragma once

#include <string>
#include <vector>

#include "forms/program.h"

namespace cues {

// How far the child is in the game on screen, in the game's own words: the
// tries left as its remarks count them ("11 trys left."), then the stage
// label as it stands ("Stage  2"), for the games that have stages. Nothing
// while no game is on screen.
std::vector<std::string> progressWords(const forms::Program& program);

}  // namespace cues
