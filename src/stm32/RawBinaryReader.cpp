// Raw binary images: the file's bytes as they stand; "-" is standard input or output.
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "stm32/ImageReader.h"


namespace {

struct RawState {
    int fd = -1;
    bool forWriting = false;
    bool ownsFd = false;  // standard input and output stay open at close
    uint64_t size = 0;    // file size when reading, bytes written when writing
};

void* rawInit() { return new (std::nothrow) RawState; }

// Opens without blocking: a FIFO with no reader fails (ENXIO) instead of holding the open, and
// one with no writer cannot hold a read's open either. Blocking is restored for the transfers.
int openNonBlocking(const char* name, int flags, mode_t mode = 0) {
    int fd = ::open(name, flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int rawOpen(void* state, const char* name, bool forWriting) {
    auto* s = static_cast<RawState*>(state);
    bool stdio = name[0] == '-' && name[1] == '\0';
    s->forWriting = forWriting;
    s->size = 0;
    if (forWriting) {
        s->fd = stdio ? STDOUT_FILENO : openNonBlocking(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else if (stdio) {
        s->fd = STDIN_FILENO;
    } else {
        struct stat st {};
        if (::stat(name, &st) != 0) return IMAGE_ERR_INVALID_FILE;
        s->fd = openNonBlocking(name, O_RDONLY);
        if (s->fd < 0) return IMAGE_ERR_SYSTEM;
        // Checked on what was opened: only a regular file has a size to read, and the size is
        // reported in 32 bits, so a larger file would wrap.
        if (::fstat(s->fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) > UINT32_MAX) {
            ::close(s->fd);
            s->fd = -1;
            return IMAGE_ERR_INVALID_FILE;
        }
        s->size = uint64_t(st.st_size);
    }
    if (s->fd < 0) return IMAGE_ERR_SYSTEM;
    s->ownsFd = !stdio;
    return IMAGE_ERR_OK;
}

int rawClose(void* state) {
    auto* s = static_cast<RawState*>(state);
    if (s->ownsFd && s->fd >= 0) ::close(s->fd);
    delete s;
    return IMAGE_ERR_OK;
}

uint32_t rawSize(void* state) { return uint32_t(static_cast<RawState*>(state)->size); }

int rawRead(void* state, void* buffer, unsigned int* length) {
    auto* s = static_cast<RawState*>(state);
    if (s->forWriting) return IMAGE_ERR_WRONLY;
    unsigned int done = 0;
    while (done < *length) {
        ssize_t n = ::read(s->fd, static_cast<uint8_t*>(buffer) + done, *length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 && done == 0) {
            *length = 0;
            return IMAGE_ERR_OK;
        }
        if (n <= 0) return IMAGE_ERR_SYSTEM;
        done += unsigned(n);
    }
    return IMAGE_ERR_OK;
}

int rawWrite(void* state, const void* data, unsigned int length) {
    auto* s = static_cast<RawState*>(state);
    if (!s->forWriting) return IMAGE_ERR_RDONLY;
    unsigned int done = 0;
    while (done < length) {
        ssize_t n = ::write(s->fd, static_cast<const uint8_t*>(data) + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 1) return IMAGE_ERR_SYSTEM;
        done += unsigned(n);
        s->size += uint64_t(n);
    }
    return IMAGE_ERR_OK;
}

}  // namespace

const image_reader raw_binary_reader = {"Raw BINARY", rawInit, rawOpen, rawClose, rawSize, rawRead, rawWrite};

