// Run by the site's build: draws the game's first screen with the same
// screens and platform as the page does, and writes down how, for the
// page's script to draw it into the page (draw_first_screen.js).
//   node first_frame_tool.js OUT.json
#include <emscripten.h>

#include <cstdio>

#include "assets/catalogue.h"
#include "first_frame.h"
#include "forms/program.h"
#include "reading/reader.h"
#include "screens/screens.h"
#include "web_platform.h"
#include "web_reading.h"

namespace {
// clang-format off
EM_JS(int, js_write_file, (const char* path, const char* text), {
  try {
    require("fs").writeFileSync(UTF8ToString(path), UTF8ToString(text));
    return 1;
  } catch (e) {
    console.error(String(e));
    return 0;
  }
});
// clang-format on
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: first_frame_tool.js OUT.json\n");
    return 2;
  }
  web::FirstFrame page;
  web::WebPlatform platform{page};
  forms::Program program(platform, assets::pictureInfos());
  platform.attach(program);
  web::WebReading reading{page, platform};
  reading::Reader reader{reading};
  program.watch(reader);
  screens::installScreens(program);
  program.start();
  for (const std::string& error : page.errors()) std::fprintf(stderr, "first screen: %s\n", error.c_str());
  if (!page.errors().empty()) return 1;
  return js_write_file(argv[1], page.json().c_str()) ? 0 : 1;
}
