#pragma once

#include <array>
#include <string>

#include "error.h"

namespace forms {

// A fixed run of values with declared bounds Lo ... Hi. An index outside them
// is a run-time error, never a silent read or write past the end.
template <class T, int Lo, int Hi>
class BoundedArray {
  static_assert(Lo <= Hi);

 public:
  static constexpr int lower = Lo;
  static constexpr int upper = Hi;
  static constexpr int size = Hi - Lo + 1;

  T& operator[](int index) { return values_[offset(index)]; }
  const T& operator[](int index) const { return values_[offset(index)]; }

  void fill(const T& value) { values_.fill(value); }

 private:
  static std::size_t offset(int index) {
    if (index < Lo || index > Hi) {
      raise(ErrorKind::OutOfRange,
            std::to_string(index) + " is outside " + std::to_string(Lo) + " to " + std::to_string(Hi));
    }
    return static_cast<std::size_t>(index - Lo);
  }

  std::array<T, size> values_{};
};

}  // namespace forms
