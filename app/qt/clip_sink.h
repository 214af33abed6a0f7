#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAudioSink;

namespace qtgui {

// Plays one embedded WAV clip at a time straight from the resource data,
// which is mapped with the program, so a clip costs no copy and nothing is
// kept once it has been played: Tobble's voice is one, the sounds share a few.
// The sound server's stream is held only while a clip plays.
class ClipSink {
 public:
  explicit ClipSink(std::function<void()> finished);
  ~ClipSink();

  // Starts a clip, stopping the one playing; false for a clip that is not
  // embedded or not 16-bit PCM.
  bool play(const QString& resourcePath);
  // Stops at once; `finished` is not called.
  void stop();
  // Whether a clip is still playing.
  bool busy() const;

 private:
  std::function<void()> finished_;
  std::unique_ptr<QAudioSink> sink_;
  QAudioFormat format_;
  QByteArray samples_;
  QBuffer buffer_;
  QObject context_;  // for the deferred end of a clip
  int clip_ = 0;     // counts the clips started, so a late end of one is ignored
};

// The PCM samples of a WAV file held in memory, without copying them, and
// their format; an invalid format if it is not 16-bit PCM.
QAudioFormat wavSamples(const QByteArray& file, QByteArray* samples);

}  // namespace qtgui
