// The update worker's two spinner tasks: posted to the main queue from the worker's thread, they
// start or stop the page's circular spinner on the main thread, in the order posted (a stop never
// overtakes its start). The worker never waits for them.
#pragma once

#include <functional>

#include "update/UpdateWorker.h"

namespace update {

// Tasks that post `startAnimation` and `stopAnimation` (run on the main thread) to the main queue.
SpinnerTasks spinnerTasks(std::function<void()> startAnimation, std::function<void()> stopAnimation);

}  // namespace update
