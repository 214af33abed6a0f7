#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "qt_game.h"
#include "screens/intro/starter.h"

using screens::Starter;
using testing_support::QtGame;

namespace {

// A key held down as a keyboard sends it: one press, then pairs of release
// and press marked as auto-repeat, then the real release.
void hold(QWidget* window, Qt::Key key, int repeats) {
  const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
  auto send = [&](QEvent::Type type, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(window, &event);
  };
  send(QEvent::KeyPress, false);
  for (int i = 0; i < repeats; ++i) {
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
  }
  send(QEvent::KeyRelease, false);
}

}  // namespace

// Protects a child resting on a key: however long Space or Enter is held, it
// is one click, and the next press is the next click.
TEST(HeldKey, SpaceOrEnterHeldDownIsOneClick) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  QTest::keyClick(window, Qt::Key_Tab);
  hold(window, Qt::Key_Space, 20);
  ASSERT_TRUE(intro.Talking.visible());
  QTest::keyClick(window, Qt::Key_Tab);
  ASSERT_EQ(window->ringSlot(), intro.Talking.slot());
  const int step = intro.talkstep;
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) hold(window, key, 20);
  EXPECT_EQ(intro.talkstep, step + 3) << "three holds, three clicks";
  EXPECT_TRUE(intro.visible()) << "the monologue did not run on to the guide";
}
