#include "server_streams.h"

#include <QProcess>
#include <QtCore/qtestsupport_core.h>

int streams() {
  QProcess pactl;
  pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
  if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) return -1;
  return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

int streamsOnceSettled() {
  int now = streams();
  if (now > 0) (void)QTest::qWaitFor([&] { return (now = streams()) <= 0; }, 5000);
  return now;
}

