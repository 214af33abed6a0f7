#pragma once

#include <QImage>
#include <QStringList>
#include <memory>

#include "forms/program.h"
#include "qt/artwork.h"
#include "qt/qt_platform.h"

namespace testing_support {

// The whole game on the Qt platform, offscreen, with the error report caught.
struct QtGame {
  explicit QtGame(qreal devicePixelRatio = 1.0);
  ~QtGame();

  qtgui::Artwork artwork;
  std::unique_ptr<qtgui::QtPlatform> platform;
  std::unique_ptr<forms::Program> program;
  QStringList errors;

  template <class F>
  F& form() { return program->ref<F>(); }
  qtgui::FormWindow* window(const forms::Form& form) const { return platform->windowOf(form); }
  // The window as the screen shows it now.
  QImage grab(const forms::Form& form) const;
};

}  // namespace testing_support
