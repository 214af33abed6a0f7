#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "cards/carder.h"
#include "completion/form1.h"
#include "guide/menu.h"
#include "intro/starter.h"
#include "pattern/patternform.h"
#include "qt_game.h"
#include "worm/hit.h"

using namespace screens;
using testing_support::QtGame;

namespace {

struct Node {
  QAccessible::Role role;
  QString name;
  friend bool operator==(const Node&, const Node&) = default;
};

std::ostream& operator<<(std::ostream& out, const Node& n) {
  return out << int(n.role) << ':' << n.name.toStdString();
}

QAccessibleInterface* tree(QtGame& game, const forms::Form& form) {
  return QAccessible::queryAccessibleInterface(game.window(form));
}

std::vector<Node> children(QAccessibleInterface* window) {
  std::vector<Node> nodes;
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    nodes.push_back({child->role(), child->text(QAccessible::Name)});
  }
  return nodes;
}

void press(QAccessibleInterface* control) {
  control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

void toGuide(QtGame& game) {
  game.program->start();
  Starter& intro = game.form<Starter>();
  game.program->click(intro, intro.start.slot());
  for (int i = 0; i < 4; ++i) game.program->click(intro, intro.Talking.slot());
}

// Jumps the guide to a hand-over, also after a closed game left "-1" in it.
void handOverAt(QtGame& game, int step) {
  Menu& guide = game.form<Menu>();
  guide.failure.setText("0");
  guide.talkstep = step;
  game.program->click(guide, guide.Talking.slot());
}

}  // namespace

// Protects what a screen reader or switch user is given: names, roles, order,
// and a press that clicks.
TEST(Accessibility, TheIntroOffersStartThenTheSpeechAndPressingClicks) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  QAccessibleInterface* window = tree(game, intro);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Tobble Goes to school!"));
  ASSERT_EQ(children(window), (std::vector<Node>{{QAccessible::Button, QStringLiteral("Start")}}));
  press(window->child(0));
  EXPECT_TRUE(intro.Talking.visible());
  auto nodes = children(window);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].role, QAccessible::StaticText);
  EXPECT_TRUE(nodes[0].name.startsWith(QStringLiteral("Hi! I am Tobble!")));
  QAccessibleInterface* speech = window->child(0);
  EXPECT_TRUE(speech->rect().isValid());
  EXPECT_EQ(speech->parent(), window);
  press(speech);
  EXPECT_EQ(intro.talkstep, 2);
}

TEST(Accessibility, EachScreenListsItsClickableControlsFrontToBack) {
  QtGame game;
  toGuide(game);
  QAccessibleInterface* guide = tree(game, game.form<Menu>());
  EXPECT_EQ(children(guide).size(), 1u) << "only the speech takes a click; the bar is disabled";
  EXPECT_EQ(children(guide)[0].role, QAccessible::StaticText);

  handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  auto cardNodes = children(tree(game, cards));
  ASSERT_EQ(cardNodes.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(cardNodes[std::size_t(i)].role, QAccessible::Graphic);
    EXPECT_EQ(cardNodes[std::size_t(i)].name.toStdString(), std::string(cards.CardImage(i).picture().name()));
  }
  game.window(cards)->close();

  handOverAt(game, 8);
  auto patternNodes = children(tree(game, game.form<Patternform>()));
  std::vector<QString> names;
  for (const Node& n : patternNodes) names.push_back(n.name);
  EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("candy"), QStringLiteral("baby"), QStringLiteral("heart"),
                                         QStringLiteral("cross")}));
  game.window(game.form<Patternform>())->close();

  handOverAt(game, 10);
  Hit& worm = game.form<Hit>();
  auto holes = children(tree(game, worm));
  ASSERT_EQ(holes.size(), 16u);
  EXPECT_EQ(holes[0].name, QStringLiteral("empty"));
  worm.stage = 4;
  worm.misses = 9;
  press(tree(game, worm)->child(0));  // a miss: the last one, with four stages passed
  auto done = children(tree(game, game.form<Form1>()));
  EXPECT_EQ(done, (std::vector<Node>{{QAccessible::StaticText, QStringLiteral("(Click here to continue)")}}));
}

// Protects play without a mouse: Tab moves a visible ring, Space and Enter click.
TEST(Keyboard, TabAndEnterPlayFromStartThroughTheMonologueToTheGuide) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  QImage before = game.grab(intro);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(window->focusedSlot(), intro.start.slot());
  QImage ringed = game.grab(intro);
  EXPECT_NE(before, ringed) << "the focus ring is drawn";
  EXPECT_EQ(ringed.pixelColor(166, 180), QColor(255, 120, 0)) << "just left of the button";
  QTest::keyClick(window, Qt::Key_Space);
  EXPECT_TRUE(intro.Talking.visible());
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(window->focusedSlot(), intro.Talking.slot());
  for (int i = 0; i < 4; ++i) QTest::keyClick(window, Qt::Key_Return);
  EXPECT_FALSE(intro.visible());
  EXPECT_TRUE(game.form<Menu>().visible());
  qtgui::FormWindow* guide = game.window(game.form<Menu>());
  QTest::keyClick(guide, Qt::Key_Backtab);
  QTest::keyClick(guide, Qt::Key_Enter);
  QTest::keyClick(guide, Qt::Key_Enter);
  EXPECT_EQ(game.form<Menu>().Talking.caption(), "To end the class right now, click the X button on top right!");
}

TEST(Keyboard, AMouseOnlyChildSeesNoRingAndSpaceDoesNothingBeforeTab) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  EXPECT_EQ(window->focusedSlot(), -1);
  QTest::keyClick(window, Qt::Key_Space);
  EXPECT_TRUE(intro.start.visible());
}
