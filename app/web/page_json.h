#pragma once

#include <cstdint>
#include <string>
#include <nlohmann/json.hpp>

#include "page.h"

namespace web {

// A control's look as the page script takes it: one JSON object, which
// site/page.js draws whole.
std::string lookJson(const ControlLook& look);
// What a reader is told about a control, as the page script takes it.
std::string readingJson(const reading::ControlReading& reading);
// Any value as the page reads it: JSON on one line.
std::string pageJson(const nlohmann::json& value);

// The desktop's system colours for the panels' frames and title bars.
struct Theme {
  std::uint32_t face = 0;
  std::uint32_t caption = 0;
  std::uint32_t captionText = 0;
};
Theme desktopTheme();

}  // namespace web
