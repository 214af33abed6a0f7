#include "dom_page.h"

#include <emscripten.h>

#include <cstdio>
#include <string>

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
EM_JS(void, js_show_error, (const char* text), { Module.page.showError(UTF8ToString(text)); });
EM_JS(void, js_say_goodbye, (), { Module.page.sayGoodbye(); });
// clang-format on

void appendString(std::string& out, std::string_view s) {
  out += '"';
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

class Json {
 public:
  Json& field(const char* name, double v) {
    key(name);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    out_ += buf;
    return *this;
  }
  Json& field(const char* name, bool v) {
    key(name);
    out_ += v ? "true" : "false";
    return *this;
  }
  Json& field(const char* name, std::string_view v) {
    key(name);
    appendString(out_, v);
    return *this;
  }
  Json& rect(const char* name, forms::PixelRect r) {
    key(name);
    char buf[128];
    std::snprintf(buf, sizeof buf, "[%.9g,%.9g,%.9g,%.9g]", r.x, r.y, r.width, r.height);
    out_ += buf;
    return *this;
  }
  std::string done() { return out_ + '}'; }

 private:
  void key(const char* name) {
    out_ += out_.size() > 1 ? ",\"" : "\"";
    out_ += name;
    out_ += "\":";
  }
  std::string out_ = "{";
};

std::string lookJson(const ControlLook& l) {
  Json j;
  j.field("kind", static_cast<double>(l.kind)).field("depth", static_cast<double>(l.depth));
  j.field("visible", l.visible).field("enabled", l.enabled).rect("box", l.box);
  switch (l.kind) {
    case forms::Kind::Label:
    case forms::Kind::CommandButton:
      j.field("text", l.text).field("family", l.font.family).field("pixels", static_cast<double>(l.font.pixels));
      j.field("bold", l.font.bold).field("italic", l.font.italic).field("underline", l.font.underline);
      j.field("fore", static_cast<double>(l.fore)).field("back", static_cast<double>(l.back));
      break;
    case forms::Kind::Image: j.field("picture", l.picture).field("name", l.name); break;
    case forms::Kind::Shape:
      j.field("shape", static_cast<double>(l.outline.kind)).rect("path", l.outline.path);
      j.field("radius", static_cast<double>(l.outline.radius)).field("opaque", l.opaque);
      j.field("back", static_cast<double>(l.back)).field("fill", static_cast<double>(l.fill));
      j.field("fillColour", static_cast<double>(l.fillColour)).field("border", static_cast<double>(l.border));
      j.field("borderWidth", static_cast<double>(l.borderWidth));
      break;
    case forms::Kind::Line:
      j.field("x1", static_cast<double>(l.x1)).field("y1", static_cast<double>(l.y1));
      j.field("x2", static_cast<double>(l.x2)).field("y2", static_cast<double>(l.y2));
      j.field("border", static_cast<double>(l.border)).field("borderWidth", static_cast<double>(l.borderWidth));
      break;
    default: break;
  }
  return j.done();
}

}  // namespace

void DomPage::setTheme() {
  using namespace forms::system_colour;
  js_theme(static_cast<int>(packed(buttonFace)), static_cast<int>(packed(activeCaption)),
           static_cast<int>(packed(captionText)));
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
void DomPage::showError(std::string_view message) { js_show_error(std::string(message).c_str()); }
void DomPage::sayGoodbye() { js_say_goodbye(); }

}  // namespace web
