#include "progress_words.h"

#include "forms/runtime.h"
#include "screens/cards/carder.h"
#include "screens/guide/menu.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"

namespace cues {

namespace {

// The count as the games' remarks write it, without the remark's opening
// ("Sorry! ", "Wrong pattern! "), which would tell of a miss not made.
std::string triesLeft(const forms::Program& program, int misses) {
  const double allowance = forms::textToNumber(static_cast<const screens::Menu&>(*program.find(screens::Menu::id)).failure.text());
  std::string count = forms::displayText(allowance - misses);
  if (count.starts_with(' ')) count.erase(0, 1);
  return count + " trys left.";
}

template <class Game>
const Game* onScreen(const forms::Program& program) {
  const forms::Form* form = program.find(Game::id);
  return form != nullptr && form->visible() ? static_cast<const Game*>(form) : nullptr;
}

}  // namespace

std::vector<std::string> progressWords(const forms::Program& program) {
  if (program.find(screens::Menu::id) == nullptr) return {};
  if (const auto* cards = onScreen<screens::Carder>(program)) return {triesLeft(program, cards->misses)};
  if (const auto* pattern = onScreen<screens::Patternform>(program)) {
    return {triesLeft(program, pattern->misses), pattern->Stagetext.caption()};
  }
  if (const auto* worm = onScreen<screens::Hit>(program)) {
    return {triesLeft(program, worm->misses), worm->stagetext.caption()};
  }
  return {};
}

}  // namespace cues
