#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

class Patternform final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::patternform;
  explicit Patternform(forms::Program& program);
};

}  // namespace screens
