// Renders every picture of the catalogue, walk frames included, at 1x and 2x
// on one sheet, so the artwork can be looked at side by side as the game
// shows it.
//
//   contact_sheet OUT.png
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "artwork_at_both_scales.h"
#include "assets/catalogue.h"
#include "qt/artwork.h"
#include "qt/fonts.h"

int main(int argc, char** argv) {
  preferOffscreen();
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: contact_sheet OUT.png\n");
    return 2;
  }
  qtgui::Artwork one, two;
  if (!prepareArtwork(one, two)) return 1;
  constexpr int kCellWidth = 300;
  constexpr int kCell = 360;
  constexpr int kColumns = 6;
  const int rows = (int(assets::kArtwork.size()) + 1 + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCellWidth, rows * kCell, QImage::Format_ARGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.setFont(qtgui::toQFont({forms::Typeface::MSSansSerif, 9}));
  auto cell = [&](int i, const QString& title, const QPixmap& a, const QPixmap& b) {
    QPoint origin((i % kColumns) * kCellWidth, (i / kColumns) * kCell);
    p.setPen(QColor(200, 200, 200));
    p.drawRect(QRect(origin, QSize(kCellWidth - 1, kCell - 1)));
    p.setPen(Qt::black);
    p.drawText(origin + QPoint(6, 14), title);
    p.drawPixmap(origin + QPoint(6, 24), a);
    // The 2x rendering drawn at its device size, to show its detail.
    QPixmap big = b;
    big.setDevicePixelRatio(1);
    p.drawPixmap(origin + QPoint(kCellWidth - big.width() - 6, kCell - big.height() - 6), big);
  };
  int i = 0;
  for (const auto& entry : assets::kArtwork) {
    QString name = QString::fromUtf8(entry.info.name.data(), qsizetype(entry.info.name.size()));
    cell(i++, QStringLiteral("%1  %2×%3").arg(name).arg(entry.info.width).arg(entry.info.height),
         one.picture(entry.info.name), two.picture(entry.info.name));
  }
  cell(i, QStringLiteral("window icon 32×32, 16×16"), one.icon().pixmap(32, 32), one.icon().pixmap(16, 16));
  p.end();
  if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
