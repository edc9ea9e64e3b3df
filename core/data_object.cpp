#include "core/data_object.h"

#include "core/globals.h"
#include "platform/vb/error.h"

namespace core {

void applyChangeRule(int32_t& state, const QString& source) {
    switch (state) {
    case kRecordUnchanged: state = kRecordChanged; return;
    case kRecordNew:
    case kRecordChanged: return;
    case kRecordMarkedForDeletion:
        throw vb::Error(kErrRecordAboutToBeDeleted, source, QStringLiteral("This Record is About to be deleted"));
    case kRecordDeleted: throw vb::Error(kErrRecordDeleted, source, QStringLiteral("This record has been deleted"));
    default: throw vb::Error(kErrRecordNotCreated, source, QStringLiteral("This record has not been created yet"));
    }
}

vb::Variant keyValue(const QString& key) { return vb::Variant(vb::Variant(key).toLong()); }

void passOn(const vb::Error& error, const QString& source) { throw error.withSource(source); }

QString InsertRow(const QString& emptySql, const FieldWriter& fill, const QString& source) {
    dao::Recordset rs;
    try {
        rs = gWorkDB.openRecordset(emptySql, dao::dbOpenDynaset);
        rs.addNew();
        fill(rs);
        rs.update();
        rs.setBookmark(rs.lastModified());
        const QString key = rs.value(QStringLiteral("id")).toString();
        rs.close();
        return key;
    } catch (const vb::Error& e) {
        if (rs.isOpen()) rs.close();
        passOn(e, source);
    }
}

void UpdateRow(const QString& keySql, const QString& key, const FieldWriter& fill, const QString& source) {
    dao::Recordset rs;
    try {
        rs = gWorkDB.openRecordset(keySql, dao::dbOpenDynaset, {keyValue(key)});
        if (rs.eof()) dao::raiseJet(dao::kNoCurrentRecord);
        rs.edit();
        fill(rs);
        rs.update();
        rs.close();
    } catch (const vb::Error& e) {
        if (rs.isOpen()) rs.close();
        passOn(e, source);
    }
}

}  // namespace core
