#include "sound_player.h"

#include <QAccessible>
#include <QFile>

#include "clip_sink.h"
#include "effect_sinks.h"
#include "sound_server.h"

namespace qtgui {

namespace {

QString soundPath(std::string_view name) {
  return QStringLiteral(":/audio/sounds/%1.wav").arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QString voicePath(const QString& key) { return QStringLiteral(":/audio/voice/%1.wav").arg(key); }

// Two sounds at once are enough: a pattern's note with a click's, a hit with
// a new picture. A third cuts the one that started first.
constexpr std::size_t kSoundsAtOnce = 2;

// A local sound server answers in milliseconds; one that takes longer is
// not worth waiting for, and the wait holds up only the sound's thread.
constexpr std::chrono::milliseconds kServerDeadline{1000};

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::prepare() {
  if (prepared_) return;
  prepared_ = true;
  // Asked once: a machine without a sound server stays silent for the run
  // rather than trying again at every cue.
  server_ = SoundServer::connect(kServerDeadline);
  output_ = server_ != nullptr;
  if (!output_) return;
  voice_ = std::make_unique<ClipSink>(*server_, [this] {
    speaking_ = false;
    sayNext();
  });
  sounds_ = std::make_unique<EffectSinks>(*server_, kSoundsAtOnce);
}

void SoundPlayer::play(cues::Sound sound) {
  if (!sounds_) return;
  // A sound that is not embedded is skipped, and cuts no other.
  const QString path = soundPath(cues::soundName(sound));
  if (QFile::exists(path)) sounds_->play(path);
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
  if (sounds_) sounds_->stop();
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
