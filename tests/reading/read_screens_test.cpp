#include <gtest/gtest.h>

#include <algorithm>

#include "screens/cards/carder.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "reading/reading_model.h"
#include "support/cards_player.h"
#include "support/journey.h"
#include "support/read_game.h"
#include "screens/worm/hit.h"

using namespace forms;
using namespace screens;
using testing_support::ReadGame;
using Lines = std::vector<std::string>;

namespace {

ReadGame& atGame(ReadGame& game, int step) {
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, step);
  game.take();
  return game;
}

// The elements of one control array as the reader meets them.
std::vector<int> inReadingOrder(const Form& form, std::string_view array) {
  std::vector<int> slots;
  for (int slot : reading::readingOrder(form)) {
    if (form.spec().controls[std::size_t(slot)].name == array) slots.push_back(slot);
  }
  return slots;
}

// Checks that a grid is read row by row, left to right, each element with
// its place, and returns its number of rows and columns.
std::pair<int, int> gridWalk(const Form& form, std::string_view array) {
  std::vector<std::pair<int, int>> places, expected;
  for (int slot : inReadingOrder(form, array)) {
    reading::ControlReading r = reading::readControl(form, slot);
    places.emplace_back(r.row, r.column);
    EXPECT_EQ(r.description, "row " + std::to_string(r.row) + ", column " + std::to_string(r.column));
  }
  const int rows = places.empty() ? 0 : places.back().first, columns = places.empty() ? 0 : places.back().second;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= columns; ++column) expected.emplace_back(row, column);
  }
  EXPECT_EQ(places, expected) << array;
  return {rows, columns};
}

bool has(const Lines& lines, const std::string& line) { return std::ranges::find(lines, line) != lines.end(); }

std::ptrdiff_t where(const Lines& lines, const std::string& line) {
  return std::ranges::find(lines, line) - lines.begin();
}

}  // namespace

// Protects what a reader meets on each screen and in what order: the grids
// row by row, the keyboard in the same order, and no scenery in the way.
TEST(ReadScreens, GridsAreReadRowByRowAndTheKeyboardFollowsTheReading) {
  ReadGame game;
  game.start();
  const Form& intro = game.form<Starter>();
  for (int slot : reading::readingOrder(intro)) {
    EXPECT_NE(intro.spec().controls[std::size_t(slot)].kind, Kind::Image) << "Tobble's walk is scenery";
  }
  testing_support::reachGuide(game);
  const Form& guide = game.form<Menu>();
  EXPECT_TRUE(inReadingOrder(guide, "Command1").empty()) << "the chalk ledge has no name to read";

  ReadGame cards;
  atGame(cards, 5);
  EXPECT_EQ(gridWalk(cards.form<Carder>(), "CardImage"), std::pair(4, 5));

  ReadGame worm;
  atGame(worm, 10);
  EXPECT_EQ(gridWalk(worm.form<Hit>(), "hitpic"), std::pair(4, 4));
  Hit& hit = worm.form<Hit>();
  worm.take();
  worm.advance(1000);  // the first picture pops up
  const int hole = hit.hitpic(int(hit.hole)).slot();
  const std::string word = hit.shownpic == 0 ? "apple" : "baby";
  EXPECT_EQ(worm.take(), Lines{"say: " + word}) << "one word, said within the picture's second";
  EXPECT_EQ(reading::readControl(hit, hole).name, word);
  EXPECT_FALSE(reading::readControl(hit, hole).description.empty()) << "the place, for who asks";

  ReadGame pattern;
  atGame(pattern, 8);
  const Form& buttons = pattern.form<Patternform>();
  Lines names;
  for (int slot : reading::focusOrder(buttons)) names.push_back(reading::readControl(buttons, slot).name);
  EXPECT_EQ(names, (Lines{"cross", "heart", "candy", "baby"})) << "left to right, as on screen";
  for (const Form* form : {&guide, &buttons, &static_cast<const Form&>(cards.form<Carder>())}) {
    std::vector<int> reachable;
    for (int slot : reading::readingOrder(*form)) {
      const ControlState& s = form->controls()[std::size_t(slot)];
      if (form->takesClick(slot) && s.visible && s.enabled) reachable.push_back(slot);
    }
    EXPECT_EQ(reading::focusOrder(*form), reachable) << form->name();
  }
}

// Protects the words of each event: a window read whole as it comes to the
// front, a turned card with its place, each message on its own, and the
// winning pair's words before the guide that takes its place.
TEST(ReadScreens, EachEventIsToldInWordsAndTheLastWordsComeBeforeTheNextWindow) {
  ReadGame game;
  game.start();
  Lines start = game.take();
  ASSERT_FALSE(start.empty());
  EXPECT_EQ(start.front(), "window: " + std::string(game.form<Starter>().spec().caption));
  EXPECT_TRUE(std::ranges::all_of(start.begin() + 1, start.end(), [](const std::string& l) { return l.starts_with("text: "); }));

  atGame(game, 5);
  Carder& cards = game.form<Carder>();
  game.advance(2000);
  EXPECT_EQ(game.take(), Lines{"say: Pick A Card!"}) << "the deal turning back is not worth a word";
  int first = 0, other = 1;
  while (cards.cardpic[other] == cards.cardpic[first]) ++other;
  game.click(cards.CardImage(first));
  const reading::ControlReading turned = reading::readControl(cards, cards.CardImage(first).slot());
  EXPECT_EQ(game.take(), Lines{"say: " + turned.name + ", " + turned.description});
  game.click(cards.CardImage(other));
  Lines wrong = game.take();
  ASSERT_EQ(wrong.size(), 2u) << "a card and the remark, two messages";
  EXPECT_TRUE(has(wrong, "say: Sorry!  14 trys left."));

  testing_support::winCards(game);
  Lines won = game.take();
  const std::string guide = "window: " + std::string(game.form<Menu>().spec().caption);
  ASSERT_TRUE(has(won, "say: Right!")) << ::testing::PrintToString(won);
  ASSERT_TRUE(has(won, guide));
  EXPECT_LT(where(won, "say: Right!"), where(won, guide));
  const Lines winning(won.begin(), won.begin() + where(won, "say: Right!"));
  ASSERT_FALSE(winning.empty());
  for (const std::string& line : std::vector(winning.end() - std::min<std::ptrdiff_t>(2, std::ssize(winning)), winning.end()))
    EXPECT_NE(line.find(", found"), std::string::npos) << "the winning pair, found: " << line;
  EXPECT_LE(winning.size(), 4u) << "no other card is told again: " << ::testing::PrintToString(winning);
}

// Protects the remark made again: a click that gets the same answer twice
// is told twice; a tick that writes the same words again is not.
TEST(ReadScreens, TheSameRemarkTwiceIsSaidTwiceAfterAClickButATickSaysNothingNew) {
  ReadGame game;
  atGame(game, 8);
  Patternform& play = game.form<Patternform>();
  while (play.clickson != True) game.advance(600);
  game.take();
  for (int i = 0; i < 4; ++i) game.advance(600);
  EXPECT_EQ(game.take(), Lines{}) << "\"Repeat the pattern pls!\" again and again by the clock";

  for (int click = 0; click < 2; ++click) {
    const int right = play.pattern[play.clickpos];
    game.click(play.clipart(right));
    Lines said = game.take();
    EXPECT_TRUE(has(said, "say: Right!")) << click << ::testing::PrintToString(said);
    EXPECT_TRUE(has(said, "say: " + reading::readControl(play, play.clipart(right).slot()).name)) << click;
    EXPECT_TRUE(said.back().ends_with(", lit")) << click;
  }
}
