#pragma once

#include <QObject>
#include <functional>

namespace qtgui {

// The M key, in any window of the game, turns all sound off and on again.
// It is an application-wide filter so that no window has to know about it.
class MuteKey final : public QObject {
 public:
  explicit MuteKey(std::function<void()> toggle);
  ~MuteKey() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> toggle_;
};

}  // namespace qtgui
