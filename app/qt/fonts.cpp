#include "fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace qtgui {

namespace {

// Each embedded font, and the family the layouts ask for that it stands in
// for. The fonts are cut down to the game's characters at build time, and a
// cut font whose name is reserved by its licence is renamed, so a font's
// own family is read from the font, not assumed.
struct EmbeddedFont {
  const char* resource;
  const char* family;
};
const EmbeddedFont kFonts[] = {
    {":/fonts/ComicNeue-Regular.otf", "Comic Neue"},
    {":/fonts/ComicNeue-Bold.otf", "Comic Neue"},
    {":/fonts/ComicNeue-Italic.otf", "Comic Neue"},
    {":/fonts/ComicNeue-BoldItalic.otf", "Comic Neue"},
    {":/fonts/LiberationSans-Regular.ttf", "Liberation Sans"},
    {":/fonts/LiberationSans-Bold.ttf", "Liberation Sans"},
    {":/fonts/LiberationSerif-Regular.ttf", "Liberation Serif"},
    {":/fonts/LiberationSerif-Bold.ttf", "Liberation Serif"},
};

// The layouts' family -> the embedded font's own family.
QHash<QString, QString>& embeddedFamilies() {
  static QHash<QString, QString> families;
  return families;
}

}  // namespace

bool registerEmbeddedFonts(QString* error) {
  for (const EmbeddedFont& font : kFonts) {
    const QString resource = QString::fromLatin1(font.resource);
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
      if (error) *error = QStringLiteral("The embedded font %1 could not be loaded.").arg(resource);
      return false;
    }
    embeddedFamilies().insert(QString::fromLatin1(font.family), families.first());
  }
  return true;
}

QFont toQFont(const forms::Font& font) {
  const std::string_view name = forms::fontFamily(font.face);
  const QString family = QString::fromLatin1(name.data(), qsizetype(name.size()));
  QFont result(embeddedFamilies().value(family, family));
  result.setPixelSize(forms::pixelSize(font));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStyleStrategy(QFont::PreferAntialias);
  return result;
}

}  // namespace qtgui
