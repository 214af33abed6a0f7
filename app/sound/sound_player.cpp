#include "sound_player.h"

#include <QFile>
#include <algorithm>

#include "clip_sink.h"
#include "effect_sinks.h"

namespace sound {

namespace {

QString soundPath(std::string_view name) {
  return QStringLiteral(":/audio/sounds/%1.wav").arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QString voicePath(const QString& key) { return QStringLiteral(":/audio/voice/%1.wav").arg(key); }

// Two sounds at once are enough: a pattern's note with a click's, a hit with
// a new picture. A third cuts the one that started first.
constexpr std::size_t kSoundsAtOnce = 2;

// A local sound server answers in milliseconds; one that takes longer is
// not worth waiting for. Nothing waits for it but the sentence at hand.
constexpr std::chrono::milliseconds kServerDeadline{1000};

// A server that went away is looked for again soon, then less and less
// often: an attempt on a machine with no server costs a few microseconds.
constexpr std::chrono::milliseconds kFirstRetry{250};
constexpr std::chrono::milliseconds kLongestRetry{4000};

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent), retryWait_(kFirstRetry) {
  retry_.setSingleShot(true);
  QObject::connect(&retry_, &QTimer::timeout, this, [this] { connectToServer(); });
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::prepare() {
  if (prepared_) return;
  prepared_ = true;
  connectToServer();
}

void SoundPlayer::connectToServer() {
  lastAttempt_ = Clock::now();
  retry_.stop();
  connecting_ = true;
  const unsigned attempt = ++attempt_;
  // The news comes on the library's thread; the sinks are made on this one.
  server_ = ServerConnection::open(kServerDeadline, [this, attempt](ServerConnection::News news) {
    QMetaObject::invokeMethod(
        this, [this, attempt, news] { if (attempt == attempt_) settle(news); }, Qt::QueuedConnection);
  });
  if (!server_) {
    connecting_ = false;
    retryLater();
  }
}

void SoundPlayer::settle(ServerConnection::News news) {
  if (news == ServerConnection::News::Gone) {
    lose();
    return;
  }
  connecting_ = false;
  retryWait_ = kFirstRetry;
  voice_ = std::make_unique<ClipSink>(*server_, [this] {
    speaking_ = false;
    sayNext();
  });
  sounds_ = std::make_unique<EffectSinks>(*server_, kSoundsAtOnce);
  // A sentence said while the server was being looked for.
  sayNext();
}

void SoundPlayer::lose() {
  if (!server_) return;
  clips_.clear();
  speaking_ = false;
  connecting_ = false;
  // The sinks play through the connection, so they go first.
  voice_.reset();
  sounds_.reset();
  server_.reset();
  retryLater();
}

void SoundPlayer::retryLater() {
  retry_.start(retryWait_);
  retryWait_ = std::min(retryWait_ * 2, kLongestRetry);
}

void SoundPlayer::play(const cues::Cue& cue) {
  if (!sounds_) return;
  // A sound that is not embedded is skipped, and cuts no other.
  const QString path = soundPath(cues::soundName(cue.sound));
  if (QFile::exists(path)) sounds_->play(path, {cue.pan, cue.rate, cue.gain});
}

void SoundPlayer::say(const cues::Speech& speech, cues::Turn turn) {
  // A sentence is worth a look for a server that came back since the last
  // retry, so the child hears it rather than the one after.
  if (!server_ && prepared_ && Clock::now() - lastAttempt_ >= kFirstRetry) connectToServer();
  if (!server_) return;
  if (turn == cues::Turn::Interrupt) {
    clips_.clear();
    if (voice_) voice_->stop();
    speaking_ = false;
  }
  for (const std::string& clip : speech.clips) clips_.push_back(QString::fromStdString(clip));
  voiceGain_ = speech.gain;
  if (!speaking_) sayNext();
}

void SoundPlayer::silence() {
  clips_.clear();
  speaking_ = false;
  if (voice_) voice_->stop();
  if (sounds_) sounds_->stop();
}

void SoundPlayer::sayNext() {
  // While the server is being looked for, the clips wait for it.
  while (voice_ && !clips_.empty()) {
    const QString path = voicePath(clips_.front());
    clips_.pop_front();
    // A clip that is missing is skipped.
    if (voice_->play(path, {std::nullopt, 1, voiceGain_})) {
      speaking_ = true;
      return;
    }
  }
}

}  // namespace sound
