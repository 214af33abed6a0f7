#include "guide/lesson_outcome.h"

#include "guide/menu.h"

namespace screens {

using namespace forms;

double LessonOutcome::allowance() const {
  return textToNumber(game_.program().ref<Menu>().failure.text());
}

void LessonOutcome::pass(FormId next) {
  passed_ = true;
  game_.program().ref(next).show();
  game_.hide();
}

void LessonOutcome::gameUnloaded() {
  if (passed_) return;
  Menu& guide = game_.program().ref<Menu>();
  guide.failure.setText(int16Text(-1));
  guide.Talking.setCaption(std::string(failureText_));
  guide.show();
}

}  // namespace screens
