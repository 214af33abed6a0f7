#pragma once

#include <string>
#include <string_view>

namespace forms {

// What std::to_chars and std::from_chars do for doubles, written out for the
// standard libraries that lack them (the browser build's): the shortest text
// that reads back as the same double, fixed or scientific, whichever is
// shorter (fixed on a tie); and a decimal number read whole, or not at all.
std::string shortestText(double x);
bool readDecimal(std::string_view text, double& value);

}  // namespace forms
