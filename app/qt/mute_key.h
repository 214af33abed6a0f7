#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace qtgui {

// The M key, in any window of the game, turns all sound off and on again.
// Each window is given the key as a shortcut of its own, so a window's
// keyboard play never sees it. An application-wide shortcut would not do:
// Qt lets one answer only while the widget it belongs to is shown, and the
// game's windows come and go.
class MuteKey final : public QObject {
 public:
  explicit MuteKey(std::function<void()> toggle) : toggle_(std::move(toggle)) {}

  // The shortcut goes with the window; the key stops answering once the
  // MuteKey has gone.
  void addTo(QWidget* window);

 private:
  std::function<void()> toggle_;
};

}  // namespace qtgui
