#pragma once

#include <QPushButton>
#include <QWidget>
#include <map>

#include "form.h"

namespace qtgui {

class Artwork;

// The window of one loaded form. It paints the form's windowless controls and
// turns mouse presses and releases into clicks; buttons are real child
// widgets. It holds no game state of its own: everything is read from the form.
class FormWindow final : public QWidget {
  Q_OBJECT

 public:
  FormWindow(forms::Program& program, forms::Form& form, const Artwork& artwork);

  forms::Form& form() const { return form_; }
  // Brings a child widget (a button) in line with its control's state.
  void syncControl(int slot);
  void syncAllControls();
  void repaintArea(const QRect& area) { update(area); }
  QPushButton* buttonFor(int slot) const;

 signals:
  void firstFramePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  forms::TwipPoint toTwips(const QPointF& p) const;

  forms::Program& program_;
  forms::Form& form_;
  const Artwork& artwork_;
  std::map<int, QPushButton*> buttons_;
  int pressedSlot_ = -1;
  bool painted_ = false;
};

}  // namespace qtgui
