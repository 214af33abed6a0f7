#pragma once

#include <chrono>

namespace desktop {

// Qt's accessibility bridge talks to the desktop's buses on the main thread
// and waits for them with long or no time limits: the session bus, the
// accessibility bus whose address the session bus gives out (or
// AT_SPI_BUS_ADDRESS names), and the accessibility registry on it. Any of
// them frozen at start would keep the game's first window from showing, or
// from answering a click.
//
// Called first thing in main, before any Qt object exists. Asks each of them
// a question every client asks, on a thread of its own, and waits no longer
// than the deadline. If one does not answer in time, Qt is pointed at no
// bus at all: its bridge stays idle and the game plays on without screen
// readers, saying so in one line on stderr. Buses that answer, or that are
// not there, are left to Qt: screen readers work as usual, and one started
// later still finds the game. Returns false if a bus was set aside.
bool guardDesktopBuses(std::chrono::milliseconds deadline);

// Under a limit on the address space, gives new threads small stacks and
// one shared heap, so that the threads Qt and the sound need can start.
// Changes process-wide settings: call it before any thread exists.
void fitThreadsInAddressSpace();

}  // namespace desktop
