#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstring>

#include "clip_sink.h"
#include "effect_sinks.h"
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
  EXPECT_FALSE(player.hasOutput());
  player.play(cues::Sound::fanfare);
  player.say({"Right!", "Right!", {"right", "no_such_clip"}}, cues::Turn::Follow);
  player.silence();
}

TEST(SoundPlayer, AServerThatNeverAnswersIsGivenUpAndNothingIsPlayed) {
  // A socket that takes the connection and never says a word, as a hung
  // server would: without the deadline, prepare would wait for ever.
  QTemporaryDir dir;
  const QByteArray path = dir.filePath(QStringLiteral("native")).toUtf8();
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  qputenv("PULSE_SERVER", "unix:" + path);
  {
    qtgui::SoundPlayer player;
    player.prepare();
    EXPECT_FALSE(player.hasOutput());
    player.play(cues::Sound::fanfare);
    player.say({"Right!", "Right!", {"right"}}, cues::Turn::Interrupt);
    player.silence();
  }
  close(listener);
  qunsetenv("PULSE_SERVER");
}

TEST(SoundSinks, ANewSoundTakesAFreeSinkElseCutsTheOneThatStartedFirst) {
  using qtgui::pickSink;
  EXPECT_EQ(pickSink({false, false}, {0, 0}), 0u);
  // A free sink is taken even when a busy one started earlier.
  EXPECT_EQ(pickSink({true, false}, {1, 2}), 1u);
  EXPECT_EQ(pickSink({false, true}, {2, 1}), 0u);
  // All busy: the sound that started first is cut, wherever it is.
  EXPECT_EQ(pickSink({true, true}, {7, 4}), 1u);
  EXPECT_EQ(pickSink({true, true}, {4, 7}), 0u);
  EXPECT_EQ(pickSink({true, true, true}, {9, 2, 5}), 1u);
}

namespace {

QByteArray chunk(const char* id, const QByteArray& body) {
  QByteArray out(id, 4);
  const quint32 size = static_cast<quint32>(body.size());
  out.append(reinterpret_cast<const char*>(&size), 4);  // the test machines are little-endian, as WAV is
  out.append(body);
  if (body.size() % 2) out.append('\0');
  return out;
}

QByteArray fmt(quint16 kind, quint16 channels, quint32 rate, quint16 bits) {
  QByteArray body(16, '\0');
  auto put16 = [&](int at, quint16 v) { std::memcpy(body.data() + at, &v, 2); };
  put16(0, kind);
  put16(2, channels);
  std::memcpy(body.data() + 4, &rate, 4);
  put16(14, bits);
  return chunk("fmt ", body);
}

QByteArray wav(const QByteArray& chunks) {
  QByteArray file("RIFF....WAVE");
  return file + chunks;
}

}  // namespace

TEST(VoiceClips, TheSamplesAreFoundPastOtherChunksAndOnlySixteenBitPcmIsPlayed) {
  const QByteArray samples("\x01\x02\x03\x04", 4);
  QByteArray found;
  // An odd-sized chunk before the samples is padded to an even length. The
  // samples are read in place, so the file must outlive them.
  const QByteArray file = wav(fmt(1, 1, 22050, 16) + chunk("LIST", "abc") + chunk("data", samples));
  const qtgui::ClipFormat format = qtgui::wavSamples(file, &found);
  ASSERT_TRUE(format.isValid());
  EXPECT_EQ(format.sampleRate, 22050);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(found, samples);

  EXPECT_FALSE(qtgui::wavSamples(wav(fmt(3, 1, 22050, 32) + chunk("data", samples)), &found).isValid()) << "float";
  EXPECT_FALSE(qtgui::wavSamples(wav(fmt(1, 1, 22050, 8) + chunk("data", samples)), &found).isValid()) << "8-bit";
  EXPECT_FALSE(qtgui::wavSamples(wav(chunk("data", samples)), &found).isValid()) << "no format";
  QByteArray cut = wav(fmt(1, 1, 22050, 16) + chunk("data", samples));
  cut.chop(2);
  EXPECT_FALSE(qtgui::wavSamples(cut, &found).isValid()) << "cut short";
  EXPECT_FALSE(qtgui::wavSamples("not a wave file", &found).isValid());
}
