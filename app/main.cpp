// Wires the game together: fonts, pictures, the Qt platform and the registry
// of screens, then starts the intro screen. The only arguments are the
// grown-ups' settings (qt/grownup_settings.h).
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "assets/catalogue.h"
#include "desktop/desktop_buses.h"
#include "desktop/game_sound.h"
#include "forms/program.h"
#include "qt/artwork.h"
#include "qt/error_report.h"
#include "qt/fonts.h"
#include "qt/form_accessible.h"
#include "qt/grownup_settings.h"
#include "qt/form_painter.h"
#include "qt/qt_platform.h"
#include "screens/screens.h"

int main(int argc, char** argv) {
  // Before Qt starts any thread or touches a bus. A second is long for buses
  // that work, even on a busy machine (wrongly setting them aside would cost
  // a blind child the reader), and short enough for the intro to show within
  // two seconds when one is frozen.
  desktop::fitThreadsInAddressSpace();
  desktop::guardDesktopBuses(std::chrono::milliseconds(1000));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tobble"));
  // No display name: Qt would add it to every title bar after the caption.
  // Lets the desktop match the windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tobble.tobble"));
  // Forms hide and show their windows as the lesson goes on; the program
  // ends when no form is loaded, not when no window is visible.
  QApplication::setQuitOnLastWindowClosed(false);

  // What a grown-up saved, and what the command line sets for this run only.
  QSettings store(QStringLiteral("tobble"), QStringLiteral("tobble"));
  QString wrong;
  const std::optional<qtgui::CommandLine> line =
      qtgui::readCommandLine(QCoreApplication::arguments(), qtgui::savedSettings(store), &wrong);
  if (!line) {
    std::fprintf(stderr, "tobble: %s\n", qPrintable(wrong));
    return 2;
  }
  if (line->settingsWindow) {
    qtgui::SettingsWindow window(qtgui::savedSettings(store));
    if (window.exec() == QDialog::Accepted) qtgui::saveSettings(store, window.chosen());
    return 0;
  }
  const settings::Settings& chosen = line->settings;

  QString error;
  qtgui::Artwork artwork;
  if (!qtgui::registerEmbeddedFonts(&error) || !artwork.renderIcon(&error)) {
    qtgui::showErrorReport(error);
    return 1;
  }
  QApplication::setWindowIcon(artwork.icon());
  qtgui::installAccessibility();

  qtgui::setTextContrast(chosen.contrast);
  qtgui::QtPlatform platform(artwork);
  platform.setPace(chosen.pace);
  platform.setScan(chosen.scan);
  forms::Program program(platform, assets::pictureInfos());
  platform.attach(program);
  // Voice and sounds follow what the game shows; the M key mutes them.
  desktop::GameSound sound(program, platform);
  sound.setVolumes(chosen.voiceVolume, chosen.effectsVolume);
  // The intro's first frame shows no picture (Tobble's first walk frame comes
  // with the first tick, half a second later), so the pictures are rendered
  // right after that frame and the window appears sooner. The start-up
  // benchmark sets TOBBLE_QUIT_AFTER_FIRST_FRAME to time the way to that
  // frame; the game itself reads no other variable.
  const bool quitAfterFirstFrame = qEnvironmentVariableIsSet("TOBBLE_QUIT_AFTER_FIRST_FRAME");
  QMetaObject::Connection firstWindow;
  firstWindow = QObject::connect(&platform, &qtgui::QtPlatform::windowCreated, [&](qtgui::FormWindow* window) {
    QObject::disconnect(firstWindow);
    QObject::connect(window, &qtgui::FormWindow::firstFramePainted, [&] {
      QTimer::singleShot(0, [&] {
        QString failure;
        if (quitAfterFirstFrame) {
          QCoreApplication::exit(0);
        } else if (artwork.renderPictures(app.devicePixelRatio(), &failure)) {
          platform.repaintAll();
          // The audio after the pictures, so neither the first frame nor the
          // pictures wait for the sound server.
          QTimer::singleShot(0, [&] { sound.prepare(); });
        } else {
          program.abort(failure.toStdString());
        }
      });
    });
  });
  screens::installScreens(program);
  program.start();
  if (program.ended()) return program.exitCode();
  return QApplication::exec();
}
