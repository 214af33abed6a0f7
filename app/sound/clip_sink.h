#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

struct pa_operation;
struct pa_stream;

namespace sound {

class ServerConnection;

// The format of a clip's 16-bit PCM samples.
struct ClipFormat {
  int sampleRate = 0;
  int channels = 0;
  bool isValid() const { return sampleRate > 0 && channels > 0; }
};

// How a clip is to be heard: where between the speakers (equal power, -1
// left to 1 right; none plays it as made, in both alike), how fast (higher
// is higher in pitch) and how loud (0 to 1).
struct Shaping {
  std::optional<float> pan;
  float rate = 1;
  float gain = 1;
  bool asMade() const { return !pan && rate == 1 && gain == 1; }
};

// The samples of a mono or stereo 16-bit clip, turned down by the gain and,
// with a pan, spread over two channels.
QByteArray shapedSamples(const QByteArray& samples, int channels, const Shaping& shaping);

// Plays one embedded WAV clip at a time straight from the resource data,
// which is mapped with the program, so a clip costs no copy and nothing is
// kept once it has been played: Tobble's voice is one, the sounds share a few.
// The sound server's stream is held only while a clip plays.
//
// Lives on a thread with an event loop (the game's own): `finished` is
// called there, never inside a callback of the sound library.
class ClipSink {
 public:
  ClipSink(ServerConnection& server, std::function<void()> finished);
  ~ClipSink();
  ClipSink(const ClipSink&) = delete;
  ClipSink& operator=(const ClipSink&) = delete;

  // Starts a clip, stopping the one playing; false for a clip that is not
  // embedded or not 16-bit PCM, or when the server has gone.
  bool play(const QString& resourcePath, const Shaping& shaping = {});
  // Stops at once; `finished` is not called.
  void stop();
  // Whether a clip is still playing.
  bool busy() const { return playing_; }

 private:
  // On the library's thread, with its lock held.
  static void onWrite(pa_stream* stream, size_t bytes, void* self);
  static void onState(pa_stream* stream, void* self);
  static void onDrained(pa_stream* stream, int success, void* self);
  void ended();  // hands the end of the clip to the sink's own thread
  // Lets go of the stream; the caller holds the lock.
  void release();

  ServerConnection& server_;
  std::function<void()> finished_;
  pa_stream* stream_ = nullptr;
  pa_operation* drain_ = nullptr;
  QByteArray samples_;   // read by the library's thread under the lock
  qsizetype written_ = 0;
  bool inPlace_ = false;  // the samples are the program's own mapped data
  bool playing_ = false;
  unsigned clip_ = 0;   // counts the clips started and stopped, so a late end is ignored
  QObject context_;     // for the deferred end of a clip
};

// The PCM samples of a WAV file held in memory, without copying them, and
// their format; an invalid format if it is not 16-bit PCM.
ClipFormat wavSamples(const QByteArray& file, QByteArray* samples);

}  // namespace sound
