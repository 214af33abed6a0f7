#include "intro/starter.h"

namespace screens {

using namespace forms;

namespace {

constexpr Colour kPanel = rgb(255, 255, 192);
constexpr Colour kLilac = rgb(192, 192, 255);
constexpr Colour kGreen = rgb(0, 192, 0);

// Front to back, in twips.
const FormSpec kLayout{
    .caption = "Tobble Goes to school!",
    .clientWidth = 7680,
    .clientHeight = 7335,
    .background = white,
    .placement = Placement::CentreScreen,
    .controls = {
        timer("Timer1", 500),
        button("start", twips(2520, 2400, 2535, 615)).caption("Start").withFont(font(Typeface::MSSansSerif, 24)),
        // The walk frames are a picture store below the client area, stored
        // in the order 0, 2, 3, 1.
        image("Pigwalk", twips(240, 7560, 1275, 2400)).at(0).withPicture("walk frame 0").hidden(),
        image("Pigwalk", twips(2760, 7560, 1275, 2400)).at(2).withPicture("walk frame 2").hidden(),
        image("Pigwalk", twips(4020, 7560, 1275, 2400)).at(3).withPicture("walk frame 3").hidden(),
        image("Pigwalk", twips(1500, 7560, 1275, 2400)).at(1).withPicture("walk frame 1").hidden(),
        image("Pig", twips(7320, 4680, 1275, 2400)),
        shape("Shape1", twips(0, 7080, 7695, 255)).border(kGreen).fill(FillStyle::UpwardDiagonal, kGreen),
        label("Label1", twips(1800, 360, 2775, 1335))
            .caption("Tobble")
            .withFont(bold(font(Typeface::ComicSansMS, 48)))
            .colours(rgb(255, 192, 192), kPanel),
        label("Label2", twips(2400, 1680, 3615, 615))
            .caption("goes to school")
            .withFont(bold(font(Typeface::MSSansSerif, 24)))
            .colours(kLilac, kPanel),
        label("Talking", twips(3000, 3120, 3375, 1335))
            .caption("Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)")
            .withFont(font(Typeface::ComicSansMS, 12))
            .colours(rgb(128, 128, 255), white)
            .hidden(),
        shape("talkframe", twips(2760, 3000, 3855, 1575), ShapeKind::RoundedRectangle)
            .border(black, 2)
            .fill(FillStyle::Solid, white)
            .hidden(),
        shape("Shape2", twips(1440, 0, 4935, 3735), ShapeKind::RoundedRectangle)
            .border(kLilac, 2)
            .fill(FillStyle::Solid, kPanel),
    }};

}  // namespace

std::string_view farewell(int n) {
  switch (n) {
    case 1: return "Remember, God loves you all! :> (Click here again to Exit)";
    case 2: return "Remember, Jesus is your friend every single day! :> (Click here again to Exit)";
    case 3: return "May God give you peace! :> (Click here again to Exit)";
    case 4: return "Remember, Love your neighbour as yourself! :> (Click here again to Exit)";
    case 5: return "Remember, God created all things; including this program! :> (Click here again to Exit)";
    case 6:
      return "Jesus is the light of the world! :> All praise to him and the almighty God! (Click here again to "
             "Exit)";
  }
  raise(ErrorKind::OutOfRange, "farewell " + std::to_string(n));
}

Starter::Starter(Program& program) : Form(program, id, kLayout) {
  onTimer(Timer1, [this] { Timer1_Timer(); });
  onClick(start, [this] { start_Click(); });
  onClick(Talking, [this] { Talking_Click(); });
}

void Starter::Form_Load() {
  talkstep = 1;
  walkframe = 0;
  walkback = 0;
}

// One step of the walk: the frames play 0, 1, 2, 3, 2, 1, ... while Tobble
// moves left until he reaches the middle, then treads on the spot.
void Starter::Timer1_Timer() {
  if (walkframe > 3) {
    walkframe = 2;
    walkback = True;
  } else if (walkframe < 0) {
    walkframe = 1;
    walkback = False;
  }
  float left = Pig.left();
  if (left > 4000) Pig.setLeft(left - 100);
  Pig.setPicture(Pigwalk(walkframe));
  if (walkback == False) {
    ++walkframe;
  } else {
    --walkframe;
  }
}

void Starter::start_Click() {
  start.setVisible(false);
  start.setEnabled(false);
  Talking.setVisible(true);
  talkframe.setVisible(true);
}

void Starter::Talking_Click() {
  switch (talkstep) {
    case 1:
      Talking.setCaption("Where am I going? I am going to my school!  It is a small Christian school!");
      break;
    case 2:
      Talking.setCaption("Yeah! My classes are really fun! We play learn together and play games all day!! :>");
      break;
    case 3:
      Talking.setCaption("OOOOh!!! Got to run!! Or I will be late to class!!");
      break;
    case 4:
      farewellAndDeparture();
      break;
    case 5:
      unload();
      form(FormId::patternform).unload();
      form(FormId::menu).unload();
      form(FormId::carder).unload();
      break;
    default:
      break;
  }
  // Counted after every step, also once this form has unloaded itself.
  ++talkstep;
}

void Starter::farewellAndDeparture() {
  Randomize();
  Int16 n = roundToInt16(Int(Rnd() * 6 + 1));
  Talking.setCaption(std::string(farewell(n)));
  hide();
  form(FormId::menu).show();
}

void Starter::Form_Unload(Int16&) {
  form(FormId::patternform).unload();
  form(FormId::menu).unload();
  form(FormId::carder).unload();
}

}  // namespace screens
