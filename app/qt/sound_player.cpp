#include "sound_player.h"

#include <QAccessible>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

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
  for (std::size_t i = 0; i < sounds_.size(); ++i) {
    const QString path = soundPath(cues::kSoundNames[i]);
    if (!QFile::exists(path)) continue;
    sounds_[i] = new QSoundEffect(this);
    sounds_[i]->setSource(resourceUrl(path));
  }
  voice_ = new QSoundEffect(this);
  connect(voice_, &QSoundEffect::playingChanged, this, &SoundPlayer::voiceStateChanged);
}

void SoundPlayer::play(cues::Sound sound) {
  if (QSoundEffect* effect = sounds_[static_cast<std::size_t>(sound)]) effect->play();
}

void SoundPlayer::say(const cues::Speech& speech, cues::Turn turn) {
  if (!voice_ || QAccessible::isActive()) return;
  if (turn == cues::Turn::Interrupt) {
    clips_.clear();
    voice_->stop();
  }
  for (const std::string& clip : speech.clips) clips_.push_back(QString::fromStdString(clip));
  if (!voice_->isPlaying()) sayNext();
}

void SoundPlayer::silence() {
  clips_.clear();
  if (voice_) voice_->stop();
  for (QSoundEffect* effect : sounds_) {
    if (effect) effect->stop();
  }
}

void SoundPlayer::sayNext() {
  while (!clips_.empty()) {
    const QString path = voicePath(clips_.front());
    clips_.pop_front();
    if (!QFile::exists(path)) continue;
    // Changing the source stops the voice, which must not count as the end
    // of this clip.
    switching_ = true;
    voice_->setSource(resourceUrl(path));
    switching_ = false;
    voice_->play();
    return;
  }
}

void SoundPlayer::voiceStateChanged() {
  if (!switching_ && !voice_->isPlaying()) sayNext();
}

}  // namespace qtgui
