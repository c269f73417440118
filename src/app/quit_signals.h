// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;

namespace app {

// Makes SIGTERM (the session ends) and SIGINT (Ctrl+C in a terminal) call `quit` from the event
// loop, once: the signal handler only writes a byte into a pipe that the event loop watches, so
// no Qt code runs inside it. A second such signal ends the program at once, as it would without
// this; a signal ignored from the start stays ignored. The watch lives as long as `owner`. Call it
// once, from the main thread; where the pipe cannot be made, this is logged and the signals keep
// their default action.
void quitOnTerminationSignals(QObject& owner, std::function<void()> quit);

}  // namespace app
