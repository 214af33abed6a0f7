#pragma once

#include <vector>

#include "form.h"
#include "geometry.h"

namespace forms {

// Both platforms read the same two orders from the layout and the controls'
// current state, so a click lands on the same control whichever one runs.

// The control that takes a click at `point`: an enabled, visible button first,
// then the frontmost visible Label or Image. Shapes, Lines, TextBoxes and
// Timers let clicks through. -1 when nothing takes it.
int hitTest(const Form& form, TwipPoint point);

// The windowless controls to paint, back to front, skipping invisible ones.
// Buttons and text boxes are not in it: they are drawn over everything.
std::vector<int> paintOrder(const Form& form);

}  // namespace forms
