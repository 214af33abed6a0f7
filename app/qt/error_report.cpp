#include "error_report.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace qtgui {

void showErrorReport(const QString& message) {
  std::fprintf(stderr, "tobble: %s\n", message.toUtf8().constData());
  // Under the benchmarks and the end-to-end tests nobody is there to press OK.
  if (qEnvironmentVariableIsSet("TOBBLE_NO_ERROR_DIALOG")) return;
  // On a platform that draws nothing the box would wait for an OK that no
  // one can press, and the program would never end.
  const QString platform = QGuiApplication::platformName();
  if (platform.isEmpty() || platform.startsWith(QLatin1String("minimal")) || platform == QLatin1String("offscreen")) {
    return;
  }
  QMessageBox::critical(nullptr, QStringLiteral("Tobble Goes to school!"),
                        QStringLiteral("Something went wrong, and the game has to stop.\n\n%1").arg(message));
}

}  // namespace qtgui
