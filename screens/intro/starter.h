#pragma once

#include "forms.h"

namespace screens {

// The first screen and the last: Tobble walks in, talks, says farewell, and
// the click on his farewell ends the program.
class Starter final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::starter;
  explicit Starter(forms::Program& program);

  forms::Timer Timer1{*this, "Timer1"};
  forms::CommandButton start{*this, "start"};
  forms::ImageArray Pigwalk{*this, "Pigwalk"};
  forms::Image Pig{*this, "Pig"};
  forms::Shape Shape1{*this, "Shape1"};
  forms::Label Label1{*this, "Label1"};
  forms::Label Label2{*this, "Label2"};
  forms::Label Talking{*this, "Talking"};
  forms::Shape talkframe{*this, "talkframe"};
  forms::Shape Shape2{*this, "Shape2"};

  // Form-level variables.
  forms::Int16 talkstep;
  forms::Int16 walkframe;
  forms::Int16 walkback;

 private:
  void Form_Load() override;
  void Form_Unload(forms::Int16& Cancel) override;

  void Timer1_Timer();
  void start_Click();
  void Talking_Click();
  void farewellAndDeparture();
};

// The farewell message n, 1 to 6.
std::string_view farewell(int n);

}  // namespace screens
