#include "clip_file.h"

#include <QFile>

QByteArray file_contents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}
