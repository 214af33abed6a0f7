#include "sound_player.h"

#include <QAccessible>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "voice_sink.h"

namespace qtgui {

namespace {

QString soundPath(std::string_view name) {
  return QStringLiteral(":/audio/sounds/%1.wav").arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QString voicePath(const QString& key) { return QStringLiteral(":/audio/voice/%1.wav").arg(key); }

QUrl resourceUrl(const QString& path) { return QUrl(QStringLiteral("qrc") + path); }

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::prepare() {
  if (voice_) return;
  // Without a session bus, the sound server's client library would start a
  // bus of its own through the display when it cannot reach a server, and
  // leave it running after the game. A bus started that way holds nothing
  // the game could use.
  if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  // Asked once: a machine without a sound server stays silent for the run
  // rather than trying again at every cue.
  output_ = !QMediaDevices::audioOutputs().isEmpty();
  if (!output_) return;
  voice_ = std::make_unique<VoiceSink>([this] {
    speaking_ = false;
    sayNext();
  });
}

void SoundPlayer::play(cues::Sound sound) {
  if (!voice_) return;
  // Each sound is made ready when it is first needed: every one holds a
  // stream of the sound server, and most screens use only a few of them.
  QSoundEffect*& effect = sounds_[static_cast<std::size_t>(sound)];
  if (!effect) {
    const QString path = soundPath(cues::soundName(sound));
    if (!QFile::exists(path)) return;
    effect = new QSoundEffect(this);
    effect->setSource(resourceUrl(path));
  }
  effect->play();
}

void SoundPlayer::say(const cues::Speech& speech, cues::Turn turn) {
  if (!voice_ || QAccessible::isActive()) return;
  if (turn == cues::Turn::Interrupt) {
    clips_.clear();
    voice_->stop();
    speaking_ = false;
  }
  for (const std::string& clip : speech.clips) clips_.push_back(QString::fromStdString(clip));
  if (!speaking_) sayNext();
}

void SoundPlayer::silence() {
  clips_.clear();
  speaking_ = false;
  if (voice_) voice_->stop();
  for (QSoundEffect* effect : sounds_) {
    if (effect) effect->stop();
  }
}

void SoundPlayer::sayNext() {
  while (!clips_.empty()) {
    const QString path = voicePath(clips_.front());
    clips_.pop_front();
    // A clip that is missing is skipped.
    if (voice_->play(path)) {
      speaking_ = true;
      return;
    }
  }
}

}  // namespace qtgui
