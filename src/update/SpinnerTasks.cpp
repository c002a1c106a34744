#include "update/SpinnerTasks.h"

#include "platform/MainQueue.h"

namespace update {

SpinnerTasks spinnerTasks(std::function<void()> startAnimation, std::function<void()> stopAnimation) {
    SpinnerTasks tasks;
    tasks.start = [start = std::move(startAnimation)] { platform::postToMainQueue(start); };
    tasks.stop = [stop = std::move(stopAnimation)] { platform::postToMainQueue(stop); };
    return tasks;
}

}  // namespace update
