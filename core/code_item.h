#pragma once
// A library item: one row of table codeitems and its three page files in the work folder.
#include "core/data_object.h"

namespace core {

class CCodeItem : public IDataObject {
public:
    // Each read loads the row first if needed; after a load Code, Notes and Example hold the full
    // paths of the item's page files. Each set loads if needed, stores the value, then applies the
    // change rule (the value is stored even when the rule raises).
    QString Notes();
    void setNotes(const QString& value);
    QString Example();
    void setExample(const QString& value);
    QString ParentKey();  // "0" for a top-level item
    void setParentKey(const QString& value);  // "" is stored as "0"
    QString Description();
    void setDescription(const QString& value);
    QString Code();
    void setCode(const QString& value);

    QString Key() const override { return key_; }
    void Initialise(dao::Database& db, const QString& key) override;
    void Delete() override { state_ = kRecordMarkedForDeletion; }
    // A deletion removes the item's row, its bookmarks and its codefiles rows in one transaction, so
    // either all of them go or none; its page files are removed after that.
    void Commit() override;

    int32_t state() const { return state_; }
    bool isLoaded() const { return loaded_; }

private:
    void load();
    void set(QString& field, const QString& value);
    void insertObject();
    void updateObject();
    void deleteObject();

    QString key_;
    QString parentKey_ = QStringLiteral("0");
    QString description_;
    QString code_, notes_, example_;
    int32_t state_ = kRecordUnchanged;
    bool loaded_ = false;
};

// Removes the page files of item `key` from the work folder: a new item's pages start empty, whatever
// an earlier library or a failed deletion left under its id. Raises 70 naming a file it cannot remove.
void RemoveItemPages(const QString& key);

}  // namespace core
