#pragma once

#include "forms.h"
#include "guide/lesson_outcome.h"

namespace screens {

// Pick the Cards: twenty cards hold ten pairs of pictures; the child opens
// two cards a turn and passes by finding all ten pairs before the guide's
// allowance of wrong pairs runs out.
class Carder final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::carder;
  explicit Carder(forms::Program& program);

  forms::Timer Timer1{*this, "Timer1"};
  forms::Image shake{*this, "shake"};
  forms::Label talking{*this, "talking"};
  forms::Image nod{*this, "nod"};
  forms::Image pig{*this, "pig"};
  forms::Image blank{*this, "blank"};
  forms::ImageArray CardImage{*this, "CardImage"};
  forms::ImageArray clipart{*this, "clipart"};
  forms::ShapeArray Shape1{*this, "Shape1"};
  forms::Shape Shape2{*this, "Shape2"};

  // Form-level variables.
  forms::BoundedArray<forms::Int16, 0, 19> cardpic;  // picture number 0 to 9 of each card
  forms::BoundedArray<forms::Int16, 0, 19> matched;  // flags: the card's pair is found
  forms::Int16 firstopen;                            // flag: a turn's first card is up
  forms::Int16 firstcard;                            // -1 between turns
  forms::Int16 clickson;                             // flag: cards take clicks
  forms::Int16 misses;                               // wrong pairs this game

  // Every draw of the last deal, rejected ones included, so that tests can
  // hold the deal to its counting.
  int drawsInLastDeal = 0;

 private:
  void Form_Load() override;
  void Form_Unload(forms::Int16& Cancel) override;

  void CardImage_Click(forms::Int16 Index);
  void Timer1_Timer();

  LessonOutcome lesson{*this, "Sowwy, you have failed this class, try again next time! (Click here to continue)"};
};

}  // namespace screens
