#include "accessible_reading.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace qtgui {

namespace {

using forms::Kind;

bool isPictureButton(const forms::FormSpec& spec, std::size_t slot) {
  return spec.controls[slot].kind == Kind::Image;
}

// The element of another array with the same index, as a light lies over its
// button.
int sameIndexIn(const forms::FormSpec& spec, std::string_view array, int index) {
  return index == forms::kNotInArray ? -1 : spec.find(array, index);
}

struct GridPlace {
  int row = 0;
  int column = 0;
  bool grid = false;  // more than one row and more than one column
};

// Numbers positions into lines: a position further than `gap` from the
// start of its line starts the next, so pictures of different heights side
// by side share a row.
std::map<float, int> lines(std::set<float> positions, float gap) {
  std::map<float, int> line;
  int n = 0;
  float start = 0;
  for (float p : positions) {
    if (line.empty() || p - start > gap) {
      ++n;
      start = p;
    }
    line[p] = n;
  }
  return line;
}

GridPlace placeInArray(const forms::FormSpec& spec, int slot) {
  const forms::ControlSpec& row = spec.controls[std::size_t(slot)];
  if (row.index == forms::kNotInArray) return {};
  std::set<float> tops, lefts;
  float height = 1e9f, width = 1e9f;
  for (const forms::ControlSpec& other : spec.controls) {
    if (other.name != row.name) continue;
    tops.insert(other.rect.top);
    lefts.insert(other.rect.left);
    height = std::min(height, other.rect.height);
    width = std::min(width, other.rect.width);
  }
  std::map<float, int> rows = lines(tops, height / 2), columns = lines(lefts, width / 2);
  GridPlace place{rows[row.rect.top], columns[row.rect.left], false};
  place.grid = rows.rbegin()->second > 1 && columns.rbegin()->second > 1;
  return place;
}

// A card is found when its twin, the other card with the same picture, is
// face up too. While every card is up (the deal is being shown) none is.
bool foundCard(const forms::Form& form, int slot) {
  const auto& rows = form.spec().controls;
  const auto& states = form.controls();
  const forms::Picture& mine = states[std::size_t(slot)].picture;
  bool twinUp = false, anyDown = false;
  for (std::size_t other = 0; other < rows.size(); ++other) {
    if (rows[other].name != rows[std::size_t(slot)].name) continue;
    if (states[other].picture.empty()) anyDown = true;
    if (int(other) != slot && states[other].picture == mine) twinUp = true;
  }
  return twinUp && anyDown;
}

bool isPatternButton(const forms::Form& form, int slot);

bool lit(const forms::Form& form, int slot) {
  int light = lightOf(form, slot);
  return light >= 0 && form.controls()[std::size_t(light)].visible;
}

bool isCard(const forms::Form& form, int slot) {
  return form.id() == forms::FormId::carder && form.spec().controls[std::size_t(slot)].name == "CardImage";
}

bool isPatternButton(const forms::Form& form, int slot) {
  return form.id() == forms::FormId::patternform && form.spec().controls[std::size_t(slot)].name == "clipart";
}

}  // namespace

int lightOf(const forms::Form& form, int slot) {
  if (!isPatternButton(form, slot)) return -1;
  return sameIndexIn(form.spec(), "cover", form.spec().controls[std::size_t(slot)].index);
}

std::vector<int> readingOrder(const forms::Form& form) {
  const forms::FormSpec& spec = form.spec();
  // Where each group starts: an array at its topmost, then leftmost, row.
  std::map<std::string_view, std::pair<float, float>> groupStart;
  std::vector<int> slots;
  for (std::size_t slot = 0; slot < spec.controls.size(); ++slot) {
    const forms::ControlSpec& row = spec.controls[slot];
    bool readable = row.kind == Kind::Label || row.kind == Kind::CommandButton ||
                    (row.kind == Kind::Image && form.takesClick(int(slot)));
    if (!readable) continue;
    slots.push_back(int(slot));
    auto [it, fresh] = groupStart.try_emplace(row.name, row.rect.top, row.rect.left);
    if (!fresh) it->second = std::min(it->second, std::pair{row.rect.top, row.rect.left});
  }
  std::stable_sort(slots.begin(), slots.end(), [&](int a, int b) {
    const forms::ControlSpec& ra = spec.controls[std::size_t(a)];
    const forms::ControlSpec& rb = spec.controls[std::size_t(b)];
    auto ga = groupStart[ra.name], gb = groupStart[rb.name];
    if (ga != gb) return ga < gb;
    GridPlace pa = placeInArray(spec, a), pb = placeInArray(spec, b);
    return std::pair{pa.row, pa.column} < std::pair{pb.row, pb.column};
  });
  return slots;
}

ReadAs readAs(const forms::FormSpec& spec, int slot) {
  Kind kind = spec.controls[std::size_t(slot)].kind;
  return kind == Kind::Label ? ReadAs::Text : ReadAs::Button;
}

std::string readableName(const forms::Form& form, int slot) {
  if (!form.loaded()) return {};
  const forms::ControlState& state = form.controls()[std::size_t(slot)];
  if (!isPictureButton(form.spec(), std::size_t(slot))) return state.text;
  if (state.picture.empty()) return isCard(form, slot) ? "face down" : "empty";
  std::string name(state.picture.name());
  if (isCard(form, slot) && foundCard(form, slot)) name += ", found";
  if (isPatternButton(form, slot) && lit(form, slot)) name += ", lit";
  return name;
}

std::string readableDescription(const forms::Form& form, int slot) {
  GridPlace place = placeInArray(form.spec(), slot);
  if (!place.grid) return {};
  return "row " + std::to_string(place.row) + ", column " + std::to_string(place.column);
}

std::string spokenText(const forms::Form& form, int slot) {
  if (!form.loaded()) return {};
  const forms::ControlState& state = form.controls()[std::size_t(slot)];
  if (!state.visible) return {};
  const forms::ControlSpec& row = form.spec().controls[std::size_t(slot)];
  if (row.kind == Kind::Label) return state.text;
  if (row.kind != Kind::Image || state.picture.empty()) return {};
  if (isPatternButton(form, slot)) return lit(form, slot) ? readableName(form, slot) : std::string();
  std::string place = readableDescription(form, slot);
  return readableName(form, slot) + (place.empty() ? "" : ", " + place);
}

std::string joinSentences(const std::vector<std::string>& sentences) {
  std::string out;
  for (const std::string& s : sentences) {
    if (s.empty()) continue;
    if (!out.empty()) {
      // A text of the game's own is said as it is, with a stop only where
      // two would otherwise run together.
      if (std::string_view(".!?").find(out.back()) == std::string_view::npos) out += '.';
      out += ' ';
    }
    out += s;
  }
  return out;
}

}  // namespace qtgui
