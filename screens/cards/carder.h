#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

class Carder final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::carder;
  explicit Carder(forms::Program& program);
};

}  // namespace screens
