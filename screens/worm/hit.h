#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

// The last game: the worm apple and the baby pop up in a grid of sixteen
// holes, and the child hits the apple, faster at every stage, until the
// allowance of misses is used up.
class Hit final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::hit;
  explicit Hit(forms::Program& program);

  forms::Timer Timer1{*this, "Timer1"};
  forms::Label stagetext{*this, "stagetext"};
  forms::Shape Shape3{*this, "Shape3"};
  forms::Label talking{*this, "talking"};
  forms::Image shake{*this, "shake"};
  forms::Image nod{*this, "nod"};
  forms::Image pig{*this, "pig"};
  forms::ImageArray clipart{*this, "clipart"};
  forms::Image blank{*this, "blank"};
  forms::ImageArray hitpic{*this, "hitpic"};
  forms::ShapeArray Shape1{*this, "Shape1"};
  forms::Shape Shape2{*this, "Shape2"};

  // Form-level variables. `hits` and `hole` are not reset by a load.
  forms::Int16 shownpic;
  // A variant holding a single: always a whole number, compared with the
  // clicked index by its numeric value.
  float hole = 0;
  forms::Int16 clearpos;
  forms::Int16 stage;
  forms::Int16 hits;
  forms::Int16 misses;
  forms::Int16 restnext;

 private:
  void Form_Load() override;
  void Form_Unload(forms::Int16& Cancel) override;

  void Timer1_Timer();
  void hitpic_Click(forms::Int16 Index);

  LessonOutcome lesson{*this, "You have failed the last course!! Try again!! (Click here to continue)"};
};

}  // namespace screens
