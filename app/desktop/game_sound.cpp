#include "game_sound.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLibrary>

#include "qt/form_window.h"
#include "qt/qt_platform.h"

namespace desktop {

GameSound::GameSound(forms::Program& program, qtgui::QtPlatform& platform)
    : program_(program),
      platform_(platform),
      director_(program, *this),
      letterKeys_([this](QWidget* window, qtgui::LetterKeys::Letter letter) { letterPressed(window, letter); }) {
  program.watch(director_);
  QObject::connect(&platform, &qtgui::QtPlatform::windowCreated, &letterKeys_,
                   [this](qtgui::FormWindow* window) { letterKeys_.addTo(window); });
}

void GameSound::letterPressed(QWidget* window, qtgui::LetterKeys::Letter letter) {
  using Letter = qtgui::LetterKeys::Letter;
  if (letter == Letter::M) {
    director_.toggleMute();
    return;
  }
  const auto question = letter == Letter::H ? cues::Director::Question::SayAgain : cues::Director::Question::HowFar;
  const std::vector<std::string> words = director_.answer(question);
  if (auto* formWindow = qobject_cast<qtgui::FormWindow*>(window)) platform_.reader().answer(formWindow->form(), words);
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
