#include "core/bookmark.h"

#include "core/globals.h"

namespace core {

namespace {

const QString kLoadSource = QStringLiteral("CBookmark:GetAttributes");
const QString kLetSource = QStringLiteral("CBookmark::SetStateForLet");
const QString kInsertSource = QStringLiteral("CBookmark::InsertObject");
const QString kUpdateSource = QStringLiteral("CBookmark::UpdateObject");

}  // namespace

void CBookmark::Initialise(dao::Database& db, const QString& key) {
    codeItemKey_.clear();
    description_.clear();
    gWorkDB = db;
    key_ = key;
    state_ = key.isEmpty() ? kRecordNew : kRecordUnchanged;
    loaded_ = false;
}

void CBookmark::load() {
    if ((state_ != kRecordUnchanged && state_ != kRecordChanged) || loaded_) return;
    try {
        dao::Recordset rs = gWorkDB.openRecordset(QStringLiteral("select * from BookMarks where id = ?"),
                                                  dao::dbOpenDynaset, {keyValue(key_)});
        if (!rs.eof()) {
            description_ = rs.value(QStringLiteral("description")).toString();
            codeItemKey_ = rs.value(QStringLiteral("codeid")).toString();
        }
        rs.close();
        loaded_ = true;
    } catch (const vb::Error& e) {
        passOn(e, kLoadSource);
    }
}

QString CBookmark::CodeItemKey() {
    load();
    return codeItemKey_;
}

void CBookmark::setCodeItemKey(const QString& value) {
    load();
    codeItemKey_ = value;
    applyChangeRule(state_, kLetSource);
}

std::shared_ptr<CCodeItem> CBookmark::CodeItem() {
    load();
    if (codeItemKey_.isEmpty()) return nullptr;
    auto item = std::make_shared<CCodeItem>();
    item->Initialise(gWorkDB, codeItemKey_);
    return item;
}

void CBookmark::setCodeItem(const IDataObject* record) {
    load();
    if (!record) vb::raise(vb::kObjectNotSet, kLetSource);
    codeItemKey_ = record->Key();
    applyChangeRule(state_, kLetSource);
}

QString CBookmark::Description() {
    load();
    return description_;
}

void CBookmark::setDescription(const QString& value) {
    load();
    description_ = value;
    applyChangeRule(state_, kLetSource);
}

void CBookmark::Commit() {
    switch (state_) {
    case kRecordNew: insertObject(); break;
    case kRecordChanged: updateObject(); break;
    case kRecordMarkedForDeletion: deleteObject(); break;
    default: break;
    }
}

void CBookmark::insertObject() {
    key_ = InsertRow(QStringLiteral("select * from bookmarks where id = 0"), [this](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("codeid"), keyValue(codeItemKey_));
        rs.setValue(QStringLiteral("description"), description_);
    }, kInsertSource);
    state_ = kRecordUnchanged;
}

void CBookmark::updateObject() {
    UpdateRow(QStringLiteral("select * from bookmarks where id = ?"), key_, [this](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("codeid"), keyValue(codeItemKey_));
        rs.setValue(QStringLiteral("description"), description_);
    }, kUpdateSource);
    state_ = kRecordUnchanged;
    loaded_ = true;
}

void CBookmark::deleteObject() {
    gWorkDB.execute(QStringLiteral("delete from Bookmarks where id = ?"), {keyValue(key_)});
    state_ = kRecordDeleted;
}

}  // namespace core
