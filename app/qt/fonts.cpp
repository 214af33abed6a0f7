#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace qtgui {

namespace {
const char* const kFontResources[] = {
    ":/fonts/ComicNeue-Regular.otf",    ":/fonts/ComicNeue-Bold.otf",       ":/fonts/ComicNeue-Italic.otf",
    ":/fonts/ComicNeue-BoldItalic.otf", ":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
    ":/fonts/LiberationSerif-Regular.ttf", ":/fonts/LiberationSerif-Bold.ttf",
};

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
  const std::string_view name = forms::fontFamily(font.face);
  QFont result(QString::fromLatin1(name.data(), qsizetype(name.size())));
  result.setPixelSize(forms::pixelSize(font));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStyleStrategy(QFont::PreferAntialias);
  return result;
}

}  // namespace qtgui
