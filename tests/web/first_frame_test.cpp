#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "forms/forms.h"
#include "web/first_frame.h"
#include "web/web_platform.h"

using namespace forms;

namespace {

constexpr PictureInfo kPictures[] = {{"loaf", 100, 62}};

// A caption with everything a JSON string must escape, and a hidden picture.
const FormSpec kLayout{
    .caption = "say \"hi\"",
    .clientWidth = 3000,
    .clientHeight = 3000,
    .controls = {
        label("Say", twips(0, 0, 1800, 450)).caption("back\\slash\nnew line\ttab\x01"),
        image("Pic", twips(0, 900, 1500, 930)).withPicture("loaf").hidden(),
        timer("Tick", 100),
    }};

class Probe final : public Form {
 public:
  Probe(Program& program, FormId id) : Form(program, id, kLayout) {}
  Label Say{*this, "Say"};
  Image Pic{*this, "Pic"};
  forms::Timer Tick{*this, "Tick"};
};

std::string firstFrameOf(web::FirstFrame& page) {
  web::WebPlatform platform{page};
  Program program{platform, kPictures};
  platform.attach(program);
  program.install(FormId::starter, [](Program& p) { return std::make_unique<Probe>(p, FormId::starter); });
  program.start();
  return page.json();
}

}  // namespace

// The record is read by the site's build as JSON: every text must arrive as
// written, whatever it holds, and the panel must end up shown.
TEST(FirstFrame, RecordsTheFirstScreenAsThePagesOwnCalls) {
  web::FirstFrame page;
  const std::string text = firstFrameOf(page);
  EXPECT_TRUE(page.errors().empty());
  const nlohmann::json calls = nlohmann::json::parse(text);
  ASSERT_TRUE(calls.is_array() && !calls.empty()) << text;
  EXPECT_EQ(calls.front()[0], "theme");
  EXPECT_EQ(calls.back(), nlohmann::json::parse(R"(["showPanel",1,1])"));
  nlohmann::json opened, said, pictured;
  for (const nlohmann::json& call : calls) {
    if (call[0] == "openPanel") opened = call;
    if (call[0] == "drawControl" && call[2] == 0) said = call[3];
    if (call[0] == "drawControl" && call[2] == 1) pictured = call[3];
  }
  EXPECT_EQ(opened[2], "say \"hi\"") << text;
  EXPECT_EQ(opened[3], 200);
  EXPECT_EQ(said["text"], "back\\slash\nnew line\ttab\x01") << text;
  EXPECT_EQ(pictured["visible"], false);
  EXPECT_EQ(pictured["box"], nlohmann::json::parse("[0,60,100,62]"));
  EXPECT_EQ(pictured["picture"], "loaf.svg");
  // The core starts its own timers when it runs.
  EXPECT_EQ(text.find("Timer"), std::string::npos) << text;
}
