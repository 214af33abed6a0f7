#pragma once

#include <QApplication>
#include <cstdio>

#include "qt/artwork.h"
#include "qt/fonts.h"

// What both picture tools start with: the offscreen platform unless another
// is asked for, the embedded fonts, and the artwork rendered at 1x and 2x.
// Returns false, having said why, when something is missing.
inline bool prepareArtwork(qtgui::Artwork& one, qtgui::Artwork& two) {
  QString error;
  if (!qtgui::registerEmbeddedFonts(&error) || !qtgui::Artwork::render(1, &one, &error) ||
      !qtgui::Artwork::render(2, &two, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return false;
  }
  return true;
}

inline void preferOffscreen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}
