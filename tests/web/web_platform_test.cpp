#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "fake_page.h"
#include "forms/forms.h"
#include "reading/reader.h"
#include "web/web_platform.h"
#include "web/web_reading.h"

using namespace forms;
using Key = web::WebPlatform::Key;

namespace {

constexpr PictureInfo kPictures[] = {{"loaf", 100, 62}};

const FormSpec kLayout{
    .caption = "probe",
    .clientWidth = 3000,
    .clientHeight = 3000,
    .controls = {
        button("Go", twips(0, 0, 900, 450)).caption("Go"),
        label("Back", twips(0, 0, 1800, 675)).caption("behind the button"),
        label("Say", twips(0, 900, 1800, 450)).caption("hello"),
        image("Pic", twips(0, 1800, 1500, 930)).withPicture("loaf"),
        shape("Frame", twips(0, 0, 3000, 3000)),
        timer("Tick", 100),
    }};

class Probe final : public Form {
 public:
  Probe(Program& program, FormId id) : Form(program, id, kLayout) {
    onClick(Go, [this] { ++goes; if (onGo) onGo(); });
    onClick(Back, [this] { ++backs; });
    onClick(Say, [this] { Say.setCaption("said " + std::to_string(++says)); });
    onClick(Pic, [this] { ++pics; });
    onTimer(Tick, [this] { ++ticks; if (onTick) onTick(); });
  }
  CommandButton Go{*this, "Go"};
  Label Back{*this, "Back"};
  Label Say{*this, "Say"};
  Image Pic{*this, "Pic"};
  forms::Timer Tick{*this, "Tick"};
  int goes = 0, backs = 0, says = 0, pics = 0, ticks = 0;
  std::function<void()> onGo, onTick;
};

struct Web : ::testing::Test {
  FakePage page;
  web::WebPlatform platform{page};
  web::WebReading reading{page, platform};
  reading::Reader reader{reading};
  Program program{platform, kPictures};
  static constexpr int A = static_cast<int>(FormId::starter);
  static constexpr int B = static_cast<int>(FormId::menu);

  Web() {
    platform.attach(program);
    program.watch(reader);
    program.install(FormId::starter, [](Program& p) { return std::make_unique<Probe>(p, FormId::starter); });
    program.install(FormId::menu, [](Program& p) { return std::make_unique<Probe>(p, FormId::menu); });
    program.start();
  }
  Probe& a() { return static_cast<Probe&>(program.ref(FormId::starter)); }
  Probe& b() { return static_cast<Probe&>(program.ref(FormId::menu)); }
  // A press and release at a point of panel `panel`, in client pixels.
  void tap(int panel, float x, float y, double at) {
    platform.press(panel, x, y, at);
    platform.release(panel, x, y);
  }
};

}  // namespace

// Protects the click rule: a press and a release over the same control, and a
// double-click's second press is not a second click, as on the desktop.
TEST_F(Web, AClickIsAPressAndAReleaseOverTheSameControl) {
  tap(A, 10, 70, 0);
  EXPECT_EQ(a().says, 1);
  platform.press(A, 10, 70, 1000);
  platform.release(A, 10, 130);  // let go over the picture
  EXPECT_EQ(a().says, 1);
  EXPECT_EQ(a().pics, 0);
  platform.press(A, 10, 70, 2000);
  platform.release(B, 10, 70);  // another panel cannot finish it
  EXPECT_EQ(a().says, 1);
}

TEST_F(Web, AQuickSecondPressNearTheFirstIsADoubleClicksAndNotAClick) {
  tap(A, 10, 70, 0);
  tap(A, 12, 72, 300);  // within 400 ms and 5 pixels
  EXPECT_EQ(a().says, 1);
  tap(A, 12, 72, 500);  // the press after a double-click starts afresh
  EXPECT_EQ(a().says, 2);
  tap(A, 12, 72, 901);  // too late to pair with the one before
  EXPECT_EQ(a().says, 3);
  tap(A, 40, 72, 1000);  // too far from the one before
  EXPECT_EQ(a().says, 4);
}

TEST_F(Web, ADisabledButtonLetsTheClickThroughToWhatLiesBehind) {
  tap(A, 10, 10, 0);
  EXPECT_EQ(a().goes, 1);
  EXPECT_EQ(a().backs, 0);
  ControlState& go = a().touchForWrite(0);
  go.enabled = false;
  a().changed(0, go.rect, Property::Enabled);
  EXPECT_FALSE(page.looks.at({A, 0}).enabled);
  tap(A, 10, 10, 1000);
  EXPECT_EQ(a().goes, 1);
  EXPECT_EQ(a().backs, 1);
}

// Protects the panels: shown in front, hidden ones take nothing, the close
// button runs the form's unload.
TEST_F(Web, PanelsComeToTheFrontAndOnlyShownOnesTakeEvents) {
  EXPECT_EQ(page.front(), A);
  a().onGo = [this] { b().show(); };
  tap(A, 10, 10, 0);
  EXPECT_EQ(page.front(), B);
  platform.press(A, 10, 200, 1000);  // a press on a panel behind brings it forward
  EXPECT_EQ(page.front(), A);
  b().hide();
  tap(B, 10, 70, 2000);
  EXPECT_EQ(b().says, 0);
  platform.close(B);
  EXPECT_TRUE(b().loaded());
  platform.close(A);
  EXPECT_FALSE(a().loaded());
  EXPECT_EQ(page.closed, std::vector<int>{A});
}

// Protects the timers: the browser's ticks reach the form, and a tick queued
// for a stopped, restarted or unloaded timer is dropped.
TEST_F(Web, LateTicksOfStoppedOrUnloadedTimersAreDropped) {
  ASSERT_EQ(page.timers.size(), 1u);
  int first = page.timers.begin()->first;
  EXPECT_EQ(page.timers.at(first), 100);
  platform.tick(first);
  EXPECT_EQ(a().ticks, 1);
  a().Tick.setInterval(250);
  ASSERT_EQ(page.timers.size(), 1u);
  int second = page.timers.begin()->first;
  EXPECT_NE(second, first);
  EXPECT_EQ(page.timers.at(second), 250);
  platform.tick(first);
  EXPECT_EQ(a().ticks, 1);
  a().onTick = [this] { b().show(); };
  platform.tick(second);
  ASSERT_EQ(page.timers.size(), 2u);
  platform.close(A);
  EXPECT_FALSE(page.timers.contains(second));
  platform.tick(second);
  EXPECT_EQ(a().ticks, 2);
}

// Protects the keyboard: Tab walks the controls that take clicks, buttons
// first, in the front panel; Space and Enter press the one with the ring.
TEST_F(Web, TabSpaceAndEnterPlayAsOnTheDesktop) {
  platform.key(Key::Space);
  EXPECT_EQ(a().goes, 0);  // no ring yet, nothing to press
  EXPECT_FALSE(page.rings.contains(A));
  platform.key(Key::Tab);
  EXPECT_EQ(platform.focusedSlot(a()), 0);
  EXPECT_EQ(page.rings.at(A).first, 0);
  EXPECT_EQ(page.rings.at(A).second, (PixelRect{-2, -2, 64, 34}));
  platform.key(Key::Enter);
  EXPECT_EQ(a().goes, 1);
  platform.key(Key::Tab);
  platform.key(Key::Tab);
  EXPECT_EQ(platform.focusedSlot(a()), 2);
  platform.key(Key::Space);
  EXPECT_EQ(a().says, 1);
  platform.key(Key::Tab);
  platform.key(Key::Tab);  // round to the first
  EXPECT_EQ(platform.focusedSlot(a()), 0);
  platform.key(Key::BackTab);
  EXPECT_EQ(platform.focusedSlot(a()), 3);
  // The control with the ring is hidden: the ring goes, and Space presses nothing.
  a().Pic.setVisible(false);
  platform.tick(page.timers.begin()->first);
  EXPECT_EQ(page.rings.at(A).first, -1);
  platform.key(Key::Space);
  EXPECT_EQ(a().pics, 0);
}

// Protects one-switch scanning in the page: the ring shows at once and
// steps on the page's timer at the grown-ups' step, not paced, and a tap
// anywhere in the panel clicks what it is on.
TEST_F(Web, TheScanRingStepsOnItsOwnTimerAndATapAnywhereIsTheSwitch) {
  platform.setPace(0.5);
  platform.setScan(2);
  EXPECT_EQ(page.timers.at(0), 2000);
  const int first = page.rings.at(A).first;
  EXPECT_GE(first, 0) << "the ring shows at once";
  platform.tick(0);
  const int second = page.rings.at(A).first;
  EXPECT_NE(second, first);
  page.timers.erase(0);
  tap(A, 190, 190, 0);  // on the frame, which takes no click
  EXPECT_EQ(a().goes + a().backs + a().says + a().pics, 1) << "what the ring was on";
  EXPECT_EQ(page.timers.at(0), 2000) << "a whole step after the switch";
  EXPECT_EQ(page.rings.at(A).first, second);

  // A panel that comes up keeps the focus on the ring's first stop.
  a().onGo = [this] { b().show(); };
  page.focusedPanels.clear();
  platform.activate(A, 0);
  EXPECT_GE(page.rings.at(B).first, 0);
  EXPECT_EQ(page.focusedPanels, std::vector<int>{}) << "the panel took the focus from the ring";
}

TEST_F(Web, AScreenReadersPressReachesOnlyControlsTheKeyboardCouldReach) {
  platform.activate(A, 3);
  EXPECT_EQ(a().pics, 1);
  platform.activate(A, 4);  // a shape takes no click
  platform.activate(A, 5);
  a().Say.setVisible(false);
  platform.activate(A, 2);
  EXPECT_EQ(a().says, 0);
}

// Protects the ends: an error is reported once and nothing runs after it;
// the normal end says goodbye.
TEST_F(Web, AnErrorIsShownOnceAndNothingRunsAfterIt) {
  a().onTick = [] { raise(ErrorKind::Overflow, "ticked"); };
  int timer = page.timers.begin()->first;
  platform.tick(timer);
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_TRUE(page.timers.empty());
  EXPECT_EQ(page.goodbyes, 0);
  tap(A, 10, 70, 0);
  platform.key(Key::Tab);
  platform.tick(timer);
  EXPECT_EQ(a().says, 0);
  EXPECT_EQ(a().ticks, 1);
  EXPECT_EQ(page.errors.size(), 1u);
}

TEST_F(Web, ClosingTheLastPanelSaysGoodbye) {
  platform.close(A);
  EXPECT_TRUE(program.ended());
  EXPECT_EQ(page.goodbyes, 1);
  EXPECT_TRUE(page.errors.empty());
  EXPECT_TRUE(page.timers.empty());
}

// Protects what a screen reader meets and hears: the panel's controls in
// reading order with roles and names, scenery hidden, each event's words as
// messages of their own once the event has been handled, and a panel coming
// on show taking the focus and reading its texts.
TEST_F(Web, ReadersMeetTheControlsInOrderAndHearEachMessageOnItsOwn) {
  EXPECT_EQ(page.orders.at(A), (std::vector<int>{0, 1, 2, 3})) << "the frame and the timer are scenery";
  EXPECT_EQ(page.readings.at({A, 3}).role, reading::Role::Button) << "a picture that takes a click";
  EXPECT_EQ(page.readings.at({A, 3}).name, "loaf");
  EXPECT_EQ(page.focusedPanels, std::vector<int>{A});
  EXPECT_EQ(page.announced, (std::vector<std::string>{"behind the button", "hello"}));
  page.announced.clear();
  a().onGo = [this] {
    a().Say.setCaption("one");
    a().Back.setCaption("two");
    a().Say.setCaption("three");
  };
  tap(A, 10, 10, 0);
  EXPECT_EQ(page.announced, (std::vector<std::string>{"two", "three"})) << "in reading order, never merged";
  EXPECT_EQ(page.readings.at({A, 2}).name, "three");
  tap(A, 10, 10, 1000);
  EXPECT_EQ(page.announced.size(), 4u) << "the same words again after a click are said again";
  page.announced.clear();
  a().onGo = [this] {
    b().hide();
    b().Say.setCaption("not on show");
  };
  tap(A, 10, 10, 2000);
  EXPECT_TRUE(page.announced.empty());
  a().onGo = [this] { b().show(); };
  tap(A, 10, 10, 3000);
  EXPECT_EQ(page.announced, (std::vector<std::string>{"behind the button", "not on show"}));
  EXPECT_EQ(page.focusedPanels.back(), B);
}

// Protects the drawing: the layout's front-to-back order with buttons over
// everything, pictures by file, fonts as the desktop maps them.
TEST_F(Web, LooksStackAsTheLayoutAndNamePicturesAndFonts) {
  const auto& looks = page.looks;
  EXPECT_GT(looks.at({A, 0}).depth, looks.at({A, 1}).depth);  // the button over the label listed after it
  EXPECT_GT(looks.at({A, 1}).depth, looks.at({A, 4}).depth);
  EXPECT_EQ(looks.at({A, 3}).picture, "loaf.svg");
  EXPECT_EQ(looks.at({A, 3}).name, "loaf");
  EXPECT_EQ(looks.at({A, 1}).font.family, "Liberation Sans");
  EXPECT_EQ(looks.at({A, 1}).font.pixels, 11);  // 8 points at 96 dpi
  EXPECT_EQ(page.sizes.at(A), (std::pair{200, 200}));
  a().Pic.setPicture(Picture{});
  EXPECT_TRUE(looks.at({A, 3}).picture.empty());  // an empty picture shows nothing, but is there
  EXPECT_EQ(looks.at({A, 3}).name, "empty");
}
