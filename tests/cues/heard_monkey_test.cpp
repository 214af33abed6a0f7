#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "cues/director.h"
#include "cues/voice_catalogue.h"
#include "headless/cue_recorder.h"
#include "monkey/monkey.h"

using headless::CueRecorder;
using testing_support::Game;
using testing_support::Monkey;

namespace {

// Listens to every game of a monkey and checks what it hears at the end of
// every event, right after the director has spoken.
class Listener final : public Monkey::Follower, public forms::Watcher {
 public:
  void gameMade(Game& game) override {
    game_ = &game;
    director_.reset();
    recorder_ = std::make_unique<CueRecorder>(game.platform);
    director_ = std::make_unique<cues::Director>(game.program, *recorder_);
    game.program.watch(*director_);
    game.program.watch(*this);
    // Every fourth game is played muted from the start.
    muted_ = ++games_ % 4 == 0;
    director_->setMuted(muted_);
    recorder_->clear();
  }

  std::string brokenRule(Game&) override { return std::exchange(broken_, {}); }

  void eventHandled(forms::Cause) override {
    if (broken_.empty()) broken_ = check(*game_);
    recorder_->clear();
  }

 private:
  std::string check(const Game& game) const {
    std::set<std::string> saidNow;
    for (const CueRecorder::Cue& cue : recorder_->cues()) {
      if (cue.kind == CueRecorder::Cue::Kind::Silence) continue;
      if (muted_) return "heard in a muted game: " + cue.text();
      if (game.ended()) return "heard after the end: " + cue.text();
      if (cue.kind != CueRecorder::Cue::Kind::Say) continue;
      const std::string& text = cue.speech.written;
      if (!saidNow.insert(text).second) return "said twice for one change: " + text;
      if (cue.speech.clips.empty()) return "no voice for: " + text;
      for (const std::string& clip : cue.speech.clips) {
        if (!keys_.contains(clip)) return "no clip " + clip + " for: " + text;
      }
      if (!onScreen(game, text)) return "said but on no window on screen: " + text;
    }
    return {};
  }

  static bool onScreen(const Game& game, const std::string& text) {
    for (const forms::Form* window : game.platform.windows()) {
      for (const forms::ControlState& control : window->controls()) {
        if (control.visible && control.text == text) return true;
      }
    }
    return false;
  }

  std::set<std::string> keys_ = [] {
    std::set<std::string> keys;
    for (const auto& line : cues::voiceLines()) keys.insert(line.key);
    return keys;
  }();
  std::unique_ptr<CueRecorder> recorder_;
  std::unique_ptr<cues::Director> director_;
  Game* game_ = nullptr;
  std::string broken_;
  int games_ = 0;
  bool muted_ = false;
};

}  // namespace

// Protects the voice against any play: whatever a child does, every sentence
// said is on a window on screen, said once, and has its voice in the
// catalogue; muted games and ended ones are silent.
TEST(HeardMonkey, RandomPlayOnlySaysWhatIsOnScreenAndTheCatalogueHolds) {
  Listener listener;
  std::uint64_t games = 0;
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    Monkey monkey(seed, &listener);
    ASSERT_TRUE(monkey.run(3000)) << monkey.failure();
    games += monkey.gamesPlayed();
  }
  EXPECT_GT(games, 40u);
}
