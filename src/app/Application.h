#pragma once
// The life of the process on the user-interface thread: start-up through a
// start-up table, the message loop, shutdown in reverse order, and a restart
// when one was asked for.
//   - A failure during start-up or shutdown releases what was built, is
//     shown in the exception box and ends the process with exit code 1.
//   - A failure that leaves the message loop is fatal: the emergency backup
//     is written first, then the box is shown; shutdown continues as after a
//     normal end; exit code 1.
//   - A normal end of the loop (the quit message) gives exit code 0.
#include "app/StartupTable.h"

namespace App {

// Returns the process exit code. programName is argv[0], passed on to a
// restarted process.
int run(std::span<const StartupRow> table, const char* programName);

}  // namespace App
