// Recordsets: snapshots and dynasets, editing, field types, Null, names, chunks, navigation.
#include "dao_fixture.h"

#include "platform/dao/name_match.h"

using namespace daotest;
using dao::DBEngine::defaultWorkspace;
using T = vb::Variant::Type;

namespace {

// The work database's tables as the program uses them.
const QStringList kWorkTables = {
    "CREATE TABLE codeitems (id COUNTER, parentid LONG, description TEXT(50), code MEMO, notes MEMO, example MEMO)",
    "CREATE TABLE Bookmarks (ID AUTOINCREMENT PRIMARY KEY, CodeID LONG, Description TEXT(255))",
    "CREATE TABLE CodeFiles (ID COUNTER, CodeID LONG, Description TEXT(50), [File] LONGBINARY, OrigDateTime DATETIME, "
    "DateAdded DATETIME, NAME TEXT(20), jielun MEMO)",
};

class RecordsetTest : public DaoTest {
protected:
    void SetUp() override { db_ = make("work.mdb", kWorkTables); }

    int addItem(const QString& description, const vb::Variant& parent = vb::Variant("0")) {
        dao::Recordset rs = db_.openRecordset("select * from codeitems where id = 0");
        rs.addNew();
        rs.setValue("parentid", parent);
        rs.setValue("description", description);
        rs.update();
        rs.setBookmark(rs.lastModified());
        return rs["id"].toLong();
    }

    dao::Database db_;
};

TEST_F(RecordsetTest, AddNewUpdateAndLastModifiedFindTheNewRow) {
    dao::Recordset rs = db_.openRecordset("select * from codeitems where id = 0");
    EXPECT_TRUE(rs.bof() && rs.eof());
    rs.addNew();
    EXPECT_EQ(rs.editMode(), dao::dbEditAdd);
    rs.setValue("parentid", vb::Variant("0"));  // text into a long column, as the record classes do
    rs.setValue("description", vb::Variant(u"第一条"));
    rs.field("code").appendChunk(QStringLiteral("{\\rtf1 code}"));
    rs.update();
    EXPECT_EQ(rs.editMode(), dao::dbEditNone);
    EXPECT_TRUE(rs.bof() && rs.eof());  // the current row is the one before AddNew: none
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs["id"].type(), T::Long);
    EXPECT_EQ(rs["id"].toLong(), 1);
    EXPECT_EQ(rs["parentid"].type(), T::Long);
    EXPECT_EQ(rs["parentid"].toLong(), 0);
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("第一条"));
    EXPECT_EQ(rs["code"].toString(), QStringLiteral("{\\rtf1 code}"));
    EXPECT_TRUE(rs["notes"].isNull());
    EXPECT_EQ(addItem("second"), 2);
}

TEST_F(RecordsetTest, AutonumbersAreNeverReused) {
    addItem("a");
    const int b = addItem("b");
    db_.execute("delete from codeitems where id = " + QString::number(b));
    EXPECT_EQ(addItem("c"), b + 1);
}

TEST_F(RecordsetTest, EditUpdateWritesTheRowAndCancelUpdateDiscards) {
    const int id = addItem("old");
    dao::Recordset rs = db_.openRecordset("select * from codeitems where id = " + QString::number(id));
    rs.edit();
    rs.setValue("description", vb::Variant("new"));
    rs.field("notes").setValue(vb::Variant(""));
    rs.field("notes").appendChunk(QStringLiteral("page"));
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("new"));  // the pending value
    rs.update();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("new"));
    rs.edit();
    rs.setValue("description", vb::Variant("discarded"));
    rs.cancelUpdate();
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("new"));

    dao::Recordset check = db_.openRecordset("select description, notes from codeitems where id = " + QString::number(id),
                                             dao::dbOpenSnapshot);
    EXPECT_EQ(check["description"].toString(), QStringLiteral("new"));
    EXPECT_EQ(check["notes"].toString(), QStringLiteral("page"));
}

TEST_F(RecordsetTest, EditingOutOfTurnFails) {
    addItem("x");
    dao::Recordset rs = db_.openRecordset("select * from codeitems");
    EXPECT_EQ(errorOf([&] { rs.update(); }), dao::kUpdateWithoutAddNewOrEdit);
    EXPECT_EQ(errorOf([&] { rs.setValue("description", vb::Variant("y")); }), dao::kUpdateWithoutAddNewOrEdit);
    EXPECT_EQ(errorOf([&] { rs.cancelUpdate(); }), dao::kUpdateWithoutAddNewOrEdit);
    dao::Recordset empty = db_.openRecordset("select * from codeitems where id = 0");
    EXPECT_EQ(errorOf([&] { empty.edit(); }), dao::kNoCurrentRecord);
    EXPECT_EQ(errorTextOf([&] { empty.edit(); }), QStringLiteral("No current record."));
}

TEST_F(RecordsetTest, SnapshotKeepsItsRowsAndRefusesEdits) {
    addItem("before");
    dao::Recordset snap = db_.openRecordset("select * from codeitems", dao::dbOpenSnapshot);
    dao::Recordset dyn = db_.openRecordset("select * from codeitems", dao::dbOpenDynaset);
    db_.execute("update codeitems set description = 'after'");
    addItem("added later");
    EXPECT_EQ(snap["description"].toString(), QStringLiteral("before"));
    snap.moveLast();
    EXPECT_EQ(snap.recordCount(), 1);
    EXPECT_EQ(errorOf([&] { snap.addNew(); }), dao::kCouldNotUpdate);
    EXPECT_EQ(errorOf([&] { snap.edit(); }), dao::kCouldNotUpdate);
    EXPECT_EQ(errorOf([&] { snap.deleteCurrent(); }), dao::kCouldNotUpdate);
    // A dynaset re-reads the row it moves to, but keeps the rows it was opened with.
    dyn.moveFirst();
    EXPECT_EQ(dyn["description"].toString(), QStringLiteral("after"));
    dyn.moveLast();
    EXPECT_EQ(dyn.recordCount(), 1);
}

TEST_F(RecordsetTest, JoinedRecordsetReadsButDoesNotWrite) {
    const int item = addItem(QStringLiteral("条目"));
    db_.execute("INSERT INTO Bookmarks (CodeID, Description) VALUES (?, ?)", {vb::Variant(item), vb::Variant(u"书签")});
    dao::Recordset rs = db_.openRecordset(
        "SELECT Bookmarks.ID, Bookmarks.CodeID, CodeItems.Description, "
        "Bookmarks.Description FROM Bookmarks INNER JOIN "
        "CodeItems ON Bookmarks.codeID = CodeItems.ID");
    EXPECT_EQ(rs["ID"].toLong(), 1);
    EXPECT_EQ(rs["CodeID"].toLong(), item);
    EXPECT_EQ(rs["CodeItems.Description"].toString(), QStringLiteral("条目"));
    EXPECT_EQ(rs["bookmarks.Description"].toString(), QStringLiteral("书签"));
    EXPECT_EQ(rs.field(2).name().compare("CodeItems.Description", Qt::CaseInsensitive), 0);
    EXPECT_EQ(errorOf([&] { rs.addNew(); }), dao::kCouldNotUpdate);
}

TEST_F(RecordsetTest, NamesMatchInAnyLetterCase) {
    addItem("case");
    dao::Recordset rs = db_.openRecordset("SELECT * FROM CODEITEMS WHERE DESCRIPTION = 'CASE'");  // text compares without case
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["Description"].toString(), QStringLiteral("case"));
    EXPECT_EQ(rs["DESCRIPTION"].toString(), QStringLiteral("case"));
    EXPECT_EQ(rs.field("PaRenTiD").value().toLong(), 0);
    EXPECT_EQ(errorOf([&] { rs.field("nosuchfield"); }), dao::kItemNotFound);
    EXPECT_EQ(errorOf([&] { rs.field(99); }), dao::kItemNotFound);
    EXPECT_TRUE(db_.hasTable("BOOKMARKS"));
    EXPECT_FALSE(db_.hasTable("MSysPassword"));
    EXPECT_EQ(db_.tableNames(), QStringList({"Bookmarks", "CodeFiles", "codeitems"}));
    dao::Recordset byName = db_.openRecordset("CODEFILES", dao::dbOpenTable);
    EXPECT_TRUE(byName.eof());
}

TEST(NameMatch, FoldsLetterCaseOnlyWhereTheEngineDoes) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        bool same;
    };
    const Case cases[] = {
        {u"thisyearjqd", u"ThisyearJQD", true}, {u"a_1", u"A_1", true},     {u"ab", u"abc", false},
        {u"Nian", u"Niao", false},              {u"[", u"{", false},         {u"@", u"`", false},
        {u"Ärger", u"äRGER", true},             {u"名字", u"名字", true},    {u"名字", u"名子", false},
        {u"Ldays", u"LdaysA", false},           {u"", u"", true},
    };
    for (const auto& c : cases) {
        const QString a = QString::fromUtf16(c.a), b = QString::fromUtf16(c.b);
        EXPECT_EQ(dao::detail::sameName(a, b), c.same) << a.toStdString() << " / " << b.toStdString();
        EXPECT_EQ(dao::detail::sameName(b, a), c.same) << b.toStdString() << " / " << a.toStdString();
    }
    EXPECT_TRUE(dao::detail::sameName(u"SELECT", QLatin1String("select")));
}

TEST_F(RecordsetTest, DeclaredTypesDecideTheVariantType) {
    db_.execute(
        "CREATE TABLE kinds (id COUNTER, l LONG, i INTEGER, s SMALLINT, sh SHORT, b BYTE, d DOUBLE, r REAL, f FLOAT, "
        "c CURRENCY, yn YESNO, bt BIT, bo BOOLEAN, dt DATETIME, t TEXT(10), vc VARCHAR(10), ch CHAR(4), m MEMO, "
        "lt LONGTEXT, lb LONGBINARY, bl BLOB, im IMAGE, n)");
    dao::Recordset rs = db_.openRecordset("kinds");
    rs.addNew();
    const vb::Date when = vb::Date::fromParts(1976, 5, 4, 23, 30);
    struct Case {
        const char* field;
        vb::Variant assigned;
        T type;
        vb::Variant expected;
    };
    const Case cases[] = {
        {"l", vb::Variant("123456"), T::Long, vb::Variant(123456)},
        {"i", vb::Variant(7.5), T::Long, vb::Variant(8)},
        {"s", vb::Variant(12), T::Int, vb::Variant(int16_t(12))},
        {"sh", vb::Variant(-3), T::Int, vb::Variant(int16_t(-3))},
        {"b", vb::Variant(200), T::Int, vb::Variant(int16_t(200))},
        {"d", vb::Variant(1.25), T::Double, vb::Variant(1.25)},
        {"r", vb::Variant(2), T::Double, vb::Variant(2.0)},
        {"f", vb::Variant("0.5"), T::Double, vb::Variant(0.5)},
        {"c", vb::Variant(9.99), T::Double, vb::Variant(9.99)},
        {"yn", vb::Variant(true), T::Bool, vb::Variant(true)},
        {"bt", vb::Variant(0), T::Bool, vb::Variant(false)},
        {"bo", vb::Variant("True"), T::Bool, vb::Variant(true)},
        {"dt", vb::Variant(when), T::Date, vb::Variant(when)},
        {"t", vb::Variant(42), T::String, vb::Variant("42")},
        {"vc", vb::Variant(u"汉字"), T::String, vb::Variant(u"汉字")},
        {"ch", vb::Variant("abcd"), T::String, vb::Variant("abcd")},
        {"m", vb::Variant("007"), T::String, vb::Variant("007")},  // stays text, no number affinity
        {"lt", vb::Variant("1.50"), T::String, vb::Variant("1.50")},
        {"lb", vb::Variant(QByteArray("\x00\x01", 2)), T::Bytes, vb::Variant(QByteArray("\x00\x01", 2))},
        {"bl", vb::Variant(QByteArray("b")), T::Bytes, vb::Variant(QByteArray("b"))},
        {"im", vb::Variant(QByteArray()), T::Bytes, vb::Variant(QByteArray())},
        {"n", vb::Variant(5), T::Long, vb::Variant(5)},  // no declared type: what is stored
    };
    for (const auto& c : cases) rs.setValue(QString::fromLatin1(c.field), c.assigned);
    rs.update();
    dao::Recordset back = db_.openRecordset("SELECT * FROM kinds", dao::dbOpenSnapshot);
    for (const auto& c : cases) {
        const vb::Variant v = back[QString::fromLatin1(c.field)];
        EXPECT_EQ(v.type(), c.type) << c.field;
        EXPECT_EQ(v, c.expected) << c.field << " " << v.text().toStdString();
    }
    // Booleans are stored as the engine's True, -1; dates as their day serial.
    dao::Recordset raw = db_.openRecordset("SELECT yn + 0 AS yn, dt + 0 AS dt FROM kinds", dao::dbOpenSnapshot);
    EXPECT_EQ(raw["yn"].toLong(), -1);
    EXPECT_DOUBLE_EQ(raw["dt"].toDouble(), when.serial());
}

TEST_F(RecordsetTest, NullFieldsReadAsNull) {
    db_.execute("INSERT INTO CodeFiles (CodeID) VALUES (1)");
    dao::Recordset rs = db_.openRecordset("select * from codefiles where codeid = 1");
    for (const char* name : {"Description", "File", "OrigDateTime", "NAME", "jielun"})
        EXPECT_TRUE(rs[QString::fromLatin1(name)].isNull()) << name;
    EXPECT_EQ(rs.field("File").fieldSize(), 0);
    rs.edit();
    rs.setValue("NAME", vb::Variant("x"));
    rs.setValue("NAME", vb::Variant::null());
    rs.setValue("Description", vb::Variant());  // Empty is stored as Null
    rs.update();
    dao::Recordset again = db_.openRecordset("select NAME, Description from codefiles", dao::dbOpenSnapshot);
    EXPECT_TRUE(again["NAME"].isNull());
    EXPECT_TRUE(again["Description"].isNull());
}

TEST_F(RecordsetTest, TextWidthAndConversionsAreEnforced) {
    dao::Recordset rs = db_.openRecordset("select * from codefiles where id = 0");
    rs.addNew();
    EXPECT_EQ(errorOf([&] { rs.setValue("NAME", vb::Variant(QString(21, QLatin1Char('x')))); }), dao::kFieldTooSmall);
    EXPECT_EQ(errorTextOf([&] { rs.setValue("NAME", vb::Variant(QString(21, QLatin1Char('x')))); }),
              QStringLiteral("The field is too small to accept the amount of data you attempted to add."));
    EXPECT_EQ(errorOf([&] { rs.setValue("NAME", vb::Variant(QString(20, QChar(0x6C49)))); }), 0);  // characters, not bytes
    EXPECT_EQ(errorOf([&] { rs.setValue("CodeID", vb::Variant("abc")); }), dao::kDataTypeConversion);
    EXPECT_EQ(errorOf([&] { rs.setValue("OrigDateTime", vb::Variant("not a date")); }), dao::kDataTypeConversion);
    rs.field("Description").appendChunk(QString(51, QLatin1Char('y')));
    EXPECT_EQ(errorOf([&] { rs.update(); }), dao::kFieldTooSmall);
}

TEST_F(RecordsetTest, LongBinaryChunksRoundTrip) {
    for (const int size : {0, 16384, 16385, 40000}) {
        QByteArray data(size, '\0');
        for (int i = 0; i < size; ++i) data[i] = char((i * 7 + size) & 0xff);
        dao::Recordset rs = db_.openRecordset("select * from codefiles where id = 0");
        rs.addNew();
        rs.setValue("CodeID", vb::Variant(size));
        // Written in uneven pieces ...
        for (int at = 0; at < size; at += 5000) rs.field("File").appendChunk(data.mid(at, 5000));
        if (size == 0) rs.field("File").appendChunk(QByteArray());
        rs.update();
        rs.setBookmark(rs.lastModified());
        const QString id = rs["ID"].toString();
        rs.close();

        // ... read back in pieces of 16384 and the remainder, as attachments are saved to disk.
        dao::Recordset file = db_.openRecordset("select file from codefiles where id = " + id);
        dao::Field f = file.field("file");
        ASSERT_EQ(f.fieldSize(), size);
        QByteArray back;
        const qint64 n = size / 16384, r = size % 16384;
        for (qint64 i = 1; i <= n; ++i) back += f.getChunk((i - 1) * 16384, 16384);
        back += f.getChunk(n * 16384, r);
        EXPECT_EQ(back, data) << size;
        EXPECT_EQ(f.getChunk(size, 10), QByteArray()) << size;
    }
}

TEST_F(RecordsetTest, MemoChunksAppendText) {
    dao::Recordset rs = db_.openRecordset("select * from codeitems where id = 0");
    rs.addNew();
    rs.field("code").appendChunk(QStringLiteral("前半"));
    rs.field("code").appendChunk(QStringLiteral("后半"));
    rs.update();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs["code"].toString(), QStringLiteral("前半后半"));
    EXPECT_EQ(rs.field("code").fieldSize(), 8);  // UTF-16 bytes
    EXPECT_EQ(rs.field("code").getChunk(4, 4), vb::Variant(u"后半").toBytes());
}

TEST_F(RecordsetTest, NavigationFollowsTheEngine) {
    for (const char* d : {"a", "b", "c"}) addItem(QString::fromLatin1(d));
    dao::Recordset rs = db_.openRecordset("select * from codeitems order by id");
    EXPECT_EQ(rs.recordCount(), 1);  // a dynaset knows the rows it has visited
    rs.moveLast();
    EXPECT_EQ(rs.recordCount(), 3);
    rs.moveFirst();
    EXPECT_FALSE(rs.bof());
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(errorOf([&] { rs.movePrevious(); }), dao::kNoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs["description"]; }), dao::kNoCurrentRecord);
    QStringList seen;
    for (rs.moveNext(); !rs.eof(); rs.moveNext()) seen.append(rs["description"].toString());
    EXPECT_EQ(seen, QStringList({"a", "b", "c"}));
    EXPECT_EQ(errorOf([&] { rs.moveNext(); }), dao::kNoCurrentRecord);
    rs.movePrevious();
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("c"));
    const QByteArray mark = rs.bookmark();
    rs.moveFirst();
    rs.setBookmark(mark);
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("c"));
    EXPECT_EQ(errorOf([&] { rs.setBookmark(QByteArray("bad")); }), dao::kNotAValidBookmark);

    dao::Recordset snap = db_.openRecordset("select * from codeitems", dao::dbOpenSnapshot);
    EXPECT_EQ(snap.recordCount(), 3);
    dao::Recordset empty = db_.openRecordset("select * from codeitems where id = 0", dao::dbOpenSnapshot);
    EXPECT_EQ(empty.recordCount(), 0);
    EXPECT_EQ(errorOf([&] { empty.moveFirst(); }), dao::kNoCurrentRecord);
    EXPECT_EQ(errorOf([&] { empty.moveLast(); }), dao::kNoCurrentRecord);
}

TEST_F(RecordsetTest, DeletedRowsAreSkipped) {
    for (const char* d : {"a", "b", "c"}) addItem(QString::fromLatin1(d));
    dao::Recordset rs = db_.openRecordset("select * from codeitems order by id");
    rs.moveNext();
    rs.deleteCurrent();
    EXPECT_EQ(errorOf([&] { rs["description"]; }), dao::kRecordDeleted);
    rs.moveNext();
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("c"));
    // A row deleted through another recordset is passed over as well.
    db_.execute("delete from codeitems where description = 'a'");
    rs.moveFirst();
    EXPECT_EQ(rs["description"].toString(), QStringLiteral("c"));
    rs.moveLast();
    EXPECT_EQ(rs.recordCount(), 1);
}

TEST_F(RecordsetTest, ExecuteRunsDeleteStatementsAndCountsTheRows) {
    for (const char* d : {"a", "b", "c"}) addItem(QString::fromLatin1(d), vb::Variant(5));
    db_.execute("INSERT INTO Bookmarks (CodeID, Description) VALUES (1, 'x')");
    db_.execute("delete from codeitems where parentid = 5 and description <> 'b'");
    EXPECT_EQ(db_.recordsAffected(), 2);
    db_.execute("delete from bookmarks where codeid = 1");
    EXPECT_EQ(db_.recordsAffected(), 1);
    db_.execute("delete from codefiles where codeid = 1");
    EXPECT_EQ(db_.recordsAffected(), 0);
    EXPECT_EQ(db_.openRecordset("select * from codeitems", dao::dbOpenSnapshot).recordCount(), 1);
    EXPECT_EQ(errorOf([&] { db_.execute("select * from codeitems"); }), dao::kCannotExecuteSelect);
}

TEST_F(RecordsetTest, ValuesFromTheUserAreBoundNotPasted) {
    const QString hostile = QStringLiteral("x'); DROP TABLE codeitems; --");
    db_.execute("INSERT INTO codeitems (parentid, description) VALUES (?, ?)", {vb::Variant(0), vb::Variant(hostile)});
    dao::Recordset rs = db_.openRecordset("select * from codeitems where description = ?", dao::dbOpenSnapshot,
                                          {vb::Variant(hostile)});
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["description"].toString(), hostile);
    EXPECT_EQ(errorOf([&] { db_.openRecordset("select * from codeitems where id = ? and parentid = ?", 2, {vb::Variant(1)}); }),
              dao::kTooFewParameters);
}

}  // namespace
