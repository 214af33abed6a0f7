#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a file or a resource; empty if it cannot be read.
QByteArray file_contents(const QString& path);
