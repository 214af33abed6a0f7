#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "screens/cards/carder.h"
#include "support/journey.h"

using namespace forms;
using screens::Carder;
using testing_support::Game;
using testing_support::handOverAt;
using testing_support::reachGuide;

// Protects the deal: ten pictures on exactly two cards each, dealt face up,
// every draw counted.

namespace {

std::vector<int> deal(const Carder& cards) {
  std::vector<int> pictures;
  for (int i = 0; i < 20; ++i) pictures.push_back(cards.cardpic[i]);
  return pictures;
}

}  // namespace

TEST(CardsDeal, EveryPictureLiesFaceUpOnExactlyTwoCardsWhateverTheClock) {
  std::set<std::vector<int>> deals;
  for (int start = 0; start < 200; ++start) {
    SCOPED_TRACE(start);
    Game game(8 * 3600.0 + start * 37.25);
    reachGuide(game);
    handOverAt(game, 5);
    Carder& cards = game.form<Carder>();
    std::array<int, 10> onCards{};
    for (int i = 0; i < 20; ++i) {
      ++onCards.at(static_cast<std::size_t>(cards.cardpic[i]));
      EXPECT_EQ(cards.CardImage(i).picture(), cards.clipart(cards.cardpic[i]).picture());
    }
    EXPECT_EQ(onCards, (std::array<int, 10>{2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_GE(cards.drawsInLastDeal, 20);
    deals.insert(deal(cards));
  }
  // The deal is reseeded from the clock at each load.
  EXPECT_GT(deals.size(), 190u);
}

TEST(CardsDeal, ADrawOfAPictureAlreadyOnTwoCardsIsCountedAndDrawnAgain) {
  Game game;
  reachGuide(game);
  // Each picture number three times in a row, 9 from the top of the range.
  std::vector<std::uint32_t> bits;
  for (std::uint32_t k = 0; k < 10; ++k) {
    for (int n = 0; n < 3; ++n) bits.push_back(k == 9 ? 0xFFFFFFu : (k * 0x1000000u + 0x800000u) / 10);
  }
  std::size_t next = 0;
  game.program.runtime().setBitSourceForTesting([&] { return bits.at(next++ % bits.size()); });
  handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  EXPECT_EQ(deal(cards), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9}));
  // The third draw of each of 0 to 8 is thrown away; the deal ends on 9's second.
  EXPECT_EQ(next, 29u);
  EXPECT_EQ(cards.drawsInLastDeal, 29);
}
