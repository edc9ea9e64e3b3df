// The shipped work database as the build makes it: the starter library with its pages, and the empty
// template, both from the one schema.
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/rtf/rtf_reader.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList fieldNames(dao::Database& db, const QString& table) {
    dao::Recordset rs = db.openRecordset(QStringLiteral("select * from ") + table, dao::dbOpenSnapshot);
    QStringList names;
    for (int i = 0; i < rs.fieldCount(); ++i) names << rs.field(i).name().toLower();
    return names;
}

int count(dao::Database& db, const QString& sql) {
    return db.openRecordset(sql, dao::dbOpenSnapshot).recordCount();
}

// A copy of a shipped database in a temporary folder, so the tests may write to it.
class ShippedDatabaseTest : public ::testing::Test {
protected:
    dao::Database open(const QString& relative) {
        const QString copy = dir_.filePath(QString(relative).replace(u'/', u'-'));
        EXPECT_TRUE(QFile::copy(QDir(testenv::programDir()).filePath(relative), copy));
        return dao::DBEngine::defaultWorkspace().openDatabase(copy);
    }
    QTemporaryDir dir_;
};

const QStringList kItemColumns{"id", "parentid", "description", "code", "notes", "example"};
const QStringList kBookmarkColumns{"id", "codeid", "description"};
const QStringList kCodeFilesColumns{"id",   "codeid",  "description", "file",     "origdatetime",
                                    "dateadded", "name", "xingbie",  "borntime", "guatime",
                                    "savetime", "address", "tel",     "why",      "jielun"};

TEST_F(ShippedDatabaseTest, TemplateAndStarterShareTheSchema) {
    for (const char* file : {"template/dirovovivov.mdb", "dirovovivov.mdb"}) {
        SCOPED_TRACE(file);
        dao::Database db = open(QString::fromLatin1(file));
        EXPECT_EQ(fieldNames(db, QStringLiteral("codeitems")), kItemColumns);
        EXPECT_EQ(fieldNames(db, QStringLiteral("Bookmarks")), kBookmarkColumns);
        EXPECT_EQ(fieldNames(db, QStringLiteral("codefiles")), kCodeFilesColumns);
        EXPECT_EQ(fieldNames(db, QStringLiteral("CodeDBVersion")), QStringList{"version"});
        EXPECT_EQ(count(db, QStringLiteral("select * from CodeDBVersion")), 0);  // the opening program writes it
    }
}

TEST_F(ShippedDatabaseTest, TheTemplateIsEmptyAndNumbersFromOne) {
    dao::Database db = open(QStringLiteral("template/dirovovivov.mdb"));
    for (const char* table : {"codeitems", "Bookmarks", "codefiles"})
        EXPECT_EQ(count(db, QStringLiteral("select * from ") + QString::fromLatin1(table)), 0) << table;
    db.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, 'x')"));
    EXPECT_EQ(db.openRecordset(QStringLiteral("select id from codeitems"), dao::dbOpenSnapshot).value(QStringLiteral("id")).toLong(), 1);
}

TEST_F(ShippedDatabaseTest, StarterLibraryRowsHangTogether) {
    dao::Database db = open(QStringLiteral("dirovovivov.mdb"));
    EXPECT_EQ(count(db, QStringLiteral("select * from codeitems")), 4);
    EXPECT_EQ(count(db, QStringLiteral("select * from codeitems where parentid = 0")), 2);
    EXPECT_EQ(count(db, QStringLiteral("select * from codeitems c where parentid <> 0 and not exists "
                                       "(select * from codeitems p where p.id = c.parentid)")), 0);

    // The bookmark list's own statement finds the bookmark with its item's title.
    dao::Recordset marks = db.openRecordset(
        QStringLiteral("SELECT Bookmarks.ID, Bookmarks.CodeID, CodeItems.Description, Bookmarks.Description FROM Bookmarks "
                       "INNER JOIN CodeItems ON Bookmarks.codeID = CodeItems.ID"),
        dao::dbOpenSnapshot);
    ASSERT_EQ(marks.recordCount(), 1);
    EXPECT_EQ(marks.field(2).value().toString(), QStringLiteral("十四主星"));

    // The case list reads the person record by these columns.
    dao::Recordset person = db.openRecordset(
        QStringLiteral("select NAME, xingbie, borntime, guatime, id, savetime, address, tel, why, jielun from codefiles "
                       "where codeid = 4"),
        dao::dbOpenSnapshot);
    ASSERT_EQ(person.recordCount(), 1);
    EXPECT_EQ(person.value(QStringLiteral("xingbie")).toString(), QStringLiteral("男"));
    EXPECT_EQ(person.value(QStringLiteral("guatime")).type(), vb::Variant::Type::Date);
    EXPECT_EQ(person.value(QStringLiteral("guatime")).toDate(), vb::Date::fromParts(1980, 6, 15, 10, 30));
    vb::Date typed;
    ASSERT_TRUE(vb::Date::parse(person.value(QStringLiteral("borntime")).toString(), &typed));
    EXPECT_EQ(typed, person.value(QStringLiteral("guatime")).toDate());
    EXPECT_TRUE(person.value(QStringLiteral("jielun")).isNull());
}

TEST_F(ShippedDatabaseTest, ColumnsHoldWhatTheDialogsLetThrough) {
    dao::Database db = open(QStringLiteral("dirovovivov.mdb"));
    dao::Recordset rs = db.openRecordset(QStringLiteral("select * from bookmarks where id = 0"));
    rs.addNew();
    rs.setValue(QStringLiteral("Description"), QString(250, u'书'));  // the add-bookmark dialog's limit
    rs.update();
    dao::Recordset cases = db.openRecordset(QStringLiteral("select * from codefiles where id = 0"));
    cases.addNew();
    cases.setValue(QStringLiteral("NAME"), QString(18, u'a'));
    cases.setValue(QStringLiteral("address"), QString(125, u'地'));
    cases.setValue(QStringLiteral("why"), QString(250, u'事'));
    cases.setValue(QStringLiteral("tel"), QString(20, u'1'));
    cases.update();
    EXPECT_EQ(count(db, QStringLiteral("select * from codefiles")), 2);
}

// Each item's three pages are in the program folder and read back as the authored text.
TEST(ShippedPagesTest, EveryItemHasItsThreePagesAndNothingElse) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(
        QDir(testenv::programDir()).filePath(QStringLiteral("dirovovivov.mdb")), false, true);
    dao::Recordset items = db.openRecordset(QStringLiteral("select id from codeitems"), dao::dbOpenSnapshot);
    QStringList expected;
    for (; !items.eof(); items.moveNext()) {
        const QString key = items.value(QStringLiteral("id")).toString();
        for (auto page : {core::ItemPage::Code, core::ItemPage::Notes, core::ItemPage::Example})
            expected << core::pageFileName(page, key);
    }
    db.close();
    expected.sort();
    QStringList shipped = QDir(testenv::programDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files);
    shipped.sort();
    EXPECT_EQ(shipped, expected);

    const QDir sources(testenv::sourceDir() + QStringLiteral("/data/workdb/pages"));
    for (const QString& page : expected) {
        SCOPED_TRACE(page.toStdString());
        QFile rtfFile(QDir(testenv::programDir()).filePath(page));
        ASSERT_TRUE(rtfFile.open(QIODevice::ReadOnly));
        QTextDocument doc;
        const rtf::ReadResult result = rtf::read(rtfFile.readAll(), doc);
        EXPECT_TRUE(result.isRtf);
        EXPECT_TRUE(result.complete);

        QFile textFile(sources.filePath(QFileInfo(page).completeBaseName() + QStringLiteral(".txt")));
        ASSERT_TRUE(textFile.open(QIODevice::ReadOnly));
        const QString authored = QString::fromUtf8(textFile.readAll()).trimmed();
        EXPECT_EQ(doc.toPlainText().trimmed(), authored);
        EXPECT_TRUE(doc.begin().charFormat().font().bold() || doc.begin().begin().fragment().charFormat().font().bold());
    }
}

}  // namespace
