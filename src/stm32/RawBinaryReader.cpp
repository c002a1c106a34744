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

int rawOpen(void* state, const char* name, bool forWriting) {
    auto* s = static_cast<RawState*>(state);
    bool stdio = name[0] == '-' && name[1] == '\0';
    s->forWriting = forWriting;
    s->size = 0;
    if (forWriting) {
        s->fd = stdio ? STDOUT_FILENO : ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    } else if (stdio) {
        s->fd = STDIN_FILENO;
    } else {
        struct stat st {};
        if (::stat(name, &st) != 0) return IMAGE_ERR_INVALID_FILE;
        // The size is reported in 32 bits: a larger file would wrap.
        if (uint64_t(st.st_size) > UINT32_MAX) return IMAGE_ERR_INVALID_FILE;
        s->size = uint64_t(st.st_size);
        s->fd = ::open(name, O_RDONLY | O_CLOEXEC);
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

