#include "core/database_maintenance.h"

#include "platform/dao/dao.h"
#include "platform/vb/error.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace core {

namespace {

// A name beside `target` that no file holds yet, for the copy to be written under.
QString freshNameBeside(const QString& target) {
    const QFileInfo info(target);
    QTemporaryFile reserve(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new-XXXXXX"));
    if (!reserve.open()) vb::raise(vb::kPathFileAccessError, QStringLiteral("ReplaceWithCompactedCopy"));
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

}  // namespace

void ReplaceWithCompactedCopy(const QString& source, const QString& target) {
    const QString copy = freshNameBeside(target);
    dao::DBEngine::compactDatabase(source, copy);
    if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(copy);
        vb::raise(vb::kPathFileAccessError, QStringLiteral("ReplaceWithCompactedCopy"));
    }
    syncFolder(QFileInfo(target).absolutePath());
    // A handle kept open on the replaced file would go on reading the old one.
    dao::DBEngine::closeIdleHandles();
}

}  // namespace core
