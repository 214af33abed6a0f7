#include "worm/hit.h"

namespace screens {

using namespace forms;

namespace {
const FormSpec kLayout{.caption = "hit", .clientWidth = 3000, .clientHeight = 3000, .controls = {timer("Timer1", 1000)}};
}  // namespace

Hit::Hit(Program& program) : Form(program, id, kLayout) {}

}  // namespace screens
