#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "qt/screen_fit.h"
#include "qt_game.h"
#include "screens/intro/starter.h"

using qtgui::fitToScreen;
using qtgui::ScreenFit;
using screens::Starter;
using testing_support::QtGame;

namespace {
const QSize kCards(781, 686);
const QSize kIntro(512, 489);
const QMargins kFrame(1, 22, 1, 5);

bool fits(const ScreenFit& fit, QMargins frame, QRect area) {
  return area.contains(QRect(fit.framePos, fit.client.grownBy(frame)));
}
}  // namespace

// Protects windows on small screens: each is whole on the screen, title bar
// first, shrunk only when it has to be, and still played where it looks.
TEST(SmallScreen, AWindowThatFitsKeepsItsSizeAndIsCentred) {
  ScreenFit fit = fitToScreen(kIntro, kFrame, QRect(0, 0, 1280, 1024));
  EXPECT_EQ(fit.scale, 1);
  EXPECT_EQ(fit.client, kIntro);
  EXPECT_EQ(fit.framePos, QPoint((1280 - 514) / 2, (1024 - 516) / 2));
}

TEST(SmallScreen, AWindowTooBigIsShrunkToFitTheAvailableAreaWithItsFrame) {
  struct Case {
    QSize client;
    QRect area;
  } cases[] = {
      {kCards, QRect(0, 0, 800, 600)},
      {kCards, QRect(0, 0, 1024, 600)},
      {kIntro, QRect(0, 0, 640, 480)},
      {kIntro, QRect(0, 0, 426, 341)},       // 1280 x 1024 at a scale factor of 3
      {kCards, QRect(0, 32, 1024, 568)},     // under a panel along the top
      {kCards, QRect(-800, 0, 800, 600)},    // a screen left of the primary one
  };
  for (const Case& c : cases) {
    ScreenFit fit = fitToScreen(c.client, kFrame, c.area);
    EXPECT_LT(fit.scale, 1);
    EXPECT_TRUE(fits(fit, kFrame, c.area)) << c.area.x() << "," << c.area.y() << " " << c.area.width() << "x"
                                            << c.area.height();
    // As large as the room allows: it touches the area's edge one way.
    EXPECT_TRUE(fit.client.grownBy(kFrame).width() >= c.area.width() - 1 ||
                fit.client.grownBy(kFrame).height() >= c.area.height() - 1);
    // The aspect is kept.
    EXPECT_NEAR(double(fit.client.width()) / fit.client.height(), double(c.client.width()) / c.client.height(), 0.01);
  }
}

TEST(SmallScreen, AScreenTooSmallEvenForTheFrameStillShowsTheTitleBar) {
  ScreenFit fit = fitToScreen(kCards, QMargins(4, 300, 4, 4), QRect(10, 20, 320, 200));
  EXPECT_GE(fit.framePos.x(), 10);
  EXPECT_GE(fit.framePos.y(), 20);
  EXPECT_GT(fit.client.width(), 0);
}

TEST(SmallScreen, AShrunkWindowIsDrawnAndClickedWhereItLooks) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  window->setScale(0.5);
  EXPECT_EQ(window->size(), QSize(256, 244));
  QPushButton* start = window->findChild<QPushButton*>(QStringLiteral("start"));
  EXPECT_EQ(start->geometry(), QRect(84, 80, 85, 21)) << "half of 168,160 169x41";
  QImage image = game.grab(intro);
  ASSERT_EQ(image.size(), QSize(256, 244));
  EXPECT_EQ(image.pixelColor(50, 100), QColor(255, 255, 192)) << "the title panel, at half its place";
  EXPECT_EQ(image.pixelColor(20, 150), QColor(Qt::white));
  QTest::mouseClick(start, Qt::LeftButton);
  ASSERT_TRUE(intro.Talking.visible());
  const int step = intro.talkstep;
  // The speech label lies at 200..425 x 208..297 in the form's own pixels;
  // at half size it is clicked at half its place.
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(150, 125));
  EXPECT_EQ(intro.talkstep, step + 1);
}
