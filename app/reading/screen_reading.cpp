#include "screen_reading.h"

namespace reading {

namespace {

using enum forms::FormId;

constexpr ReadingRule kRules[]{
    // The intro: Tobble's bubble is clicked to hear the next sentence.
    {starter, "Talking", Part::Speech},

    // The guide: the chalk ledge is a disabled button with no caption.
    {menu, "Talking", Part::Speech},
    {menu, "Command1", Part::Decoration},

    // Pick the Cards.
    {carder, "CardImage", Part::Card, "nod"},
    {carder, "talking", Part::Speech},
    {carder, {}, Part::LastWordsHeard},

    // Follow the Pattern: each button's light is the shape of the same index.
    {patternform, "clipart", Part::PatternButton, "cover"},
    {patternform, "talking", Part::Speech},
    {patternform, {}, Part::LastWordsHeard},

    // Hit the worm.
    {hit, "hitpic", Part::Hole},
    {hit, "talking", Part::Speech},
    {hit, {}, Part::LastWordsHeard},
};

}  // namespace

bool lastWordsHeard(forms::FormId screen) {
  const ReadingRule* rule = ruleFor(screen, {});
  return rule != nullptr && rule->part == Part::LastWordsHeard;
}

std::string_view holeWord(std::string_view picture) { return picture == "worm apple" ? "apple" : picture; }

std::span<const ReadingRule> readingRules() { return kRules; }

const ReadingRule* ruleFor(forms::FormId screen, std::string_view control) {
  for (const ReadingRule& rule : kRules) {
    if (rule.screen == screen && rule.control == control) return &rule;
  }
  return nullptr;
}

}  // namespace reading
