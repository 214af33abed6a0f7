#include "cards/carder.h"

#include <vector>

#include "intro/starter.h"

namespace screens {

using namespace forms;

namespace {

constexpr int kCards = 20;
constexpr int kPictures = 10;

// Card i lies in row i / 5 and column i % 5 of the grid, 240 twips in from
// the top-left corner of its tile.
ControlSpec card(int i) {
  const float column = static_cast<float>(i % 5);
  const float row = static_cast<float>(i / 5);
  return image("CardImage", twips(240 + 2040 * column, 240 + 2280 * row, 1500, 1500)).at(i);
}

// The tiles are opaque in the default shape colours; only Shape1(4) names
// its white background, which looks the same.
ControlSpec tile(int i) {
  const float column = static_cast<float>(i % 5);
  const float row = static_cast<float>(i / 5);
  return shape("Shape1", twips(2040 * column, 2280 * row, 1935, 2175), ShapeKind::RoundedRectangle)
      .at(i)
      .opaque(i == 4 ? white : system_colour::window);
}

// Front to back, in twips.
std::vector<ControlSpec> controls() {
  std::vector<ControlSpec> rows{
      timer("Timer1", 2000),
      image("shake", twips(10320, 2040, 1275, 975)).withPicture("shake").hidden(),
      label("talking", twips(10440, 240, 1095, 1575))
          .caption("Get Ready!")
          .withFont(bold(font(Typeface::MSSansSerif, 13.5f)))
          .back(white),
      image("nod", twips(10440, 2040, 1110, 975)).withPicture("nod").hidden(),
      image("pig", twips(10320, 1920, 1275, 2400)),
      // Always empty: copying its picture turns a card face down.
      image("blank", twips(120, 8880, 1500, 1500)),
  };
  for (int i = 0; i < kCards; ++i) rows.push_back(card(i));
  // The ten faces, in picture-number order, each the size of its picture.
  rows.insert(rows.end(), {
      image("clipart", twips(360, 9240, 1500, 1500)).at(0).withPicture("cross").hidden(),
      image("clipart", twips(2160, 9360, 1500, 1230)).at(1).withPicture("heart").hidden(),
      image("clipart", twips(3960, 9480, 1500, 930)).at(2).withPicture("loaf").hidden(),
      image("clipart", twips(8160, 9240, 1380, 1500)).at(3).withPicture("beet").hidden(),
      image("clipart", twips(9120, 9360, 1500, 1185)).at(4).withPicture("candy").hidden(),
      image("clipart", twips(240, 9720, 1500, 1050)).at(5).withPicture("landscape").hidden(),
      image("clipart", twips(1920, 9720, 1500, 975)).at(6).withPicture("cheese").hidden(),
      image("clipart", twips(3840, 9720, 1500, 870)).at(7).withPicture("hat").hidden(),
      image("clipart", twips(5400, 9120, 975, 1500)).at(8).withPicture("bird").hidden(),
      image("clipart", twips(6600, 9240, 1500, 1410)).at(9).withPicture("baby").hidden(),
  });
  for (int i = 0; i < kCards; ++i) rows.push_back(tile(i));
  // The white panel behind Tobble and his remarks.
  rows.push_back(
      shape("Shape2", twips(10200, 0, 1455, 4695), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, white));
  return rows;
}

const FormSpec kLayout{
    .caption = "Pick the Card",
    .clientWidth = 11715,
    .clientHeight = 10290,
    .placement = Placement::CentreScreen,
    .controls = controls(),
};

}  // namespace

Carder::Carder(Program& program) : Form(program, id, kLayout) {
  onClick(CardImage, [this](Int16 Index) { CardImage_Click(Index); });
  onTimer(Timer1, [this] { Timer1_Timer(); });
}

// The cards are dealt face up, so the child sees every face until the first
// tick that finds no turn half done.
void Carder::Form_Load() {
  lesson.begin();
  BoundedArray<Int16, 0, kPictures - 1> drawn;  // all 0
  pig.setPicture(form<Starter>().Pigwalk(0));
  misses = 0;
  clickson = True;
  firstopen = False;
  Randomize();
  drawsInLastDeal = 0;
  for (int i = 0; i < kCards; ++i) {
    // A picture already on two cards is drawn again for the same card, so
    // each card takes any picture still short of its pair with equal chance.
    for (;;) {
      Int16 k = roundToInt16(Int(Rnd() * kPictures));
      ++drawn[k];
      ++drawsInLastDeal;
      if (drawn[k] <= 2) {
        CardImage(i).setPicture(clipart(k));
        cardpic[i] = k;
        break;
      }
    }
  }
}

void Carder::CardImage_Click(Int16 Index) {
  if (clickson != True) return;
  // Also for a card that is up already: a found card can open a turn.
  CardImage(Index).setPicture(clipart(cardpic[Index]));
  if (firstopen == False) {
    firstopen = True;
    firstcard = Index;
  } else {
    if (cardpic[firstcard] != cardpic[Index] || Index == firstcard) {
      shake.setVisible(true);
      ++misses;
      talking.setCaption("Sorry! " + displayText(lesson.allowance() - misses) + " trys left.");
      if (lesson.allowance() <= misses) talking.setCaption("Try again next time!");
    } else {
      matched[firstcard] = True;
      matched[Index] = True;
      nod.setVisible(true);
      talking.setCaption("Right!");
    }
    // The pair stays up for the rest of the timer's period, and clicks stay
    // shut until its tick.
    firstcard = -1;
    clickson = False;
    firstopen = False;
  }
  for (int i = 0; i < kCards; ++i) {
    if (matched[i] != True) return;
  }
  lesson.pass(FormId::menu);
}

void Carder::Timer1_Timer() {
  // A half-done turn keeps every card as it is, the first card up.
  if (firstopen == False) {
    talking.setCaption("Pick A Card!");
    for (int i = 0; i < kCards; ++i) {
      if (matched[i] == False) CardImage(i).setPicture(blank);
    }
  }
  clickson = True;
  shake.setVisible(false);
  nod.setVisible(false);
  // The passed game stays loaded and keeps ticking while the later games
  // hold their own allowances in the guide: it must not judge those.
  if (!lesson.passed() && lesson.allowance() <= misses) unload();
}

void Carder::Form_Unload(Int16&) { lesson.gameUnloaded(); }

}  // namespace screens
