#include <gtest/gtest.h>

#include <functional>

#include "screens/cards/carder.h"
#include "screens/guide/menu.h"
#include "support/cards_player.h"
#include "support/journey.h"

using namespace forms;
using screens::Carder;
using screens::Menu;
using testing_support::Game;

// Protects one game of Pick the Cards as the child plays it: the preview,
// the turns, the tries left, and how the game reports its pass or failure.

namespace {

constexpr const char* kFailureText =
    "Sowwy, you have failed this class, try again next time! (Click here to continue)";

class CardsPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reachGuide(game);
    testing_support::handOverAt(game, 5);
  }

  void click(int card) { game.click(cards.CardImage(card)); }
  void tick() { game.advance(2000); }
  bool faceUp(int card) { return cards.CardImage(card).picture() == cards.clipart(cards.cardpic[card]).picture(); }
  bool faceDown(int card) { return cards.CardImage(card).picture().empty(); }
  int partnerOf(int card) const {
    for (int i = 0; i < 20; ++i) {
      if (i != card && cards.cardpic[i] == cards.cardpic[card]) return i;
    }
    return -1;
  }
  int unlike(int card) const {
    int other = 0;
    while (cards.cardpic[other] == cards.cardpic[card]) ++other;
    return other;
  }
  // A card neither of the given two nor the partner of either.
  int apartFrom(int a, int b) const {
    for (int i = 0; i < 20; ++i) {
      if (cards.cardpic[i] != cards.cardpic[a] && cards.cardpic[i] != cards.cardpic[b]) return i;
    }
    return -1;
  }

  Game game;
  Carder& cards = game.form<Carder>();
  Menu& guide = game.form<Menu>();
};

}  // namespace

TEST_F(CardsPlay, PreviewShowsEveryFaceAndKeepsAPairFoundInIt) {
  EXPECT_TRUE(cards.visible());
  EXPECT_FALSE(guide.visible());
  EXPECT_EQ(cards.talking.caption(), "Get Ready!");
  EXPECT_EQ(cards.pig.picture().name(), "walk frame 0");
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(faceUp(i)) << i;

  const int mate = partnerOf(0);
  click(0);
  click(mate);
  EXPECT_EQ(cards.talking.caption(), "Right!");
  EXPECT_TRUE(cards.nod.visible());
  EXPECT_EQ(cards.misses, 0);

  tick();
  EXPECT_EQ(cards.talking.caption(), "Pick A Card!");
  EXPECT_FALSE(cards.nod.visible());
  for (int i = 0; i < 20; ++i) EXPECT_EQ(faceUp(i), i == 0 || i == mate) << i;
}

TEST_F(CardsPlay, WrongPairCostsATryAndBothTurnDownAtTheNextTick) {
  tick();
  const int other = unlike(0);
  click(0);
  click(other);
  EXPECT_TRUE(faceUp(0) && faceUp(other));
  EXPECT_TRUE(cards.shake.visible());
  EXPECT_EQ(cards.talking.caption(), "Sorry!  14 trys left.");

  tick();
  EXPECT_TRUE(faceDown(0) && faceDown(other));
  EXPECT_FALSE(cards.shake.visible());
  EXPECT_EQ(cards.talking.caption(), "Pick A Card!");
}

TEST_F(CardsPlay, SameCardTwiceIsAWrongPair) {
  tick();
  click(3);
  click(3);
  EXPECT_EQ(cards.misses, 1);
  EXPECT_TRUE(cards.shake.visible());
  EXPECT_EQ(cards.matched[3], False);
  tick();
  EXPECT_TRUE(faceDown(3));
}

TEST_F(CardsPlay, AFoundCardPairsRightOnlyWithItsPartner) {
  const int mate = partnerOf(0);
  click(0);
  click(mate);
  tick();

  click(0);
  click(mate);
  EXPECT_EQ(cards.talking.caption(), "Right!");
  EXPECT_EQ(cards.misses, 0);
  tick();

  const int other = unlike(0);
  click(0);
  click(other);
  EXPECT_EQ(cards.misses, 1);
  EXPECT_TRUE(cards.shake.visible());
  tick();
  EXPECT_TRUE(faceUp(0) && faceUp(mate));
  EXPECT_TRUE(faceDown(other));
}

TEST_F(CardsPlay, ClicksBetweenAPairAndTheNextTickAreIgnored) {
  tick();
  const int other = unlike(0);
  const int third = apartFrom(0, other);
  click(0);
  click(other);
  click(third);
  click(third);
  EXPECT_TRUE(faceDown(third));
  EXPECT_EQ(cards.misses, 1);
  EXPECT_EQ(cards.firstopen, False);
  EXPECT_EQ(cards.talking.caption(), "Sorry!  14 trys left.");

  tick();
  click(third);
  EXPECT_TRUE(faceUp(third));
  EXPECT_EQ(cards.firstopen, True);
}

TEST_F(CardsPlay, AHalfDoneTurnKeepsEveryCardAndTheCaptionAcrossTicks) {
  click(5);
  for (int n = 0; n < 3; ++n) tick();
  EXPECT_EQ(cards.talking.caption(), "Get Ready!");
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(faceUp(i)) << i;

  click(partnerOf(5));
  EXPECT_EQ(cards.talking.caption(), "Right!");
  tick();
  EXPECT_TRUE(faceDown(unlike(5)));
}

TEST_F(CardsPlay, FourteenWrongPairsLeaveOneTryAndTheFifteenthFailsAtTheNextTick) {
  const int other = unlike(0);
  for (int pair = 1; pair <= 14; ++pair) {
    click(0);
    click(other);
    if (pair == 14) {
      EXPECT_EQ(cards.talking.caption(), "Sorry!  1 trys left.");
    }
    tick();
  }
  EXPECT_EQ(cards.clickson, True);
  EXPECT_TRUE(cards.visible());

  click(0);
  click(other);
  EXPECT_EQ(cards.talking.caption(), "Try again next time!");
  const int third = apartFrom(0, other);
  click(third);
  EXPECT_TRUE(faceDown(third));
  EXPECT_TRUE(cards.visible());
  EXPECT_FALSE(guide.visible());

  tick();
  EXPECT_FALSE(cards.loaded());
  EXPECT_TRUE(guide.visible());
  EXPECT_EQ(guide.failure.text(), "-1");
  EXPECT_EQ(guide.Talking.caption(), kFailureText);
  EXPECT_EQ(cards.misses, 15);
  EXPECT_TRUE(game.platform.errors().empty());
}

TEST_F(CardsPlay, TheTenthPairShowsTheGuideAndHidesTheGameInTheSameClick) {
  int found = 0;
  for (int i = 0; i < 20 && found < 9; ++i) {
    if (cards.matched[i] == True) continue;
    click(i);
    click(partnerOf(i));
    tick();
    ++found;
  }
  int last = 0;
  while (cards.matched[last] == True) ++last;
  click(last);
  EXPECT_TRUE(cards.visible());
  click(partnerOf(last));
  EXPECT_TRUE(guide.visible());
  EXPECT_FALSE(cards.visible());
  EXPECT_TRUE(cards.loaded());
  EXPECT_EQ(cards.talking.caption(), "Right!");
  EXPECT_TRUE(cards.nod.visible());
  EXPECT_EQ(guide.failure.text(), "15");
  EXPECT_EQ(guide.Talking.caption(),
            "Welcome back!!  It's time for our next lesson - follow the pattern! (Click here to Continue)");
}

// The passed game's timer goes on while the next game holds its own, lower
// allowance in the guide: the card game must not fail the child for it.
TEST_F(CardsPlay, APassedGameWithTwelveWrongPairsStaysQuietWhileTheNextGameRuns) {
  const int other = unlike(0);
  for (int pair = 0; pair < 12; ++pair) {
    click(0);
    click(other);
    tick();
  }
  testing_support::winCards(game);
  ASSERT_TRUE(guide.visible());
  for (int n = 0; n < 3; ++n) game.click(guide.Talking);
  ASSERT_TRUE(game.visible(FormId::patternform));
  ASSERT_EQ(guide.failure.text(), "12");

  game.advance(10000);
  EXPECT_TRUE(cards.loaded());
  EXPECT_FALSE(cards.visible());
  EXPECT_FALSE(guide.visible());
  EXPECT_EQ(guide.failure.text(), "12");
  EXPECT_EQ(guide.Talking.caption(), "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)");
  EXPECT_TRUE(game.platform.errors().empty());
}

// Protects the close button: in every state of a game being played, closing
// the window fails the class.
TEST(CardsClose, ClosingTheWindowInAnyStateReportsTheFailure) {
  const std::vector<std::pair<const char*, std::function<void(Game&, Carder&)>>> states{
      {"preview", [](Game&, Carder&) {}},
      {"awaiting a first card", [](Game& game, Carder&) { game.advance(2000); }},
      {"first card up", [](Game& game, Carder& cards) { game.click(cards.CardImage(7)); }},
      {"pair shown", [](Game& game, Carder& cards) {
         game.click(cards.CardImage(7));
         game.click(cards.CardImage(7));
       }},
      {"lost, awaiting the tick", [](Game& game, Carder& cards) {
         for (int pair = 0; pair < 15; ++pair) {
           game.advance(2000);
           game.click(cards.CardImage(7));
           game.click(cards.CardImage(7));
         }
       }},
  };
  for (const auto& [name, reach] : states) {
    SCOPED_TRACE(name);
    Game game;
    testing_support::reachGuide(game);
    testing_support::handOverAt(game, 5);
    Carder& cards = game.form<Carder>();
    reach(game, cards);
    ASSERT_TRUE(cards.visible());
    game.close(cards);
    Menu& guide = game.form<Menu>();
    EXPECT_FALSE(cards.loaded());
    EXPECT_TRUE(guide.visible());
    EXPECT_EQ(guide.failure.text(), "-1");
    EXPECT_EQ(guide.Talking.caption(), kFailureText);
  }
}
