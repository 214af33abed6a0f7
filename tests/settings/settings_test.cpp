#include <gtest/gtest.h>

#include <string>

#include "forms/forms.h"

#include "support/game.h"
#include "settings/settings.h"

using settings::Contrast;
using settings::Settings;

namespace {

TEST(Settings, EveryTextFormReadsBackAndBadOnesAreRefusedWithTheirReason) {
  Settings chosen;
  for (auto [name, text] : {std::pair{"pace", "0.25"}, {"scan", "2.5"}, {"contrast", "high"}, {"voice-volume", "0"},
                            {"effects-volume", "73"}}) {
    EXPECT_EQ(settings::apply(chosen, name, text), "") << name;
    EXPECT_EQ(settings::textOf(chosen, name), text) << name;
  }
  EXPECT_EQ(chosen, (Settings{0.25, 2.5, Contrast::High, 0, 73}));
  for (auto [name, text] : {std::pair{"pace", "1"}, {"pace", "0.1"}, {"pace", ".5"}, {"scan", "0"}, {"scan", "5"}}) {
    EXPECT_EQ(settings::apply(chosen, name, text), "") << name << "=" << text;
  }

  const Settings before = chosen;
  for (auto [name, text] : {std::pair{"pace", "0.09"}, {"pace", "2"}, {"pace", "0,5"}, {"pace", ""}, {"pace", "."},
                            {"pace", "-1"}, {"scan", "0.5"}, {"scan", "6"}, {"contrast", "HIGH"},
                            {"voice-volume", "101"}, {"effects-volume", "5.5"}, {"speed", "1"}}) {
    EXPECT_NE(settings::apply(chosen, name, text), "") << name << "=" << text;
  }
  EXPECT_EQ(chosen, before);
  EXPECT_EQ(settings::apply(chosen, "pace", "3"), "pace must be a number from 0.1 to 1, not \"3\"");
}

TEST(Settings, AQueryKeepsWhatReadsAndLeavesTheRestAtItsDefault) {
  Settings chosen;
  settings::applyQuery(chosen, "?pace=0.5&scan=9&contrast=high&junk&voice-volume=&effects-volume=40");
  EXPECT_EQ(chosen, (Settings{0.5, 0, Contrast::High, 100, 40}));
}

// What a child sees of every loaded form, and how many ticks it took.
struct Seen final : forms::Watcher {
  int ticks = 0;
  void eventHandled(forms::Cause cause) override { ticks += cause == forms::Cause::Tick; }
};

std::string screenOf(const forms::Program& program) {
  std::string seen;
  for (int id = 0; id < forms::kFormCount; ++id) {
    const forms::Form* form = program.find(static_cast<forms::FormId>(id));
    if (!form || !form->loaded()) continue;
    seen += std::string(form->name()) + (form->visible() ? "+" : "-");
    for (const forms::ControlState& c : form->controls()) {
      seen += c.text + "|" + std::string(c.picture.name()) + (c.visible ? "v" : "h") + std::to_string(c.interval) + ";";
    }
  }
  return seen;
}

TEST(Pace, EveryScreenPlaysTheSameGameOnAClockTwiceAsSlowWithItsOwnIntervals) {
  using forms::FormId;
  for (FormId id : {FormId::starter, FormId::menu, FormId::carder, FormId::patternform, FormId::hit, FormId::Form1}) {
    testing_support::Game own, slow;
    Seen ownTicks, slowTicks;
    own.program.watch(ownTicks);
    slow.program.watch(slowTicks);
    slow.platform.setPace(0.5);
    for (auto* game : {&own, &slow}) {
      game->start();
      game->program.ref(id).show();
    }
    for (int step = 0; step < 40; ++step) {
      own.advance(700);
      slow.advance(1400);
      ASSERT_EQ(screenOf(slow.program), screenOf(own.program)) << forms::formName(id) << " step " << step;
      ASSERT_EQ(slowTicks.ticks, ownTicks.ticks);
    }
    // Enough ticks that an unpaced slow game would have been far ahead.
    EXPECT_GT(ownTicks.ticks, 20) << forms::formName(id);
  }
  EXPECT_EQ(settings::paced(1000, 0.3), 3333);
}

TEST(Contrast, HighContrastMakesEveryTextOfEveryScreenReadAtFourAndAHalfToOne) {
  testing_support::Game game;
  int texts = 0;
  for (int id = 0; id < forms::kFormCount; ++id) {
    for (const forms::ControlSpec& row : game.program.ref(static_cast<forms::FormId>(id)).spec().controls) {
      if (row.kind != forms::Kind::Label && row.kind != forms::Kind::CommandButton) continue;
      ++texts;
      EXPECT_EQ(settings::textColour(row.foreColour, row.backColour, Contrast::Normal), row.foreColour);
      const forms::Colour high = settings::textColour(row.foreColour, row.backColour, Contrast::High);
      EXPECT_GE(settings::contrastRatio(high, row.backColour), 4.5) << row.name;
      if (settings::contrastRatio(row.foreColour, row.backColour) >= 4.6) {
        EXPECT_EQ(high, row.foreColour) << row.name;
      }
    }
  }
  EXPECT_GE(texts, 20);
  // WCAG's own figures: black on white, and #777 on white, just short of 4.5.
  EXPECT_NEAR(settings::contrastRatio(forms::black, forms::white), 21, 1e-9);
  EXPECT_NEAR(settings::contrastRatio(forms::rgb(0x77, 0x77, 0x77), forms::white), 4.48, 0.01);
}

}  // namespace
