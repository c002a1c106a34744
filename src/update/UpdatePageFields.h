// The fields that the update and restore page shares with its workers (the list reader and the
// update worker): the workers write them, the page's one-second timer reads them. Plain C++ so
// that the workers are built and tested without a window.
//
// Order of a worker's end: the status strings, updateRestoreError and updateSucceeded first,
// updateFinished last (release); the timer reads updateFinished (acquire) before anything else.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "platform/Files.h"

namespace update {

constexpr int kLanguages = 13;

// Values of `state`.
constexpr int32_t kStateIdle = 0;
constexpr int32_t kStateReadUpdateList = 1;
constexpr int32_t kStateDownloadLatest = 2;
constexpr int32_t kStateUpdating = 3;
constexpr int32_t kStateReadRestoreList = 4;
constexpr int32_t kStateDownloadRestore = 5;
constexpr int32_t kStateRestoring = 6;

// Values of `updateRestoreError` when an operation did not succeed.
constexpr int32_t kEndFailed = 1;
constexpr int32_t kEndNotRecognizedDevice = 2;
constexpr int32_t kEndFirmwareFileFailed = 3;
constexpr int32_t kEndRestartToRecover = 4;

// `updateProcessed` before anything was reported, and its value at a successful end.
constexpr int32_t kNothingReported = -1;
constexpr int32_t kProcessedComplete = 100;

class UpdatePageFields {
  public:
    // Shown percentage: -1 before anything was reported, 0-99 while working, 100 at a successful
    // end. The worker sets phases and the final value; the timer's display rules move it between.
    std::atomic<int32_t> updateProcessed{kNothingReported};
    // The worker has ended. Set last.
    std::atomic<bool> updateFinished{false};
    // The worker's own outcome, set before updateFinished: the timer decides success by this
    // flag, never by updateProcessed, which a display rule may have written in between.
    std::atomic<bool> updateSucceeded{false};
    // The camera update's wait was ended by the user; nothing reads it.
    std::atomic<bool> checkNelvarUpdateComplete{false};
    // Time-estimate rule: ticks counted (0-62), base percentage (or the phase rules' tick
    // counter), span covered in 62 ticks.
    std::atomic<int32_t> updateTimerProcessTime{0};
    std::atomic<int32_t> updateTimerProcessed{0};
    std::atomic<int32_t> updateTimerPercentToProcess{0};
    // The worker's progress target or phase value.
    std::atomic<int32_t> addUpdateProcessed{0};
    // YES while the worker waits for the answer to a message box (the controller clears it), or
    // holds the shown percentage during its final waits.
    std::atomic<bool> openedMessageBox{false};
    // kStateIdle .. kStateRestoring.
    std::atomic<int32_t> state{kStateIdle};
    // kEndFailed .. kEndRestartToRecover when the operation did not succeed.
    std::atomic<int32_t> updateRestoreError{0};
    // The update-page list read found newer firmware than the headset's.
    std::atomic<bool> newUpdateFound{false};
    // Shutdown or leaving: the running worker ends its waits early, closes what it opened and
    // returns.
    std::atomic<bool> stopRequested{false};
    // The largest firmware file or language pack a download takes: the cap the firmware loaders
    // apply to a file. Tests lower it so that an endless body stays cheap.
    std::atomic<size_t> firmwareByteCap{platform::kLargeFileCap};

    // ---- the current status text in each interface language (0-12) ----------------------------
    std::string updateStatus(int language) const {
        std::lock_guard<std::mutex> lock(statusMutex_);
        return inRange(language) ? status_[static_cast<size_t>(language)] : std::string();
    }
    // Replaces the text of one language in place; a language outside 0-12 is ignored.
    void setUpdateStatus(int language, const std::string& text) {
        std::lock_guard<std::mutex> lock(statusMutex_);
        if (inRange(language)) status_[static_cast<size_t>(language)] = text;
    }
    // Entry i := text(i) for the 13 languages, all under one lock, so the timer never publishes
    // a half-replaced set.
    void setUpdateStatusAll(const std::function<std::string(int language)>& text) {
        std::array<std::string, kLanguages> next;
        for (int i = 0; i < kLanguages; ++i) next[static_cast<size_t>(i)] = text(i);
        std::lock_guard<std::mutex> lock(statusMutex_);
        status_ = std::move(next);
    }
    // Entry i := text(i, entry i as it stands), for texts built on the current one.
    void updateStatusAll(const std::function<std::string(int language, const std::string& current)>& text) {
        std::lock_guard<std::mutex> lock(statusMutex_);
        for (int i = 0; i < kLanguages; ++i) {
            auto& entry = status_[static_cast<size_t>(i)];
            entry = text(i, entry);
        }
    }
    std::array<std::string, kLanguages> updateStatusSnapshot() const {
        std::lock_guard<std::mutex> lock(statusMutex_);
        return status_;
    }
    void clearUpdateStatus() {
        std::lock_guard<std::mutex> lock(statusMutex_);
        status_.fill(std::string());
    }

    // ---- one operation's end, as a worker reports it --------------------------------------------
    // The outcome and the code first, the end flag last.
    void finishWith(bool succeeded, int32_t endCode) {
        updateRestoreError.store(endCode, std::memory_order_relaxed);
        updateSucceeded.store(succeeded, std::memory_order_release);
        updateFinished.store(true, std::memory_order_release);
    }
    // What the page clears before a worker starts.
    void resetForRun() {
        updateFinished.store(false);
        updateSucceeded.store(false);
        updateRestoreError.store(0);
        stopRequested.store(false);
    }

  private:
    static bool inRange(int language) { return language >= 0 && language < kLanguages; }
    mutable std::mutex statusMutex_;
    std::array<std::string, kLanguages> status_{};
};

}  // namespace update
