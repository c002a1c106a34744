#include "recognition/DeviceRecognitionViewController.h"

#include <QHBoxLayout>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cstdio>

#include "app/ORVABluetoothManagerAppController.h"
#include "app/TextFormat.h"
#include "device/ProductCatalogue.h"
#include "platform/Log.h"
#include "recognition/RecognitionWorker.h"
#include "transport/HidReportChannel.h"

namespace recognition {

using app::AppTexts;
using app::ORVABluetoothManagerAppController;

// The controller as the worker sees it. The worker fills its own copy of the device record, which
// the page hands back to the controller on the main thread once the result is in: the window
// may read the controller's record at any time, the worker never touches it.
class DeviceRecognitionViewController::ControllerBridge : public RecognitionController {
  public:
    explicit ControllerBridge(ORVABluetoothManagerAppController& c) : c_(c), record_(c.data()) {}

    device::ORVABluetoothDeviceData& record() { return record_; }

    device::ORVABluetoothDeviceData& data() override { return record_; }
    int32_t mode() const override { return c_.mode(); }
    int32_t deviceTarget() const override { return c_.deviceTarget(); }
    void setDeviceTarget(int32_t v) override { c_.setDeviceTarget(v); }
    bool isDeviceTargetSameAs(int32_t id) const override { return c_.isDeviceTargetSameAs(id); }
    void setRecognized(bool v) override { c_.setRecognized(v); }
    int32_t usbStatus() const override { return c_.usbStatus(); }
    void setUsbStatus(int32_t v) override { c_.setUsbStatus(v); }
    void setRestartToRecover(bool v) override { c_.setRestartToRecover(v); }
    void setModeRestartToRecover(int32_t v) override { c_.setModeRestartToRecover(v); }
    int32_t fmRadioShowAndHide() const override { return c_.fmRadioShowAndHide(); }
    void setFmRadioShowAndHide(int32_t v) override { c_.setFmRadioShowAndHide(v); }
    int32_t motionSensorShowAndHide() const override { return c_.motionSensorShowAndHide(); }
    void setMotionSensorShowAndHide(int32_t v) override { c_.setMotionSensorShowAndHide(v); }
    int32_t device50SpeakerType() const override { return c_.device50SpeakerType(); }
    void setDevice50SpeakerType(int32_t v) override { c_.setDevice50SpeakerType(v); }
    int32_t deviceInfoStatus() const override { return c_.deviceInfoStatus(); }
    void setDeviceInfoStatus(int32_t v) override { c_.setDeviceInfoStatus(v); }
    void setTabCount(int32_t v) override { c_.setTabCount(v); }
    void setTab(int32_t kind, int32_t at) override { c_.setTab(kind, at); }
    void setTabIndexSelected(int32_t v) override { c_.setTabIndexSelected(v); }
    void SetTabDataInTabCount(int32_t* count, int32_t* tabs, int32_t* selected, int32_t toDevice, int32_t major,
                              int32_t minor, int32_t fm) const override {
        ORVABluetoothManagerAppController::SetTabDataInTabCount(count, tabs, selected, toDevice, major, minor, fm);
    }
    OptString getCameraDiskPath() const override { return c_.getCameraDiskPath(); }

  private:
    ORVABluetoothManagerAppController& c_;
    device::ORVABluetoothDeviceData record_;
};

namespace {

constexpr int kTimerIntervalMs = 1000;
constexpr int32_t kUpdatedModelNeedingRestart = 0x5310;
constexpr int32_t kFirmwareManagement = 0x8000;
constexpr int32_t kRestartStatusUsb = 0x4D10;

}  // namespace

DeviceRecognitionViewController::DeviceRecognitionViewController() = default;

void DeviceRecognitionViewController::loadView() {
    tfInstruction_ = new QLineEdit(view());
    tfHIDInstruction_ = new QLineEdit(view());
    tvInstruction_ = new QTextBrowser(view());
    btnNext_ = new QPushButton(view());
    btnBack_ = new QPushButton(view());
    piProcessing_ = new QProgressBar(view());
    btnOrvaProduct_ = new QPushButton(view());
    btnOEMProduct_ = new QPushButton(view());
    timer_ = new QTimer(view());
    auto* column = new QVBoxLayout(view());
    column->addWidget(tfInstruction_);
    column->addWidget(tfHIDInstruction_);
    column->addWidget(tvInstruction_, 1);
    auto* products = new QHBoxLayout;
    products->addWidget(btnOrvaProduct_);
    products->addWidget(btnOEMProduct_);
    column->addLayout(products);
    column->addWidget(piProcessing_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnBack_);
    buttons->addStretch(1);
    buttons->addWidget(btnNext_);
    column->addLayout(buttons);
    piProcessing_->setTextVisible(false);
    tvInstruction_->setOpenExternalLinks(true);  // links open in the system browser

    QObject::connect(btnNext_, &QPushButton::clicked, view(), [this] { recognize(btnNext_); });
    QObject::connect(btnBack_, &QPushButton::clicked, view(), [this] { targetDevice(btnBack_); });
    QObject::connect(btnOrvaProduct_, &QPushButton::clicked, view(), [this] { orvaProductBtn(btnOrvaProduct_); });
    QObject::connect(btnOEMProduct_, &QPushButton::clicked, view(), [this] { oemProductBtn(btnOEMProduct_); });
    timer_->setInterval(kTimerIntervalMs);
    QObject::connect(timer_, &QTimer::timeout, view(), [this] { timerMethodRecognize(); });
}

DeviceRecognitionViewController::~DeviceRecognitionViewController() { joinWorker(); }

int DeviceRecognitionViewController::language() const {
    return appController() ? appController()->languageManager() : 0;
}

void DeviceRecognitionViewController::showStatusInAllLanguages(const std::function<std::string(int)>& text,
                                                               bool warning) {
    ORVABluetoothManagerAppController& c = controller();
    for (int i = 0; i < kLanguages; ++i) c.setStrStatus(text(i), i);
    c.setStatus(c.getStrStatus(), warning);
}

void DeviceRecognitionViewController::initializeObject() {
    loadViewIfNeeded();
    ORVABluetoothManagerAppController& c = controller();
    fields_.isFirst = true;
    repeatCountRecognize_ = 0;
    c.setShowShortcuts(false);
    c.reflectShortcuts();
    if (c.restartToRecover()) {
        int32_t modeRestart = c.modeRestartToRecover();
        showStatusInAllLanguages(
            [&](int i) {
                return app::formatText("%@. %@", {AppTexts::qelm_status_default(4, kRestartStatusUsb, i).value_or(""),
                                                  AppTexts::qelm_string_continue_the_firmware_update_or_restore(
                                                      modeRestart, i)});
            },
            true);
    } else {
        c.setStatus(c.getStrStatus(), false);
    }
    layOutControls();
}

void DeviceRecognitionViewController::layOutControls() {
    for (QLineEdit* field : {tfInstruction_, tfHIDInstruction_}) {
        field->setEnabled(false);
        field->hide();
    }
    for (QPushButton* product : {btnOrvaProduct_, btnOEMProduct_}) {
        product->setEnabled(false);
        product->hide();
    }
    tvInstruction_->setReadOnly(true);
    tvInstruction_->setHtml(autoLinkURLs(stringInstruction()));
}

void DeviceRecognitionViewController::setControls() {
    loadViewIfNeeded();
    setShortcuts();
    layOutControls();
    bool processing = appController() && controller().onProcessing();
    btnNext_->setEnabled(!processing);
    btnBack_->setEnabled(!processing);
    // A range of 0..0 is the busy animation.
    piProcessing_->setRange(0, processing ? 0 : 100);
    piProcessing_->setValue(processing ? 50 : 0);
}

void DeviceRecognitionViewController::setShortcuts() {
    loadViewIfNeeded();
    if (appController() && controller().showShortcuts()) {
        btnNext_->setText(QString::fromUtf8("[C]-\u25B6"));
        btnBack_->setText(QString::fromUtf8("[C]-\u25C0"));
        btnOrvaProduct_->setText("[S][C]-S");
        btnOEMProduct_->setText("[S][C]-O");
        return;
    }
    int l = language();
    btnNext_->setText(QString::fromStdString(AppTexts::qelm_string_next_in(l)));
    btnBack_->setText(QString::fromStdString(AppTexts::qelm_string_back_in(l)));
    btnOrvaProduct_->setText(QString::fromStdString(AppTexts::qelm_string_orva_product_in(l)));
    btnOEMProduct_->setText(QString::fromStdString(AppTexts::qelm_string_oem_product_in(l)));
}

void DeviceRecognitionViewController::recognize(QObject*) { doRecognize(nullptr); }

void DeviceRecognitionViewController::targetDevice(QObject*) { controller().setDeviceSelection(); }

void DeviceRecognitionViewController::orvaProductBtn(QObject*) {
    controller().openMessageBoxWithMessage(stringOrvaProduct(), false, std::nullopt,
                                           AppTexts::qelm_string_ok_in(language()), 7, 2);
}

void DeviceRecognitionViewController::oemProductBtn(QObject*) {
    controller().openMessageBoxWithMessage(stringOEMProduct(), false, std::nullopt,
                                           AppTexts::qelm_string_ok_in(language()), 8, 2);
}

bool DeviceRecognitionViewController::workerRunning() const {
    return worker_.running() && fields_.resultThreadRecognize.load() <= kRecognizeRunning;
}

void DeviceRecognitionViewController::joinWorker() { worker_.join(); }

bool DeviceRecognitionViewController::joinThreadsBy(std::chrono::steady_clock::time_point deadline) {
    if (timer_) timer_->stop();  // none before the view is built
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return worker_.joinWithin(std::max(left, std::chrono::milliseconds(0)));
}

void DeviceRecognitionViewController::doRecognize(const device::ORVABluetoothDeviceData* info) {
    loadViewIfNeeded();
    // One device conversation at a time: the worker owns the USB and HID channels until it ends.
    if (workerRunning()) {
        platform::logLine("recognition already running");
        return;
    }
    joinWorker();
    ORVABluetoothManagerAppController& c = controller();
    c.deleteTampFile();
    c.setStatus(c.getStatusProcessing(), false);
    c.setOnProcessing(true);
    c.setControls();
    setControls();
    usbhid_close_all();
    fields_.reset();

    bridge_ = std::make_unique<ControllerBridge>(c);
    run_ = std::make_unique<RecognitionContext>(*bridge_, fields_);
    run_->callerMode = callerMode_;
    if (info) run_->backup = *info;
    run_->addPSKeyFERRIKForTamberWollisWith = [this](const std::string& digits) {
        return addPSKeyFERRIKForTamberWollisWith(digits);
    };
    RecognitionContext* context = run_.get();
    worker_.start([context] { threadMethodRecognize(*context); });
    timer_->start();
}

void DeviceRecognitionViewController::timerMethodRecognize() {
    int32_t result = fields_.resultThreadRecognize.load();
    if (result <= kRecognizeRunning) return;
    timer_->stop();
    joinWorker();  // it has nothing left to do once the result is set
    ORVABluetoothManagerAppController& c = controller();
    if (bridge_) c.data() = bridge_->record();
    run_.reset();
    bridge_.reset();
    c.setOnProcessing(false);
    c.setControls();
    setControls();
    int l = language();
    switch (result) {
        case kRecognizeFailure: {
            int32_t mode = c.mode(), usb = c.usbStatus();
            auto failure = [&](int i) { return AppTexts::qelm_status_failure(mode, usb, i).value_or(""); };
            auto worker = [&](int i) { return fields_.strStatusThreadRecognize(i).value_or(""); };
            if (c.deviceUpdatedOrRestored() == kUpdatedModelNeedingRestart &&
                c.deviceTarget() != kUpdatedModelNeedingRestart) {
                std::string title = AppTexts::qelm_title("", l);
                c.openMessageBoxWithMessage(stringMessageRestartingManager(title, l), true,
                                            AppTexts::qelm_string_no_in(l), AppTexts::qelm_string_yes_in(l), 2, 8);
                showStatusInAllLanguages([&](int i) { return app::formatText("%@. %@", {failure(i), worker(i)}); },
                                         true);
            } else {
                showStatusInAllLanguages([&](int i) { return app::formatText("%@. %@", {failure(i), worker(i)}) + "[N]"; },
                                         true);
            }
            break;
        }
        case kRecognizeSuccess:
            moveToCaller(fields_.strStatusThreadRecognize(l).value_or(""), fields_.doWarnThreadRecognize.load());
            break;
        case kRecognizeOtherDevice: {
            std::string name = device::qelm_product_name(c.deviceTarget()).value_or("");
            c.openMessageBoxWithMessage(stringMessageDeviceOtherThan(name, l), true, std::nullopt,
                                        AppTexts::qelm_string_ok_in(l), 0, 3);
            break;
        }
        default:
            break;
    }
}

void DeviceRecognitionViewController::moveToCaller(const std::string& status, bool withWarning) {
    ORVABluetoothManagerAppController& c = controller();
    c.setControls();
    bool firmwareManagement = c.usbStatus() >= kFirmwareManagement;
    auto successIn = [&](int32_t mode) {
        int32_t usb = c.usbStatus();
        return [mode, usb](int i) { return AppTexts::qelm_status_success(mode, usb, i).value_or(""); };
    };
    if (callerMode_ >= 101) {
        c.setDetailViewController(callerMode_ - 100);
        if (firmwareManagement) c.setStatus(status, withWarning);
    } else if (callerMode_ == 5 || callerMode_ == 6) {
        if (callerMode_ == 5)
            c.setFirmwareUpdateWithStatus(false);
        else
            c.setFirmwareRestoreWithStatus(false);
        if (firmwareManagement && !c.isRestartDFU())
            c.setStatus(status, withWarning);
        else
            showStatusInAllLanguages(successIn(callerMode_), false);
    } else if (callerMode_ >= 7 && callerMode_ <= 9) {
        if (callerMode_ == 7)
            c.setDeviceSettingsWithStatus(false);
        else if (callerMode_ == 8)
            c.setDeviceSettingsSecondWithStatus(false);
        else
            c.setDeviceSettingsSpeedDialWithStatus(false);
        if (firmwareManagement)
            c.setStatus(status, withWarning);
        else
            showStatusInAllLanguages(successIn(callerMode_), withWarning);
    } else {
        c.setFirmwareUpdateWithStatus(false);
        c.setStatus(status, withWarning);
    }
}

bool DeviceRecognitionViewController::addPSKeyFERRIKForTamberWollisWith(const std::string& digits) const {
    if (!appController() || controller().deviceTarget() != 0x4210) return false;
    unsigned value = 0;
    // The first six characters as hexadecimal, as far as they are digits.
    if (std::sscanf(digits.substr(0, 6).c_str(), "%x", &value) != 1) value = 0;
    return (value >= 0x333D55 && value <= 0x334B7D) || (value >= 0x2E9057 && value <= 0x2E90BA);
}

QString DeviceRecognitionViewController::autoLinkURLs(const std::string& text) {
    static const QRegularExpression link(R"((https?://[^\s<>"]+|www\.[^\s<>"]+|[\w.+-]+@[\w-]+\.[\w.-]+))");
    QString plain = QString::fromStdString(text);
    QString html;
    qsizetype at = 0;
    auto it = link.globalMatch(plain);
    while (it.hasNext()) {
        auto m = it.next();
        html += plain.mid(at, m.capturedStart() - at).toHtmlEscaped();
        QString target = m.captured();
        QString href = target.contains('@') && !target.contains("://") ? "mailto:" + target
                       : target.startsWith("www.")                      ? "http://" + target
                                                                        : target;
        html += "<a href=\"" + href.toHtmlEscaped() + "\">" + target.toHtmlEscaped() + "</a>";
        at = m.capturedEnd();
    }
    html += plain.mid(at).toHtmlEscaped();
    return "<div style=\"white-space: pre-wrap\">" + html + "</div>";
}

}  // namespace recognition
