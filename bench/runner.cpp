// Runs every benchmark of the game against the bare Qt baseline and prints
// one table. Needs an X display with no window manager (scripts/with-display) and
// xdotool; scripts/bench builds everything and calls this.
//
//   tobble_bench --game=PATH --baseline=PATH --harness=PATH --engine=PATH
//                [--out=DIR] [--runs=N] [--walks=N] [--quick]
//                [--only=startup,walk,worm,timers,clicks,engine]
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "process.h"
#include "report.h"
#include "stats.h"
#include "x_display.h"

namespace {

using bench::figure;
using bench::fixed;
using bench::jsonNumber;
using bench::jsonString;
using bench::mib;
using bench::parseFigures;
using bench::Process;
using bench::ratioText;
using bench::Row;
using bench::sleepMs;
using bench::Table;
using Env = std::map<std::string, std::string>;

constexpr const char* kGameTitle = "Tobble Goes to school!";
constexpr const char* kBaselineTitle = "Bench baseline";

struct Options {
  std::string game, baseline, harness, engine, out = ".";
  int startupRuns = 15;
  int walks = 3;
  int timerSeconds = 30;
  int clickPairs = 60;
  bool idle = true;
  std::string only;  // comma-separated measures; empty for all
  bool want(const std::string& name) const {
    return only.empty() || ("," + only + ",").find("," + name + ",") != std::string::npos;
  }
};

std::string log(const Options& o) { return o.out + "/bench.log"; }

// ---------------------------------------------------------------- start-up

struct Run {
  double wallMs;
  double maxRssKiB;
};

Run runToFirstFrame(const Options& o, const std::string& program, const std::string& scale) {
  Process p({program},
            {{"TOBBLE_QUIT_AFTER_FIRST_FRAME", "1"}, {"TOBBLE_NO_ERROR_DIALOG", "1"}, {"QT_SCALE_FACTOR", scale}},
            log(o));
  const std::optional<int> status = p.wait(30000);
  if (!status || *status != 0) throw std::runtime_error(program + " did not quit cleanly after its first frame");
  return {p.wallMs(), static_cast<double>(p.maxRssKiB())};
}

struct StartupFigures {
  std::vector<double> gameMs, baselineMs, gameRss, baselineRss;
};

StartupFigures startup(const Options& o, const std::string& scale) {
  // One unmeasured run of each fills the file and font caches.
  runToFirstFrame(o, o.game, scale);
  runToFirstFrame(o, o.baseline, scale);
  StartupFigures f;
  for (int i = 0; i < o.startupRuns; ++i) {
    // Alternate who goes first, so neither always runs on a warmer machine.
    Run g{}, b{};
    if (i % 2 == 0) {
      g = runToFirstFrame(o, o.game, scale);
      b = runToFirstFrame(o, o.baseline, scale);
    } else {
      b = runToFirstFrame(o, o.baseline, scale);
      g = runToFirstFrame(o, o.game, scale);
    }
    f.gameMs.push_back(g.wallMs);
    f.baselineMs.push_back(b.wallMs);
    f.gameRss.push_back(g.maxRssKiB);
    f.baselineRss.push_back(b.maxRssKiB);
  }
  return f;
}

// ------------------------------------------------------- the walk by clicks

// The way a child can go by clicks alone: intro, Start, the intro's four
// remarks, the guide's six, the card game, its close button (a failure), back
// to the guide, the intro's farewell and the end of the program.
const std::vector<std::string> kStages{"intro", "intro, speech shown", "guide", "cards", "guide after failure"};

struct Walk {
  std::map<std::string, double> gameKiB, gamePssKiB;
  double baselineKiB = 0, baselinePssKiB = 0;
  std::optional<double> introIdlePercent, cardsIdlePercent, baselineIdlePercent;
  bool endedCleanly = false;
};

double cpuPercent(long long ticks, double ms) { return static_cast<double>(ticks) * bench::cpuTickMs() / ms * 100.0; }

void click(const Options& o, const bench::XDisplay::Window& w, int x, int y) {
  Process p(
      {"xdotool", "mousemove", "--window", std::to_string(w.id), std::to_string(x), std::to_string(y), "click", "1"},
      {}, log(o));
  if (p.wait(10000) != 0) throw std::runtime_error("xdotool failed");
  // Clicks closer together than a double-click would be taken as one.
  sleepMs(600);
}

Walk walkByClicks(const Options& o, const bench::XDisplay& x, bool measureIdle, bool baselineFirst) {
  const Env env{{"TOBBLE_NO_ERROR_DIALOG", "1"}};
  std::unique_ptr<Process> game, baseline;
  if (baselineFirst) baseline = std::make_unique<Process>(std::vector<std::string>{o.baseline}, env, log(o));
  game = std::make_unique<Process>(std::vector<std::string>{o.game}, env, log(o));
  if (!baseline) baseline = std::make_unique<Process>(std::vector<std::string>{o.baseline}, env, log(o));
  const pid_t pid = game->pid();
  auto need = [&](std::optional<bench::XDisplay::Window> w, const std::string& what) {
    if (!w) throw std::runtime_error("the walk did not reach " + what);
    return *w;
  };
  auto intro = need(x.waitFor(pid, kGameTitle, 512, 489, 15000), "the intro");
  auto base = need(x.waitFor(baseline->pid(), kBaselineTitle, 512, 489, 15000), "the baseline window");
  Walk walk;
  auto measure = [&](const std::string& stage) {
    walk.gameKiB[stage] = static_cast<double>(game->vmHwmKiB().value_or(0));
    walk.gamePssKiB[stage] = static_cast<double>(game->pssKiB().value_or(0));
  };
  auto idle = [&](double ms, std::optional<double>& gamePercent, bool alsoBaseline) {
    const long long g0 = game->cpuTicks().value_or(0), b0 = baseline->cpuTicks().value_or(0);
    sleepMs(ms);
    gamePercent = cpuPercent(game->cpuTicks().value_or(0) - g0, ms);
    if (alsoBaseline) walk.baselineIdlePercent = cpuPercent(baseline->cpuTicks().value_or(0) - b0, ms);
  };
  sleepMs(1000);
  measure("intro");
  walk.baselineKiB = static_cast<double>(baseline->vmHwmKiB().value_or(0));
  walk.baselinePssKiB = static_cast<double>(baseline->pssKiB().value_or(0));
  if (measureIdle) {
    // Tobble walks to the middle in 34 steps of 500 ms, then treads on the spot.
    const double walkedIn = 18000 - bench::msSince(game->started());
    if (walkedIn > 0) sleepMs(walkedIn);
    idle(20000, walk.introIdlePercent, true);
  }
  click(o, intro, 168 + 84, 160 + 20);
  measure("intro, speech shown");
  for (int i = 0; i < 4; ++i) click(o, intro, 300, 250);
  auto guide = need(x.waitFor(pid, kGameTitle, 598, 351, 5000), "the guide");
  measure("guide");
  for (int i = 0; i < 6; ++i) click(o, guide, 490, 75);
  auto cards = need(x.waitFor(pid, "Pick the Card", 781, 686, 5000), "the card game");
  sleepMs(2500);  // the faces show until the first tick, at 2 s
  measure("cards");
  if (measureIdle) idle(10000, walk.cardsIdlePercent, false);
  x.requestClose(cards.id);
  if (!x.waitGone(pid, "Pick the Card", 781, 686, 5000)) throw std::runtime_error("the card game did not close");
  guide = need(x.waitFor(pid, kGameTitle, 598, 351, 5000), "the guide after the failure");
  sleepMs(600);
  measure("guide after failure");
  click(o, guide, 490, 75);
  intro = need(x.waitFor(pid, kGameTitle, 512, 489, 5000), "the intro's farewell");
  click(o, intro, 300, 250);
  walk.endedCleanly = game->wait(10000) == 0;
  x.requestClose(base.id);
  baseline->wait(10000);
  return walk;
}

// ---------------------------------------------------------------- harness

std::map<std::string, std::string> harness(const Options& o, const std::vector<std::string>& args, double timeoutMs) {
  std::vector<std::string> argv{o.harness};
  argv.insert(argv.end(), args.begin(), args.end());
  auto text = bench::runForOutput(argv, {{"TOBBLE_NO_ERROR_DIALOG", "1"}}, log(o), timeoutMs);
  if (!text) throw std::runtime_error("the harness failed in " + args[0] + " (see " + log(o) + ")");
  return parseFigures(*text);
}

std::string firstLineOf(const std::string& path, const std::string& prefix) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

// ---------------------------------------------------------------- main

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const std::map<std::string, std::function<void(const std::string&)>> options{
        {"--game", [&](const std::string& v) { o.game = v; }},
        {"--baseline", [&](const std::string& v) { o.baseline = v; }},
        {"--harness", [&](const std::string& v) { o.harness = v; }},
        {"--engine", [&](const std::string& v) { o.engine = v; }},
        {"--out", [&](const std::string& v) { o.out = v; }},
        {"--runs", [&](const std::string& v) { o.startupRuns = std::stoi(v); }},
        {"--walks", [&](const std::string& v) { o.walks = std::stoi(v); }},
        {"--only", [&](const std::string& v) { o.only = v; }},
    };
    const auto equals = a.find('=');
    const auto option = equals == std::string::npos ? options.end() : options.find(a.substr(0, equals));
    if (option != options.end()) {
      option->second(a.substr(equals + 1));
    } else if (a == "--quick") {
      o.startupRuns = 4;
      o.walks = 1;
      o.timerSeconds = 6;
      o.clickPairs = 10;
      o.idle = false;
    } else {
      throw std::runtime_error("unknown argument " + a);
    }
  }
  if (o.game.empty() || o.baseline.empty() || o.harness.empty() || o.engine.empty()) {
    throw std::runtime_error("usage: tobble_bench --game=P --baseline=P --harness=P --engine=P [--out=DIR] [--quick]");
  }
  return o;
}

void progress(const std::string& what) { std::cerr << "bench: " << what << std::endl; }

using Figures = std::map<std::string, std::string>;

// 1. Start-up, and the peak memory of the whole start-up run.
void measureStartup(const Options& o, Table& table) {
  std::map<std::string, StartupFigures> starts;
  for (const std::string scale : {"1", "2"}) {
    progress("start-up at " + scale + "x, " + std::to_string(o.startupRuns) + " runs each");
    starts[scale] = startup(o, scale);
    const StartupFigures& f = starts[scale];
    const bench::Summary r = bench::pairedRatios(f.gameMs, f.baselineMs);
    const bool atOne = scale == "1";
    table.add({"Start-up to first frame, " + scale + "x (" + std::to_string(o.startupRuns) + " runs)",
               fixed(bench::median(f.gameMs), 0) + " ms", fixed(bench::median(f.baselineMs), 0) + " ms", ratioText(r),
               atOne ? "<= 1.25x" : "report", atOne ? std::optional<bool>(r.median <= 1.25) : std::nullopt,
               "wall time of the process"});
  }
  const StartupFigures& f = starts["1"];
  const bench::Summary r = bench::pairedRatios(f.gameRss, f.baselineRss);
  table.add({"Peak RSS at the first frame, 1x", mib(bench::median(f.gameRss)), mib(bench::median(f.baselineRss)),
             ratioText(r), "<= 1.6x", r.median <= 1.6, "rusage of the whole run"});
}

// 2 and 3. Memory along the walk by clicks, and the idle cost on the way;
// then the screens behind a won game, in the harness.
bool measureWalks(const Options& o, Table& table) {
  bench::XDisplay x;
  std::vector<Walk> walks;
  for (int i = 0; i < o.walks; ++i) {
    progress("walk by clicks " + std::to_string(i + 1) + " of " + std::to_string(o.walks) +
             (i == 0 && o.idle ? " (with 30 s of idle measurement)" : ""));
    // A click lost on a busy machine spoils a walk, not the run: one retry.
    try {
      walks.push_back(walkByClicks(o, x, i == 0 && o.idle, i % 2 == 1));
    } catch (const std::runtime_error& e) {
      progress(std::string(e.what()) + "; walking again");
      table.note("One walk by clicks was repeated: " + std::string(e.what()) + ".");
      walks.push_back(walkByClicks(o, x, i == 0 && o.idle, i % 2 == 1));
    }
  }
  std::vector<double> baselineKiB;
  for (const Walk& w : walks) baselineKiB.push_back(w.baselineKiB);
  for (const std::string& stage : kStages) {
    std::vector<double> game;
    for (const Walk& w : walks) game.push_back(w.gameKiB.at(stage));
    const bench::Summary r = bench::pairedRatios(game, baselineKiB);
    table.add({"Peak RSS (VmHWM), " + stage, mib(bench::median(game)), mib(bench::median(baselineKiB)), ratioText(r),
               "<= 1.6x", r.median <= 1.6, "real binary, xdotool"});
  }
  // What the machine pays: shared libraries and the mapped program counted
  // by share, so pages merely dropped from the resident set do not flatter it.
  std::vector<double> baselinePss;
  for (const Walk& w : walks) baselinePss.push_back(w.baselinePssKiB);
  for (const std::string& stage : kStages) {
    std::vector<double> game;
    for (const Walk& w : walks) game.push_back(w.gamePssKiB.at(stage));
    const bench::Summary r = bench::pairedRatios(game, baselinePss);
    table.add({"PSS (smaps_rollup), " + stage, mib(bench::median(game)), mib(bench::median(baselinePss)),
               ratioText(r), "-", std::nullopt, "real binary, at the same moment as the RSS"});
  }

  progress("harness: memory of the screens behind a won game");
  const Figures mem = harness(o, {"memory"}, 60000);
  for (const auto& [key, name] : std::vector<std::pair<std::string, std::string>>{
           {"pattern", "pattern game"}, {"worm", "worm game"}, {"completion", "completion"}}) {
    const double kib = figure(mem, "memory." + key + "_kib");
    std::vector<double> ratios;
    for (double b : baselineKiB) ratios.push_back(kib / b);
    const bench::Summary r = bench::summarise(ratios);
    table.add({"Peak RSS (VmHWM), " + name, mib(kib), mib(bench::median(baselineKiB)), ratioText(r), "<= 1.6x",
               r.median <= 1.6, "harness (its intro: " + mib(figure(mem, "memory.intro_kib")) + ")"});
  }

  if (walks[0].introIdlePercent) {
    const Walk& w = walks[0];
    table.add({"Idle CPU, intro treading on the spot (20 s)", fixed(*w.introIdlePercent, 2) + " %",
               fixed(w.baselineIdlePercent.value_or(0), 2) + " %", "-", "< 0.5 % of a core", *w.introIdlePercent < 0.5,
               "utime+stime, 10 ms ticks"});
    table.add({"Idle CPU, card game waiting for a click (10 s)", fixed(*w.cardsIdlePercent, 2) + " %", "-", "-",
               "< 0.5 % of a core", *w.cardsIdlePercent < 0.5, "after the preview"});
  }
  bool clean = true;
  for (const Walk& w : walks) clean = clean && w.endedCleanly;
  if (!clean) table.note("A walk by clicks did not end with exit status 0: see " + log(o) + ".");
  return clean;
}

void measureWorm(const Options& o, Table& table) {
  progress("harness: the worm game at its fastest stages");
  const Figures worm = harness(o, {"worm-cpu"}, 60000);
  for (int interval : {12, 6, 3, 1}) {
    const std::string key = "worm." + std::to_string(interval) + ".";
    const double cpu = figure(worm, key + "cpu_percent");
    table.add({"CPU, worm game at " + std::to_string(interval) + " ms (3 s)", fixed(cpu, 1) + " %", "-", "-",
               "< 5 % of a core", cpu < 5.0,
               "harness; " + fixed(figure(worm, key + "ticks_per_s"), 0) + " ticks/s, " +
                   fixed(figure(worm, key + "paints_per_s"), 0) + " paints/s"});
  }
}

// 4. Timer accuracy.
void measureTimers(const Options& o, Table& table) {
  progress("harness: timer accuracy over " + std::to_string(o.timerSeconds) + " s");
  const Figures timers = harness(o, {"timers", std::to_string(o.timerSeconds)}, (o.timerSeconds + 60) * 1000.0);
  for (const auto& [key, name] : std::vector<std::pair<std::string, std::string>>{
           {"starter", "500 ms intro walk"}, {"pattern", "600 ms pattern game"}, {"worm", "1000 ms worm game"}}) {
    const std::string k = "timer." + key + ".";
    const double med = figure(timers, k + "median_abs_error_ms"), p99 = figure(timers, k + "p99_abs_error_ms");
    table.add({"Timer period error, " + name + " (" + fixed(figure(timers, k + "periods"), 0) + " periods)",
               "median " + fixed(med, 2) + " / p99 " + fixed(p99, 2) + " ms", "-", "-", "median <= 1, p99 <= 5 ms",
               med <= 1.0 && p99 <= 5.0,
               "harness; mean period " + fixed(figure(timers, k + "mean_period_ms"), 2) + " ms"});
  }
  if (figure(timers, "timer.ticks_observed") != figure(timers, "timer.handlers_run")) {
    table.note("Timer ticks observed (" + timers.at("timer.ticks_observed") + ") differ from the handlers run (" +
               timers.at("timer.handlers_run") + ").");
  }
}

// 5. Click latency.
void measureClicks(const Options& o, Table& table) {
  progress("harness: click on a card to its face on screen");
  const Figures clicks = harness(o, {"click-latency", std::to_string(o.clickPairs)}, 120000);
  const double p99 = figure(clicks, "click.p99_ms");
  table.add({"Click on a face-down card to its face painted (" + fixed(figure(clicks, "click.samples"), 0) + ")",
             "median " + fixed(figure(clicks, "click.median_ms"), 2) + " / p99 " + fixed(p99, 2) + " ms", "-", "-",
             "p99 <= 16.7 ms", p99 <= 16.7,
             "harness; to paint event " + fixed(figure(clicks, "click.median_to_paint_ms"), 2) + " ms, max " +
                 fixed(figure(clicks, "click.max_ms"), 2) + " ms"});
}

// 6. The headless engine.
void measureEngine(const Options& o, Table& table) {
  progress("headless engine under random play");
  auto json = bench::runForOutput({o.engine, "--benchmark_format=json"}, {}, log(o), 120000);
  if (!json) throw std::runtime_error("the engine benchmark failed (see " + log(o) + ")");
  const nlohmann::json run = bench::firstBenchmark(*json);
  const double events = jsonNumber(run, "items_per_second").value_or(0);
  const double errors = jsonNumber(run, "errors").value_or(-1), stuck = jsonNumber(run, "stuck").value_or(-1);
  table.add({"Headless engine, random play", fixed(events / 1e6, 2) + " M events/s", "-", "-", ">= 1 M events/s",
             events >= 1e6,
             fixed(jsonNumber(run, "inputs").value_or(0) / 1e6, 2) + " M inputs/s; " +
                 fixed(jsonNumber(run, "games").value_or(0), 0) + " games, " + fixed(errors, 0) + " errors, " +
                 fixed(stuck, 0) + " stuck"});
  std::string spread;
  for (const auto& [form, name] : std::vector<std::pair<std::string, std::string>>{{"starter", "intro"},
                                                                                   {"menu", "guide"},
                                                                                   {"carder", "cards"},
                                                                                   {"patternform", "pattern"},
                                                                                   {"hit", "worm"},
                                                                                   {"Form1", "completion"}}) {
    spread +=
        (spread.empty() ? "" : ", ") + name + " " + fixed(jsonNumber(run, "on_" + form).value_or(0) * 100, 0) + " %";
  }
  table.note("Random play, share of inputs by the window in front: " + spread + ".");
  if (errors != 0) table.note("Random play ended a game with a run-time error: " + jsonString(run, "label"));
}

int run(const Options& o) {
  Table table;
  bool clean = true;
  if (o.want("startup")) measureStartup(o, table);
  if (o.want("walk")) clean = measureWalks(o, table);
  if (o.want("worm")) measureWorm(o, table);
  if (o.want("timers")) measureTimers(o, table);
  if (o.want("clicks")) measureClicks(o, table);
  if (o.want("engine")) measureEngine(o, table);

  const std::string qt = harness(o, {"version"}, 30000)["qt.version"];
  table.note("Machine: " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores (nproc), " +
             firstLineOf("/proc/cpuinfo", "model name") + "; Qt " + qt + "; Xvfb, no window manager.");
  const std::string text = table.render();
  std::cout << "\n" << text << std::endl;
  std::ofstream(o.out + "/bench-table.md") << text << "\n";
  // A missed target is a figure to report, not a failure of the run.
  if (table.anyMissed()) std::cerr << "bench: some targets were missed (see the Met column)" << std::endl;
  return clean ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(parse(argc, argv));
  } catch (const std::exception& e) {
    std::cerr << "bench: " << e.what() << std::endl;
    return 1;
  }
}
