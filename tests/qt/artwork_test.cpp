#include <gtest/gtest.h>

#include <QPainter>
#include <QSvgRenderer>

#include "assets/catalogue.h"
#include "qt/artwork.h"

namespace {
int opaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 200;
  }
  return n;
}

// The ink a picture puts outside its canvas: it is drawn with a margin of
// ground all round, where nothing of it should land.
int inkPastTheEdge(const QString& resource, QSize size) {
  constexpr int kMargin = 10;
  QSvgRenderer renderer(resource);
  QImage image(size + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(kMargin, kMargin), QSizeF(size)));
  }
  const QRect canvas(QPoint(kMargin, kMargin), size);
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += !canvas.contains(x, y) && qAlpha(image.pixel(x, y)) > 0;
  }
  return n;
}
}  // namespace

// Protects the embedded artwork: each picture renders at its exact size,
// with a clear transparent ground around real content, at 1x and 2x.
TEST(Artwork, EveryPictureRendersAtItsSizeTimesTheDevicePixelRatio) {
  for (qreal dpr : {1.0, 2.0}) {
    qtgui::Artwork artwork;
    QString error;
    ASSERT_TRUE(qtgui::Artwork::render(dpr, &artwork, &error)) << error.toStdString();
    for (const assets::Artwork& entry : assets::kArtwork) {
      QPixmap pixmap = artwork.picture(entry.info.name);
      ASSERT_FALSE(pixmap.isNull()) << entry.info.name;
      EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(entry.info.width, entry.info.height)) << entry.info.name;
      QImage image = pixmap.toImage();
      EXPECT_EQ(image.size(), QSize(entry.info.width, entry.info.height) * dpr) << entry.info.name;
      // Filling the canvas well: at least a third of it is drawn.
      EXPECT_GT(opaquePixels(image), image.width() * image.height() / 3) << entry.info.name;
    }
    EXPECT_FALSE(artwork.icon().isNull());
    EXPECT_TRUE(artwork.picture("").isNull());
  }
}

TEST(Artwork, AMissingSourceRendersToNothingRatherThanABlankPicture) {
  QImage image = qtgui::renderSvg(QStringLiteral(":/art/no-such.svg"), QSize(10, 10), 1);
  EXPECT_TRUE(image.isNull());
}

// A picture drawn past its canvas loses its outline where the canvas cuts it.
// The landscape alone runs to the edge on purpose.
TEST(Artwork, EveryPictureKeepsItsOutlineInsideItsCanvas) {
  for (const assets::Artwork& entry : assets::kArtwork) {
    if (entry.info.name == "landscape") continue;
    QString resource = QStringLiteral(":/art/") + QString::fromUtf8(entry.file.data(), qsizetype(entry.file.size()));
    EXPECT_EQ(inkPastTheEdge(resource, QSize(entry.info.width, entry.info.height)), 0) << entry.info.name;
  }
}
