// Finding and opening a vendor 0x3A6E HID interface into slot 0 (and slot 1 for the two-part
// module). Which entries qualify is a table per open routine; one walk serves them all.
#include <hidapi.h>

#include <cstdio>
#include <initializer_list>

#include "transport/HidExchange.h"
#include "transport/HidReportChannel.h"

namespace {

constexpr uint16_t kVendorUsagePage = 0xFF00;
constexpr uint16_t kVendorUsage = 1;
constexpr const char* kRecognized = "Device recognized successfully";

struct Accepted {
    uint16_t productId;
    bool vendorInterfaceOnly;  // only the interface on usage page 0xFF00, usage 1
};

struct OpenRule {
    std::initializer_list<Accepted> accepted;
    const char* entryLine;    // printed for every vendor entry met, or nullptr
    const char* attemptLine;  // printed before each open attempt, or nullptr
    bool listFirstEntry;      // print the first enumerated entry's product id
};

const OpenRule kHeadset{{{0x6838, false}, {0x6042, true}}, nullptr, "aaaa %x\r\n", true};
const OpenRule kMesh3120{{{0x3120, false}}, "gessamesh pid[%04X]\n", nullptr, false};
const OpenRule kQccMesh{{{0x3160, false}, {0x3220, false}, {0x6501, false}, {0x6511, false}},
                        "qcc mesh pid[%04X]\n",
                        nullptr,
                        false};
const OpenRule kAirohaMesh{{{0x3220, true}}, "airoha mesh pid[%04X]\n", nullptr, false};
const OpenRule kAirohaMesh33F0{{{0x33F0, true}}, "airoha mesh pid[%04X]\n", nullptr, false};

bool qualifies(const OpenRule& rule, const hid_device_info& e) {
    for (const Accepted& a : rule.accepted) {
        if (e.product_id != a.productId) continue;
        if (!a.vendorInterfaceOnly) return true;
        return e.usage_page == kVendorUsagePage && e.usage == kVendorUsage;
    }
    return false;
}

void writeMessage(char* message) {
    if (message) std::snprintf(message, kOpenMessageSize, "%s", kRecognized);
}

int openFirst(const OpenRule& rule, uint32_t* pid, char* message) {
    hid_device_info* devs = hid_enumerate(0, 0);
    // An empty enumeration has no first entry to show.
    if (rule.listFirstEntry && devs) std::printf("devs =[%04X]\n", devs->product_id);
    int result = -2;
    for (hid_device_info* e = devs; e; e = e->next) {
        if (e->vendor_id != kHeadsetVendorId) continue;
        if (rule.entryLine) std::printf(rule.entryLine, e->product_id);
        if (!qualifies(rule, *e)) continue;
        if (rule.attemptLine) std::printf(rule.attemptLine, e->product_id);
        hid_device* dev = e->path ? hid_open_path(e->path) : nullptr;
        if (!dev) continue;
        transport::detail::fillSlot(0, dev);
        if (pid) *pid = e->product_id;
        writeMessage(message);
        result = 0;
        break;
    }
    hid_free_enumeration(devs);
    return result;
}

}  // namespace

int usbhid_open_headset(uint32_t* pid, char* message) { return openFirst(kHeadset, pid, message); }
int usbhid_open_mesh_3120(uint32_t* pid, char* message) { return openFirst(kMesh3120, pid, message); }
int usbhid_open_qcc_mesh(uint32_t* pid, char* message) { return openFirst(kQccMesh, pid, message); }
int usbhid_open_airoha_mesh(uint32_t* pid, char* message) { return openFirst(kAirohaMesh, pid, message); }
int usbhid_open_airoha_mesh_33f0(uint32_t* pid, char* message) {
    return openFirst(kAirohaMesh33F0, pid, message);
}

int usbhid_open_second_chip(uint32_t* pid, char* message) {
    // The second chip is the product's vendor interface with the higher interface number; the
    // first one is what slot 0 holds.
    if (!pid) return -2;
    hid_device_info* devs = hid_enumerate(kHeadsetVendorId, static_cast<unsigned short>(*pid));
    const hid_device_info* first = nullptr;
    const hid_device_info* second = nullptr;
    for (hid_device_info* e = devs; e; e = e->next) {
        if (e->usage_page != kVendorUsagePage || e->usage != kVendorUsage || !e->path) continue;
        if (!first || e->interface_number < first->interface_number) {
            second = first;
            first = e;
        } else if (!second || e->interface_number < second->interface_number) {
            second = e;
        }
    }
    hid_device* dev = second ? hid_open_path(second->path) : nullptr;
    hid_free_enumeration(devs);
    if (!dev) return -2;
    transport::detail::fillSlot(1, dev);
    writeMessage(message);
    return 0;
}

int usbhid_open_dorsk_pair(uint32_t pids[2], char* message, int kind) {
    constexpr uint16_t kFirstPart = 0x5345, kSecondPart = 0x5346;
    hid_device_info* devs = hid_enumerate(0, 0);
    int found = 0;
    bool bothOpen = false;
    for (hid_device_info* e = devs; e && (kind == 2 || kind == 3); e = e->next) {
        if (e->vendor_id != kHeadsetVendorId) continue;
        if (e->product_id != kFirstPart && e->product_id != kSecondPart) continue;
        ++found;
        hid_device* dev = e->path ? hid_open_path(e->path) : nullptr;
        if (!dev) continue;
        transport::detail::fillSlot(usbhid_slot(0) ? 1 : 0, dev);
        if (usbhid_slot(0) && usbhid_slot(1)) {
            if (pids) {
                pids[0] = kFirstPart;
                pids[1] = kSecondPart;
            }
            writeMessage(message);
            bothOpen = true;
            break;
        }
    }
    hid_free_enumeration(devs);
    // Success only with both parts open: a part that was found but did not open leaves slot 1
    // empty, which is no pair.
    if (bothOpen) return 0;
    return found > 0 ? -1 : -2;
}
