#include "guide/menu.h"

#include "intro/starter.h"

namespace screens {

using namespace forms;

namespace {

constexpr Font kLesson = font(Typeface::ComicSansMS, 24);

const FormSpec kLayout{
    .caption = "Tobble Goes to school!",
    .clientWidth = 8970,
    .clientHeight = 5265,
    .background = white,
    .placement = Placement::CentreScreen,
    .controls = {
        textBox("failure", twips(360, 4800, 735, 285)).caption("0").hidden(),
        // A thin raised bar along the foot of the board.
        button("Command1", twips(480, 4320, 6135, 255)).disabled(),
        label("Talking", twips(5880, 480, 2895, 1335))
            .caption("Welcome to the school! Here is the lesson for today! (Click here to continue)")
            .withFont(font(Typeface::ComicSansMS, 12))
            .colours(rgb(128, 128, 255), white),
        shape("talkframe", twips(5640, 360, 3255, 1575), ShapeKind::RoundedRectangle)
            .border(black, 2)
            .fill(FillStyle::Solid, white),
        shape("Shape2", twips(5160, 4080, 855, 255)).border(rgb(128, 64, 0)).fill(FillStyle::Solid, rgb(128, 128, 128)),
        label("Label2", twips(1200, 600, 4695, 735))
            .caption("Today's Lesson")
            .withFont(underlined(italic(bold(kLesson))))
            .colours(system_colour::highlightText, black),
        label("Label1", twips(1200, 3240, 4455, 735))
            .caption("Hit the worm")
            .withFont(kLesson)
            .colours(system_colour::highlightText, black),
        label("Patterns", twips(1200, 2280, 4455, 735))
            .caption("Follow the Patterns")
            .withFont(kLesson)
            .colours(system_colour::highlightText, black),
        label("Card", twips(1200, 1440, 3375, 735))
            .caption("Pick the Cards")
            .withFont(kLesson)
            .colours(system_colour::highlightText, black),
        shape("Shape1", twips(720, 240, 5655, 4095), ShapeKind::RoundedRectangle).fill(FillStyle::Solid, black),
        image("pig", twips(6840, 2280, 1935, 3015)),
    }};

}  // namespace

Menu::Menu(Program& program) : Form(program, id, kLayout) {
  onClick(Talking, [this] { Talking_Click(); });
}

void Menu::Form_Load() { pig.setPicture(form<Starter>().Pigwalk(0)); }

void Menu::Talking_Click() {
  double v = textToNumber(failure.text());
  if (v == -1) {
    unload();
  } else {
    switch (talkstep) {
      case 1:
        Talking.setCaption("To end the class right now, click the X button on top right!");
        break;
      case 2:
        Talking.setCaption("First we will play pick the cards! It's really easy!");
        break;
      case 3:
        Talking.setCaption(
            "All the cards are originally faced down, you will be allowed to open two cards at one turn.");
        break;
      case 4:
        Talking.setCaption(
            "Your goal is to open two cards that matches exactly! :> Easy? Let's do it! You have 15 trys!");
        break;
      case 5:
        handOver("Welcome back!!  It's time for our next lesson - follow the pattern! (Click here to Continue)", 15,
                 FormId::carder);
        break;
      case 6:
        Talking.setCaption("You will have 4 buttons in front of you. They will be lighted one after another.");
        break;
      case 7:
        Talking.setCaption(
            "Remember the pattern and click the buttons in the same pattern again! Win 4 stages and pass!.");
        break;
      case 8:
        handOver("Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)", 12,
                 FormId::patternform);
        break;
      case 9:
        Talking.setCaption(
            "The game is very simple. There will be 9 white space. If you see an apple with a worm, click it!");
        break;
      case 10:
        handOver("You have 10 trys and you must pass up to stage 4! Good luck! :>", 10, FormId::hit);
        break;
      default:
        break;
    }
  }
  // Counted on every click, also once the guide has unloaded itself.
  ++talkstep;
}

// The caption first, so the child who comes back from a passed game finds
// the welcome-back text waiting.
void Menu::handOver(std::string_view caption, Int16 allowance, FormId game) {
  Talking.setCaption(std::string(caption));
  failure.setText(int16Text(allowance));
  hide();
  form(game).show();
}

void Menu::Form_Unload(Int16&) { form(FormId::starter).show(); }

}  // namespace screens
