#include "artwork.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "assets/catalogue.h"

namespace qtgui {

QImage renderSvg(const QString& resource, QSize logicalSize, qreal devicePixelRatio) {
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
               static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio)));
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
  }
  image.setDevicePixelRatio(devicePixelRatio);
  return image;
}

bool Artwork::render(qreal devicePixelRatio, Artwork* out, QString* error) {
  Artwork artwork;
  if (!artwork.renderIcon(error) || !artwork.renderPictures(devicePixelRatio, error)) return false;
  *out = std::move(artwork);
  return true;
}

bool Artwork::renderPictures(qreal devicePixelRatio, QString* error) {
  QHash<QString, QPixmap> pictures;
  for (const assets::Artwork& entry : assets::kArtwork) {
    QString name = QString::fromUtf8(entry.info.name.data(), qsizetype(entry.info.name.size()));
    QString resource = QStringLiteral(":/art/") + QString::fromUtf8(entry.file.data(), qsizetype(entry.file.size()));
    QImage image = renderSvg(resource, QSize(entry.info.width, entry.info.height), devicePixelRatio);
    if (image.isNull()) {
      if (error) *error = QStringLiteral("The picture %1 (%2) is missing or broken.").arg(name, resource);
      return false;
    }
    pictures.insert(name, QPixmap::fromImage(image));
  }
  pictures_ = std::move(pictures);
  return true;
}

bool Artwork::renderIcon(QString* error) {
  QString resource =
      QStringLiteral(":/art/") + QString::fromLatin1(assets::kIconFile.data(), qsizetype(assets::kIconFile.size()));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) {
    QImage image = renderSvg(resource, QSize(size, size), 1.0);
    if (image.isNull()) {
      if (error) *error = QStringLiteral("The window icon (%1) is missing or broken.").arg(resource);
      return false;
    }
    icon.addPixmap(QPixmap::fromImage(image));
  }
  icon_ = icon;
  return true;
}

QPixmap Artwork::picture(std::string_view name) const {
  if (name.empty()) return {};
  return pictures_.value(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

}  // namespace qtgui
