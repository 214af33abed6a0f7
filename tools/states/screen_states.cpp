#include "screen_states.h"

#include "assets/catalogue.h"
#include "headless/headless_platform.h"
#include "screens/cards/carder.h"
#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/screens.h"
#include "screens/worm/hit.h"

namespace states {

namespace {

using namespace screens;

struct Session {
  headless::HeadlessPlatform platform{9 * 3600.0};
  forms::Program program{platform, assets::pictureInfos()};
  Session() {
    platform.attach(program);
    installScreens(program);
  }
  template <class F>
  F& form() { return program.ref<F>(); }
  void click(const forms::ControlRef& c) { platform.click(c); }
  void toGuide() {
    program.start();
    platform.advance(17000);
    click(form<Starter>().start);
    for (int i = 0; i < 4; ++i) click(form<Starter>().Talking);
  }
  void handOverAt(int step) {
    form<Menu>().talkstep = step;
    click(form<Menu>().Talking);
  }
  // Advances one tick at a time until `done` holds, for at most a minute.
  template <class Done>
  void advanceUntil(Done done, int stepMs) {
    for (int t = 0; t < 60000 && !done(); t += stepMs) platform.advance(stepMs);
  }
};

}  // namespace

bool walkScreenStates(const Shoot& shoot) {
  bool ok = true;
  auto shot = [&](Session& s, forms::Form& form, const char* name) {
    ok = ok && shoot(s.program, form, name);
    return ok;
  };
  {
    Session s;
    s.program.start();
    s.platform.advance(6000);
    if (!shot(s, s.form<Starter>(), "intro-start")) return ok;
    s.platform.advance(11000);
    s.click(s.form<Starter>().start);
    if (!shot(s, s.form<Starter>(), "intro-bubble")) return ok;
    for (int i = 0; i < 4; ++i) s.click(s.form<Starter>().Talking);
    if (!shot(s, s.form<Menu>(), "guide")) return ok;
    s.handOverAt(5);
    Carder& cards = s.form<Carder>();
    if (!shot(s, cards, "cards-preview")) return ok;
    s.platform.advance(2000);
    int other = 1;
    while (cards.cardpic[other] == cards.cardpic[0]) ++other;
    s.click(cards.CardImage(0));
    s.click(cards.CardImage(other));
    if (!shot(s, cards, "cards-turn")) return ok;
    s.platform.close(cards);
    if (!shot(s, s.form<Menu>(), "guide-failure")) return ok;
  }
  {
    Session s;
    s.toGuide();
    s.handOverAt(8);
    Patternform& pattern = s.form<Patternform>();
    s.platform.advance(600);
    if (!shot(s, pattern, "pattern-lit")) return ok;
    s.advanceUntil([&] { return pattern.clickson == forms::True; }, 600);
    if (!shot(s, pattern, "pattern-waiting")) return ok;
  }
  {
    Session s;
    s.toGuide();
    s.handOverAt(10);
    Hit& worm = s.form<Hit>();
    s.advanceUntil([&] { return worm.shownpic == 0; }, 1000);
    if (!shot(s, worm, "worm-apple")) return ok;
    s.advanceUntil([&] { return worm.shownpic == 1; }, 1000);
    if (!shot(s, worm, "worm-baby")) return ok;
    // Four stages passed and the last miss to come: the miss passes the game.
    worm.stage = 4;
    worm.misses = 9;
    s.platform.advance(1000);
    s.click(worm.hitpic(0));
    if (!shot(s, s.form<Form1>(), "completion")) return ok;
    s.click(s.form<Form1>().Label4);
    shot(s, s.form<Starter>(), "intro-farewell");
  }
  return ok;
}

}  // namespace states
