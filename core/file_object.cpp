#include "core/file_object.h"

#include "core/globals.h"
#include "platform/vb/safe_file_writer.h"

namespace core {

namespace {

const QString kLoadSource = QStringLiteral("CFileObject:GetAttributes");
const QString kLetSource = QStringLiteral("CFileObject::SetStateForLet");
const QString kUpdateSource = QStringLiteral("CFileObject::UpdateObject");
const QString kSaveSuffix = QStringLiteral("::CFileObject_SaveToFile");

[[noreturn]] void raiseFileError(int systemError) { vb::raise(vb::runtimeErrorFor(systemError)); }

}  // namespace

void CFileObject::Initialise(dao::Database& db, const QString& key) {
    codeID_.clear();
    description_.clear();
    origDateTime_ = vb::Date();
    dateAdded_ = vb::Date();
    gWorkDB = db;
    key_ = key;
    state_ = key.isEmpty() ? kRecordNew : kRecordUnchanged;
    loaded_ = false;
}

void CFileObject::load() {
    if ((state_ != kRecordUnchanged && state_ != kRecordChanged) || loaded_) return;
    try {
        dao::Recordset rs = gWorkDB.openRecordset(QStringLiteral("select * from codefiles where id = ?"),
                                                  dao::dbOpenDynaset, {keyValue(key_)});
        if (!rs.eof()) {
            codeID_ = rs.value(QStringLiteral("codeid")).toString();
            description_ = rs.value(QStringLiteral("description")).toString();
            dateAdded_ = rs.value(QStringLiteral("DateAdded")).toDate();
            origDateTime_ = rs.value(QStringLiteral("OrigDateTime")).toDate();
        }
        rs.close();
        loaded_ = true;
        dao::DBEngine::idle(dao::dbRefreshCache);
    } catch (const vb::Error& e) {
        passOn(e, kLoadSource);
    }
}

QString CFileObject::CodeID() {
    load();
    return codeID_;
}

void CFileObject::setCodeID(const QString& value) {
    load();
    codeID_ = value;
    applyChangeRule(state_, kLetSource);
}

QString CFileObject::Description() {
    load();
    return description_;
}

void CFileObject::Commit() {
    switch (state_) {
    case kRecordChanged: updateObject(); break;
    case kRecordMarkedForDeletion: deleteObject(); break;
    default: break;  // a new record is never written; unchanged and deleted ones need nothing
    }
}

void CFileObject::updateObject() {
    UpdateRow(QStringLiteral("select * from codefiles where id = ?"), key_, [this](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("codeid"), keyValue(codeID_));
        rs.setValue(QStringLiteral("description"), description_);
    }, kUpdateSource);
    dao::DBEngine::idle(dao::dbRefreshCache);
    state_ = kRecordUnchanged;
    loaded_ = true;
}

void CFileObject::deleteObject() {
    gWorkDB.execute(QStringLiteral("delete from codefiles where id = ?"), {keyValue(key_)});
    dao::DBEngine::idle(dao::dbRefreshCache);
    state_ = kRecordDeleted;
}

void CFileObject::SaveToFile(const QString& path) {
    load();
    if (key_.isEmpty()) return;  // a new record has no row
    dao::Recordset rs;
    try {
        rs = gWorkDB.openRecordset(QStringLiteral("select file from codefiles where id = ?"), dao::dbOpenSnapshot,
                                   {keyValue(key_)});
        if (rs.eof()) {
            rs.close();
            return;
        }
        const dao::Field column = rs.field(QStringLiteral("file"));
        vb::SafeFileWriter out(path);
        if (!out.open()) raiseFileError(out.systemError());
        const qint64 size = column.fieldSize();
        const qint64 pieces = size / kChunkSize;
        const qint64 rest = size % kChunkSize;
        for (qint64 i = 0; i < pieces; ++i)
            if (!out.write(column.getChunk(i * kChunkSize, kChunkSize))) raiseFileError(out.systemError());
        if (!out.write(column.getChunk(pieces * kChunkSize, rest))) raiseFileError(out.systemError());
        if (!out.commit()) raiseFileError(out.systemError());
        rs.close();
    } catch (const vb::Error& e) {
        if (rs.isOpen()) rs.close();
        passOn(e, e.source() + kSaveSuffix);
    }
}

}  // namespace core
