// The boot-loader program's flow. Every step that fails ends the run with a message naming the
// step and its address; everything checkable is checked before the chip is erased.
#include "stm32/BootProgram.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "stm32/ImageReader.h"
#include "stm32/Signals.h"
#include "stm32/Stm32.h"

namespace {

volatile sig_atomic_t stopSignal = 0;

// What a second stop request needs to leave at once: only async-signal-safe calls use it.
struct Emergency {
    int fd = -1;  // the device, opened before the port, to restore the settings found there
    termios found{};
    char tempPath[4096] = {};
    volatile sig_atomic_t tempSet = 0;
};
Emergency emergency;

void onStopSignal(int sig) {
    if (stopSignal) {
        if (emergency.fd >= 0) tcsetattr(emergency.fd, TCSANOW, &emergency.found);
        if (emergency.tempSet) unlink(emergency.tempPath);
        static const char msg[] = "Stopped at once by a second signal\n";
        ssize_t ignored = write(STDERR_FILENO, msg, sizeof msg - 1);
        (void)ignored;
        _exit(1);
    }
    stopSignal = sig;
    static const char msg[] = "Stopping after the current step; a second signal stops at once\n";
    ssize_t ignored = write(STDERR_FILENO, msg, sizeof msg - 1);
    (void)ignored;
}

void noteTempPath(const std::string& path) {
    emergency.tempSet = 0;
    if (path.empty() || path.size() >= sizeof emergency.tempPath) return;
    std::memcpy(emergency.tempPath, path.c_str(), path.size() + 1);
    emergency.tempSet = 1;
}

// Keeps the device's settings as found, for a second stop request that cannot wait for the
// port's own close.
struct DeviceSnapshot {
    explicit DeviceSnapshot(const char* device) {
        int fd = ::open(device, O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        if (!isatty(fd) || tcgetattr(fd, &emergency.found) != 0) {
            ::close(fd);
            return;
        }
        emergency.fd = fd;
    }
    DeviceSnapshot(const DeviceSnapshot&) = delete;
    DeviceSnapshot& operator=(const DeviceSnapshot&) = delete;
    ~DeviceSnapshot() {
        int fd = emergency.fd;
        emergency.fd = -1;
        if (fd >= 0) ::close(fd);
    }
};

// SIGINT and SIGTERM end the run at the next step or block, through the same clean-up as any
// failure; a wait on the chip already under way ends at its own time-out.
struct StopSignals {
    struct sigaction oldInt {}, oldTerm {}, oldPipe {};
    StopSignals() {
        stopSignal = 0;
        struct sigaction sa {};
        sa.sa_handler = onStopSignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &oldInt);
        sigaction(SIGTERM, &sa, &oldTerm);
        // A closed standard output fails the write instead of ending the process uncleaned.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, &oldPipe);
    }
    ~StopSignals() {
        sigaction(SIGINT, &oldInt, nullptr);
        sigaction(SIGTERM, &oldTerm, nullptr);
        sigaction(SIGPIPE, &oldPipe, nullptr);
    }
};

bool stopped(const char* step, int64_t address = -1) {
    if (!stopSignal) return false;
    if (address < 0)
        bl_log("Stopped by signal %d while %s", int(stopSignal), step);
    else
        bl_log("Stopped by signal %d while %s at 0x%08x", int(stopSignal), step, uint32_t(address));
    return true;
}

// What the run holds; released on every way out.
struct Session {
    std::optional<DeviceSnapshot> snapshot;  // dropped last, after the port's own close
    port_ops* port = nullptr;
    stm32_conn* conn = nullptr;
    const image_reader* parser = nullptr;
    void* parserState = nullptr;
    std::string tempPath;
    std::string savePath;  // what the temporary file becomes once a read is complete

    void closeParser() {
        if (parser && parserState) parser->close(parserState);
        parserState = nullptr;
    }
    void setTempPath(const std::string& path) {
        tempPath = path;
        noteTempPath(path);
    }
    ~Session() {
        closeParser();
        noteTempPath("");
        if (!tempPath.empty()) ::unlink(tempPath.c_str());
        if (conn) stm32_disconnect(conn);
        if (port) port->close(port);
    }
};

// Logs progress at every tenth of a long operation.
class Progress {
public:
    Progress(const char* what, uint64_t total) : what_(what), total_(total) {}
    void at(uint32_t address, uint64_t done) {
        int tenth = total_ ? int(done * 10 / total_) : 10;
        if (tenth == shown_) return;
        shown_ = tenth;
        bl_log("%s address 0x%08x (%d%%)", what_, address, tenth * 10);
    }

private:
    const char* what_;
    uint64_t total_;
    int shown_ = 0;
};

bool endsWithHex(const char* name) {
    size_t n = std::strlen(name);
    return n >= 4 && strcasecmp(name + n - 4, ".hex") == 0;
}

bool rangeGiven(const bl_settings& s) { return s.start_addr || s.readwrite_len; }

bool inside(uint64_t start, uint64_t length, uint64_t lo, uint64_t hi) {
    return start >= lo && start + length <= hi;
}

uint32_t flashPages(const stm32_chip_row* dev) { return flash_pages_below(dev, dev->flash_end); }

// The first page holding a byte at address (flash_pages_below counts a partly covered page).
uint32_t pageOf(const stm32_chip_row* dev, uint32_t address) {
    return address == dev->flash_start ? 0 : flash_pages_below(dev, address + 1) - 1;
}

struct PageRange {
    uint32_t first = 0;
    uint32_t count = 0;
};

// The pages holding [address, address + length), which lies inside the flash.
PageRange pagesHolding(const stm32_chip_row* dev, uint32_t address, uint32_t length) {
    PageRange r;
    r.first = pageOf(dev, address);
    r.count = flash_pages_below(dev, address + length) - r.first;
    return r;
}

bool pagesInFlash(const stm32_chip_row* dev, uint32_t first, uint32_t count) {
    if (uint64_t(first) + count > flashPages(dev)) {
        bl_log("Refused: pages %u to %u pass the flash end (%u pages)", first, first + count - 1, flashPages(dev));
        return false;
    }
    return true;
}

bool erasePages(const stm32_conn* conn, PageRange r) {
    if (r.count == 0) return true;
    bl_log("Erasing %u pages from page %u", r.count, r.first);
    if (stm32_mem_erase(conn, r.first, r.count) != STM32_OK) {
        bl_log("Failed to erase %u pages from page %u", r.count, r.first);
        return false;
    }
    return true;
}

// An image read whole before the chip is woken.
struct Image {
    std::vector<uint8_t> bytes;
    std::vector<image_span> named;  // the bytes the file names, as offsets into bytes
    bool hasBase = false;           // a HEX file's own base: bytes[0] lies at base + skip
    uint32_t base = 0;
    uint32_t skip = 0;
};

// Says, before they go, which bytes of the erased pages the file does not name: an erase can
// take more than the file replaces.
void tellUnnamed(const stm32_chip_row* d, PageRange r, uint64_t address, const std::vector<image_span>& named) {
    for (uint32_t p = r.first; p < r.first + r.count; ++p) {
        const uint64_t start = flash_page_start(d, p), end = flash_page_start(d, p + 1);
        uint64_t at = start;  // the first byte of the page not yet accounted for
        auto tell = [&](uint64_t upTo) {
            if (upTo > at)
                bl_log("erasing page %u also clears 0x%08llx to 0x%08llx, which the file does not name", p,
                       (unsigned long long)at, (unsigned long long)upTo);
        };
        for (const image_span& run : named) {
            const uint64_t runStart = address + run.start, runEnd = address + run.end;
            if (runEnd <= at) continue;
            if (runStart >= end) break;
            tell(std::min(runStart, end));
            at = std::max(at, runEnd);
        }
        tell(end);
    }
}

void showChip(const stm32_conn* conn) {
    const stm32_chip_row* d = conn->dev;
    bl_log("Version         : 0x%02x (GVR 0x%02x)", conn->bl_version, conn->version);
    bl_log("Option 1        : 0x%02x", conn->option1);
    bl_log("Option 2        : 0x%02x", conn->option2);
    bl_log("Device ID       : 0x%04x (%s)", conn->pid, d->name);
    bl_log("- RAM           : 0x%08x to 0x%08x (%u KiB)", d->ram_start, d->ram_end,
           (d->ram_end - d->ram_start) / 1024);
    bl_log("- Flash         : 0x%08x to 0x%08x (%u KiB, %u pages)", d->flash_start, d->flash_end,
           (d->flash_end - d->flash_start) / 1024, flashPages(d));
    bl_log("- Option bytes  : 0x%08x to 0x%08x", d->option_start, d->option_end);
    bl_log("- System memory : 0x%08x to 0x%08x", d->sysmem_start, d->sysmem_end);
}

// The range of a read or CRC: -S, else the flash from its start; a start outside the flash
// needs a length.
bool readRange(const bl_settings& s, const stm32_chip_row* d, uint32_t* start, uint32_t* length) {
    *start = rangeGiven(s) ? s.start_addr : d->flash_start;
    *length = s.readwrite_len;
    if (*length) return true;
    if (*start < d->flash_start || *start >= d->flash_end) {
        bl_log("Refused: the start 0x%08x lies outside the flash; give a length with -S address:length", *start);
        return false;
    }
    *length = d->flash_end - *start;
    return true;
}

// What a name that is not a regular file stands for, for the messages that refuse it.
struct FileKind {
    mode_t type;
    const char* name;
};
const FileKind kFileKinds[] = {
    {S_IFDIR, "a directory"}, {S_IFIFO, "a FIFO"},    {S_IFCHR, "a character device"},
    {S_IFBLK, "a block device"}, {S_IFSOCK, "a socket"},
};
const char* kindOf(mode_t mode) {
    for (const FileKind& k : kFileKinds)
        if ((mode & S_IFMT) == k.type) return k.name;
    return "not a regular file";
}

// The name a symbolic link finally stands for (a link to a name not made yet included), so that a
// saved read replaces the file the link points to and the link stays.
std::string followLinks(std::string path) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        fs::path link = fs::read_symlink(path, ec);
        if (ec) return path;
        path = link.is_absolute() ? link.string() : (fs::path(path).parent_path() / link).string();
    }
    return path;  // a loop of links: the open that follows fails on it
}

// Opens where a read goes before the chip is woken. A regular file, or a name not made yet, is
// written beside its final name and renamed at the end, so a failed read leaves an older file of
// that name as it was; a FIFO or a character device is written directly; anything else is refused.
bool openReadTarget(Session& session, const bl_settings& s) {
    std::string target = "-";
    if (std::strcmp(s.filename, "-") != 0) {
        const std::string final = followLinks(s.filename);
        struct stat st {};
        const bool exists = ::stat(final.c_str(), &st) == 0;
        if (!exists && errno != ENOENT) {
            bl_log("Failed to open %s: %s", s.filename, std::strerror(errno));
            return false;
        }
        if (exists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
            target = final;
        } else if (exists && !S_ISREG(st.st_mode)) {
            bl_log("Refused: %s is %s; a read is saved to a regular file, a FIFO or a character device", s.filename,
                   kindOf(st.st_mode));
            return false;
        } else {
            std::string tmpl = final + ".XXXXXX";
            int fd = mkstemp(tmpl.data());
            if (fd < 0) {
                bl_log("Failed to create a file beside %s: %s", final.c_str(), std::strerror(errno));
                return false;
            }
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, 0644 & ~mask);
            ::close(fd);
            session.setTempPath(tmpl);
            session.savePath = final;
            target = tmpl;
        }
    }
    session.parser = &raw_binary_reader;
    session.parserState = raw_binary_reader.init();
    if (!session.parserState) {
        bl_log("Failed to open %s for writing: out of memory", s.filename);
        return false;
    }
    if (raw_binary_reader.open(session.parserState, target.c_str(), true) != IMAGE_ERR_OK) {
        bl_log("Failed to open %s for writing: %s", s.filename,
               errno == ENXIO ? "no program reads that FIFO" : std::strerror(errno));
        return false;
    }
    return true;
}

bool readToFile(Session& session, const bl_settings& s) {
    const stm32_chip_row* d = session.conn->dev;
    uint32_t start = 0, length = 0;
    if (!readRange(s, d, &start, &length)) return false;

    bl_log("Reading %u bytes from 0x%08x", length, start);
    Progress progress("Read", length);
    uint8_t buf[STM32_MAX_RW];
    for (uint64_t done = 0; done < length;) {
        uint32_t address = uint32_t(start + done);
        if (stopped("reading", address)) return false;
        unsigned n = unsigned(std::min<uint64_t>(STM32_MAX_RW, length - done));
        if (stm32_mem_read(session.conn, address, buf, n) != STM32_OK) {
            bl_log("Failed to read memory at address 0x%08x", address);
            return false;
        }
        if (raw_binary_reader.write(session.parserState, buf, n) != IMAGE_ERR_OK) {
            bl_log("Failed to write %s: %s", s.filename, std::strerror(errno));
            return false;
        }
        done += n;
        progress.at(uint32_t(start + done), done);
    }
    session.closeParser();
    if (!session.tempPath.empty()) {
        if (std::rename(session.tempPath.c_str(), session.savePath.c_str()) != 0) {
            bl_log("Failed to save %s: %s", s.filename, std::strerror(errno));
            return false;
        }
        session.setTempPath("");
    }
    const bool toStdout = std::strcmp(s.filename, "-") == 0;
    bl_log("Read %u bytes from 0x%08x into %s", length, start, toStdout ? "standard output" : s.filename);
    return true;
}

bool memoryCrc(const stm32_conn* conn, const bl_settings& s) {
    uint32_t start = 0, length = 0;
    if (!readRange(s, conn->dev, &start, &length)) return false;
    uint32_t crc = 0;
    if (stm32_mem_crc(conn, start, length, &crc) != STM32_OK) {
        bl_log("Failed to compute the CRC of 0x%08x to 0x%08x", start, uint32_t(start + length));
        return false;
    }
    bl_log("CRC(0x%08x-0x%08x) = 0x%08x", start, uint32_t(start + length), crc);
    return true;
}

// Standard input has no size to ask: it is read to its end.
bool readStandardInput(Image& image) {
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            bl_log("Failed to read standard input: %s", std::strerror(errno));
            return false;
        }
        if (n == 0) return true;
        if (image.bytes.size() + size_t(n) > kLargestImage) {
            bl_log("Refused: standard input holds more than any chip's flash (%llu bytes)",
                   (unsigned long long)kLargestImage);
            return false;
        }
        image.bytes.insert(image.bytes.end(), buf, buf + n);
    }
}

// Reads the whole image with the parser its name asks for (never a fall-back from a HEX file).
// A HEX image starts at its first data byte: the filler before it is not the file's to write.
bool readImageFile(const bl_settings& s, Image& image) {
    struct stat st {};
    if (::stat(s.filename, &st) != 0) {
        bl_log("Failed to open %s: %s", s.filename, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        bl_log("Refused: %s is %s; an image is read from a regular file or standard input (\"-\")", s.filename,
               kindOf(st.st_mode));
        return false;
    }
    const image_reader* parser = !s.force_binary && endsWithHex(s.filename) ? &intel_hex_reader : &raw_binary_reader;
    void* state = parser->init();
    if (!state) {
        bl_log("Failed to open %s: out of memory", s.filename);
        return false;
    }
    struct Closer {
        const image_reader* parser;
        void* state;
        ~Closer() { parser->close(state); }
    } closer{parser, state};
    int r = parser->open(state, s.filename, false);
    if (r != IMAGE_ERR_OK) {
        bl_log("Failed to open %s as %s: %s", s.filename, parser->name,
               r == IMAGE_ERR_INVALID_FILE ? "not a valid file" : std::strerror(errno));
        return false;
    }
    // Only what is written is read: -S with a length may take the head of a larger file.
    uint64_t size = parser->size(state);
    if (parser != &intel_hex_reader && rangeGiven(s) && s.readwrite_len) size = std::min<uint64_t>(size, s.readwrite_len);
    if (size > kLargestImage) {
        bl_log("Refused: %s holds %llu bytes, more than any chip's flash (%llu bytes)", s.filename,
               (unsigned long long)size, (unsigned long long)kLargestImage);
        return false;
    }
    std::vector<uint8_t> all(size);
    unsigned int n = unsigned(all.size());
    if (parser->read(state, all.data(), &n) != IMAGE_ERR_OK || n != all.size()) {
        bl_log("Failed to read %s: %s", s.filename, std::strerror(errno));
        return false;
    }
    if (parser != &intel_hex_reader) {
        image.bytes = std::move(all);
        if (!image.bytes.empty()) image.named = {{0, uint32_t(image.bytes.size())}};
        return true;
    }
    image.hasBase = intel_hex_base(state, &image.base);
    image.named = intel_hex_named(state);
    if (image.named.empty()) return true;
    image.skip = image.named.front().start;
    image.bytes.assign(all.begin() + image.skip, all.begin() + image.named.back().end);
    for (image_span& run : image.named) {
        run.start -= image.skip;
        run.end -= image.skip;
    }
    return true;
}

// Reads and checks what can be checked without the chip, before it is woken.
bool loadImage(const bl_settings& s, Image& image) {
    const bool fromStdin = std::strcmp(s.filename, "-") == 0;
    if (fromStdin ? !readStandardInput(image) : !readImageFile(s, image)) return false;
    if (fromStdin && !image.bytes.empty()) image.named = {{0, uint32_t(image.bytes.size())}};
    if (image.bytes.empty()) {
        bl_log("Refused: %s holds no data to write", fromStdin ? "standard input" : s.filename);
        return false;
    }
    // -S with a length writes no more than that.
    if (rangeGiven(s) && s.readwrite_len && s.readwrite_len < image.bytes.size()) {
        image.bytes.resize(s.readwrite_len);
        std::vector<image_span> kept;
        for (image_span run : image.named) {
            if (run.start >= s.readwrite_len) break;
            run.end = std::min(run.end, s.readwrite_len);
            kept.push_back(run);
        }
        image.named = std::move(kept);
    }
    return true;
}

bool writeImage(const stm32_conn* conn, const bl_settings& s, const Image& image) {
    const stm32_chip_row* d = conn->dev;
    // A HEX file's data go to the address they name; a raw image to -S or the flash start.
    const uint64_t address = rangeGiven(s) ? s.start_addr : uint64_t(image.hasBase ? image.base : d->flash_start) + image.skip;
    const uint64_t size = image.bytes.size();

    // Checked before anything is erased.
    if (address % 4) {
        bl_log("Refused: the write address 0x%08llx is not 4-byte aligned", (unsigned long long)address);
        return false;
    }
    const bool inFlash = inside(address, size, d->flash_start, d->flash_end);
    if (!inFlash && !inside(address, size, d->ram_start, d->ram_end)) {
        bl_log("Refused: 0x%08llx to 0x%08llx lies outside the chip's flash and RAM", (unsigned long long)address,
               (unsigned long long)(address + size));
        return false;
    }
    if (stopped("erasing", int64_t(address))) return false;
    if (inFlash && !s.no_erase) {
        PageRange r = s.npages ? PageRange{s.spage, s.npages} : pagesHolding(d, uint32_t(address), uint32_t(size));
        if (!pagesInFlash(d, r.first, r.count)) return false;
        tellUnnamed(d, r, address, image.named);
        if (!erasePages(conn, r)) return false;
    }

    bl_log("Writing %llu bytes at 0x%08llx%s", (unsigned long long)size, (unsigned long long)address,
           s.verify ? " with verify" : "");
    Progress progress("Write", size);
    const uint32_t attempts = std::max<uint32_t>(s.retry, 1);
    uint8_t back[STM32_MAX_RW];
    for (uint64_t done = 0; done < size;) {
        uint32_t at = uint32_t(address + done);
        unsigned n = unsigned(std::min<uint64_t>(STM32_MAX_RW, size - done));
        const uint8_t* block = image.bytes.data() + done;
        bool ok = false;
        for (uint32_t attempt = 0; attempt < attempts && !ok; ++attempt) {
            if (stopped("writing", at)) return false;
            if (stm32_mem_write(conn, at, block, n) != STM32_OK) continue;
            if (!s.verify) {
                ok = true;
            } else if (stm32_mem_read(conn, at, back, n) == STM32_OK) {
                ok = std::memcmp(back, block, n) == 0;
                if (!ok) bl_log("Verify found a difference in the block at 0x%08x", at);
            }
        }
        if (!ok) {
            bl_log("Failed to %s the block at address 0x%08x after %u attempts", s.verify ? "write and verify" : "write",
                   at, attempts);
            return false;
        }
        done += n;
        progress.at(uint32_t(address + done), done);
    }
    bl_log("Wrote %s%llu bytes at 0x%08llx", s.verify ? "and verified " : "", (unsigned long long)size,
           (unsigned long long)address);
    return true;
}

bool eraseOnly(const stm32_conn* conn, const bl_settings& s) {
    const stm32_chip_row* d = conn->dev;
    if (s.no_erase) {
        bl_log("Nothing erased (-e 0)");
        return true;
    }
    PageRange r;
    if (rangeGiven(s)) {
        uint64_t length = s.readwrite_len ? s.readwrite_len : uint64_t(d->flash_end) - s.start_addr;
        if (!inside(s.start_addr, length, d->flash_start, d->flash_end) || length == 0) {
            bl_log("Refused: the erase range from 0x%08x lies outside the flash", s.start_addr);
            return false;
        }
        r = pagesHolding(d, s.start_addr, uint32_t(length));
    } else if (s.npages) {
        r = {s.spage, s.npages};
    } else if (s.spage) {
        if (s.spage >= flashPages(d)) {
            bl_log("Refused: page %u lies past the flash end (%u pages)", s.spage, flashPages(d));
            return false;
        }
        r = {s.spage, flashPages(d) - s.spage};
    } else {
        bl_log("Erasing the whole flash");
        if (stm32_mem_erase(conn, 0, STM32_MASS_ERASE) != STM32_OK) {
            bl_log("Failed to erase the whole flash");
            return false;
        }
        bl_log("Erased the whole flash");
        return true;
    }
    if (!pagesInFlash(d, r.first, r.count) || !erasePages(conn, r)) return false;
    bl_log("Erased %u pages from page %u", r.count, r.first);
    return true;
}

struct Protection {
    int action;
    int (*change)(const stm32_conn*);
    const char* what;
};
const Protection kProtections[] = {
    {ACT_WRITE_UNPROTECT, stm32_write_unprotect, "lift the write protection"},
    {ACT_READ_PROTECT, stm32_readout_protect, "set the read-out protection"},
    {ACT_READ_UNPROTECT, stm32_readout_unprotect, "lift the read-out protection"},
};

bool changeProtection(const stm32_conn* conn, int action) {
    for (const auto& p : kProtections) {
        if (p.action != action) continue;
        if (p.change(conn) != STM32_OK) {
            bl_log("Failed to %s", p.what);
            return false;
        }
        bl_log("Done: %s; the chip resets", p.what);
        return true;
    }
    return false;
}

bool hasExitPart(const char* gpio) {
    const char* colon = gpio ? std::strchr(gpio, ':') : nullptr;
    return colon && colon[1] != '\0';
}

int runSession(Session& session, const bl_settings& s) {
    // The files first: a file that cannot be used stops the run before the chip is woken.
    Image image;
    if (s.action == ACT_WRITE && !loadImage(s, image)) return 1;
    if (s.action == ACT_READ && !openReadTarget(session, s)) return 1;

    session.snapshot.emplace(s.port.device);
    port_settings options = s.port;
    if (port_try_open(&options, &session.port) != PORT_ERR_OK) {
        session.port = nullptr;
        bl_log("Failed to open the port %s", s.port.device);
        return 1;
    }
    bl_log("Interface %s: %s", session.port->name, session.port->cfg_str(session.port));
    if (!signal_entry_sequence(session.port, s.gpio_seq)) {
        bl_log("Failed to run the GPIO entry sequence \"%s\"", s.gpio_seq);
        return 1;
    }
    if (stopped("connecting")) return 1;
    session.conn = stm32_connect(session.port, s.init_flag ? 1 : 0);
    if (!session.conn) {
        bl_log("Failed to connect to the boot loader on %s", s.port.device);
        return 1;
    }
    showChip(session.conn);
    if (stopped("connected")) return 1;

    bool ok = true;
    bool left = false;  // the boot loader has left: nothing more may be sent to it
    switch (s.action) {
    case ACT_READ:
        ok = readToFile(session, s);
        break;
    case ACT_WRITE:
        ok = writeImage(session.conn, s, image);
        break;
    case ACT_CRC:
        ok = memoryCrc(session.conn, s);
        break;
    case ACT_ERASE_ONLY:
        ok = eraseOnly(session.conn, s);
        break;
    case ACT_WRITE_UNPROTECT:
    case ACT_READ_PROTECT:
    case ACT_READ_UNPROTECT:
        ok = changeProtection(session.conn, s.action);
        left = true;
        break;
    default:
        break;
    }
    if (!ok) return 1;

    if (s.exec_flag && left) bl_log("No go sent: the chip resets after the protection change");
    if (s.exec_flag && !left) {
        bl_log("Starting execution at 0x%08x", s.execute);
        if (stm32_jump_to(session.conn, s.execute) != STM32_OK) {
            bl_log("Failed to start execution at 0x%08x", s.execute);
            return 1;
        }
        left = true;
    }
    const bool leaveAsked = s.reset_flag || s.gpio_seq;
    if (leaveAsked && left && !hasExitPart(s.gpio_seq)) bl_log("No reset sent: the chip has left the boot loader");
    if (leaveAsked && (!left || hasExitPart(s.gpio_seq))) {
        if (!signal_exit_sequence(left ? nullptr : session.conn, session.port, s.gpio_seq)) {
            bl_log(hasExitPart(s.gpio_seq) ? "Failed to run the GPIO exit sequence" : "Failed to reset the chip");
            return 1;
        }
    }
    return 0;
}

}  // namespace

int bl_run(const bl_settings& s) {
    StopSignals signals;
    Session session;
    return runSession(session, s);
}

int bl_main(int argc, char* argv[]) {
    bl_settings settings;
    if (bl_read_options(argc, argv, &settings) != 0) return 1;
    return bl_run(settings);
}
