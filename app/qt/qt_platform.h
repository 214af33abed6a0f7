#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "accessibility_events.h"
#include "artwork.h"
#include "form_window.h"
#include "forms/platform.h"

namespace qtgui {

// The form layer's platform on Qt: a real top-level window per loaded form,
// a precise QTimer per running Timer control, a message box for the one error
// report, and the application's event loop for everything else.
class QtPlatform final : public QObject, public forms::Platform {
  Q_OBJECT

 public:
  explicit QtPlatform(const Artwork& artwork);
  ~QtPlatform() override;

  // Also makes the screen reader's events follow the program's changes.
  void attach(forms::Program& program);
  // Every timer runs 1/pace slower from its next start; the forms never see it.
  void setPace(double pace) { pace_ = pace; }
  // One-switch scanning in every window from the next made: the ring's step
  // in seconds, 0 for none.
  void setScan(double seconds) { scanMs_ = int(seconds * 1000); }
  // What a screen reader is told, for words a child asks for by key.
  reading::Reader& reader() { return reader_; }
  // Tests take the error report instead of a message box.
  void setErrorSink(std::function<void(const QString&)> sink) { errorSink_ = std::move(sink); }

  FormWindow* windowOf(const forms::Form& form) const;
  bool timerRunning(const forms::Form& form, int slot) const;
  // Paints every window again, as when the pictures have just been rendered.
  void repaintAll();

  // forms::Platform
  double secondsSinceMidnight() const override;
  void formLoaded(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::TwipRect area) override;
  void timerChanged(forms::Form& form, int slot) override;
  void reportError(const std::string& message) override;
  void quit(int exitCode) override;

 signals:
  void windowCreated(qtgui::FormWindow* window);

 private:
  void startTimer(forms::Form& form, int slot);
  void stopTimers(const forms::Form* form);
  // Fits a window to the screen and, for a centred form, centres it.
  void place(forms::Form& form, FormWindow& window);
  // Remembers the frame the window manager put round a window on the screen:
  // every window of the game gets the same.
  void learnFrame(const FormWindow& window);

  const Artwork& artwork_;
  forms::Program* program_ = nullptr;
  double pace_ = 1;
  int scanMs_ = 0;
  std::map<const forms::Form*, QPointer<FormWindow>> windows_;
  std::map<std::pair<const forms::Form*, int>, QTimer*> timers_;
  std::function<void(const QString&)> errorSink_;
  std::optional<QMargins> frame_;  // the window manager's, once seen
  std::set<const forms::Form*> placed_;
  AccessibilityEvents accessibility_{[this](const forms::Form& form) { return windowOf(form); }};
  reading::Reader reader_{accessibility_};
};

}  // namespace qtgui
