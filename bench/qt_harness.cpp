// The game's own Qt platform and screens in one process, for what cannot be
// reached or observed from outside the real binary: the worm game at its
// fastest stages, the ticks of the screens' timers, the way from a click on a
// card to the frame that shows its face, and the memory of the screens that
// only a won game leads to. Prints one "name value" line per figure.
//
//   tobble_qt_harness version | memory | worm-cpu | timers [seconds] | click-latency [pairs]
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

#include "assets/catalogue.h"
#include "desktop/game_sound.h"
#include "forms/program.h"
#include "qt/artwork.h"
#include "qt/fonts.h"
#include "qt/qt_platform.h"
#include "screens/cards/carder.h"
#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/screens.h"
#include "screens/worm/hit.h"
#include "stats.h"

namespace {

using Clock = std::chrono::steady_clock;

double nowMs() {
  static const Clock::time_point origin = Clock::now();
  return std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
}

double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

long vmHwmKiB() {
  std::ifstream in("/proc/self/status");
  std::stringstream text;
  text << in.rdbuf();
  return bench::vmHwmKiB(text.str()).value_or(-1);
}

void print(const std::string& name, double value) { std::printf("%s %.4f\n", name.c_str(), value); }

// Sees every event on its way: when a tick reaches one of the platform's
// timers, and when the watched window's repaint has been painted and flushed
// (the end of the outermost event that carried its paint event).
class HarnessApp final : public QApplication {
 public:
  using QApplication::QApplication;

  std::map<const QObject*, std::vector<double>> ticks;
  const QObject* watched = nullptr;
  double paintStart = -1;
  double paintDone = -1;
  long paints = 0;
  QEventLoop* waitingForPaint = nullptr;

  bool notify(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::Timer) {
      auto it = ticks.find(receiver);
      if (it != ticks.end()) it->second.push_back(nowMs());
    }
    if (receiver == watched && event->type() == QEvent::Paint) {
      ++paints;
      if (paintStart < 0) paintStart = nowMs();
    }
    ++depth_;
    const bool result = QApplication::notify(receiver, event);
    --depth_;
    if (depth_ == 0 && paintStart >= 0 && paintDone < 0) {
      paintDone = nowMs();
      if (waitingForPaint) waitingForPaint->quit();
    }
    return result;
  }

 private:
  int depth_ = 0;
};

// The event loop for a while; nothing here sleeps, so no tick is held back.
void runFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

bool runUntil(const std::function<bool()>& done, int timeoutMs) {
  const double deadline = nowMs() + timeoutMs;
  while (!done()) {
    if (nowMs() > deadline) return false;
    runFor(1);
  }
  return true;
}

struct Game {
  explicit Game(qreal devicePixelRatio) {
    QString error;
    if (!qtgui::registerEmbeddedFonts(&error) || !qtgui::Artwork::render(devicePixelRatio, &artwork, &error)) {
      throw std::runtime_error(error.toStdString());
    }
    platform = std::make_unique<qtgui::QtPlatform>(artwork);
    platform->setErrorSink([](const QString& message) {
      std::fprintf(stderr, "game error: %s\n", qPrintable(message));
      std::exit(2);
    });
    program = std::make_unique<forms::Program>(*platform, assets::pictureInfos());
    platform->attach(*program);
    sound = std::make_unique<desktop::GameSound>(*program, *platform);
    screens::installScreens(*program);
  }

  template <class F>
  F& form() {
    return program->ref<F>();
  }
  qtgui::FormWindow* window(const forms::Form& f) const { return platform->windowOf(f); }
  // The platform's timers not seen before: those of the form just loaded.
  std::vector<QTimer*> newTimers() {
    std::vector<QTimer*> found;
    for (QTimer* t : platform->findChildren<QTimer*>()) {
      if (known.insert(t).second) found.push_back(t);
    }
    return found;
  }
  // Where a child clicks: the centre of the control, in window pixels.
  QPoint centre(const forms::ControlRef& control) const {
    const forms::TwipPoint c = control.rect().centre();
    return {qRound(c.x / forms::kTwipsPerPixel), qRound(c.y / forms::kTwipsPerPixel)};
  }
  void click(const forms::ControlRef& control) { clickWidget(window(control.form()), centre(control)); }
  // A left press and release delivered as the window system's would be,
  // through the application's event dispatch.
  static void clickWidget(QWidget* w, QPoint at) {
    const QPointF global = w->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
  }

  qtgui::Artwork artwork;
  std::unique_ptr<qtgui::QtPlatform> platform;
  std::unique_ptr<forms::Program> program;
  std::unique_ptr<desktop::GameSound> sound;
  std::set<QTimer*> known;
};

int memory(Game& game) {
  game.program->start();
  runFor(100);
  // As the game does after its first frame, so each screen's cues are played.
  game.sound->prepare();
  runFor(900);
  print("memory.intro_kib", static_cast<double>(vmHwmKiB()));
  // The screens behind a won game, each shown as its predecessor's pass
  // shows it and then hidden, as the pass of each game hides it.
  auto showAndMeasure = [&](forms::Form& form, const char* name) {
    form.show();
    runFor(1000);
    print(std::string("memory.") + name + "_kib", static_cast<double>(vmHwmKiB()));
    form.hide();
  };
  game.form<screens::Starter>().hide();
  showAndMeasure(game.form<screens::Patternform>(), "pattern");
  showAndMeasure(game.form<screens::Hit>(), "worm");
  showAndMeasure(game.form<screens::Form1>(), "completion");
  return 0;
}

int wormCpu(Game& game, auto& app) {
  game.program->start();
  game.form<screens::Starter>().hide();
  screens::Hit& hit = game.form<screens::Hit>();
  hit.show();
  app.watched = game.window(hit);
  runFor(500);
  for (int interval : {12, 6, 3, 1}) {
    hit.Timer1.setInterval(interval);
    runFor(300);
    const double wall0 = nowMs(), cpu0 = cpuMs();
    const auto events0 = game.program->eventsHandled();
    const long paints0 = app.paints;
    runFor(3000);
    const double seconds = (nowMs() - wall0) / 1000.0;
    const std::string key = "worm." + std::to_string(interval) + ".";
    print(key + "cpu_percent", (cpuMs() - cpu0) / (seconds * 10.0));
    print(key + "ticks_per_s", static_cast<double>(game.program->eventsHandled() - events0) / seconds);
    print(key + "paints_per_s", static_cast<double>(app.paints - paints0) / seconds);
  }
  return 0;
}

int timers(Game& game, auto& app, int seconds) {
  struct Watched {
    const char* name;
    double nominal;
    QTimer* timer;
  };
  std::vector<Watched> watched;
  auto watch = [&](const char* name, double nominal) {
    std::vector<QTimer*> fresh = game.newTimers();
    if (fresh.size() != 1) throw std::runtime_error(std::string("expected one new timer for ") + name);
    app.ticks[fresh[0]];
    watched.push_back({name, nominal, fresh[0]});
  };
  game.program->start();
  watch("starter", 500);
  game.form<screens::Patternform>().show();
  watch("pattern", 600);
  game.form<screens::Hit>().show();
  watch("worm", 1000);
  const auto events0 = game.program->eventsHandled();
  runFor(seconds * 1000);
  std::size_t observed = 0;
  for (const Watched& w : watched) {
    const std::vector<double>& t = app.ticks[w.timer];
    observed += t.size();
    const bench::PeriodErrors e = bench::periodErrors(t, w.nominal);
    const std::string key = std::string("timer.") + w.name + ".";
    print(key + "periods", e.periods);
    print(key + "mean_period_ms", e.meanPeriod);
    print(key + "median_abs_error_ms", e.medianAbsError);
    print(key + "p99_abs_error_ms", e.p99AbsError);
  }
  // Every observed tick ran a handler: the observation sees real ticks.
  print("timer.ticks_observed", static_cast<double>(observed));
  print("timer.handlers_run", static_cast<double>(game.program->eventsHandled() - events0));
  return 0;
}

int clickLatency(Game& game, auto& app, int pairs) {
  game.program->start();
  auto& starter = game.form<screens::Starter>();
  QPushButton* start = game.window(starter)->buttonFor(starter.start.slot());
  Game::clickWidget(start, start->rect().center());
  for (int i = 0; i < 4; ++i) game.click(starter.Talking);
  auto& menu = game.form<screens::Menu>();
  for (int i = 0; i < 6; ++i) game.click(menu.Talking);
  auto& carder = game.form<screens::Carder>();
  if (!carder.visible()) throw std::runtime_error("the guide did not hand over to the card game");
  // A large allowance in the guide's own box keeps the game going through
  // every wrong pair, and a short timer turns the pair down again sooner.
  menu.failure.setText("30000");
  carder.Timer1.setInterval(250);
  app.watched = game.window(carder);

  auto faceDown = [&](int i) { return carder.CardImage(i).picture().empty(); };
  auto allDown = [&] {
    for (int i = 0; i < 20; ++i) {
      if (!faceDown(i)) return false;
    }
    return true;
  };
  std::mt19937 rng(7);
  std::vector<double> toPaint, toFlush;
  for (int pair = 0; pair < pairs; ++pair) {
    if (!runUntil([&] { return carder.clickson == forms::True && allDown(); }, 3000)) {
      throw std::runtime_error("the cards did not turn down");
    }
    const int a = std::uniform_int_distribution<int>(0, 19)(rng);
    int b = a;
    while (carder.cardpic[b] == carder.cardpic[a]) b = std::uniform_int_distribution<int>(0, 19)(rng);
    for (int card : {a, b}) {
      // No child clicks two cards within 50 ms; closer clicks would measure
      // how repaints are paced rather than how fast one is answered.
      runFor(50);
      app.paintStart = app.paintDone = -1;
      const double t0 = nowMs();
      game.click(carder.CardImage(card));
      if (app.paintDone < 0) {
        QEventLoop loop;
        app.waitingForPaint = &loop;
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        app.waitingForPaint = nullptr;
      }
      if (app.paintDone < 0 || faceDown(card)) throw std::runtime_error("a clicked card was not painted face up");
      toPaint.push_back(app.paintStart - t0);
      toFlush.push_back(app.paintDone - t0);
    }
  }
  print("click.samples", static_cast<double>(toFlush.size()));
  print("click.median_to_paint_ms", bench::median(toPaint));
  print("click.median_ms", bench::median(toFlush));
  print("click.p99_ms", bench::percentile(toFlush, 99));
  print("click.max_ms", bench::percentile(toFlush, 100));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  HarnessApp app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string mode = argc > 1 ? argv[1] : "";
  const int count = argc > 2 ? std::atoi(argv[2]) : 0;
  try {
    Game game(app.devicePixelRatio());
    if (mode == "version") {
      std::printf("qt.version %s\n", qVersion());
      return 0;
    }
    if (mode == "memory") return memory(game);
    if (mode == "worm-cpu") return wormCpu(game, app);
    if (mode == "timers") return timers(game, app, count > 0 ? count : 30);
    if (mode == "click-latency") return clickLatency(game, app, count > 0 ? count : 60);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", mode.c_str(), e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: %s memory | worm-cpu | timers [seconds] | click-latency [pairs]\n", argv[0]);
  return 2;
}
