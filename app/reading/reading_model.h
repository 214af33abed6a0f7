#pragma once

#include <string>
#include <vector>

#include "forms/form.h"

namespace reading {

// How a reader presents a control.
enum class Role {
  Text,    // a caption, read-only; it may take a click (a speech bubble)
  Button,  // a picture that takes a click, or a real button
  Hidden,  // decoration: not in the reader's view at all
};

// What a reader is told about one control as it is now.
struct ControlReading {
  Role role = Role::Hidden;
  std::string name;         // a text's caption; a picture by what it shows
  std::string description;  // a grid's place: "row 2, column 3"
  bool visible = false;
  bool enabled = false;
  bool clickable = false;  // a click on it does something
  int row = 0;             // its place in a grid, from 1; 0 outside a grid
  int column = 0;

  bool operator==(const ControlReading&) const = default;
};

ControlReading readControl(const forms::Form& form, int slot);

// The controls a reader can visit, in reading order: every text, every
// picture that takes a click and every button, hidden ones included (they
// keep their place and say they are hidden). Rows come top to bottom and left
// to right; a control array stays together at the place of its first row,
// itself read row by row.
std::vector<int> readingOrder(const forms::Form& form);

// The controls the keyboard reaches, in the same order: those of the
// reading order that take a click and are shown and enabled.
std::vector<int> focusOrder(const forms::Form& form);
// The same of a reading order worked out before: the order follows the
// layout alone, so a window keeps it and asks only which can be reached now.
std::vector<int> reachable(const forms::Form& form, const std::vector<int>& order);

// What is said when the control changes while shown: a text's caption, a
// picture that shows something with its place, a lit button. Empty when the
// change is not worth a word (a card turning back, a light going out).
std::string spokenText(const forms::Form& form, int slot);

// A control's place in its array, rows top to bottom and columns left to
// right from 1, also in an array of one row (the pattern's buttons); 0 and 0
// for a control outside an array.
struct ArrayPlace {
  int row = 0;
  int column = 0;
  bool grid = false;  // its array has more than one row and more than one column
};
ArrayPlace arrayPlace(const forms::Form& form, int slot);

// The light over a pattern button, or -1.
int lightOf(const forms::Form& form, int slot);

// Whether the control holds a character's words.
bool isSpeech(const forms::Form& form, int slot);

}  // namespace reading
