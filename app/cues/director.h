#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cue_player.h"
#include "forms/program.h"
#include "forms/watcher.h"
#include "screen_cues.h"

namespace cues {

// Turns what the game shows into what is heard, through the screens' tables.
//
// During an event it only notes which controls were touched; when the event
// has been handled it reads the settled screen, so a text set and replaced
// within one handler is said once, in its final words, and a window that is
// hidden by the end of the event says nothing. A text is said when it shows
// on a window on screen: when it changes, when its label appears, or when
// its window comes to the front. A change that reads the same aloud as what
// the label said before is not said again.
class Director final : public forms::Watcher {
 public:
  Director(forms::Program& program, CuePlayer& player);

  // Silence for the rest of the run, or until unmuted: stops what is playing.
  void setMuted(bool muted);
  void toggleMute() { setMuted(!muted_); }
  bool muted() const { return muted_; }
  // The grown-ups' volumes, 0 to 100, carried by every cue from now on.
  void setVolumes(int voice, int effects);

  // What a child may ask by key, answered in the game's own words.
  enum class Question {
    SayAgain,  // H: the last sentence Tobble said, again
    HowFar,    // I: the tries left and the stage of the game on screen
  };
  // Says the answer, even over what is being said (unless muted), and
  // returns its sentences, so that a screen reader is told the same.
  std::vector<std::string> answer(Question question);

  void formShown(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::Property what) override;
  void eventHandled(forms::Cause) override;

 private:
  struct Watched {
    const CueRule* rule;
    int slot;   // -1 for the window itself
    int index;  // the element's index in its control array
  };
  struct Screen {
    bool resolved = false;
    bool shown = false;  // shown (or brought to the front) in this event
    std::vector<Watched> watched;
    std::vector<std::uint8_t> touched;  // by slot, in this event: what changed (Touch)
    std::vector<std::string> heard;     // by slot: what a speech label said last
  };

  Screen& screen(const forms::Form& form);
  void settle(const forms::Form& form, Screen& screen);
  void play(Sound sound);
  // A sound of the rule's grid, placed at the elements that set it off now.
  void playPlaced(Sound sound, const Screen& screen, const Watched& first);
  void say(const std::string& written, std::string spokenText);

  forms::Program& program_;
  CuePlayer& player_;
  std::array<Screen, forms::kFormCount> screens_;
  bool muted_ = false;
  float voiceGain_ = 1;
  float effectsGain_ = 1;
  bool ended_ = false;
  bool saidThisEvent_ = false;
  std::string lastSaid_;  // as written
};

}  // namespace cues
