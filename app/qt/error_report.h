#pragma once

#include <QString>

namespace qtgui {

// The game's one error report: a line on standard error and a message box
// that tells the grown-up what stopped the game. The caller has already
// stopped every timer and ended the program, so nothing runs under the box.
// Where no box can be seen, the line on standard error is the whole report.
void showErrorReport(const QString& message);

}  // namespace qtgui
