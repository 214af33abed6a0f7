#include "effect_sinks.h"

#include "clip_sink.h"

namespace sound {

std::size_t pickSink(const std::vector<bool>& busy, const std::vector<unsigned>& started) {
  std::size_t oldest = 0;
  for (std::size_t i = 0; i < busy.size(); ++i) {
    if (!busy[i]) return i;
    if (started[i] < started[oldest]) oldest = i;
  }
  return oldest;
}

EffectSinks::EffectSinks(ServerConnection& server, std::size_t count) : started_(count, 0) {
  for (std::size_t i = 0; i < count; ++i) sinks_.push_back(std::make_unique<ClipSink>(server, [] {}));
}

EffectSinks::~EffectSinks() = default;

bool EffectSinks::play(const QString& resourcePath, const Shaping& shaping) {
  std::vector<bool> busy;
  for (const auto& sink : sinks_) busy.push_back(sink->busy());
  const std::size_t pick = pickSink(busy, started_);
  started_[pick] = ++plays_;
  return sinks_[pick]->play(resourcePath, shaping);
}

void EffectSinks::stop() {
  for (const auto& sink : sinks_) sink->stop();
}

}  // namespace sound
