#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace qtgui {

// The keys known by their letter, in any window of the game: M turns all
// sound off and on again, H says the last sentence again, and I tells how
// far the game on screen is. Each window is given them as shortcuts of its
// own, so a window's keyboard play never sees them. Application-wide
// shortcuts would not do: Qt lets one answer only while the widget it
// belongs to is shown, and the game's windows come and go.
class LetterKeys final : public QObject {
 public:
  enum class Letter { M, H, I };
  using Pressed = std::function<void(QWidget* window, Letter letter)>;
  explicit LetterKeys(Pressed pressed) : pressed_(std::move(pressed)) {}

  // The shortcuts go with the window; the keys stop answering once the
  // LetterKeys has gone.
  void addTo(QWidget* window);

 private:
  Pressed pressed_;
};

}  // namespace qtgui
