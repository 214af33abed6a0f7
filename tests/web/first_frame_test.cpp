#include <gtest/gtest.h>

#include <memory>

#include "first_frame.h"
#include "forms.h"
#include "web_platform.h"

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
  const std::string json = firstFrameOf(page);
  EXPECT_TRUE(page.errors().empty());
  EXPECT_EQ(json.rfind("[\n[\"theme\",", 0), 0u) << json;
  EXPECT_NE(json.find("[\"openPanel\",1,\"say \\\"hi\\\"\",200,200,"), std::string::npos) << json;
  EXPECT_NE(json.find("\"text\":\"back\\\\slash\\nnew line\\ttab\\u0001\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"visible\":false,\"enabled\":true,\"box\":[0,60,100,62],\"picture\":\"loaf.svg\""),
            std::string::npos)
      << json;
  // The last call, and no comma after it: JSON has none.
  EXPECT_EQ(json.substr(json.size() - 22), ",\n[\"showPanel\",1,1]\n]\n") << json;
  // The core starts its own timers when it runs.
  EXPECT_EQ(json.find("Timer"), std::string::npos) << json;
}
