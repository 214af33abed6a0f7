#include "picture.h"

#include "error.h"

namespace forms {

Pictures::Pictures(std::span<const PictureInfo> catalogue) {
  for (const PictureInfo& info : catalogue) {
    byName_.emplace(std::string(info.name), Picture(std::make_shared<const PictureInfo>(info)));
  }
}

Picture Pictures::get(std::string_view name) const {
  if (name.empty()) return {};
  auto it = byName_.find(name);
  if (it == byName_.end()) raise(ErrorKind::MissingPicture, std::string(name));
  return it->second;
}

}  // namespace forms
