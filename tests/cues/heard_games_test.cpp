#include <gtest/gtest.h>

#include <algorithm>

#include "screens/cards/carder.h"
#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"
#include "support/cards_player.h"
#include "support/heard_game.h"
#include "support/journey.h"
#include "support/pattern_player.h"
#include "support/worm_player.h"

using namespace forms;
using namespace screens;
using cues::Sound;
using testing_support::HeardGame;
using Lines = std::vector<std::string>;

namespace {

HeardGame& atGame(HeardGame& game, int step) {
  testing_support::reachGuide(game);
  game.take();
  testing_support::handOverAt(game, step);
  return game;
}

int count(const Lines& lines, const std::string& line) {
  return static_cast<int>(std::ranges::count(lines, line));
}

bool saysAnything(const Lines& lines) {
  return std::ranges::any_of(lines, [](const std::string& l) { return l.starts_with("say: "); });
}

}  // namespace

// Protects the sounds and remarks of each game: what the child sees happen
// is heard once, and a game that is not on screen is silent.

TEST(HeardCards, TheDealTurnsAndTurnsBackOnceAndEachPairSoundsItsVerdict) {
  HeardGame game;
  atGame(game, 5);
  Carder& cards = game.form<Carder>();
  ASSERT_TRUE(cards.visible());
  game.take();
  game.advance(2000);
  EXPECT_EQ(game.take(), (Lines{"sound: card_down", "say: Pick A Card!"})) << "twenty cards, one sound";

  // A wrong pair: the first card of a picture and a card of another picture.
  int first = 0, other = 1;
  while (cards.cardpic[other] == cards.cardpic[first]) ++other;
  game.click(cards.CardImage(first));
  EXPECT_EQ(game.take(), Lines{"sound: card_up"});
  game.click(cards.CardImage(other));
  EXPECT_EQ(game.take(), (Lines{"sound: card_up", "sound: pair_wrong", "say: Sorry!  14 trys left."}));
  game.advance(2000);
  EXPECT_EQ(game.take(), (Lines{"sound: card_down", "say: Pick A Card!"}));

  // A right pair, clicked from the second card to the first.
  int twin = first + 1;
  while (cards.cardpic[twin] != cards.cardpic[first]) ++twin;
  game.click(cards.CardImage(twin));
  game.click(cards.CardImage(first));
  EXPECT_EQ(game.take(), (Lines{"sound: card_up", "sound: card_up", "sound: pair_found", "say: Right!"}));
  game.advance(2000);
  EXPECT_EQ(game.take(), Lines{"say: Pick A Card!"}) << "the found pair stays up and no card turns";
}

TEST(HeardCards, AFailedGameIsHeardFromTheGuideThatComesBackHoldingTheFailure) {
  HeardGame game;
  atGame(game, 5);
  testing_support::loseCards(game);
  const Lines heard = game.take();
  EXPECT_EQ(count(heard, "say: Try again next time!"), 1);
  EXPECT_EQ(count(heard, "say: Sorry!  0 trys left."), 0) << "replaced within the same click";
  ASSERT_GE(heard.size(), 2u);
  EXPECT_EQ(Lines(heard.end() - 2, heard.end()),
            (Lines{"sound: game_failed",
                   "say: Sowwy, you have failed this class, try again next time! (Click here to continue)"}));
}

TEST(HeardPattern, EachLightSoundsItsOwnNoteWhenShownAndWhenClicked) {
  HeardGame game;
  atGame(game, 8);
  Patternform& play = game.form<Patternform>();
  EXPECT_EQ(game.take(), (Lines{"say: Remember the pattern!!", "say: Stage 0"}));
  EXPECT_EQ(game.heard.cues().size(), 0u);

  std::vector<int> shown;
  for (int tick = 0; tick < 20 && play.clickson != True; ++tick) {
    game.advance(600);
    for (const auto& cue : game.heard.cues()) {
      if (cue.kind == headless::CueRecorder::Cue::Kind::Sound) shown.push_back(static_cast<int>(cue.sound));
    }
    game.heard.clear();
  }
  ASSERT_EQ(shown.size(), 4u) << "a pattern of four steps";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(shown[static_cast<std::size_t>(i)], static_cast<int>(Sound::note_0) + play.pattern[i]);

  // The same button twice within one tick: its light goes off and on again,
  // and its note sounds again.
  const int right = play.pattern[0];
  game.click(play.clipart(right));
  EXPECT_EQ(game.take(), (Lines{"sound: note_" + std::to_string(right), "sound: pair_found", "say: Right!"}));
  game.click(play.clipart(right));
  const Lines again = game.take();
  EXPECT_EQ(again.front(), "sound: note_" + std::to_string(right));
}

TEST(HeardPattern, AStageIsAnnouncedAfterTheRemarkOfItsLastClick) {
  HeardGame game;
  atGame(game, 8);
  Patternform& play = game.form<Patternform>();
  while (play.clickson != True) game.advance(600);
  for (int i = 0; i < 3; ++i) game.click(play.clipart(play.pattern[i]));
  game.heard.clear();
  // A wrong click on the last step completes the stage too.
  game.click(play.clipart((play.pattern[3] + 1) % 4));
  const auto& cues = game.heard.cues();
  ASSERT_GE(cues.size(), 2u);
  EXPECT_EQ(cues[cues.size() - 2].speech.written, "Wrong pattern!  11 trys left.");
  EXPECT_EQ(cues.back().speech.written, "Stage  1");
  EXPECT_EQ(cues.back().turn, cues::Turn::Follow) << "the stage waits for the remark";
  EXPECT_EQ(count(game.take(), "sound: stage"), 1);
}

TEST(HeardWorm, PicturesPopHitsAndMissesSoundAndStagesAreSaid) {
  HeardGame game;
  atGame(game, 10);
  Hit& worm = game.form<Hit>();
  EXPECT_EQ(game.take(), (Lines{"say: Click on the apple with the worm when it appears!", "say: Stage 0"}));
  game.advance(1000);
  EXPECT_EQ(game.take(), Lines{"sound: pop"});
  game.advance(1000);
  EXPECT_EQ(game.take(), Lines{}) << "the holes emptying is not heard";

  game.click(worm.hitpic((static_cast<int>(worm.hole) + 1) % 16));
  EXPECT_EQ(game.take(), (Lines{"sound: miss", "say: Missed!! You have  9 left."}));

  testing_support::winWorm(game);
  const Lines heard = game.take();
  EXPECT_EQ(count(heard, "sound: stage"), 4);
  for (const char* stage : {"say: Stage  1", "say: Stage  2", "say: Stage  3", "say: Stage  4"}) {
    EXPECT_EQ(count(heard, stage), 1) << stage;
  }
  EXPECT_GE(count(heard, "sound: hit"), 4);
  // The completion screen: its fanfare and its message, and nothing from
  // the hidden game that keeps popping behind it.
  ASSERT_TRUE(game.visible(FormId::Form1));
  EXPECT_EQ(Lines(heard.end() - 4, heard.end()),
            (Lines{"sound: fanfare", "say: Congradulations!!",
                   "say: You have completed the lessons in our school with a satisfactory grade!  May God's love be "
                   "with you always! ",
                   "say: (Click here to continue)"}));
  game.advance(10000);
  EXPECT_EQ(game.take(), Lines{});
}

TEST(HeardGames, APassedGameKeepsTickingBehindTheGuideInSilence) {
  HeardGame game;
  atGame(game, 8);
  testing_support::winPattern(game);
  ASSERT_TRUE(game.visible(FormId::menu));
  ASSERT_TRUE(game.loaded(FormId::patternform));
  const Lines passed = game.take();
  EXPECT_EQ(passed.back(), "say: Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)");
  game.advance(20000);
  EXPECT_EQ(game.take(), Lines{});
}

TEST(HeardGames, ClosingAGameIsAFailureAndItsLastRemarksAreNotSaid) {
  for (int step : {5, 8, 10}) {
    HeardGame game;
    atGame(game, step);
    game.advance(1300);
    game.take();
    Form* screen = game.platform.frontWindow();
    game.close(*screen);
    const Lines heard = game.take();
    ASSERT_EQ(heard.size(), 2u) << "step " << step;
    EXPECT_EQ(heard[0], "sound: game_failed");
    EXPECT_TRUE(heard[1].starts_with("say: ") && heard[1].ends_with("(Click here to continue)"));
    EXPECT_FALSE(saysAnything(game.take()));
  }
}

// Protects what a child asks by key: H says Tobble's last sentence again,
// I the tries left and the stage in the game's own words, each by voice
// clips the catalogue holds, and both answer the reader even when muted.
TEST(HeardGames, HSaysTheLastSentenceAgainAndITheTriesLeftAndTheStage) {
  using Question = cues::Director::Question;
  HeardGame game;
  EXPECT_EQ(game.director.answer(Question::SayAgain), Lines{}) << "nothing said yet";
  atGame(game, 10);
  game.take();
  EXPECT_EQ(game.director.answer(Question::SayAgain), Lines{"Stage 0"});
  EXPECT_EQ(game.take(), Lines{"say: Stage 0"});
  Hit& worm = game.form<Hit>();
  game.advance(1000);
  game.click(worm.hitpic((static_cast<int>(worm.hole) + 1) % 16));
  game.take();
  EXPECT_EQ(game.director.answer(Question::SayAgain), Lines{"Missed!! You have  9 left."});
  EXPECT_EQ(game.director.answer(Question::HowFar), (Lines{"9 trys left.", "Stage 0"}));
  const auto& cues = game.heard.cues();
  ASSERT_EQ(cues.size(), 3u);
  EXPECT_EQ(cues[1].turn, cues::Turn::Interrupt) << "an answer is said at once";
  EXPECT_EQ(cues[2].turn, cues::Turn::Follow);
  for (const auto& cue : cues) EXPECT_FALSE(cue.speech.clips.empty()) << cue.speech.written;
  EXPECT_EQ(game.director.answer(Question::SayAgain), Lines{"Missed!! You have  9 left."}) << "I is not the last sentence";
  game.take();

  HeardGame cards;
  atGame(cards, 5);
  cards.director.setMuted(true);
  cards.take();
  EXPECT_EQ(cards.director.answer(Question::HowFar), Lines{"15 trys left."}) << "no stages in the cards";
  EXPECT_EQ(cards.take(), Lines{}) << "muted: the reader alone answers";
  cards.form<Carder>().hide();
  EXPECT_EQ(cards.director.answer(Question::HowFar), Lines{}) << "no game on screen";
}
