#include "form_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

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
      artwork_(artwork),
      input_(program, form,
             {double(QGuiApplication::styleHints()->mouseDoubleClickInterval()),
              float(QGuiApplication::styleHints()->startDragDistance()) * forms::kTwipsPerPixel}) {
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
  connect(&scanTimer_, &QTimer::timeout, this, &FormWindow::scanStep);
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
  // While scanning, a press anywhere is the switch, on a button too.
  b->setAttribute(Qt::WA_TransparentForMouseEvents, !s.enabled || input_.scanning());
}

void FormWindow::hideAndRelease() {
  hide();
  destroy();
}

void FormWindow::syncAllControls() {
  for (auto& [slot, button] : buttons_) syncControl(slot);
}

void FormWindow::clickControl(int slot) { program_.click(form_, slot); }

int FormWindow::slotOfButton(const QPushButton* button) const {
  for (auto& [slot, b] : buttons_) {
    if (b == button) return slot;
  }
  return -1;
}

void FormWindow::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  accessibility_.windowFocused();
  restartScan();
}

void FormWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  accessibility_.windowUnfocused();
  scanTimer_.stop();
}

QRect FormWindow::ringRect() const {
  const std::optional<forms::TwipRect> area = input_.ringArea();
  return area ? toPixels(*area).toAlignedRect().adjusted(-4, -4, 4, 4) : QRect();
}

void FormWindow::redrawRing() {
  const QRect now = ringRect();
  if (now != ringDrawn_) {
    if (!ringDrawn_.isEmpty()) update(toWindow(ringDrawn_));
    if (!now.isEmpty()) update(toWindow(now));
    ringDrawn_ = now;
  }
  accessibility_.syncFocus();
}

int FormWindow::ringToSpeech() {
  const int speech = input_.ringToSpeech();
  redrawRing();
  return speech;
}

void FormWindow::setScanStep(int stepMs) {
  input_.setScanning(stepMs > 0);
  scanTimer_.setInterval(stepMs);
  syncAllControls();
  if (stepMs > 0 && hasFocus()) restartScan();
}

void FormWindow::restartScan() {
  if (!input_.scanning() || !form_.visible()) return;
  input_.showScanRing();
  redrawRing();
  scanTimer_.start();
}

void FormWindow::scanStep() {
  if (!form_.visible()) return;
  input_.scanStep();
  redrawRing();
}

// The 1/Q/A/Z block by physical place: X11's key codes, the same on every
// layout (evdev's codes plus 8).
bool FormWindow::placeKey(QKeyEvent* event) {
  static constexpr int kRowStarts[] = {10, 24, 38, 52};
  const int code = int(event->nativeScanCode());
  for (int row = 0; row < 4; ++row) {
    const int column = code - kRowStarts[row];
    if (column < 0 || column > 4) continue;
    if (!event->isAutoRepeat()) input_.placeKey(row, column);
    event->accept();
    return true;
  }
  return false;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  input::Key key;
  switch (event->key()) {
    case Qt::Key_Tab: key = input::Key::Next; break;
    case Qt::Key_Backtab: key = input::Key::Previous; break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: key = input::Key::Activate; break;
    case Qt::Key_Left: key = input::Key::Left; break;
    case Qt::Key_Right: key = input::Key::Right; break;
    case Qt::Key_Up: key = input::Key::Up; break;
    case Qt::Key_Down: key = input::Key::Down; break;
    case Qt::Key_Home: key = input::Key::Home; break;
    case Qt::Key_End: key = input::Key::End; break;
    default:
      if (placeKey(event)) return;
      QWidget::keyPressEvent(event);
      return;
  }
  // Repainted now: the click may close the window and unload its form.
  if (key == input::Key::Activate && !ringDrawn_.isEmpty()) update(toWindow(ringDrawn_));
  input_.key(key, event->isAutoRepeat());
  if (form_.loaded()) redrawRing();
  if (key == input::Key::Activate) restartScan();
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
  // The ring exists only once the keyboard or the scan has been used.
  if (const QRect ring = ringRect(); !ring.isEmpty()) {
    // A thick ring a child can see from across the room, in two colours so
    // that it shows on white, grey and black alike.
    QRectF frame = QRectF(ring).adjusted(2, 2, -2, -2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255), 5));
    painter.drawRoundedRect(frame, 6, 6);
    painter.setPen(QPen(QColor(255, 120, 0), 3));
    painter.drawRoundedRect(frame, 6, 6);
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
  if (event->button() == Qt::LeftButton) input_.press(toTwips(event->position()), double(event->timestamp()));
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  input_.release(toTwips(event->position()));
  // The switch: the ring may have gone into a row, or back to the rows.
  if (form_.loaded()) restartScan();
}

// The second press of a double-click: the input rules decide it is none.
void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void FormWindow::closeEvent(QCloseEvent* event) {
  // The form decides: its unload destroys this window through the platform.
  event->ignore();
  program_.closeWindow(form_);
}

}  // namespace qtgui
