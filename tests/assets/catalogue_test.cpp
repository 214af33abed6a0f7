#include <gtest/gtest.h>

#include <map>

#include "assets/catalogue.h"
#include "screens/cards/carder.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"
#include "support/game.h"

using namespace forms;
using testing_support::Game;

namespace {
std::string pictureOf(const Image& image) { return std::string(image.picture().name()); }
}  // namespace

// Protects the artwork the game relies on: every picture at its size, held
// by the controls the games copy it from.
TEST(Catalogue, EveryPictureHasItsPixelSize) {
  const std::map<std::string, std::pair<int, int>> sizes{
      {"walk frame 0", {85, 160}}, {"walk frame 1", {85, 160}}, {"walk frame 2", {85, 160}},
      {"walk frame 3", {85, 160}}, {"nod", {74, 65}},           {"shake", {85, 65}},
      {"cross", {100, 100}},       {"heart", {100, 82}},        {"loaf", {100, 62}},
      {"beet", {92, 100}},         {"candy", {100, 79}},        {"landscape", {100, 70}},
      {"cheese", {100, 65}},       {"hat", {100, 58}},          {"bird", {65, 100}},
      {"baby", {100, 94}},         {"worm apple", {100, 90}}};
  ASSERT_EQ(assets::pictureInfos().size(), sizes.size());
  for (const PictureInfo& info : assets::pictureInfos()) {
    auto it = sizes.find(std::string(info.name));
    ASSERT_NE(it, sizes.end()) << info.name;
    EXPECT_EQ(std::make_pair(info.width, info.height), it->second) << info.name;
  }
}

TEST(Catalogue, TheGamesHoldTheirPicturesWhereTheyCopyThemFrom) {
  Game game;
  auto& cards = game.form<screens::Carder>();
  const char* faces[] = {"cross", "heart", "loaf", "beet", "candy", "landscape", "cheese", "hat", "bird", "baby"};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(pictureOf(cards.clipart(k)), faces[k]) << k;
  auto& pattern = game.form<screens::Patternform>();
  const char* buttons[] = {"cross", "heart", "candy", "baby"};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(pictureOf(pattern.clipart(k)), buttons[k]) << k;
  auto& worm = game.form<screens::Hit>();
  EXPECT_EQ(pictureOf(worm.clipart(0)), "worm apple");
  EXPECT_EQ(pictureOf(worm.clipart(1)), "baby");
  EXPECT_EQ(pictureOf(worm.clipart(2)), "cross");
  EXPECT_EQ(pictureOf(cards.nod), "nod");
  EXPECT_EQ(pictureOf(pattern.shake), "shake");
  EXPECT_EQ(pictureOf(worm.nod), "nod");
  EXPECT_TRUE(cards.blank.picture().empty());
  EXPECT_TRUE(worm.blank.picture().empty());
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(worm.hitpic(i).picture().empty());
}

TEST(Catalogue, ACardGivenTheLoafTakesItsSizeWithItsCornerUnchanged) {
  Game game;
  auto& cards = game.form<screens::Carder>();
  cards.CardImage(7).setPicture(cards.clipart(2));
  EXPECT_EQ(cards.CardImage(7).rect(), twips(240 + 2040 * 2, 240 + 2280, 1500, 930));
  cards.CardImage(7).setPicture(cards.blank);
  EXPECT_TRUE(cards.CardImage(7).picture().empty());
  EXPECT_EQ(cards.CardImage(7).rect(), twips(240 + 2040 * 2, 240 + 2280, 1500, 930));
}
