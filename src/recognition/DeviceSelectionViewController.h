// Mode 3, the start page: one home button leads on to recognition with the preselected model.
// When it is the first page of a run it also asks the server which version of the program is
// current and switches to the manager-update page when a newer one is offered.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/ManagerVersionFetch.h"
#include "app/PageProtocols.h"

namespace recognition {

class DeviceSelectionViewController : public app::DeviceSelectionPage {
  public:
    // The buttons of the models the page once offered; they stay hidden and disabled.
    static constexpr size_t kLegacyModelCount = 18;
    struct LegacyModel {
        const char* name;      // the outlet's name without "btn"
        int32_t productId;     // what the button selects
        const char* shortcut;  // its title while the shortcuts are shown
    };
    static const std::array<LegacyModel, kLegacyModelCount> kLegacyModels;
    static constexpr int32_t kDefaultModel = 0x6838;

    DeviceSelectionViewController();
    ~DeviceSelectionViewController() override;

    void initializeObjectOnStartUp(bool startUp) override;
    void setControls() override;
    void setShortcuts() override;
    void targetDeviceSelected(QObject* sender);
    void targetDeviceSet(QObject* sender) override;
    void btnHomeClick(QObject* sender);

    void checkManagerUpdate();
    void threadMethodCheckManagerUpdate(const std::string& baseUrl);
    void timerMethodCheckManagerUpdate();

    int32_t deviceTargetSelected() const { return deviceTargetSelected_; }
    bool goManagerUpdate() const { return goManagerUpdate_; }
    bool threadTerminated() const { return threadTerminated_; }
    // The one-second timer that polls the check's worker (tests call its method instead of waiting).
    bool timerActive() const { return timer_.isActive(); }

    QAbstractButton* btnNext() override { return btnNext_; }
    QPushButton* btnBack() const { return btnBack_; }
    QPushButton* btnHome() const { return btnHome_; }
    QProgressBar* piProcessing() const { return piProcessing_; }
    QPushButton* legacyButton(size_t index) const { return legacyButtons_[index]; }
    QLabel* legacyBackground(size_t index) const { return legacyBackgrounds_[index]; }

    // The check runs once per process; tests start each case afresh.
    static void setManagerCheckStartedForTesting(bool started);

  private:
    int32_t deviceTargetSelected_ = 0;
    std::atomic<bool> goManagerUpdate_{false};
    std::atomic<bool> threadTerminated_{true};

    QPushButton* btnNext_;
    QPushButton* btnBack_;
    QPushButton* btnHome_;
    QIcon homeImage_;
    QProgressBar* piProcessing_;
    std::array<QPushButton*, kLegacyModelCount> legacyButtons_{};
    std::array<QLabel*, kLegacyModelCount> legacyBackgrounds_{};

    // What the worker found, for the timer to hand to the controller on the main thread.
    std::mutex foundMutex_;
    app::ManagerVersionFound found_;
    std::thread worker_;
    QTimer timer_;
};

}  // namespace recognition
