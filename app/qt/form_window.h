#pragma once

#include <QElapsedTimer>
#include <QPushButton>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <map>
#include <vector>

#include "forms/form.h"
#include "input/window_input.h"
#include "window_accessibility.h"

namespace qtgui {

class Artwork;

// The window of one loaded form. It paints the form's windowless controls and
// turns mouse presses and releases into clicks; buttons are real child
// widgets. It holds no game state of its own: everything is read from the form.
class FormWindow final : public QWidget {
  Q_OBJECT

 public:
  FormWindow(forms::Program& program, forms::Form& form, const Artwork& artwork);
  ~FormWindow() override;

  forms::Form& form() const { return form_; }
  // Brings a child widget (a button) in line with its control's state.
  void syncControl(int slot);
  void syncAllControls();
  // Hides the window and lets go of its native window and surface; showing
  // it again makes new ones.
  void hideAndRelease();
  // Asks for a repaint of a changed area. While changes come faster than a
  // screen can show them (the worm game at its shortest intervals) they are
  // gathered and painted once a frame; a change after a quiet spell is
  // painted at once.
  void repaintArea(const QRect& area);
  QPushButton* buttonFor(int slot) const;

  // Shows the form at a fraction of its own size, for a screen too small for
  // it. Everything is drawn as vectors at that scale, so it stays crisp, and
  // clicks are mapped back, so they land where they look.
  void setScale(qreal scale);
  qreal scale() const { return scale_; }
  // An area in the form's own pixels as the window's pixels that cover it.
  QRect toWindow(const QRect& area) const;
  // The client size at scale 1, as the layout gives it.
  QSize naturalSize() const;

  // A click on the control through the dispatcher, as the keyboard and the
  // accessible press action give it.
  void clickControl(int slot);

  // The control under the keyboard's ring, or -1 while the ring is on none
  // (not used yet, or its control has gone or been disabled).
  int ringSlot() const { return input_.ring(); }
  // Puts the ring on the window's speech, as a window coming up does for a
  // child who plays by keyboard; the speech's control, or -1.
  int ringToSpeech();
  bool keyboardUsed() const { return input_.keyboardUsed(); }
  // One-switch scanning: the ring steps on by itself every `stepMs` while
  // the window has the keys; 0 for none.
  void setScanStep(int stepMs);
  int slotOfButton(const QPushButton* button) const;
  // What the window presents to a screen reader.
  WindowAccessibility& accessibility() const { return accessibility_; }

 signals:
  void firstFramePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  forms::TwipPoint toTwips(const QPointF& p) const;
  // Repaints where the ring was and is, and tells a reader where it went.
  void redrawRing();
  bool placeKey(QKeyEvent* event);
  // The ring's rectangle in the form's pixels, empty while there is none.
  QRect ringRect() const;
  void scanStep();
  // After the switch, a whole step on what it chose.
  void restartScan();

  forms::Program& program_;
  forms::Form& form_;
  const Artwork& artwork_;
  std::map<int, QPushButton*> buttons_;
  void flushRepaint();

  QRegion pendingRepaint_;
  QTimer repaintPacer_;
  QTimer scanTimer_;
  QRect ringDrawn_;
  QElapsedTimer lastPaint_;
  input::WindowInput input_;
  mutable WindowAccessibility accessibility_{*this};
  bool painted_ = false;
  qreal scale_ = 1;
};

}  // namespace qtgui
