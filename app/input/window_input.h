#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/geometry.h"
#include "reading/reading_model.h"

namespace input {

// The keys the game answers, in its own words; a platform maps its keys.
enum class Key { Next, Previous, Activate, Left, Right, Up, Down, Home, End };

// How far apart in time and space two presses make a double-click: the
// desktop's own setting, or the browser's usual one.
struct DoubleClick {
  double ms = 400;
  float twips = 5 * forms::kTwipsPerPixel;
};

// The pointer and keyboard of one form's window. A click is a press and a
// release over the same control; the second press of a double-click is no
// click at all, and the press after it starts afresh. Tab and Shift+Tab move
// a ring through the controls that take a click, in reading order, round
// and round; Space or Enter clicks what the ring is on, and a held key's
// repeats are no new clicks. The ring exists only once the keyboard has
// been used in the window, so a child who plays by mouse never sees it.
class WindowInput {
 public:
  WindowInput(forms::Program& program, forms::Form& form, DoubleClick doubleClick = {});

  void press(forms::TwipPoint at, double ms);
  void release(forms::TwipPoint at);
  // The press went elsewhere, or its window went: no click, and the next
  // press is a first one.
  void cancelPress() { pressed_ = -1, switchDown_ = false, last_ = {}; }
  // Whether the key was the game's; the platform passes on the rest.
  bool key(Key key, bool repeat);
  // A key of the block that starts at 1, Q, A and Z, by its physical place
  // (row 0 is the digits' row, column 0 its first key): clicks the place at
  // that row and column of the window's grid at once, as a mouse click
  // there would. Whether a place was there.
  bool placeKey(int row, int column);

  // The control under the ring, or -1 while the ring is on none (not used
  // yet, or its control has gone or been disabled).
  int ring() const;
  // Puts the ring on the window's speech, as a window coming up does for a
  // child who plays by keyboard. The speech's control, or -1 if none can be
  // reached.
  int ringToSpeech();
  bool keyboardUsed() const { return focused_ >= 0; }

  // One-switch scanning, for a child who presses one switch: the ring moves
  // by itself, one step each time the platform's scan timer calls `scanStep`.
  // In a grid it first steps row by row, outlining the whole row; the switch
  // chooses a row, and the ring then steps along it, back to the rows after
  // one fruitless pass. Space, Enter, or a click or touch anywhere in the
  // window is the switch: it clicks what the ring is on.
  void setScanning(bool on) { scanning_ = on; }
  bool scanning() const { return scanning_; }
  void scanStep();
  // A window coming up while scanning shows the ring at once, on its first
  // stop, if it is on nothing.
  void showScanRing() {
    if (scanning_ && ring() < 0) scanStep();
  }
  void switchPressed();
  // What the ring outlines: its control, or a whole row of a grid while the
  // scan is choosing a row; nothing while there is no ring.
  std::optional<forms::TwipRect> ringArea() const;

 private:
  void move(int step);
  std::vector<int> reachable() const;
  // The array the arrows move in: the ring's, or the first one read.
  std::string_view grid() const;
  // The control of `array` at a place, or -1.
  int at(std::string_view array, int row, int column) const;
  void moveInGrid(int rows, int columns);
  void moveToEnd(bool last);
  // The scan's stops in reading order: a control, or the first place of a
  // grid's row, which stands for the row.
  std::vector<int> scanStops() const;
  bool isGridRow(int slot) const;
  // The places of the ring's row that can be reached, left to right.
  std::vector<int> rowOf(int slot) const;

  forms::Program& program_;
  forms::Form& form_;
  DoubleClick doubleClick_;
  // The layout's, kept: the ring is asked for at every paint.
  const std::vector<int> readingOrder_;
  std::vector<reading::ArrayPlace> places_;  // by slot
  int pressed_ = -1;
  int focused_ = -1;
  bool scanning_ = false;
  bool choosingRow_ = false;  // the ring outlines the row of `focused_`
  bool switchDown_ = false;   // a press the scan's switch counts, until its release
  struct Press {
    forms::TwipPoint at;
    double ms = 0;
    bool second = false;
    bool any = false;
  } last_;
};

}  // namespace input
