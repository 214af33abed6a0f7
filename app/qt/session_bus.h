#pragma once

#include <chrono>

namespace qtgui {

// Qt's accessibility bridge opens the D-Bus session bus on the main thread
// and waits, with no time limit, for a helper thread to finish connecting. A
// bus that accepts and never answers (a stopped daemon), or a helper thread
// that cannot start (a tight memory limit), would keep the game's first
// window from ever showing.
//
// Called first thing in main, before any Qt object exists. Under a limit on
// the address space it gives new threads small stacks, so that Qt's D-Bus
// thread can start. Then it opens the conversation every D-Bus client opens
// with; if the bus does not answer within the deadline, Qt is pointed at no
// bus at all, and the game plays on without screen readers instead of not at
// all. A bus that answers is left alone: screen readers work as usual.
// Returns false if the bus was found silent.
bool guardSessionBus(std::chrono::milliseconds deadline);

}  // namespace qtgui
