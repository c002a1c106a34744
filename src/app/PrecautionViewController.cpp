#include "app/PrecautionViewController.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/ButtonTitle.h"
#include "app/CipherHelpers.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "app/QtText.h"

namespace app {
namespace {

// Once per process, like the selection page's own check.
std::atomic<bool> managerCheckStarted{false};

QLabel* wrappingLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

std::string encrypted(const std::string& password) {
    char* text = nullptr;
    encrypt_string_3des_base64(password.c_str(), &text);
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

}  // namespace

PrecautionViewController::PrecautionViewController(ManagerVersionFetch fetch)
    : fetch_(std::move(fetch)),
      btnShowPrecaution_(new QCheckBox(view())),
      btnOK_(new QPushButton(view())),
      piProcessing_(new QProgressBar(view())),
      radioInput_(new QButtonGroup(view())),
      yesInput_(new QRadioButton(view())),
      noInput_(new QRadioButton(view())),
      tfPrecaution_(wrappingLabel(view())),
      tfMakeSafe_(wrappingLabel(view())),
      tfEnterPassword_(wrappingLabel(view())),
      tfConfirmPassword_(wrappingLabel(view())),
      tfPassword_(new QLineEdit(view())),
      tfPasswordConfirm_(new QLineEdit(view())),
      tfNote_(wrappingLabel(view())),
      btnMore_(new QPushButton(view())),
      sheetAboutDeviceConversion_(new QDialog(view())),
      tfAboutDeviceConversionPrecaution_(wrappingLabel(sheetAboutDeviceConversion_)),
      tfAboutDeviceConversionNote_(new QLabel(sheetAboutDeviceConversion_)),
      btnAboutDeviceConversionOK_(new QPushButton(sheetAboutDeviceConversion_)) {
    radioInput_->addButton(yesInput_, 0);
    radioInput_->addButton(noInput_, 1);
    noInput_->setChecked(true);  // nothing asked until the user says so
    tfPassword_->setEchoMode(QLineEdit::Password);
    tfPasswordConfirm_->setEchoMode(QLineEdit::Password);
    piProcessing_->setTextVisible(false);
    piProcessing_->setMaximumWidth(120);

    auto* radio = new QHBoxLayout;
    radio->addWidget(yesInput_);
    radio->addWidget(noInput_);
    radio->addStretch(1);
    auto* password = new QGridLayout;
    password->addWidget(tfEnterPassword_, 0, 0);
    password->addWidget(tfPassword_, 0, 1);
    password->addWidget(tfConfirmPassword_, 1, 0);
    password->addWidget(tfPasswordConfirm_, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(btnShowPrecaution_);
    bottom->addStretch(1);
    bottom->addWidget(piProcessing_);
    bottom->addWidget(btnOK_);
    auto* layout = new QVBoxLayout(view());
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(tfPrecaution_);
    layout->addLayout(radio);
    layout->addWidget(tfMakeSafe_);
    layout->addLayout(password);
    auto* note = new QHBoxLayout;
    note->addWidget(tfNote_, 1);
    note->addWidget(btnMore_);
    layout->addLayout(note);
    layout->addStretch(1);
    layout->addLayout(bottom);

    // The about sheet: its note is laid out with its own line breaks and indents.
    sheetAboutDeviceConversion_->setWindowModality(Qt::WindowModal);
    tfAboutDeviceConversionNote_->setTextFormat(Qt::PlainText);
    auto* sheet = new QVBoxLayout(sheetAboutDeviceConversion_);
    sheet->addWidget(tfAboutDeviceConversionPrecaution_);
    sheet->addWidget(tfAboutDeviceConversionNote_);
    sheet->addWidget(btnAboutDeviceConversionOK_, 0, Qt::AlignRight);
    btnAboutDeviceConversionOK_->setDefault(true);

    btnOK_->setShortcut(QKeySequence(Qt::Key_Return));
    btnMore_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    yesInput_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    noInput_->setShortcut(QKeySequence(Qt::ALT | Qt::CTRL | Qt::Key_B));
    QObject::connect(btnOK_, &QPushButton::clicked, view(), [this] { closePrecaution(btnOK_); });
    QObject::connect(btnMore_, &QPushButton::clicked, view(), [this] { showAboutConvertDevice(btnMore_); });
    QObject::connect(radioInput_, &QButtonGroup::idClicked, view(),
                     [this](int) { changeResponse(radioInput_); });
    QObject::connect(btnAboutDeviceConversionOK_, &QPushButton::clicked, view(),
                     [this] { closeAboutConvertDevice(btnAboutDeviceConversionOK_); });

    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, view(), [this] { timerMethodCheckManagerUpdate(); });
}

PrecautionViewController::~PrecautionViewController() {
    timer_.stop();
    if (worker_.joinable()) worker_.join();
}

int32_t PrecautionViewController::precautionLanguage() const { return appController()->languageManager(); }

bool PrecautionViewController::needDeviceConversion() const { return radioInput_->checkedId() == 0; }

void PrecautionViewController::setControls() {
    setShortcuts();
    tfPrecaution_->setText(qs(stringPrecaution()));
    tfMakeSafe_->setText(qs(stringMakeSafe()));
    tfEnterPassword_->setText(qs(stringEnterPassword()));
    tfConfirmPassword_->setText(qs(stringConfirmPassword()));
    tfNote_->setText(qs(stringNote()));
    for (QWidget* w : std::initializer_list<QWidget*>{btnOK_, btnShowPrecaution_, yesInput_, noInput_})
        w->setEnabled(true);
    const bool conversion = needDeviceConversion();
    for (QWidget* w : std::initializer_list<QWidget*>{tfMakeSafe_, tfEnterPassword_, tfConfirmPassword_,
                                                      tfNote_, tfPassword_, tfPasswordConfirm_, btnMore_})
        w->setVisible(conversion);
    for (QWidget* w : std::initializer_list<QWidget*>{tfPassword_, tfPasswordConfirm_, btnMore_})
        w->setEnabled(conversion);
    if (appController()->onProcessing()) {
        piProcessing_->setRange(0, 0);  // busy
        piProcessing_->setValue(50);
        for (QWidget* w : std::initializer_list<QWidget*>{btnOK_, btnShowPrecaution_, yesInput_, noInput_})
            w->setEnabled(false);
        if (conversion) {
            for (QWidget* w : std::initializer_list<QWidget*>{tfPassword_, tfPasswordConfirm_, btnMore_})
                w->setEnabled(false);
        }
    } else {
        piProcessing_->setRange(0, 100);
        piProcessing_->setValue(0);
    }
}

void PrecautionViewController::setShortcuts() {
    const ORVABluetoothManagerAppController& c = *appController();
    if (c.showShortcuts()) {
        setTitleKeepingKey(btnMore_, "[C]-M");
        setTitleKeepingKey(btnOK_, "[ENTER]");
        btnShowPrecaution_->setText("[C]-S");
        setTitleKeepingKey(yesInput_, "[C]-B");
        setTitleKeepingKey(noInput_, "[O][C]-B");
        return;
    }
    const int32_t l = c.languageManager();
    setTitleKeepingKey(btnMore_, qs(stringMore()));
    setTitleKeepingKey(btnOK_, qs(AppTexts::qelm_string_ok_in(l)));
    setTitleKeepingKey(yesInput_, qs(AppTexts::qelm_string_yes_in(l)));
    setTitleKeepingKey(noInput_, qs(AppTexts::qelm_string_no_in(l)));
    btnShowPrecaution_->setText(qs(stringShowPrecaution()));
}

void PrecautionViewController::initializeObjectOnStartUp(bool) { checkManagerUpdate(); }

void PrecautionViewController::refresh() {
    appController()->setControls();
    setControls();
}

void PrecautionViewController::checkManagerUpdate() {
    ORVABluetoothManagerAppController& c = *appController();
    if (managerCheckStarted.exchange(true)) {
        c.setOnProcessing(false);
        refresh();
        c.setDeviceSelection();
        return;
    }
    goManagerUpdate_ = false;
    c.setOnProcessing(true);
    refresh();
    threadTerminated_ = false;
    if (worker_.joinable()) worker_.join();
    c.setManagerLatestVersionMajor(1);
    c.setManagerLatestVersionMinor(0);
    c.setManagerLatestVersionSecondary(0);
    worker_ = std::thread([this, base = ORVABluetoothManagerAppController::serverURL("")] {
        threadMethodCheckManagerUpdate(base);
    });
    timer_.start();
}

void PrecautionViewController::threadMethodCheckManagerUpdate(const std::string& baseUrl) {
    ManagerVersionFound found = fetch_ ? fetch_(baseUrl) : ManagerVersionFound{};
    {
        std::lock_guard<std::mutex> lock(foundMutex_);
        found_ = found;
    }
    goManagerUpdate_ = found.offered;
    threadTerminated_ = true;
}

void PrecautionViewController::timerMethodCheckManagerUpdate() {
    if (!threadTerminated_) return;
    timer_.stop();
    if (worker_.joinable()) worker_.join();
    ORVABluetoothManagerAppController& c = *appController();
    {
        // The worker leaves what it found here; the controller's fields are set on this thread.
        std::lock_guard<std::mutex> lock(foundMutex_);
        c.setManagerLatestVersionMajor(found_.major);
        c.setManagerLatestVersionMinor(found_.minor);
        c.setManagerLatestVersionSecondary(found_.secondary);
        if (found_.url) c.setUrlManagerUpdate(found_.url);
    }
    c.setOnProcessing(false);
    refresh();
    if (goManagerUpdate_)
        c.setManagerUpdate();
    else
        c.setDeviceSelection();
}

void PrecautionViewController::showPasswordError(const std::string& message) {
    appController()->openMessageBoxWithMessage(message, true, std::nullopt,
                                               AppTexts::qelm_string_ok_in(precautionLanguage()), 0, 2);
    tfPassword_->setFocus();
    tfPassword_->selectAll();
}

void PrecautionViewController::closePrecaution(QObject*) {
    if (needDeviceConversion()) {
        const std::string password = tfPassword_->text().toStdString();
        if (password.empty()) {
            showPasswordError(stringErrorMessageEmptyPassword());
            return;
        }
        if (password != tfPasswordConfirm_->text().toStdString()) {
            showPasswordError(stringErrorMessageConfirmPassword());
            return;
        }
        haveAlternativeInputDevices_ = false;
        // The same password again: what is kept stays as it is.
        std::string kept = encrypted(password);
        if (kept != strUserPasswordEncrypted_) {
            strUserPassword_ = password;
            strUserPasswordEncrypted_ = kept;
        }
    } else {
        haveAlternativeInputDevices_ = true;
        strUserPassword_.clear();
    }
    setHidePrecaution(!btnShowPrecaution_->isChecked());
    checkManagerUpdate();
}

void PrecautionViewController::changeResponse(QObject*) {
    setControls();
    tfPassword_->selectAll();
}

void PrecautionViewController::showAboutConvertDevice(QObject*) {
    tfAboutDeviceConversionPrecaution_->setText(qs(stringAboutDeviceConversionPrecaution()));
    tfAboutDeviceConversionNote_->setText(qs(stringAboutDeviceConversionNote()));
    btnAboutDeviceConversionOK_->setText(qs(AppTexts::qelm_string_ok_in(precautionLanguage())));
    sheetAboutDeviceConversion_->open();
    sheetAboutDeviceConversion_->activateWindow();
}

void PrecautionViewController::closeAboutConvertDevice(QObject*) { sheetAboutDeviceConversion_->hide(); }

void PrecautionViewController::setManagerCheckStartedForTesting(bool started) {
    managerCheckStarted = started;
}

}  // namespace app
