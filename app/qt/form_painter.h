#pragma once

#include <QPainter>
#include <QRect>
#include <QRectF>

#include "forms/form.h"

namespace qtgui {

class Artwork;

// Twips to logical pixels, the unit of every Qt geometry here.
QRectF toPixels(const forms::TwipRect& rect);
// The area a control's drawing can touch, in whole logical pixels, for the
// repaint of a changed control (thick borders and line caps reach outside).
QRect paintArea(const forms::ControlSpec& spec, const forms::TwipRect& rect);

// Paints the form's background and its windowless controls, back to front.
// Paint only reads: it changes nothing of the form.
void paintForm(QPainter& painter, const forms::Form& form, const Artwork& artwork, const QRect& exposed);

}  // namespace qtgui
