#include "cue_recorder.h"

namespace headless {

std::string CueRecorder::Cue::text() const {
  switch (kind) {
    case Kind::Sound: return "sound: " + std::string(cues::soundName(sound));
    case Kind::Say: return "say: " + speech.written;
    case Kind::Silence: break;
  }
  return "silence";
}

std::vector<std::string> CueRecorder::said() const {
  std::vector<std::string> texts;
  for (const Cue& cue : cues_) {
    if (cue.kind == Cue::Kind::Say) texts.push_back(cue.speech.written);
  }
  return texts;
}

std::vector<cues::Sound> CueRecorder::sounds() const {
  std::vector<cues::Sound> played;
  for (const Cue& cue : cues_) {
    if (cue.kind == Cue::Kind::Sound) played.push_back(cue.sound);
  }
  return played;
}

void CueRecorder::play(const cues::Cue& cue) {
  cues_.push_back({.kind = Cue::Kind::Sound, .at = platform_.now(), .sound = cue.sound, .cue = cue});
}

void CueRecorder::say(const cues::Speech& speech, cues::Turn turn) {
  cues_.push_back({.kind = Cue::Kind::Say, .at = platform_.now(), .speech = speech, .turn = turn});
}

void CueRecorder::silence() { cues_.push_back({.kind = Cue::Kind::Silence, .at = platform_.now()}); }

}  // namespace headless
