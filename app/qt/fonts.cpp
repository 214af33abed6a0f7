#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace qtgui {

namespace {
const char* const kFontResources[] = {
    ":/fonts/ComicNeue-Regular.otf",    ":/fonts/ComicNeue-Bold.otf",       ":/fonts/ComicNeue-Italic.otf",
    ":/fonts/ComicNeue-BoldItalic.otf", ":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
    ":/fonts/LiberationSerif-Regular.ttf", ":/fonts/LiberationSerif-Bold.ttf",
};

QString family(forms::Typeface face) {
  switch (face) {
    case forms::Typeface::ComicSansMS: return QStringLiteral("Comic Neue");
    case forms::Typeface::TimesNewRoman: return QStringLiteral("Liberation Serif");
    case forms::Typeface::MSSansSerif: break;
  }
  return QStringLiteral("Liberation Sans");
}
}  // namespace

bool registerEmbeddedFonts(QString* error) {
  for (const char* resource : kFontResources) {
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(resource)) < 0) {
      if (error) *error = QStringLiteral("The embedded font %1 could not be loaded.").arg(QString::fromLatin1(resource));
      return false;
    }
  }
  return true;
}

QFont toQFont(const forms::Font& font) {
  QFont result(family(font.face));
  result.setPixelSize(static_cast<int>(std::lround(font.points * 96.0f / 72.0f)));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStyleStrategy(QFont::PreferAntialias);
  return result;
}

}  // namespace qtgui
