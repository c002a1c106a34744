#include "sim/UsbTestbed.h"

#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <list>
#include <stdexcept>

namespace sim {

namespace {

// Addresses never repeat within a process (see the header).
std::atomic<int> nextAddress{64};  // above the addresses of the HID devices

std::string hex(const Bytes& bytes) {
    std::string s;
    char two[3];
    for (uint8_t b : bytes) {
        std::snprintf(two, sizeof two, "%02X", b);
        s += two;
    }
    return s;
}

std::string rootDir(UMockdevTestbed* tb) {
    gchar* root = umockdev_testbed_get_root_dir(tb);
    std::string r = root;
    g_free(root);
    return r;
}

struct Urb {
    UMockdevIoctlClient* client;
    UMockdevIoctlData* urb;  // resolved usbdevfs_urb, its buffer resolved as a child
};

usbdevfs_urb* urbOf(const Urb& u) { return reinterpret_cast<usbdevfs_urb*>(u.urb->data); }

// Configuration descriptor number `index` inside the device + configurations block.
Bytes configAt(const Bytes& all, int index) {
    size_t at = all.empty() ? 0 : all[0];
    for (int i = 0; at + 4 <= all.size(); ++i) {
        size_t total = all[at + 2] | (all[at + 3] << 8);
        if (total < 4 || at + total > all.size()) break;
        if (i == index) return Bytes(all.begin() + at, all.begin() + at + total);
        at += total;
    }
    return {};
}

}  // namespace

struct UsbTestbed::Node {
    UsbTestbed* owner = nullptr;
    size_t device = 0;
    int bus = 1;
    int address = 0;
    std::string sysPath;  // as umockdev names it: /sys/devices/...
    std::string devnode;  // /dev/bus/usb/BBB/DDD
    std::string file;     // the node inside the testbed's folder
    std::shared_ptr<UsbEndpoint> endpoint;
    UMockdevIoctlBase* handler = nullptr;

    int fifo = -1;  // our end of the node, a FIFO of one page (see ready())
    std::mutex fifoLock;
    std::atomic<bool> unplugged{false};
    std::atomic<bool> vanishAfterScan{false};
    std::list<Urb> pending, done;  // umockdev's worker thread only

    ~Node();
    void setReady(bool ready);
    void updateReady();
    void finishInUrbs(UMockdevIoctlClient* client);
    int control(const UsbSetup& s, uint8_t* data);
    long ioctl(UMockdevIoctlClient* c, int& error);

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n);
    static gboolean onRead(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n);
    static void onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n);
};

// umockdev makes usbfs nodes plain files, for which poll() is always ready, so libusb's event
// loop would spin. The node is a FIFO of one page instead, whose other end we keep: empty means
// POLLOUT, which tells libusb that a URB can be reaped; one byte in it means nothing to reap.
void UsbTestbed::Node::setReady(bool ready) {
    std::lock_guard<std::mutex> g(fifoLock);
    if (fifo < 0) return;
    char c;
    while (::read(fifo, &c, 1) == 1) {
    }
    if (!ready && ::write(fifo, "x", 1) != 1) std::perror("usb testbed fifo");
}

void UsbTestbed::Node::updateReady() {
    bool ready = !done.empty() || unplugged.load();
    for (const Urb& u : pending) ready = ready || endpoint->inPending(urbOf(u)->endpoint);
    setReady(ready);
}

UsbTestbed::Node::~Node() {
    if (handler) g_object_unref(handler);
    for (auto* list : {&pending, &done})
        for (Urb& u : *list) g_object_unref(u.urb);
    if (fifo >= 0) close(fifo);
}

void UsbTestbed::Node::finishInUrbs(UMockdevIoctlClient* client) {
    for (auto it = pending.begin(); it != pending.end();) {
        usbdevfs_urb* urb = urbOf(*it);
        Bytes piece;
        if (it->client == client && endpoint->takeIn(urb->endpoint, urb->buffer_length, piece)) {
            std::memcpy(urb->buffer, piece.data(), piece.size());  // the resolved local copy
            urb->actual_length = static_cast<int>(piece.size());
            urb->status = 0;
            done.push_back(*it);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
}

// Standard requests come from the descriptors; everything else is the device's.
int UsbTestbed::Node::control(const UsbSetup& s, uint8_t* data) {
    if (s.requestType == 0x80 && s.request == 6) {
        Bytes all = endpoint->descriptors(), d;
        int type = s.value >> 8, index = s.value & 0xFF;
        if (type == 1)
            d.assign(all.begin(), all.begin() + std::min<size_t>(18, all.size()));
        else if (type == 2)
            d = configAt(all, index);
        if (d.empty()) return -EPIPE;
        size_t n = std::min<size_t>(d.size(), s.length);
        std::memcpy(data, d.data(), n);
        return static_cast<int>(n);
    }
    if (s.requestType == 0x80 && s.request == 0) {
        size_t n = std::min<size_t>(2, s.length);
        std::memset(data, 0, n);
        return static_cast<int>(n);
    }
    if (s.requestType == 0x00 && s.request == 9) return 0;  // SET_CONFIGURATION
    return endpoint->control(s, data);
}

long UsbTestbed::Node::ioctl(UMockdevIoctlClient* c, int& error) {
    gulong request = umockdev_ioctl_client_get_request(c);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(c);
    UMockdevIoctlData* d = nullptr;
    GError* err = nullptr;
    long ret = 0;

    if (unplugged.load()) {  // as usbfs after a disconnect
        for (Urb& u : pending) urbOf(u)->status = -ESHUTDOWN;
        done.splice(done.end(), pending);
        if (request != USBDEVFS_REAPURB && request != USBDEVFS_REAPURBNDELAY &&
            request != USBDEVFS_DISCARDURB) {
            error = ENODEV;
            return -1;
        }
    }

    switch (request) {
        case USBDEVFS_GET_CAPABILITIES:
            d = umockdev_ioctl_data_resolve(arg, 0, sizeof(guint32), &err);
            if (d)
                *reinterpret_cast<guint32*>(d->data) =
                    USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
            break;
        case USBDEVFS_CONNECTINFO:
            d = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_connectinfo), &err);
            if (d) {
                reinterpret_cast<usbdevfs_connectinfo*>(d->data)->devnum = static_cast<unsigned>(address);
                reinterpret_cast<usbdevfs_connectinfo*>(d->data)->slow = 0;
            }
            break;
        case USBDEVFS_GET_SPEED:
            ret = 2;  // full speed
            break;
        case USBDEVFS_CLAIMINTERFACE:
        case USBDEVFS_RELEASEINTERFACE: {
            d = umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned int), &err);
            if (!d) break;
            int interface = static_cast<int>(*reinterpret_cast<unsigned int*>(d->data));
            if (request == USBDEVFS_RELEASEINTERFACE) {
                endpoint->release(interface);
            } else if (int r = endpoint->claim(interface); r < 0) {
                ret = -1;
                error = -r;
            }
            break;
        }
        case USBDEVFS_SETINTERFACE:
        case USBDEVFS_SETCONFIGURATION:
        case USBDEVFS_CLEAR_HALT:
            break;
        case USBDEVFS_RESET:
            if (endpoint->reset()) owner->reenumerate(this);
            break;
        case USBDEVFS_GETDRIVER:
        case USBDEVFS_IOCTL:
        case USBDEVFS_DISCONNECT_CLAIM:
            ret = -1;
            error = ENODATA;  // no kernel driver bound
            break;
        case USBDEVFS_CONTROL: {  // libusb 0.1's usb_control_msg
            d = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_ctrltransfer), &err);
            if (!d) break;
            auto* ct = reinterpret_cast<usbdevfs_ctrltransfer*>(d->data);
            UsbSetup s{ct->bRequestType, ct->bRequest, ct->wValue, ct->wIndex, ct->wLength};
            UMockdevIoctlData* buf =
                ct->wLength
                    ? umockdev_ioctl_data_resolve(d, offsetof(usbdevfs_ctrltransfer, data), ct->wLength, &err)
                    : nullptr;
            if (ct->wLength && !buf) break;
            ret = control(s, buf ? buf->data : nullptr);
            if (ret < 0) {
                error = static_cast<int>(-ret);
                ret = -1;
            }
            if (buf) g_object_unref(buf);
            break;
        }
        case USBDEVFS_SUBMITURB: {
            d = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), &err);
            if (!d) break;
            auto* urb = reinterpret_cast<usbdevfs_urb*>(d->data);
            UMockdevIoctlData* buf =
                urb->buffer_length > 0
                    ? umockdev_ioctl_data_resolve(d, offsetof(usbdevfs_urb, buffer), urb->buffer_length, &err)
                    : nullptr;
            if (urb->buffer_length > 0 && !buf) break;
            Urb u{c, static_cast<UMockdevIoctlData*>(g_object_ref(d))};
            if (urb->type == USBDEVFS_URB_TYPE_CONTROL) {
                UsbSetup s;
                if (buf && urb->buffer_length >= 8) {
                    const uint8_t* p = buf->data;
                    s = UsbSetup{p[0], p[1], static_cast<uint16_t>(p[2] | p[3] << 8),
                                 static_cast<uint16_t>(p[4] | p[5] << 8),
                                 static_cast<uint16_t>(p[6] | p[7] << 8)};
                }
                int r = buf && urb->buffer_length >= 8 + s.length ? control(s, buf->data + 8) : -EINVAL;
                urb->status = r < 0 ? r : 0;
                urb->actual_length = r < 0 ? 0 : r;
                done.push_back(u);
            } else if (urb->endpoint & 0x80) {
                pending.push_back(u);  // completes when the device has data
                finishInUrbs(c);
            } else {
                int r = endpoint->transferOut(urb->endpoint, buf ? buf->data : nullptr,
                                              static_cast<size_t>(urb->buffer_length));
                urb->status = r < 0 ? r : 0;
                urb->actual_length = r < 0 ? 0 : r;
                done.push_back(u);
            }
            if (buf) g_object_unref(buf);
            break;
        }
        case USBDEVFS_DISCARDURB: {
            gulong address = 0;  // the argument is the urb's address itself
            std::memcpy(&address, arg->data, std::min(sizeof address, static_cast<size_t>(arg->data_len)));
            ret = -1;
            error = EINVAL;
            for (auto it = pending.begin(); it != pending.end(); ++it) {
                if (it->client == c && it->urb->client_addr == address) {
                    urbOf(*it)->status = -ENOENT;
                    done.push_back(*it);
                    pending.erase(it);
                    ret = 0;
                    error = 0;
                    break;
                }
            }
            break;
        }
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY: {
            finishInUrbs(c);
            ret = -1;
            error = unplugged.load() ? ENODEV : EAGAIN;
            for (auto it = done.begin(); it != done.end(); ++it) {
                if (it->client != c) continue;
                d = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), &err);
                if (!d) break;
                umockdev_ioctl_data_set_ptr(d, 0, it->urb);  // the client sees its own urb, data synced back
                g_object_unref(it->urb);
                done.erase(it);
                ret = 0;
                error = 0;
                break;
            }
            break;
        }
        default:
            ret = -1;
            error = ENOTTY;
    }
    if (err) {
        std::fprintf(stderr, "usb testbed: %s\n", err->message);
        g_clear_error(&err);
        ret = -1;
        error = EFAULT;
    }
    if (d) g_object_unref(d);
    return ret;
}

gboolean UsbTestbed::Node::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n) {
    int error = 0;
    long ret = n->ioctl(c, error);
    n->updateReady();
    umockdev_ioctl_client_complete(c, ret, error);
    return TRUE;
}

// read() on usbfs gives the descriptors: libusb 0.1 scans with it.
gboolean UsbTestbed::Node::onRead(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n) {
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(c);
    if (n->unplugged.load()) {
        umockdev_ioctl_client_complete(c, -1, ENODEV);
        return TRUE;
    }
    size_t offset = GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(c), "offset"));
    if (offset == 0) n->owner->scans_++;
    Bytes all = n->endpoint->descriptors();
    size_t count =
        offset < all.size() ? std::min(all.size() - offset, static_cast<size_t>(arg->data_len)) : 0;
    std::memcpy(arg->data, all.data() + offset, count);
    g_object_set_data(G_OBJECT(c), "offset", GSIZE_TO_POINTER(offset + count));
    if (offset + count >= all.size() && n->vanishAfterScan.exchange(false)) ::unlink(n->file.c_str());
    umockdev_ioctl_client_complete(c, static_cast<glong>(count), 0);
    return TRUE;
}

void UsbTestbed::Node::onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* c, Node* n) {
    for (auto* list : {&n->pending, &n->done}) {
        for (auto it = list->begin(); it != list->end();) {
            if (it->client == c) {
                g_object_unref(it->urb);
                it = list->erase(it);
            } else {
                ++it;
            }
        }
    }
}

UsbTestbed::UsbTestbed(std::vector<UsbDevice> devices, UMockdevTestbed* shared)
    : testbed_(shared ? shared : umockdev_testbed_new()),
      ownsTestbed_(!shared),
      devices_(std::move(devices)) {
    reenumerations_.assign(devices_.size(), 0);
    current_.assign(devices_.size(), nullptr);
    // Only now is the answer reliable (umockdev caches its first one).
    if (!mocked()) return;
    // Buses 1 and 2 exist even without devices: libusb 0.1 then never scans the host's, and never
    // sees a bus go away between testbeds (it frees a vanished bus but not the devices on it).
    for (const char* bus : {"/dev/bus/usb/001", "/dev/bus/usb/002"}) {
        std::string folder = rootDir(testbed_) + bus;
        g_mkdir_with_parents(folder.c_str(), 0755);
    }
    for (size_t i = 0; i < devices_.size(); ++i) addNode(i, devices_[i].bus);
}

UsbTestbed::~UsbTestbed() {
    if (ownsTestbed_) g_object_unref(testbed_);  // stops the handlers before the nodes go
    for (Node* n : current_)
        if (n) n->endpoint->inputChanged = nullptr;
    nodes_.clear();
}

bool UsbTestbed::mocked() { return umockdev_in_mock_environment(); }

void UsbTestbed::addNode(size_t device, int bus) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    auto node = std::make_unique<Node>();
    Node* n = node.get();
    n->owner = this;
    n->device = device;
    n->bus = bus;
    n->address = nextAddress++;
    if (n->address >= 999) nextAddress = 64;
    n->endpoint = devices_[device].endpoint;
    char devnode[64], path[128];
    std::snprintf(devnode, sizeof devnode, "/dev/bus/usb/%03d/%03d", bus, n->address);
    // libusb-1.0 lists devices in the reverse order of their sysfs paths: the controllers are
    // numbered down so that its list follows the order of the testbed's devices.
    std::snprintf(path, sizeof path, "/devices/pci0000:00/0000:00:%02zx.0/usb%d/%d-%zu", 0x80 - device % 0x80,
                  bus, bus, device + 1);
    n->devnode = devnode;
    n->sysPath = std::string("/sys") + path;
    n->file = rootDir(testbed_) + devnode;

    Bytes all = n->endpoint->descriptors();
    if (all.size() < 18) throw std::runtime_error("usb testbed: no device descriptor");
    char ids[64];
    std::snprintf(ids, sizeof ids, "%02x%02x", all[9], all[8]);
    std::string vendor = ids;
    std::snprintf(ids, sizeof ids, "%02x%02x", all[11], all[10]);
    std::string product = ids;
    char numbers[256];
    std::snprintf(numbers, sizeof numbers,
                  "E: BUSNUM=%03d\nE: DEVNUM=%03d\nE: MAJOR=189\nE: MINOR=%d\nA: dev=189:%d\n"
                  "A: busnum=%d\\n\nA: devnum=%d\\n\nA: bDeviceClass=%02x\\n\nA: bNumConfigurations=%d\\n\n",
                  bus, n->address, n->address, n->address, bus, n->address, all[4], all[17]);
    // sysfs text attributes end in a newline ("\\n" in this format)
    std::string spec = std::string("P: ") + path + "\n" + "N: " + (devnode + 5) + "=" + hex(all) + "\n" +
                       "E: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DEVNAME=" + devnode + "\n" + numbers +
                       "A: idVendor=" + vendor + "\\n\nA: idProduct=" + product +
                       "\\n\nA: bcdDevice=0100\\n\n" +
                       "A: speed=12\\n\nA: bConfigurationValue=1\\n\nH: descriptors=" + hex(all) + "\n";
    GError* err = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, spec.c_str(), &err)) {
        std::string m = err->message;
        g_error_free(err);
        throw std::runtime_error("usb testbed: " + m);
    }
    ::unlink(n->file.c_str());
    if (mkfifo(n->file.c_str(), 0666) < 0 ||
        (n->fifo = open(n->file.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) < 0 ||
        fcntl(n->fifo, F_SETPIPE_SZ, 4096) < 0)
        throw std::runtime_error("usb testbed: cannot make the node " + n->file);
    n->setReady(false);

    n->handler = umockdev_ioctl_base_new();
    g_signal_connect(n->handler, "handle-ioctl", G_CALLBACK(Node::onIoctl), n);
    g_signal_connect(n->handler, "handle-read", G_CALLBACK(Node::onRead), n);
    g_signal_connect(n->handler, "client-vanished", G_CALLBACK(Node::onVanished), n);
    if (!umockdev_testbed_attach_ioctl(testbed_, devnode, n->handler, &err)) {
        std::string m = err->message;
        g_error_free(err);
        throw std::runtime_error("usb testbed: " + m);
    }
    n->endpoint->inputChanged = [this, device] {
        std::lock_guard<std::recursive_mutex> g(lock_);
        if (current_[device])
            current_[device]->setReady(true);  // libusb reaps, the handler completes IN URBs
    };
    current_[device] = n;
    nodes_.push_back(std::move(node));
}

// Called on the worker thread inside the reset: the old address is gone (its open descriptors
// fail with ENODEV), a new one appears with the descriptors the device has now.
void UsbTestbed::reenumerate(Node* node) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    node->unplugged = true;
    umockdev_testbed_uevent(testbed_, node->sysPath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, node->sysPath.c_str());
    ::unlink(node->file.c_str());
    reenumerations_[node->device]++;
    addNode(node->device, node->bus);
}

size_t UsbTestbed::size() const { return devices_.size(); }

std::string UsbTestbed::devnode(size_t i) const {
    std::lock_guard<std::recursive_mutex> g(lock_);
    return current_.at(i)->devnode;
}

int UsbTestbed::reenumerations(size_t i) const {
    std::lock_guard<std::recursive_mutex> g(lock_);
    return reenumerations_.at(i);
}

void UsbTestbed::removeNode(size_t i) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    ::unlink(current_.at(i)->file.c_str());
}

void UsbTestbed::removeNodeAfterScan(size_t i) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    current_.at(i)->vanishAfterScan = true;
}

unsigned UsbTestbed::scans() const { return scans_.load(); }

// Counted from this process's descriptors: umockdev does not tell a handler when its node is
// closed. Our own end of the FIFO does not count.
int UsbTestbed::openHandles(size_t i) const {
    std::lock_guard<std::recursive_mutex> g(lock_);
    const Node* n = current_.at(i);
    int count = 0;
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        if (fd.path().filename() == std::to_string(n->fifo)) continue;
        std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
        if (!ec && (target == n->file || target == n->file + " (deleted)")) ++count;
    }
    return count;
}

void UsbTestbed::unplug(size_t i) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    Node* n = current_.at(i);
    n->unplugged = true;
    umockdev_testbed_uevent(testbed_, n->sysPath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, n->sysPath.c_str());
    ::unlink(n->file.c_str());
    n->setReady(true);  // let libusb reap what was pending
}

void UsbTestbed::plugBack(size_t i) {
    std::lock_guard<std::recursive_mutex> g(lock_);
    reenumerations_.at(i)++;
    addNode(i, current_.at(i)->bus);
}

}  // namespace sim
