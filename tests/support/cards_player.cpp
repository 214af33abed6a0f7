#include "support/cards_player.h"

#include "screens/cards/carder.h"

namespace testing_support {

using forms::False;
using forms::FormId;
using forms::True;
using screens::Carder;

namespace {

constexpr int kPeriodMs = 2000;  // Timer1: every window of this length holds one tick

int partnerOf(const Carder& cards, int card) {
  for (int i = 0; i < 20; ++i) {
    if (i != card && cards.cardpic[i] == cards.cardpic[card]) return i;
  }
  return card;
}

// Clicks are shut from a pair's second card to the next tick.
void awaitOpenClicks(Game& game, Carder& cards) {
  if (cards.clickson != True) game.advance(kPeriodMs);
}

}  // namespace

void winCards(Game& game) {
  Carder& cards = game.form<Carder>();
  awaitOpenClicks(game, cards);
  if (cards.firstopen == True) {
    game.click(cards.CardImage(partnerOf(cards, cards.firstcard)));
  }
  for (int i = 0; i < 20 && game.visible(FormId::carder); ++i) {
    if (cards.matched[i] == True) continue;
    awaitOpenClicks(game, cards);
    game.click(cards.CardImage(i));
    game.click(cards.CardImage(partnerOf(cards, i)));
  }
}

void loseCards(Game& game) {
  Carder& cards = game.form<Carder>();
  // A generous bound, so that a game that never ends cannot hang the tests.
  for (int pair = 0; pair < 1000 && game.loaded(FormId::carder); ++pair) {
    awaitOpenClicks(game, cards);
    if (!game.loaded(FormId::carder)) break;
    if (cards.firstopen == False) game.click(cards.CardImage(0));
    int first = cards.firstcard;
    int other = 0;
    while (cards.cardpic[other] == cards.cardpic[first]) ++other;
    game.click(cards.CardImage(other));
  }
}

}  // namespace testing_support
