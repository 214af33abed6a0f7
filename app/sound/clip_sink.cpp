#include "clip_sink.h"

#include <pulse/context.h>
#include <pulse/operation.h>
#include <pulse/sample.h>
#include <pulse/stream.h>
#include <pulse/timeval.h>

#include <QResource>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "server_connection.h"

namespace sound {

namespace {

// How much of a clip the server holds ahead of what it plays.
constexpr pa_usec_t kBufferedUsec = 200 * PA_USEC_PER_MSEC;

}  // namespace

ClipFormat wavSamples(const QByteArray& file, QByteArray* samples) {
  ClipFormat format;
  if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return {};
  const char* data = file.constData();
  bool pcm16 = false;
  for (qsizetype at = 12; at + 8 <= file.size();) {
    const QByteArray id(data + at, 4);
    const qsizetype size = qFromLittleEndian<quint32>(data + at + 4);
    const qsizetype body = at + 8;
    if (size > file.size() - body) return {};
    if (id == "fmt " && size >= 16) {
      pcm16 = qFromLittleEndian<quint16>(data + body) == 1 && qFromLittleEndian<quint16>(data + body + 14) == 16;
      format.channels = qFromLittleEndian<quint16>(data + body + 2);
      format.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(data + body + 4));
    } else if (id == "data") {
      if (!pcm16 || !format.isValid()) return {};
      *samples = QByteArray::fromRawData(data + body, size);
      return format;
    }
    at = body + size + (size & 1);  // chunks are padded to an even length
  }
  return {};
}

QByteArray shapedSamples(const QByteArray& samples, int channels, const Shaping& shaping) {
  const int outChannels = shaping.pan ? 2 : channels;
  const qsizetype frames = samples.size() / (2 * channels);
  QByteArray out(frames * 2 * outChannels, Qt::Uninitialized);
  const char* in = samples.constData();
  char* to = out.data();
  // Equal power, as a browser's stereo panner places a mono sound.
  const double angle = shaping.pan ? (static_cast<double>(*shaping.pan) + 1) * std::numbers::pi / 4 : 0;
  const double left = shaping.pan ? std::cos(angle) : 1, right = shaping.pan ? std::sin(angle) : 1;
  for (qsizetype frame = 0; frame < frames; ++frame) {
    for (int c = 0; c < outChannels; ++c) {
      // A stereo clip panned keeps each side's own samples.
      const int from = std::min(c, channels - 1);
      const double sample = qFromLittleEndian<qint16>(in + 2 * (frame * channels + from));
      const double side = !shaping.pan ? 1 : c == 0 ? left : right;
      const auto value = static_cast<qint16>(std::lround(std::clamp(sample * side * shaping.gain, -32768.0, 32767.0)));
      qToLittleEndian<qint16>(value, to + 2 * (frame * outChannels + c));
    }
  }
  return out;
}

ClipSink::ClipSink(ServerConnection& server, std::function<void()> finished)
    : server_(server), finished_(std::move(finished)) {}

ClipSink::~ClipSink() { stop(); }

bool ClipSink::play(const QString& resourcePath, const Shaping& shaping) {
  stop();
  QResource clip(resourcePath);
  if (!clip.isValid()) return false;
  // Compressed resources are unpacked and kept with the sink; the usual,
  // stored ones are read in place.
  inPlace_ = clip.compressionAlgorithm() == QResource::NoCompression;
  const QByteArray file = inPlace_ ? QByteArray::fromRawData(reinterpret_cast<const char*>(clip.data()), clip.size())
                                   : clip.uncompressedData();
  QByteArray samples;
  const ClipFormat format = wavSamples(file, &samples);
  if (!format.isValid() || format.channels > static_cast<int>(PA_CHANNELS_MAX)) return false;
  // Whole frames only: the server takes nothing else.
  const qsizetype whole = samples.size() - samples.size() % (2 * format.channels);
  samples = inPlace_ ? QByteArray::fromRawData(samples.constData(), whole) : QByteArray(samples.constData(), whole);
  int channels = format.channels, rate = format.sampleRate;
  if (!shaping.asMade()) {
    // Shaped: the sink keeps its own copy. A faster rate is the server's
    // resampling, which raises the pitch as a faster tape would.
    samples = shapedSamples(samples, channels, shaping);
    inPlace_ = false;
    if (shaping.pan) channels = 2;
    rate = static_cast<int>(std::lround(rate * static_cast<double>(shaping.rate)));
  }

  ServerConnection::Lock lock(server_);
  if (pa_context_get_state(server_.context()) != PA_CONTEXT_READY) return false;
  const pa_sample_spec pcm{PA_SAMPLE_S16LE, static_cast<uint32_t>(rate), static_cast<uint8_t>(channels)};
  if (!pa_sample_spec_valid(&pcm)) return false;
  stream_ = pa_stream_new(server_.context(), "Tobble", &pcm, nullptr);
  if (!stream_) return false;
  samples_ = samples;
  written_ = 0;
  pa_stream_set_write_callback(stream_, &ClipSink::onWrite, this);
  pa_stream_set_state_callback(stream_, &ClipSink::onState, this);
  // A short buffer at the server: a clip's end is heard, and delivered, a
  // moment after its last sample is played, so sentences follow each other
  // without a gap, and a cut clip stops at once.
  pa_buffer_attr buffer{};
  buffer.maxlength = static_cast<uint32_t>(-1);
  buffer.tlength = static_cast<uint32_t>(pa_usec_to_bytes(kBufferedUsec, &pcm));
  buffer.prebuf = static_cast<uint32_t>(-1);
  buffer.minreq = static_cast<uint32_t>(-1);
  buffer.fragsize = static_cast<uint32_t>(-1);
  if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0) {
    release();
    return false;
  }
  playing_ = true;
  return true;
}

void ClipSink::stop() {
  {
    ServerConnection::Lock lock(server_);
    // A clip that has ended but whose end is not yet delivered is not delivered.
    ++clip_;
    release();
  }
  playing_ = false;
  samples_.clear();
}

void ClipSink::release() {
  if (drain_) {
    if (pa_operation_get_state(drain_) == PA_OPERATION_RUNNING) pa_operation_cancel(drain_);
    pa_operation_unref(drain_);
    drain_ = nullptr;
  }
  if (!stream_) return;
  pa_stream_set_write_callback(stream_, nullptr, nullptr);
  if (pa_stream_get_state(stream_) == PA_STREAM_CREATING) {
    // The server is still making it and it cannot be dropped before it is
    // made: it is dropped as soon as it is, and forgotten once it is gone.
    pa_stream_set_state_callback(
        stream_,
        [](pa_stream* stream, void*) {
          const pa_stream_state_t state = pa_stream_get_state(stream);
          if (state == PA_STREAM_READY) {
            pa_stream_disconnect(stream);
          } else if (!PA_STREAM_IS_GOOD(state)) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_unref(stream);
          }
        },
        nullptr);
  } else {
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    // The server drops the stream, and whatever it still had to play, at once.
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
  }
  stream_ = nullptr;
}

void ClipSink::onWrite(pa_stream* stream, size_t bytes, void* self) {
  auto* sink = static_cast<ClipSink*>(self);
  const auto left = static_cast<size_t>(sink->samples_.size() - sink->written_);
  const size_t now = std::min(bytes, left);
  if (now > 0) {
    // The program's own samples are sent from where they are mapped, as they
    // last as long as the program; samples unpacked for the sink are copied,
    // as the sink lets them go when the clip stops.
    pa_free_cb_t keep = sink->inPlace_ ? [](void*) {} : pa_free_cb_t{};
    pa_stream_write(stream, sink->samples_.constData() + sink->written_, now, keep, 0, PA_SEEK_RELATIVE);
    sink->written_ += static_cast<qsizetype>(now);
  }
  if (sink->written_ < sink->samples_.size() || sink->drain_) return;
  // All written: the clip has ended once the server has played it out.
  pa_stream_set_write_callback(stream, nullptr, nullptr);
  sink->drain_ = pa_stream_drain(stream, &ClipSink::onDrained, sink);
  if (!sink->drain_) sink->ended();
}

void ClipSink::onState(pa_stream* stream, void* self) {
  // A stream the server refused or dropped ends the clip, so the voice goes on.
  if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) static_cast<ClipSink*>(self)->ended();
}

void ClipSink::onDrained(pa_stream*, int, void* self) { static_cast<ClipSink*>(self)->ended(); }

void ClipSink::ended() {
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  QMetaObject::invokeMethod(
      &context_,
      [this, clip = clip_] {
        if (clip != clip_) return;
        stop();
        finished_();
      },
      Qt::QueuedConnection);
}

}  // namespace sound
