#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

// Follow the Pattern: four picture buttons light up one after another and the
// child clicks them in the same order, one step longer at every stage, until
// the allowance of wrong clicks is used up.
class Patternform final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::patternform;
  explicit Patternform(forms::Program& program);

  forms::Timer Timer1{*this, "Timer1"};
  forms::Label Stagetext{*this, "Stagetext"};
  forms::Shape Shape3{*this, "Shape3"};
  forms::Label talking{*this, "talking"};
  forms::Image shake{*this, "shake"};
  forms::Image nod{*this, "nod"};
  forms::Image pig{*this, "pig"};
  forms::ShapeArray cover{*this, "cover"};
  forms::ImageArray clipart{*this, "clipart"};
  forms::ShapeArray Shape1{*this, "Shape1"};
  forms::Shape Shape2{*this, "Shape2"};

  // Follows the last step of the pattern in `pattern`.
  static constexpr int kEndMarker = -1;

  // Form-level variables. `misses` is not reset by a load.
  forms::BoundedArray<forms::Int16, 0, 30> pattern;
  forms::Int16 stage;
  forms::Int16 misses;
  forms::Int16 showpos;
  forms::Int16 clickpos;
  forms::Int16 clickson;
  forms::Int16 restnext;

 private:
  void Form_Load() override;
  void Form_Unload(forms::Int16& Cancel) override;

  void Timer1_Timer();
  void clipart_Click(forms::Int16 Index);
  void makepattern(forms::Int16 n);

  LessonOutcome lesson{*this, "Sowwy, you have failed this class, try again next time! (Click here to continue)"};
};

}  // namespace screens
