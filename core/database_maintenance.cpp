#include "core/database_maintenance.h"

#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/safe_file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

const QString kSource = QStringLiteral("ReplaceWithCompactedCopy");

// A name beside `target` that no file holds yet, for the copy to be written under.
QString freshNameBeside(const QString& target) {
    const QFileInfo info(target);
    QTemporaryFile reserve(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new-XXXXXX"));
    if (!reserve.open()) vb::raiseSystemError(errno, kSource, info.absolutePath());
    const QString name = reserve.fileName();
    reserve.close();
    reserve.remove();
    return name;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The mode the new file takes: the replaced file's, or a plainly created file's.
mode_t modeFor(const QString& target) {
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool ReplaceWithCompactedCopy(const QString& source, const QString& target) {
    std::optional<dao::DBEngine::SoleUse> alone;
    if (sameFile(source, target)) {
        alone.emplace(target);
        if (!alone->held()) return false;
    }
    const mode_t mode = modeFor(target);
    const QString copy = freshNameBeside(target);
    dao::DBEngine::compactDatabase(source, copy);
    const QByteArray from = QFile::encodeName(copy);
    if (::chmod(from.constData(), mode) != 0 || std::rename(from.constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = errno;
        QFile::remove(copy);
        vb::raiseSystemError(error, kSource, target);
    }
    syncFolder(QFileInfo(target).absolutePath());
    alone.reset();
    // A handle kept open on the replaced file would go on reading the old one.
    dao::DBEngine::closeIdleHandles();
    return true;
}

}  // namespace core
