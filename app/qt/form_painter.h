#pragma once

#include <QPainter>
#include <QRect>
#include <QRectF>

#include "forms/form.h"
#include "settings/settings.h"

namespace qtgui {

class Artwork;

// Twips to logical pixels, the unit of every Qt geometry here.
QRectF toPixels(const forms::TwipRect& rect);
// The area a control's drawing can touch, in whole logical pixels, for the
// repaint of a changed control (thick borders and line caps reach outside).
QRect paintArea(const forms::ControlSpec& spec, const forms::TwipRect& rect);

// How texts are coloured in every window: chosen once, at start-up.
void setTextContrast(settings::Contrast contrast);
// A text's colour on its background under that choice.
QColor textColour(forms::Colour fore, forms::Colour back);

// Paints the form's background and its windowless controls, back to front.
// Paint only reads: it changes nothing of the form.
void paintForm(QPainter& painter, const forms::Form& form, const Artwork& artwork, const QRect& exposed);

}  // namespace qtgui
