#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <algorithm>

namespace platform {

std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes, ReadFailure* failure) {
    auto fail = [&](ReadFailure why) -> std::optional<std::vector<uint8_t>> {
        if (failure) *failure = why;
        return std::nullopt;
    };
    if (failure) *failure = ReadFailure::None;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(ReadFailure::CannotOpen);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0) return fail(ReadFailure::ReadError);
    if (!S_ISREG(st.st_mode)) return fail(ReadFailure::NotARegularFile);
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxBytes) return fail(ReadFailure::TooLarge);
    // The file may grow while it is read: never take more than the cap, and one byte more tells.
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size) + 1);
    size_t done = 0;
    while (true) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) return fail(ReadFailure::TooLarge);
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(ReadFailure::ReadError);
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    if (done > maxBytes) return fail(ReadFailure::TooLarge);
    bytes.resize(done);
    return bytes;
}

const char* describe(ReadFailure failure) {
    switch (failure) {
        case ReadFailure::None: return "read";
        case ReadFailure::CannotOpen: return "cannot be opened";
        case ReadFailure::NotARegularFile: return "not a regular file";
        case ReadFailure::TooLarge: return "too large";
        case ReadFailure::ReadError: return "read error";
    }
    return "read error";
}

namespace {

// Writes all of bytes to fd and flushes them; errno tells why when it fails.
bool writeAllAndSync(int fd, const unsigned char* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Closes fd keeping the errno of the failure before.
void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        return false;
    };
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return fail("cannot create " + temp);
    fchmod(fd, 0644);
    if (!writeAllAndSync(fd, bytes.data(), bytes.size())) {
        closeKeepingErrno(fd);
        const int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return fail("cannot write " + path);
    }
    if (::close(fd) != 0) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return fail("cannot flush " + path);
    }
    if (std::rename(name.data(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(name.data());
        errno = saved;
        return fail("cannot replace " + path);
    }
    return true;
}

bool writeFileFlushed(const std::string& path, const unsigned char* bytes, size_t size, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        return false;
    };
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return fail("cannot create " + path);
    if (!writeAllAndSync(fd, bytes, size)) {
        closeKeepingErrno(fd);
        return fail("cannot write " + path);
    }
    if (::close(fd) != 0) return fail("cannot close " + path);
    return true;
}

bool syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool createFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

std::string archiveFolderPath() {
    std::string dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        dataHome = xdg;
    } else {
        const char* home = std::getenv("HOME");
        dataHome = std::string(home && *home ? home : "/tmp") + "/.local/share";
    }
    return dataHome + "/VELMARHelmetsDeviceManager/VELMARHelmetsDeviceManagerArchive";
}

std::optional<std::string> ensureArchiveFolder() {
    std::string path = archiveFolderPath();
    if (!createFolders(path)) return std::nullopt;
    return path;
}

}  // namespace platform
