#include "clip_sink.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QResource>
#include <QTimer>
#include <QtEndian>

namespace qtgui {

QAudioFormat wavSamples(const QByteArray& file, QByteArray* samples) {
  QAudioFormat format;
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
      format.setChannelCount(qFromLittleEndian<quint16>(data + body + 2));
      format.setSampleRate(static_cast<int>(qFromLittleEndian<quint32>(data + body + 4)));
      format.setSampleFormat(QAudioFormat::Int16);
    } else if (id == "data") {
      if (!pcm16 || !format.isValid()) return {};
      *samples = QByteArray::fromRawData(data + body, size);
      return format;
    }
    at = body + size + (size & 1);  // chunks are padded to an even length
  }
  return {};
}

ClipSink::ClipSink(std::function<void()> finished) : finished_(std::move(finished)) {}

ClipSink::~ClipSink() { stop(); }

bool ClipSink::play(const QString& resourcePath) {
  stop();
  ++clip_;
  QResource clip(resourcePath);
  if (!clip.isValid()) return false;
  // Compressed resources are unpacked; the usual, stored ones are read in place.
  const QByteArray file = clip.compressionAlgorithm() == QResource::NoCompression
                              ? QByteArray::fromRawData(reinterpret_cast<const char*>(clip.data()), clip.size())
                              : clip.uncompressedData();
  const QAudioFormat format = wavSamples(file, &samples_);
  if (!format.isValid()) return false;
  if (!sink_ || format != format_) {
    format_ = format;
    // Not deleted here: this may run inside the old sink's own signal.
    if (sink_) sink_.release()->deleteLater();
    sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(), [this](QAudio::State state) {
      // Idle: every sample has been played. The next clip starts from the
      // event loop, not inside the sink's own signal, unless another clip
      // has been started by then.
      if (state != QAudio::IdleState) return;
      stop();
      QTimer::singleShot(0, &context_, [this, clip = clip_] {
        if (clip == clip_) finished_();
      });
    });
  }
  // A stored resource outlives the buffer; an unpacked one is kept with it.
  if (clip.compressionAlgorithm() != QResource::NoCompression) samples_ = QByteArray(samples_.constData(), samples_.size());
  buffer_.setData(samples_);
  buffer_.open(QIODevice::ReadOnly);
  sink_->start(&buffer_);
  return true;
}

bool ClipSink::busy() const { return sink_ && sink_->state() != QAudio::StoppedState; }

void ClipSink::stop() {
  if (sink_ && sink_->state() != QAudio::StoppedState) sink_->stop();
  buffer_.close();
}

}  // namespace qtgui
