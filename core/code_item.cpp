#include "core/code_item.h"

#include "core/globals.h"
#include "core/text_helpers.h"
#include "core/work_database.h"

#include <QFile>

namespace core {

namespace {

const QString kLoadSource = QStringLiteral("CCodeItem:GetAttributes");
const QString kLetSource = QStringLiteral("CCodeItem::SetStateForLet");
const QString kInsertSource = QStringLiteral("CCodeItem::InsertObject");
const QString kUpdateSource = QStringLiteral("CCodeItem::UpdateObject");

QString textOf(const vb::Variant& v) { return v.isNull() || v.isEmpty() ? QString() : v.toString(); }

}  // namespace

void CCodeItem::Initialise(dao::Database& db, const QString& key) {
    key_.clear();
    parentKey_ = QStringLiteral("0");
    description_.clear();
    code_.clear();
    notes_.clear();
    example_.clear();
    gWorkDB = db;
    key_ = key;
    state_ = key.isEmpty() ? kRecordNew : kRecordUnchanged;
    loaded_ = false;
}

void CCodeItem::load() {
    if ((state_ != kRecordUnchanged && state_ != kRecordChanged) || loaded_) return;
    try {
        gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(workDatabasePath(gWorkPath));
        dao::Recordset rs = gWorkDB.openRecordset(QStringLiteral("select * from codeitems where id = ?"),
                                                  dao::dbOpenDynaset, {keyValue(key_)});
        if (!rs.eof()) {
            const vb::Variant parent = rs.value(QStringLiteral("parentid"));
            parentKey_ = parent.isNull() || parent.isEmpty() ? QStringLiteral("0") : parent.toString();
            description_ = textOf(rs.value(QStringLiteral("description")));
            notes_ = gWorkPath + pageFileName(ItemPage::Notes, key_);
            code_ = gWorkPath + pageFileName(ItemPage::Code, key_);
            example_ = gWorkPath + pageFileName(ItemPage::Example, key_);
        }
        rs.close();
        loaded_ = true;
    } catch (const vb::Error& e) {
        passOn(e, kLoadSource);
    }
}

void CCodeItem::set(QString& field, const QString& value) {
    load();
    field = value;
    applyChangeRule(state_, kLetSource);
}

QString CCodeItem::Notes() {
    load();
    return notes_;
}
void CCodeItem::setNotes(const QString& value) { set(notes_, value); }

QString CCodeItem::Example() {
    load();
    return example_;
}
void CCodeItem::setExample(const QString& value) { set(example_, value); }

QString CCodeItem::ParentKey() {
    load();
    return parentKey_;
}
void CCodeItem::setParentKey(const QString& value) { set(parentKey_, value.isEmpty() ? QStringLiteral("0") : value); }

QString CCodeItem::Description() {
    load();
    return description_;
}
void CCodeItem::setDescription(const QString& value) { set(description_, value); }

QString CCodeItem::Code() {
    load();
    return code_;
}
void CCodeItem::setCode(const QString& value) { set(code_, value); }

void CCodeItem::Commit() {
    switch (state_) {
    case kRecordNew: insertObject(); break;
    case kRecordChanged: updateObject(); break;
    case kRecordMarkedForDeletion: deleteObject(); break;
    default: break;
    }
}

void CCodeItem::insertObject() {
    key_ = InsertRow(QStringLiteral("select * from codeitems where id = 0"), [this](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("parentid"), keyValue(parentKey_));
        rs.setValue(QStringLiteral("description"), description_);
        rs.setValue(QStringLiteral("code"), code_);
        rs.setValue(QStringLiteral("notes"), notes_);
        rs.setValue(QStringLiteral("example"), example_);
    }, kInsertSource);
    state_ = kRecordUnchanged;
    dao::DBEngine::idle(dao::dbRefreshCache);
}

void CCodeItem::updateObject() {
    UpdateRow(QStringLiteral("select * from codeitems where id = ?"), key_, [this](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("code"), code_);
        rs.setValue(QStringLiteral("description"), description_);
        rs.setValue(QStringLiteral("parentid"), keyValue(parentKey_));
        rs.setValue(QStringLiteral("notes"), notes_);
        rs.setValue(QStringLiteral("example"), example_);
    }, kUpdateSource);
    dao::DBEngine::idle(dao::dbRefreshCache);
    state_ = kRecordUnchanged;
    loaded_ = true;
}

void CCodeItem::deleteObject() {
    const vb::Variant id = keyValue(key_);
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    ws.beginTrans();
    try {
        gWorkDB.execute(QStringLiteral("delete from codeitems where id = ?"), {id});
        gWorkDB.execute(QStringLiteral("delete from bookmarks where codeid = ?"), {id});
        gWorkDB.execute(QStringLiteral("delete from codefiles where codeid = ?"), {id});
        ws.commitTrans();
    } catch (...) {
        ws.rollback();
        throw;
    }
    state_ = kRecordDeleted;
    // The rows are gone; a page file that cannot be removed now stays behind, and a new item given
    // its id starts empty all the same (RemoveItemPages).
    for (ItemPage page : {ItemPage::Code, ItemPage::Notes, ItemPage::Example}) {
        const QString path = gWorkPath + pageFileName(page, key_);
        if (FileExists(path)) QFile::remove(path);
    }
    dao::DBEngine::idle(dao::dbRefreshCache);
}

void RemoveItemPages(const QString& key) {
    for (ItemPage page : {ItemPage::Code, ItemPage::Notes, ItemPage::Example}) {
        const QString path = gWorkPath + pageFileName(page, key);
        QFile file(path);
        if (file.exists() && !file.remove())
            vb::raise(vb::kPermissionDenied, QStringLiteral("RemoveItemPages"),
                      vb::runtimeErrorText(vb::kPermissionDenied) + QStringLiteral(": ") + path);
    }
}

}  // namespace core
