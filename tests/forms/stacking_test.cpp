#include <gtest/gtest.h>

#include "forms/forms.h"
#include "forms/stacking.h"
#include "headless/headless_platform.h"

using namespace forms;

namespace {

const FormSpec kLayout{
    .caption = "stack",
    .clientWidth = 6000,
    .clientHeight = 6000,
    .controls = {
        button("Off", twips(0, 0, 1000, 1000)).disabled(),
        button("On", twips(4000, 4000, 1000, 1000)),
        label("Inside", twips(1200, 1200, 1000, 500)),
        shape("Bubble", twips(1000, 1000, 2000, 1000), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white),
        label("Behind", twips(0, 0, 3000, 3000)),
        shape("Alone", twips(3500, 0, 1000, 1000)),
        image("Hidden", twips(4000, 4000, 1500, 1500)).hidden(),
        image("Under", twips(4200, 4200, 1500, 1500)),
    }};

struct Stack final : Form {
  explicit Stack(Program& p) : Form(p, FormId::starter, kLayout) {}
};

struct Fixture : ::testing::Test {
  headless::HeadlessPlatform platform;
  Program program{platform, {}};
  Fixture() {
    program.install(FormId::starter, [](Program& p) { return std::make_unique<Stack>(p); });
    program.ref(FormId::starter).show();
  }
  Form& form() { return program.ref(FormId::starter); }
  std::string_view hit(float x, float y) {
    int slot = hitTest(form(), {x, y});
    return slot < 0 ? std::string_view("nothing") : form().spec().controls[std::size_t(slot)].name;
  }
};

}  // namespace

// Protects the front-to-back rule both platforms deliver clicks by.
using HitTest = Fixture;

TEST_F(HitTest, ALabelInsideABubbleTakesTheClickAndTheBubbleLetsItThrough) {
  EXPECT_EQ(hit(1500, 1300), "Inside");
  EXPECT_EQ(hit(2500, 1800), "Behind") << "the bubble shape lets the click through";
}

TEST_F(HitTest, AShapeOverNothingClickableReachesNothing) { EXPECT_EQ(hit(4000, 500), "nothing"); }

TEST_F(HitTest, DisabledButtonsAndHiddenControlsAreSkipped) {
  EXPECT_EQ(hit(500, 500), "Behind");
  EXPECT_EQ(hit(4100, 4100), "On") << "buttons lie over everything";
  EXPECT_EQ(hit(5200, 5200), "Under");
  EXPECT_EQ(hit(7000, 100), "nothing");
}

TEST_F(HitTest, PaintOrderIsBackToFrontAndSkipsInvisibleControls) {
  std::vector<std::string_view> names;
  for (int slot : paintOrder(form())) names.push_back(form().spec().controls[std::size_t(slot)].name);
  EXPECT_EQ(names, (std::vector<std::string_view>{"Under", "Alone", "Behind", "Bubble", "Inside"}));
}
