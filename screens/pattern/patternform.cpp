#include "pattern/patternform.h"

#include <algorithm>

#include "intro/starter.h"

namespace screens {

using namespace forms;

namespace {

// A button's light: a thick frame and cross-hatching in the button's colour,
// laid over its picture.
ControlSpec light(int index, float left, Colour colour) {
  return shape("cover", twips(left, 1320, 1935, 1935), ShapeKind::RoundedRectangle)
      .at(index)
      .border(colour, 5)
      .fill(FillStyle::DiagonalCross, colour)
      .hidden();
}

ControlSpec tile(int index, float left) {
  return shape("Shape1", twips(left, 1320, 1935, 1935), ShapeKind::RoundedRectangle).at(index).opaque(white);
}

// Front to back, in twips.
const FormSpec kLayout{
    .caption = "Follow the Pattern!",
    .clientWidth = 10305,
    .clientHeight = 3390,
    .placement = Placement::CentreScreen,
    .controls = {
        timer("Timer1", 600),
        label("Stagetext", twips(360, 360, 2415, 615))
            .caption("Stage 0")
            .withFont(bold(font(Typeface::MSSansSerif, 24)))
            .back(white),
        shape("Shape3", twips(240, 240, 2655, 855), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white),
        label("talking", twips(8520, 120, 1455, 855))
            .caption("Remember the pattern!!")
            .withFont(bold(font(Typeface::MSSansSerif, 12)))
            .back(white),
        image("shake", twips(8640, 1080, 1275, 975)).withPicture("shake").hidden(),
        image("nod", twips(8760, 1080, 1110, 975)).withPicture("nod").hidden(),
        image("pig", twips(8640, 960, 1275, 2400)),
        light(3, 6240, rgb(0, 255, 255)),
        light(2, 4200, rgb(0, 255, 0)),
        light(1, 2160, rgb(255, 255, 0)),
        light(0, 120, rgb(255, 0, 0)),
        image("clipart", twips(4440, 1680, 1500, 1185)).at(2).withPicture("candy"),
        image("clipart", twips(6480, 1560, 1500, 1410)).at(3).withPicture("baby"),
        image("clipart", twips(2400, 1680, 1500, 1230)).at(1).withPicture("heart"),
        image("clipart", twips(360, 1560, 1500, 1500)).at(0).withPicture("cross"),
        tile(0, 120),
        tile(1, 2160),
        tile(2, 4200),
        tile(3, 6240),
        shape("Shape2", twips(8400, 0, 1695, 3375), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white),
    }};

// `pattern` has room for 30 steps and the end marker.
constexpr int kLongestPattern = 30;

}  // namespace

Patternform::Patternform(Program& program) : Form(program, id, kLayout) {
  onTimer(Timer1, [this] { Timer1_Timer(); });
  onClick(clipart, [this](Int16 Index) { clipart_Click(Index); });
}

void Patternform::Form_Load() {
  lesson.begin();
  Randomize();
  stage = 0;
  makepattern(3);
  clickson = False;
  showpos = 0;
  clickpos = 0;
  restnext = False;
  pig.setPicture(form<Starter>().Pigwalk(0));
}

// Every step is lit for one tick and followed by a dark one, so that a button
// that follows itself is seen to go out and light up again.
void Patternform::Timer1_Timer() {
  for (int i = 0; i <= 3; ++i) cover(i).setVisible(false);
  nod.setVisible(false);
  shake.setVisible(false);
  if (restnext == True) {
    restnext = False;
    return;
  }
  restnext = True;
  if (pattern[showpos] == kEndMarker) {
    // showpos stays on the marker, so every second tick asks again.
    clickson = True;
    talking.setCaption("Repeat the pattern pls!");
  } else {
    cover(pattern[showpos]).setVisible(true);
    ++showpos;
    clickson = False;
    talking.setCaption("Remember the pattern!");
  }
}

void Patternform::clipart_Click(Int16 Index) {
  if (clickson != True) return;
  for (int i = 0; i <= 3; ++i) cover(i).setVisible(false);
  cover(Index).setVisible(true);
  if (Index == pattern[clickpos]) {
    talking.setCaption("Right!");
    nod.setVisible(true);
  } else {
    ++misses;
    talking.setCaption("Wrong pattern! " + displayText(lesson.allowance() - misses) + " trys left.");
    shake.setVisible(true);
    // The game ends on the click that uses up the allowance, before this
    // click can complete a stage; closing the window is never a pass.
    if (lesson.allowance() <= misses) {
      if (stage < 4) {
        unload();
      } else {
        lesson.pass(FormId::menu);
      }
      return;
    }
  }
  // A wrong click uses up its step just as a right one does.
  ++clickpos;
  if (pattern[clickpos] == kEndMarker) {
    ++stage;
    restnext = True;
    Stagetext.setCaption("Stage " + displayText(stage));
    makepattern(roundToInt16(15 - lesson.allowance() + stage));
    showpos = 0;
    clickpos = 0;
    clickson = False;
  }
}

void Patternform::Form_Unload(Int16&) { lesson.gameUnloaded(); }

// A child who never clicks wrong reaches stage 27, where the pattern would
// outgrow its array and end the program with an error; from there on every
// pattern keeps the longest length that fits, and the game goes on.
void Patternform::makepattern(Int16 n) {
  const Int16 last = std::min<int>(n, kLongestPattern - 1);
  for (Int16 i = 0; i <= last; ++i) pattern[i] = roundToInt16(Int(Rnd() * 4));
  pattern[last + 1] = kEndMarker;
}

}  // namespace screens
