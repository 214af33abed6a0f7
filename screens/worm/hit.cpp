#include "worm/hit.h"

#include <string_view>
#include <vector>

#include "intro/starter.h"

namespace screens {

using namespace forms;

namespace {

constexpr int kHoles = 16;

// Front to back, in twips. The holes lie over their white tiles, element i
// in column i mod 4 and row i div 4.
std::vector<ControlSpec> rows() {
  std::vector<ControlSpec> rows{
      timer("Timer1", 1000),
      label("stagetext", twips(7560, 5040, 1695, 495))
          .caption("Stage 0")
          .withFont(bold(font(Typeface::MSSansSerif, 18)))
          .back(white),
      shape("Shape3", twips(7440, 4800, 1935, 855), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white),
      label("talking", twips(7560, 480, 1695, 1215))
          .caption("Click on the apple with the worm when it appears!")
          .withFont(bold(font(Typeface::MSSansSerif, 12)))
          .back(white),
      image("shake", twips(7920, 2040, 1275, 975)).withPicture("shake").hidden(),
      image("nod", twips(8040, 2040, 1110, 975)).withPicture("nod").hidden(),
      image("pig", twips(7920, 1920, 1275, 2400)),
      // Picture stores below the client area; the cross is never shown here.
      image("clipart", twips(5520, 6960, 1500, 1500)).at(2).withPicture("cross").hidden(),
      image("blank", twips(240, 6960, 1500, 1410)),
      image("clipart", twips(3840, 6960, 1500, 1410)).at(1).withPicture("baby").hidden(),
      image("clipart", twips(2040, 6960, 1500, 1350)).at(0).withPicture("worm apple").hidden(),
  };
  for (int i = 0; i < kHoles; ++i) {
    const int c = i % 4, r = i / 4;
    const float height = c % 2 == 0 ? 1410 : 1350;
    rows.push_back(image("hitpic", twips(240 + 1800 * c, 240 + 1680 * r, 1500, height)).at(i));
  }
  for (int i = 0; i < kHoles; ++i) {
    const int c = i % 4, r = i / 4;
    rows.push_back(shape("Shape1", twips(120 + 1800 * c, 120 + 1680 * r, 1695, 1575), ShapeKind::RoundedRectangle)
                       .at(i)
                       .fill(FillStyle::Solid, white));
  }
  rows.push_back(
      shape("Shape2", twips(7440, 240, 1935, 4215), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white));
  return rows;
}

const FormSpec kLayout{
    .caption = "Hit the worm!",
    .clientWidth = 9930,
    .clientHeight = 6795,
    .placement = Placement::CentreScreen,
    .controls = rows(),
};

// Each of the four praises comes with the same chance: the draw is over four
// values, so "Perfect hit!!" is not left out.
std::string_view praise(int draw) {
  switch (draw) {
    case 0: return "Great hit!!";
    case 1: return "Wonderful!!";
    case 3: return "Perfect hit!!";
    default: return "Wow!! Nice one!";
  }
}

}  // namespace

Hit::Hit(Program& program) : Form(program, id, kLayout) {
  onTimer(Timer1, [this] { Timer1_Timer(); });
  onClick(hitpic, [this](Int16 Index) { hitpic_Click(Index); });
}

void Hit::Form_Load() {
  lesson.begin();
  Randomize();
  pig.setPicture(form<Starter>().Pigwalk(0));
  misses = 0;
  restnext = False;
  stage = 0;
  shownpic = -1;
}

// Every tick empties the holes first, so a picture stays for one interval
// and is followed by an interval with every hole empty.
void Hit::Timer1_Timer() {
  nod.setVisible(false);
  shake.setVisible(false);
  for (clearpos = 0; clearpos <= 15; ++clearpos) hitpic(clearpos).setPicture(blank);
  if (restnext == True) {
    shownpic = -1;
    restnext = False;
  } else {
    restnext = True;
    // The picture and the hole each take their own draw, so that the apple
    // and the baby can come up in any hole.
    shownpic = roundToInt16(Int(Rnd() * 2));
    hole = static_cast<float>(Int(Rnd() * 16));
    hitpic(roundToInt16(hole)).setPicture(clipart(shownpic));
  }
}

void Hit::hitpic_Click(Int16 Index) {
  if (Index == hole && shownpic == 0) {
    talking.setCaption(std::string(praise(roundToInt16(Int(Rnd() * 4)))));
    ++hits;
    nod.setVisible(true);
    if (hits > 4) {
      ++stage;
      stagetext.setCaption("Stage " + displayText(stage));
      // Below 100 ms the interval halves, down to 0, where the ticks stop.
      if (Timer1.interval() > 100) {
        Timer1.setInterval(Timer1.interval() - 100);
      } else {
        Timer1.setInterval(static_cast<int>(Int(Timer1.interval() / 2.0)));
      }
      hits = 0;
    }
  } else {
    ++misses;
    talking.setCaption("Missed!! You have " + displayText(lesson.allowance() - misses) + " left.");
    if (lesson.allowance() <= misses) {
      // Only the miss that uses up the allowance ends the game; the stages
      // reached by then decide between failed and passed.
      if (stage < 4) {
        unload();
      } else {
        lesson.pass(FormId::Form1);
      }
      return;
    }
    shake.setVisible(true);
  }
}

void Hit::Form_Unload(Int16&) { lesson.gameUnloaded(); }

}  // namespace screens
