// The clip sink against a real sound server (a null sink of the test's own):
// when a clip's end is delivered, and that a stopped clip leaves nothing
// behind, neither a stream at the server nor a late end.
#include <gtest/gtest.h>

#include <atomic>

#include <QCoreApplication>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include "sound/clip_sink.h"
#include "server_streams.h"
#include "sound/server_connection.h"

namespace {

const QString kLongClip = QStringLiteral(":/audio/voice/intro_run.wav");  // over three seconds
const QString kShortClip = QStringLiteral(":/audio/sounds/card_down.wav");

class ClipSinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(streams(), 0) << "this test needs a sound server of its own, with pactl";
    server_ = sound::ServerConnection::open(std::chrono::seconds(10), [this](sound::ServerConnection::News news) {
      news_ = news;
    });
    ASSERT_TRUE(server_);
    ASSERT_TRUE(runUntil([this] { return news_.load() == sound::ServerConnection::News::Ready; }));
  }

  // Runs events until `done`, or gives up after a generous while.
  template <class Done>
  static bool runUntil(Done done) {
    return QTest::qWaitFor(done, 15000);
  }

  // Delivers whatever the library has already handed over, so an end that
  // was on its way is seen.
  static void deliverPending() { QCoreApplication::processEvents(); }

  std::atomic<sound::ServerConnection::News> news_{sound::ServerConnection::News::Gone};
  std::unique_ptr<sound::ServerConnection> server_;
};

}  // namespace

TEST_F(ClipSinkTest, AClipThatEndsIsFinishedOnceOnTheSinksThreadAndLetsItsStreamGo) {
  int finished = 0;
  QThread* finishedOn = nullptr;
  sound::ClipSink sink(*server_, [&] {
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
  deliverPending();
  EXPECT_EQ(finished, 1);

  // Finished may start the next clip at once, as the voice does.
  int second = 0;
  sound::ClipSink chain(*server_, [&] {
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
  sound::ClipSink sink(*server_, [&] { ++finished; });
  ASSERT_TRUE(sink.play(kLongClip));
  runUntil([] { return streams() == 1; });
  ASSERT_EQ(streams(), 1);
  sink.stop();
  EXPECT_FALSE(sink.busy());
  // Once the server has dropped the stream nothing of it can end later.
  EXPECT_EQ(streamsOnceSettled(), 0);
  deliverPending();
  EXPECT_EQ(finished, 0);

  // A clip replaced by another only finishes the second.
  ASSERT_TRUE(sink.play(kLongClip));
  ASSERT_TRUE(sink.play(kShortClip));
  runUntil([&] { return finished > 0; });
  EXPECT_EQ(streamsOnceSettled(), 0);
  deliverPending();
  EXPECT_EQ(finished, 1);
}

TEST_F(ClipSinkTest, ClipsStoppedBeforeTheServerHasMadeTheirStreamLeaveNoStream) {
  int finished = 0;
  sound::ClipSink sink(*server_, [&] { ++finished; });
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(sink.play(kLongClip));
    sink.stop();
  }
  EXPECT_EQ(streamsOnceSettled(), 0);
  EXPECT_EQ(finished, 0);
}

TEST_F(ClipSinkTest, AClipThatIsNotEmbeddedOrNotPcmIsRefusedAndHoldsNoStream) {
  sound::ClipSink sink(*server_, [] {});
  EXPECT_FALSE(sink.play(QStringLiteral(":/audio/voice/no_such_clip.wav")));
  EXPECT_FALSE(sink.busy());
  EXPECT_EQ(streamsOnceSettled(), 0);
}

TEST_F(ClipSinkTest, ADestroyedSinkStopsItsClipAndDeliversNothingLater) {
  int finished = 0;
  {
    sound::ClipSink sink(*server_, [&] { ++finished; });
    ASSERT_TRUE(sink.play(kShortClip));
    runUntil([] { return streams() == 1; });
  }
  EXPECT_EQ(streamsOnceSettled(), 0);
  deliverPending();
  EXPECT_EQ(finished, 0);
}
