#pragma once

#include <QString>
#include <cstddef>
#include <memory>
#include <vector>

namespace sound {

class ClipSink;
struct Shaping;
class ServerConnection;

// The sounds, which may overlap each other and the voice, played through a
// small fixed set of clip sinks rather than one player per sound: each sink
// that plays holds a stream of the sound server with its buffers, so the
// memory no longer grows with the number of different sounds heard.
class EffectSinks {
 public:
  EffectSinks(ServerConnection& server, std::size_t count);
  ~EffectSinks();

  // Plays a clip on a free sink, or cuts the one that started first; false
  // for a clip that is not embedded or not 16-bit PCM.
  bool play(const QString& resourcePath, const Shaping& shaping);
  void stop();

 private:
  std::vector<std::unique_ptr<ClipSink>> sinks_;
  std::vector<unsigned> started_;  // when each sink last started, counted in plays
  unsigned plays_ = 0;
};

// Which sink a new sound takes: the first free one, else the one whose sound
// started first, so the newest sounds (a pattern's last note) are kept.
std::size_t pickSink(const std::vector<bool>& busy, const std::vector<unsigned>& started);

}  // namespace sound
