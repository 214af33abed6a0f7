#include "form_accessible.h"

#include <QAccessible>

#include "form_painter.h"
#include "form_window.h"
#include "forms/program.h"
#include "reading/reading_model.h"

namespace qtgui {

namespace {

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* window = qobject_cast<FormWindow*>(object)) return new FormAccessible(window);
  if (auto* button = qobject_cast<QPushButton*>(object)) {
    // Asked for while the window is still making its buttons, so the
    // button's slot is looked up when it is needed.
    if (auto* window = qobject_cast<FormWindow*>(button->parentWidget())) return new ButtonAccessible(button, window);
  }
  return nullptr;
}

QString qstr(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(factory);
}

bool accessibilityActive() { return QAccessible::isActive(); }

void sendAccessibilityEvent(QAccessibleEvent& event) { QAccessible::updateAccessibility(&event); }

FormAccessible::FormAccessible(FormWindow* window)
    : QAccessibleWidget(window, QAccessible::Window), order_(reading::readingOrder(window->form())) {}

FormWindow* FormAccessible::formWindow() const { return static_cast<FormWindow*>(widget()); }

int FormAccessible::childCount() const { return int(order_.size()) + 1; }

QAccessibleInterface* FormAccessible::child(int index) const {
  if (index == int(order_.size())) return formWindow()->accessibility().statusLine();
  if (index < 0 || index > int(order_.size())) return nullptr;
  return formWindow()->accessibility().child(order_[std::size_t(index)]);
}

int FormAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i) {
    if (this->child(i) == child) return i;
  }
  return -1;
}

QAccessibleInterface* FormAccessible::focusChild() const {
  int ring = formWindow()->ringSlot();
  return ring >= 0 ? formWindow()->accessibility().child(ring) : nullptr;
}

QString FormAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return formWindow()->windowTitle();
  return QAccessibleWidget::text(t);
}

QAccessible::State FormAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  // One object is focused at a time: the control under the ring, once the
  // keyboard has put it there, and the window itself until then.
  s.focused = formWindow()->isActiveWindow() && formWindow()->ringSlot() < 0;
  return s;
}

bool ControlAccessible::isValid() const { return window_ != nullptr && window_->form().loaded(); }

QWindow* ControlAccessible::window() const { return window_->windowHandle(); }

QAccessibleInterface* ControlAccessible::parent() const { return QAccessible::queryAccessibleInterface(window_); }

bool ControlAccessible::takesClick() const { return window_->form().takesClick(slot_); }

QString ControlAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  if (t == QAccessible::Name) return qstr(reading::readControl(window_->form(), slot_).name);
  if (t == QAccessible::Description) return qstr(reading::readControl(window_->form(), slot_).description);
  return {};
}

QRect ControlAccessible::rect() const {
  if (!isValid()) return {};
  // A window shrunk to fit a small screen shows its controls shrunk too.
  QRect local = window_->toWindow(toPixels(window_->form().controls()[std::size_t(slot_)].rect).toAlignedRect());
  return QRect(window_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role ControlAccessible::role() const {
  if (!isValid()) return QAccessible::NoRole;
  return reading::readControl(window_->form(), slot_).role == reading::Role::Text ? QAccessible::StaticText
                                                                                 : QAccessible::Button;
}

QAccessible::State ControlAccessible::state() const {
  QAccessible::State s;
  if (!isValid()) {
    s.invisible = true;
    return s;
  }
  const forms::ControlState& control = window_->form().controls()[std::size_t(slot_)];
  s.invisible = !control.visible || !window_->isVisible();
  s.disabled = !control.enabled;
  s.readOnly = role() == QAccessible::StaticText;
  s.focusable = takesClick();
  s.focused = window_->isActiveWindow() && window_->ringSlot() == slot_;
  return s;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface && isValid() && takesClick())
    return static_cast<QAccessibleActionInterface*>(this);
  if (type == QAccessible::TextInterface && isValid() && role() == QAccessible::StaticText)
    return static_cast<QAccessibleTextInterface*>(this);
  return nullptr;
}

QStringList ControlAccessible::actionNames() const {
  return isValid() && takesClick() ? QStringList{pressAction()} : QStringList{};
}

void ControlAccessible::doAction(const QString& name) {
  if (name == pressAction() && isValid() && takesClick()) window_->clickControl(slot_);
}

QString ControlAccessible::text(int startOffset, int endOffset) const {
  QString all = text(QAccessible::Name);
  if (startOffset < 0 || endOffset < startOffset) return {};
  return all.mid(startOffset, endOffset - startOffset);
}

int ControlAccessible::characterCount() const { return int(text(QAccessible::Name).size()); }

QString ControlAccessible::attributes(int offset, int* start, int* end) const {
  *start = *end = offset;
  return {};
}

ButtonAccessible::ButtonAccessible(QPushButton* button, FormWindow* window)
    : QAccessibleWidget(button, QAccessible::Button), window_(window) {}

int ButtonAccessible::slot() const { return window_->slotOfButton(static_cast<QPushButton*>(widget())); }

QString ButtonAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return static_cast<QPushButton*>(widget())->text();
  return QAccessibleWidget::text(t);
}

QAccessible::State ButtonAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  // The button never takes Qt's focus: the window's ring brings it there.
  s.focusable = true;
  s.focused = window_->isActiveWindow() && window_->ringSlot() == slot();
  return s;
}

QStringList ButtonAccessible::actionNames() const {
  return widget()->isEnabled() && widget()->isVisible() ? QStringList{pressAction()} : QStringList{};
}

void ButtonAccessible::doAction(const QString& name) {
  if (name == pressAction() && slot() >= 0) window_->clickControl(slot());
}

QWindow* StatusAccessible::window() const { return window_->windowHandle(); }

QAccessibleInterface* StatusAccessible::parent() const {
  return notification_ < 0 ? QAccessible::queryAccessibleInterface(window_) : window_->accessibility().statusLine();
}

int StatusAccessible::childCount() const { return notification_ < 0 ? WindowAccessibility::kNotifications : 0; }

QAccessibleInterface* StatusAccessible::child(int index) const {
  if (notification_ >= 0 || index < 0 || index >= WindowAccessibility::kNotifications) return nullptr;
  return window_->accessibility().notification(index);
}

int StatusAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i) {
    if (child != nullptr && child == this->child(i)) return i;
  }
  return -1;
}

QString StatusAccessible::text(QAccessible::Text t) const {
  return notification_ >= 0 && t == QAccessible::Name ? window_->accessibility().message(notification_) : QString();
}

QAccessible::Role StatusAccessible::role() const {
  return notification_ < 0 ? QAccessible::StatusBar : QAccessible::Notification;
}

QAccessible::State StatusAccessible::state() const {
  QAccessible::State s;
  // The line is there while its window is; a notification once it has
  // said something.
  s.invisible = !window_->isVisible() || (notification_ >= 0 && window_->accessibility().message(notification_).isEmpty());
  s.readOnly = true;
  return s;
}

}  // namespace qtgui
