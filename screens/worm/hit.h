#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

class Hit final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::hit;
  explicit Hit(forms::Program& program);
};

}  // namespace screens
