// Plays the pop of the worm apple as the game sounds it in a hole of the
// left or right column, through the desktop's clip sink, so that a recording
// of the sound server can tell which side it came from. The game runs on the
// headless platform until an apple comes up in that column; its pop, placed
// by the cue director, is then played for real, and the program ends once
// the server has played it out.
//   play_apple left|right
#include <QCoreApplication>
#include <QtCore/qtestsupport_core.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>

#include "headless/cue_recorder.h"
#include "cues/director.h"
#include "sound/clip_sink.h"
#include "sound/server_connection.h"
#include "support/game.h"
#include "support/journey.h"
#include "screens/worm/hit.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2 || (std::string_view(argv[1]) != "left" && std::string_view(argv[1]) != "right")) {
    std::fprintf(stderr, "usage: play_apple left|right\n");
    return 2;
  }
  const int column = std::string_view(argv[1]) == "left" ? 0 : 3;

  testing_support::Game game;
  headless::CueRecorder heard{game.platform};
  cues::Director director{game.program, heard};
  game.program.watch(director);
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 10);
  auto& worm = game.form<screens::Hit>();
  std::optional<cues::Cue> pop;
  std::chrono::steady_clock::duration tickToCue{};
  for (int tick = 0; tick < 1000 && !pop; ++tick) {
    heard.clear();
    const auto before = std::chrono::steady_clock::now();
    game.advance(1000);
    tickToCue = std::chrono::steady_clock::now() - before;
    if (worm.shownpic != 0 || static_cast<int>(worm.hole) % 4 != column) continue;
    for (const auto& cue : heard.cues()) {
      if (cue.kind == headless::CueRecorder::Cue::Kind::Sound && cue.sound == cues::Sound::pop) pop = cue.cue;
    }
  }
  if (!pop) {
    std::fprintf(stderr, "no apple came up in that column\n");
    return 1;
  }

  std::atomic<bool> ready = false;
  auto server = sound::ServerConnection::open(std::chrono::seconds(10), [&](sound::ServerConnection::News news) {
    ready = news == sound::ServerConnection::News::Ready;
  });
  if (!server || !QTest::qWaitFor([&] { return ready.load(); }, 20000)) {
    std::fprintf(stderr, "no sound server\n");
    return 1;
  }
  bool played = false;
  sound::ClipSink sink(*server, [&] { played = true; });
  const QString clip = QStringLiteral(":/audio/sounds/%1.wav").arg(QString::fromUtf8(cues::soundName(pop->sound).data()));
  // For the benchmark of the way to the server (bench/sound): when the pop
  // was handed to the sink, by the wall clock the server's events are
  // stamped with, and how long the tick that put the apple up took.
  const auto handed = std::chrono::system_clock::now().time_since_epoch();
  if (!sink.play(clip, {pop->pan, pop->rate, pop->gain}) || !QTest::qWaitFor([&] { return played; }, 20000)) {
    std::fprintf(stderr, "the pop was not played\n");
    return 1;
  }
  std::printf("pan %.2f rate %.3f\n", static_cast<double>(*pop->pan), static_cast<double>(pop->rate));
  std::printf("handed %.6f tick %.3f ms\n", std::chrono::duration<double>(handed).count(),
              std::chrono::duration<double, std::milli>(tickToCue).count());
  return 0;
}
