#include "library/library_export.h"

#include "core/code_item.h"
#include "core/globals.h"
#include "platform/dao/dao.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"

#include <QHash>
#include <QSet>
#include <QtEndian>

#include <array>

namespace library {

namespace {

const QString kImportSource = QStringLiteral("ImportCodeItems");
const QString kExportSource = QStringLiteral("ExportCodeItems");
constexpr int kErrDuplicateKey = 457;  // the collection's "key already associated with an element"

QString recordText(int index) { return QStringLiteral("Record %1").arg(index); }

// Reads exactly `size` bytes; false when the device ends first.
bool readExactly(QIODevice& device, char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 n = device.read(data + done, size - done);
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

}  // namespace

void VclWriter::writeBytes(const QByteArray& bytes) {
    if (device_.write(bytes) != bytes.size())
        vb::raise(vb::kPathFileAccessError, kExportSource, device_.errorString());
}

void VclWriter::writeCount(int32_t count) {
    std::array<char, 4> bytes;
    qToLittleEndian(count, bytes.data());
    writeBytes(QByteArray(bytes.data(), 4));
}

void VclWriter::writeRecord(const ItemExportRecord& record) {
    QByteArray out;
    for (const QString* field : {&record.Description, &record.ID, &record.ParentKey, &record.Unused,
                                 &record.ParentNodeKey, &record.Code, &record.Notes, &record.Example}) {
        const QByteArray text = vb::toCp936(*field);
        if (text.size() > 0xFFFF)
            vb::raise(vb::kInvalidProcedureCall, kExportSource,
                      QStringLiteral("A text of item %1 is too long for the export file.").arg(record.ID));
        std::array<char, 2> length;
        qToLittleEndian(static_cast<uint16_t>(text.size()), length.data());
        out.append(length.data(), 2);
        out.append(text);
    }
    writeBytes(out);
}

QList<ItemExportRecord> readVclRecords(QIODevice& device) {
    std::array<char, 4> countBytes;
    if (!readExactly(device, countBytes.data(), 4))
        vb::raise(kErrInputPastEnd, kImportSource, QStringLiteral("The file is too short to hold its item count."));
    const int32_t count = qFromLittleEndian<int32_t>(countBytes.data());
    if (count < 0)
        vb::raise(kErrBadFileFormat, kImportSource, QStringLiteral("The file gives a negative item count (%1).").arg(count));

    QList<ItemExportRecord> records;
    for (int32_t i = 1; i <= count; ++i) {
        // A file that ends after a whole record keeps what it had, whatever its count promised.
        if (device.atEnd()) break;
        ItemExportRecord record;
        int field = 0;
        for (QString* text : {&record.Description, &record.ID, &record.ParentKey, &record.Unused,
                              &record.ParentNodeKey, &record.Code, &record.Notes, &record.Example}) {
            ++field;
            std::array<char, 2> lengthBytes;
            if (!readExactly(device, lengthBytes.data(), 2))
                vb::raise(kErrInputPastEnd, kImportSource,
                          QStringLiteral("%1 ends inside its text %2.").arg(recordText(i)).arg(field));
            const uint16_t length = qFromLittleEndian<uint16_t>(lengthBytes.data());
            QByteArray bytes(length, Qt::Uninitialized);
            if (!readExactly(device, bytes.data(), length))
                vb::raise(kErrInputPastEnd, kImportSource,
                          QStringLiteral("%1: text %2 runs past the end of the file.").arg(recordText(i)).arg(field));
            *text = vb::fromCp936(bytes);
            if (text->contains(QChar::ReplacementCharacter) || text->contains(QChar(0)))
                vb::raise(kErrBadFileFormat, kImportSource,
                          QStringLiteral("%1: text %2 is not valid code page 936 text.").arg(recordText(i)).arg(field));
        }
        if (record.Description.isEmpty()) break;
        records.append(std::move(record));
    }
    return records;
}

int importItemRecords(const QList<ItemExportRecord>& records, const QString& targetParentId,
                      const std::function<void()>& progress) {
    // Each id names one record, as the import's map of old ids to new ones requires.
    QSet<QString> seen;
    for (int i = 0; i < records.size(); ++i) {
        const QString& id = records[i].ID;
        if (id.isEmpty()) continue;
        if (seen.contains(id))
            vb::raise(kErrDuplicateKey, kImportSource,
                      QStringLiteral("%1 repeats the id %2 of an earlier record.").arg(recordText(i + 1), id));
        seen.insert(id);
    }

    QHash<QString, QString> newIdOf;  // old id -> new id
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    ws.beginTrans();
    int created = 0;
    try {
        for (int i = 0; i < records.size(); ++i) {
            const ItemExportRecord& record = records[i];
            // The parent is looked up among earlier records only, so a file cannot make an item its
            // own ancestor. The page paths of the file are another library's: an item's pages are
            // always the work folder's files of its new id.
            QString parent = targetParentId;
            if (i > 0 && record.ParentKey != QStringLiteral("0") && !record.ParentKey.isEmpty())
                parent = newIdOf.value(record.ParentKey, targetParentId);
            core::CCodeItem item;
            item.Initialise(core::gWorkDB, QString());
            item.setDescription(record.Description);
            item.setParentKey(parent);
            try {
                item.Commit();
            } catch (const vb::Error& e) {
                throw vb::Error(e.number(), e.source(), QStringLiteral("%1: %2").arg(recordText(i + 1), e.description()));
            }
            if (!record.ID.isEmpty()) newIdOf.insert(record.ID, item.Key());
            ++created;
            if (progress) progress();
        }
        ws.commitTrans();
    } catch (...) {
        ws.rollback();
        throw;
    }
    return created;
}

}  // namespace library
