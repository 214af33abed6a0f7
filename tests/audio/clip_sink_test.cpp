// The clip sink against a real sound server (a null sink of the test's own):
// when a clip's end is delivered, and that a stopped clip leaves nothing
// behind, neither a stream at the server nor a late end.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "clip_sink.h"
#include "server_streams.h"
#include "sound_server.h"

namespace {

const QString kLongClip = QStringLiteral(":/audio/voice/intro_run.wav");  // over three seconds
const QString kShortClip = QStringLiteral(":/audio/sounds/card_down.wav");

class ClipSinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(streams(), 0) << "this test needs a sound server of its own, with pactl";
    server_ = qtgui::SoundServer::connect(std::chrono::seconds(5));
    ASSERT_TRUE(server_);
  }

  // Runs events until `done` or a generous while has passed.
  template <class Done>
  static void runUntil(Done done, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
  }

  std::unique_ptr<qtgui::SoundServer> server_;
};

}  // namespace

TEST_F(ClipSinkTest, AClipThatEndsIsFinishedOnceOnTheSinksThreadAndLetsItsStreamGo) {
  int finished = 0;
  QThread* finishedOn = nullptr;
  qtgui::ClipSink sink(*server_, [&] {
    ++finished;
    finishedOn = QThread::currentThread();
  });
  ASSERT_TRUE(sink.play(kShortClip));
  EXPECT_TRUE(sink.busy());
  runUntil([&] { return finished > 0; });
  ASSERT_EQ(finished, 1) << "the end of the clip never came";
  EXPECT_EQ(finishedOn, QThread::currentThread()) << "finished inside the library's thread";
  EXPECT_FALSE(sink.busy());
  EXPECT_EQ(streamsOnceSettled(), 0);
  runUntil([] { return false; }, 300);
  EXPECT_EQ(finished, 1);

  // Finished may start the next clip at once, as the voice does.
  int second = 0;
  qtgui::ClipSink chain(*server_, [&] {
    if (++second == 1) {
      EXPECT_TRUE(chain.play(kShortClip));
    }
  });
  ASSERT_TRUE(chain.play(kShortClip));
  runUntil([&] { return second == 2; });
  EXPECT_EQ(second, 2);
}

TEST_F(ClipSinkTest, AClipStoppedMidwayEndsItsStreamAndIsNeverFinished) {
  int finished = 0;
  qtgui::ClipSink sink(*server_, [&] { ++finished; });
  ASSERT_TRUE(sink.play(kLongClip));
  runUntil([] { return streams() == 1; });
  ASSERT_EQ(streams(), 1);
  sink.stop();
  EXPECT_FALSE(sink.busy());
  EXPECT_EQ(streamsOnceSettled(), 0);
  // Longer than the clip would have played.
  runUntil([] { return false; }, 4000);
  EXPECT_EQ(finished, 0);

  // A clip replaced by another only finishes the second.
  ASSERT_TRUE(sink.play(kLongClip));
  ASSERT_TRUE(sink.play(kShortClip));
  runUntil([&] { return finished > 0; });
  runUntil([] { return false; }, 300);
  EXPECT_EQ(finished, 1);
}

TEST_F(ClipSinkTest, ClipsStoppedBeforeTheServerHasMadeTheirStreamLeaveNoStream) {
  int finished = 0;
  qtgui::ClipSink sink(*server_, [&] { ++finished; });
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(sink.play(kLongClip));
    sink.stop();
  }
  EXPECT_EQ(streamsOnceSettled(), 0);
  EXPECT_EQ(finished, 0);
}

TEST_F(ClipSinkTest, AClipThatIsNotEmbeddedOrNotPcmIsRefusedAndHoldsNoStream) {
  qtgui::ClipSink sink(*server_, [] {});
  EXPECT_FALSE(sink.play(QStringLiteral(":/audio/voice/no_such_clip.wav")));
  EXPECT_FALSE(sink.busy());
  EXPECT_EQ(streamsOnceSettled(), 0);
}

TEST_F(ClipSinkTest, ADestroyedSinkStopsItsClipAndDeliversNothingLater) {
  int finished = 0;
  {
    qtgui::ClipSink sink(*server_, [&] { ++finished; });
    ASSERT_TRUE(sink.play(kShortClip));
    runUntil([] { return streams() == 1; });
  }
  EXPECT_EQ(streamsOnceSettled(), 0);
  runUntil([] { return false; }, 600);
  EXPECT_EQ(finished, 0);
}
