#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstring>

#include "sound/clip_sink.h"
#include "sound/effect_sinks.h"
#include "qt/letter_keys.h"
#include "sound/sound_player.h"

// Protects the desktop's side of the sound: the M key and a machine that
// has no sound server.

namespace {

// Points the sound library at `server` for one test, and puts back what was
// there, so no later test inherits it.
class ScopedSoundServer {
 public:
  explicit ScopedSoundServer(const QByteArray& server)
      : had_(qEnvironmentVariableIsSet("PULSE_SERVER")), old_(qgetenv("PULSE_SERVER")) {
    qputenv("PULSE_SERVER", server);
  }
  ~ScopedSoundServer() {
    if (had_) {
      qputenv("PULSE_SERVER", old_);
    } else {
      qunsetenv("PULSE_SERVER");
    }
  }

 private:
  bool had_;
  QByteArray old_;
};

// Waits for the player to settle its look for a server: well past its own
// one-second deadline, so only a player that never gives up fails.
bool settles(const sound::SoundPlayer& player) {
  return QTest::qWaitFor([&] { return !player.connecting(); }, 20000);
}

}  // namespace

TEST(LetterKeys, MHAndIInEveryWindowAnswerOnceAndOtherKeysPassThrough) {
  using Letter = qtgui::LetterKeys::Letter;
  std::vector<std::pair<QWidget*, Letter>> pressed;
  qtgui::LetterKeys keys([&](QWidget* window, Letter letter) { pressed.emplace_back(window, letter); });
  QWidget first, second;
  for (QWidget* window : {&first, &second}) {
    keys.addTo(window);
    // In whichever window is in front, and from a button with the focus.
    auto* button = new QPushButton(QStringLiteral("Start"), window);
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_M);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_H);
  }
  using Pressed = std::vector<std::pair<QWidget*, Letter>>;
  EXPECT_EQ(pressed, (Pressed{{&first, Letter::M}, {&first, Letter::H}, {&second, Letter::M}, {&second, Letter::H}}));
  pressed.clear();
  QTest::keyClick(&second, Qt::Key_I, Qt::ShiftModifier);
  QTest::keyClick(&second, Qt::Key_M, Qt::ControlModifier);
  QTest::keyClick(&second, Qt::Key_N);
  EXPECT_EQ(pressed, (Pressed{{&second, Letter::I}}));
}

TEST(SoundPlayer, WithoutASoundServerItGivesUpQuietly) {
  ScopedSoundServer nowhere("unix:/nonexistent/tobble-test");
  sound::SoundPlayer player;
  player.say({"Get Ready!", "Get Ready!", {"cards_get_ready"}}, cues::Turn::Interrupt);
  EXPECT_FALSE(player.connecting()) << "looked for a server before prepare";
  player.prepare();
  ASSERT_TRUE(settles(player));
  EXPECT_FALSE(player.hasOutput());
  player.play({cues::Sound::fanfare, std::nullopt, 1, 1});
  player.say({"Right!", "Right!", {"right", "no_such_clip"}}, cues::Turn::Follow);
  player.silence();
  ASSERT_TRUE(settles(player));
  EXPECT_FALSE(player.hasOutput());
}

TEST(SoundPlayer, AServerThatNeverAnswersIsGivenUpWithoutHoldingUpTheGame) {
  // A socket that takes the connection and never says a word, as a hung
  // server would: without the deadline, the player would look for ever.
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
  {
    ScopedSoundServer hung("unix:" + path);
    sound::SoundPlayer player;
    player.prepare();
    // Back at once, still looking: the game's thread never waits for it.
    EXPECT_TRUE(player.connecting());
    player.say({"Right!", "Right!", {"right"}}, cues::Turn::Interrupt);
    ASSERT_TRUE(settles(player));
    EXPECT_FALSE(player.hasOutput());
  }
  close(listener);
}

TEST(SoundSinks, ANewSoundTakesAFreeSinkElseCutsTheOneThatStartedFirst) {
  using sound::pickSink;
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
  const sound::ClipFormat format = sound::wavSamples(file, &found);
  ASSERT_TRUE(format.isValid());
  EXPECT_EQ(format.sampleRate, 22050);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(found, samples);

  EXPECT_FALSE(sound::wavSamples(wav(fmt(3, 1, 22050, 32) + chunk("data", samples)), &found).isValid()) << "float";
  EXPECT_FALSE(sound::wavSamples(wav(fmt(1, 1, 22050, 8) + chunk("data", samples)), &found).isValid()) << "8-bit";
  EXPECT_FALSE(sound::wavSamples(wav(chunk("data", samples)), &found).isValid()) << "no format";
  QByteArray cut = wav(fmt(1, 1, 22050, 16) + chunk("data", samples));
  cut.chop(2);
  EXPECT_FALSE(sound::wavSamples(cut, &found).isValid()) << "cut short";
  EXPECT_FALSE(sound::wavSamples("not a wave file", &found).isValid());
}
