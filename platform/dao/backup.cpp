#include "platform/dao/connection.h"
#include "platform/dao/dao.h"
#include "platform/dao/jet_errors.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace dao::DBEngine {

void backupDatabase(const QString& source, const QString& target) {
    const QString kEngine = QStringLiteral("DAO.DBEngine");
    if (QFileInfo::exists(target)) raiseJet(kDatabaseExists, kEngine);
    auto connection = detail::Connection::acquire(source);
    sqlite3* copy = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(target).constData(), &copy,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        // The online backup reads the source as one consistent state, whatever its holders do.
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", connection->db(), "main");
        if (!backup) rc = sqlite3_errcode(copy);
        else {
            rc = sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
        }
    }
    if (rc != SQLITE_OK) {
        // A full disk is said as such; whatever failed, no part of the copy stays.
        try {
            detail::raiseSqlite(copy, rc, kEngine, QString(), target);
        } catch (...) {
            sqlite3_close(copy);
            QFile::remove(target);
            QFile::remove(target + QStringLiteral("-journal"));
            throw;
        }
    }
    sqlite3_close(copy);
}

}  // namespace dao::DBEngine
