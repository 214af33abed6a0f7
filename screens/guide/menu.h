#pragma once

#include <string_view>

#include "forms.h"

namespace screens {

// The classroom: Tobble explains the day's three games one sentence per
// click, and hands the child over to each game in turn.
class Menu final : public forms::Form {
 public:
  static constexpr forms::FormId id = forms::FormId::menu;
  explicit Menu(forms::Program& program);

  forms::TextBox failure{*this, "failure"};
  forms::CommandButton Command1{*this, "Command1"};
  forms::Label Talking{*this, "Talking"};
  forms::Shape talkframe{*this, "talkframe"};
  forms::Shape Shape2{*this, "Shape2"};
  forms::Label Label2{*this, "Label2"};
  forms::Label Label1{*this, "Label1"};
  forms::Label Patterns{*this, "Patterns"};
  forms::Label Card{*this, "Card"};
  forms::Shape Shape1{*this, "Shape1"};
  forms::Image pig{*this, "pig"};

  // Form-level variable: never reset by a load, so the lesson goes on where
  // it was when the guide is loaded again.
  forms::Int16 talkstep;

 private:
  void Form_Load() override;
  void Form_Unload(forms::Int16& Cancel) override;

  void Talking_Click();
  void handOver(std::string_view caption, forms::Int16 allowance, forms::FormId game);
};

}  // namespace screens
