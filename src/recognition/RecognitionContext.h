// What the steps of one recognition run share: the controller as the worker sees it, the page's
// result fields, the thread's argument (a restored backup to write back, or none) and the
// worker-local buffers that live from the HID probe to the end. Plain C++: the steps are tested
// against the simulated headset without a window; the recognition page binds this to the real
// application controller.
//
// One run is `threadMethodRecognize` (RecognitionWorker.h). On the HID road it calls, in order:
// identifyHidHeadset, readHidVersions (RecognitionWorker.h), writeRestoredSettingsToHid (only
// with a backup), readHidSettings, then the common FM and speed-dial reads and the end. Every
// other case takes recognizeCsrHeadset. The steps ignore one another's failures, except the one
// named in readHidVersions. The worker itself logs "ASDP v" before the write-back and "ASDPj"
// after it.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>

#include "device/ORVABluetoothDeviceData.h"
#include "platform/KeyedArchive.h"
#include "transport/HidReportChannel.h"

namespace recognition {

using platform::OptString;

constexpr int kLanguages = 13;

// resultThreadRecognize: 0 while the worker runs; written last.
constexpr int32_t kRecognizeRunning = 0;
constexpr int32_t kRecognizeOtherDevice = 1;  // a headset other than the selected one
constexpr int32_t kRecognizeSuccess = 2;
constexpr int32_t kRecognizeFailure = 3;

// Values of the controller flags that the HID identification sets.
constexpr int32_t kFmRadioShow = 3, kFmRadioHide = 4;
constexpr int32_t kMotionSensorShow = 5, kMotionSensorHide = 6;

// The recognition page's fields through which the worker reports. The page's 1.0-second timer
// reads the strings only after it has seen a result above 0, so the worker sets the strings and
// flags first and the result last.
class ThreadRecognizeFields {
  public:
    std::atomic<int32_t> resultThreadRecognize{kRecognizeRunning};
    std::atomic<bool> goFirmwareUpgradeThreadRecognize{false};
    std::atomic<bool> doWarnThreadRecognize{false};
    // YES until the first USB connection of the page has opened the compatibility back end; kept
    // across runs.
    std::atomic<bool> isFirst{true};

    OptString strStatusThreadRecognize(int language) const {
        std::lock_guard<std::mutex> lock(mutex_);
        return inRange(language) ? status_[static_cast<size_t>(language)] : OptString{};
    }
    void setStrStatusThreadRecognize(int language, const OptString& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (inRange(language)) status_[static_cast<size_t>(language)] = text;
    }
    // Entry i := text(i) for the 13 interface languages.
    void setStrStatusThreadRecognizeAll(const std::function<OptString(int language)>& text) {
        for (int i = 0; i < kLanguages; ++i) setStrStatusThreadRecognize(i, text(i));
    }
    // What doRecognize clears before a run (isFirst stays).
    void reset() {
        resultThreadRecognize = kRecognizeRunning;
        goFirmwareUpgradeThreadRecognize = false;
        doWarnThreadRecognize = false;
        std::lock_guard<std::mutex> lock(mutex_);
        status_.fill(OptString{});
    }

  private:
    static bool inRange(int language) { return language >= 0 && language < kLanguages; }
    mutable std::mutex mutex_;
    std::array<OptString, kLanguages> status_{};
};

// The application controller as the worker uses it. The recognition page implements it over
// ORVABluetoothManagerAppController; tests implement it with plain fields.
class RecognitionController {
  public:
    virtual ~RecognitionController() = default;

    // The controller's device record; the worker fills it while the page is processing.
    virtual device::ORVABluetoothDeviceData& data() = 0;
    virtual int32_t mode() const = 0;
    virtual int32_t deviceTarget() const = 0;
    virtual void setDeviceTarget(int32_t productId) = 0;
    // The selected model, its siblings counting (0xE020 stands for 0x6020 and 0x6021).
    virtual bool isDeviceTargetSameAs(int32_t productId) const = 0;
    virtual void setRecognized(bool recognized) = 0;
    virtual int32_t usbStatus() const = 0;
    virtual void setUsbStatus(int32_t usbStatus) = 0;
    virtual void setRestartToRecover(bool restart) = 0;
    virtual void setModeRestartToRecover(int32_t mode) = 0;
    virtual int32_t fmRadioShowAndHide() const = 0;
    virtual void setFmRadioShowAndHide(int32_t value) = 0;
    virtual int32_t motionSensorShowAndHide() const = 0;
    virtual void setMotionSensorShowAndHide(int32_t value) = 0;
    virtual int32_t device50SpeakerType() const = 0;
    virtual void setDevice50SpeakerType(int32_t value) = 0;
    virtual int32_t deviceInfoStatus() const = 0;
    virtual void setDeviceInfoStatus(int32_t value) = 0;
    // The settings-tab list.
    virtual void setTabCount(int32_t count) = 0;
    virtual void setTab(int32_t kind, int32_t At) = 0;
    virtual void setTabIndexSelected(int32_t index) = 0;
    // The controller's class method that derives the tab list of a model.
    virtual void SetTabDataInTabCount(int32_t* tabCount, int32_t* tabs, int32_t* tabIndexSelected, int32_t toDevice,
                                      int32_t withVerMajor, int32_t Minor, int32_t fmRadioShowAndHide) const = 0;
    // The camera's mounted storage, none when it is not mounted.
    virtual OptString getCameraDiskPath() const = 0;
};

// One run of the worker. Made by the page for each doRecognize and owned by the worker thread.
struct RecognitionContext {
    RecognitionContext(RecognitionController& c, ThreadRecognizeFields& p) : controller(c), page(p) {}

    RecognitionController& controller;
    ThreadRecognizeFields& page;

    // Who asked for recognition: 0 the selection page, 5..9 that page, above 100 mode n - 100.
    int32_t callerMode = 0;
    // The thread's argument: a restored settings backup to write into the headset before its
    // settings are read back; none for a plain recognition.
    std::optional<device::ORVABluetoothDeviceData> backup;
    // The page's OEM-variant test of a headset address ("%02X%02X%02X" of its last three bytes);
    // empty answers NO.
    std::function<bool(const std::string& digits)> addPSKeyFERRIKForTamberWollisWith;

    // ---- worker-local state from the probe to the end ------------------------------------------
    // Product id found on USB (0 until found); 0x8000 or more: firmware-management mode.
    uint32_t usbPid = 0;
    // Filled by the open routines ("Device recognized successfully", ...).
    char message[kOpenMessageSize] = {};
    // Format A request and reply, reused from step to step: a step that says it sends "the
    // request as left" relies on what the previous step put here.
    uint8_t request[kLongRequestSize] = {};
    uint8_t reply[kLongReplySize] = {};

    device::ORVABluetoothDeviceData& data() { return controller.data(); }
    int32_t deviceTarget() const { return controller.deviceTarget(); }
    bool addPSKeyFERRIK(const std::string& digits) const {
        return addPSKeyFERRIKForTamberWollisWith && addPSKeyFERRIKForTamberWollisWith(digits);
    }

    // ---- format A block replies (after usbhid_swap_block_words_ext) -----------------------------
    // Words of a block reply: byte 4 holds the count, word i stands at bytes 5 + 2i, 6 + 2i.
    static constexpr int kReplyWordRoom = static_cast<int>((kLongReplySize - 5) / 2);
    // The device's word count, clamped to the reply's room and to the caller's destination.
    int replyWordCount(int destinationWords = kReplyWordRoom) const {
        return std::min({static_cast<int>(reply[4]), kReplyWordRoom, std::max(destinationWords, 0)});
    }
    // Word i in host order; 0 outside the reply.
    uint16_t replyWord(int i) const {
        if (i < 0 || i >= kReplyWordRoom) return 0;
        size_t at = 5 + 2 * static_cast<size_t>(i);
        uint16_t word;
        std::memcpy(&word, reply + at, sizeof word);
        return word;
    }
    void clearRequest() { std::fill(std::begin(request), std::end(request), uint8_t{0}); }
};

// ---- steps that other files fill ---------------------------------------------------------------

// Writes the settings of ctx.backup into the HID headset (only called when there is one).
// In HidSettingsSteps.cpp.
void writeRestoredSettingsToHid(RecognitionContext& ctx);
// Reads the HID headset's address, key refreshes, mesh and two-chip words and its family block
// (ending with the FM read over key 0x15 where the family has one) into ctx.data(). In
// HidSettingsSteps.cpp. The common FM block (key 0x44) and speed dials (keys 0x37-0x39) follow
// in the worker.
void readHidSettings(RecognitionContext& ctx);
// The whole USB road, from the CSR open to its result: it must leave resultThreadRecognize set
// (1, 2 or 3) and the status strings filled; the worker turns a result left at 0 into the
// cannot-open-USB failure. In CsrRoad.cpp.
void recognizeCsrHeadset(RecognitionContext& ctx);

}  // namespace recognition
