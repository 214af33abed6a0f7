#pragma once

#include <array>
#include <optional>
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
  baby,  // the baby comes up in a hole: not to be hit
};

inline constexpr std::array<std::string_view, 15> kSoundNames{
    "card_up", "card_down", "pair_found", "pair_wrong", "note_0",      "note_1", "note_2", "note_3",
    "pop",     "hit",       "miss",       "stage",      "fanfare",     "game_failed", "baby"};

constexpr std::string_view soundName(Sound sound) { return kSoundNames[static_cast<std::size_t>(sound)]; }

// A sound as it is to be heard. A sound of a place in a grid says where the
// place is: it sits between the speakers by the place's column (equal power,
// -1 left to 1 right) and may play faster, so higher, by its row. Any other
// sound plays as it was made, in both speakers alike.
struct Cue {
  Sound sound = Sound::card_up;
  std::optional<float> pan;
  float rate = 1;
  float gain = 1;  // the effects' volume, 0 to 1
  friend bool operator==(const Cue&, const Cue&) = default;
};

}  // namespace cues
