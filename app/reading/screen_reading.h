#pragma once

#include <span>
#include <string_view>

#include "forms/form.h"

namespace reading {

// What a control is to a child who listens, where the layout alone cannot
// tell: a picture may be a card, a hole or a button with a light over it.
enum class Part {
  Card,           // "face down" until turned; "found" while its twin is up too
  Hole,           // "empty", or what is in it
  PatternButton,  // "lit" while the element of `mark` with its index shows
  Speech,         // a character's words: a window that comes back puts the focus here
  Decoration,     // hidden from readers, though the layout makes it a button
  // The screen as a whole (no control): the words of the event that takes
  // it off the screen are still said, before the next window's. A game's
  // last move is the answer the child waits for; the intro's farewell,
  // written as it hides, is for when it comes back.
  LastWordsHeard,
};

// One line of a screen's table: on this screen, this control (or every
// element of this control array) is read as this part.
struct ReadingRule {
  forms::FormId screen;
  std::string_view control;
  Part part;
  // A control whose showing tells the part's state: a pattern button's
  // light (the element with its index); for cards, the sign that a pair is
  // right, which tells the last pair found while every card is up.
  std::string_view mark = {};
};

// Every screen's table, beside the screens' cue tables.
std::span<const ReadingRule> readingRules();

// The rule for a control, or none.
const ReadingRule* ruleFor(forms::FormId screen, std::string_view control);
// Whether a screen's words are said as it leaves the screen.
bool lastWordsHeard(forms::FormId screen);
// What a picture in a hole is called: one word, said before the picture
// goes again even at the game's fastest; the hole's place is its
// description, read only when asked for.
std::string_view holeWord(std::string_view picture);

}  // namespace reading
