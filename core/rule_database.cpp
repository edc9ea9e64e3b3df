#include "core/rule_database.h"

#include "platform/vb/error.h"
#include "platform/vb/folders.h"

#include <QSet>

namespace core {

namespace {

QString& pathOverride() {
    static QString path;
    return path;
}

const QString kSource = QStringLiteral("DAO.Database");

[[noreturn]] void refuse(const dao::Database& db, const QString& why) {
    vb::raise(dao::kDatabaseCorrupt, kSource,
              QStringLiteral("The rule database '%1' is damaged or has been altered: %2. Reinstall the program "
                             "to restore it.")
                  .arg(db.name(), why));
}

QString digestTable() { return QString::fromUtf16(kDigestTable); }

}  // namespace

QString ruleDatabasePath() {
    if (!pathOverride().isEmpty()) return pathOverride();
    return vb::joinPath(vb::programFolder(), QString::fromUtf16(kRuleDatabaseName));
}

void setRuleDatabasePath(const QString& path) { pathOverride() = path; }

dao::Database OpenRuleDatabase(dao::Workspace& ws) {
    return ws.openDatabase(ruleDatabasePath(), false, false, ruleConnect());
}

void RecordTableDigest(dao::Database& db, const QString& table, const QStringList& key) {
    if (!db.hasTable(digestTable()))
        db.execute(QStringLiteral("CREATE TABLE [%1] ([TableName] TEXT(64), [KeyColumns] TEXT(255), [Digest] TEXT(64))")
                       .arg(digestTable()));
    const QByteArray digest = db.tableDigest(table, key).toHex();
    db.execute(QStringLiteral("INSERT INTO [%1] ([TableName], [KeyColumns], [Digest]) VALUES (?, ?, ?)").arg(digestTable()),
               {vb::Variant(table), vb::Variant(key.join(QLatin1Char(','))), vb::Variant(QString::fromLatin1(digest))});
}

void VerifyRuleDatabase(dao::Database& db) {
    // Without its password table any connect string opens it: it is not the file the build wrote.
    if (!db.hasPassword()) refuse(db, QStringLiteral("it has no password"));
    if (!db.hasTable(digestTable())) refuse(db, QStringLiteral("it holds no table digests"));
    QSet<QString> recorded;
    {
        dao::Recordset rs = db.openRecordset(
            QStringLiteral("SELECT TableName, KeyColumns, Digest FROM [%1] ORDER BY TableName").arg(digestTable()),
            dao::dbOpenSnapshot);
        for (; !rs.eof(); rs.moveNext()) {
            const QString table = rs[QStringLiteral("TableName")].text();
            const QString keys = rs[QStringLiteral("KeyColumns")].text();
            const QStringList key = keys.isEmpty() ? QStringList() : keys.split(QLatin1Char(','));
            if (!db.hasTable(table)) refuse(db, QStringLiteral("table %1 is missing").arg(table));
            const QString digest = QString::fromLatin1(db.tableDigest(table, key).toHex());
            if (digest != rs[QStringLiteral("Digest")].text())
                refuse(db, QStringLiteral("table %1 does not match its digest").arg(table));
            recorded.insert(table.toLower());
        }
        rs.close();
    }
    for (const QString& table : db.tableNames())
        if (!recorded.contains(table.toLower())) refuse(db, QStringLiteral("table %1 has no digest").arg(table));
}

void CheckRuleDatabase(const QString& path) {
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    dao::Database db = ws.openDatabase(path, false, false, ruleConnect());
    try {
        VerifyRuleDatabase(db);
    } catch (...) {
        db.close();
        throw;
    }
    db.close();
}

}  // namespace core
