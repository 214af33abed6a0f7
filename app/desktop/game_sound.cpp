#include "game_sound.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLibrary>

#include "qt/qt_platform.h"

namespace desktop {

GameSound::GameSound(forms::Program& program, qtgui::QtPlatform& platform)
    : program_(program), director_(program, *this), muteKey_([this] { director_.toggleMute(); }) {
  program.watch(director_);
  QObject::connect(&platform, &qtgui::QtPlatform::windowCreated, &muteKey_, [this](qtgui::FormWindow* window) {
    muteKey_.addTo(window);
  });
}

// The program may outlive the sound: whatever it does later is not heard.
GameSound::~GameSound() { program_.unwatch(director_); }

QString GameSound::modulePath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/tobble/libtobble_sound.so");
}

void GameSound::prepare() {
  if (player_) return;
  // The library stays loaded for the rest of the run: the player lives in it.
  QLibrary module(modulePath());
  using Make = cues::CuePlayer* (*)();
  if (auto make = reinterpret_cast<Make>(module.resolve("tobbleMakeSoundPlayer"))) player_.reset(make());
}

void GameSound::play(const cues::Cue& cue) {
  if (player_) player_->play(cue);
}

void GameSound::say(const cues::Speech& speech, cues::Turn turn) {
  // While a screen reader runs it speaks the texts, and Tobble is silent.
  if (player_ && !QAccessible::isActive()) player_->say(speech, turn);
}

void GameSound::silence() {
  if (player_) player_->silence();
}

}  // namespace desktop
