#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "qt/error_report.h"
#include "qt_game.h"
#include "screens/intro/starter.h"

using screens::Starter;
using testing_support::QtGame;

namespace {
QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

int countPixels(const QImage& image, QRect area, QColor colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour;
  }
  return n;
}
}  // namespace

// Protects the intro window as Qt shows it: size, layout, clicks and close.
TEST(IntroWindow, IsAFixedWindowOfTheLayoutsSizeWithItsTitle) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(512, 489));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Tobble Goes to school!"));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST(IntroWindow, PaintsThePanelLabelsGroundAndButtonWhereTheLayoutPutsThem) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  QImage image = game.grab(intro);
  ASSERT_EQ(image.size(), QSize(512, 489));
  // Inside the title panel, clear of its labels.
  EXPECT_EQ(at(image, 100, 200), QColor(255, 255, 192));
  // Outside it, the white form.
  EXPECT_EQ(at(image, 40, 300), QColor(Qt::white));
  // "Tobble" is written in pink inside Label1 (120..305 x 24..113).
  EXPECT_GT(countPixels(image, QRect(120, 24, 185, 89), QColor(255, 192, 192)), 200);
  // The ground's green hatching along the foot of the window.
  EXPECT_GT(countPixels(image, QRect(0, 472, 512, 17), QColor(0, 192, 0)), 400);
  QPushButton* start = game.window(intro)->findChild<QPushButton*>(QStringLiteral("start"));
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->geometry(), QRect(168, 160, 169, 41));
  EXPECT_EQ(start->text(), QStringLiteral("Start"));
}

TEST(IntroWindow, ClickOnStartOpensTheBubbleAndClicksReachTheLabelInsideIt) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  qtgui::FormWindow* window = game.window(intro);
  QPushButton* start = window->findChild<QPushButton*>(QStringLiteral("start"));
  QTest::mouseClick(start, Qt::LeftButton);
  EXPECT_TRUE(intro.Talking.visible());
  EXPECT_TRUE(start->isHidden());
  QImage image = game.grab(intro);
  EXPECT_EQ(at(image, 192, 250), QColor(Qt::white));  // inside the bubble, left of the label
  // The label lies inside the bubble shape; the click goes to the label.
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(intro.talkstep, 2);
  // A double-click is one click, not two: its second press is a double-click.
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(intro.talkstep, 3);
}

TEST(IntroWindow, CloseButtonUnloadsTheIntroAndEndsTheProgram) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  game.window(intro)->close();
  EXPECT_FALSE(intro.loaded());
  EXPECT_TRUE(game.program->ended());
  EXPECT_EQ(game.program->exitCode(), 0);
  EXPECT_TRUE(game.errors.isEmpty());
}

TEST(IntroWindow, TheWalkRunsOnARealTimer) {
  QtGame game;
  game.program->start();
  Starter& intro = game.form<Starter>();
  EXPECT_TRUE(game.platform->timerRunning(intro, intro.Timer1.slot()));
  // Waits for the first tick, with room to spare on a busy machine.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !intro.Pig.picture().empty(); }, 5000));
  EXPECT_LT(intro.Pig.left(), 7320.0f);
}

// On a platform that shows nothing, the report must not wait for an OK that
// no one can press: the line on standard error is all of it.
TEST(ErrorReport, WhereNoBoxCanBeSeenItWritesTheLineAndReturns) {
  const QByteArray saved = qgetenv("TOBBLE_NO_ERROR_DIALOG");
  qunsetenv("TOBBLE_NO_ERROR_DIALOG");
  testing::internal::CaptureStderr();
  qtgui::showErrorReport(QStringLiteral("Picture not found"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "tobble: Picture not found\n");
  if (!saved.isNull()) qputenv("TOBBLE_NO_ERROR_DIALOG", saved);
}
