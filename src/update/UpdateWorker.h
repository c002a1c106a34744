// The update worker: one run of `threadMethodUpdate` writes firmware into the connected headset
// through the family of its model and reports through the page's fields (UpdatePageFields). Plain
// C++: the page binds the controller interface below to the application controller; tests bind it
// to plain fields. Runs on its own thread; blocking I/O only here.
//
// One run: prologue, the dispatch on the model code (a table, first match wins), the family.
// Every family ends through one of the three entries of the end of work; the page's success
// flag and `updateFinished` are written last.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/ORVABluetoothDeviceData.h"
#include "transport/HidReportChannel.h"
#include "update/UpdatePageFields.h"

namespace update {

// The page's spinner tasks, posted to the main queue; the worker never waits for them.
struct SpinnerTasks {
    std::function<void()> start;
    std::function<void()> stop;
};

// The application controller as the worker uses it (callable from the worker's thread).
class UpdateWorkerController {
  public:
    virtual ~UpdateWorkerController() = default;
    virtual int32_t deviceTarget() const = 0;
    virtual int32_t mode() const = 0;
    virtual int32_t usbStatus() const = 0;
    virtual int32_t languageManager() const = 0;
    virtual bool skipRestoreBackupFile() const = 0;
    virtual void setSkipRestoreBackupFile(bool skip) = 0;
    virtual std::string getMessageBoxFileCreationFailed() const = 0;
    virtual void openMessageBoxWithMessage(const std::string& message, bool warning,
                                           const std::optional<std::string>& buttonCancel,
                                           const std::optional<std::string>& buttonOK, int32_t withSize,
                                           int32_t forWhat) = 0;
    virtual int32_t closeMessageBox() = 0;
    // What the CSR family alone uses (other families' controllers need not answer): it stores
    // the id the headset shows, tells the user what to do while the headset restarts, finds the
    // camera's card, and clears the resume record after a write that must not be resumed.
    virtual void setUsbStatus(int32_t) {}
    virtual std::optional<std::string> getMessageBoxFirstButton() const { return std::nullopt; }
    virtual std::optional<std::string> getMessageBoxFailureFirstButton() const { return std::nullopt; }
    virtual std::optional<std::string> getMessageBoxSecondButton() const { return std::nullopt; }
    virtual std::optional<std::string> getCameraDiskPath() const { return std::nullopt; }
    virtual void clearRestartDFU() {}
};

// Opens the headset into HID slot 0: 0 with the product id and the message set, else negative.
using HeadsetOpener = int (*)(uint32_t* pid, char* message);

// A loaded firmware image, released at the end of work (or earlier by a family).
struct FirmwareImage {
    struct Free {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    std::unique_ptr<unsigned char, Free> bytes;
    size_t size = 0;

    const unsigned char* data() const { return bytes.get(); }
    explicit operator bool() const { return bytes != nullptr; }
    void reset() {
        bytes.reset();
        size = 0;
    }
};

// One run of the worker. The page fills the inputs on the main thread before it starts the
// thread: widgets and the controller's record are the main thread's.
struct UpdateRun {
    UpdateRun(UpdateWorkerController& c, UpdatePageFields& p) : controller(c), page(p) {}

    UpdateWorkerController& controller;
    // The page's worker/timer fields; its stopRequested (the shutdown road) ends every wait soon
    // and the run with code 1.
    UpdatePageFields& page;
    SpinnerTasks spinner;

    // ---- inputs ----------------------------------------------------------------------------------
    std::string firmwareFile;                   // the path in tfFirmwareFile
    std::vector<std::string> languageFirmware;  // the language pop-up's items (English names)
    int32_t languageFirmwareSelected = -1;      // its selected index, -1 for none
    // The controller's firmware language (an English name), copied: the unit-language models
    // write it into the headset.
    std::optional<std::string> strLanguageFirmware;
    device::ORVABluetoothDeviceData record;     // a copy of the controller's device record
    std::string archiveFolder;                  // where backups are written
    HeadsetOpener openHeadset = usbhid_open_headset;
    // Opens a two-chip headset's second chip into slot 1 (given the product id in slot 0).
    HeadsetOpener openSecondChip = usbhid_open_second_chip;
    // The family that writes the firmware; empty: the one the dispatch table names (tests put
    // their own).
    std::function<void(UpdateRun&)> family;

    // ---- working state ------------------------------------------------------------------------
    int32_t deviceTarget = 0;  // read once in the prologue
    int32_t mode = 0;
    char message[kOpenMessageSize] = {};
    char message2[kOpenMessageSize] = {};
    FirmwareImage image;
    std::vector<uint8_t> saveFileOTA;  // a downloaded language pack, kept for the run
    std::array<uint32_t, 2> productId{};

    bool stopped() const { return page.stopRequested.load(); }
};

// The whole run, from the prologue to the end of work.
void threadMethodUpdate(UpdateRun& run);

// ---- dispatch ----------------------------------------------------------------------------------

enum class Family {
    qccDowngradeGuard,   // 0x4210
    qccMultiPart,        // 0x6042
    qccLanguagePacks,    // QCC over HID with language packs
    airohaTypedBlocks,   // 0x6A0x
    airohaBlocks,        // Airoha blocks over short reports
    qccAirohaMeshBlock,  // 0x5630, 0x5632
    qccAirohaMesh,       // 0x5552, 0x5553
    qccMesh,
    airohaMesh,
    meshCameraVoice,
    meshModule,
    twoChip,
    cameraStorage,
    downloadMode,
    hidThenCsr,  // 0x6020, 0x6022, 0x6024
    csr,         // every other code
};

struct DispatchRow {
    std::span<const int32_t> codes;
    Family family;
};

// The rows in the order they are tested.
std::span<const DispatchRow> dispatchTable();
Family familyOf(int32_t deviceTarget);
// Whether the family has a road of its own (one without ends the update with code 1).
bool hasRoad(Family family);

// ---- common steps that the families use ----------------------------------------------------------

// "%@ %@": the processing prefix and the step's text, or the prefix alone for no text.
void publishStep(UpdateRun& run, const std::function<std::string(int language)>& text);
// "%@. %@" of the failure prefix and the text, then the tag (the same in all languages).
void publishFailure(UpdateRun& run, const std::function<std::string(int language)>& text,
                    const std::string& tag = "");
// Sleeps ms (of a second that only an end-to-end test shortens) in steps that end early on a
// stop; false when stopped.
bool pause(UpdateRun& run, int64_t ms);
// Closes HID, opens the headset and checks its product id against usbStatus; on failure
// publishes "Not the recognized device" with code 2 (HID closed) and answers false.
bool openAndIdentify(UpdateRun& run);
// Loads the archive of tfFirmwareFile for the model; on failure publishes the mapped message
// with code 3 and answers false.
bool loadFirmwareArchive(UpdateRun& run);
// Mode 5 only: archives the record into the archive folder; a failure asks the user. False when
// the run must end (the failure published, code 1).
bool makeSettingsBackup(UpdateRun& run);
// Asks through the message box and waits (1-second steps) until it is answered or the run stops.
void askModalQuestion(UpdateRun& run, const std::string& message, bool warning,
                      const std::optional<std::string>& buttonCancel, const std::optional<std::string>& buttonOK,
                      int32_t withSize, int32_t forWhat);

enum class EndEntry { withHid, plain, afterFinished };
// The end of work from one of its three entries.
void endOfWork(UpdateRun& run, EndEntry entry);
// Where a family sets updateProcessed 100 at its success end: the success flag goes with it.
void markSucceeded(UpdateRun& run);

// ---- families ----------------------------------------------------------------------------------

void updateAirohaBlocks(UpdateRun& run);
// 0x6A01-0x6A04: typed blocks over timed short reports, the QCC chip's version over its device.
void updateAirohaTypedBlocks(UpdateRun& run);
// QCC headsets over format A: the multi-part 0x6042, and the family with its language packs.
void updateQccMultiPart(UpdateRun& run);
void updateQccLanguagePacks(UpdateRun& run);
// 0x5630 / 0x5632: the Airoha mesh block, the QCC firmware, the voice prompts.
void updateQccAirohaMeshBlock(UpdateRun& run);
// HID part downloads: with the download-mode switch, with camera storage and unit language, and
// the two-chip headsets (0x4210 with its downgrade guard).
void updateHidDownloadMode(UpdateRun& run);
void updateHidCameraStorage(UpdateRun& run);
void updateTwoChip(UpdateRun& run);
void updateTwoChipDowngradeGuard(UpdateRun& run);
// The mesh-module headsets: the 0x3120 module beside the Bluetooth chip.
void updateMeshModule(UpdateRun& run);
// The mesh headsets with a camera (three models), a 0x3120 module and an iM501 voice processor.
void updateMeshCameraVoice(UpdateRun& run);
// The second-generation mesh headsets: an Airoha mesh module's block, then the Bluetooth parts.
void updateAirohaMesh(UpdateRun& run);
// The QCC mesh headsets: a mesh module on 65-byte reports, then the Bluetooth image.
void updateQccMesh(UpdateRun& run);
// The QCC headsets with an Airoha mesh module (0x5552, 0x5553).
void updateQccAirohaMesh(UpdateRun& run);
// CSR BlueCore over USB DFU (every code in no other row; 0x6020/0x6022/0x6024 after their HID
// switch; the Nelvar container of 0x3020).
void updateCsrDfu(UpdateRun& run);

}  // namespace update
