#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {

std::optional<std::vector<uint8_t>> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

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
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int saved = errno;
            ::close(fd);
            ::unlink(name.data());
            errno = saved;
            return fail("cannot write " + path);
        }
        done += static_cast<size_t>(n);
    }
    fchmod(fd, 0644);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
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
