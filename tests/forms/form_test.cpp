#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "headless/headless_platform.h"

using namespace forms;

namespace {

constexpr PictureInfo kPictures[] = {{"loaf", 100, 62}, {"cross", 100, 100}};

const FormSpec kLayout{
    .caption = "probe",
    .clientWidth = 3000,
    .clientHeight = 3000,
    .controls = {
        timer("Timer1", 100),
        label("Caption", twips(0, 0, 1500, 300)).caption("from the layout"),
        image("Card", twips(0, 600, 1500, 1500)).at(3),
        image("Card", twips(1500, 600, 1500, 1500)).at(1),
        image("Store", twips(0, 3200, 1500, 930)).withPicture("loaf").hidden(),
        textBox("Box", twips(0, 0, 300, 300)).caption("0").hidden(),
    }};

// A form whose handlers are whatever the test wants them to be.
class Probe final : public Form {
 public:
  Probe(Program& program, FormId id) : Form(program, id, kLayout) {
    onClick(Caption, [this] {
      if (onClickHandler) onClickHandler();
    });
    onTimer(Timer1, [this] {
      ++ticks;
      if (onTick) onTick();
    });
  }

  forms::Timer Timer1{*this, "Timer1"};
  Label Caption{*this, "Caption"};
  ImageArray Card{*this, "Card"};
  Image Store{*this, "Store"};
  TextBox Box{*this, "Box"};

  Int16 counter;
  int loads = 0;
  int unloads = 0;
  int ticks = 0;
  std::function<void()> onLoad, onUnload, onClickHandler, onTick;

 private:
  void Form_Load() override {
    ++loads;
    if (onLoad) onLoad();
  }
  void Form_Unload(Int16&) override {
    ++unloads;
    if (onUnload) onUnload();
  }
};

struct Fixture : ::testing::Test {
  headless::HeadlessPlatform platform;
  Program program{platform, kPictures};
  Fixture() {
    platform.attach(program);
    for (FormId id : {FormId::menu, FormId::starter}) {
      program.install(id, [id](Program& p) { return std::make_unique<Probe>(p, id); });
    }
  }
  Probe& a() { return static_cast<Probe&>(program.ref(FormId::starter)); }
  Probe& b() { return static_cast<Probe&>(program.ref(FormId::menu)); }
  // Runs `body` as the handler of a click on `a`.
  void inHandler(std::function<void()> body) {
    a().onClickHandler = std::move(body);
    platform.click(a().Caption);
  }
};

}  // namespace

// Protects the states of a form: created, loaded hidden, loaded visible.
using FormStates = Fixture;

TEST_F(FormStates, TouchingAControlOfACreatedFormLoadsItHidden) {
  Probe& form = a();
  EXPECT_EQ(form.state(), FormState::Created);
  EXPECT_EQ(form.Caption.caption(), "from the layout");
  EXPECT_EQ(form.state(), FormState::LoadedHidden);
  EXPECT_EQ(form.loads, 1);
  EXPECT_TRUE(platform.windows().empty());
}

TEST_F(FormStates, UnloadingACreatedFormRunsNothing) {
  a().unload();
  EXPECT_EQ(a().state(), FormState::Created);
  EXPECT_EQ(a().unloads, 0);
  EXPECT_EQ(a().loads, 0);
}

TEST_F(FormStates, ReloadRebuildsTheLayoutButKeepsTheVariables) {
  program.start();
  a().Caption.setCaption("changed");
  a().counter = 7;
  inHandler([&] {
    a().unload();
    a().counter = a().counter + 1;  // variables stay usable without loading again
  });
  EXPECT_FALSE(a().loaded());
  EXPECT_EQ(a().counter, 8);
  EXPECT_TRUE(program.ended());
  EXPECT_EQ(program.exitCode(), 0);
}

TEST_F(FormStates, ControlAccessAfterTheFormsOwnUnloadLoadsItAgain) {
  program.start();
  inHandler([&] {
    a().unload();
    a().Caption.setCaption("back");
  });
  EXPECT_TRUE(a().loaded());
  EXPECT_FALSE(a().visible());
  EXPECT_EQ(a().loads, 2);
  EXPECT_FALSE(program.ended()) << "a hidden loaded form keeps the program running";
}

TEST_F(FormStates, ShowDuringTheFormsOwnUnloadLetsTheUnloadComplete) {
  program.start();
  a().onUnload = [&] { a().show(); };
  platform.close(a());
  EXPECT_FALSE(a().loaded());
  EXPECT_TRUE(platform.windows().empty());
  EXPECT_EQ(a().unloads, 1);
  EXPECT_TRUE(program.ended());
}

TEST_F(FormStates, UnloadIsNestedInsideTheOperationThatCausesIt) {
  program.start();
  std::vector<std::string> order;
  b().onLoad = [&] { order.push_back("b loaded"); };
  a().onUnload = [&] {
    order.push_back("a unloading");
    b().show();
    order.push_back("b shown");
  };
  platform.close(a());
  EXPECT_EQ(order, (std::vector<std::string>{"a unloading", "b loaded", "b shown"}));
  EXPECT_TRUE(b().visible());
  EXPECT_FALSE(program.ended());
}

// Protects pictures: natural size, sharing, and the empty picture.
using PictureSharing = Fixture;

TEST_F(PictureSharing, AnImageTakesItsPicturesSizeAndKeepsItsCorner) {
  Probe& form = a();
  form.Card(3).setPicture(form.Store);
  EXPECT_EQ(form.Card(3).rect(), twips(0, 600, 1500, 930));
  EXPECT_EQ(form.Card(3).picture(), form.Store.picture());
  form.Card(3).setPicture(Picture());
  EXPECT_TRUE(form.Card(3).picture().empty());
  EXPECT_EQ(form.Card(3).rect(), twips(0, 600, 1500, 930)) << "the empty picture keeps the size";
  form.Card(1).setPicture(form.Card(3));  // copying from an empty control
  EXPECT_TRUE(form.Card(1).picture().empty());
  EXPECT_EQ(form.Card(1).rect(), twips(1500, 600, 1500, 1500));
}

TEST_F(PictureSharing, AControlArrayReachesOnlyTheIndicesItHas) {
  EXPECT_NO_THROW(a().Card(1));
  EXPECT_NO_THROW(a().Card(3));
  EXPECT_THROW(a().Card(0), RuntimeError);
  EXPECT_THROW(a().Card(2), RuntimeError);
}

// Protects the dispatcher: one handler at a time, errors end the program.
using Dispatch = Fixture;

TEST_F(Dispatch, ARunTimeErrorAbandonsTheHandlerIsReportedOnceAndEndsTheProgram) {
  program.start();
  bool after = false;
  inHandler([&] {
    a().Box.setText("x");
    (void)textToNumber(a().Box.text());
    after = true;
  });
  EXPECT_FALSE(after);
  ASSERT_EQ(platform.errors().size(), 1u);
  EXPECT_NE(platform.errors()[0].find("not a number"), std::string::npos);
  EXPECT_TRUE(program.ended());
  EXPECT_EQ(program.exitCode(), 1);
  int ticks = a().ticks;
  platform.advance(10000);
  platform.click(a().Caption);
  EXPECT_EQ(a().ticks, ticks) << "nothing ticks once the program has ended";
  EXPECT_EQ(platform.errors().size(), 1u);
}

TEST_F(Dispatch, AnErrorInANestedLoadAlsoEndsTheProgram) {
  program.start();
  b().onLoad = [&] { (void)b().Card(9); };
  inHandler([&] { b().show(); });
  EXPECT_EQ(platform.errors().size(), 1u);
  EXPECT_TRUE(program.ended());
}

TEST_F(Dispatch, TimersTickWhileLoadedHiddenOrNotAndStopAtUnload) {
  program.start();
  platform.advance(350);
  EXPECT_EQ(a().ticks, 3);
  a().hide();
  platform.advance(200);
  EXPECT_EQ(a().ticks, 5);
  b().show();
  program.closeWindow(a());  // b keeps the program alive
  EXPECT_FALSE(program.ended());
  platform.advance(1000);
  EXPECT_EQ(a().ticks, 5);
}

TEST_F(Dispatch, ANewIntervalAppliesToTheFollowingTicksAndZeroStopsThem) {
  program.start();
  a().onTick = [&] { a().Timer1.setInterval(a().Timer1.interval() / 2); };
  platform.advance(100);  // 100 -> 50
  platform.advance(50);   // 50 -> 25
  platform.advance(25);   // 25 -> 12
  EXPECT_EQ(a().ticks, 3);
  EXPECT_EQ(a().Timer1.interval(), 12);
  platform.advance(10000);  // 12, 6, 3, 1, then 0
  EXPECT_EQ(a().Timer1.interval(), 0);
  EXPECT_EQ(a().ticks, 7);
  EXPECT_EQ(platform.runningTimers(), 0);
}

TEST_F(Dispatch, ATickStartedBeforeAReloadIsDropped) {
  program.start();
  std::uint32_t before = a().generation();
  inHandler([&] {
    a().unload();
    a().show();
  });
  program.tick(a(), a().Timer1.slot(), before);
  EXPECT_EQ(a().ticks, 0);
  program.tick(a(), a().Timer1.slot(), a().generation());
  EXPECT_EQ(a().ticks, 1);
}

TEST_F(Dispatch, AnEventDuringAHandlerIsNotRunInsideIt) {
  program.start();
  int runs = 0;
  inHandler([&] {
    ++runs;
    program.click(a(), a().Caption.slot());
  });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(program.reentrantEvents(), 1u);
}

// Protects the one stream of changes that the voice, the sounds and the
// screen reader follow: every change once, in order, then the end of the event.
namespace {
struct Log final : Watcher {
  std::vector<std::string> lines;
  void formShown(Form& f) override { lines.push_back("shown " + std::string(f.name())); }
  void formHidden(Form& f) override { lines.push_back("hidden " + std::string(f.name())); }
  void formUnloaded(Form& f) override {
    // The controls are still there to read one last time.
    lines.push_back("unloaded " + std::string(f.name()) + " " + f.controls()[1].text);
  }
  void controlChanged(Form& f, int slot, Property what) override {
    lines.push_back(std::string(f.name()) + " " + std::to_string(slot) + " " + std::to_string(int(what)));
  }
  void eventHandled(Cause cause) override {
    lines.push_back(cause == Cause::Start ? "handled start" : cause == Cause::Click ? "handled click" : "handled");
  }
};
}  // namespace

using ChangeStream = Fixture;

TEST_F(ChangeStream, WatchersHearEachRealChangeInOrderAndThenTheEndOfTheEvent) {
  Log log;
  program.watch(log);
  program.start();
  inHandler([&] {
    a().Caption.setCaption("from the layout");  // no change, nothing told
    a().Caption.setCaption("new");
    a().Card(1).setPicture(program.pictures().get("cross"));
    a().Store.setVisible(true);
    a().Card(3).setPicture(a().Card(1));
    a().Timer1.setInterval(50);  // timers are not drawn and not told
    b().show();
    a().hide();
    b().unload();
  });
  const std::vector<std::string> expected{
      "shown starter", "handled start",
      "starter 1 1", "starter 3 2", "starter 4 0", "starter 2 2",
      "shown menu", "hidden starter", "unloaded menu from the layout", "handled click"};
  EXPECT_EQ(log.lines, expected);

  // A watcher that leaves hears nothing more.
  program.unwatch(log);
  inHandler([&] { a().Caption.setCaption("after"); });
  EXPECT_EQ(log.lines, expected);
}

TEST_F(ChangeStream, TheEventThatEndsTheProgramIsStillTold) {
  Log log;
  program.watch(log);
  program.start();
  inHandler([&] { a().unload(); });
  ASSERT_TRUE(program.ended());
  EXPECT_EQ(log.lines.back(), "handled click");
}
