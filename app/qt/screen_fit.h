#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace qtgui {

// Where a window goes on a screen, and at what size.
struct ScreenFit {
  qreal scale = 1;   // of the form's own size; below 1 on a screen too small for it
  QSize client;      // the window's client size at that scale
  QPoint framePos;   // the top-left of its frame, title bar included
};

// Fits a window whose client area is `client` pixels, framed by `frame`,
// into a screen's available `area`: shrunk to fit if it is too big, and
// centred, but never with its frame's top or left edge (the title bar and
// its close button) off the screen.
ScreenFit fitToScreen(QSize client, QMargins frame, QRect area);

// The same before any window has been framed, when it is not known whether a
// window manager will add a frame, nor how big. The size allows for a
// generous one; the window itself is centred when a frame that size would
// still be on the screen, so that with no window manager it sits exactly in
// the middle, and its guessed frame is centred otherwise.
ScreenFit fitUnframed(QSize client, QRect area);

}  // namespace qtgui
