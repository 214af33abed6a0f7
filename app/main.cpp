// Wires the game together: fonts, pictures, the Qt platform and the registry
// of screens, then starts the intro screen. The game takes no arguments.
#include <QApplication>
#include <QTimer>

#include "artwork.h"
#include "catalogue.h"
#include "error_report.h"
#include "form_accessible.h"
#include "fonts.h"
#include "program.h"
#include "qt_platform.h"
#include "screens.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tobble"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tobble Goes to school!"));
  // Lets the desktop match the windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tobble.tobble"));
  // Forms hide and show their windows as the lesson goes on; the program
  // ends when no form is loaded, not when no window is visible.
  QApplication::setQuitOnLastWindowClosed(false);

  QString error;
  qtgui::Artwork artwork;
  if (!qtgui::registerEmbeddedFonts(&error) || !qtgui::Artwork::render(app.devicePixelRatio(), &artwork, &error)) {
    qtgui::showErrorReport(error);
    return 1;
  }
  QApplication::setWindowIcon(artwork.icon());
  qtgui::installAccessibility();

  qtgui::QtPlatform platform(artwork);
  forms::Program program(platform, assets::pictureInfos());
  platform.attach(program);
  // The start-up benchmark sets this to time the way to the first frame; the
  // game itself takes no arguments and reads no other setting.
  if (qEnvironmentVariableIsSet("TOBBLE_QUIT_AFTER_FIRST_FRAME")) {
    QObject::connect(&platform, &qtgui::QtPlatform::windowCreated, [](qtgui::FormWindow* window) {
      QObject::connect(window, &qtgui::FormWindow::firstFramePainted, [] {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
      });
    });
  }
  screens::installScreens(program);
  program.start();
  if (program.ended()) return program.exitCode();
  return QApplication::exec();
}
