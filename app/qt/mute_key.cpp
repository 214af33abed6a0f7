#include "mute_key.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace qtgui {

MuteKey::MuteKey(std::function<void()> toggle) : toggle_(std::move(toggle)) {
  QCoreApplication::instance()->installEventFilter(this);
}

MuteKey::~MuteKey() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool MuteKey::eventFilter(QObject* watched, QEvent* event) {
  // Taken where the key first arrives, so a window's keyboard play never sees it.
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_M || key->isAutoRepeat() ||
      (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier) {
    return false;
  }
  toggle_();
  return true;
}

}  // namespace qtgui
