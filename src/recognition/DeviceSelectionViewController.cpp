#include "recognition/DeviceSelectionViewController.h"

#include <QGridLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "app/AppImages.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtText.h"
#include "device/ProductCatalogue.h"
#include "platform/MainQueue.h"
#include "recognition/ManagerVersionCheck.h"

namespace recognition {
namespace {

using app::qs;

// Set by the first check of the process; every later showing of the page skips it.
std::atomic<bool> managerCheckStarted{false};

constexpr int32_t kRetiredModel = 0x4010;
constexpr int32_t kRetiredModelSuccessor = 0x4D10;
constexpr QSize kHomeImageSize(260, 260);

}  // namespace

const std::array<DeviceSelectionViewController::LegacyModel, DeviceSelectionViewController::kLegacyModelCount>
    DeviceSelectionViewController::kLegacyModels = {{
        {"HEMBRIN", 0x4D10, "[O]-A"},
        {"HEMBRINR", 0x4D20, "[O]-B"},
        {"EMVAR", 0x2020, "[O]-C"},
        {"GAVREL", 0x4D05, "[O]-D"},
        {"GAVRELFM", 0x4D15, "[O]-E"},
        {"FASTREL", 0x4020, "[O]-F"},
        {"YARNEL", 0x2010, "[O]-G"},
        {"ELMORA", 0x4030, "[O]-H"},
        {"KIVRA", 0x4010, "[O]-I"},
        {"IVERON", 0x5010, "[O]-J"},
        {"IVERONS", 0x5020, "[O]-K"},
        {"IVERONH", 0x5030, "[O]-L"},
        {"IVERONHFM", 0x5040, "[O]-M"},
        {"HOLLIN", 0x4110, "[O]-N"},
        {"QUENDAL", 0x5210, "[O]-O"},
        {"CORVASH", 0x5310, "[O]-P"},
        {"DASKER", 0x3010, "[O]-Q"},
        {"KORRIN", 0x4120, "[O]-R"},
    }};

DeviceSelectionViewController::DeviceSelectionViewController()
    : btnNext_(new QPushButton(view())),
      btnBack_(new QPushButton(view())),
      btnHome_(new QPushButton(view())),
      piProcessing_(new QProgressBar(view())) {
    // The page shows the home button alone; Next is reached by the keyboard, Back has no road.
    btnNext_->hide();
    btnBack_->hide();
    btnHome_->setFlat(true);
    btnHome_->setIconSize(kHomeImageSize);
    homeImage_ = app::drawnIcon(app::imageResourceFor("velmar_home_mac.png"));
    btnHome_->setFixedSize(kHomeImageSize + QSize(16, 16));
    piProcessing_->setTextVisible(false);
    piProcessing_->setFixedWidth(160);

    auto* legacy = new QGridLayout;
    for (size_t i = 0; i < kLegacyModelCount; ++i) {
        legacyBackgrounds_[i] = new QLabel(view());
        legacyButtons_[i] = new QPushButton(view());
        legacy->addWidget(legacyBackgrounds_[i], static_cast<int>(i / 6), static_cast<int>(i % 6));
        legacy->addWidget(legacyButtons_[i], static_cast<int>(i / 6), static_cast<int>(i % 6));
        QPushButton* b = legacyButtons_[i];
        QObject::connect(b, &QPushButton::clicked, view(), [this, b] { targetDeviceSelected(b); });
    }
    auto* layout = new QVBoxLayout(view());
    layout->addStretch(1);
    layout->addWidget(btnHome_, 0, Qt::AlignCenter);
    layout->addLayout(legacy);
    layout->addStretch(1);
    layout->addWidget(piProcessing_, 0, Qt::AlignCenter);
    QObject::connect(btnHome_, &QPushButton::clicked, view(), [this] { btnHomeClick(btnHome_); });

    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, view(), [this] { timerMethodCheckManagerUpdate(); });
}

DeviceSelectionViewController::~DeviceSelectionViewController() {
    timer_.stop();
    if (worker_.joinable()) worker_.join();
}

void DeviceSelectionViewController::initializeObjectOnStartUp(bool startUp) {
    app::ORVABluetoothManagerAppController& c = *appController();
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    deviceTargetSelected_ = c.deviceTarget();
    c.setTitle();
    if (deviceTargetSelected_ == 0) deviceTargetSelected_ = kDefaultModel;
    setControls();
    if (startUp) checkManagerUpdate();
}

void DeviceSelectionViewController::setControls() {
    app::ORVABluetoothManagerAppController& c = *appController();
    if (deviceTargetSelected_ == kRetiredModel) {
        deviceTargetSelected_ = kRetiredModelSuccessor;
        c.setDeviceTarget(kRetiredModelSuccessor);
    }
    for (size_t i = 0; i < kLegacyModelCount; ++i) {
        for (QWidget* w :
             {static_cast<QWidget*>(legacyButtons_[i]), static_cast<QWidget*>(legacyBackgrounds_[i])}) {
            w->setEnabled(false);
            w->hide();
        }
    }
    btnHome_->setEnabled(true);
    btnHome_->show();
    // The same picture pressed and released.
    btnHome_->setIcon(homeImage_);
    setShortcuts();
    btnBack_->setText(qs(app::AppTexts::qelm_string_back_in(c.languageManager())));
    if (c.onProcessing()) {
        piProcessing_->setRange(0, 0);  // busy
        piProcessing_->setValue(50);
        piProcessing_->show();
    } else {
        piProcessing_->setRange(0, 100);
        piProcessing_->setValue(0);
        piProcessing_->hide();
    }
}

void DeviceSelectionViewController::setShortcuts() {
    const app::ORVABluetoothManagerAppController& c = *appController();
    const bool shortcuts = c.showShortcuts();
    btnNext_->setText(shortcuts ? QString::fromUtf8("[C]-\u25B6")
                                : qs(app::AppTexts::qelm_string_next_in(c.languageManager())));
    for (size_t i = 0; i < kLegacyModelCount; ++i) {
        const LegacyModel& m = kLegacyModels[i];
        legacyButtons_[i]->setText(shortcuts ? QString(m.shortcut)
                                             : qs(device::qelm_product_name(m.productId).value_or(m.name)));
    }
}

void DeviceSelectionViewController::targetDeviceSelected(QObject* sender) {
    deviceTargetSelected_ = kRetiredModelSuccessor;
    for (size_t i = 0; i < kLegacyModelCount; ++i) {
        if (sender == legacyButtons_[i]) deviceTargetSelected_ = kLegacyModels[i].productId;
    }
    setControls();
}

void DeviceSelectionViewController::btnHomeClick(QObject*) { targetDeviceSet(btnNext_); }

void DeviceSelectionViewController::targetDeviceSet(QObject*) {
    appController()->setDeviceTarget(deviceTargetSelected_);
    appController()->setDeviceRecognitionWithStatus(true, nullptr, 0);
}

void DeviceSelectionViewController::checkManagerUpdate() {
    app::ORVABluetoothManagerAppController& c = *appController();
    goManagerUpdate_ = false;
    c.setOnProcessing(true);
    c.setControls();
    setControls();
    if (!managerCheckStarted.exchange(true)) {
        threadTerminated_ = false;
        if (worker_.joinable()) worker_.join();
        // The latest version is 1.0.0 until the list says otherwise.
        c.setManagerLatestVersionMajor(1);
        c.setManagerLatestVersionMinor(0);
        c.setManagerLatestVersionSecondary(0);
        // The check loads the network library, so it begins once the window has painted: from the
        // main queue, as at start the window is not shown yet. The timer tells whether the page is
        // still there by then.
        platform::postToMainQueue([this, alive = QPointer<QTimer>(&timer_)] {
            auto start = [this, alive] {
                if (!alive) return;
                if (worker_.joinable()) worker_.join();
                worker_ = std::thread([this, base = app::ORVABluetoothManagerAppController::serverURL("")] {
                    threadMethodCheckManagerUpdate(base);
                });
            };
            if (!alive) return;
            if (app::MainWindow* window = appController()->window())
                window->afterFirstPaint(start);
            else
                start();
        });
        timer_.start();
        return;
    }
    c.setOnProcessing(false);
    c.setControls();
    setControls();
}

void DeviceSelectionViewController::threadMethodCheckManagerUpdate(const std::string& baseUrl) {
    app::ManagerVersionFound found = checkManagerVersion(baseUrl, platform::CachePolicy::IgnoreAllCaches);
    {
        std::lock_guard<std::mutex> lock(foundMutex_);
        found_ = found;
    }
    goManagerUpdate_ = found.offered;
    threadTerminated_ = true;
}

void DeviceSelectionViewController::timerMethodCheckManagerUpdate() {
    if (!threadTerminated_) return;
    timer_.stop();
    if (worker_.joinable()) worker_.join();
    app::ORVABluetoothManagerAppController& c = *appController();
    {
        // The worker leaves what it found here; the controller's fields are set on this thread.
        std::lock_guard<std::mutex> lock(foundMutex_);
        c.setManagerLatestVersionMajor(found_.major);
        c.setManagerLatestVersionMinor(found_.minor);
        c.setManagerLatestVersionSecondary(found_.secondary);
        if (found_.url) c.setUrlManagerUpdate(found_.url);
    }
    c.setOnProcessing(false);
    c.setControls();
    setControls();
    if (goManagerUpdate_) c.setManagerUpdate();
}

void DeviceSelectionViewController::setManagerCheckStartedForTesting(bool started) {
    managerCheckStarted = started;
}

}  // namespace recognition
