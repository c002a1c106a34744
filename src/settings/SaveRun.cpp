#include "settings/SaveRun.h"

#include "app/ORVABluetoothManagerAppController.h"

namespace settings {

namespace {
constexpr int kSaveTimerIntervalMs = 1000;
constexpr int32_t kSaveRunning = -1;
}  // namespace

bool SaveRun::begin(app::ORVABluetoothManagerAppController& c, QWidget* owner,
                    const std::function<void()>& refreshPage, const std::function<void(int32_t)>& setCode, Work work,
                    const std::function<void()>& tick) {
    if (thread_.running()) return false;
    c.setStatus(c.getStatusProcessing(), false);
    c.setOnProcessing(true);
    c.setControls();
    refreshPage();
    setCode(kSaveRunning);
    thread_.start(std::move(work), setCode);
    if (!timer_) {
        timer_ = new QTimer(owner);
        timer_->setInterval(kSaveTimerIntervalMs);
        QObject::connect(timer_, &QTimer::timeout, owner, tick);
    }
    timer_->start();
    return true;
}

void SaveRun::end() {
    if (timer_) timer_->stop();
    thread_.join();  // the code is its last act
}

void SaveRun::stop() {
    if (thread_.running()) thread_.stop();
}

bool SaveRun::joinBy(std::chrono::steady_clock::time_point deadline) {
    if (timer_) timer_->stop();
    return thread_.joinBy(deadline);
}

}  // namespace settings
