#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace forms {

// One entry of the artwork catalogue: a picture's name and its pixel size.
struct PictureInfo {
  std::string_view name;
  int width = 0;
  int height = 0;
};

// A shared, immutable picture. Copying a Picture shares it; the empty picture
// is a valid value that shows nothing.
class Picture {
 public:
  Picture() = default;
  bool empty() const { return info_ == nullptr; }
  std::string_view name() const { return info_ ? info_->name : std::string_view{}; }
  int width() const { return info_ ? info_->width : 0; }
  int height() const { return info_ ? info_->height : 0; }
  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  friend class Pictures;
  explicit Picture(std::shared_ptr<const PictureInfo> info) : info_(std::move(info)) {}
  std::shared_ptr<const PictureInfo> info_;
};

// Every picture by name, built once from the catalogue, so that each name has
// exactly one shared Picture.
class Pictures {
 public:
  explicit Pictures(std::span<const PictureInfo> catalogue);
  // Raises MissingPicture for a name the catalogue lacks; an empty name is the
  // empty picture.
  Picture get(std::string_view name) const;

 private:
  std::map<std::string, Picture, std::less<>> byName_;
};

}  // namespace forms
