#pragma once

#include "forms/form.h"
#include "page.h"
#include "settings/settings.h"

namespace web {

// How each control of a form looks now, in the page's terms: the same
// fonts, colours, outlines and stacking as the desktop's painter.
// Under high contrast a text takes the shade of its colour that reads.
ControlLook lookOf(const forms::Form& form, int slot, settings::Contrast contrast = settings::Contrast::Normal);

// Opens a panel for the form and draws every control in it; the panel stays
// hidden until shown.
void openPanelFor(Page& page, const forms::Form& form, settings::Contrast contrast = settings::Contrast::Normal);
void drawControl(Page& page, const forms::Form& form, int slot, settings::Contrast contrast = settings::Contrast::Normal);

// The focus ring around an area (a control, or a grid row the scan is
// choosing), as the desktop draws it.
forms::PixelRect focusRingAround(forms::TwipRect area);

}  // namespace web
