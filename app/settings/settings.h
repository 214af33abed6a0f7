#pragma once

#include <array>
#include <string>
#include <string_view>

#include "forms/style.h"

namespace settings {

enum class Contrast { Normal, High };

// What a grown-up may choose for a child. The defaults are the game as it
// is; nothing here changes a rule or a text, only how fast time runs, how
// the texts are coloured and how loud the sounds are.
struct Settings {
  double pace = 1;  // 1 is the game's own timing, down to 0.1: ten times slower
  double scan = 0;  // seconds the scanning ring stays on a place; 0 for no scanning
  Contrast contrast = Contrast::Normal;
  int voiceVolume = 100;  // 0-100
  int effectsVolume = 100;
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The names a setting goes by on the command line, in the address and in
// storage, each with its text form ("0.5", "high", "80").
inline constexpr std::array<std::string_view, 5> kNames{"pace", "scan", "contrast", "voice-volume", "effects-volume"};

// Takes one setting from its text form. Returns why it was not taken (empty
// when it was): an unknown name, a malformed value or one out of range
// leaves the settings as they were.
std::string apply(Settings& settings, std::string_view name, std::string_view text);
// Takes every `name=value` pair of a query (`a=1&b=2`, a leading `?` allowed),
// skipping what is not understood: a stored or linked setting that no longer
// reads leaves its default rather than stopping the game.
void applyQuery(Settings& settings, std::string_view query);
// The text form of one setting, which `apply` reads back to the same value.
std::string textOf(const Settings& settings, std::string_view name);

// How long a timer of `intervalMs` lasts at this pace, in whole milliseconds.
int paced(int intervalMs, double pace);

// WCAG's contrast ratio of two colours, 1 to 21.
double contrastRatio(forms::Colour a, forms::Colour b);
// The colour a text is drawn in on `back`: its own, or under high contrast
// the nearest shade of it (towards black or white) that reads at 4.5:1.
forms::Colour textColour(forms::Colour fore, forms::Colour back, Contrast contrast);

}  // namespace settings
