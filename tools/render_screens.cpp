// Renders every screen in its telling states, at 1x and 2x, to PNG files.
// The game runs on the headless platform, so the states are the same on every
// run; the pictures are painted by the same code as the real windows.
//
//   render_screens OUTDIR
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>

#include "artwork.h"
#include "artwork_at_both_scales.h"
#include "catalogue.h"
#include "cards/carder.h"
#include "completion/form1.h"
#include "fonts.h"
#include "form_window.h"
#include "guide/menu.h"
#include "headless_platform.h"
#include "intro/starter.h"
#include "pattern/patternform.h"
#include "screens.h"
#include "worm/hit.h"

namespace {

using namespace screens;

struct Session {
  headless::HeadlessPlatform platform{9 * 3600.0};
  forms::Program program{platform, assets::pictureInfos()};
  Session() {
    platform.attach(program);
    installScreens(program);
  }
  template <class F>
  F& form() { return program.ref<F>(); }
  void click(const forms::ControlRef& c) { platform.click(c); }
  void toGuide() {
    program.start();
    platform.advance(17000);
    click(form<Starter>().start);
    for (int i = 0; i < 4; ++i) click(form<Starter>().Talking);
  }
  void handOverAt(int step) {
    form<Menu>().talkstep = step;
    click(form<Menu>().Talking);
  }
  // Advances one tick at a time until `done` holds, for at most a minute.
  template <class Done>
  void advanceUntil(Done done, int stepMs) {
    for (int t = 0; t < 60000 && !done(); t += stepMs) platform.advance(stepMs);
  }
};

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
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_screens OUTDIR\n");
    return 2;
  }
  qtgui::Artwork one, two;
  if (!prepareArtwork(one, two)) return 1;
  QDir().mkpath(QString::fromLocal8Bit(argv[1]));
  Shooter shoot(QString::fromLocal8Bit(argv[1]), one, two);
  bool ok = true;

  {
    Session s;
    s.program.start();
    s.platform.advance(6000);
    ok &= shoot(s.program, s.form<Starter>(), QStringLiteral("intro-start"));
    s.platform.advance(11000);
    s.click(s.form<Starter>().start);
    ok &= shoot(s.program, s.form<Starter>(), QStringLiteral("intro-bubble"));
    for (int i = 0; i < 4; ++i) s.click(s.form<Starter>().Talking);
    ok &= shoot(s.program, s.form<Menu>(), QStringLiteral("guide"));
    s.handOverAt(5);
    Carder& cards = s.form<Carder>();
    ok &= shoot(s.program, cards, QStringLiteral("cards-preview"));
    s.platform.advance(2000);
    int other = 1;
    while (cards.cardpic[other] == cards.cardpic[0]) ++other;
    s.click(cards.CardImage(0));
    s.click(cards.CardImage(other));
    ok &= shoot(s.program, cards, QStringLiteral("cards-turn"));
    s.platform.close(cards);
    ok &= shoot(s.program, s.form<Menu>(), QStringLiteral("guide-failure"));
  }
  {
    Session s;
    s.toGuide();
    s.handOverAt(8);
    Patternform& pattern = s.form<Patternform>();
    s.platform.advance(600);
    ok &= shoot(s.program, pattern, QStringLiteral("pattern-lit"));
    s.advanceUntil([&] { return pattern.clickson == forms::True; }, 600);
    ok &= shoot(s.program, pattern, QStringLiteral("pattern-waiting"));
  }
  {
    Session s;
    s.toGuide();
    s.handOverAt(10);
    Hit& worm = s.form<Hit>();
    s.advanceUntil([&] { return worm.shownpic == 0; }, 1000);
    ok &= shoot(s.program, worm, QStringLiteral("worm-apple"));
    s.advanceUntil([&] { return worm.shownpic == 1; }, 1000);
    ok &= shoot(s.program, worm, QStringLiteral("worm-baby"));
    // Four stages passed and the last miss to come: the miss passes the game.
    worm.stage = 4;
    worm.misses = 9;
    s.platform.advance(1000);
    s.click(worm.hitpic(0));
    ok &= shoot(s.program, s.form<Form1>(), QStringLiteral("completion"));
    s.click(s.form<Form1>().Label4);
    ok &= shoot(s.program, s.form<Starter>(), QStringLiteral("intro-farewell"));
  }
  return ok ? 0 : 1;
}
