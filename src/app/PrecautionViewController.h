// The precaution page: warns that some of the maker's USB devices can switch off the computer's
// built-in Bluetooth, asks whether the user has only Bluetooth input devices and, if so, for the
// current user's password (kept Triple-DES-encrypted); then runs the manager-version check and
// moves on. No road of the application opens it; it is kept so that it can be wired in.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/DetailViewController.h"
#include "app/ManagerVersionFetch.h"
#include "app/PrecautionTexts.h"

namespace app {

class PrecautionViewController : public DetailViewController, public PrecautionTexts {
  public:
    // fetch: the manager-version check (the selection page's subsystem supplies it).
    explicit PrecautionViewController(ManagerVersionFetch fetch);
    ~PrecautionViewController() override;

    int32_t precautionLanguage() const override;

    void setControls() override;
    void setShortcuts() override;
    // The user has only Bluetooth input devices (the radio's first column).
    bool needDeviceConversion() const;
    void initializeObjectOnStartUp(bool startUp);
    void checkManagerUpdate();
    void threadMethodCheckManagerUpdate(const std::string& baseUrl);
    void timerMethodCheckManagerUpdate();

    void closePrecaution(QObject* sender = nullptr);
    void changeResponse(QObject* sender = nullptr);
    void showAboutConvertDevice(QObject* sender = nullptr);
    void closeAboutConvertDevice(QObject* sender = nullptr);

    // What the page decides, kept here until it is wired into the configuration.
    bool hidePrecaution() const { return hidePrecaution_; }
    void setHidePrecaution(bool hide) { hidePrecaution_ = hide; }
    bool haveAlternativeInputDevices() const { return haveAlternativeInputDevices_; }
    const std::string& strUserPassword() const { return strUserPassword_; }
    const std::string& strUserPasswordEncrypted() const { return strUserPasswordEncrypted_; }

    // The check runs once per process; tests start each case afresh.
    static void setManagerCheckStartedForTesting(bool started);
    // The check's worker has ended, and its one-second timer still polls for it: tests call the
    // timer method once the worker has ended instead of waiting for the timer.
    bool threadTerminated() const { return threadTerminated_; }
    bool timerActive() const { return timer_.isActive(); }

    QCheckBox* btnShowPrecaution() const { return btnShowPrecaution_; }
    QPushButton* btnOK() const { return btnOK_; }
    QProgressBar* piProcessing() const { return piProcessing_; }
    QRadioButton* yesInput() const { return yesInput_; }
    QRadioButton* noInput() const { return noInput_; }
    QLabel* tfPrecaution() const { return tfPrecaution_; }
    QLabel* tfMakeSafe() const { return tfMakeSafe_; }
    QLabel* tfEnterPassword() const { return tfEnterPassword_; }
    QLabel* tfConfirmPassword() const { return tfConfirmPassword_; }
    QLineEdit* tfPassword() const { return tfPassword_; }
    QLineEdit* tfPasswordConfirm() const { return tfPasswordConfirm_; }
    QLabel* tfNote() const { return tfNote_; }
    QPushButton* btnMore() const { return btnMore_; }
    QDialog* sheetAboutDeviceConversion() const { return sheetAboutDeviceConversion_; }
    QLabel* tfAboutDeviceConversionPrecaution() const { return tfAboutDeviceConversionPrecaution_; }
    QLabel* tfAboutDeviceConversionNote() const { return tfAboutDeviceConversionNote_; }
    QPushButton* btnAboutDeviceConversionOK() const { return btnAboutDeviceConversionOK_; }

  private:
    void refresh();
    void showPasswordError(const std::string& message);

    ManagerVersionFetch fetch_;
    QCheckBox* btnShowPrecaution_;
    QPushButton* btnOK_;
    QProgressBar* piProcessing_;
    QButtonGroup* radioInput_;
    QRadioButton* yesInput_;
    QRadioButton* noInput_;
    QLabel* tfPrecaution_;
    QLabel* tfMakeSafe_;
    QLabel* tfEnterPassword_;
    QLabel* tfConfirmPassword_;
    QLineEdit* tfPassword_;
    QLineEdit* tfPasswordConfirm_;
    QLabel* tfNote_;
    QPushButton* btnMore_;
    QDialog* sheetAboutDeviceConversion_;
    QLabel* tfAboutDeviceConversionPrecaution_;
    QLabel* tfAboutDeviceConversionNote_;
    QPushButton* btnAboutDeviceConversionOK_;

    bool hidePrecaution_ = false;
    bool haveAlternativeInputDevices_ = true;
    std::string strUserPassword_;
    std::string strUserPasswordEncrypted_;

    // The version check: the worker writes, the timer polls.
    std::atomic<bool> goManagerUpdate_{false};
    std::atomic<bool> threadTerminated_{true};
    std::mutex foundMutex_;
    ManagerVersionFound found_;
    std::thread worker_;
    QTimer timer_;
};

}  // namespace app
