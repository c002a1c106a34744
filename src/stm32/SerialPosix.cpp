#include "stm32/SerialPosix.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct tty_state {
    int fd;
    bool is_tty;
    termios found;   // restored at close
    termios in_force;
    char cfg[16];
};

tty_state* state_of(port_ops* port) { return static_cast<tty_state*>(port->priv); }

// A transfer on a port that is not open: failed, with errno saying why as any other failure.
int closed_port() {
    errno = EBADF;
    return PORT_ERR_UNKNOWN;
}

// Indices 0-8 and 10 of the rate table: the rates this port is offered.
speed_t speed_of(int code) {
    static constexpr speed_t speeds[] = {B1200, B1800, B2400, B4800, B9600, B19200, B38400, B57600, B115200};
    if (code >= 0 && code <= 8) return speeds[code];
    if (code == 10) return B230400;
    return B0;
}

bool mode_valid(const char* mode) {
    return data_bits_code_of(mode) < 4 && parity_code_of(mode) < 3 && stop_bits_code_of(mode) < 2;
}

}  // namespace

int tty_make_settings(const port_settings* options, const termios* found, termios* out) {
    speed_t speed = speed_of(options->baud);
    int bits = data_bits_code_of(options->serial_mode);
    int parity = parity_code_of(options->serial_mode);
    int stop = stop_bits_code_of(options->serial_mode);
    if (speed == B0 || bits >= 4 || parity >= 3 || (stop != 0 && stop != 1)) return PORT_ERR_UNKNOWN;

    termios t = *found;
    cfmakeraw(&t);
    t.c_iflag &= ~(IXON | IXOFF | IXANY | IGNPAR);
    t.c_oflag &= ~(OPOST | ONLCR);
    // Parity and stop bits found on the device would otherwise survive into the requested mode.
    t.c_cflag &= ~(CSIZE | CRTSCTS | PARENB | PARODD | CSTOPB);
    t.c_lflag &= ~(ECHOK | ECHOCTL | ECHOKE);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[bits] | CREAD | CLOCAL;
    if (parity == 1) t.c_cflag |= PARENB;
    if (parity == 2) t.c_cflag |= PARENB | PARODD;
    if (parity != 0) t.c_iflag |= INPCK;
    if (stop == 1) t.c_cflag |= CSTOPB;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 5;  // a read waits at most 0.5 s for its first byte
    *out = t;
    return PORT_ERR_OK;
}

int tty_open(port_ops* port, port_settings* options) {
    if (options->baud == 19 || !mode_valid(options->serial_mode) || !options->device) return PORT_ERR_UNKNOWN;

    int fd = open(options->device, O_RDWR | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return PORT_ERR_UNKNOWN;
    int fl = fcntl(fd, F_GETFL);
    if (fl < 0 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) < 0) {
        close(fd);
        return PORT_ERR_UNKNOWN;
    }

    auto* st = new tty_state{};
    st->fd = fd;
    st->is_tty = tcgetattr(fd, &st->found) == 0 && tcgetattr(fd, &st->in_force) == 0;
    if (!st->is_tty) fprintf(stderr, "Warning: Not a tty: %s\n", options->device);

    termios wanted{};
    if (tty_make_settings(options, &st->in_force, &wanted) != PORT_ERR_OK) {
        close(fd);
        delete st;
        return PORT_ERR_UNKNOWN;
    }
    if (st->is_tty) {
        tcflush(fd, TCIFLUSH);
        if (tcsetattr(fd, TCSANOW, &wanted) != 0) {
            close(fd);
            delete st;
            return PORT_ERR_UNKNOWN;
        }
        st->in_force = wanted;
    }
    snprintf(st->cfg, sizeof st->cfg, "%u %d%c%d", baud_rate_of(options->baud),
             data_bits_of(data_bits_code_of(options->serial_mode)),
             parity_letter_of(parity_code_of(options->serial_mode)),
             stop_bits_of(stop_bits_code_of(options->serial_mode)));
    port->priv = st;
    return PORT_ERR_OK;
}

int tty_close(port_ops* port) {
    tty_state* st = state_of(port);
    if (!st) return PORT_ERR_UNKNOWN;
    if (st->is_tty) {
        tcflush(st->fd, TCIFLUSH);
        tcsetattr(st->fd, TCSANOW, &st->found);
    }
    close(st->fd);
    delete st;
    port->priv = nullptr;
    return PORT_ERR_OK;
}

int tty_read(port_ops* port, void* buf, size_t len) {
    tty_state* st = state_of(port);
    if (!st) return closed_port();
    auto* p = static_cast<uint8_t*>(buf);
    while (len > 0) {
        if (!st->is_tty) {
            // No terminal time-out here: wait for the first byte as a terminal would.
            pollfd pfd{st->fd, POLLIN, 0};
            int r = poll(&pfd, 1, 500);
            if (r == 0) return PORT_ERR_TIMEDOUT;
            if (r < 0) {
                if (errno == EINTR) continue;
                return PORT_ERR_UNKNOWN;
            }
        }
        ssize_t n = read(st->fd, p, len);
        if (n == 0) return PORT_ERR_TIMEDOUT;
        if (n < 0) {
            if (errno == EINTR) continue;
            return PORT_ERR_UNKNOWN;
        }
        p += n;
        len -= size_t(n);
    }
    return PORT_ERR_OK;
}

int tty_write(port_ops* port, const void* buf, size_t len) {
    tty_state* st = state_of(port);
    if (!st) return closed_port();
    auto* p = static_cast<const uint8_t*>(buf);
    while (len > 0) {
        ssize_t n = write(st->fd, p, len);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n < 1) return PORT_ERR_UNKNOWN;
        p += n;
        len -= size_t(n);
    }
    return PORT_ERR_OK;
}

int tty_set_signal(port_ops* port, int line, int level) {
    tty_state* st = state_of(port);
    if (!st) return PORT_ERR_UNKNOWN;
    if (line == GPIO_BRK) {
        if (level == 1 && tcsendbreak(st->fd, 0) != 0) return PORT_ERR_UNKNOWN;
        return PORT_ERR_OK;
    }
    int bit = line == GPIO_RTS ? TIOCM_RTS : line == GPIO_DTR ? TIOCM_DTR : 0;
    if (!bit) return PORT_ERR_UNKNOWN;
    int lines = 0;
    if (ioctl(st->fd, TIOCMGET, &lines) != 0) return PORT_ERR_UNKNOWN;
    if (level == 1) lines |= bit;
    else if (level == 0) lines &= ~bit;
    if (ioctl(st->fd, TIOCMSET, &lines) != 0) return PORT_ERR_UNKNOWN;
    return PORT_ERR_OK;
}

const char* tty_describe(port_ops* port) {
    tty_state* st = state_of(port);
    return st ? st->cfg : "INVALID";
}
