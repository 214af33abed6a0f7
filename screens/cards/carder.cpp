#include "cards/carder.h"

namespace screens {

using namespace forms;

namespace {
const FormSpec kLayout{.caption = "carder", .clientWidth = 3000, .clientHeight = 3000, .controls = {timer("Timer1", 1000)}};
}  // namespace

Carder::Carder(Program& program) : Form(program, id, kLayout) {}

}  // namespace screens
