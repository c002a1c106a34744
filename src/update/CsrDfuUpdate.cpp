// The CSR BlueCore family: identity over BCCMD, the DFU image check, a few PS keys cleared, then
// USB DFU 1.0: detach to firmware-management mode (the run ends there; the user re-plugs and
// starts again), or, with every device already in dfuIDLE, the download in 1023-byte blocks, the
// manifestation wait and the return to normal mode. Up to two devices side by side (0x5310).
//
// Every wait is bounded and ends soon on a stop; every end releases, resets and closes the DFU
// handles still held, so that the next run (or recognition) can claim the headset.
#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>
#include <random>
#include <vector>

#include "app/AppTexts.h"
#include "device/ProductCatalogue.h"
#include "platform/Clock.h"
#include "platform/Log.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/FirmwareFileChecks.h"
#include "transport/HidWaitLimits.h"
#include "transport/UsbDfu.h"
#include "update/CsrDfuUpdate.h"
#include "update/UpdateTexts.h"

namespace update {

namespace {

using T = UpdateTexts;

constexpr uint16_t kVendor = 0x3A6E;
constexpr int32_t kTwoDeviceModel = 0x5310, kNelvar = 0x3020, kReturnsToWait = 0x6440;
constexpr int kBlockSize = 1023;
constexpr int kOpenBudgetCompat = 20, kOpenBudgetNormal = 5;
constexpr int kDownloadBudget = 10;
constexpr int kWaitPasses = 300, kFailureBoxPass = 60, kMaxTaken = 10;
constexpr int kCleanupPasses = 5, kReleasePasses = 10;
constexpr int kBackToNormalPasses = 241, kNelvarBackToNormalPasses = 11, kFirmwareModePasses = 300;
constexpr int64_t kSecond = 1000, kBlockPauseMs = 10, kManifestMs = 50'000, kMaxWaitStepMs = 5000;
constexpr int32_t kMessageSizeSmall = 0, kMessageSizeFailure = 1, kMessageSizeQuestion = 3;
constexpr int32_t kInstructionBox = 1, kNelvarQuestion = 11;
constexpr uint8_t kAppIdle = 0, kAppDetach = 1, kDfuIdle = 2, kDnBusy = 4, kManifest = 7, kDfuError = 10;

// Progress by the number of devices the model presents.
struct Progress {
    int32_t downloadBase, downloadSpan, waitSpan, waitBase, closingAim;
};
constexpr Progress kOneDevice{5, 11, 84, 16, 99}, kTwoDevices{8, 16, 76, 24, 90};

// The models switched into download mode over HID, and the ids they show afterwards.
struct HidSwitch {
    int32_t model, runtimeId, firmwareId;
};
constexpr HidSwitch kHidSwitches[] = {{0x6020, 0x6021, 0xE020}, {0x6022, 0x6023, 0xE022}, {0x6024, 0x6025, 0xE024}};

// Models whose PS keys 0x0298 and 0x0299 are cleared (and 0x02A4 below 3.2) before the download.
constexpr int32_t kPsClearModels[] = {0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5020, 0x5060, 0x5061, 0x5070};

// The model tag's id, by try: the first uses the selected model for these recognized ids; the
// others give the ids whose images also fit.
struct TagAlias {
    int32_t recognized, tag;
};
constexpr int32_t kFirstTryBySelection[] = {0x4D45, 0x4D65, 0x5050};
constexpr TagAlias kSecondTry[] = {{0x4D05, 0x4D35}, {0x4D55, 0x4D35}, {0x4D10, 0x4D30}, {0x4D40, 0x4D30},
                                   {0x4D45, 0x4D15}, {0x4D65, 0x4D15}, {0x4D50, 0x4D20}, {0x5010, 0x5061},
                                   {0x5060, 0x5061}, {0x5020, 0x5070}, {0x5030, 0x5080}, {0x5050, 0x5040}};
constexpr TagAlias kThirdTry[] = {{0x5060, 0x5060}, {0x5010, 0x5060}};

// Models that get no re-plug box after the detach, and no switch-off box at the end.
constexpr int32_t kNoReplugBox[] = {0x3020, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470,
                                    0x6480, 0x6490, 0x6000, 0x6020, 0x6022, 0x6024};
constexpr int32_t kNoSwitchOffBox[] = {0x5310, 0x3010, 0x3020, 0x4120, 0x6000, 0x6020, 0x6022, 0x6024,
                                       0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};

// Known CSR headsets in the wait for firmware-management mode: seen there, a headset is still
// (or again) in normal mode, except those ignored.
constexpr uint16_t kKnownHeadsets[] = {
    0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x3010, 0x3020, 0x4010, 0x4020, 0x4021, 0x4030,
    0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D10, 0x4D15, 0x4D20, 0x4D21, 0x4D30, 0x4D35,
    0x4D40, 0x4D45, 0x4D50, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5010, 0x5011, 0x5020, 0x5030, 0x5040, 0x5050,
    0x5060, 0x5061, 0x5070, 0x5080, 0x5210, 0x5310, 0x6000, 0x6021, 0x6023, 0x6025, 0x6110, 0x6111, 0x6120,
    0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490, 0xB020,
};
static_assert(std::size(kKnownHeadsets) == 62);
constexpr uint16_t kIgnoredInWait[] = {0x3010, 0x4120, 0x5310, 0x6000, 0x6021, 0x6023, 0x6025, 0x6420,
                                       0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};

template <typename Id, size_t N>
bool holds(const Id (&ids)[N], int32_t id) {
    return std::find(std::begin(ids), std::end(ids), static_cast<Id>(id)) != std::end(ids) &&
           id >= 0 && id <= 0xFFFF;
}

template <size_t N>
std::optional<int32_t> alias(const TagAlias (&rows)[N], int32_t recognized) {
    for (const TagAlias& row : rows)
        if (row.recognized == recognized) return row.tag;
    return std::nullopt;
}

__attribute__((format(printf, 1, 2))) std::string tag(const char* format, ...) {
    char text[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::mutex stepSourceLock;
std::function<uint32_t()> stepSource;

struct Slot {
    struct usb_device* device = nullptr;
    usb_dev_handle* handle = nullptr;
    int interface = 0;
    unsigned char status[6] = {};
    bool ready = false;
    int block = 0;    // the next block number
    size_t sent = 0;  // bytes of the image accepted

    uint8_t bStatus() const { return status[0]; }
    uint8_t bState() const { return status[4]; }
    int64_t pollMs() const { return int64_t(status[1]) | int64_t(status[2]) << 8 | int64_t(status[3]) << 16; }
};

enum class Step { next, ended };

class CsrUpdate {
  public:
    explicit CsrUpdate(UpdateRun& run)
        : run_(run),
          twoDevices_(run.deviceTarget == kTwoDeviceModel),
          nelvar_(run.deviceTarget == kNelvar),
          p_(twoDevices_ ? kTwoDevices : kOneDevice) {}

    void go() {
        if (switchOverHid() == Step::ended) return;
        if (openAndIdentify() == Step::ended) return;
        if (checkFile() == Step::ended) return;
        if (backup() == Step::ended) return;
        prepare();
        if (bringToDfuIdle() == Step::ended) return;
        if (download() == Step::ended) return;
        if (manifest() == Step::ended) return;
        if (nelvar_)
            nelvarClosing();
        else
            backToNormalMode();
    }

  private:
    // ---- ends -----------------------------------------------------------------------------------

    // Releases, resets and closes a held handle; libusb 0.1 frees it whatever the results.
    static bool releaseResetClose(Slot& s) {
        if (!s.handle) return true;
        const bool released = usb_release_interface(s.handle, s.interface) >= 0;
        const bool reset = usb_reset(s.handle) >= 0;
        const bool closed = usb_close(s.handle) >= 0;
        s.handle = nullptr;
        return released && reset && closed;
    }

    void releaseAll() {
        for (Slot& s : slots_) releaseResetClose(s);
    }

    bool holdsAny() const {
        return std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.handle != nullptr; });
    }

    Step end(EndEntry entry = EndEntry::plain) {
        releaseAll();
        csr_usb_close_all();
        csr_usb_compat_close();
        endOfWork(run_, entry);
        return Step::ended;
    }

    Step fail(const std::function<std::string(int)>& text, const std::string& where = "") {
        publishFailure(run_, text, where);
        return end();
    }

    Step notRecognized() {
        run_.page.updateRestoreError = kEndNotRecognizedDevice;
        return fail(app::AppTexts::qelm_string_not_recognized_device_in);
    }

    Step stopped() {
        publishFailure(run_, nullptr);
        run_.page.updateRestoreError = kEndFailed;
        return end();
    }

    // The five passes of release, reset and close, one second apart, then the end.
    Step cleanup() {
        for (int pass = 0; pass < kCleanupPasses; ++pass) {
            releaseAll();
            if (!pause(run_, kSecond)) break;
        }
        return end();
    }

    Step failThenCleanup(const std::function<std::string(int)>& text, const std::string& where) {
        publishFailure(run_, text, where);
        return cleanup();
    }

    void openBox(const std::optional<std::string>& text, int32_t size) {
        run_.controller.openMessageBoxWithMessage(text.value_or(""), true, std::nullopt, std::nullopt, size,
                                                  kInstructionBox);
        run_.page.openedMessageBox = true;
        boxShown_ = true;
    }

    void closeBox() {
        if (run_.page.openedMessageBox.load()) run_.controller.closeMessageBox();
        run_.page.openedMessageBox = false;
        boxShown_ = false;
    }

    // ---- step 1: HID switch ---------------------------------------------------------------------

    Step switchOverHid() {
        const HidSwitch* row = nullptr;
        for (const HidSwitch& s : kHidSwitches)
            if (s.model == run_.deviceTarget) row = &s;
        if (!row || run_.controller.usbStatus() >= 0x8000) return Step::next;
        if (!update::openAndIdentify(run_)) return end();
        uint8_t request[kLongRequestSize] = {0x01, 0x0E};
        uint8_t reply[kLongReplySize] = {};
        const int sent = usbhid_command(0, request, reply);
        platform::logf("csr: COMMAND_ENTER_DNLD_MODE: %d", sent);
        usbhid_close_all();
        if (run_.spinner.start) run_.spinner.start();
        const std::pair<int32_t, int64_t> steps[] = {{1, 4 * kSecond}, {2, 3 * kSecond}, {3, 3 * kSecond}};
        bool going = true;
        for (const auto& [progress, ms] : steps) {
            run_.page.updateProcessed = progress;
            going = going && pause(run_, ms);
        }
        if (run_.spinner.stop) run_.spinner.stop();
        return going ? Step::next : stopped();
    }

    // ---- step 2: open and identify over BCCMD ---------------------------------------------------

    // csr_usb_open one second apart while the failures cost less than the budget, ending soon on
    // a stop.
    bool openRetry(uint32_t ids[2], int budget, int mode) {
        for (int spent = 0;;) {
            const int result = csr_usb_open(ids, run_.message, mode);
            if (result <= 0) return result == 0;
            spent += result == 1 ? 1 : 2;
            if (spent >= budget || !pause(run_, kSecond)) return false;
        }
    }

    Step openAndIdentify() {
        uint32_t ids[2] = {};
        if (!openRetry(ids, kOpenBudgetCompat, 1)) return run_.stopped() ? stopped() : notRecognized();
        csr_usb_compat_close();
        ids[0] = ids[1] = 0;
        if (!openRetry(ids, kOpenBudgetNormal, 0)) return run_.stopped() ? stopped() : notRecognized();
        n_ = csr_usb_device_count();
        csr_usb_select_device(0);
        if (twoDevices_) {
            if (n_ >= 3) return notRecognized();
            expected_ = ids[1] >= 0x8000 ? ids[1] : ids[0];
        } else {
            if (n_ != 1) return notRecognized();
            expected_ = ids[0];
        }
        for (const HidSwitch& s : kHidSwitches)
            if (s.model == run_.deviceTarget)
                run_.controller.setUsbStatus(run_.controller.usbStatus() < 0x8000 ? s.runtimeId : s.firmwareId);
        run_.productId = {ids[0], ids[1]};
        if (static_cast<int32_t>(expected_) != run_.controller.usbStatus()) return notRecognized();
        if (!normalMode()) return Step::next;

        const auto& record = run_.record;
        for (int i = 0; i < n_; ++i) {
            // Each device is checked, not the first n times.
            csr_usb_select_device(i);
            int product = csr_read_product_id();
            if (product < 1) product = 0x4D10;
            if (product != record.deviceRecognized()) return notRecognized();
            uint32_t major = 0, minor = 0, type = 0, secondary = 0;
            csr_read_firmware_version(product, &major, &minor, &type, &secondary);
            if (record.compareVersionWithVersionMajor(static_cast<int32_t>(major), static_cast<int32_t>(minor),
                                                      static_cast<int32_t>(type),
                                                      static_cast<int32_t>(secondary)) != 0)
                return notRecognized();
        }
        csr_usb_select_device(0);
        return Step::next;
    }

    bool normalMode() const { return expected_ >= 1 && expected_ <= 0x7FFF; }

    // ---- step 3: the DFU image ------------------------------------------------------------------

    Step checkFile() {
        const int32_t recognized = run_.record.deviceRecognized();
        std::string path = run_.firmwareFile;
        const bool container = recognized == kNelvar;
        if (container) {
            auto staged = splitNelvarContainer(run_);
            if (!staged) return end();
            path = *staged;
        }
        std::vector<int32_t> tries;
        tries.push_back(container ? kNelvar : holds(kFirstTryBySelection, recognized) ? run_.deviceTarget : recognized);
        if (auto second = alias(kSecondTry, recognized)) tries.push_back(*second);
        if (auto third = alias(kThirdTry, recognized)) tries.push_back(*third);

        const std::string name = device::qelm_product_name(recognized, true).value_or("");
        for (int32_t id : tries) {
            const std::string modelTag = name + tag("#%04X", static_cast<unsigned>(id));
            unsigned char* image = nullptr;
            const long length = firmware_check_dfu_file(path.c_str(), &image, run_.message2, modelTag.c_str());
            run_.page.updateProcessed = 1;
            if (length > 0 && image) {
                run_.image.bytes.reset(image);
                run_.image.size = static_cast<size_t>(length);
                return Step::next;
            }
            std::free(image);
        }
        publishFailure(run_,
                       [&](int i) { return T::qelm_string_message(run_.message2, recognized, i).value_or(""); });
        run_.page.updateRestoreError = kEndFirmwareFileFailed;
        return end();
    }

    // ---- step 4: backup -------------------------------------------------------------------------

    Step backup() {
        if (run_.mode != 5) return Step::next;
        if (run_.controller.usbStatus() >= 0x8000) {
            publishStep(run_, T::qelm_string_without_backup_firmware_in);
            return Step::next;
        }
        return makeSettingsBackup(run_) ? Step::next : end();
    }

    // ---- step 5: PS keys and preparation --------------------------------------------------------

    void prepare() {
        run_.page.updateProcessed = 2;
        publishStep(run_, nullptr);
        if (normalMode() && holds(kPsClearModels, run_.deviceTarget)) {
            const uint16_t zeros[2] = {0, 0};
            if (run_.record.compareVersionUpToMinorWithMajor(3, 2) < 0)
                csr_write_pskey(CSR_PSKEY_FIRMWARE_VERSION, zeros, 2);
            csr_write_pskey(0x0298, zeros, 1);
            csr_write_pskey(0x0299, zeros, 1);
        }
        csr_usb_close_all();
        slots_.assign(static_cast<size_t>(n_), Slot{});
        run_.page.updateTimerProcessTime = 0;
        run_.page.updateTimerPercentToProcess = 0;
        run_.page.updateTimerProcessed = 0;
        run_.page.updateRestoreError = kEndFailed;
        if (twoDevices_)
            run_.page.addUpdateProcessed = p_.downloadBase;
        else
            run_.page.updateProcessed = 3;
    }

    // ---- step 6: every device to dfuIDLE --------------------------------------------------------

    // Room for every DFU device on the bus, so that one beyond n is counted.
    int list(struct usb_device** listed) { return dfu_list_devices(0, listed, DFU_MAX_LISTED); }

    Step cannotGetDevice(int found) {
        return fail(T::qelm_string_cannot_get_device_in, tag(" [%d / %d]", found, n_));
    }

    Step bringToDfuIdle() {
        struct usb_device* listed[DFU_MAX_LISTED] = {};
        int found = list(listed);
        if (found != n_) return cannotGetDevice(found);
        for (;;) {
            bool allReady = false;
            if (openListed(listed, allReady) == Step::ended) return Step::ended;
            if (allReady) return Step::next;
            if (detach() == Step::ended) return Step::ended;
            releaseAll();
            if (!holds(kNoReplugBox, run_.deviceTarget) && !run_.page.openedMessageBox.load())
                openBox(run_.controller.getMessageBoxFirstButton(), kMessageSizeSmall);
            run_.page.openedMessageBox = true;

            bool relist = false;
            while (!relist) {
                std::vector<struct usb_device*> taken;
                switch (waitForFirmwareMode(taken)) {
                    case Wait::stopped:
                        return stopped();
                    case Wait::nelvar:
                        run_.page.updateRestoreError = kEndRestartToRecover;
                        return end();
                    case Wait::relist:
                        relist = true;
                        continue;
                    case Wait::done:
                        break;
                }
                if (static_cast<int>(taken.size()) != n_)
                    return failThenCleanup(T::qelm_string_cannot_identify_device_in,
                                           tag(" [%d / %d]", static_cast<int>(taken.size()), n_));
                const Claim claim = useTaken(taken);
                if (claim == Claim::ended) return Step::ended;
                if (claim == Claim::waitAgain) continue;
                if (claim == Claim::relist) {
                    relist = true;
                    continue;
                }
                // Every device waits in dfuIDLE: the download is the next run's.
                run_.page.updateProcessed = p_.downloadBase;
                if (twoDevices_) run_.page.addUpdateProcessed = 0;
                closeBox();
                return cleanup();
            }
            found = list(listed);
            if (found != n_) return cannotGetDevice(found);
        }
    }

    // 6.2 and 6.3: open, claim and ask each listed device for its status.
    Step openListed(struct usb_device** listed, bool& allReady) {
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            s = Slot{};
            s.device = listed[i];
            s.interface = dfu_find_interface(s.device);
            errno = 0;
            s.handle = usb_open(s.device);
            if (!s.handle) return fail(T::qelm_string_cannot_open_device_in, tag(" [%d]", i));
            const int claimed = usb_claim_interface(s.handle, s.interface);
            // libusb 0.1 hands back a handle for a node it could not open; the claim then fails
            // on the missing descriptor.
            if (claimed == -EBADF) return fail(T::qelm_string_cannot_open_device_in, tag(" [%d]", i));
            if (claimed < 0 && !run_.page.openedMessageBox.load())
                return fail(T::qelm_string_cannot_claim_device_in, tag(" [%d]", i));
            if (dfu_get_status(s.handle, s.interface, s.status) < 0)
                return failThenCleanup(T::qelm_string_cannot_get_status_in, tag(" [%d]", i));
            if (s.bState() == kDfuError) {
                if (dfu_clear_status(s.handle, s.interface) < 0)
                    return failThenCleanup(T::qelm_string_cannot_clear_status_in, tag(" [%d]", i));
                if (dfu_abort(s.handle, s.interface) < 0)
                    return failThenCleanup(T::qelm_string_cannot_abort_previous_action_in, tag(" [%d]", i));
                if (dfu_get_status(s.handle, s.interface, s.status) < 0)
                    return failThenCleanup(T::qelm_string_cannot_get_status_in, tag(" 2 [%d]", i));
            }
            s.ready = s.bState() == kDfuIdle;
        }
        allReady = std::all_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.ready; });
        return Step::next;
    }

    // 6.4: detach every device that is not ready.
    Step detach() {
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            if (s.ready) continue;
            if (s.bState() != kAppIdle)
                return failThenCleanup(T::qelm_string_cannot_detach_device_not_idle_in, tag(" [%d]", i));
            detachVendor_ = s.device->descriptor.idVendor;
            if (dfu_detach(s.handle, s.interface) < 0)
                return failThenCleanup(T::qelm_string_cannot_detach_device_in, tag(" [%d]", i));
            if (dfu_get_status(s.handle, s.interface, s.status) < 0)
                return failThenCleanup(T::qelm_string_cannot_get_status_in, tag(" 3 [%d]", i));
            if (s.bState() != kAppDetach)
                return failThenCleanup(T::qelm_string_cannot_detach_device_try_again_in, tag(" [%d]", i));
        }
        return Step::next;
    }

    enum class Wait { done, relist, nelvar, stopped };

    // 6.7: passes of one second until n devices show up in firmware-management mode. Each pass
    // waits its second before it looks, so that the first look comes a second after the reset,
    // once the headset has left the bus. Up to 10 devices are taken, so that one too many is
    // noticed by the count that follows. The passes count over the whole run, so a headset that
    // keeps coming back in normal mode cannot keep the run going for ever.
    Wait waitForFirmwareMode(std::vector<struct usb_device*>& taken) {
        for (;;) {
            if (waitPasses_ >= kWaitPasses) {
                closeBox();
                return Wait::done;
            }
            if (waitPasses_ == kFailureBoxPass && boxShown_) {
                closeBox();
                openBox(run_.controller.getMessageBoxFailureFirstButton(), kMessageSizeFailure);
            }
            ++waitPasses_;
            if (!pause(run_, kSecond)) return Wait::stopped;
            usb_find_busses();
            usb_find_devices();
            taken.clear();
            for (usb_bus* bus = usb_get_busses(); bus; bus = bus->next) {
                for (struct usb_device* dev = bus->devices; dev; dev = dev->next) {
                    const auto& d = dev->descriptor;
                    if (d.idVendor == kVendor && holds(kKnownHeadsets, d.idProduct)) {
                        if ((d.idProduct | 0x8000) == (kNelvar | 0x8000)) return Wait::nelvar;
                        if (holds(kIgnoredInWait, d.idProduct)) continue;
                        // Still, or again, in normal mode: listed and detached again.
                        return Wait::relist;
                    }
                    if (d.bDeviceClass == 0xFE && d.idVendor == detachVendor_ &&
                        static_cast<int>(taken.size()) < kMaxTaken && dfu_find_interface(dev) == 0)
                        taken.push_back(dev);
                }
            }
            if (static_cast<int>(taken.size()) >= n_) return Wait::done;
        }
    }

    enum class Claim { allIdle, waitAgain, relist, ended };

    // 6.9: open each device taken and check that it waits in dfuIDLE.
    Claim useTaken(const std::vector<struct usb_device*>& taken) {
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            s = Slot{};
            s.device = taken[static_cast<size_t>(i)];
            s.interface = 0;
            s.handle = usb_open(s.device);
            const int claimed = s.handle ? usb_claim_interface(s.handle, s.interface) : -EBADF;
            if (!s.handle || claimed == -EBADF) {
                fail(T::qelm_string_cannot_open_device_in, tag(" 2 [%d]", i));
                return Claim::ended;
            }
            if (claimed < 0) {
                const int before = csrClaimRetries().fetch_add(1);
                releaseAll();
                usbhid_close_all();
                if (before >= 2) {
                    csrClaimRetries() = 0;
                    fail(T::qelm_string_cannot_claim_device_in, tag(" T2 [%d]", i));
                    return Claim::ended;
                }
                if (run_.deviceTarget == kReturnsToWait) return Claim::waitAgain;
                closeBox();
                return Claim::relist;
            }
            if (dfu_get_status(s.handle, s.interface, s.status) < 0) {
                failThenCleanup(T::qelm_string_cannot_get_status_in, tag(" 4 [%d]", i));
                return Claim::ended;
            }
            if (s.bState() != kDfuIdle) {
                failThenCleanup(T::qelm_string_cannot_use_device_in, tag(" [%d]", i));
                return Claim::ended;
            }
        }
        return Claim::allIdle;
    }

    // ---- step 7: download -----------------------------------------------------------------------

    Step download() {
        const size_t length = run_.image.size;
        const int64_t busyLimit = transport::busyLimitMs.load();
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            int budget = kDownloadBudget;
            int64_t busy = 0;  // polled while busy before this block
            s.block = 0;
            s.sent = 0;
            while (s.sent < length) {
                if (run_.stopped()) return stopped();
                if (dfu_get_status(s.handle, s.interface, s.status) < 0) {
                    if (budget == 0) return fail(T::qelm_string_cannot_get_status_in, tag(" 5 [%d]", i));
                    --budget;
                    if (!pause(run_, kSecond)) return stopped();
                    continue;
                }
                if (s.bStatus() != 0) {
                    if (budget == 0)
                        return fail(T::qelm_string_aborting_in,
                                    tag(" (status %d & state %d) [%d]", s.bStatus(), s.bState(), i));
                    --budget;
                    dfu_clear_status(s.handle, s.interface);
                    if (!pause(run_, kSecond)) return stopped();
                    // The error reports the block before this one failed: the image would miss it,
                    // so the download starts again from its first block.
                    if (s.block > 0) {
                        platform::logf("csr dfu: block %d failed (status %d); starting again", s.block - 1,
                                       s.bStatus());
                        s.block = 0;
                        s.sent = 0;
                    }
                    continue;
                }
                if (s.bState() == kManifest || s.bState() == kDnBusy) {
                    // Told by the device, bounded by the busy limit; a poll time of 0 counts too.
                    const int64_t wait = std::max<int64_t>(1, std::min(s.pollMs(), busyLimit));
                    if (busy >= busyLimit)
                        return fail(T::qelm_string_cannot_update_next_block_in, tag(" [%d]", i));
                    busy += wait;
                    if (!pause(run_, wait)) return stopped();
                    continue;
                }
                const size_t piece = std::min<size_t>(kBlockSize, length - s.sent);
                const int accepted =
                    dfu_download(s.handle, s.interface, s.block, run_.image.data() + s.sent, static_cast<int>(piece));
                if (accepted < 0) {
                    if (budget == 0) return fail(T::qelm_string_cannot_update_next_block_in, tag(" [%d]", i));
                    --budget;
                    if (!pause(run_, kSecond)) return stopped();
                    continue;
                }
                busy = 0;
                if (!pause(run_, kBlockPauseMs)) return stopped();
                const uint64_t done = uint64_t(kBlockSize) * uint64_t(s.block) + uint64_t(accepted);
                ++s.block;
                s.sent += piece;
                run_.page.updateProcessed = progressOf(i, done, length);
            }
            if (!pause(run_, kSecond)) return stopped();
        }
        run_.page.updateProcessed = p_.waitBase;
        return Step::next;
    }

    int32_t progressOf(int device, uint64_t done, size_t length) const {
        uint64_t value = length ? done * uint64_t(p_.downloadSpan) / length : 0;
        if (n_ < 2) return p_.downloadBase + static_cast<int32_t>(value);
        value /= 2;
        return static_cast<int32_t>(value) + p_.downloadBase + (device == 1 ? p_.downloadSpan / 2 : 0);
    }

    // ---- step 8: manifestation wait and final block ---------------------------------------------

    Step manifest() {
        const int64_t limit = transport::busyLimitMs.load();
        int64_t total = 0;
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            // A device still busy with the last block would take the final block in the wrong
            // state: it is polled after its poll time, as before every block.
            for (int64_t busy = 0;;) {
                if (dfu_get_status(s.handle, s.interface, s.status) < 0)
                    return fail(T::qelm_string_cannot_get_status_in, tag(" 6 [%d]", i));
                if (s.bState() != kDnBusy) break;
                const int64_t wait = std::max<int64_t>(1, std::min(s.pollMs(), limit));
                if (busy >= limit) return fail(T::qelm_string_cannot_send_final_block_in, tag(" [%d]", i));
                busy += wait;
                if (!pause(run_, wait)) return stopped();
            }
            total += s.pollMs();
        }
        // A device may report hours; the wait is cut to the busy limit.
        const int64_t wait = std::min(total, limit);
        std::function<uint32_t()> draw;
        {
            std::lock_guard<std::mutex> g(stepSourceLock);
            draw = stepSource;
        }
        std::minstd_rand seeded(static_cast<uint32_t>(platform::nowMs()));
        if (!draw) draw = [&seeded] { return static_cast<uint32_t>(seeded()); };
        for (int64_t waited = 0; waited < wait;) {
            const int64_t step = std::min<int64_t>(int64_t(draw() % kMaxWaitStepMs) + 1, wait - waited);
            if (!pause(run_, step)) return stopped();
            waited += step;
            run_.page.updateProcessed =
                p_.waitBase + static_cast<int32_t>(waited * p_.waitSpan / (wait + 65'000));
        }
        for (int i = 0; i < n_; ++i) {
            Slot& s = slots_[static_cast<size_t>(i)];
            if (dfu_download(s.handle, s.interface, s.block, nullptr, 0) < 0)
                return fail(T::qelm_string_cannot_send_final_block_in, tag(" [%d]", i));
        }
        const int32_t shown = run_.page.updateProcessed.load();
        run_.page.updateTimerProcessTime = 0;
        run_.page.updateTimerPercentToProcess = p_.closingAim - shown;
        run_.page.updateTimerProcessed = shown;
        if (nelvar_) {
            updateNelvarFirmware(run_);
            run_.controller.clearRestartDFU();
        }
        if (!pause(run_, kManifestMs)) return stopped();
        for (int pass = 0; pass < kReleasePasses; ++pass) {
            releaseAll();
            if (!pause(run_, kSecond)) return stopped();
        }
        return Step::next;
    }

    // ---- step 9: back to normal mode ------------------------------------------------------------

    // Opens the devices of a listing mode and lets them go (after request 7 for those in
    // firmware-management mode); how many there were.
    int touch(int mode, bool request7) {
        usb_dev_handle* handles[DFU_MAX_OPENED] = {};
        const int count = dfu_open_devices(mode, handles, DFU_MAX_OPENED);
        for (int k = 0; k < count; ++k) {
            Slot s;
            s.handle = handles[k];
            if (request7) dfu_request_7(s.handle, 0);
            releaseResetClose(s);
        }
        return count;
    }

    // Request 7 to those in firmware-management mode, then true when n show up in normal mode.
    bool backInNormalMode(int& inNormalMode) {
        touch(2, true);
        inNormalMode = touch(1, false);
        return inNormalMode == n_;
    }

    void backToNormalMode() {
        if (twoDevices_) run_.page.addUpdateProcessed = 99;
        int running = 0, inFirmwareMode = 0;
        for (int pass = 0;; ++pass) {
            inFirmwareMode = touch(2, false);
            if (inFirmwareMode == 0) break;
            running += inFirmwareMode;
            if (twoDevices_ && running > n_ && !run_.page.openedMessageBox.load())
                openBox(run_.controller.getMessageBoxFirstButton(), kMessageSizeSmall);
            // A headset that never leaves firmware-management mode ends the run here.
            if (pass + 1 >= kFirmwareModePasses) {
                fail(T::qelm_string_cannot_use_device_in, tag(" 9 [%d]", inFirmwareMode));
                return;
            }
            if (!pause(run_, kSecond)) {
                stopped();
                return;
            }
        }
        closeBox();
        if (!holds(kNoSwitchOffBox, run_.deviceTarget))
            openBox(run_.controller.getMessageBoxSecondButton(), kMessageSizeSmall);

        int someRun = 0, noneRun = 0;
        for (int pass = 0; pass < kBackToNormalPasses; ++pass) {
            int inNormalMode = 0;
            if (backInNormalMode(inNormalMode)) break;
            if (twoDevices_) {
                someRun = inNormalMode > 0 ? someRun + 1 : 0;
                noneRun = inNormalMode == 0 ? noneRun + 1 : 0;
                if ((someRun > 10 || noneRun >= 11) && !run_.page.openedMessageBox.load())
                    openBox(run_.controller.getMessageBoxSecondButton(), kMessageSizeSmall);
            }
            if (!pause(run_, kSecond)) {
                stopped();
                return;
            }
        }
        closeBox();
        if (!pause(run_, 4 * kSecond)) {
            stopped();
            return;
        }
        if (!twoDevices_) run_.controller.closeMessageBox();
        run_.page.openedMessageBox = false;
        if (!pause(run_, 2 * kSecond)) {
            stopped();
            return;
        }
        run_.page.updateRestoreError = 0;
        markSucceeded(run_);
        if (twoDevices_) pause(run_, kSecond);
        end();
    }

    // The Nelvar headset: its camera part is on the card; the user's answer ends the operation.
    void nelvarClosing() {
        for (int pass = 0; pass < kNelvarBackToNormalPasses; ++pass) {
            int inNormalMode = 0;
            if (backInNormalMode(inNormalMode)) break;
            if (!pause(run_, kSecond)) {
                stopped();
                return;
            }
        }
        const int language = run_.controller.languageManager();
        run_.controller.openMessageBoxWithMessage(run_.controller.getMessageBoxSecondButton().value_or(""), true,
                                                  std::nullopt, app::AppTexts::qelm_string_ok_in(language),
                                                  kMessageSizeQuestion, kNelvarQuestion);
        end(EndEntry::afterFinished);
    }

    UpdateRun& run_;
    const bool twoDevices_, nelvar_;
    const Progress& p_;
    int n_ = 0;
    uint32_t expected_ = 0;
    std::vector<Slot> slots_;
    uint16_t detachVendor_ = 0;
    int waitPasses_ = 0;
    bool boxShown_ = false;
};

}  // namespace

std::atomic<int>& csrClaimRetries() {
    static std::atomic<int> count{0};
    return count;
}

void setCsrWaitStepSource(std::function<uint32_t()> source) {
    std::lock_guard<std::mutex> g(stepSourceLock);
    stepSource = std::move(source);
}

void updateCsrDfu(UpdateRun& run) {
    CsrUpdate update(run);
    update.go();
}

}  // namespace update
