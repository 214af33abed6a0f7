#include "reading_model.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "screen_reading.h"

namespace reading {

namespace {

using forms::Kind;

const forms::ControlSpec& rowOf(const forms::Form& form, int slot) {
  return form.spec().controls[std::size_t(slot)];
}

Part partOf(const forms::Form& form, int slot, Part otherwise) {
  const ReadingRule* rule = ruleFor(form.id(), rowOf(form, slot).name);
  return rule ? rule->part : otherwise;
}

// Numbers positions into lines: a position further than `gap` from the
// start of its line starts the next, so pictures of different heights side
// by side share a row.
std::map<float, int> lines(const std::set<float>& positions, float gap) {
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

ArrayPlace placeInArray(const forms::FormSpec& spec, int slot) {
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
  ArrayPlace place{rows[row.rect.top], columns[row.rect.left], false};
  place.grid = rows.rbegin()->second > 1 && columns.rbegin()->second > 1;
  return place;
}

// A card is found when its twin, the other card with the same picture, is
// face up too. While every card is up, the deal is being shown and none is,
// unless the last pair has just been judged right.
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
  if (!twinUp) return false;
  if (anyDown) return true;
  const ReadingRule* rule = ruleFor(form.id(), rows[std::size_t(slot)].name);
  const int sign = rule == nullptr || rule->mark.empty() ? -1 : form.spec().find(rule->mark);
  return sign >= 0 && states[std::size_t(sign)].visible;
}

bool lit(const forms::Form& form, int slot) {
  int light = lightOf(form, slot);
  return light >= 0 && form.controls()[std::size_t(light)].visible;
}

Role roleOf(const forms::Form& form, int slot) {
  const forms::ControlSpec& row = rowOf(form, slot);
  if (partOf(form, slot, Part::Speech) == Part::Decoration) return Role::Hidden;
  switch (row.kind) {
    case Kind::Label: return Role::Text;
    case Kind::CommandButton: return Role::Button;
    // A picture that takes no click is part of the scenery.
    case Kind::Image: return form.takesClick(slot) ? Role::Button : Role::Hidden;
    default: return Role::Hidden;
  }
}

std::string nameOf(const forms::Form& form, int slot) {
  const forms::ControlState& state = form.controls()[std::size_t(slot)];
  if (rowOf(form, slot).kind != Kind::Image) return state.text;
  const Part part = partOf(form, slot, Part::Decoration);
  if (state.picture.empty()) return part == Part::Card ? "face down" : "empty";
  if (part == Part::Hole) return std::string(holeWord(state.picture.name()));
  std::string name(state.picture.name());
  if (part == Part::Card && foundCard(form, slot)) name += ", found";
  if (part == Part::PatternButton && lit(form, slot)) name += ", lit";
  return name;
}

}  // namespace

ArrayPlace arrayPlace(const forms::Form& form, int slot) { return placeInArray(form.spec(), slot); }

int lightOf(const forms::Form& form, int slot) {
  if (slot < 0) return -1;
  const ReadingRule* rule = ruleFor(form.id(), rowOf(form, slot).name);
  if (rule == nullptr || rule->part != Part::PatternButton) return -1;
  const int index = rowOf(form, slot).index;
  return index == forms::kNotInArray ? -1 : form.spec().find(rule->mark, index);
}

bool isSpeech(const forms::Form& form, int slot) {
  const ReadingRule* rule = ruleFor(form.id(), rowOf(form, slot).name);
  return rule != nullptr && rule->part == Part::Speech;
}

ControlReading readControl(const forms::Form& form, int slot) {
  ControlReading r;
  r.role = roleOf(form, slot);
  if (r.role == Role::Hidden || !form.loaded()) return r;
  const forms::ControlState& state = form.controls()[std::size_t(slot)];
  r.name = nameOf(form, slot);
  r.visible = state.visible;
  r.enabled = state.enabled;
  r.clickable = form.takesClick(slot);
  if (ArrayPlace place = placeInArray(form.spec(), slot); place.grid) {
    r.row = place.row;
    r.column = place.column;
    r.description = "row " + std::to_string(place.row) + ", column " + std::to_string(place.column);
  }
  return r;
}

std::vector<int> readingOrder(const forms::Form& form) {
  const forms::FormSpec& spec = form.spec();
  // Where each group starts: an array at its topmost, then leftmost, row.
  std::map<std::string_view, std::pair<float, float>> groupStart;
  std::vector<int> slots;
  for (std::size_t slot = 0; slot < spec.controls.size(); ++slot) {
    if (roleOf(form, int(slot)) == Role::Hidden) continue;
    const forms::ControlSpec& row = spec.controls[slot];
    slots.push_back(int(slot));
    auto [it, fresh] = groupStart.try_emplace(row.name, row.rect.top, row.rect.left);
    if (!fresh) it->second = std::min(it->second, std::pair{row.rect.top, row.rect.left});
  }
  std::stable_sort(slots.begin(), slots.end(), [&](int a, int b) {
    auto ga = groupStart[spec.controls[std::size_t(a)].name], gb = groupStart[spec.controls[std::size_t(b)].name];
    if (ga != gb) return ga < gb;
    ArrayPlace pa = placeInArray(spec, a), pb = placeInArray(spec, b);
    return std::pair{pa.row, pa.column} < std::pair{pb.row, pb.column};
  });
  return slots;
}

std::vector<int> focusOrder(const forms::Form& form) { return reachable(form, readingOrder(form)); }

std::vector<int> reachable(const forms::Form& form, const std::vector<int>& readingOrder) {
  std::vector<int> order;
  if (!form.loaded()) return order;
  for (int slot : readingOrder) {
    const forms::ControlState& state = form.controls()[std::size_t(slot)];
    if (form.takesClick(slot) && state.visible && state.enabled) order.push_back(slot);
  }
  return order;
}

std::string spokenText(const forms::Form& form, int slot) {
  if (!form.loaded()) return {};
  const forms::ControlState& state = form.controls()[std::size_t(slot)];
  if (!state.visible || roleOf(form, slot) == Role::Hidden) return {};
  const forms::ControlSpec& row = rowOf(form, slot);
  if (row.kind == Kind::Label) return state.text;
  if (row.kind != Kind::Image || state.picture.empty()) return {};
  if (partOf(form, slot, Part::Decoration) == Part::PatternButton) {
    return lit(form, slot) ? nameOf(form, slot) : std::string();
  }
  ControlReading r = readControl(form, slot);
  // A hole's picture is gone within a second: its word alone, the place
  // being heard in where the pop sounds.
  if (partOf(form, slot, Part::Decoration) == Part::Hole) return r.name;
  return r.name + (r.description.empty() ? "" : ", " + r.description);
}

}  // namespace reading
