#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "qt/fonts.h"

// Protects the embedded fonts, cut down at build time and partly renamed:
// every face the layouts ask for is drawn with the game's own font, not one
// the machine happens to have, and holds the characters the screens show.
TEST(EmbeddedFonts, EveryLayoutFaceIsTheGamesOwnCutFont) {
  QString error;
  ASSERT_TRUE(qtgui::registerEmbeddedFonts(&error)) << error.toStdString();
  const struct {
    forms::Typeface face;
    const char* family;
  } faces[] = {{forms::Typeface::MSSansSerif, "Tobble Sans"},
               {forms::Typeface::ComicSansMS, "Comic Neue"},
               {forms::Typeface::TimesNewRoman, "Tobble Serif"}};
  const QString shown = QStringLiteral("Sorry!  14 trys left. Hi! I am Tobble! :> (click here to continue) 0123456789");
  for (const auto& [face, family] : faces) {
    for (const bool bold : {false, true}) {
      const QFont font = qtgui::toQFont(forms::Font{.face = face, .points = 12, .bold = bold});
      const QFontInfo info(font);
      EXPECT_EQ(info.family(), QString::fromLatin1(family)) << family << (bold ? " bold" : "");
      EXPECT_EQ(info.bold(), bold) << family;
      const QFontMetrics metrics(font);
      for (const QChar c : shown) EXPECT_TRUE(metrics.inFont(c)) << family << " lacks '" << c.toLatin1() << "'";
    }
  }
}
