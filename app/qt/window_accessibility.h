#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <array>
#include <map>

#include "form_accessible.h"

namespace qtgui {

class FormWindow;

// What one form window presents to a screen reader over Qt's bridge: the
// accessible objects of its windowless controls and of its status line, the
// last messages, and which object a client was last told has the focus. The
// window owns it; what is read is worked out in the core (reading/).
class WindowAccessibility {
 public:
  // Messages kept in their own notification before one is used again: more
  // than one event says, so a reader that is behind still reads each.
  static constexpr int kNotifications = 16;

  explicit WindowAccessibility(FormWindow& window) : window_(window) {}
  ~WindowAccessibility();
  WindowAccessibility(const WindowAccessibility&) = delete;
  WindowAccessibility& operator=(const WindowAccessibility&) = delete;

  // A windowless control's own accessible object.
  QAccessibleInterface* control(int slot) const;
  // A control's accessible object: a button's widget object, or a label's or
  // picture's own.
  QAccessibleInterface* child(int slot) const;
  QAccessibleInterface* statusLine() const;
  QAccessibleInterface* notification(int index) const;
  const QString& message(int index) const { return messages_[std::size_t(index)]; }
  // The messages said last, oldest first.
  QStringList lastMessages(int count) const;
  // Says each message through a notification of its own. Messages for a
  // window that is not in front wait until it is.
  void announce(const QStringList& messages);
  // Says them at once, whether the window is in front yet or not: the last
  // words of a window that has just gone, before the next one takes over.
  void announceNow(const QStringList& messages);
  // Tells a listening client which object has the focus, if that changed.
  void syncFocus();
  // The window came to the front: once Qt has told a client so, the ring's
  // control is told and messages that waited are said.
  void windowFocused();
  void windowUnfocused() { focusToldSlot_ = kNothingFocused; }

 private:
  QAccessibleInterface* object(int key, int notification) const;

  FormWindow& window_;
  mutable std::map<int, QAccessible::Id> ids_;  // by slot; the status line and its notifications below 0
  std::array<QString, kNotifications> messages_;
  int next_ = 0;
  QStringList waiting_;
  static constexpr int kNothingFocused = -2;
  int focusToldSlot_ = kNothingFocused;  // -1: the window itself
  bool windowBeingTold_ = false;         // focused, and Qt is yet to tell the window
};

}  // namespace qtgui
