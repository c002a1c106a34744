// HID road, second stage: the DORSK pair's hold, the main firmware version and language pack,
// and the second firmware block, read from the second HID interface or from a mesh module that
// the headset exposes as a HID device of its own after a command.
#include <cstring>

#include "platform/Clock.h"
#include "platform/Log.h"
#include "platform/TestWaits.h"
#include "recognition/DeviceRecognitionTexts.h"
#include "recognition/HidModelSets.h"
#include "recognition/RecognitionWorker.h"

namespace recognition {

namespace {

using models::contains;

constexpr uint8_t kCommandVersion = 0x01;
constexpr uint8_t kCommandDorskHold = 0x30;
constexpr uint8_t kCommandMeshDfu = 0x50;
constexpr uint8_t kCommandVoskelMeshDfu = 0x0F;
constexpr uint8_t kCommandVoskelMeshNormal = 0x10;
constexpr uint8_t kShortVersionLength = 7;
constexpr int kShortVersionTimeoutMs = 500;
constexpr int kShortLanguagePackTimeoutMs = 10000;
constexpr int kMeshOpenRounds = 20;
constexpr int64_t kMeshSwitchPauseMs = 2000;
constexpr int64_t kMeshOpenPauseMs = 1000;
// DORSK versions carry no secondary type byte.
constexpr int32_t kDorskSecondaryType = 2;

struct Version {
    int32_t major = 1, minor = 0, type = 0, secondary = 0;
};

// Format A command with no payload on a slot; true with the reply in ctx.reply.
bool command(RecognitionContext& ctx, int slot, uint8_t cmd) {
    ctx.clearRequest();
    ctx.request[0] = 0x01;
    ctx.request[1] = cmd;
    return usbhid_command(slot, ctx.request, ctx.reply);
}

// Version bytes from byte 3 of a format A (or C) reply; DORSK replies have no type byte.
Version versionAt3(const uint8_t* reply, bool dorsk) {
    if (dorsk) return {reply[3], reply[4], kDorskSecondaryType, reply[5]};
    return {reply[3], reply[4], reply[5], reply[6]};
}

// A format B version request (parameter 0: firmware, 1: language pack) on slot 0.
bool shortVersion(uint8_t parameter, bool timed, int timeoutMs, uint8_t* reply) {
    uint8_t request[kShortReportSize] = {0x01, 0x00, kCommandVersion, parameter};
    std::memset(reply, 0, kShortReportSize);
    if (!timed) return usbhid_short_command_probe(0, request, reply);
    reply[1] = kShortVersionLength;
    return usbhid_short_command(0, request, reply, timeoutMs);
}

Version versionAt4(const uint8_t* reply) { return {reply[4], reply[5], reply[6], reply[7]}; }

void setMain(device::ORVABluetoothDeviceData& d, const Version& v) {
    d.setDeviceVersionMajor(v.major, v.minor);
    d.setDeviceSecondaryVersionType(v.type);
    d.setDeviceSecondaryVersion(v.secondary);
}

Version mainOf(const device::ORVABluetoothDeviceData& d) {
    return {d.deviceVersionMajor(), d.deviceVersionMinor(), d.deviceSecondaryVersionType(), d.deviceSecondaryVersion()};
}

void setFirstBlock(device::ORVABluetoothDeviceData& d, const Version& v) {
    d.setDeviceVersion01Major(v.major, v.minor);
    d.setDeviceSecondaryVersionType01(v.type);
    d.setDeviceSecondaryVersion01(v.secondary);
}

void setSecondBlock(device::ORVABluetoothDeviceData& d, const Version& v) {
    d.setDeviceVersion02Major(v.major, v.minor);
    d.setDeviceSecondaryVersionType02(v.type);
    d.setDeviceSecondaryVersion02(v.secondary);
}

void setLanguagePack(device::ORVABluetoothDeviceData& d, int32_t type, int32_t major, int32_t minor) {
    d.setDevicelanguagePackType(type);
    d.setDevicelanguagePackTypeVerMajor(major);
    d.setDevicelanguagePackTypeVerMinor(minor);
}

void holdDorskPair(RecognitionContext& ctx) {
    for (int slot = 0; slot < 2; ++slot) {
        platform::logf("+++%d. DORSK HOLD START", slot + 1);
        if (!command(ctx, slot, kCommandDorskHold)) platform::logf("+++%d. DORSK HOLD FAIL", slot + 1);
    }
}

// The main version (and language pack where the reply carries one). False when the version
// request failed.
bool readMainVersion(RecognitionContext& ctx) {
    device::ORVABluetoothDeviceData& d = ctx.data();
    int32_t target = ctx.deviceTarget();
    bool timed = contains(models::kShortTimed, target);
    if (timed || contains(models::kShortProbed, target)) {
        uint8_t reply[kShortReportSize];
        if (!shortVersion(0x00, timed, kShortVersionTimeoutMs, reply)) return false;
        setMain(d, versionAt4(reply));
        bool pack = shortVersion(0x01, timed, kShortLanguagePackTimeoutMs, reply);
        if (pack)
            setLanguagePack(d, reply[8], reply[4], reply[5]);
        else
            setLanguagePack(d, 0, 0, 0);
        platform::logf("languagePack version = %d.%d.%d / ver %d.%d.%d", d.devicelanguagePackType(),
                       d.devicelanguagePackTypeVerMajor(), d.devicelanguagePackTypeVerMinor(), pack ? reply[9] : 0,
                       pack ? reply[10] : 0, pack ? reply[11] : 0);
        return true;
    }
    bool dorsk = target == models::kDorsk;
    if (!command(ctx, 0, kCommandVersion)) return false;
    setMain(d, versionAt3(ctx.reply, dorsk));
    if (dorsk || contains(models::kVersionOnly, target)) return true;
    setLanguagePack(d, ctx.reply[8], ctx.reply[9], ctx.reply[10]);
    platform::logf("languagePack version = %d.%d.%d", d.devicelanguagePackType(), d.devicelanguagePackTypeVerMajor(),
                   d.devicelanguagePackTypeVerMinor());
    return true;
}

// The second chip's version on slot 1; the headset's version is the older of the two. A failed
// read stores the fallback as the second block but leaves the main version as read.
void readSecondChip(RecognitionContext& ctx, bool dorsk) {
    device::ORVABluetoothDeviceData& d = ctx.data();
    setFirstBlock(d, mainOf(d));
    Version second;
    if (dorsk) second.type = kDorskSecondaryType;
    bool ok = command(ctx, 1, kCommandVersion);
    if (ok) second = versionAt3(ctx.reply, dorsk);
    setSecondBlock(d, second);
    if (ok && d.compareVersionWithVersionMajor(second.major, second.minor, second.type, second.secondary) >= 1)
        setMain(d, second);
}

// Which mesh module a family switches to and how it reads the module's version.
enum class Mesh { Gessa, LutraV2 };

void logVersion(const char* format, const Version& v) { platform::logf(format, v.major, v.minor, v.type, v.secondary); }

// Opens the mesh module into slot 0 within the allowed rounds (after the switch pause).
template <typename Open>
bool openMeshModule(Open open) {
    for (int round = 1; round <= kMeshOpenRounds; ++round) {
        uint32_t pid = 0;
        char message[kOpenMessageSize] = {};
        if (open(&pid, message) == 0) return true;
        usbhid_close_all();
        platform::sleepMs(platform::workerMs(kMeshOpenPauseMs));
    }
    return false;
}

void reopenHeadset() {
    usbhid_close_all();
    uint32_t pid = 0;
    char message[kOpenMessageSize] = {};
    usbhid_open_headset(&pid, message);
}

// GESSA and LUTRA V2: switch the mesh module to its update mode, read its version as a device of
// its own, reopen the headset.
void meshSequence(RecognitionContext& ctx, Mesh mesh) {
    device::ORVABluetoothDeviceData& d = ctx.data();
    bool gessa = mesh == Mesh::Gessa;
    setFirstBlock(d, mainOf(d));
    logVersion(gessa ? "GESSA version = %d.%d.%d.%d" : "LUTRAV2 version = %d.%d.%d.%d", mainOf(d));
    if (!command(ctx, 0, kCommandMeshDfu))
        platform::logLine(gessa ? "MESH_DFU_COMMAND_FAILED" : "LUTRAV2 MESH_DFU_COMMAND_FAILED");
    platform::sleepMs(platform::workerMs(kMeshSwitchPauseMs));
    usbhid_close_all();
    bool opened = gessa ? openMeshModule(usbhid_open_mesh_3120) : openMeshModule(usbhid_open_airoha_mesh);
    if (!opened) {
        platform::logLine("-----Mesh Error\n");
    } else {
        Version second;
        if (gessa) {
            if (command(ctx, 0, kCommandVersion)) second = versionAt3(ctx.reply, false);
        } else {
            uint8_t reply[kShortReportSize];
            if (shortVersion(0x00, false, 0, reply)) second = versionAt4(reply);
        }
        setSecondBlock(d, second);
    }
    reopenHeadset();
}

// VOSKEL: the mesh module answers in format C; the headset is told to return to normal after.
void voskelSequence(RecognitionContext& ctx) {
    device::ORVABluetoothDeviceData& d = ctx.data();
    setFirstBlock(d, mainOf(d));
    logVersion("VOSKEL, VOSKELr sulvane version = %d.%d.%d.%d", mainOf(d));
    if (!command(ctx, 0, kCommandVoskelMeshDfu)) platform::logLine("VOSKEL MESH_DFU_COMMAND_FAILED");
    platform::sleepMs(platform::workerMs(kMeshSwitchPauseMs));
    usbhid_close_all();
    if (openMeshModule(usbhid_open_qcc_mesh)) {
        platform::logLine("-----Mesh handle open success\n");
        uint8_t request[kReport65Size] = {0x01, kCommandVersion};
        uint8_t reply[kReport65Size] = {};
        Version second;
        if (usbhid_command_65(0, request, reply)) second = versionAt3(reply, false);
        setSecondBlock(d, second);
    } else {
        platform::logLine("-----Mesh handle open fail\n");
    }
    reopenHeadset();
    if (!command(ctx, 0, kCommandVoskelMeshNormal)) platform::logLine("VOSKEL COMMAND_MESH_NORMAL_MODE");
    Version second{d.deviceVersionMajor02(), d.deviceVersionMinor02(), d.deviceSecondaryVersionType02(),
                   d.deviceSecondaryVersion02()};
    Version main = mainOf(d);
    platform::logf("VOSKEL, VOSKELr, sulvane version = %d.%d.%d.%d mesh ver %d.%d.%d.%d", main.major, main.minor,
                   main.type, main.secondary, second.major, second.minor, second.type, second.secondary);
}

void readSecondBlock(RecognitionContext& ctx) {
    int32_t target = ctx.deviceTarget();
    device::ORVABluetoothDeviceData& d = ctx.data();
    platform::logf("ASDPh %X", static_cast<unsigned>(target));
    if (contains(models::kMeshVoskel, target)) {
        voskelSequence(ctx);
    } else if (contains(models::kTwoChip, target)) {
        readSecondChip(ctx, false);
    } else if (contains(models::kPlusdovra, target)) {
        setFirstBlock(d, mainOf(d));
        logVersion("plusdovra version = %d.%d.%d.%d", mainOf(d));
    } else if (contains(models::kMeshGessa, target)) {
        meshSequence(ctx, Mesh::Gessa);
    } else if (contains(models::kMeshLutraV2, target)) {
        meshSequence(ctx, Mesh::LutraV2);
    } else if (target == models::kDorsk) {
        readSecondChip(ctx, true);
    }
}

}  // namespace

bool readHidVersions(RecognitionContext& ctx) {
    if (ctx.deviceTarget() == models::kDorsk) holdDorskPair(ctx);
    if (!readMainVersion(ctx)) {
        // A headset whose firmware version is unknown cannot be offered an update or settings.
        platform::logf("version read failed [%X]", static_cast<unsigned>(ctx.deviceTarget()));
        ctx.page.setStrStatusThreadRecognizeAll(
            [](int language) { return DeviceRecognitionTexts::stringCannotReadFirmwareVersion(language); });
        return false;
    }
    readSecondBlock(ctx);
    return true;
}

}  // namespace recognition
