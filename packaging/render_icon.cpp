// Renders the application icon SVG to the PNG sizes the hicolor theme wants,
// at build time, so the build needs no image converter.
//
//   render_icon <icon.svg> <size> <out.png> [<size> <out.png> ...]
//
// Fails rather than writing a blank icon: an SVG Qt cannot draw would
// otherwise ship as an invisible launcher.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message) {
  std::fprintf(stderr, "render_icon: %s\n", qPrintable(message));
  return 1;
}

bool hasVisiblePixel(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) != 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // No display at build time; the offscreen platform is enough for raster work.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() < 3 || args.size() % 2 == 0) {
    return fail(QStringLiteral("usage: render_icon <icon.svg> <size> <out.png> [<size> <out.png> ...]"));
  }

  QSvgRenderer renderer(args[0]);
  if (!renderer.isValid()) return fail(QStringLiteral("cannot read %1").arg(args[0]));
  // A non-square drawing is centred rather than stretched.
  renderer.setAspectRatioMode(Qt::KeepAspectRatio);

  for (qsizetype i = 1; i < args.size(); i += 2) {
    bool ok = false;
    const int size = args[i].toInt(&ok);
    if (!ok || size <= 0 || size > 4096) return fail(QStringLiteral("bad size '%1'").arg(args[i]));
    const QString& out = args[i + 1];

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!hasVisiblePixel(image)) return fail(QStringLiteral("%1 renders to nothing at %2 px").arg(args[0]).arg(size));

    if (!QDir().mkpath(QFileInfo(out).absolutePath())) return fail(QStringLiteral("cannot create the folder of %1").arg(out));
    if (!image.save(out, "PNG")) return fail(QStringLiteral("cannot write %1").arg(out));
  }
  return 0;
}
