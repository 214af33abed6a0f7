#include "form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>
#include <QMouseEvent>
#include <QPainter>

#include "artwork.h"
#include "form_accessible.h"
#include "fonts.h"
#include "form_painter.h"
#include "forms/program.h"
#include "forms/stacking.h"

namespace qtgui {

namespace {

// A double-click's second press is a double-click, not a second Click.
class FormButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace

FormWindow::FormWindow(forms::Program& program, forms::Form& form, const Artwork& artwork)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      program_(program),
      form_(form),
      artwork_(artwork) {
  const forms::FormSpec& spec = form.spec();
  setWindowTitle(QString::fromUtf8(spec.caption.data(), qsizetype(spec.caption.size())));
  setFixedSize(naturalSize());
  setWindowIcon(artwork.icon());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName(QString::fromUtf8(form.name().data(), qsizetype(form.name().size())));
  setAccessibleName(windowTitle());
  setFocusPolicy(Qt::StrongFocus);
  repaintPacer_.setSingleShot(true);
  repaintPacer_.setTimerType(Qt::PreciseTimer);
  connect(&repaintPacer_, &QTimer::timeout, this, &FormWindow::flushRepaint);
  for (std::size_t slot = 0; slot < spec.controls.size(); ++slot) {
    const forms::ControlSpec& row = spec.controls[slot];
    if (row.kind != forms::Kind::CommandButton) continue;
    auto* b = new FormButton(QString::fromUtf8(row.text.data(), qsizetype(row.text.size())), this);
    b->setFont(toQFont(row.font));
    b->setObjectName(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())));
    b->setFocusPolicy(Qt::NoFocus);
    const int s = static_cast<int>(slot);
    connect(b, &QPushButton::clicked, this, [this, s] { clickControl(s); });
    buttons_[s] = b;
    syncControl(s);
  }
}

FormWindow::~FormWindow() = default;

QPushButton* FormWindow::buttonFor(int slot) const {
  auto it = buttons_.find(slot);
  return it == buttons_.end() ? nullptr : it->second;
}

QSize FormWindow::naturalSize() const {
  const forms::FormSpec& spec = form_.spec();
  return {qRound(spec.clientWidth / forms::kTwipsPerPixel), qRound(spec.clientHeight / forms::kTwipsPerPixel)};
}

void FormWindow::setScale(qreal scale) {
  scale_ = scale;
  // Whole pixels, rounded down, so that a window fitted to a screen fits.
  setFixedSize(int(naturalSize().width() * scale), int(naturalSize().height() * scale));
  for (auto& [slot, button] : buttons_) {
    QFont font = toQFont(form_.spec().controls[std::size_t(slot)].font);
    font.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
    button->setFont(font);
  }
  syncAllControls();
  update();
}

QRect FormWindow::toWindow(const QRect& area) const {
  if (scale_ == 1) return area;
  return QRectF(QPointF(area.topLeft()) * scale_, QSizeF(area.size()) * scale_).toAlignedRect();
}

void FormWindow::syncControl(int slot) {
  QPushButton* b = buttonFor(slot);
  if (!b || !form_.loaded()) return;
  const forms::ControlState& s = form_.controls()[static_cast<std::size_t>(slot)];
  QRectF r = toPixels(s.rect);
  b->setGeometry(QRectF(r.topLeft() * scale_, r.size() * scale_).toRect());
  b->setVisible(s.visible);
  b->setEnabled(s.enabled);
  // A disabled button lets the click through to what lies behind it, as the
  // hit-testing rule says.
  b->setAttribute(Qt::WA_TransparentForMouseEvents, !s.enabled);
}

void FormWindow::hideAndRelease() {
  hide();
  destroy();
}

void FormWindow::syncAllControls() {
  for (auto& [slot, button] : buttons_) syncControl(slot);
}

std::vector<int> FormWindow::focusOrder() const { return forms::focusOrder(form_); }

void FormWindow::clickControl(int slot) { program_.click(form_, slot); }

int FormWindow::ringSlot() const {
  if (focusedSlot_ < 0) return -1;
  std::vector<int> order = focusOrder();
  return std::find(order.begin(), order.end(), focusedSlot_) != order.end() ? focusedSlot_ : -1;
}

int FormWindow::slotOfButton(const QPushButton* button) const {
  for (auto& [slot, b] : buttons_) {
    if (b == button) return slot;
  }
  return -1;
}

void FormWindow::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Qt has just told a listening client that the window has the focus.
  accessibility_.windowFocused();
}

void FormWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  accessibility_.windowUnfocused();
}

QRect FormWindow::focusRing(int slot) const {
  return toPixels(form_.controls()[std::size_t(slot)].rect).toAlignedRect().adjusted(-4, -4, 4, 4);
}

void FormWindow::moveFocus(int step) {
  std::vector<int> order = focusOrder();
  if (order.empty()) return;
  auto it = std::find(order.begin(), order.end(), focusedSlot_);
  int index = it == order.end() ? (step > 0 ? 0 : int(order.size()) - 1)
                                : (int(it - order.begin()) + step + int(order.size())) % int(order.size());
  if (focusedSlot_ >= 0 && form_.loaded()) update(toWindow(focusRing(focusedSlot_)));
  focusedSlot_ = order[std::size_t(index)];
  update(toWindow(focusRing(focusedSlot_)));
  accessibility_.syncFocus();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Tab: moveFocus(+1); break;
    case Qt::Key_Backtab: moveFocus(-1); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // A held key repeats; like a double-click, the repeats are no new clicks.
      if (event->isAutoRepeat()) break;
      std::vector<int> order = focusOrder();
      if (std::find(order.begin(), order.end(), focusedSlot_) != order.end()) {
        int slot = focusedSlot_;
        update(toWindow(focusRing(slot)));
        clickControl(slot);
      }
      break;
    }
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

namespace {
constexpr qint64 kFrameMs = 16;
}  // namespace

void FormWindow::repaintArea(const QRect& area) {
  pendingRepaint_ += toWindow(area);
  if (repaintPacer_.isActive()) return;
  qint64 since = lastPaint_.isValid() ? lastPaint_.elapsed() : kFrameMs;
  if (since >= kFrameMs) {
    flushRepaint();
  } else {
    repaintPacer_.start(int(kFrameMs - since));
  }
}

void FormWindow::flushRepaint() {
  update(pendingRepaint_);
  pendingRepaint_ = QRegion();
}

void FormWindow::paintEvent(QPaintEvent* event) {
  lastPaint_.start();
  QPainter painter(this);
  if (scale_ != 1) {
    painter.scale(scale_, scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  // Each changed rectangle on its own: two holes far apart are two small
  // paints, not one of everything between them.
  for (const QRect& exposed : event->region()) {
    QRect area = scale_ == 1 ? exposed : painter.transform().inverted().mapRect(QRectF(exposed)).toAlignedRect();
    painter.save();
    painter.setClipRect(area);
    paintForm(painter, form_, artwork_, area);
    painter.restore();
  }
  // The ring exists only once the keyboard has been used.
  std::vector<int> order = focusedSlot_ < 0 ? std::vector<int>{} : focusOrder();
  if (std::find(order.begin(), order.end(), focusedSlot_) != order.end()) {
    // A thick ring a child can see from across the room, in two colours so
    // that it shows on white, grey and black alike.
    QRectF ring = QRectF(focusRing(focusedSlot_)).adjusted(2, 2, -2, -2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255), 5));
    painter.drawRoundedRect(ring, 6, 6);
    painter.setPen(QPen(QColor(255, 120, 0), 3));
    painter.drawRoundedRect(ring, 6, 6);
  }
  if (!painted_) {
    painted_ = true;
    emit firstFramePainted();
  }
}

forms::TwipPoint FormWindow::toTwips(const QPointF& p) const {
  return {static_cast<float>(p.x() / scale_) * forms::kTwipsPerPixel,
          static_cast<float>(p.y() / scale_) * forms::kTwipsPerPixel};
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  pressedSlot_ = event->button() == Qt::LeftButton ? forms::hitTest(form_, toTwips(event->position())) : -1;
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  int pressed = std::exchange(pressedSlot_, -1);
  if (event->button() != Qt::LeftButton || pressed < 0) return;
  // A click is a press and a release over the same control.
  if (forms::hitTest(form_, toTwips(event->position())) == pressed) clickControl(pressed);
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent*) { pressedSlot_ = -1; }

void FormWindow::closeEvent(QCloseEvent* event) {
  // The form decides: its unload destroys this window through the platform.
  event->ignore();
  program_.closeWindow(form_);
}

}  // namespace qtgui
