#pragma once

#include <string>
#include <vector>

#include "forms/form.h"

namespace qtgui {

// What a screen reader is told about a form's controls, worked out from the
// controls alone so that it always agrees with what the screen shows. No Qt
// here: the accessible objects and their events are built on top of it.

// The controls a reader can visit, in reading order: every label, every
// picture that takes a click and every button, hidden ones included (they
// keep their place and say they are hidden). Rows come top to bottom and left
// to right; a control array stays together at the place of its first row.
std::vector<int> readingOrder(const forms::Form& form);

enum class ReadAs { Text, Button };
ReadAs readAs(const forms::FormSpec& spec, int slot);

// A text's caption; a picture by what it shows: a card face down, face up
// with its picture, or found with its twin; an empty hole; a pattern button
// and whether it is lit.
std::string readableName(const forms::Form& form, int slot);
// A picture's place in its grid ("row 2, column 3"), empty for the rest.
std::string readableDescription(const forms::Form& form, int slot);
// What is said when the control changes while shown: a text's caption, a
// picture that shows something with its place, a lit button. Empty when the
// change is not worth a word (a card turning back, a light going out).
std::string spokenText(const forms::Form& form, int slot);

// The light over a pattern button, or -1.
int lightOf(const forms::Form& form, int slot);

// Texts said one after another, a stop between two that would run together.
std::string joinSentences(const std::vector<std::string>& sentences);

}  // namespace qtgui
