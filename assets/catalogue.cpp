#include "catalogue.h"

namespace assets {

namespace {
constexpr auto kInfos = [] {
  std::array<forms::PictureInfo, kArtwork.size()> infos{};
  for (std::size_t i = 0; i < kArtwork.size(); ++i) infos[i] = kArtwork[i].info;
  return infos;
}();
}  // namespace

std::span<const forms::PictureInfo> pictureInfos() { return kInfos; }

}  // namespace assets
