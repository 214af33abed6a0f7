#include <gtest/gtest.h>

#include <map>

#include "screens/cards/carder.h"
#include "screens/pattern/patternform.h"
#include "support/heard_game.h"
#include "support/journey.h"
#include "screens/worm/hit.h"

using namespace forms;
using namespace screens;
using cues::Sound;
using testing_support::HeardGame;

namespace {

using Heard = headless::CueRecorder::Cue::Kind;

HeardGame& atGame(HeardGame& game, int step) {
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, step);
  game.take();
  return game;
}

// The sounds heard since the last look, as they are to be heard.
std::vector<cues::Cue> sounds(HeardGame& game) {
  std::vector<cues::Cue> heard;
  for (const auto& cue : game.heard.cues()) {
    if (cue.kind == Heard::Sound) heard.push_back(cue.cue);
  }
  game.heard.clear();
  return heard;
}

}  // namespace

// Protects the sounds that say where: a blind child finds a hole, a button
// or a card by ear, so its sound must come from its own place, always.

TEST(HeardPlaces, AHolesSoundComesFromItsColumnAndRowAndTheBabyHasItsOwn) {
  HeardGame game;
  atGame(game, 10);
  Hit& worm = game.form<Hit>();
  std::map<int, cues::Cue> apples;
  bool babyHeard = false;
  for (int tick = 0; tick < 400 && (apples.size() < 16 || !babyHeard); ++tick) {
    game.advance(1000);
    const auto heard = sounds(game);
    if (worm.shownpic < 0) {
      EXPECT_TRUE(heard.empty());
      continue;
    }
    ASSERT_EQ(heard.size(), 1u);
    const int hole = static_cast<int>(worm.hole);
    if (worm.shownpic == 1) {
      EXPECT_EQ(heard[0].sound, Sound::baby);
      babyHeard = true;
      continue;
    }
    EXPECT_EQ(heard[0].sound, Sound::pop);
    ASSERT_TRUE(heard[0].pan.has_value());
    const auto it = apples.emplace(hole, heard[0]).first;
    EXPECT_EQ(it->second, heard[0]) << "hole " << hole;
  }
  ASSERT_EQ(apples.size(), 16u);
  ASSERT_TRUE(babyHeard);
  for (int hole = 0; hole < 16; ++hole) {
    const cues::Cue& apple = apples[hole];
    const cues::Cue& below = apples[(hole + 4) % 16];
    const cues::Cue& right = apples[hole % 4 == 3 ? hole : hole + 1];
    if (hole % 4 != 3) {
      EXPECT_LT(*apple.pan, *right.pan) << "hole " << hole;
    }
    EXPECT_EQ(*apple.pan, *below.pan) << "hole " << hole;
    if (hole < 12) {
      EXPECT_GT(apple.rate, below.rate) << "a higher row sounds higher, hole " << hole;
    }
  }
  EXPECT_LE(*apples[0].pan, -0.5f);
  EXPECT_GE(*apples[3].pan, 0.5f);
  EXPECT_EQ(*apples[0].pan, -*apples[3].pan) << "the grid sits in the middle";
}

TEST(HeardPlaces, PatternNotesAndCardsComeFromTheirButtonsAndColumnsAndOtherSoundsFromNowhere) {
  HeardGame pattern;
  atGame(pattern, 8);
  Patternform& play = pattern.form<Patternform>();
  while (play.clickson != True) pattern.advance(600);
  sounds(pattern);
  std::vector<float> pans;
  for (int button = 0; button < 4; ++button) {
    pattern.click(play.clipart(button));
    const auto heard = sounds(pattern);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard[0].sound, static_cast<Sound>(static_cast<int>(Sound::note_0) + button));
    ASSERT_TRUE(heard[0].pan.has_value());
    EXPECT_EQ(heard[0].rate, 1) << "the notes keep their own pitch";
    pans.push_back(*heard[0].pan);
    for (std::size_t i = 1; i < heard.size(); ++i) EXPECT_FALSE(heard[i].pan) << "a verdict has no place";
    if (button > 0) {
      EXPECT_LT(pans[static_cast<std::size_t>(button) - 1], pans.back());
    }
  }

  HeardGame cards;
  atGame(cards, 5);
  Carder& deal = cards.form<Carder>();
  cards.advance(2000);
  sounds(cards);
  int left = 0, right = 4;  // the top row's outer cards
  if (deal.cardpic[left] == deal.cardpic[right]) right = 9;
  cards.click(deal.CardImage(left));
  const auto first = sounds(cards);
  cards.click(deal.CardImage(right));
  const auto second = sounds(cards);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_LT(*first[0].pan, 0);
  EXPECT_EQ(*second[0].pan, -*first[0].pan);
  cards.advance(2000);
  const auto back = sounds(cards);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].sound, Sound::card_down);
  EXPECT_NEAR(*back[0].pan, 0, 1e-6) << "two cards turning back sound from between them";
}

TEST(HeardPlaces, TheGrownUpsVolumesGoWithEverySoundAndSentence) {
  HeardGame game;
  game.director.setVolumes(40, 75);
  testing_support::reachGuide(game);
  int said = 0;
  for (const auto& cue : game.heard.cues()) {
    if (cue.kind == Heard::Say) {
      EXPECT_FLOAT_EQ(cue.speech.gain, 0.4f);
      ++said;
    }
  }
  EXPECT_GT(said, 0);
  testing_support::handOverAt(game, 10);
  game.heard.clear();
  game.advance(1000);
  const auto heard = sounds(game);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_FLOAT_EQ(heard[0].gain, 0.75f);
}
