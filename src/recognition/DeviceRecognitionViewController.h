// Mode 4: the recognition page. Next starts the recognition worker on its own thread with a
// 1.0-second timer that polls the worker's result; the page then reports the failure, warns about
// another device than the selected one, or hands over to the page that asked for recognition.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <memory>
#include <string>

#include "app/PageProtocols.h"
#include "platform/WorkerThread.h"
#include "recognition/DeviceRecognitionTexts.h"
#include "recognition/RecognitionContext.h"

namespace app {
class ORVABluetoothManagerAppController;
}

namespace recognition {

class DeviceRecognitionViewController : public app::DeviceRecognitionPage, public DeviceRecognitionTexts {
  public:
    DeviceRecognitionViewController();
    ~DeviceRecognitionViewController() override;

    // ---- page protocol ------------------------------------------------------------------------
    void setCallerMode(int32_t callerMode) override { callerMode_ = callerMode; }
    int32_t callerMode() const override { return callerMode_; }
    void initializeObject() override;
    void setControls() override;
    void setShortcuts() override;
    // The recognition's waits are bounded: the shutdown only waits for it.
    bool joinThreadsBy(std::chrono::steady_clock::time_point deadline) override;
    // The only start of a recognition; info is a restored backup to write into the headset, or
    // none. Refused while a recognition runs.
    void doRecognize(const device::ORVABluetoothDeviceData* info) override;
    void recognize(QObject* sender) override;
    void targetDevice(QObject* sender) override;
    void orvaProductBtn(QObject* sender);
    void oemProductBtn(QObject* sender);
    QAbstractButton* btnNext() override { return loaded(btnNext_); }
    QAbstractButton* btnBack() override { return loaded(btnBack_); }

    // The worker's result, acted on by the timer every second.
    void timerMethodRecognize();
    void moveToCaller(const std::string& status, bool withWarning);

    // The page's OEM-variant test of a headset's last six address digits (model 0x4210 only).
    bool addPSKeyFERRIKForTamberWollisWith(const std::string& digits) const;

    // Texts in the controller's language (the class's texts of any language stay callable).
    using DeviceRecognitionTexts::stringInstruction;
    using DeviceRecognitionTexts::stringOEMProduct;
    using DeviceRecognitionTexts::stringOrvaProduct;
    std::string stringInstruction() const { return DeviceRecognitionTexts::stringInstruction(language()); }
    std::string stringOrvaProduct() const { return DeviceRecognitionTexts::stringOrvaProduct(language()); }
    std::string stringOEMProduct() const { return DeviceRecognitionTexts::stringOEMProduct(language()); }
    // A copy of the text with every address it holds made a link.
    static QString autoLinkURLs(const std::string& text);

    // The worker's fields (for the timer and for tests).
    const ThreadRecognizeFields& threadFields() const { return fields_; }
    bool workerRunning() const;
    int32_t repeatCountRecognize() const { return repeatCountRecognize_; }
    QTextBrowser* tvInstruction() const { return loaded(tvInstruction_); }
    QProgressBar* piProcessing() const { return loaded(piProcessing_); }
    QPushButton* btnOrvaProduct() const { return loaded(btnOrvaProduct_); }
    QPushButton* btnOEMProduct() const { return loaded(btnOEMProduct_); }
    QTimer* timer() const { return loaded(timer_); }

  protected:
    void loadView() override;

  private:
    class ControllerBridge;

    app::ORVABluetoothManagerAppController& controller() const { return *appController(); }
    int language() const;
    void layOutControls();
    void joinWorker();
    void showStatusInAllLanguages(const std::function<std::string(int language)>& text, bool warning);

    int32_t callerMode_ = 0;
    int32_t repeatCountRecognize_ = 0;
    QLineEdit* tfInstruction_ = nullptr;
    QLineEdit* tfHIDInstruction_ = nullptr;
    QTextBrowser* tvInstruction_ = nullptr;
    QPushButton* btnNext_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QProgressBar* piProcessing_ = nullptr;
    QPushButton* btnOrvaProduct_ = nullptr;
    QPushButton* btnOEMProduct_ = nullptr;
    // The polling timer of the running recognition; a second optional timer that no road starts
    // is not kept.
    QTimer* timer_ = nullptr;

    ThreadRecognizeFields fields_;
    std::unique_ptr<ControllerBridge> bridge_;
    std::unique_ptr<RecognitionContext> run_;
    platform::WorkerThread worker_;
};

}  // namespace recognition
