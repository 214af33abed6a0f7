#pragma once

#include <QAccessible>
#include <QString>
#include <map>

#include "form_accessible.h"

namespace qtgui {

class FormWindow;

// What one form window presents to a screen reader over Qt's bridge: the
// accessible objects of its windowless controls and of its status line, the
// words of the last change, and which object a client was last told has the
// focus. The window owns it; the reading itself is worked out from the
// controls (accessible_reading.h).
class WindowAccessibility {
 public:
  explicit WindowAccessibility(FormWindow& window) : window_(window) {}
  ~WindowAccessibility();
  WindowAccessibility(const WindowAccessibility&) = delete;
  WindowAccessibility& operator=(const WindowAccessibility&) = delete;

  // A windowless control's own accessible object.
  QAccessibleInterface* control(int slot) const;
  // A control's accessible object: a button's widget object, or a label's or
  // picture's own.
  QAccessibleInterface* child(int slot) const;
  QAccessibleInterface* statusLine(StatusAccessible::Part part) const;
  // What the status line's notification says: the words for the last change.
  const QString& announcement() const { return announcement_; }
  // Puts new words in the notification and shows it, which a screen reader
  // speaks. Words for a window that is not in front wait until it is.
  void announce(QString words);
  // Tells a listening client which object has the focus, if that changed.
  void syncFocus();
  // The window came to the front: Qt has told a client so; words that
  // waited are said now.
  void windowFocused();
  void windowUnfocused() { focusToldSlot_ = kNothingFocused; }

 private:
  FormWindow& window_;
  mutable std::map<int, QAccessible::Id> ids_;  // by slot; the status line below 0
  QString announcement_;
  QString waitingWords_;
  static constexpr int kNothingFocused = -2;
  int focusToldSlot_ = kNothingFocused;  // -1: the window itself
};

}  // namespace qtgui
