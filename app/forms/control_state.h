#pragma once

#include <string>

#include "geometry.h"
#include "picture.h"

namespace forms {

// The run-time properties of one control, rebuilt from its layout row at each
// load of its form.
struct ControlState {
  std::string text;  // Caption or Text
  Picture picture;
  TwipRect rect{};
  bool visible = true;
  bool enabled = true;
  int interval = 0;
};

}  // namespace forms
