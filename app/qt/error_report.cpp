#include "error_report.h"

#include <QMessageBox>
#include <cstdio>

namespace qtgui {

void showErrorReport(const QString& message) {
  std::fprintf(stderr, "tobble: %s\n", message.toUtf8().constData());
  // Under the benchmarks and the end-to-end tests nobody is there to press OK.
  if (qEnvironmentVariableIsSet("TOBBLE_NO_ERROR_DIALOG")) return;
  QMessageBox::critical(nullptr, QStringLiteral("Tobble Goes to school!"),
                        QStringLiteral("Something went wrong, and the game has to stop.\n\n%1").arg(message));
}

}  // namespace qtgui
