// SIGTERM and SIGINT end the program the normal way: the event loop quits and the termination
// handler runs (configuration written, USB library closed).
#pragma once

namespace app {

// Call once, after the QApplication exists.
void quitEventLoopOnTerminationSignals();

}  // namespace app
