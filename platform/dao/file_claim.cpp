#include "platform/dao/file_claim.h"

#include "platform/dao/connection.h"
#include "platform/dao/dao.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dao::detail {

namespace {
// Far past SQLite's lock bytes (from 1 GiB on), so the claim never meets them.
constexpr off_t kClaimByte = off_t(1) << 62;
// Long enough for a compaction of a large library to finish.
constexpr int kClaimWaitMs = 60000;

bool setClaim(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kClaimByte;
    lock.l_len = 1;
    while (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}
}  // namespace

FileClaim::~FileClaim() {
    if (fd_ >= 0 && !keep_) ::close(fd_);
}

bool FileClaim::take(const QByteArray& path, quint64 device, quint64 inode) {
    // Holding a file alone takes a write lock, which needs a descriptor open for writing; a file that
    // cannot be written is never replaced.
    int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;  // the open that follows reports why
    struct stat st {};
    if (::fstat(fd, &st) != 0 || quint64(st.st_dev) != device || quint64(st.st_ino) != inode) {
        ::close(fd);
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    bool supported = true;
    while (!setClaim(fd, F_RDLCK)) {
        if (errno != EAGAIN && errno != EACCES) {
            supported = false;  // a file system without such locks: the file is never taken alone
            break;
        }
        if (waited.elapsed() > kClaimWaitMs) {
            ::close(fd);
            raiseJet(kFileAlreadyInUse, QStringLiteral("DAO.DBEngine"), QFile::decodeName(path));
        }
        QThread::msleep(20);
    }
    // The holder that had it alone may have put another file in its place.
    if (::stat(path.constData(), &st) != 0 || quint64(st.st_dev) != device || quint64(st.st_ino) != inode) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    supported_ = supported;
    return true;
}

bool FileClaim::alone() { return fd_ >= 0 && supported_ && setClaim(fd_, F_WRLCK); }

void FileClaim::keepOpen() {
    if (fd_ >= 0 && supported_) setClaim(fd_, F_UNLCK);
    keep_ = true;
}

void FileClaim::shared() {
    if (fd_ >= 0 && supported_) setClaim(fd_, F_RDLCK);
}

}  // namespace dao::detail

namespace dao::DBEngine {

SoleUse::SoleUse(const QString& path) : connection_(detail::Connection::acquire(path)), path_(path) {
    held_ = connection_->holdAlone();
}

SoleUse::~SoleUse() {
    if (held_) connection_->share();
    // The file at the path may be another one now.
    detail::Connection::forgetPath(path_);
}

}  // namespace dao::DBEngine
