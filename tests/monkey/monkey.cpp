#include "monkey.h"

#include <cmath>
#include <set>

#include "screens/cards/carder.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"

namespace testing_support {

using namespace forms;

Monkey::Monkey(std::uint64_t seed, Follower* follower) : seed_(seed), follower_(follower), random_(seed) {
  newGame();
}

void Monkey::newGame() {
  ++games_;
  game_.reset();
  instances_.fill(nullptr);
  seenThisGame_.fill(false);
  wisdom_ = std::uniform_int_distribution<int>(0, 99)(random_);
  // The game's own generator seeds from the clock, so a seeded time of day
  // makes every game of this monkey the same on every run.
  game_.emplace(std::uniform_real_distribution<double>(0, 86000)(random_));
  if (follower_) follower_->gameMade(*game_);
  game_->start();
}

bool Monkey::run(std::uint64_t events) {
  if (!failure_.empty()) return false;
  for (std::uint64_t i = 0; i < events; ++i) {
    ++events_;
    step();
    if (!check()) return false;
    if (follower_) {
      if (std::string broken = follower_->brokenRule(*game_); !broken.empty()) return fail(broken);
    }
    if (game_->ended()) newGame();
  }
  return true;
}

void Monkey::step() {
  Game& game = *game_;
  const auto& windows = game.platform.windows();
  int kind = std::uniform_int_distribution<int>(0, 999)(random_);
  if (kind < 700 && !windows.empty()) {
    clickSomewhere();
  } else if (kind < 700 + (100 - wisdom_) / 2 && !windows.empty()) {  // a wiser child closes less
    game.close(*windows[std::uniform_int_distribution<std::size_t>(0, windows.size() - 1)(random_)]);
  } else {
    // Mostly short waits, now and then a long one: 1 ms to a minute.
    double ms = std::exp(std::uniform_real_distribution<double>(0, std::log(60000.0))(random_));
    game.advance(static_cast<std::int64_t>(ms));
  }
}

// Half the clicks aim at a control that takes a click, so that the monkey gets
// far into the lesson; the other half land anywhere. Both go through the same
// hit-testing as a real click.
void Monkey::clickSomewhere() {
  Game& game = *game_;
  const auto& windows = game.platform.windows();
  Form& form = *windows[std::uniform_int_distribution<std::size_t>(0, windows.size() - 1)(random_)];
  std::uniform_real_distribution<float> unit(0, 1);
  int aim = std::uniform_int_distribution<int>(0, 99)(random_);
  if (aim < wisdom_ && clickWisely(form)) return;
  if (aim < 50 + wisdom_ / 2) {
    std::vector<int> targets;
    for (std::size_t slot = 0; slot < form.controls().size(); ++slot) {
      if (form.takesClick(int(slot)) && form.controls()[slot].visible) targets.push_back(int(slot));
    }
    if (!targets.empty()) {
      int slot = targets[std::uniform_int_distribution<std::size_t>(0, targets.size() - 1)(random_)];
      TwipRect r = form.controls()[std::size_t(slot)].rect;
      game.clickAt(form, r.left + unit(random_) * r.width, r.top + unit(random_) * r.height);
      return;
    }
  }
  game.clickAt(form, unit(random_) * form.spec().clientWidth, unit(random_) * form.spec().clientHeight);
}

// Now and then the child knows the answer: the partner of an open card, the
// next button of the pattern, the hole with the worm apple. Without this no
// random child ever gets past the cards, and the later screens go untested.
bool Monkey::clickWisely(Form& form) {
  Game& game = *game_;
  if (form.id() == FormId::carder) {
    auto& cards = static_cast<screens::Carder&>(form);
    int first = cards.firstopen == True ? int(cards.firstcard) : -1;
    for (int i = 0; i < 20; ++i) {
      bool wanted = first >= 0 ? (i != first && cards.cardpic[i] == cards.cardpic[first]) : cards.matched[i] == False;
      if (wanted) {
        game.click(cards.CardImage(i));
        return true;
      }
    }
  } else if (form.id() == FormId::patternform) {
    auto& pattern = static_cast<screens::Patternform&>(form);
    int next = pattern.pattern[pattern.clickpos];
    if (next >= 0) {
      game.click(pattern.clipart(next));
      return true;
    }
  } else if (form.id() == FormId::hit) {
    auto& worm = static_cast<screens::Hit&>(form);
    if (worm.shownpic == 0) {
      game.click(worm.hitpic(int(worm.hole)));
      return true;
    }
  }
  return false;
}

bool Monkey::fail(const std::string& what) {
  failure_ = "seed " + std::to_string(seed_) + " event " + std::to_string(events_) + ": " + what;
  return false;
}

bool Monkey::check() {
  Game& game = *game_;
  const Program& program = game.program;
  if (!game.platform.errors().empty()) return fail("error reported: " + game.platform.errors().front());
  if (program.reentrantEvents() != 0) return fail("an event ran inside another's handler");
  for (int i = 0; i < kFormCount; ++i) {
    Form* now = program.find(FormId(i));
    if (instances_[std::size_t(i)] && now != instances_[std::size_t(i)]) return fail("a form was made twice");
    instances_[std::size_t(i)] = now;
    if (now && now->visible() && !seenThisGame_[std::size_t(i)]) {
      seenThisGame_[std::size_t(i)] = true;
      ++reached_[std::size_t(i)];
    }
  }
  if (program.ended() != !program.anyLoaded()) return fail("ended is not the same as no form loaded");
  if (program.ended()) {
    if (program.exitCode() != 0) return fail("ended with a failure status");
    std::uint64_t handled = program.eventsHandled();
    game.advance(60000);
    if (program.eventsHandled() != handled || game.platform.runningTimers() != 0) {
      return fail("something ran after the end");
    }
    return true;
  }
  if (game.platform.windows().empty()) return fail("running with no window on screen");

  auto inRange = [&](int value, int low, int high, const char* name) {
    return (value >= low && value <= high) ? true : fail(std::string(name) + " = " + std::to_string(value));
  };
  auto* intro = static_cast<screens::Starter*>(program.find(FormId::starter));
  if (intro && intro->loaded() && !inRange(intro->walkframe, -1, 4, "walkframe")) return false;
  auto* guide = static_cast<screens::Menu*>(program.find(FormId::menu));
  if (guide && guide->loaded()) {
    static const std::set<std::string> allowed{"0", "15", "12", "10", "-1"};
    const std::string& text = guide->controls()[std::size_t(guide->failure.slot())].text;
    if (!allowed.contains(text)) return fail("failure holds \"" + text + "\"");
  }
  if (auto* cards = static_cast<screens::Carder*>(program.find(FormId::carder))) {
    if (!inRange(cards->misses, 0, 15, "card misses") || !inRange(cards->firstcard, -1, 19, "firstcard")) return false;
  }
  if (auto* pattern = static_cast<screens::Patternform*>(program.find(FormId::patternform))) {
    if (!inRange(pattern->misses, 0, 12, "pattern misses") || !inRange(pattern->showpos, 0, 30, "showpos") ||
        !inRange(pattern->clickpos, 0, 30, "clickpos") || !inRange(pattern->stage, 0, 32767, "stage")) {
      return false;
    }
  }
  if (auto* worm = static_cast<screens::Hit*>(program.find(FormId::hit))) {
    if (!inRange(worm->hits, 0, 4, "hits") || !inRange(worm->misses, 0, 10, "worm misses") ||
        !inRange(worm->shownpic, -1, 1, "shownpic") || !inRange(int(worm->hole), 0, 15, "hole")) {
      return false;
    }
  }
  return true;
}

}  // namespace testing_support
