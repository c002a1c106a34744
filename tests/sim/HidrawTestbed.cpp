#include "sim/HidrawTestbed.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>

#ifndef HIDIOCGINPUT
#define HIDIOCGINPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0A, len)
#endif

namespace sim {

void linkFstatShim();

namespace {

constexpr const char* kUsbRoot = "/devices/pci0000:00/0000:00:14.0/usb1";
constexpr int kIoctlSetFeature = 0x06, kIoctlGetFeature = 0x07, kIoctlGetInput = 0x0A;

// A vendor collection with the reports the headset uses: 1 (commands, blocks), 2 (replies,
// fragments, status), 3 (one-byte requests). hidapi takes usage page and usage from it.
std::vector<uint8_t> reportDescriptor(uint16_t usagePage, uint16_t usage) {
    // clang-format off
    return {0x06, uint8_t(usagePage), uint8_t(usagePage >> 8), 0x0A, uint8_t(usage), uint8_t(usage >> 8),
            0xA1, 0x01,                                             // collection (application)
            0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,              // bytes
            0x85, 0x01, 0x96, 0xFE, 0x03, 0x09, 0x01, 0x91, 0x02,  // report 1 out
            0x85, 0x01, 0x95, 0x42, 0x09, 0x01, 0x81, 0x02,        // report 1 in
            0x85, 0x01, 0x96, 0xFE, 0x03, 0x09, 0x01, 0xB1, 0x02,  // report 1 feature
            0x85, 0x02, 0x95, 0x3D, 0x09, 0x01, 0x81, 0x02,        // report 2 in
            0x85, 0x02, 0x95, 0x06, 0x09, 0x01, 0xB1, 0x02,        // report 2 feature
            0x85, 0x03, 0x95, 0x01, 0x09, 0x01, 0xB1, 0x02,        // report 3 feature
            0xC0};
    // clang-format on
}

std::string hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char b[3];
    for (uint8_t v : bytes) {
        std::snprintf(b, sizeof b, "%02X", v);
        s += b;
    }
    return s;
}

std::string format(const char* fmt, auto... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

}  // namespace

struct HidrawTestbed::Node {
    HidInterface entry;
    int index = 0;
    std::vector<uint8_t> descriptor;
    std::string devnode;  // /dev/hidrawN
    UMockdevIoctlBase* handler = nullptr;
    int fifo = -1;  // our end of the node: one byte in it makes the host's poll() see a report
    std::mutex fifoLock;
    std::string sysText;  // the sysfs entries that put it on the bus
    std::string usbPath;  // the USB device's sysfs path, on its device's first entry
    std::vector<std::string> childPaths;  // interface, hid and hidraw sysfs paths, deepest first
    int firstOfDevice = 0;
    bool onBus = false;
    std::atomic<bool> unplugged{false};
    std::atomic<unsigned>* calls = nullptr;

    // Readiness. umockdev makes nodes plain files, which poll() always reports ready: a reader
    // would never wait. The node is a one-page FIFO instead; it holds one byte exactly while a
    // report (or the error of an unplugged node) waits, recomputed under a lock so that no
    // wake-up is lost between the worker thread and the test thread.
    void refresh() {
        std::lock_guard<std::mutex> lock(fifoLock);
        if (fifo < 0) return;
        char c;
        while (::read(fifo, &c, 1) == 1) {
        }
        bool ready = unplugged.load() || entry.endpoint->inputPending();
        if (ready && ::write(fifo, "x", 1) != 1) std::perror("sim fifo");
    }

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
    static gboolean onRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
    static gboolean onWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self);
};

gboolean HidrawTestbed::Node::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* node = static_cast<Node*>(self);
    ++*node->calls;
    gulong request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData* data = nullptr;
    GError* error = nullptr;
    long result = 0;
    int err = 0;
    unsigned size = _IOC_SIZE(request);
    auto fail = [&](int e) {
        result = -1;
        err = e;
    };

    if (node->unplugged.load()) {
        fail(ENODEV);
    } else if (request == HIDIOCGRDESCSIZE) {
        if ((data = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), &error))) {
            *reinterpret_cast<int*>(data->data) = static_cast<int>(node->descriptor.size());
        }
    } else if (request == HIDIOCGRDESC) {
        if ((data = umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_report_descriptor), &error))) {
            auto* rd = reinterpret_cast<hidraw_report_descriptor*>(data->data);
            rd->size = static_cast<uint32_t>(node->descriptor.size());
            std::memcpy(rd->value, node->descriptor.data(), node->descriptor.size());
        }
    } else if (request == HIDIOCGRAWINFO) {
        if ((data = umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_devinfo), &error))) {
            auto* info = reinterpret_cast<hidraw_devinfo*>(data->data);
            info->bustype = 3;
            info->vendor = static_cast<int16_t>(node->entry.vendorId);
            info->product = static_cast<int16_t>(node->entry.productId);
        }
    } else if (_IOC_TYPE(request) == 'H' && size > 0 &&
               (_IOC_NR(request) == kIoctlSetFeature || _IOC_NR(request) == kIoctlGetFeature ||
                _IOC_NR(request) == kIoctlGetInput)) {
        if ((data = umockdev_ioctl_data_resolve(arg, 0, size, &error))) {
            auto* buf = reinterpret_cast<uint8_t*>(data->data);
            HidEndpoint& ep = *node->entry.endpoint;
            int n = _IOC_NR(request) == kIoctlSetFeature   ? ep.setFeatureReport(buf, size)
                    : _IOC_NR(request) == kIoctlGetFeature ? ep.getFeatureReport(buf, size)
                                                           : ep.getInputReport(buf, size);
            if (n < 0)
                fail(-n);
            else
                result = n;
        }
    } else {
        fail(ENOTTY);
    }
    if (error) {
        std::fprintf(stderr, "sim: %s\n", error->message);
        g_clear_error(&error);
        fail(EFAULT);
    }
    if (data) g_object_unref(data);
    node->refresh();
    umockdev_ioctl_client_complete(client, result, err);
    return TRUE;
}

// Never delays: the preload serialises every call on one fd, so a held call would block all.
gboolean HidrawTestbed::Node::onRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* node = static_cast<Node*>(self);
    ++*node->calls;
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    std::vector<uint8_t> report;
    if (node->unplugged.load()) {
        umockdev_ioctl_client_complete(client, -1, EIO);
        return TRUE;
    }
    if (!node->entry.endpoint->takeInput(report)) {
        node->refresh();
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return TRUE;
    }
    // Like hidraw: a report longer than the reader's buffer is cut to it.
    size_t n = std::min(report.size(), static_cast<size_t>(arg->data_len));
    std::memcpy(arg->data, report.data(), n);
    node->refresh();
    umockdev_ioctl_client_complete(client, static_cast<long>(n), 0);
    return TRUE;
}

gboolean HidrawTestbed::Node::onWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    auto* node = static_cast<Node*>(self);
    ++*node->calls;
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (node->unplugged.load()) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    int n = node->entry.endpoint->write(reinterpret_cast<const uint8_t*>(arg->data), arg->data_len);
    node->refresh();
    if (n < 0)
        umockdev_ioctl_client_complete(client, -1, -n);
    else
        umockdev_ioctl_client_complete(client, n, 0);
    return TRUE;
}

namespace {
std::atomic<unsigned> handlerCallCount{0};
}

HidrawTestbed::HidrawTestbed(std::vector<HidInterface> interfaces, UMockdevTestbed* shared)
    : testbed_(shared ? shared : umockdev_testbed_new()), ownsTestbed_(!shared) {
    linkFstatShim();
    // Only now is the answer reliable (umockdev caches its first one).
    if (!mocked()) return;
    char* root = umockdev_testbed_get_root_dir(testbed_);
    rootDir_ = root;
    g_free(root);

    std::map<int, int> deviceSlot;  // device number -> position of its first entry
    for (size_t i = 0; i < interfaces.size(); ++i) {
        auto node = std::make_unique<Node>();
        node->entry = interfaces[i];
        if (!node->entry.endpoint) throw std::invalid_argument("sim: interface without endpoint");
        node->index = static_cast<int>(i);
        node->calls = &handlerCallCount;
        node->descriptor = reportDescriptor(node->entry.usagePage, node->entry.usage);
        node->devnode = format("/dev/hidraw%zu", i);

        int group = node->entry.device < 0 ? -1 - static_cast<int>(i) : node->entry.device;
        bool newDevice = !deviceSlot.count(group);
        if (newDevice) deviceSlot[group] = static_cast<int>(i);
        int position = deviceSlot[group];
        node->firstOfDevice = position;
        // A device is on the bus or off it as a whole.
        if (!newDevice) node->entry.present = nodes_[static_cast<size_t>(position)]->entry.present;
        uint16_t vid = node->entry.vendorId, pid = node->entry.productId;
        // Names sort in list order, which is the order hidapi enumerates in.
        std::string usb = format("%s/1-%02d", kUsbRoot, position + 1);
        std::string intf = format("%s/1-%02d:1.%d", usb.c_str(), position + 1, node->entry.interfaceNumber);
        std::string hid = format("%s/0003:%04X:%04X.%04zX", intf.c_str(), vid, pid, i + 1);
        std::string serial = format("SIM%04d", position + 1);
        std::string text;
        if (newDevice) {
            node->usbPath = "/sys" + usb;
            text += format(
                "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: PRODUCT=%x/%x/100\n"
                "E: BUSNUM=001\nE: DEVNUM=%03d\nA: idVendor=%04x\\n\nA: idProduct=%04x\\n\n"
                "A: bcdDevice=0100\\n\nA: busnum=1\\n\nA: devnum=%d\\n\nA: speed=12\\n\n"
                "A: manufacturer=VELMAR\\n\nA: product=Simulated headset\\n\nA: serial=%s\\n\n\n",
                usb.c_str(), vid, pid, position + 2, vid, pid, position + 2, serial.c_str());
        }
        text += format(
            "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: INTERFACE=3/0/0\n"
            "A: bInterfaceNumber=%02x\\n\nA: bInterfaceClass=03\\n\n\n",
            intf.c_str(), node->entry.interfaceNumber);
        text += format(
            "P: %s\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000%04X:0000%04X\nE: HID_NAME=VELMAR Simulated "
            "headset\n"
            "E: HID_PHYS=usb-0000:00:14.0-%d/input%d\nE: HID_UNIQ=%s\n",
            hid.c_str(), vid, pid, position + 1, node->entry.interfaceNumber, serial.c_str());
        text += "H: report_descriptor=" + hex(node->descriptor) + "\n\n";
        // hidapi reads <hidraw>/device/report_descriptor; umockdev makes no "device" links.
        text += format(
            "P: %s/hidraw/hidraw%zu\nN: hidraw%zu=00\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/hidraw%zu\n"
            "E: MAJOR=240\nE: MINOR=%zu\nA: dev=240:%zu\nL: device=../../\n",
            hid.c_str(), i, i, i, i, i);
        node->sysText = std::move(text);
        node->childPaths = {format("/sys%s/hidraw/hidraw%zu", hid.c_str(), i), "/sys" + hid, "/sys" + intf};

        Node* raw = node.get();
        raw->entry.endpoint->inputChanged = [raw] { raw->refresh(); };
        raw->entry.endpoint->pullPlug = [raw] { raw->unplugged = true; };
        raw->handler = umockdev_ioctl_base_new();
        g_signal_connect(raw->handler, "handle-ioctl", G_CALLBACK(Node::onIoctl), raw);
        g_signal_connect(raw->handler, "handle-read", G_CALLBACK(Node::onRead), raw);
        g_signal_connect(raw->handler, "handle-write", G_CALLBACK(Node::onWrite), raw);
        nodes_.push_back(std::move(node));
    }
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i]->entry.present && nodes_[i]->firstOfDevice == static_cast<int>(i)) addToBus(i);
}

// Adds the device whose first entry is `first`, with all its interfaces: sysfs entries (which
// send the "add" uevents), then each node as a FIFO served by its handler.
void HidrawTestbed::addToBus(size_t first) {
    for (size_t i = first; i < nodes_.size(); ++i) {
        Node& node = *nodes_[i];
        if (node.firstOfDevice != static_cast<int>(first) || node.onBus) continue;
        GError* error = nullptr;
        if (!umockdev_testbed_add_from_string(testbed_, node.sysText.c_str(), &error)) {
            std::string why = error->message;
            g_error_free(error);
            throw std::runtime_error("sim: " + why);
        }
        if (!node.usbPath.empty()) devicePaths_.push_back(node.usbPath);

        std::string path = rootDir_ + node.devnode;
        unlink(path.c_str());
        // An entry whose open fails is listed but has no node: open() is refused.
        bool withNode = !node.entry.openFails;
        int fifo = -1;
        if (withNode && (mkfifo(path.c_str(), 0666) < 0 ||
                         (fifo = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) < 0 ||
                         fcntl(fifo, F_SETPIPE_SZ, 4096) < 0))
            throw std::runtime_error("sim: fifo " + path + ": " + std::strerror(errno));
        {
            std::lock_guard<std::mutex> lock(node.fifoLock);
            node.fifo = fifo;
        }
        node.unplugged = false;
        if (!umockdev_testbed_attach_ioctl(testbed_, node.devnode.c_str(), node.handler, &error)) {
            std::string why = error->message;
            g_error_free(error);
            throw std::runtime_error("sim: attach " + node.devnode + ": " + why);
        }
        node.onBus = true;
        node.refresh();
    }
}

void HidrawTestbed::plugIn(size_t index) {
    std::lock_guard<std::mutex> lock(plugLock_);
    if (!mocked() || index >= nodes_.size()) return;
    addToBus(static_cast<size_t>(nodes_[index]->firstOfDevice));
}

void HidrawTestbed::leaveBus(size_t index) {
    std::lock_guard<std::mutex> lock(plugLock_);
    if (!mocked() || index >= nodes_.size()) return;
    const int first = nodes_[index]->firstOfDevice;
    const std::string usbPath = nodes_[static_cast<size_t>(first)]->usbPath;
    if (!nodes_[static_cast<size_t>(first)]->onBus) return;
    for (auto& node : nodes_) {
        if (node->firstOfDevice != first || !node->onBus) continue;
        node->unplugged = true;
        node->refresh();  // a waiting reader wakes up to the error
    }
    umockdev_testbed_uevent(testbed_, usbPath.c_str(), "remove");
    // Children first: removing a device leaves its children's bus links behind, which would stop
    // the same device from being added again.
    for (auto& node : nodes_) {
        if (node->firstOfDevice != first || !node->onBus) continue;
        for (const std::string& path : node->childPaths) umockdev_testbed_remove_device(testbed_, path.c_str());
    }
    umockdev_testbed_remove_device(testbed_, usbPath.c_str());
    devicePaths_.erase(std::remove(devicePaths_.begin(), devicePaths_.end(), usbPath), devicePaths_.end());
    // The nodes go with the device; plugIn makes them again.
    for (auto& node : nodes_) {
        if (node->firstOfDevice != first || !node->onBus) continue;
        GError* error = nullptr;
        if (!umockdev_testbed_detach_ioctl(testbed_, node->devnode.c_str(), &error)) {
            std::fprintf(stderr, "sim: detach %s: %s\n", node->devnode.c_str(), error->message);
            g_error_free(error);
        }
        {
            std::lock_guard<std::mutex> fifoLock(node->fifoLock);
            if (node->fifo >= 0) close(node->fifo);
            node->fifo = -1;
        }
        node->onBus = false;
    }
}

bool HidrawTestbed::onBus(size_t index) const {
    std::lock_guard<std::mutex> lock(plugLock_);
    return index < nodes_.size() && nodes_[static_cast<size_t>(nodes_[index]->firstOfDevice)]->onBus;
}

HidrawTestbed::~HidrawTestbed() {
    if (ownsTestbed_) g_object_unref(testbed_);
    for (auto& node : nodes_) {
        g_clear_object(&node->handler);
        if (node->fifo >= 0) close(node->fifo);
        node->entry.endpoint->inputChanged = nullptr;
        node->entry.endpoint->pullPlug = nullptr;
    }
}

bool HidrawTestbed::mocked() { return umockdev_in_mock_environment(); }

bool HidrawTestbed::preloaded() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload && std::strstr(preload, "libumockdev-preload");
}

std::string HidrawTestbed::devnode(size_t index) const { return nodes_.at(index)->devnode; }

void HidrawTestbed::unplug() {
    std::lock_guard<std::mutex> lock(plugLock_);
    for (auto& node : nodes_) {
        node->unplugged = true;
        node->refresh();  // a waiting reader wakes up to the error
    }
    // umockdev sends no uevent on removal by itself.
    for (const std::string& path : devicePaths_) {
        umockdev_testbed_uevent(testbed_, path.c_str(), "remove");
        umockdev_testbed_remove_device(testbed_, path.c_str());
    }
    devicePaths_.clear();
}

unsigned HidrawTestbed::handlerCalls() const { return handlerCallCount.load(); }

}  // namespace sim
