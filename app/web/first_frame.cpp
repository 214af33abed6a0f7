#include "first_frame.h"

#include "page_json.h"

namespace web {

namespace {

std::string number(long long v) { return std::to_string(v); }

}  // namespace

FirstFrame::FirstFrame() {
  const Theme theme = desktopTheme();
  calls_.push_back("[\"theme\"," + number(theme.face) + "," + number(theme.caption) + "," +
                   number(theme.captionText) + "]");
}

void FirstFrame::openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                           bool centred) {
  std::string call = "[\"openPanel\",";
  call.append(number(panel)).append(",");
  appendJsonString(call, caption);
  call.append(",").append(number(width)).append(",").append(number(height));
  call.append(",").append(number(background)).append(centred ? ",true]" : ",false]");
  calls_.push_back(std::move(call));
}

void FirstFrame::showPanel(int panel, int stack) {
  calls_.push_back("[\"showPanel\"," + number(panel) + "," + number(stack) + "]");
}

void FirstFrame::hidePanel(int panel) { calls_.push_back("[\"hidePanel\"," + number(panel) + "]"); }

void FirstFrame::closePanel(int panel) { calls_.push_back("[\"closePanel\"," + number(panel) + "]"); }

void FirstFrame::drawControl(int panel, int slot, const ControlLook& look) {
  calls_.push_back("[\"drawControl\"," + number(panel) + "," + number(slot) + "," + lookJson(look) + "]");
}

std::string FirstFrame::json() const {
  std::string out = "[";
  for (const std::string& call : calls_) out += (out.size() > 1 ? ",\n" : "\n") + call;
  return out + "\n]\n";
}

}  // namespace web
