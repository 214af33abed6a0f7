// The game in a browser: the same screens and form layer as the desktop, on
// the page's DOM. The page script (site/page.js) calls the functions below
// for the pointer, the keys, the close buttons and the timers.
#include <emscripten.h>

#include <array>

#include "assets/catalogue.h"
#include "cues/director.h"
#include "dom_page.h"
#include "forms/program.h"
#include "reading/reader.h"
#include "screens/screens.h"
#include "settings/settings.h"
#include "web_cue_player.h"
#include "web_platform.h"
#include "web_reading.h"

namespace {
// What a grown-up chose: the saved settings (grownups.js keeps them in
// localStorage), then the address's, which win for this visit, as one query.
// clang-format off
EM_JS(void, js_chosen_settings, (char* out, int size), {
  let query = "";
  try { query = localStorage.getItem("tobble-settings") || ""; } catch (e) {}
  stringToUTF8(query + "&" + location.search.slice(1), out, size);
});
// clang-format on

web::DomPage page;
web::WebPlatform platform{page};
web::WebReading reading{page, platform};
reading::Reader reader{reading};
web::WebCuePlayer cuePlayer;
cues::Director* director = nullptr;
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void tobble_press(int panel, float x, float y, double timeMs) { platform.press(panel, x, y, timeMs); }
EMSCRIPTEN_KEEPALIVE void tobble_release(int panel, float x, float y) { platform.release(panel, x, y); }
EMSCRIPTEN_KEEPALIVE void tobble_activate(int panel, int slot) { platform.activate(panel, slot); }
EMSCRIPTEN_KEEPALIVE void tobble_key(int key) { platform.key(static_cast<web::WebPlatform::Key>(key)); }
EMSCRIPTEN_KEEPALIVE void tobble_place_key(int row, int column) { platform.placeKey(row, column); }
EMSCRIPTEN_KEEPALIVE void tobble_close(int panel) { platform.close(panel); }
EMSCRIPTEN_KEEPALIVE void tobble_tick(int timer) { platform.tick(timer); }
// The M key, in any panel: all sound off, or on again, for the rest of the run.
EMSCRIPTEN_KEEPALIVE void tobble_mute() {
  if (director) director->toggleMute();
}
// H (0) says the last sentence again, I (1) the tries left and the stage:
// by voice, and to a screen reader from the front panel.
EMSCRIPTEN_KEEPALIVE void tobble_ask(int question) {
  if (!director || platform.panels().empty()) return;
  const auto words = director->answer(question == 0 ? cues::Director::Question::SayAgain
                                                    : cues::Director::Question::HowFar);
  reader.answer(*platform.panels().back(), words);
}
}

int main() {
  settings::Settings chosen;
  // Room for every setting at once, several times over.
  std::array<char, 512> query{};
  js_chosen_settings(query.data(), static_cast<int>(query.size()));
  settings::applyQuery(chosen, query.data());
  platform.setPace(chosen.pace);
  platform.setScan(chosen.scan);
  platform.setContrast(chosen.contrast);
  // Lives as long as the page: the browser's event loop calls in above.
  static forms::Program program(platform, assets::pictureInfos());
  platform.attach(program);
  program.watch(reader);
  // Tobble's voice and the sounds: one more watcher of the same changes,
  // with the same cue tables as the desktop. The reading stays: the page
  // cannot tell whether a screen reader listens.
  static cues::Director sound(program, cuePlayer);
  director = &sound;
  sound.setVolumes(chosen.voiceVolume, chosen.effectsVolume);
  program.watch(sound);
  cuePlayer.prepare();
  screens::installScreens(program);
  page.setTheme();
  program.start();
  return 0;
}
