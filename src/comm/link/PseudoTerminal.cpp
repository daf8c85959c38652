#include "comm/link/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/FileError.h"

namespace comm {
namespace {

// No echo, no translation of line ends, no signals: bytes as the instruments send them.
void MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (fd_ >= 0) ::close(fd_);
        throw platform::FileError(QStringLiteral("/dev/ptmx"), reason);
    }
    char name[128] = {};
    if (ptsname_r(fd_, name, sizeof name) != 0) {
        ::close(fd_);
        throw platform::FileError(QStringLiteral("/dev/ptmx"), QStringLiteral("ptsname"));
    }
    path_ = QString::fromLocal8Bit(name);
    // The other side takes the raw mode from here when it opens.
    const int other = ::open(name, O_RDWR | O_NOCTTY);
    if (other >= 0) {
        MakeRaw(other);
        ::close(other);
    }
    MakeRaw(fd_);
}

PseudoTerminal::~PseudoTerminal() { Hangup(); }

bool PseudoTerminal::Write(QByteArrayView bytes) {
    qsizetype done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return fd_ >= 0;
}

std::optional<QByteArray> PseudoTerminal::Read(int milliseconds) {
    if (fd_ < 0) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, milliseconds);
    if (ready <= 0) return QByteArray();
    if (p.revents & POLLHUP && !(p.revents & POLLIN)) return std::nullopt;
    char buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0) return errno == EAGAIN || errno == EINTR ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    return QByteArray(buffer, n);
}

void PseudoTerminal::HangupAfterDelivery() {
    constexpr useconds_t kDeliveryUs = 300'000;
    usleep(kDeliveryUs);
    Hangup();
}

void PseudoTerminal::Hangup() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace comm
