#pragma once

#include <QStringList>
#include <functional>
#include <vector>

#include "reading/reader.h"

namespace qtgui {

class FormWindow;

// Presents what the reader works out to a listening screen reader, the way
// Qt's own widgets do: a shown or hidden control, a new name or text, a
// change of state, the focus; and the words of each event as notifications
// on the window's status line. With no client listening it keeps nothing.
class AccessibilityEvents final : public reading::Presenter {
 public:
  explicit AccessibilityEvents(std::function<FormWindow*(const forms::Form&)> windowOf)
      : windowOf_(std::move(windowOf)) {}

  bool listening() const override;
  void controlRead(forms::Form& form, int slot, const reading::ControlReading& before,
                   const reading::ControlReading& now) override;
  void windowFront(forms::Form& form, std::string_view title, const std::vector<std::string>& texts) override;
  void say(forms::Form& form, const std::vector<std::string>& messages) override;
  void eventTold() override;

 private:
  void touch(FormWindow* window);

  std::function<FormWindow*(const forms::Form&)> windowOf_;
  std::vector<FormWindow*> told_;  // windows told something in this event
  QStringList leftOver_;           // the last words of a window that has gone
};

}  // namespace qtgui
