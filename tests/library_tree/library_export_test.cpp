// The .vcl format and the import engine: the exact bytes, the reader's checks on damaged and hostile
// files, and the import's parents, counts and all-or-nothing transaction.
#include "core/globals.h"
#include "library/library_export.h"
#include "platform/vb/codepage936.h"
#include "tests/core/work_folder_fixture.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

using library::ItemExportRecord;

ItemExportRecord record(const QString& title, const QString& id, const QString& parent) {
    return {title, id, parent, QString(), parent == "0" ? QStringLiteral("ROOT") : "C" + parent,
            "C:/old/GREENNOTE" + id + ".rtf", "C:/old/BLUENote" + id + ".rtf", "C:/old/REDNOTE" + id + ".rtf"};
}

QByteArray fileOf(const QList<ItemExportRecord>& records, int32_t count) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    library::VclWriter writer(buffer);
    writer.writeCount(count);
    for (const ItemExportRecord& r : records) writer.writeRecord(r);
    return buffer.data();
}

QList<ItemExportRecord> read(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return library::readVclRecords(buffer);
}

QByteArray le16(uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}
QByteArray le32(int32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

TEST(VclFormat, BytesAreTheCountThenEightLengthPrefixedCodePage936Strings) {
    const QByteArray bytes = fileOf({{"紫微", "12", "0", "", "ROOT", "a", "", "z"}}, 1);
    QByteArray expected = le32(1);
    for (const QByteArray& s : {vb::toCp936("紫微"), QByteArray("12"), QByteArray("0"), QByteArray(), QByteArray("ROOT"),
                                QByteArray("a"), QByteArray(), QByteArray("z")})
        expected += le16(static_cast<uint16_t>(s.size())) + s;
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(vb::toCp936("紫微").size(), 4) << "two bytes per Chinese character";
}

TEST(VclFormat, RecordsReadBackAsWritten) {
    const QList<ItemExportRecord> records{record("命宫", "1", "0"), record("Mixed 文本 ~!", "2", "1")};
    const QList<ItemExportRecord> back = read(fileOf(records, 2));
    ASSERT_EQ(back.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(back[i].Description, records[i].Description);
        EXPECT_EQ(back[i].ID, records[i].ID);
        EXPECT_EQ(back[i].ParentKey, records[i].ParentKey);
        EXPECT_EQ(back[i].ParentNodeKey, records[i].ParentNodeKey);
        EXPECT_EQ(back[i].Example, records[i].Example);
    }
}

TEST(VclFormat, ReadingStopsAtACleanEndOrAnEmptyTitle) {
    const QList<ItemExportRecord> three{record("a", "1", "0"), record("b", "2", "1"), record("c", "3", "2")};
    EXPECT_EQ(read(fileOf(three, 1000)).size(), 3) << "a count that promises more ends at the file's end";
    EXPECT_EQ(read(fileOf(three, std::numeric_limits<int32_t>::max())).size(), 3);
    EXPECT_EQ(read(fileOf(three, 2)).size(), 2) << "the count bounds the records read";
    EXPECT_EQ(read(fileOf({record("a", "1", "0"), record("", "2", "0"), record("c", "3", "0")}, 3)).size(), 1);
    EXPECT_EQ(read(le32(0)).size(), 0);
}

TEST(VclFormat, DamagedFilesRaiseAnErrorNamingTheRecord) {
    const QByteArray good = fileOf({record("a", "1", "0"), record("b", "2", "1")}, 2);
    const int secondRecord = static_cast<int>(fileOf({record("a", "1", "0")}, 2).size());
    QByteArray longLength = good;
    longLength.replace(secondRecord, 2, le16(60000));
    QByteArray badText = le32(1) + le16(2) + QByteArray("\x81\x20", 2);  // a lead byte without its trail
    for (int i = 0; i < 7; ++i) badText += le16(0);
    QByteArray nul = le32(1) + le16(3) + QByteArray("a\0b", 3);
    for (int i = 0; i < 7; ++i) nul += le16(0);
    struct Case {
        const char* what;
        QByteArray bytes;
        int number;
        const char* names;
    };
    const QList<Case> cases{
        {"empty file", QByteArray(), library::kErrInputPastEnd, "count"},
        {"short count", QByteArray("\x01\x00", 2), library::kErrInputPastEnd, "count"},
        {"negative count", le32(-1) + good.mid(4), library::kErrBadFileFormat, "negative"},
        {"cut inside the second record", good.left(good.size() - 3), library::kErrInputPastEnd, "Record 2"},
        {"cut inside a length", good.left(secondRecord + 1), library::kErrInputPastEnd, "Record 2"},
        {"length past the end", longLength, library::kErrInputPastEnd, "Record 2"},
        {"invalid code page 936", badText, library::kErrBadFileFormat, "Record 1"},
        {"embedded NUL", nul, library::kErrBadFileFormat, "Record 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const vb::Error e = errorOf([&] { read(c.bytes); });
        EXPECT_EQ(e.number(), c.number);
        EXPECT_TRUE(e.description().contains(c.names)) << e.description().toStdString();
    }
}

TEST(VclFormat, RandomBytesNeverCrashTheReader) {
    QRandomGenerator random(20261210);
    const QByteArray good = fileOf({record("紫微", "1", "0"), record("天府", "2", "1"), record("太阳", "3", "2")}, 3);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        if (round % 2) {
            bytes.resize(random.bounded(64));
            for (char& b : bytes) b = static_cast<char>(random.bounded(256));
        } else {
            bytes = good;  // a good file with a few bytes flipped or cut
            for (int k = 0; k < 3; ++k) bytes[random.bounded(bytes.size())] = static_cast<char>(random.bounded(256));
            bytes.truncate(random.bounded(bytes.size() + 1));
        }
        try {
            for (const ItemExportRecord& r : read(bytes)) EXPECT_FALSE(r.Description.isEmpty());
        } catch (const vb::Error& e) {
            EXPECT_TRUE(e.number() == library::kErrInputPastEnd || e.number() == library::kErrBadFileFormat);
        }
    }
}

class ImportItems : public WorkFolderTest {
protected:
    QString title(const QString& id) { return value("select description from codeitems where id = ?", {id.toInt()}); }
    QString parentOf(const QString& titleText) {
        return value("select parentid from codeitems where description = ?", {titleText});
    }
    QString idOf(const QString& titleText) { return value("select id from codeitems where description = ?", {titleText}); }
};

TEST_F(ImportItems, ParentsFollowTheFileAndStrangersGoUnderTheTarget) {
    const int before = rows("select * from codeitems");
    const QList<ItemExportRecord> records{
        record("甲", "10", "3"),       // the first record goes under the target whatever it names
        record("乙", "11", "10"),
        record("丙", "12", "0"),       // top level in its library: under the target
        record("丁", "13", "99"),      // names no record of the file
        record("戊", "14", "15"),      // names a later record
        record("己", "15", "11"),
        record("庚", "16", "16"),      // names itself
        record("辛", "17", ""),
    };
    int progress = 0;
    EXPECT_EQ(library::importItemRecords(records, "4", [&] { ++progress; }), 8);
    EXPECT_EQ(progress, 8);
    EXPECT_EQ(rows("select * from codeitems"), before + 8);
    for (const char* under4 : {"甲", "丙", "丁", "戊", "庚", "辛"}) EXPECT_EQ(parentOf(under4), "4") << under4;
    EXPECT_EQ(parentOf("乙"), idOf("甲"));
    EXPECT_EQ(parentOf("己"), idOf("乙"));
    EXPECT_EQ(value("select code from codeitems where description = ?", {QStringLiteral("甲")}), "")
        << "another machine's page paths are not kept";
}

TEST_F(ImportItems, AFailingRecordLeavesNothingOfTheFile) {
    const int before = rows("select * from codeitems");
    const QList<ItemExportRecord> tooWide{record("a", "1", "0"), record("b", "2", "1"), record(QString(300, 'x'), "3", "2")};
    const vb::Error e = errorOf([&] { library::importItemRecords(tooWide, "0"); });
    EXPECT_TRUE(e.description().contains("Record 3")) << e.description().toStdString();
    EXPECT_EQ(rows("select * from codeitems"), before);

    const QList<ItemExportRecord> repeated{record("a", "1", "0"), record("b", "2", "1"), record("c", "1", "2")};
    EXPECT_EQ(errorOf([&] { library::importItemRecords(repeated, "0"); }).number(), 457);
    EXPECT_EQ(rows("select * from codeitems"), before);
}

}  // namespace
