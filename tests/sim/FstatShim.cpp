// umockdev 0.17 does not wrap fstat(), so a descriptor of a simulated node looks like a regular
// file with no device number, and hidapi's device-info calls fail. This maps such a descriptor
// back to its node under $UMOCKDEV_DIR/dev and takes major:minor from umockdev's
// $UMOCKDEV_DIR/dev/.node/<name> link. Defined in the test executable, it takes precedence over
// libc's fstat for hidapi too.
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace sim {
// Referenced by the testbed so that the linker keeps this file.
void linkFstatShim() {}
}  // namespace sim

namespace {

void fixDeviceNumber(int fd, struct stat* st) {
    const char* root = std::getenv("UMOCKDEV_DIR");
    if (!root) return;
    char link[64], path[4096], majmin[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (n < 0) return;
    path[n] = 0;
    std::string devDir = std::string(root) + "/dev/";
    if (std::strncmp(path, devDir.c_str(), devDir.size()) != 0) return;
    std::string name = path + devDir.size();
    for (char& c : name)
        if (c == '/') c = '_';
    std::string node = devDir + ".node/" + name;
    n = readlink(node.c_str(), majmin, sizeof majmin - 1);
    if (n < 0) return;
    majmin[n] = 0;
    unsigned major = 0, minor = 0;
    if (std::sscanf(majmin, "%u:%u", &major, &minor) != 2) return;
    st->st_rdev = makedev(major, minor);
    st->st_mode = (st->st_mode & ~S_IFMT) | S_IFCHR;
}

}  // namespace

extern "C" int fstat(int fd, struct stat* st) noexcept {
    using Fn = int (*)(int, struct stat*);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "fstat"));
    int r = real(fd, st);
    if (r == 0) fixDeviceNumber(fd, st);
    return r;
}

extern "C" int fstat64(int fd, struct stat64* st) noexcept {
    using Fn = int (*)(int, struct stat64*);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "fstat64"));
    int r = real(fd, st);
    if (r == 0) fixDeviceNumber(fd, reinterpret_cast<struct stat*>(st));
    return r;
}
