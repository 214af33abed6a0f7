#include "reading_recorder.h"

namespace headless {

void ReadingRecorder::windowFront(forms::Form&, std::string_view title, const std::vector<std::string>& texts) {
  lines_.push_back("window: " + std::string(title));
  for (const std::string& text : texts) lines_.push_back("text: " + text);
}

void ReadingRecorder::say(forms::Form&, const std::vector<std::string>& messages) {
  for (const std::string& message : messages) lines_.push_back("say: " + message);
}

}  // namespace headless
