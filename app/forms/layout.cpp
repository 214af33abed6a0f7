#include "layout.h"

namespace forms {

int FormSpec::find(std::string_view name, int index) const {
  for (std::size_t slot = 0; slot < controls.size(); ++slot) {
    if (controls[slot].name == name && controls[slot].index == index) return static_cast<int>(slot);
  }
  return -1;
}

}  // namespace forms
