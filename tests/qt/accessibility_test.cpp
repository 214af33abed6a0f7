#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "qt_game.h"
#include "reading/reading_model.h"
#include "screens/cards/carder.h"
#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"

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

void tick(QtGame& game, forms::Form& form, const forms::Timer& timer) {
  game.program->tick(form, timer.slot(), form.generation());
}

// The accessibility events of a game, as a listening client would get them.
struct Heard {
  QAccessible::Event type;
  QAccessibleInterface* target;
  QString removed, inserted;  // of a text update
};

// A client listening where Qt's own bridge does: the platform's
// accessibility is switched on, as a screen reader switches it on, and every
// event that would reach the bridge reaches the update handler instead.
class Listening : public ::testing::Test {
 protected:
  void SetUp() override {
    current = this;
    previous_ = QAccessible::installUpdateHandler(&Listening::hear);
    bridge()->setActive(true);
  }
  void TearDown() override {
    bridge()->setActive(false);
    QAccessible::installUpdateHandler(previous_);
    current = nullptr;
  }
  static QPlatformAccessibility* bridge() { return QGuiApplicationPrivate::platformIntegration()->accessibility(); }

  static void hear(QAccessibleEvent* e) {
    if (current == nullptr) return;
    Heard h{e->type(), e->accessibleInterface(), {}, {}};
    if (e->type() == QAccessible::TextUpdated) {
      auto* update = static_cast<QAccessibleTextUpdateEvent*>(e);
      h.removed = update->textRemoved();
      h.inserted = update->textInserted();
    }
    current->heard.push_back(h);
  }
  static inline Listening* current = nullptr;
  QAccessible::UpdateHandler previous_ = nullptr;

  // The events of one type that reached `target` (any target if null).
  std::vector<Heard> of(QAccessible::Event type, QAccessibleInterface* target = nullptr) const {
    std::vector<Heard> out;
    for (const Heard& h : heard) {
      if (h.type == type && (target == nullptr || h.target == target)) out.push_back(h);
    }
    return out;
  }
  // The messages the window's notifications said since the last clear.
  QStringList announced(qtgui::FormWindow* window) const {
    QStringList words;
    for (const Heard& h : of(QAccessible::ObjectShow)) {
      if (h.target->role() == QAccessible::Notification && h.target->parent() == window->accessibility().statusLine())
        words << h.target->text(QAccessible::Name);
    }
    return words;
  }
  // Makes the window the one in front, as a desktop would on showing it.
  static void activate(qtgui::FormWindow* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QCoreApplication::processEvents();  // what waited for the window is said
  }
  // Exactly one object of the window says it has the focus.
  static QAccessibleInterface* theFocused(QAccessibleInterface* window) {
    std::vector<QAccessibleInterface*> focused;
    if (window->state().focused) focused.push_back(window);
    for (int i = 0; i < window->childCount(); ++i) {
      if (window->child(i)->state().focused) focused.push_back(window->child(i));
    }
    EXPECT_EQ(focused.size(), 1u);
    return focused.empty() ? nullptr : focused[0];
  }

  std::vector<Heard> heard;
};

}  // namespace

// Protects what a screen reader can review: every text and control in
// reading order, the real buttons in their window, hidden ones in place.
TEST(Accessibility, TheIntroReadsItsTextsAndControlsInReadingOrder) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  QAccessibleInterface* window = tree(game, intro);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Tobble Goes to school!"));
  auto nodes = children(window);
  ASSERT_EQ(nodes.size(), 5u);
  EXPECT_EQ(nodes[0], (Node{QAccessible::StaticText, QStringLiteral("Tobble")}));
  EXPECT_EQ(nodes[1], (Node{QAccessible::StaticText, QStringLiteral("goes to school")}));
  EXPECT_EQ(nodes[2], (Node{QAccessible::Button, QStringLiteral("Start")}));
  EXPECT_TRUE(nodes[3].name.startsWith(QStringLiteral("Hi! I am Tobble!")));
  EXPECT_EQ(nodes[4].role, QAccessible::StatusBar);

  QAccessibleInterface* start = window->child(2);
  EXPECT_EQ(start->object(), game.window(intro)->buttonFor(intro.start.slot())) << "the real button, not a stand-in";
  for (int i = 0; i < window->childCount(); ++i) {
    EXPECT_EQ(window->child(i)->parent(), window);
    EXPECT_EQ(window->indexOfChild(window->child(i)), i);
  }
  QAccessibleInterface* speech = window->child(3);
  EXPECT_TRUE(speech->state().invisible);
  EXPECT_FALSE(window->child(0)->state().focusable) << "a text that takes no click";
  EXPECT_EQ(window->child(0)->actionInterface(), nullptr);
  ASSERT_NE(window->child(0)->textInterface(), nullptr);
  EXPECT_TRUE(window->child(0)->state().readOnly);
  EXPECT_EQ(window->child(0)->textInterface()->text(0, 3), QStringLiteral("Tob"));

  press(start);  // at once, not after an animated click
  EXPECT_FALSE(intro.start.visible());
  EXPECT_FALSE(speech->state().invisible);
  EXPECT_TRUE(speech->rect().isValid());
  press(speech);
  EXPECT_EQ(intro.talkstep, 2);
  EXPECT_EQ(speech->textInterface()->characterCount(), int(intro.Talking.caption().size()));
}

TEST(Accessibility, TheGuideListsItsLessonButNotItsNamelessBar) {
  QtGame game;
  toGuide(game);
  QAccessibleInterface* guide = tree(game, game.form<Menu>());
  std::vector<QString> names;
  for (const Node& n : children(guide)) names.push_back(n.name);
  EXPECT_EQ(names, (std::vector<QString>{QString::fromStdString(game.form<Menu>().Talking.caption()),
                                         QStringLiteral("Today's Lesson"), QStringLiteral("Pick the Cards"),
                                         QStringLiteral("Follow the Patterns"), QStringLiteral("Hit the worm"),
                                         QString()}))
      << "the chalk ledge, a disabled button with no caption, is scenery";
  EXPECT_EQ(guide->child(5)->role(), QAccessible::StatusBar);

  // The congratulation reads top to bottom, its continue last but the credit.
  handOverAt(game, 10);
  Hit& worm = game.form<Hit>();
  worm.stage = 4;
  worm.misses = 9;
  press(tree(game, worm)->child(0));  // a miss: the last one, with four stages passed
  auto done = children(tree(game, game.form<Form1>()));
  ASSERT_EQ(done.size(), 6u);
  EXPECT_EQ(done[0].name, QStringLiteral("Congradulations!!"));
  EXPECT_EQ(done[3], (Node{QAccessible::StaticText, QStringLiteral("(Click here to continue)")}));
}

// Protects what a blind child needs to play: a card face down, face up or
// found, and where it lies; a pattern button and its light; a hole.
TEST(Accessibility, CardsSayFaceDownFaceUpOrFoundWithTheirPlace) {
  QtGame game;
  toGuide(game);
  handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  QAccessibleInterface* window = tree(game, cards);
  auto card = [&](int i) { return window->child(i); };
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(card(i)->role(), QAccessible::Button);
    EXPECT_EQ(card(i)->text(QAccessible::Name).toStdString(), std::string(cards.CardImage(i).picture().name()))
        << "the deal shows every face, and none is found yet";
  }
  EXPECT_EQ(card(0)->text(QAccessible::Description), QStringLiteral("row 1, column 1"));
  EXPECT_EQ(card(7)->text(QAccessible::Description), QStringLiteral("row 2, column 3"));
  EXPECT_EQ(card(19)->text(QAccessible::Description), QStringLiteral("row 4, column 5"));
  EXPECT_EQ(children(window)[20], (Node{QAccessible::StaticText, QStringLiteral("Get Ready!")}));

  tick(game, cards, cards.Timer1);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(card(i)->text(QAccessible::Name), QStringLiteral("face down"));

  int twin = 1;
  while (cards.cardpic[twin] != cards.cardpic[0]) ++twin;
  int other = twin == 1 ? 2 : 1;
  press(card(0));
  const QString face = QString::fromStdString(std::string(cards.CardImage(0).picture().name()));
  EXPECT_EQ(card(0)->text(QAccessible::Name), face) << "up, its twin still down";
  press(card(twin));
  EXPECT_EQ(card(0)->text(QAccessible::Name), face + QStringLiteral(", found"));
  EXPECT_EQ(card(twin)->text(QAccessible::Name), face + QStringLiteral(", found"));
  tick(game, cards, cards.Timer1);
  press(card(other));
  EXPECT_FALSE(card(other)->text(QAccessible::Name).endsWith(QStringLiteral("found")));
  EXPECT_TRUE(card(0)->text(QAccessible::Name).endsWith(QStringLiteral("found")));
  game.window(cards)->close();

  handOverAt(game, 8);
  Patternform& pattern = game.form<Patternform>();
  QAccessibleInterface* buttons = tree(game, pattern);
  tick(game, pattern, pattern.Timer1);  // the first step of the pattern lights up
  int lit = pattern.pattern[0];
  // Reading order is left to right: button i is child 2 + i, after the remark and the stage.
  EXPECT_EQ(children(buttons)[0].name, QStringLiteral("Remember the pattern!"));
  for (int i = 0; i <= 3; ++i) {
    EXPECT_EQ(buttons->child(2 + i)->text(QAccessible::Name).endsWith(QStringLiteral(", lit")), i == lit) << i;
  }
  EXPECT_EQ(buttons->child(2)->text(QAccessible::Description), QString()) << "one row: no grid to tell";
  tick(game, pattern, pattern.Timer1);
  EXPECT_FALSE(buttons->child(2 + lit)->text(QAccessible::Name).endsWith(QStringLiteral(", lit")));
  game.window(pattern)->close();

  handOverAt(game, 10);
  QAccessibleInterface* holes = tree(game, game.form<Hit>());
  EXPECT_EQ(holes->child(0)->text(QAccessible::Name), QStringLiteral("empty"));
  EXPECT_EQ(holes->child(5)->text(QAccessible::Description), QStringLiteral("row 2, column 2"));
}

// Protects the events a caching reader depends on: which change sends what.
TEST_F(Listening, ACaptionChangeRenamesTheTextAndIsSaid) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  activate(window);
  EXPECT_EQ(window->accessibility().lastMessages(2), (QStringList{"Tobble", "goes to school"}))
      << "a window in front says its texts, each a message; its title goes with the focus";
  QAccessibleInterface* speech = tree(game, intro)->child(3);

  heard.clear();
  game.program->click(intro, intro.start.slot());
  EXPECT_EQ(of(QAccessible::ObjectShow, speech).size(), 1u);
  EXPECT_EQ(announced(window), QStringList{QString::fromStdString(intro.Talking.caption())});

  heard.clear();
  const QString before = speech->text(QAccessible::Name);
  game.program->click(intro, intro.Talking.slot());
  const QString after = QString::fromStdString(intro.Talking.caption());
  EXPECT_EQ(of(QAccessible::NameChanged, speech).size(), 1u);
  auto updates = of(QAccessible::TextUpdated, speech);
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0].removed, before);
  EXPECT_EQ(updates[0].inserted, after);
  EXPECT_EQ(announced(window), QStringList{after});

  // Tobble's walk changes no text: nothing to hear.
  heard.clear();
  for (int i = 0; i < 5; ++i) tick(game, intro, intro.Timer1);
  EXPECT_TRUE(heard.empty());
}

TEST_F(Listening, OnlyWhatDiffersAfterTheHandlerIsTold) {
  QtGame game;
  toGuide(game);
  handOverAt(game, 10);
  Hit& worm = game.form<Hit>();
  qtgui::FormWindow* window = game.window(worm);
  activate(window);
  // Each tick empties all sixteen holes and then fills one, or none.
  for (int i = 0; i < 6; ++i) {
    heard.clear();
    tick(game, worm, worm.Timer1);
    auto renamed = of(QAccessible::NameChanged);
    std::erase_if(renamed, [](const Heard& h) { return h.target->role() == QAccessible::Notification; });
    EXPECT_LE(renamed.size(), 2u) << "the hole that emptied and the hole that filled";
    if (worm.shownpic >= 0) {
      ASSERT_EQ(announced(window).size(), 1);
      EXPECT_EQ(announced(window)[0], worm.shownpic == 0 ? QStringLiteral("apple") : QStringLiteral("baby"))
          << "one word, said before the picture goes";
    } else {
      EXPECT_TRUE(announced(window).isEmpty()) << "a hole emptying is not worth a word";
    }
  }
}

TEST_F(Listening, AHiddenWindowWaitsAndTellsItsNewTextsWhenShown) {
  QtGame game;
  toGuide(game);
  Menu& guide = game.form<Menu>();
  activate(game.window(guide));
  handOverAt(game, 5);  // the welcome-back caption is set, then the guide hides
  EXPECT_FALSE(announced(game.window(guide)).join("").contains(QStringLiteral("Welcome back")));
  heard.clear();
  game.window(game.form<Carder>())->close();  // closed, not passed: the guide shown with its reproach
  activate(game.window(guide));
  ASSERT_FALSE(announced(game.window(guide)).isEmpty());
  EXPECT_TRUE(announced(game.window(guide))[0].startsWith(QStringLiteral("Sowwy, you have")));
}

TEST_F(Listening, ALightRelitAndARemarkMadeAgainByAClickAreSaidAgain) {
  QtGame game;
  toGuide(game);
  handOverAt(game, 8);
  Patternform& pattern = game.form<Patternform>();
  qtgui::FormWindow* window = game.window(pattern);
  activate(window);
  for (int i = 0; i < 20 && pattern.clickson != forms::True; ++i) tick(game, pattern, pattern.Timer1);
  ASSERT_EQ(pattern.clickson, forms::True);

  // The same button twice: its light goes out and on again within the click.
  pattern.pattern[1] = pattern.pattern[0];
  for (int step = 0; step < 2; ++step) {
    heard.clear();
    window->clickControl(pattern.clipart(pattern.pattern[step]).slot());  // as the mouse, keys or a reader click
    EXPECT_EQ(announced(window), (QStringList{QStringLiteral("Right!"), announced(window).value(1)})) << step;
    EXPECT_TRUE(announced(window).value(1).endsWith(QStringLiteral(", lit"))) << step;
  }
}

// Protects one focused object at a time, following the keyboard's ring.
TEST_F(Listening, FocusFollowsTheRingOneObjectAtATime) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  activate(window);
  QAccessibleInterface* root = tree(game, intro);
  EXPECT_EQ(theFocused(root), root) << "the window, until the keyboard is used";

  heard.clear();
  QTest::keyClick(window, Qt::Key_Tab);
  QAccessibleInterface* start = root->child(2);
  ASSERT_EQ(of(QAccessible::Focus).size(), 1u);
  EXPECT_EQ(of(QAccessible::Focus)[0].target, start);
  EXPECT_EQ(theFocused(root), start);
  EXPECT_EQ(root->focusChild(), start);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(of(QAccessible::Focus).size(), 1u) << "the ring stays on the only control: nothing new";

  heard.clear();
  QTest::keyClick(window, Qt::Key_Space);  // Start goes: the window has the focus again
  ASSERT_EQ(of(QAccessible::Focus).size(), 1u);
  EXPECT_EQ(of(QAccessible::Focus)[0].target, root);
  EXPECT_EQ(theFocused(root), root);

  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(theFocused(root), root->child(3));
  EXPECT_EQ(of(QAccessible::Focus).back().target, root->child(3));
}

// Protects the mouse-only child: with no client listening nothing is told.
TEST(Accessibility, WithNoClientNothingIsToldOrKept) {
  QtGame game;
  ASSERT_FALSE(QAccessible::isActive());
  toGuide(game);
  EXPECT_TRUE(game.window(game.form<Menu>())->accessibility().lastMessages(qtgui::WindowAccessibility::kNotifications).isEmpty());
}

// Protects play without a mouse: Tab moves a visible ring, Space and Enter click.
TEST(Keyboard, TabAndEnterPlayFromStartThroughTheMonologueToTheGuide) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  QImage before = game.grab(intro);
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(window->ringSlot(), intro.start.slot());
  QImage ringed = game.grab(intro);
  EXPECT_NE(before, ringed) << "the focus ring is drawn";
  EXPECT_EQ(ringed.pixelColor(166, 180), QColor(255, 120, 0)) << "just left of the button";
  QTest::keyClick(window, Qt::Key_Space);
  EXPECT_TRUE(intro.Talking.visible());
  QTest::keyClick(window, Qt::Key_Tab);
  EXPECT_EQ(window->ringSlot(), intro.Talking.slot());
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
  EXPECT_EQ(window->ringSlot(), -1);
  QTest::keyClick(window, Qt::Key_Space);
  EXPECT_TRUE(intro.start.visible());
}

// Protects the physical key block on the desktop: the key where D lies, by
// its key code whatever the layout prints on it, turns the card at row 3,
// column 3; End brings the ring to the grid's last place.
TEST(Keyboard, TheKeyBlockByItsKeyCodesAndTheGridKeysReachTheCards) {
  QtGame game;
  toGuide(game);
  handOverAt(game, 5);
  Carder& cards = game.form<Carder>();
  tick(game, cards, cards.Timer1);  // the deal turns face down
  qtgui::FormWindow* window = game.window(cards);
  QKeyEvent d(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, 38 + 2, 0, 0, QStringLiteral("q"));
  QCoreApplication::sendEvent(window, &d);
  int up = -1;
  for (int i = 0; i < 20; ++i) {
    if (!cards.CardImage(i).picture().empty()) up = cards.CardImage(i).slot();
  }
  ASSERT_GE(up, 0) << "a card turned";
  const reading::ArrayPlace turned = reading::arrayPlace(cards, up);
  EXPECT_EQ(std::pair(turned.row, turned.column), std::pair(3, 3));
  QTest::keyClick(window, Qt::Key_End);
  ASSERT_GE(window->ringSlot(), 0);
  const reading::ArrayPlace last = reading::arrayPlace(cards, window->ringSlot());
  EXPECT_EQ(std::pair(last.row, last.column), std::pair(4, 5));
}
