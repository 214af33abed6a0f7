#include "first_frame.h"

#include "page_json.h"

namespace web {

FirstFrame::FirstFrame() {
  const Theme theme = desktopTheme();
  calls_.push_back(pageJson({"theme", theme.face, theme.caption, theme.captionText}));
}

void FirstFrame::openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                           bool centred) {
  calls_.push_back(pageJson({"openPanel", panel, caption, width, height, background, centred}));
}

void FirstFrame::showPanel(int panel, int stack) { calls_.push_back(pageJson({"showPanel", panel, stack})); }

void FirstFrame::hidePanel(int panel) { calls_.push_back(pageJson({"hidePanel", panel})); }

void FirstFrame::closePanel(int panel) { calls_.push_back(pageJson({"closePanel", panel})); }

void FirstFrame::readOrder(int panel, const std::vector<int>& slots) {
  calls_.push_back(pageJson({"readOrder", panel, slots}));
}

void FirstFrame::readControl(int panel, int slot, const reading::ControlReading& reading) {
  std::string call = pageJson({"readControl", panel, slot});
  call.pop_back();
  call.append(",").append(readingJson(reading)).append("]");
  calls_.push_back(std::move(call));
}

void FirstFrame::drawControl(int panel, int slot, const ControlLook& look) {
  // The look is written once, as the live page gets it, and spliced in whole.
  std::string call = pageJson({"drawControl", panel, slot});
  call.pop_back();
  call.append(",").append(lookJson(look)).append("]");
  calls_.push_back(std::move(call));
}

std::string FirstFrame::json() const {
  // One call a line, so that the record reads and diffs well.
  std::string out = "[";
  for (const std::string& call : calls_) out += (out.size() > 1 ? ",\n" : "\n") + call;
  return out + "\n]\n";
}

}  // namespace web
