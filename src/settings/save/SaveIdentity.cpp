#include "settings/save/SaveIdentity.h"

#include <cstring>

#include "platform/Log.h"
#include "transport/CsrBccmdChannel.h"
#include "transport/HidReportChannel.h"

namespace settings::save {

namespace {

constexpr uint8_t kReadVersion = 0x01, kReadStatus = 0x12;
constexpr int kCsrOpenBudget = 5, kCsrNormalMode = 0;
constexpr uint32_t kFirmwareManagementBit = 0x8000;
constexpr int32_t kUnreadCsrProductId = 0x4D10;

struct Version {
    int32_t major, minor, type, secondary;
};

Version versionOf(const device::ORVABluetoothDeviceData& r, VersionSet set) {
    switch (set) {
        case VersionSet::First:
            return {r.deviceVersionMajor01(), r.deviceVersionMinor01(), r.deviceSecondaryVersionType01(),
                    r.deviceSecondaryVersion01()};
        case VersionSet::Second:
            return {r.deviceVersionMajor02(), r.deviceVersionMinor02(), r.deviceSecondaryVersionType02(),
                    r.deviceSecondaryVersion02()};
        case VersionSet::Primary:
            break;
    }
    return {r.deviceVersionMajor(), r.deviceVersionMinor(), r.deviceSecondaryVersionType(),
            r.deviceSecondaryVersion()};
}

}  // namespace

bool openRecognizedHid(const HidOpener& open, int32_t usbStatus) {
    uint32_t productId = 0;
    char message[kOpenMessageSize] = {};
    if (!open || open(&productId, message) != 0) return false;
    return static_cast<int32_t>(productId) == usbStatus;
}

bool firmwareMatches(int slot, const device::ORVABluetoothDeviceData& record, VersionSet set) {
    uint8_t request[kLongRequestSize] = {0x01, kReadVersion};
    uint8_t reply[kLongReplySize] = {};
    if (!usbhid_command(slot, request, reply)) return false;
    Version want = versionOf(record, set);
    return device::ORVABluetoothDeviceData::compareVersionMajor(reply[3], reply[4], reply[5], reply[6], want.major,
                                                                 want.minor, want.type, want.secondary) == 0;
}

bool headsetReady(int slot) {
    uint8_t request[kLongRequestSize] = {0x01, kReadStatus};
    uint8_t reply[kLongReplySize] = {};
    if (!usbhid_command(slot, request, reply)) return false;
    platform::logf("rV = [%d]", reply[3]);
    return reply[3] == 0;
}

bool shortCommandDone(int slot, uint8_t* request) {
    uint8_t reply[kShortReportSize] = {};
    if (!usbhid_short_command_probe(slot, request, reply)) return false;
    return reply[2] == request[2] && (reply[3] == kStatusDone || reply[3] == kStatusBusy);
}

int32_t openCsrForSave(uint32_t ids[2], const SaveCodes& codes) {
    char message[CSR_MESSAGE_SIZE] = {};
    ids[0] = ids[1] = 0;
    if (csr_usb_open_retry(ids, message, kCsrOpenBudget, kCsrNormalMode) != 0) {
        csr_usb_close_all();  // a second device that failed may leave the first one claimed
        return codes.cannotOpenUsb;
    }
    if (ids[0] >= kFirmwareManagementBit) return codes.firmwareManagement;
    return 0;
}

int32_t checkCsrDevice(int index, uint32_t usbProductId, int32_t usbStatus,
                       const device::ORVABluetoothDeviceData& record, const SaveCodes& codes) {
    if (!csr_usb_select_device(index)) return codes.notRecognized;
    if (static_cast<int32_t>(usbProductId) != usbStatus) return codes.notRecognized;
    int productId = csr_read_product_id();
    if (productId <= 0) productId = kUnreadCsrProductId;
    if (productId != record.deviceRecognized()) return codes.notRecognized;
    uint32_t major = 0, minor = 0, type = 0, secondary = 0;
    csr_read_firmware_version(productId, &major, &minor, &type, &secondary);
    if (record.compareVersionWithVersionMajor(static_cast<int32_t>(major), static_cast<int32_t>(minor),
                                              static_cast<int32_t>(type), static_cast<int32_t>(secondary)) != 0)
        return codes.notRecognized;
    return 0;
}

}  // namespace settings::save
