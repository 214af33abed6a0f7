#include "mute_key.h"

#include <QShortcut>

namespace qtgui {

void MuteKey::addTo(QWidget* window) {
  auto* shortcut = new QShortcut(window);
  // Shift+M too: a child holding Shift still means M.
  shortcut->setKeys({QKeySequence(Qt::Key_M), QKeySequence(Qt::SHIFT | Qt::Key_M)});
  shortcut->setContext(Qt::WindowShortcut);
  shortcut->setAutoRepeat(false);
  connect(shortcut, &QShortcut::activated, this, [this] { toggle_(); });
}

}  // namespace qtgui
