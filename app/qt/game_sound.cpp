#include "game_sound.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLibrary>
#include <QThread>

namespace qtgui {

GameSound::GameSound(forms::Program& program)
    : director_(program, *this), muteKey_([this] { director_.toggleMute(); }) {
  program.watch(director_);
}

GameSound::~GameSound() {
  if (!thread_) return;
  // The player's objects belong to the sound's thread and go with it.
  QMetaObject::invokeMethod(worker_, [this] { player_.reset(); }, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
  delete worker_;
}

QString GameSound::modulePath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/tobble/libtobble_sound.so");
}

template <class Job>
void GameSound::post(Job&& job) {
  if (worker_) QMetaObject::invokeMethod(worker_, std::forward<Job>(job), Qt::QueuedConnection);
}

void GameSound::prepare() {
  if (thread_) return;
  thread_ = std::make_unique<QThread>();
  thread_->setObjectName(QStringLiteral("sound"));
  worker_ = new QObject;
  worker_->moveToThread(thread_.get());
  thread_->start();
  post([this, path = modulePath()] {
    // The library stays loaded for the rest of the run: the player lives in it.
    QLibrary module(path);
    using Make = cues::CuePlayer* (*)();
    if (auto make = reinterpret_cast<Make>(module.resolve("tobbleMakeSoundPlayer"))) player_.reset(make());
  });
}

void GameSound::play(cues::Sound sound) {
  post([this, sound] {
    if (player_) player_->play(sound);
  });
}

void GameSound::say(const cues::Speech& speech, cues::Turn turn) {
  // While a screen reader runs it speaks the texts, and Tobble is silent.
  // Asked here, on the GUI thread, where the accessibility state lives.
  if (QAccessible::isActive()) return;
  post([this, speech, turn] {
    if (player_) player_->say(speech, turn);
  });
}

void GameSound::silence() {
  post([this] {
    if (player_) player_->silence();
  });
}

}  // namespace qtgui
