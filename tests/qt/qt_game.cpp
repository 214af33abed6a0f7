#include "qt_game.h"

#include <QCoreApplication>
#include <stdexcept>

#include "assets/catalogue.h"
#include "qt/fonts.h"
#include "qt/form_accessible.h"
#include "screens/screens.h"

namespace testing_support {

QtGame::QtGame(qreal devicePixelRatio) {
  QString error;
  if (!qtgui::registerEmbeddedFonts(&error) || !qtgui::Artwork::render(devicePixelRatio, &artwork, &error)) {
    throw std::runtime_error(error.toStdString());
  }
  qtgui::installAccessibility();
  platform = std::make_unique<qtgui::QtPlatform>(artwork);
  platform->setErrorSink([this](const QString& message) { errors << message; });
  program = std::make_unique<forms::Program>(*platform, assets::pictureInfos());
  platform->attach(*program);
  screens::installScreens(*program);
}

QtGame::~QtGame() {
  program.reset();
  platform.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QImage QtGame::grab(const forms::Form& form) const {
  qtgui::FormWindow* w = window(form);
  return w ? w->grab().toImage() : QImage();
}

}  // namespace testing_support
