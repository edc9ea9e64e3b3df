#pragma once
// The library's export file (.vcl): a signed 32-bit little-endian record count, then per item eight
// strings, each a 16-bit little-endian byte length and that many bytes of code page 936 text, parents
// before their children. The file carries titles and shape only; the pages stay in the work folder.
//
// Reading never trusts the file: it is read whole before anything is written, and a count, length or
// text that does not hold raises an error that names the record, so a damaged file adds nothing.
#include <QIODevice>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

namespace library {

// The export file's dialog filter, for both directions.
inline constexpr char16_t kVclFilter[] = u"radedurudazured Export|*.vcl";

struct ItemExportRecord {
    QString Description;
    QString ID;             // id in the library it came from
    QString ParentKey;      // that library's parent id, "0" at the top
    QString Unused;         // always empty
    QString ParentNodeKey;  // "C" & parent id, or "ROOT"
    QString Code;           // page paths in the library it came from; never used on import
    QString Notes;
    QString Example;
};

// Errors of a damaged file.
inline constexpr int kErrInputPastEnd = 62;   // a length or count runs past the file's end
inline constexpr int kErrBadFileFormat = 321;  // a negative count, or text that is no code page 936

// Writes a .vcl file record by record into a device.
class VclWriter {
public:
    explicit VclWriter(QIODevice& device) : device_(device) {}
    void writeCount(int32_t count);
    // Raises 5 for a text longer than the format's 65535 bytes, 75 when the device refuses the write.
    void writeRecord(const ItemExportRecord& record);

private:
    void writeBytes(const QByteArray& bytes);
    QIODevice& device_;
};

// The records an import takes from a .vcl file's bytes: up to the count, stopping early where the
// file ends cleanly after a whole record or at a record with an empty Description (which is not
// taken). Raises 62 or 321 (source "ImportCodeItems") naming the record for a damaged file.
QList<ItemExportRecord> readVclRecords(QIODevice& device);

// Adds `records` as new items under the item `targetParentId` ("0": the top level), all in one
// transaction of the default workspace, rolled back when any insert fails. The first record, and every
// record whose ParentKey is "0", empty or names no earlier record, goes under the target; the others go
// under the new item of the earlier record they name. A record repeating an earlier record's ID
// raises 457. `progress` is called after each item. Returns the number of items created.
int importItemRecords(const QList<ItemExportRecord>& records, const QString& targetParentId,
                      const std::function<void()>& progress = {});

}  // namespace library
