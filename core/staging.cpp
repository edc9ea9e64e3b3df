#include "core/staging.h"

#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

const QString kSource = QStringLiteral("CopyWorkDatabase");
constexpr QDir::Filters kEveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// The names this program gives to what it writes before it is whole: staging folders and their
// swapped-out predecessors, the copies of a compaction (with a journal a failed copy may leave), the
// staging folders of earlier versions inside a backup folder, and a library file being written.
bool isInterruptedCopy(const QString& name) {
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("^\\..+\\.(partial|old|new|compact)-[A-Za-z0-9]{6}(-journal)?$")),
        QRegularExpression(QStringLiteral("^\\.veyra-copy-[A-Za-z0-9]{6}$")),
        QRegularExpression(QStringLiteral("^\\.?(dirovovivov\\.mdb|(GREENNOTE|BLUENOTE|REDNOTE)[0-9]+\\.rtf)\\.[A-Za-z0-9]{6}$"),
                           QRegularExpression::CaseInsensitiveOption),
    };
    for (const QRegularExpression& p : patterns)
        if (p.match(name).hasMatch()) return true;
    return false;
}

void removeEntry(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) QDir(path).removeRecursively();
    else QFile::remove(path);
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

mode_t plainMode(mode_t wanted) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return wanted & ~mask;
}

// Puts `from` (a file, folder or link) at `to` without copying bytes where the file system allows:
// files are linked, folders made anew with their entries linked.
void linkTree(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    struct stat st {};
    if (::lstat(source.constData(), &st) != 0) vb::raiseSystemError(errno, kSource, from);
    if (S_ISDIR(st.st_mode)) {
        if (::mkdir(target.constData(), st.st_mode & 07777) != 0) vb::raiseSystemError(errno, kSource, to);
        for (const QString& name : QDir(from).entryList(kEveryEntry)) linkTree(from + u'/' + name, to + u'/' + name);
        return;
    }
    if (S_ISLNK(st.st_mode)) {
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(source.constData(), link.data(), link.size());
        if (n < 0) vb::raiseSystemError(errno, kSource, from);
        link.truncate(n);
        if (::symlink(link.constData(), target.constData()) != 0) vb::raiseSystemError(errno, kSource, to);
        return;
    }
    if (!S_ISREG(st.st_mode)) return;  // sockets and pipes are no one's data
    if (::link(source.constData(), target.constData()) == 0) return;
    if (!QFile::copy(from, to)) vb::raiseSystemError(EIO, kSource, to);
}

std::function<void(StagingStage, const QString&)>& faultHook() {
    static std::function<void(StagingStage, const QString&)> hook;
    return hook;
}

}  // namespace

void setStagingFault(std::function<void(StagingStage, const QString&)> fault) { faultHook() = std::move(fault); }

void stagingFault(StagingStage stage, const QString& stagingFolder) {
    if (faultHook()) faultHook()(stage, stagingFolder);
}

StagedFolder::StagedFolder(const QString& target) : target_(QDir::cleanPath(QFileInfo(target).absoluteFilePath())) {
    // A folder reached through a link is replaced where it lies; the link stays.
    if (const QString real = QFileInfo(target_).canonicalFilePath(); !real.isEmpty()) target_ = real;
    const QFileInfo info(target_);
    const QString parent = info.absolutePath();
    if (!QFileInfo(parent).isDir()) vb::raise(vb::kPathNotFound, kSource, vb::runtimeErrorText(vb::kPathNotFound) + QStringLiteral(": ") + parent);
    QTemporaryDir stage(parent + QStringLiteral("/.") + info.fileName() + QStringLiteral(".partial-XXXXXX"));
    if (!stage.isValid()) vb::raiseSystemError(errno ? errno : EIO, kSource, parent);
    stage.setAutoRemove(false);
    path_ = stage.path();
}

StagedFolder::~StagedFolder() {
    if (!path_.isEmpty()) QDir(path_).removeRecursively();
}

void StagedFolder::keepOtherEntries() {
    const QDir target(target_);
    if (!QFileInfo(target_).isDir()) return;
    for (const QString& name : target.entryList(kEveryEntry)) {
        if (isWorkFolderFile(name) || isInterruptedCopy(name)) continue;
        const QString staged = path_ + u'/' + name;
        if (QFileInfo(staged).exists() || QFileInfo(staged).isSymLink()) continue;
        linkTree(target.filePath(name), staged);
    }
}

void StagedFolder::replaceTarget() {
    stagingFault(StagingStage::Complete, path());
    const QByteArray stage = QFile::encodeName(path_), target = QFile::encodeName(target_);
    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    ::chmod(stage.constData(), exists ? (st.st_mode & 07777) : plainMode(0777));
    const QString parent = QFileInfo(target_).absolutePath();
    if (!exists) {
        if (::rename(stage.constData(), target.constData()) != 0) vb::raiseSystemError(errno, kSource, target_);
        path_.clear();
        syncFolder(parent);
        stagingFault(StagingStage::Swapped, QString());
        return;
    }
    if (!S_ISDIR(st.st_mode)) vb::raiseSystemError(ENOTDIR, kSource, target_);

    // The library in the folder may be open in another copy of the program, which would go on
    // writing into the files taken away.
    std::optional<dao::DBEngine::SoleUse> alone;
    const QString database = workDatabasePath(target_ + u'/');
    if (QFileInfo::exists(database)) {
        try {
            alone.emplace(database);
        } catch (const vb::Error&) {
            // Not a database the engine can open, so no one has it open through it.
        }
        if (alone && !alone->held()) dao::raiseJet(dao::kFileAlreadyInUse, kSource, database);
    }
    if (::renameat2(AT_FDCWD, stage.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) vb::raiseSystemError(errno, kSource, target_);
        // A file system that cannot exchange: two renames, the earlier folder under a name that the
        // next start removes.
        QTemporaryDir reserve(parent + QStringLiteral("/.") + QFileInfo(target_).fileName() + QStringLiteral(".old-XXXXXX"));
        if (!reserve.isValid()) vb::raiseSystemError(errno ? errno : EIO, kSource, parent);
        const QByteArray old = QFile::encodeName(reserve.path());
        reserve.setAutoRemove(false);
        ::rmdir(old.constData());
        if (::rename(target.constData(), old.constData()) != 0) vb::raiseSystemError(errno, kSource, target_);
        if (::rename(stage.constData(), target.constData()) != 0) {
            const int error = errno;
            ::rename(old.constData(), target.constData());
            vb::raiseSystemError(error, kSource, target_);
        }
        path_ = QFile::decodeName(old);
    }
    syncFolder(parent);
    alone.reset();
    dao::DBEngine::closeIdleHandles();
    // path_ now holds the earlier folder; the destructor removes it.
    stagingFault(StagingStage::Swapped, path());
}

void RemoveInterruptedCopies(const QString& folder, const QString& stagedFor) {
    const QDir dir(folder);
    if (!dir.exists()) return;
    const QRegularExpression staging(QStringLiteral("^\\.") + QRegularExpression::escape(stagedFor) +
                                     QStringLiteral("\\.(partial|old)-[A-Za-z0-9]{6}$"));
    for (const QString& name : dir.entryList(kEveryEntry))
        if (stagedFor.isEmpty() ? isInterruptedCopy(name) : staging.match(name).hasMatch()) removeEntry(dir.filePath(name));
}

}  // namespace core
