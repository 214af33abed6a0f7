#include "web_reading.h"

#include "web_platform.h"

namespace web {

namespace {
int panelOf(const forms::Form& form) { return static_cast<int>(form.id()); }
}  // namespace

void WebReading::formRead(forms::Form& form, const std::vector<int>& order,
                          const std::vector<reading::ControlReading>& readings) {
  page_.readOrder(panelOf(form), order);
  for (std::size_t i = 0; i < order.size(); ++i) page_.readControl(panelOf(form), order[i], readings[i]);
}

void WebReading::controlRead(forms::Form& form, int slot, const reading::ControlReading&,
                             const reading::ControlReading& now) {
  page_.readControl(panelOf(form), slot, now);
}

void WebReading::windowFront(forms::Form& form, std::string_view, const std::vector<std::string>& texts) {
  // The keyboard's child finds the ring on the speech of a window that
  // comes up, so that Space answers at once; the focus reads it, so it is
  // not said twice. Otherwise the panel takes the focus, which reads its
  // title.
  const std::string focused = platform_.ringToSpeech(form);
  if (focused.empty()) page_.focusPanel(panelOf(form));
  for (const std::string& text : texts) {
    if (text != focused) page_.announce(text);
  }
}

void WebReading::say(forms::Form&, const std::vector<std::string>& messages) {
  for (const std::string& message : messages) page_.announce(message);
}

}  // namespace web
