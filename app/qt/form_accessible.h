#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>

namespace qtgui {

class FormWindow;

// Makes each form window an accessible window named by its caption, whose
// children are the controls that take a click, front to back: a label by its
// caption, a picture by its name, a button by its caption. Pressing one clicks it
// through the same dispatcher as the mouse.
void installAccessibility();

class FormAccessible final : public QAccessibleWidget {
 public:
  explicit FormAccessible(FormWindow* window);

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;

 private:
  FormWindow* formWindow() const;
};

// One control that takes a click as an accessible object. Buttons are given
// one of these too, so that pressing any control goes through the dispatcher
// at once rather than through a button's own delayed animated click.
class ControlAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
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

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  FormWindow* window_;
  int slot_;
};

}  // namespace qtgui
