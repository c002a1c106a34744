// The one message box: opened from any thread, its look by warning flag, button titles and size
// code, and what its two buttons do by purpose code.
#include <algorithm>
#include <array>

#include "app/AppImages.h"
#include "app/MainWindow.h"
#include "app/ORVABluetoothManagerAppController.h"
#include "platform/Browser.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/Servers.h"

namespace app {
namespace {

// The very first box of the process is 20 points taller.
std::atomic<bool> firstBoxOpened{false};

// Boxes whose answer something waits for: a worker (14) or a save question (4, 5, 6, 13). A box
// asked for while one of them is open waits its turn instead of replacing it.
bool awaitsAnswer(int32_t forWhat) {
    return forWhat == 14 || forWhat == 4 || forWhat == 5 || forWhat == 6 || forWhat == 13;
}

using Answer = void (*)(ORVABluetoothManagerAppController&);

struct AnswerRow {
    std::array<int32_t, 2> forWhat;  // -1: unused
    Answer ok;
    Answer cancel;
};

void nothing(ORVABluetoothManagerAppController&) {}

const std::array<AnswerRow, 11> kAnswers = {{
    {{{3, 15}}, [](auto& c) { c.setDeviceSelection(); }, nothing},
    {{{4, -1}}, [](auto& c) { c.deviceSettingsViewController()->save(nullptr); },
     [](auto& c) { c.deviceSettingsViewController()->moveToModeToGo(); }},
    {{{5, -1}}, [](auto& c) { c.deviceSettingsSecondViewController()->save(nullptr); },
     [](auto& c) { c.deviceSettingsSecondViewController()->moveToModeToGo(); }},
    {{{6, -1}}, [](auto& c) { c.deviceSettingsSpeedDialViewController()->save(nullptr); },
     [](auto& c) { c.deviceSettingsSpeedDialViewController()->moveToModeToGo(); }},
    {{{7, -1}},
     [](auto& c) {
         c.setRestartToRecover(true);
         c.setModeRestartToRecover(c.mode());
         c.stopManager(c.window() ? c.window()->btnClose : nullptr);
     },
     nothing},
    {{{8, -1}}, [](auto& c) { c.stopManager(c.window() ? c.window()->btnClose : nullptr); }, nothing},
    {{{9, -1}}, nothing, [](auto&) { platform::openURL("mailto:" + std::string(AppTexts::supportEmailAddress())); }},
    {{{10, -1}}, nothing,
     [](auto&) {
         platform::openURL(platform::mainServerBase() +
                           "OrvaBluetoothDeviceManagerHelp/Contents/Resources/English/device_recognition_failure.html");
     }},
    {{{11, -1}},
     [](auto& c) { (c.mode() == 5 ? c.updateViewController() : c.restoreViewController())->endNelvarUpdate(); },
     nothing},
    {{{13, -1}},
     [](auto& c) {
         if (QWidget* sheet = c.deviceSettingsViewController()->sheetDeviceAllSettings()) sheet->hide();
         c.deviceSettingsViewController()->save(nullptr);
     },
     [](auto& c) {
         if (QWidget* sheet = c.deviceSettingsViewController()->sheetDeviceAllSettings()) sheet->hide();
         c.deviceSettingsViewController()->moveToSettingToSetting();
     }},
    {{{14, -1}},
     [](auto& c) {
         c.setSkipRestoreBackupFile(true);
         c.updateViewController()->setOpenedMessageBox(false);
         c.closeMessageBox();
     },
     [](auto& c) {
         c.updateViewController()->setOpenedMessageBox(false);
         c.closeMessageBox();
     }},
}};

const AnswerRow* answerRowFor(int32_t forWhat) {
    for (const AnswerRow& row : kAnswers)
        if (std::ranges::find(row.forWhat, forWhat) != row.forWhat.end()) return &row;
    return nullptr;
}

}  // namespace

ORVABluetoothManagerAppController::BoxSize ORVABluetoothManagerAppController::messageBoxSize(int32_t size) {
    struct Row {
        int32_t code;
        BoxSize size;
    };
    static constexpr Row kSizes[] = {
        {0, {420, 115, 135}}, {1, {420, 135, 155}}, {2, {520, 175, 195}}, {3, {520, 205, 225}},
        {4, {520, 235, 255}}, {6, {520, 265, 285}}, {7, {840, 240, 260}}, {8, {720, 180, 200}},
        {9, {0, 0, 20}},
    };
    for (const Row& r : kSizes)
        if (r.code == size) return r.size;
    return {530, 355, 375};
}

void ORVABluetoothManagerAppController::openMessageBoxWithMessage(const std::string& message, bool warning,
                                                                  const OptString& buttonCancel,
                                                                  const OptString& buttonOK, int32_t withSize,
                                                                  int32_t forWhat) {
    {
        std::lock_guard<std::mutex> lock(messageBoxMutex_);
        if (awaitsAnswer(messageBoxStatus_) || !queuedBoxes_.empty()) {
            queuedBoxes_.push_back({message, warning, buttonCancel, buttonOK, withSize, forWhat});
            return;
        }
        messageBoxStatus_ = forWhat;
    }
    showMessageBoxNow(message, warning, buttonCancel, buttonOK, withSize, forWhat);
}

void ORVABluetoothManagerAppController::showMessageBoxNow(const std::string& message, bool warning,
                                                          const OptString& buttonCancel, const OptString& buttonOK,
                                                          int32_t withSize, int32_t) {
    BoxSize size = messageBoxSize(withSize);
    const int height = firstBoxOpened.exchange(true) ? size.height : size.firstHeight;
    const uint64_t opening = ++boxOpenings_;
    platform::postToMainQueue([this, message, warning, buttonCancel, buttonOK, width = size.width, height, opening] {
        if (!window_) return;
        MainWindow::MessageBoxSheet& box = window_->messageBox();
        box.tfMessageBox->setText(QString::fromStdString(message));
        const char* image = warning ? "caution-icon.png" : "velmar.icns";
        showDrawnImage(box.imgMessageBox, imageResourceFor(image));
        box.tfBackGround->setVisible(warning);
        auto button = [](QPushButton* b, const OptString& title) {
            b->setText(QString::fromStdString(title.value_or("")));
            b->setEnabled(title.has_value());
            // Invisible but keeping its place, as a button with alpha 0.
            QSizePolicy policy = b->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            b->setSizePolicy(policy);
            b->setVisible(title.has_value());
        };
        button(box.btnMessageBoxCancel, buttonCancel);
        button(box.btnMessageBoxOK, buttonOK);
        box.sheetMessageBox->setFixedSize(width, height);
        platform::postToMainQueue([this, opening] {
            // A worker may close the box before this turn of the queue: its close has already run.
            if (!window_ || boxesClosedThrough_ >= opening) return;
            Sheet* sheet = window_->messageBox().sheetMessageBox;
            sheet->open();
            sheet->activateWindow();
            platform::logf("message box %d shown", static_cast<int>(messageBoxStatus_.load()));
        });
    });
}

int32_t ORVABluetoothManagerAppController::closeMessageBox(QObject*) {
    const int32_t status = messageBoxStatus_;
    boxesClosedThrough_ = boxOpenings_.load();
    platform::postToMainQueue([this] {
        if (window_) window_->messageBox().sheetMessageBox->hide();
        {
            std::lock_guard<std::mutex> lock(messageBoxMutex_);
            messageBoxStatus_ = 0;
        }
        platform::logLine("message box closed");
        // After the closes already queued (an answer may close twice), the next waiting box.
        platform::postToMainQueue([this] { showNextQueuedMessageBox(); });
    });
    return status;
}

void ORVABluetoothManagerAppController::closeMessageBoxForQuit() {
    {
        std::lock_guard<std::mutex> lock(messageBoxMutex_);
        messageBoxStatus_ = 0;
        queuedBoxes_.clear();
    }
    boxesClosedThrough_ = boxOpenings_.load();
}

void ORVABluetoothManagerAppController::showNextQueuedMessageBox() {
    BoxRequest next;
    {
        std::lock_guard<std::mutex> lock(messageBoxMutex_);
        if (messageBoxStatus_ != 0 || queuedBoxes_.empty()) return;
        next = std::move(queuedBoxes_.front());
        queuedBoxes_.pop_front();
        messageBoxStatus_ = next.forWhat;
    }
    showMessageBoxNow(next.message, next.warning, next.buttonCancel, next.buttonOK, next.withSize, next.forWhat);
}

void ORVABluetoothManagerAppController::answerMessageBox(bool ok, int32_t forWhat) {
    if (const AnswerRow* row = answerRowFor(forWhat)) (ok ? row->ok : row->cancel)(*this);
}

void ORVABluetoothManagerAppController::messageBoxOK(QObject* sender) { answerMessageBox(true, closeMessageBox(sender)); }

void ORVABluetoothManagerAppController::messageBoxCancel(QObject* sender) {
    answerMessageBox(false, closeMessageBox(sender));
}

void ORVABluetoothManagerAppController::messageBoxEscape() {
    if (!window_) return;
    const MainWindow::MessageBoxSheet& box = window_->messageBox();
    if (box.btnMessageBoxCancel->isEnabled()) return messageBoxCancel(box.btnMessageBoxCancel);
    // Never a question's answer, nor an OK that restarts or goes on: only a box that informs.
    if (const AnswerRow* row = answerRowFor(messageBoxStatus_); row && row->ok != nothing) return;
    if (box.btnMessageBoxOK->isEnabled()) messageBoxOK(box.btnMessageBoxOK);
}

}  // namespace app
