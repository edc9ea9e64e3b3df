#pragma once
// One row of table codefiles seen as an attachment: a file stored in a long-binary column. A new file
// record is never written: committing it does nothing, so a record with only CodeID set can't add an
// empty person record to the case list.
#include "core/data_object.h"
#include "platform/vb/date.h"

namespace core {

class CFileObject : public IDataObject {
public:
    QString CodeID();
    void setCodeID(const QString& value);
    QString Description();

    // Writes the stored file to `path`, replacing what was there; nothing is written when the row is
    // missing. The file appears whole or not at all: on an error an earlier file at `path` stays as it
    // was and no partial file is left.
    void SaveToFile(const QString& path);

    QString Key() const override { return key_; }
    void Initialise(dao::Database& db, const QString& key) override;
    void Delete() override { state_ = kRecordMarkedForDeletion; }
    void Commit() override;

    int32_t state() const { return state_; }

    // The column is read in pieces of this size, the remainder last.
    static constexpr qint64 kChunkSize = 16384;

private:
    void load();
    void updateObject();
    void deleteObject();

    QString key_;
    QString codeID_;
    QString description_;
    vb::Date origDateTime_;  // when the stored file was last written
    vb::Date dateAdded_;     // when the row was added
    int32_t state_ = kRecordUnchanged;
    bool loaded_ = false;
};

}  // namespace core
