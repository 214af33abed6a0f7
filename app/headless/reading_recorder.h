#pragma once

#include <string>
#include <utility>
#include <vector>

#include "reading/reader.h"

namespace headless {

// Tells no one and writes down what a screen reader would be told, as lines
// a test reads: "window: <title>" and "text: <words>" for a window coming to
// the front, "say: <words>" for each message.
class ReadingRecorder final : public reading::Presenter {
 public:
  std::vector<std::string> take() { return std::exchange(lines_, {}); }

  void windowFront(forms::Form& form, std::string_view title, const std::vector<std::string>& texts) override;
  void say(forms::Form& form, const std::vector<std::string>& messages) override;

 private:
  std::vector<std::string> lines_;
};

}  // namespace headless
