#include "screen_fit.h"

#include <algorithm>
#include <cmath>

namespace qtgui {

ScreenFit fitToScreen(QSize client, QMargins frame, QRect area) {
  ScreenFit fit;
  const QSize room = area.size().shrunkBy(frame);
  if (client.width() > room.width() || client.height() > room.height()) {
    fit.scale = std::min(qreal(room.width()) / client.width(), qreal(room.height()) / client.height());
    fit.scale = std::max(fit.scale, 0.1);
  }
  fit.client = QSize(int(std::floor(client.width() * fit.scale)), int(std::floor(client.height() * fit.scale)));
  const QSize outer = fit.client.grownBy(frame);
  fit.framePos = area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
  fit.framePos.setX(std::max(fit.framePos.x(), area.left()));
  fit.framePos.setY(std::max(fit.framePos.y(), area.top()));
  return fit;
}

ScreenFit fitUnframed(QSize client, QRect area) {
  const QMargins guess(4, 30, 4, 4);
  ScreenFit fit = fitToScreen(client, guess, area);
  const QPoint centred = fitToScreen(fit.client, {}, area).framePos;
  if (area.contains(QRect(centred, fit.client.grownBy(guess)))) fit.framePos = centred;
  return fit;
}

}  // namespace qtgui
