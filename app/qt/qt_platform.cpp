#include "qt_platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTime>

#include "error_report.h"
#include "form_painter.h"
#include "forms/program.h"
#include "screen_fit.h"
#include "settings/settings.h"

namespace qtgui {

QtPlatform::QtPlatform(const Artwork& artwork) : artwork_(artwork) {}

QtPlatform::~QtPlatform() {
  stopTimers(nullptr);
  for (auto& [form, window] : windows_) delete window.data();
}

void QtPlatform::attach(forms::Program& program) {
  program_ = &program;
  program.watch(reader_);
}

FormWindow* QtPlatform::windowOf(const forms::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.data();
}

bool QtPlatform::timerRunning(const forms::Form& form, int slot) const {
  auto it = timers_.find({&form, slot});
  return it != timers_.end() && it->second->isActive();
}

void QtPlatform::repaintAll() {
  for (auto& [form, window] : windows_) {
    if (window) window->update();
  }
}

double QtPlatform::secondsSinceMidnight() const { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtPlatform::formLoaded(forms::Form& form) {
  auto* window = new FormWindow(*program_, form, artwork_);
  windows_[&form] = window;
  window->setScanStep(scanMs_);
  const auto& rows = form.spec().controls;
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    if (rows[slot].kind == forms::Kind::Timer) startTimer(form, static_cast<int>(slot));
  }
  emit windowCreated(window);
}

void QtPlatform::learnFrame(const FormWindow& window) {
  if (!window.isVisible()) return;
  QRect inner = window.geometry(), outer = window.frameGeometry();
  QMargins m(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
             outer.bottom() - inner.bottom());
  if (!m.isNull()) frame_ = m;
}

void QtPlatform::place(forms::Form& form, FormWindow& window) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  for (auto& [other, shown] : windows_) {
    if (shown) learnFrame(*shown);
  }
  const QRect area = screen->availableGeometry();
  ScreenFit fit = frame_ ? fitToScreen(window.naturalSize(), *frame_, area) : fitUnframed(window.naturalSize(), area);
  if (fit.scale < 1) window.setScale(fit.scale);
  if (form.spec().placement == forms::Placement::CentreScreen) window.move(fit.framePos);
}

void QtPlatform::formShown(forms::Form& form) {
  if (FormWindow* window = windowOf(form)) {
    // Placed when first shown, not when loaded: a form is often loaded long
    // before, when another touches its controls, and the screen may have
    // shown a framed window by now.
    if (placed_.insert(&form).second) place(form, *window);
    window->show();
    window->raise();
    window->activateWindow();
  }
}

void QtPlatform::formHidden(forms::Form& form) {
  if (FormWindow* window = windowOf(form)) {
    // A hidden form may stay loaded for the rest of the lesson; its window's
    // surface is let go and made again if it is ever shown.
    learnFrame(*window);
    window->hideAndRelease();
  }
}

void QtPlatform::formUnloaded(forms::Form& form) {
  stopTimers(&form);
  placed_.erase(&form);
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  if (FormWindow* window = it->second.data()) {
    learnFrame(*window);
    window->hide();
    // Deleted later: the unload may have started inside this window's own
    // close event or button click.
    window->deleteLater();
  }
  windows_.erase(it);
}

void QtPlatform::controlChanged(forms::Form& form, int slot, forms::TwipRect area) {
  FormWindow* window = windowOf(form);
  if (!window) return;
  const forms::ControlSpec& spec = form.spec().controls[static_cast<std::size_t>(slot)];
  if (spec.kind == forms::Kind::CommandButton) {
    window->syncControl(slot);
  } else {
    window->repaintArea(paintArea(spec, area));
  }
}

void QtPlatform::timerChanged(forms::Form& form, int slot) { startTimer(form, slot); }

void QtPlatform::startTimer(forms::Form& form, int slot) {
  const forms::ControlState& state = form.controls()[static_cast<std::size_t>(slot)];
  QTimer*& timer = timers_[{&form, slot}];
  if (!timer) {
    timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
  }
  timer->stop();
  timer->disconnect();
  if (!state.enabled || state.interval <= 0) return;
  const std::uint32_t generation = form.generation();
  forms::Form* target = &form;
  connect(timer, &QTimer::timeout, this, [this, target, slot, generation] {
    if (program_) program_->tick(*target, slot, generation);
  });
  timer->start(settings::paced(state.interval, pace_));
}

void QtPlatform::stopTimers(const forms::Form* form) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (form == nullptr || it->first.first == form) {
      it->second->stop();
      it->second->deleteLater();
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
}

void QtPlatform::reportError(const std::string& message) {
  // Nothing may tick or run while the child's parent reads the report.
  stopTimers(nullptr);
  QString text = QString::fromStdString(message);
  if (errorSink_) {
    errorSink_(text);
  } else {
    showErrorReport(text);
  }
}

void QtPlatform::quit(int exitCode) {
  stopTimers(nullptr);
  for (auto& [form, window] : windows_) {
    if (window) window->hide();
  }
  QCoreApplication::exit(exitCode);
}

}  // namespace qtgui
