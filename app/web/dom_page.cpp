#include "dom_page.h"

#include <emscripten.h>

#include <string>

#include "page_json.h"

namespace web {

namespace {

// clang-format off
EM_JS(void, js_theme, (int face, int caption, int captionText), {
  Module.page.theme(face, caption, captionText);
});
EM_JS(double, js_seconds_since_midnight, (), {
  const d = new Date();
  return d.getHours() * 3600 + d.getMinutes() * 60 + d.getSeconds() + d.getMilliseconds() / 1000;
});
EM_JS(void, js_open_panel, (int panel, const char* caption, int w, int h, int bg, int centred), {
  Module.page.openPanel(panel, UTF8ToString(caption), w, h, bg, !!centred);
});
EM_JS(void, js_show_panel, (int panel, int stack), { Module.page.showPanel(panel, stack); });
EM_JS(void, js_hide_panel, (int panel), { Module.page.hidePanel(panel); });
EM_JS(void, js_close_panel, (int panel), { Module.page.closePanel(panel); });
EM_JS(void, js_draw_control, (int panel, int slot, const char* look), {
  Module.page.drawControl(panel, slot, JSON.parse(UTF8ToString(look)));
});
EM_JS(void, js_focus_ring, (int panel, int slot, float x, float y, float w, float h), {
  Module.page.focusRing(panel, slot, x, y, w, h);
});
EM_JS(void, js_start_timer, (int timer, int ms), { Module.page.startTimer(timer, ms); });
EM_JS(void, js_stop_timer, (int timer), { Module.page.stopTimer(timer); });
EM_JS(void, js_announce, (const char* text), { Module.page.announce(UTF8ToString(text)); });
EM_JS(void, js_read_order, (int panel, const char* slots), {
  Module.page.readOrder(panel, JSON.parse(UTF8ToString(slots)));
});
EM_JS(void, js_read_control, (int panel, int slot, const char* reading), {
  Module.page.readControl(panel, slot, JSON.parse(UTF8ToString(reading)));
});
EM_JS(void, js_focus_panel, (int panel), { Module.page.focusPanel(panel); });
EM_JS(void, js_show_error, (const char* text), { Module.page.showError(UTF8ToString(text)); });
EM_JS(void, js_say_goodbye, (), { Module.page.sayGoodbye(); });
// clang-format on

}  // namespace

void DomPage::setTheme() {
  const Theme theme = desktopTheme();
  js_theme(static_cast<int>(theme.face), static_cast<int>(theme.caption), static_cast<int>(theme.captionText));
}

double DomPage::secondsSinceMidnight() const { return js_seconds_since_midnight(); }

void DomPage::openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                        bool centred) {
  js_open_panel(panel, std::string(caption).c_str(), width, height, static_cast<int>(background), centred);
}

void DomPage::showPanel(int panel, int stack) { js_show_panel(panel, stack); }
void DomPage::hidePanel(int panel) { js_hide_panel(panel); }
void DomPage::closePanel(int panel) { js_close_panel(panel); }

void DomPage::drawControl(int panel, int slot, const ControlLook& look) {
  js_draw_control(panel, slot, lookJson(look).c_str());
}

void DomPage::focusRing(int panel, int slot, forms::PixelRect r) { js_focus_ring(panel, slot, r.x, r.y, r.width, r.height); }
void DomPage::startTimer(int timer, int intervalMs) { js_start_timer(timer, intervalMs); }
void DomPage::stopTimer(int timer) { js_stop_timer(timer); }
void DomPage::announce(std::string_view text) { js_announce(std::string(text).c_str()); }
void DomPage::readOrder(int panel, const std::vector<int>& slots) {
  js_read_order(panel, pageJson(slots).c_str());
}
void DomPage::readControl(int panel, int slot, const reading::ControlReading& reading) {
  js_read_control(panel, slot, readingJson(reading).c_str());
}
void DomPage::focusPanel(int panel) { js_focus_panel(panel); }
void DomPage::showError(std::string_view message) { js_show_error(std::string(message).c_str()); }
void DomPage::sayGoodbye() { js_say_goodbye(); }

}  // namespace web
