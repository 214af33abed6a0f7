// Protects what the sounds cost the sound server: however many different
// sounds are heard, they hold at most two streams beside the voice's, and
// silence lets every stream go. Run inside a sound server of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include "server_streams.h"
#include "sound/sound_player.h"

namespace {

// The most streams seen while events run for `ms`; a stream goes away a
// moment after it is let go.
int mostStreams(int ms) {
  int most = 0;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    most = std::max(most, streams());
    QThread::msleep(20);
  }
  return most;
}

}  // namespace

TEST(SoundStreams, EverySoundAtOnceHoldsTwoStreamsBesideTheVoiceAndSilenceEndsThem) {
  ASSERT_EQ(streams(), 0) << "this test needs a sound server of its own, with pactl";
  sound::SoundPlayer player;
  player.prepare();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !player.connecting(); }, 20000));
  ASSERT_TRUE(player.hasOutput());
  player.say({"Right!", "Right!", {"right"}}, cues::Turn::Interrupt);
  for (std::size_t sound = 0; sound < cues::kSoundNames.size(); ++sound) player.play({static_cast<cues::Sound>(sound), std::nullopt, 1, 1});
  const int most = mostStreams(300);
  EXPECT_GE(most, 2) << "the sounds are not played";
  EXPECT_LE(most, 3);
  player.silence();
  EXPECT_EQ(streamsOnceSettled(), 0);

  // After silence the sounds play again.
  player.play({cues::Sound::fanfare, std::nullopt, 1, 1});
  EXPECT_GE(mostStreams(100), 1);
  player.silence();
  EXPECT_EQ(streamsOnceSettled(), 0);
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
