#include "pattern/patternform.h"

namespace screens {

using namespace forms;

namespace {
const FormSpec kLayout{.caption = "patternform", .clientWidth = 3000, .clientHeight = 3000, .controls = {timer("Timer1", 1000)}};
}  // namespace

Patternform::Patternform(Program& program) : Form(program, id, kLayout) {}

}  // namespace screens
