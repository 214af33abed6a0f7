#include <gtest/gtest.h>

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
