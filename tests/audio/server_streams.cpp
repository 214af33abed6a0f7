#include "server_streams.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

int streams() {
  QProcess pactl;
  pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
  if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) return -1;
  return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

int streamsOnceSettled() {
  int now = streams();
  for (int tries = 0; tries < 50 && now > 0; ++tries) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(40);
    now = streams();
  }
  return now;
}

