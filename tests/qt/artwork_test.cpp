#include <gtest/gtest.h>

#include "artwork.h"
#include "catalogue.h"

namespace {
int opaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 200;
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
