#pragma once

#include <QFont>

#include "forms/style.h"

namespace qtgui {

// Registers the embedded open fonts that stand in for the desktop fonts the
// layouts name. Returns false and names the missing one in `error`.
bool registerEmbeddedFonts(QString* error);

// The layout's font as a QFont. Sizes are set in pixels at 96 dpi (a point is
// 4/3 of a pixel), so text wraps the same on every desktop whatever its dpi
// setting; Qt's device pixel ratio still makes it crisp on HiDPI screens.
QFont toQFont(const forms::Font& font);

}  // namespace qtgui
