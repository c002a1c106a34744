// A settings page's save in progress: the worker thread and the one-second timer that polls its
// code. begin() is the start every page's Save shares once its guards have passed; the page's
// timer method calls end() once the code is in, then shows the result.
#pragma once

#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "settings/SaveThread.h"

namespace app {
class ORVABluetoothManagerAppController;
}

namespace settings {

class SaveRun {
  public:
    using Work = std::function<int32_t(const std::atomic<bool>& stop)>;

    // The processing status, the busy flag, the window and the page refreshed (refreshPage), the
    // result field at -1 (setCode), the worker started (its code stored through setCode as its
    // last act) and the timer calling tick every second. False while a save still runs: one
    // device conversation at a time.
    bool begin(app::ORVABluetoothManagerAppController& c, QWidget* owner, const std::function<void()>& refreshPage,
               const std::function<void(int32_t)>& setCode, Work work, const std::function<void()>& tick);
    // The worker has stored its code: the timer stops and the thread is joined.
    void end();
    QTimer* timer() const { return timer_; }
    // Shutdown: a running save is asked to end, then waited for until the deadline.
    void stop();
    bool joinBy(std::chrono::steady_clock::time_point deadline);

  private:
    SaveThread thread_;
    QTimer* timer_ = nullptr;
};

}  // namespace settings
