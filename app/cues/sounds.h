#pragma once

#include <array>
#include <string_view>

namespace cues {

// The game's sounds. Their names are the names of the sound files.
enum class Sound {
  card_up,
  card_down,
  pair_found,
  pair_wrong,
  note_0,  // Follow the Pattern's four notes, low to high, left to right
  note_1,
  note_2,
  note_3,
  pop,
  hit,
  miss,
  stage,
  fanfare,
  game_failed,
};

inline constexpr std::array<std::string_view, 14> kSoundNames{
    "card_up", "card_down", "pair_found", "pair_wrong", "note_0", "note_1", "note_2",
    "note_3",  "pop",       "hit",        "miss",       "stage",  "fanfare", "game_failed"};

constexpr std::string_view soundName(Sound sound) { return kSoundNames[static_cast<std::size_t>(sound)]; }

}  // namespace cues
