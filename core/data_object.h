#pragma once
// The protocol shared by the record classes over the work database: a record is bound to the shared
// connection and to a key, loads its row on first use, remembers whether it is new, changed or
// marked for deletion, and writes itself when committed.
#include "platform/dao/dao.h"
#include "platform/vb/variant.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace core {

// Record states.
enum RecordState : int32_t {
    kRecordUnchanged = 0,        // an existing row, loaded or not
    kRecordNew = 1,              // no row yet
    kRecordChanged = 2,          // an existing row whose properties were set
    kRecordMarkedForDeletion = 3,
    kRecordDeleted = 4,
};

// Errors of the change rule, above the object-error base.
inline constexpr int kErrRecordAboutToBeDeleted = vb::kObjectErrorBase + 513;
inline constexpr int kErrRecordDeleted = vb::kObjectErrorBase + 514;
inline constexpr int kErrRecordNotCreated = vb::kObjectErrorBase + 515;

class IDataObject {
public:
    virtual ~IDataObject() = default;

    // The row's id as decimal text; empty for a new record.
    virtual QString Key() const = 0;
    // Binds the record to `db`, which becomes the shared gWorkDB, and to `key` (empty: a new record).
    // Clears every field; reads nothing.
    virtual void Initialise(dao::Database& db, const QString& key) = 0;
    // Marks the record for deletion; nothing is written before Commit.
    virtual void Delete() = 0;
    // Writes the record as its state asks: insert, update or delete.
    virtual void Commit() = 0;
};

// The change rule of a property set: unchanged becomes changed, new and changed stay; a record marked
// for deletion, deleted, or in an unknown state raises 513, 514 or 515 under `source`.
void applyChangeRule(int32_t& state, const QString& source);

// A key as the value bound for an id column; raises 13 (Type mismatch) for a key that is no number,
// so a key never becomes part of a statement's text.
vb::Variant keyValue(const QString& key);

// Passes an error on under `source`, number and text unchanged.
[[noreturn]] void passOn(const vb::Error& error, const QString& source);

// Sets the fields of the row being added or edited.
using FieldWriter = std::function<void(dao::Recordset&)>;

// Adds one row on gWorkDB through `emptySql`, a statement that selects no row ("select * from
// codeitems where id = 0"), and returns the new row's id as text. An error closes the recordset and
// is passed on under `source`.
QString InsertRow(const QString& emptySql, const FieldWriter& fill, const QString& source);

// Edits the row that `keySql` selects with the id `key` bound to its one "?"; 3021 when there is none.
// An error closes the recordset and is passed on under `source`.
void UpdateRow(const QString& keySql, const QString& key, const FieldWriter& fill, const QString& source);

}  // namespace core
