#include "form_accessible.h"

#include <QAccessible>

#include "form_painter.h"
#include "form_window.h"
#include "program.h"

namespace qtgui {

namespace {

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* window = qobject_cast<FormWindow*>(object)) return new FormAccessible(window);
  return nullptr;
}

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (!installed) QAccessible::installFactory(factory);
  installed = true;
}

FormAccessible::FormAccessible(FormWindow* window) : QAccessibleWidget(window, QAccessible::Window) {}

FormWindow* FormAccessible::formWindow() const { return static_cast<FormWindow*>(widget()); }

int FormAccessible::childCount() const { return static_cast<int>(formWindow()->focusOrder().size()); }

QAccessibleInterface* FormAccessible::child(int index) const {
  const std::vector<int> order = formWindow()->focusOrder();
  if (index < 0 || index >= int(order.size())) return nullptr;
  return formWindow()->accessibleControl(order[std::size_t(index)]);
}

int FormAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < childCount(); ++i) {
    if (this->child(i) == child) return i;
  }
  return -1;
}

QString FormAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return formWindow()->windowTitle();
  return QAccessibleWidget::text(t);
}

bool ControlAccessible::isValid() const { return window_ != nullptr && window_->form().loaded(); }

QWindow* ControlAccessible::window() const { return window_->windowHandle(); }

QAccessibleInterface* ControlAccessible::parent() const { return QAccessible::queryAccessibleInterface(window_); }

QString ControlAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name || !isValid()) return {};
  const forms::Form& form = window_->form();
  const forms::ControlState& state = form.controls()[std::size_t(slot_)];
  if (form.spec().controls[std::size_t(slot_)].kind != forms::Kind::Image) return QString::fromStdString(state.text);
  return state.picture.empty() ? QStringLiteral("empty") : qstr(state.picture.name());
}

QRect ControlAccessible::rect() const {
  if (!isValid()) return {};
  QRect local = toPixels(window_->form().controls()[std::size_t(slot_)].rect).toAlignedRect();
  return QRect(window_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role ControlAccessible::role() const {
  if (!isValid()) return QAccessible::NoRole;
  switch (window_->form().spec().controls[std::size_t(slot_)].kind) {
    case forms::Kind::Label: return QAccessible::StaticText;
    case forms::Kind::Image: return QAccessible::Graphic;
    case forms::Kind::CommandButton: return QAccessible::Button;
    default: return QAccessible::NoRole;
  }
}

QAccessible::State ControlAccessible::state() const {
  QAccessible::State s;
  s.focusable = true;
  s.focused = window_ && window_->focusedSlot() == slot_;
  s.invisible = !isValid();
  return s;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
  return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

void ControlAccessible::doAction(const QString& name) {
  if (name == pressAction() && isValid()) window_->clickControl(slot_);
}

}  // namespace qtgui
