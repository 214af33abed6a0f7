#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qtgui {

// Every picture of the catalogue rendered once from its embedded SVG at its
// pixel size times the device pixel ratio, and the window icon.
class Artwork {
 public:
  // Renders everything; on failure `error` names the picture that is missing.
  static bool render(qreal devicePixelRatio, Artwork* out, QString* error);

  // The two halves of `render`, for a start-up that shows its first window
  // before the pictures are needed. Until then every picture is null.
  bool renderIcon(QString* error);
  bool renderPictures(qreal devicePixelRatio, QString* error);

  // The picture by catalogue name; a null pixmap for the empty picture.
  QPixmap picture(std::string_view name) const;
  const QIcon& icon() const { return icon_; }

 private:
  QHash<QString, QPixmap> pictures_;
  QIcon icon_;
};

// One SVG resource rendered at a logical size and device pixel ratio; a null
// image if the resource is missing or not valid SVG.
QImage renderSvg(const QString& resource, QSize logicalSize, qreal devicePixelRatio);

}  // namespace qtgui
