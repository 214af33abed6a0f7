#pragma once

#include "forms.h"

namespace screens {

// The congratulation after all three games; its continue closes the lesson
// and brings back the intro screen with Tobble's farewell.
class Form1 final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::Form1;
  explicit Form1(forms::Program& program);

  forms::Label Label5{*this, "Label5"};
  forms::Label Label4{*this, "Label4"};
  forms::Label Label3{*this, "Label3"};
  forms::Label Label2{*this, "Label2"};
  forms::Label Label1{*this, "Label1"};
  forms::LineArray Line1{*this, "Line1"};
  forms::Shape Shape1{*this, "Shape1"};

 private:
  void Form_Unload(forms::Int16& Cancel) override;

  void Label4_Click();
  void continueToFarewell();

  bool continuing_ = false;
};

}  // namespace screens
