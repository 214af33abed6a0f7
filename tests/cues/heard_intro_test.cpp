#include <gtest/gtest.h>

#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "support/heard_game.h"
#include "support/journey.h"

using namespace forms;
using screens::Menu;
using screens::Starter;
using testing_support::HeardGame;
using Lines = std::vector<std::string>;

// Protects the voice through the intro and the guide: each text said once,
// when it shows on a window on screen, in its final words.

TEST(HeardIntro, EachSentenceIsSaidOnceWhenItShowsAndTheHiddenFarewellWaits) {
  HeardGame game;
  game.start();
  Starter& intro = game.form<Starter>();
  game.advance(3000);
  EXPECT_EQ(game.take(), Lines{}) << "the bubble is shut and Tobble walks in silence";

  game.click(intro.start);
  EXPECT_EQ(game.take(),
            Lines{"say: Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)"});
  game.click(intro.Talking);
  EXPECT_EQ(game.take(), Lines{"say: Where am I going? I am going to my school!  It is a small Christian school!"});
  game.advance(2000);
  EXPECT_EQ(game.take(), Lines{}) << "the walk's ticks change no text";
  game.click(intro.Talking);
  game.click(intro.Talking);
  EXPECT_EQ(game.heard.said().size(), 2u);
  game.take();

  // The farewell is written into the intro as it hides: only the guide speaks.
  game.click(intro.Talking);
  EXPECT_FALSE(intro.visible());
  EXPECT_EQ(game.take(),
            Lines{"say: Welcome to the school! Here is the lesson for today! (Click here to continue)"});

  // Closing the guide brings the intro back, holding its farewell.
  const std::string farewell = intro.Talking.caption();
  game.close(game.form<Menu>());
  EXPECT_EQ(game.take(), Lines{"say: " + farewell});
  game.click(intro.Talking);
  ASSERT_TRUE(game.ended());
  EXPECT_EQ(game.take(), Lines{"silence"}) << "nothing is heard after the end";
}

TEST(HeardIntro, EverySentenceInterruptsTheOneBeforeAndHasItsClip) {
  HeardGame game;
  testing_support::reachGuide(game);
  Menu& guide = game.form<Menu>();
  for (int click = 0; click < 5; ++click) game.click(guide.Talking);
  const auto& cues = game.heard.cues();
  ASSERT_EQ(cues.size(), 9u) << "four sentences of the intro, the welcome and four of the guide (its first click only counts)";
  for (const auto& cue : cues) {
    EXPECT_EQ(cue.turn, cues::Turn::Interrupt) << cue.text();
    EXPECT_EQ(cue.speech.clips.size(), 1u) << cue.text();
  }
  EXPECT_EQ(cues.back().speech.spoken,
            "Your goal is to open two cards that matches exactly! Easy? Let's do it! You have fifteen tries!");
}

TEST(HeardIntro, MutedRunsAreSilentAndMutingStopsTheSentenceBeingSaid) {
  HeardGame game;
  game.start();
  game.click(game.form<Starter>().start);
  game.director.toggleMute();
  EXPECT_EQ(game.take().back(), "silence");
  for (int i = 0; i < 4; ++i) game.click(game.form<Starter>().Talking);
  EXPECT_EQ(game.take(), Lines{});

  // Unmuted, only what changes from then on is said: nothing is caught up.
  game.director.toggleMute();
  game.advance(5000);
  EXPECT_EQ(game.take(), Lines{});
  game.click(game.form<Menu>().Talking);  // the guide's first click only counts
  game.click(game.form<Menu>().Talking);
  EXPECT_EQ(game.take(), Lines{"say: To end the class right now, click the X button on top right!"});
}
