#pragma once

#include "forms.h"

namespace screens {

// Makes each of the six forms known to the registry, to be created at its
// first reference.
void installScreens(forms::Program& program);

}  // namespace screens
