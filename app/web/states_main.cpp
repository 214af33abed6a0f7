// The screen comparison's page: walks the game through the same telling
// states as the desktop's render tool and draws the one the page's address
// names (probe.html?state=guide) in a panel, through the game's own drawing.
#include <emscripten.h>

#include <string>

#include "dom_page.h"
#include "form_view.h"
#include "states/screen_states.h"

namespace {
// clang-format off
EM_JS(void, js_wanted_state, (char* buffer, int size), {
  stringToUTF8(new URLSearchParams(location.search).get("state") || "", buffer, size);
});
EM_JS(int, js_high_contrast, (), { return new URLSearchParams(location.search).get("contrast") === "high"; });
EM_JS(void, js_state_drawn, (int found), { Module.page.stateDrawn(!!found); });
// clang-format on
}  // namespace

int main() {
  char wanted[64] = {};
  js_wanted_state(wanted, sizeof wanted);
  const std::string name = wanted;
  web::DomPage page;
  page.setTheme();
  bool found = false;
  states::walkScreenStates([&](forms::Program&, forms::Form& form, const std::string& state) {
    if (state != name) return true;
    web::openPanelFor(page, form, js_high_contrast() ? settings::Contrast::High : settings::Contrast::Normal);
    page.showPanel(static_cast<int>(form.id()), 1);
    found = true;
    return false;
  });
  js_state_drawn(found);
  return 0;
}
