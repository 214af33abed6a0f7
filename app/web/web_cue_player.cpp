#include "web_cue_player.h"

#include <emscripten.h>

#include <string>

#include "cues/voice_catalogue.h"

namespace web {

namespace {

// Names travel as lines: no clip key or sound name holds a line break.
// clang-format off
EM_JS(void, js_audio_clips, (const char* sounds, const char* voice), {
  Module.audio.clips(UTF8ToString(sounds).split('\n'), UTF8ToString(voice).split('\n'));
});
EM_JS(void, js_audio_play, (const char* sound), { Module.audio.play(UTF8ToString(sound)); });
EM_JS(void, js_audio_say, (const char* written, const char* clips, int interrupt), {
  const list = UTF8ToString(clips);
  Module.audio.say(UTF8ToString(written), list ? list.split('\n') : [], !!interrupt);
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

void WebCuePlayer::play(cues::Sound sound) { js_audio_play(std::string(cues::soundName(sound)).c_str()); }

void WebCuePlayer::say(const cues::Speech& speech, cues::Turn turn) {
  js_audio_say(speech.written.c_str(), lines(speech.clips).c_str(), turn == cues::Turn::Interrupt);
}

void WebCuePlayer::silence() { js_audio_silence(); }

}  // namespace web
