#include "game_sound.h"

#include <QCoreApplication>
#include <QLibrary>

namespace qtgui {

GameSound::GameSound(forms::Program& program)
    : director_(program, *this), muteKey_([this] { director_.toggleMute(); }) {
  program.watch(director_);
}

GameSound::~GameSound() = default;

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

void GameSound::play(cues::Sound sound) {
  if (player_) player_->play(sound);
}

void GameSound::say(const cues::Speech& speech, cues::Turn turn) {
  if (player_) player_->say(speech, turn);
}

void GameSound::silence() {
  if (player_) player_->silence();
}

}  // namespace qtgui
