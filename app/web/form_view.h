#pragma once

#include "forms/form.h"
#include "page.h"

namespace web {

// How each control of a form looks now, in the page's terms: the same
// fonts, colours, outlines and stacking as the desktop's painter.
ControlLook lookOf(const forms::Form& form, int slot);

// Opens a panel for the form and draws every control in it; the panel stays
// hidden until shown.
void openPanelFor(Page& page, const forms::Form& form);
void drawControl(Page& page, const forms::Form& form, int slot);

// The focus ring's rectangle around a control, as the desktop draws it.
forms::PixelRect focusRingOf(const forms::Form& form, int slot);

}  // namespace web
