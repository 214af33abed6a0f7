#include "screens.h"

#include "cards/carder.h"
#include "completion/form1.h"
#include "guide/menu.h"
#include "intro/starter.h"
#include "pattern/patternform.h"
#include "worm/hit.h"

namespace screens {

namespace {
template <class F>
void installOne(forms::Program& program) {
  program.install(F::id, [](forms::Program& p) { return std::make_unique<F>(p); });
}
}  // namespace

void installScreens(forms::Program& program) {
  installOne<Menu>(program);
  installOne<Starter>(program);
  installOne<Carder>(program);
  installOne<Patternform>(program);
  installOne<Hit>(program);
  installOne<Form1>(program);
}

}  // namespace screens
