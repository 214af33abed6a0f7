#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "mute_key.h"
#include "sound_player.h"

// Protects the desktop's side of the sound: the M key and a machine that
// has no sound server.

TEST(MuteKey, MInAnyWindowTogglesOnceAndOtherKeysPassThrough) {
  int toggles = 0;
  qtgui::MuteKey key([&] { ++toggles; });
  QWidget window;
  auto* button = new QPushButton(QStringLiteral("Start"), &window);
  window.show();
  QTest::keyClick(&window, Qt::Key_M);
  EXPECT_EQ(toggles, 1);
  // From a button with the focus, the key travels on to its window: still one toggle.
  button->setFocus();
  QTest::keyClick(button, Qt::Key_M);
  EXPECT_EQ(toggles, 2);
  QTest::keyClick(&window, Qt::Key_M, Qt::ShiftModifier);
  EXPECT_EQ(toggles, 3);
  QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
  QTest::keyClick(&window, Qt::Key_N);
  EXPECT_EQ(toggles, 3);
}

TEST(SoundPlayer, WithoutASoundServerNothingIsPlayedAndNothingFails) {
  qputenv("PULSE_SERVER", "unix:/nonexistent/tobble-test");
  qtgui::SoundPlayer player;
  player.say({"Get Ready!", "Get Ready!", {"cards_get_ready"}}, cues::Turn::Interrupt);  // before prepare
  player.prepare();
  EXPECT_FALSE(player.playing());
  player.play(cues::Sound::fanfare);
  player.say({"Right!", "Right!", {"right", "no_such_clip"}}, cues::Turn::Follow);
  player.silence();
}
