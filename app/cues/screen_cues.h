#pragma once

#include <span>
#include <string_view>

#include "forms/form.h"
#include "sounds.h"

namespace cues {

// What a control does on screen that is heard.
enum class Change {
  Speaks,         // a speech label: its text is said whenever it shows on a window on screen
  Appears,        // becomes visible, also when it goes off and on again within one event
  GetsAPicture,   // an Image is given a picture
  GoesBlank,      // an Image loses its picture
  TextArrives,    // a caption or text changes to one that starts with the rule's text
  ComesOnScreen,  // the window itself is shown (the rule names no control)
};

// One line of a screen's table: on this screen, when this control (or any
// element of this control array) changes like this, this is heard.
struct CueRule {
  forms::FormId screen;
  std::string_view control;
  Change change;
  Sound sound = Sound::card_up;  // not for Speaks
  std::string_view text = {};    // for TextArrives
  bool noteOfIndex = false;      // the sound is note_0 plus the element's index
  std::string_view picture = {}; // for GetsAPicture: only this picture, any if empty
  // The elements of the array lie in a grid of this many columns, element i
  // in column i mod columns: its sound is panned by its column, and played
  // higher the nearer its row is to the top over `pitchedRows` rows.
  int columns = 0;
  int pitchedRows = 0;
};

// Every screen's table, screen by screen, each in the order its cues are heard.
std::span<const CueRule> cueRules();

}  // namespace cues
