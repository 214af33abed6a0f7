#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPushButton>
#include <functional>
#include <vector>

namespace qtgui {

class FormWindow;

// Makes each form window an accessible window named by its caption. Its
// children, in reading order, are the texts (read-only, a label by its
// caption), the pictures that take a click (as buttons, named by what they
// show), the real push buttons, and last a status line whose notification
// says what has just changed. Pressing a control clicks it through the same
// dispatcher as the mouse.
void installAccessibility();

// Events go out, through Qt's bridge, only while a client listens.
bool accessibilityActive();
void sendAccessibilityEvent(QAccessibleEvent& event);

class FormAccessible final : public QAccessibleWidget {
 public:
  explicit FormAccessible(FormWindow* window);

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

 private:
  FormWindow* formWindow() const;
  std::vector<int> order_;  // slots in reading order
};

// One label or picture of a form. Buttons have their own widget's object.
class ControlAccessible final : public QAccessibleInterface,
                                public QAccessibleActionInterface,
                                public QAccessibleTextInterface {
 public:
  ControlAccessible(FormWindow* window, int slot) : window_(window), slot_(slot) {}

  int slot() const { return slot_; }

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QStringList actionNames() const override;
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  // Read-only text: no caret, no selection.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override;

 private:
  bool takesClick() const;

  FormWindow* window_;
  int slot_;
};

// A real push button, pressed through the dispatcher at once rather than by
// the button's own delayed, animated click.
class ButtonAccessible final : public QAccessibleWidget {
 public:
  ButtonAccessible(QPushButton* button, FormWindow* window);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& name) override;

 private:
  int slot() const;

  FormWindow* window_;
};

// The status line at the end of a window, and its notifications: the last
// messages, in words, one object each, so that a reader who reads a message
// after the next one has come still finds its words. It has no place on
// the screen; a screen reader speaks a notification each time it is shown.
class StatusAccessible final : public QAccessibleInterface {
 public:
  // The line itself, or its notification number `notification`.
  StatusAccessible(FormWindow* window, int notification) : window_(window), notification_(notification) {}

  bool isValid() const override { return window_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

 private:
  FormWindow* window_;
  int notification_;  // -1: the line
};

}  // namespace qtgui
