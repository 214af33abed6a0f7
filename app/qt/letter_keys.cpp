#include "letter_keys.h"

#include <QShortcut>

namespace qtgui {

void LetterKeys::addTo(QWidget* window) {
  for (auto [key, letter] : {std::pair{Qt::Key_M, Letter::M}, {Qt::Key_H, Letter::H}, {Qt::Key_I, Letter::I}}) {
    auto* shortcut = new QShortcut(window);
    // With Shift too: a child holding Shift still means the letter.
    shortcut->setKeys({QKeySequence(key), QKeySequence(Qt::SHIFT | key)});
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    connect(shortcut, &QShortcut::activated, this, [this, window, letter] { pressed_(window, letter); });
  }
}

}  // namespace qtgui
