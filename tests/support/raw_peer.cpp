#include "support/raw_peer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace kroda::testing {

RawPeer::~RawPeer() {
    close();
}

void RawPeer::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool RawPeer::connect(const QString& source, quint16 port, int receiveBuffer) {
    close();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return false;
    if (receiveBuffer > 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    ::inet_pton(AF_INET, source.toLatin1().constData(), &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // On the loopback the kernel completes the connection whether or not the host accepts it.
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
        ::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close();
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    return true;
}

QByteArray RawPeer::upgradeRequest(quint16 port) {
    return QByteArrayLiteral("GET / HTTP/1.1\r\nHost: 127.0.0.1:") + QByteArray::number(port) +
           QByteArrayLiteral(
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
}

bool RawPeer::handshake(quint16 port, int timeoutMs) {
    if (!sendAll(upgradeRequest(port), timeoutMs))
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (!upgraded_) {
        if (deadline.hasExpired() || closed())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        receive();
    }
    return response_.startsWith("HTTP/1.1 101");
}

QByteArray RawPeer::frame(Opcode opcode, const QByteArray& payload) {
    QByteArray f;
    f.append(static_cast<char>(0x80 | opcode));
    const qsizetype n = payload.size();
    if (n < 126) {
        f.append(static_cast<char>(0x80 | n));
    } else if (n < 65536) {
        f.append(static_cast<char>(0x80 | 126));
        f.append(static_cast<char>(n >> 8));
        f.append(static_cast<char>(n & 0xFF));
    } else {
        f.append(static_cast<char>(0x80 | 127));
        for (int shift = 56; shift >= 0; shift -= 8)
            f.append(static_cast<char>((static_cast<quint64>(n) >> shift) & 0xFF));
    }
    const char mask[4] = {0x12, 0x34, 0x56, 0x78};
    f.append(mask, 4);
    for (qsizetype i = 0; i < n; ++i) f.append(static_cast<char>(payload[i] ^ mask[i % 4]));
    return f;
}

qint64 RawPeer::send(const QByteArray& bytes) {
    if (fd_ < 0)
        return -1;
    const ssize_t n = ::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()),
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
}

bool RawPeer::sendAll(const QByteArray& bytes, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = send(bytes.mid(done));
        if (n < 0 || deadline.hasExpired())
            return false;
        done += n;
        if (done < bytes.size())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void RawPeer::receive() {
    if (fd_ < 0)
        return;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n <= 0)
            break;
        in_.append(buffer, n);
        received_.append(buffer, n);
    }
    if (!upgraded_) {
        const qsizetype end = in_.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        upgraded_ = true;
        response_ = in_.left(end);
        in_.remove(0, end + 4);
    }
    // The host's frames are unmasked: opcode, length, payload.
    for (;;) {
        if (in_.size() < 2)
            return;
        const int opcode = in_[0] & 0x0F;
        qsizetype length = in_[1] & 0x7F;
        qsizetype head = 2;
        if (length == 126) {
            if (in_.size() < 4)
                return;
            length = (static_cast<uchar>(in_[2]) << 8) | static_cast<uchar>(in_[3]);
            head = 4;
        } else if (length == 127) {
            if (in_.size() < 10)
                return;
            length = 0;
            for (int i = 2; i < 10; ++i) length = (length << 8) | static_cast<uchar>(in_[i]);
            head = 10;
        }
        if (in_.size() < head + length)
            return;
        if (opcode == Text)
            texts_ << QString::fromUtf8(in_.mid(head, length));
        in_.remove(0, head + length);
    }
}

QByteArray RawPeer::exchange(const QByteArray& request, int timeoutMs) {
    if (!sendAll(request, timeoutMs))
        return {};
    QDeadlineTimer deadline(timeoutMs);
    while (!closed()) {
        if (deadline.hasExpired())
            return {};
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    receive();
    return received_;
}

bool RawPeer::closed() const {
    if (fd_ < 0)
        return true;
    pollfd p{fd_, POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

}  // namespace kroda::testing
