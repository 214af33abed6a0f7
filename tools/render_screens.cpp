// Renders every screen in its telling states, at 1x and 2x, to PNG files.
// The game runs on the headless platform (screen_states), so the states are
// the same on every run; the pictures are painted by the same code as the
// real windows.
//
//   render_screens OUTDIR [--contrast=high]
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <string_view>

#include "artwork_at_both_scales.h"
#include "qt/artwork.h"
#include "qt/fonts.h"
#include "qt/form_painter.h"
#include "qt/form_window.h"
#include "states/screen_states.h"

namespace {

class Shooter {
 public:
  Shooter(QString dir, const qtgui::Artwork& one, const qtgui::Artwork& two) : dir_(std::move(dir)), art_{&one, &two} {}

  bool operator()(forms::Program& program, forms::Form& form, const QString& name) {
    for (int scale : {1, 2}) {
      qtgui::FormWindow window(program, form, *art_[scale - 1]);
      window.syncAllControls();
      QImage image(window.size() * scale, QImage::Format_RGB32);
      image.setDevicePixelRatio(scale);
      window.render(&image);
      QString file = QStringLiteral("%1/%2@%3x.png").arg(dir_, name).arg(scale);
      if (!image.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
      }
    }
    return true;
  }

 private:
  QString dir_;
  const qtgui::Artwork* art_[2];
};

}  // namespace

int main(int argc, char** argv) {
  preferOffscreen();
  QApplication app(argc, argv);
  const bool high = argc == 3 && std::string_view(argv[2]) == "--contrast=high";
  if (argc != 2 && !high) {
    std::fprintf(stderr, "usage: render_screens OUTDIR [--contrast=high]\n");
    return 2;
  }
  if (high) qtgui::setTextContrast(settings::Contrast::High);
  qtgui::Artwork one, two;
  if (!prepareArtwork(one, two)) return 1;
  QDir().mkpath(QString::fromLocal8Bit(argv[1]));
  Shooter shoot(QString::fromLocal8Bit(argv[1]), one, two);
  bool ok = states::walkScreenStates([&](forms::Program& program, forms::Form& form, const std::string& name) {
    return shoot(program, form, QString::fromStdString(name));
  });
  return ok ? 0 : 1;
}
