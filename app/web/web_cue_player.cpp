#include "web_cue_player.h"

#include <emscripten.h>

#include <cmath>
#include <string>

#include "cues/voice_catalogue.h"

namespace web {

namespace {

// Names travel as lines: no clip key or sound name holds a line break.
// clang-format off
EM_JS(void, js_audio_clips, (const char* sounds, const char* voice), {
  Module.audio.clips(UTF8ToString(sounds).split('\n'), UTF8ToString(voice).split('\n'));
});
// A sound of no place comes with a pan of NaN: it plays as made.
EM_JS(void, js_audio_play, (const char* sound, double pan, double rate, double gain), {
  Module.audio.play(UTF8ToString(sound), isNaN(pan) ? null : pan, rate, gain);
});
EM_JS(void, js_audio_say, (const char* written, const char* clips, int interrupt, double gain), {
  const list = UTF8ToString(clips);
  Module.audio.say(UTF8ToString(written), list ? list.split('\n') : [], !!interrupt, gain);
});
EM_JS(void, js_audio_silence, (), { Module.audio.silence(); });
// clang-format on

template <class Range>
std::string lines(const Range& names) {
  std::string out;
  for (const auto& name : names) {
    if (!out.empty()) out += '\n';
    out += name;
  }
  return out;
}

}  // namespace

void WebCuePlayer::prepare() {
  std::string voice;
  for (const cues::VoiceLine& line : cues::voiceLines()) {
    if (!voice.empty()) voice += '\n';
    voice += line.key;
  }
  js_audio_clips(lines(cues::kSoundNames).c_str(), voice.c_str());
}

void WebCuePlayer::play(const cues::Cue& cue) {
  js_audio_play(std::string(cues::soundName(cue.sound)).c_str(), cue.pan ? *cue.pan : std::nan(""), cue.rate, cue.gain);
}

void WebCuePlayer::say(const cues::Speech& speech, cues::Turn turn) {
  js_audio_say(speech.written.c_str(), lines(speech.clips).c_str(), turn == cues::Turn::Interrupt, speech.gain);
}

void WebCuePlayer::silence() { js_audio_silence(); }

}  // namespace web
