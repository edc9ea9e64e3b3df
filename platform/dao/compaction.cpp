#include "platform/dao/compaction.h"

#include "platform/dao/connection.h"
#include "platform/dao/dao.h"
#include "platform/dao/jet_errors.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dao {

namespace {
const QString kEngine = QStringLiteral("DAO.DBEngine");

std::function<void(detail::CompactionStage, const QString&)>& fault() {
    static std::function<void(detail::CompactionStage, const QString&)> f;
    return f;
}

void fsyncPath(const QByteArray& path, int flags) {
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0) raiseJet(kDiskIOError, kEngine);
    const int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0) raiseJet(kDiskIOError, kEngine);
}

// Rows per table of an open database, for the check that the copy kept every row.
QList<std::pair<QString, qint64>> rowCounts(sqlite3* db, const QString& path) {
    QList<std::pair<QString, qint64>> counts;
    sqlite3_stmt* names = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &names, nullptr);
    if (rc != SQLITE_OK) detail::raiseSqlite(db, rc, kEngine, QString(), path);
    while ((rc = sqlite3_step(names)) == SQLITE_ROW)
        counts.append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(names, 0))), 0});
    sqlite3_finalize(names);
    if (rc != SQLITE_DONE) detail::raiseSqlite(db, rc, kEngine, QString(), path);
    for (auto& [table, count] : counts) {
        QString t = table;
        const QByteArray sql = ("SELECT count(*) FROM \"" + t.replace(QLatin1Char('"'), QLatin1String("\"\"")) + "\"").toUtf8();
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        if (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) count = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        if (rc != SQLITE_ROW) detail::raiseSqlite(db, rc, kEngine, QString(), path);
    }
    return counts;
}

// The copy must read back whole: an integrity check and the same rows in every table.
void verifyCopy(const QByteArray& copyPath, const QList<std::pair<QString, qint64>>& expected, const QString& target) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(copyPath.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    try {
        if (rc != SQLITE_OK) detail::raiseSqlite(db, rc, kEngine, QString(), target);
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
        if (rc != SQLITE_OK) detail::raiseSqlite(db, rc, kEngine, QString(), target);
        QString verdict;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            verdict += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) detail::raiseSqlite(db, rc, kEngine, QString(), target);
        if (verdict != QLatin1String("ok") || rowCounts(db, target) != expected) raiseJet(kDatabaseCorrupt, kEngine, target);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

// Puts `from` in place of `to`, which must not exist, in one step.
void renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return;
    if (errno == EEXIST) raiseJet(kDatabaseExists, kEngine);
    if (errno != EINVAL && errno != ENOSYS) raiseJet(kDiskIOError, kEngine);
    // A file system without RENAME_NOREPLACE: a hard link fails as well when the target exists.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return;
    }
    if (errno == EEXIST) raiseJet(kDatabaseExists, kEngine);
    raiseJet(kDiskIOError, kEngine);
}
}  // namespace

namespace detail {
void setCompactionFault(std::function<void(CompactionStage, const QString&)> f) { fault() = std::move(f); }
}  // namespace detail

namespace DBEngine {

void compactDatabase(const QString& source, const QString& target, const QString& password) {
    const QByteArray targetPath = QFile::encodeName(target);
    struct stat st {};
    if (target.isEmpty()) raiseJet(kNotAValidPath, kEngine, target);
    if (::lstat(targetPath.constData(), &st) == 0) raiseJet(kDatabaseExists, kEngine);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (!QFileInfo(folder).isDir()) raiseJet(kNotAValidPath, kEngine, folder);

    auto connection = detail::Connection::acquire(source);
    if (connection->hasPassword() && !connection->passwordMatches(password.trimmed()))
        raiseJet(kNotAValidPassword, kEngine);
    if (connection->exclusive || !sqlite3_get_autocommit(connection->db())) raiseJet(kFileAlreadyInUse, kEngine, source);

    QByteArray temporary = QFile::encodeName(folder + QLatin1String("/.") + targetInfo.fileName() + QLatin1String(".compact-XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        if (errno == ENOSPC) raiseJet(kDiskFull, kEngine);
        raiseJet(kCannotOpenFile, kEngine, target);
    }
    ::close(fd);
    const QString temporaryName = QFile::decodeName(temporary);
    try {
        const auto expected = rowCounts(connection->db(), source);
        // VACUUM INTO accepts an existing empty file, so the name reserved above is used as it is.
        sqlite3_stmt* vacuum = nullptr;
        int rc = sqlite3_prepare_v2(connection->db(), "VACUUM INTO ?", -1, &vacuum, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_bind_text(vacuum, 1, temporary.constData(), int(temporary.size()), SQLITE_TRANSIENT);
            rc = sqlite3_step(vacuum);
            if (rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        sqlite3_finalize(vacuum);
        if (rc != SQLITE_OK) detail::raiseSqlite(connection->db(), rc, kEngine, QString(), source);
        if (fault()) fault()(detail::CompactionStage::Copied, temporaryName);

        verifyCopy(temporary, expected, target);
        fsyncPath(temporary, O_RDONLY);
        if (fault()) fault()(detail::CompactionStage::Verified, temporaryName);

        renameNoReplace(temporary, targetPath);
        detail::Connection::forgetPath(target);
    } catch (...) {
        ::unlink(temporary.constData());
        ::unlink((temporary + "-journal").constData());  // a copy that failed part-way may leave one
        throw;
    }
    fsyncPath(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY);
}

}  // namespace DBEngine
}  // namespace dao
