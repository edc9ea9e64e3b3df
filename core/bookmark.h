#pragma once
// A bookmark: one row of table Bookmarks, pointing at a library item with a short text of its own.
#include "core/code_item.h"
#include "core/data_object.h"

#include <memory>

namespace core {

class CBookmark : public IDataObject {
public:
    QString CodeItemKey();
    void setCodeItemKey(const QString& value);
    // The bookmarked item, bound to gWorkDB and not loaded; null when CodeItemKey is empty.
    std::shared_ptr<CCodeItem> CodeItem();
    // Points the bookmark at `record` (its Key); a null record raises 91 (Object variable not set).
    void setCodeItem(const IDataObject* record);
    QString Description();
    void setDescription(const QString& value);

    QString Key() const override { return key_; }
    void Initialise(dao::Database& db, const QString& key) override;
    void Delete() override { state_ = kRecordMarkedForDeletion; }
    void Commit() override;

    int32_t state() const { return state_; }

private:
    void load();
    void insertObject();
    void updateObject();
    void deleteObject();

    QString key_;
    QString codeItemKey_;
    QString description_;
    int32_t state_ = kRecordUnchanged;
    bool loaded_ = false;
};

}  // namespace core
