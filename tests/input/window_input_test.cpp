#include <gtest/gtest.h>

#include "screens/cards/carder.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "reading/reading_model.h"
#include "support/game.h"
#include "support/journey.h"
#include "input/window_input.h"

using namespace forms;
using namespace screens;
using input::Key;
using input::WindowInput;
using testing_support::Game;

namespace {

TwipPoint centre(const Form& form, int slot) {
  const TwipRect r = form.controls()[std::size_t(slot)].rect;
  return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace

// Protects the pointer rules every platform shares: a click is a press and
// a release on one control, and a double-click's second press is no click.
TEST(WindowInput, APressAndReleaseOnOneControlClicksAndADoubleClicksSecondPressDoesNot) {
  Game game;
  game.start();
  game.advance(17000);
  Starter& intro = game.form<Starter>();
  WindowInput in(game.program, intro, {400, 75});
  const TwipPoint start = centre(intro, intro.start.slot());

  in.press(start, 0);
  in.release({10, 10});  // slid off before letting go
  EXPECT_TRUE(intro.start.visible());
  in.press(start, 1000);
  in.release(start);
  ASSERT_FALSE(intro.start.visible()) << "Start clicked";
  EXPECT_EQ(intro.talkstep, 1);

  const TwipPoint speech = centre(intro, intro.Talking.slot());
  in.press(speech, 2000);
  in.release(speech);
  in.press(speech, 2300);  // the double-click's second press
  in.release(speech);
  EXPECT_EQ(intro.talkstep, 2) << "one click for a double-click";
  in.press(speech, 2600);  // the press after it starts afresh
  in.release(speech);
  EXPECT_EQ(intro.talkstep, 3);
  in.press(speech, 4000);
  in.cancelPress();  // the window went away under the press
  in.release(speech);
  EXPECT_EQ(intro.talkstep, 3);
}

// Protects the keys: Tab walks the reading order round and round, Space
// clicks the ring's control, and a held key's repeats click nothing.
TEST(WindowInput, TabWalksTheReadingOrderAndSpaceClicksOnceWhileHeld) {
  Game game;
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 8);
  Patternform& pattern = game.form<Patternform>();
  while (pattern.clickson != True) game.advance(600);
  WindowInput in(game.program, pattern);
  EXPECT_FALSE(in.keyboardUsed());
  EXPECT_EQ(in.ring(), -1);
  in.key(Key::Activate, false);
  EXPECT_EQ(pattern.clickpos, 0) << "no ring, nothing clicked";

  std::vector<int> walked;
  for (int i = 0; i < 5; ++i) {
    in.key(Key::Next, false);
    walked.push_back(in.ring());
  }
  const std::vector<int> order = reading::focusOrder(pattern);
  EXPECT_EQ(walked, (std::vector<int>{order[0], order[1], order[2], order[3], order[0]})) << "round to the first";
  in.key(Key::Previous, false);
  EXPECT_EQ(in.ring(), order[3]);

  in.key(Key::Activate, false);
  in.key(Key::Activate, true);
  in.key(Key::Activate, true);
  EXPECT_EQ(pattern.clickpos, 1) << "a held Space is one click";
  EXPECT_TRUE(in.keyboardUsed());
}

// Protects the grid keys: arrows move the ring by rows and columns and stop
// at the edges, Home and End go to the first and last place, and a key of
// the 1/Q/A/Z block clicks its place at once.
TEST(WindowInput, ArrowsHomeEndAndTheKeyBlockReachEveryPlaceOfTheCards) {
  Game game;
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  game.advance(2000);  // the deal turns face down and clicks open
  WindowInput in(game.program, cards);
  auto place = [&] { return reading::arrayPlace(cards, in.ring()); };
  in.key(Key::Right, false);
  EXPECT_EQ(std::pair(place().row, place().column), std::pair(1, 1)) << "the first arrow comes to the grid";
  in.key(Key::Left, false);
  EXPECT_EQ(place().column, 1) << "at the edge the ring stays";
  in.key(Key::Down, false);
  in.key(Key::Right, false);
  EXPECT_EQ(std::pair(place().row, place().column), std::pair(2, 2));
  in.key(Key::End, false);
  EXPECT_EQ(std::pair(place().row, place().column), std::pair(4, 5));
  in.key(Key::Home, false);
  EXPECT_EQ(std::pair(place().row, place().column), std::pair(1, 1));

  ASSERT_TRUE(in.placeKey(2, 3)) << "D: row 3, column 4";
  int turned = -1;
  for (int i = 0; i < 20; ++i) {
    if (!cards.CardImage(i).picture().empty()) turned = cards.CardImage(i).slot();
  }
  ASSERT_GE(turned, 0);
  EXPECT_EQ(std::pair(reading::arrayPlace(cards, turned).row, reading::arrayPlace(cards, turned).column),
            std::pair(3, 4));
  EXPECT_FALSE(in.placeKey(0, 6)) << "no seventh column";
}

// Protects one-switch scanning: in the cards the ring steps row by row, the
// switch (Space or a release anywhere) chooses a row and then clicks a place
// on it; a row passed over without a click gives the rows back. The
// pattern's single row is stepped place by place.
TEST(WindowInput, ScanningStepsRowsThenPlacesAndTheSwitchClicks) {
  Game game;
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  game.advance(2000);
  WindowInput in(game.program, cards);
  in.setScanning(true);
  auto place = [&] {
    const reading::ArrayPlace p = reading::arrayPlace(cards, in.ring());
    return std::pair(p.row, p.column);
  };
  auto areaWidth = [&] { return in.ringArea()->width; };
  std::vector<int> rows;
  for (int i = 0; i < 5; ++i) {
    in.scanStep();
    rows.push_back(place().first);
  }
  EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 4, 1})) << "row by row, round to the first";
  const float card = cards.controls()[std::size_t(in.ring())].rect.width;
  EXPECT_GT(areaWidth(), 4 * card) << "the whole row is outlined";
  EXPECT_EQ(in.ringToSpeech(), -1) << "the cards' remarks take no click";
  EXPECT_GT(areaWidth(), 4 * card) << "still the row, for a window that came up";

  in.scanStep();  // row 2
  in.key(Key::Activate, false);
  EXPECT_EQ(place(), std::pair(2, 1));
  EXPECT_FLOAT_EQ(areaWidth(), cards.controls()[std::size_t(in.ring())].rect.width) << "its first card alone";
  for (int i = 0; i < 5; ++i) in.scanStep();
  EXPECT_EQ(place(), std::pair(2, 1)) << "past the row's end, the row again";
  EXPECT_GT(areaWidth(), 4 * card);
  in.scanStep();
  EXPECT_EQ(place().first, 3);

  in.release({1, 1});  // a release with no press is no switch
  EXPECT_GT(areaWidth(), 4 * card);
  in.press({1, 1}, 0);  // far from any card: anywhere is the switch
  in.release({1, 1});
  in.scanStep();
  in.scanStep();
  EXPECT_EQ(place(), std::pair(3, 3));
  const int chosen = in.ring();
  in.press({1, 1}, 1000);
  in.release({1, 1});
  EXPECT_FALSE(cards.controls()[std::size_t(chosen)].picture.empty()) << "the card turned";
  EXPECT_EQ(place(), std::pair(3, 1)) << "back to choosing a row, from its stop";
  EXPECT_GT(areaWidth(), 4 * card);

  testing_support::Game second;
  testing_support::reachGuide(second);
  testing_support::handOverAt(second, 8);
  Patternform& pattern = second.form<Patternform>();
  WindowInput buttons(second.program, pattern);
  buttons.setScanning(true);
  buttons.scanStep();
  buttons.scanStep();
  EXPECT_EQ(reading::arrayPlace(pattern, buttons.ring()).column, 2) << "one row: place by place";
}
