#include "windows/chart_conclusion.h"

#include "core/globals.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/vb/variant.h"

namespace windows {

namespace {

QString caseQuery(int32_t fileId) { return QStringLiteral("select * from codefiles  where id =") + QString::number(fileId); }

}  // namespace

QString LoadConclusion(int32_t fileId) {
    if (fileId == 0) return QString();
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::workDatabasePath(core::gWorkPath));
    dao::Recordset rs = db.openRecordset(caseQuery(fileId), dao::dbOpenSnapshot);
    QString text;
    if (!rs.eof()) {
        const vb::Variant v = rs.value(QStringLiteral("jielun"));
        if (!v.isNull()) text = v.toString();
    }
    rs.close();
    return text;
}

ConclusionSave SaveConclusion(int32_t fileId, const QString& text) {
    // Without an id the last row of the table would be some other case's.
    if (fileId == 0) return ConclusionSave::NoCase;
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::workDatabasePath(core::gWorkPath));
    dao::Recordset rs = db.openRecordset(caseQuery(fileId));
    if (rs.eof()) {
        rs.close();
        return ConclusionSave::RowDeleted;
    }
    try {
        rs.edit();
        rs.setValue(QStringLiteral("jielun"), vb::Variant(text));
        rs.update();
        rs.setBookmark(rs.lastModified());
    } catch (...) {
        rs.close();
        throw;
    }
    rs.close();
    dao::DBEngine::idle(dao::dbRefreshCache);
    return ConclusionSave::Stored;
}

}  // namespace windows
