#include "page_json.h"

#include "forms/style.h"

namespace web {

namespace {

nlohmann::json rect(forms::PixelRect r) { return {r.x, r.y, r.width, r.height}; }

}  // namespace

std::string lookJson(const ControlLook& l) {
  nlohmann::json j{{"kind", static_cast<int>(l.kind)}, {"depth", l.depth},     {"visible", l.visible},
                   {"enabled", l.enabled},             {"box", rect(l.box)}};
  switch (l.kind) {
    case forms::Kind::Label:
    case forms::Kind::CommandButton:
      j.update({{"text", l.text}, {"family", l.font.family}, {"pixels", l.font.pixels}, {"bold", l.font.bold},
                {"italic", l.font.italic}, {"underline", l.font.underline}, {"fore", l.fore}, {"back", l.back}});
      break;
    case forms::Kind::Image: j.update({{"picture", l.picture}, {"name", l.name}}); break;
    case forms::Kind::Shape:
      j.update({{"shape", static_cast<int>(l.outline.kind)}, {"path", rect(l.outline.path)},
                {"radius", l.outline.radius}, {"opaque", l.opaque}, {"back", l.back}, {"fill", static_cast<int>(l.fill)},
                {"fillColour", l.fillColour}, {"border", l.border}, {"borderWidth", l.borderWidth}});
      break;
    case forms::Kind::Line:
      j.update({{"x1", l.x1}, {"y1", l.y1}, {"x2", l.x2}, {"y2", l.y2}, {"border", l.border},
                {"borderWidth", l.borderWidth}});
      break;
    default: break;
  }
  return pageJson(j);
}

std::string readingJson(const reading::ControlReading& r) {
  static constexpr const char* kRoles[] = {"text", "button", "hidden"};
  return pageJson({{"role", kRoles[static_cast<int>(r.role)]}, {"name", r.name}, {"description", r.description},
                   {"visible", r.visible}, {"enabled", r.enabled}, {"clickable", r.clickable}});
}

std::string pageJson(const nlohmann::json& value) {
  // A caption that is not UTF-8 is shown with replacement characters rather
  // than failing the page.
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

Theme desktopTheme() {
  using namespace forms::system_colour;
  return {packed(buttonFace), packed(activeCaption), packed(captionText)};
}

}  // namespace web
