#include "page_json.h"

#include <cstdio>

#include "style.h"

namespace web {

void appendJsonString(std::string& out, std::string_view s) {
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

namespace {

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
    appendJsonString(out_, v);
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

}  // namespace

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

Theme desktopTheme() {
  using namespace forms::system_colour;
  return {packed(buttonFace), packed(activeCaption), packed(captionText)};
}

}  // namespace web
