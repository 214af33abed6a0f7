#include "completion/form1.h"

namespace screens {

using namespace forms;

namespace {

constexpr Colour kGreen = rgb(0, 128, 0);
constexpr Colour kRed = rgb(255, 0, 0);

const FormSpec kLayout{
    .caption = "You have completed the Game! ",
    .clientWidth = 7935,
    .clientHeight = 7395,
    .background = system_colour::captionText,
    .placement = Placement::Default,
    .controls = {
        label("Label5", twips(840, 6120, 3255, 495)).caption("Made with love by the Tobble school team"),
        label("Label4", twips(840, 5280, 3135, 495))
            .caption("(Click here to continue)")
            .withFont(font(Typeface::MSSansSerif, 13.5f))
            .colours(system_colour::activeCaption, white),
        label("Label3", twips(5640, 3960, 1695, 615))
            .caption("Tobble")
            .withFont(bold(font(Typeface::ComicSansMS, 24)))
            .colours(kGreen, white),
        label("Label2", twips(960, 1680, 6015, 2295))
            .caption("You have completed the lessons in our school with a satisfactory grade!  May God's love be "
                     "with you always! ")
            .withFont(font(Typeface::TimesNewRoman, 24)),
        label("Label1", twips(480, 240, 6855, 1335))
            .caption("Congradulations!!")
            .withFont(bold(font(Typeface::TimesNewRoman, 48)))
            .colours(kGreen, white),
        line("Line1", {6360, 5760}, {6360, 6840}, kRed, 13).at(2),
        line("Line1", {6600, 5760}, {6840, 6840}, kRed, 13).at(1),
        line("Line1", {6120, 5760}, {5880, 6840}, kRed, 13).at(0),
        shape("Shape1", twips(5520, 4800, 1575, 1335), ShapeKind::Circle).fill(FillStyle::Solid, kRed),
    }};

}  // namespace

Form1::Form1(Program& program) : Form(program, id, kLayout) {
  onClick(Label4, [this] { Label4_Click(); });
}

void Form1::Label4_Click() { continueToFarewell(); }

// Closing the window is the same way out as the continue: without it the
// program would go on running with every one of its windows hidden.
void Form1::Form_Unload(Int16&) {
  if (!continuing_) continueToFarewell();
}

void Form1::continueToFarewell() {
  continuing_ = true;
  form(FormId::menu).unload();
  form(FormId::carder).unload();
  form(FormId::patternform).unload();
  form(FormId::hit).unload();
  unload();
  form(FormId::starter).show();
  continuing_ = false;
}

}  // namespace screens
