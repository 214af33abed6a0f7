#include "stacking.h"

namespace forms {

namespace {
bool windowless(Kind kind) {
  return kind == Kind::Label || kind == Kind::Image || kind == Kind::Shape || kind == Kind::Line;
}
}  // namespace

int hitTest(const Form& form, TwipPoint point) {
  if (!form.loaded()) return -1;
  const auto& rows = form.spec().controls;
  const auto& states = form.controls();
  auto takes = [&](std::size_t slot, bool buttons) {
    const ControlState& s = states[slot];
    Kind kind = rows[slot].kind;
    bool clickable = buttons ? kind == Kind::CommandButton : (kind == Kind::Label || kind == Kind::Image);
    return clickable && s.visible && s.enabled && s.rect.contains(point);
  };
  for (bool buttons : {true, false}) {
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
      if (takes(slot, buttons)) return static_cast<int>(slot);
    }
  }
  return -1;
}

std::vector<int> paintOrder(const Form& form) {
  std::vector<int> order;
  if (!form.loaded()) return order;
  const auto& rows = form.spec().controls;
  const auto& states = form.controls();
  for (std::size_t slot = rows.size(); slot-- > 0;) {
    if (windowless(rows[slot].kind) && states[slot].visible) order.push_back(static_cast<int>(slot));
  }
  return order;
}

}  // namespace forms
