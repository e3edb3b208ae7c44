#include "model/regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace kroda {

QString notRegularFileReason(unsigned mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

namespace {

QString openProblem(int error, const QByteArray& name, bool& missing) {
    switch (error) {
        case ENOENT: {
            struct stat link {};
            if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
                return QStringLiteral("it is a symbolic link to nothing");
            missing = true;
            return QStringLiteral("it is missing");
        }
        case ELOOP:
            return QStringLiteral("it is a symbolic-link loop");
        case EACCES:
            return QStringLiteral("permission denied");
        case ENOTDIR:
            return QStringLiteral("a part of its path is not a folder");
        case ENAMETOOLONG:
            return QStringLiteral("its name is too long");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

FileRead readRegularFile(const QString& path, std::int64_t sizeLimit, std::int64_t readLimit) {
    FileRead out;
    if (path.isEmpty()) {
        out.missing = true;
        out.error = QStringLiteral("it has no name");
        return out;
    }
    // Qt and the system both stop a name at a NUL; refuse it rather than read another file.
    if (path.contains(QChar(u'\0'))) {
        out.error = QStringLiteral("its name holds a NUL character");
        return out;
    }
    const QByteArray name = QFile::encodeName(path);
    // Not blocking: opening a FIFO would otherwise wait for a writer that never comes.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        out.error = openProblem(errno, name, out.missing);
        return out;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        out.error = QString::fromLocal8Bit(std::strerror(errno));
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.error = notRegularFileReason(st.st_mode);
        return out;
    }
    out.size = st.st_size;
    if (out.size > sizeLimit) {
        out.error =
            QStringLiteral("it is larger than %1 bytes (%2 bytes)").arg(sizeLimit).arg(out.size);
        return out;
    }
    // Never more than the limit, even when the file grows while it is read.
    const std::int64_t wanted = readLimit < 0 ? sizeLimit : std::min(readLimit, sizeLimit);
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<std::int64_t>(wanted, out.size)));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::read(fd.get(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.error = QString::fromLocal8Bit(std::strerror(errno));
            return out;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    out.bytes = std::move(bytes);
    return out;
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace kroda
