#include "core/code_item.h"
#include "core/globals.h"
#include "tests/core/work_folder_fixture.h"

#include <QFile>

namespace {

using core::CCodeItem;

class CodeItemTest : public WorkFolderTest {
protected:
    int itemRows(const QString& id) { return rows(QStringLiteral("select * from codeitems where id = ?"), {id.toInt()}); }
};

TEST_F(CodeItemTest, NewItemNeedsNoDatabaseUntilCommit) {
    CCodeItem item;
    dao::Database none;  // not open: any database access would fail
    item.Initialise(none, QString());
    EXPECT_EQ(item.state(), core::kRecordNew);
    EXPECT_EQ(item.ParentKey(), QStringLiteral("0"));
    item.setDescription(QStringLiteral("新建条目"));
    item.setParentKey(QString());
    EXPECT_EQ(item.ParentKey(), QStringLiteral("0"));  // empty is stored as "0"
    item.setParentKey(QStringLiteral("1"));
    EXPECT_EQ(item.Description(), QStringLiteral("新建条目"));
    EXPECT_EQ(item.state(), core::kRecordNew);
    EXPECT_TRUE(item.Key().isEmpty());
}

TEST_F(CodeItemTest, CommitOfANewItemInsertsItsRowAndTheNextReadLoadsIt) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QString());
    item.setDescription(QStringLiteral("新建条目"));
    item.setParentKey(QStringLiteral("1"));
    item.setNotes(QStringLiteral("notes text"));
    item.Commit();

    EXPECT_EQ(item.Key(), QStringLiteral("5"));  // the starter library holds items 1 to 4
    EXPECT_EQ(item.state(), core::kRecordUnchanged);
    EXPECT_FALSE(item.isLoaded());
    EXPECT_EQ(item.Code(), core::gWorkPath + QStringLiteral("GREENNOTE5.rtf"));
    EXPECT_EQ(item.Notes(), core::gWorkPath + QStringLiteral("BLUENote5.rtf"));
    EXPECT_EQ(item.Example(), core::gWorkPath + QStringLiteral("REDNOTE5.rtf"));
    EXPECT_EQ(item.ParentKey(), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("select description from codeitems where id = 5")), QStringLiteral("新建条目"));
    EXPECT_EQ(value(QStringLiteral("select notes from codeitems where id = 5")), QStringLiteral("notes text"));
}

TEST_F(CodeItemTest, LoadReadsTheRowOnceThroughAFreshConnection) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("2"));
    EXPECT_FALSE(item.isLoaded());
    dao::Database before = core::gWorkDB;
    before.close();  // the load opens its own connection
    EXPECT_EQ(item.Description(), QStringLiteral("十四主星"));
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(item.ParentKey(), QStringLiteral("1"));
    EXPECT_EQ(item.Notes(), core::gWorkPath + QStringLiteral("BLUENote2.rtf"));
    EXPECT_TRUE(item.isLoaded());
}

TEST_F(CodeItemTest, MissingRowLoadsEmptyWithoutError) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("999"));
    EXPECT_EQ(item.ParentKey(), QStringLiteral("0"));
    EXPECT_EQ(item.Description(), QString());
    EXPECT_EQ(item.Code(), QString());
    EXPECT_EQ(item.Example(), QString());
}

TEST_F(CodeItemTest, UpdateWritesTheChangedRow) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("3"));
    item.setDescription(QStringLiteral("四化（改）"));
    EXPECT_EQ(item.state(), core::kRecordChanged);
    item.Commit();
    EXPECT_EQ(item.state(), core::kRecordUnchanged);
    EXPECT_EQ(value(QStringLiteral("select description from codeitems where id = 3")), QStringLiteral("四化（改）"));
    EXPECT_EQ(value(QStringLiteral("select parentid from codeitems where id = 3")), QStringLiteral("1"));
}

TEST_F(CodeItemTest, UpdateOfAMissingRowFailsWithNoCurrentRecord) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("999"));
    item.setDescription(QStringLiteral("x"));
    const vb::Error e = errorOf([&] { item.Commit(); });
    EXPECT_EQ(e.number(), dao::kNoCurrentRecord);
    EXPECT_EQ(e.source(), QStringLiteral("CCodeItem::UpdateObject"));
    EXPECT_EQ(rows(QStringLiteral("select * from codeitems")), 4);
}

TEST_F(CodeItemTest, SetsAfterDeleteStoreTheValueThenFail) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("3"));
    item.Delete();
    vb::Error e = errorOf([&] { item.setDescription(QStringLiteral("stored")); });
    EXPECT_EQ(e.number(), static_cast<int>(0x80040201));
    EXPECT_EQ(e.source(), QStringLiteral("CCodeItem::SetStateForLet"));
    EXPECT_EQ(e.description(), QStringLiteral("This Record is About to be deleted"));
    EXPECT_EQ(item.Description(), QStringLiteral("stored"));

    item.Commit();
    EXPECT_EQ(item.state(), core::kRecordDeleted);
    e = errorOf([&] { item.setParentKey(QStringLiteral("2")); });
    EXPECT_EQ(e.number(), static_cast<int>(0x80040202));
    EXPECT_EQ(e.description(), QStringLiteral("This record has been deleted"));
}

TEST_F(CodeItemTest, CommitWithoutChangesWritesNothing) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("1"));
    item.Commit();
    EXPECT_EQ(item.state(), core::kRecordUnchanged);
    item.Delete();
    item.Commit();
    const int left = rows(QStringLiteral("select * from codeitems"));
    item.Commit();  // deleted: nothing more
    EXPECT_EQ(rows(QStringLiteral("select * from codeitems")), left);
}

TEST_F(CodeItemTest, DeleteRemovesRowBookmarksCasesAndPages) {
    core::gWorkDB.execute(QStringLiteral("insert into codefiles (codeid, name) values (2, 'a')"));
    core::gWorkDB.execute(QStringLiteral("insert into bookmarks (codeid, description) values (3, 'other item')"));
    ASSERT_EQ(rows(QStringLiteral("select * from bookmarks where codeid = 2")), 1);

    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("2"));
    item.Delete();
    item.Commit();

    EXPECT_EQ(itemRows(QStringLiteral("2")), 0);
    EXPECT_EQ(rows(QStringLiteral("select * from bookmarks where codeid = 2")), 0);
    EXPECT_EQ(rows(QStringLiteral("select * from codefiles where codeid = 2")), 0);
    for (const char* page : {"GREENNOTE2.rtf", "BLUENote2.rtf", "REDNOTE2.rtf"})
        EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(page)))) << page;
    // Nothing of the other items goes.
    EXPECT_EQ(rows(QStringLiteral("select * from codeitems")), 3);
    EXPECT_EQ(rows(QStringLiteral("select * from bookmarks")), 1);
    EXPECT_EQ(rows(QStringLiteral("select * from codefiles where codeid = 4")), 1);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("GREENNOTE3.rtf"))));
}

TEST_F(CodeItemTest, ADeleteThatFailsHalfwayKeepsItemPagesBookmarksAndCases) {
    // The third statement of the delete fails: the first two must not stay done, and no page may go.
    core::gWorkDB.execute(QStringLiteral("insert into bookmarks (codeid, description) values (4, 'mark')"));
    core::gWorkDB.execute(QStringLiteral("drop table codefiles"));

    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("4"));
    item.Delete();
    EXPECT_THROW(item.Commit(), vb::Error);

    EXPECT_EQ(item.state(), core::kRecordMarkedForDeletion);
    EXPECT_EQ(itemRows(QStringLiteral("4")), 1);
    EXPECT_EQ(rows(QStringLiteral("select * from bookmarks where codeid = 4")), 1);
    for (const char* page : {"GREENNOTE4.rtf", "BLUENote4.rtf", "REDNOTE4.rtf"})
        EXPECT_TRUE(QFile::exists(path(QString::fromLatin1(page)))) << page;
}

TEST_F(CodeItemTest, IdsAreNeverGivenOutAgain) {
    CCodeItem last;
    last.Initialise(core::gWorkDB, QStringLiteral("4"));
    last.Delete();
    last.Commit();
    writeFile(path(QStringLiteral("GREENNOTE4.rtf")), "{\\rtf1 left behind}");  // a page that outlived its item

    CCodeItem fresh;
    fresh.Initialise(core::gWorkDB, QString());
    fresh.setDescription(QStringLiteral("new"));
    fresh.Commit();
    EXPECT_EQ(fresh.Key(), QStringLiteral("5"));
}

TEST_F(CodeItemTest, AnInsertThatFailsAddsNoRow) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QString());
    item.setDescription(QString(256, u'长'));  // wider than the column
    const vb::Error e = errorOf([&] { item.Commit(); });
    EXPECT_EQ(e.number(), dao::kFieldTooSmall);
    EXPECT_EQ(e.source(), QStringLiteral("CCodeItem::InsertObject"));
    EXPECT_EQ(item.state(), core::kRecordNew);
    EXPECT_TRUE(item.Key().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("select * from codeitems")), 4);
}

TEST_F(CodeItemTest, AKeyThatIsNoNumberNeverReachesTheStatement) {
    CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("0 or 1=1"));
    const vb::Error e = errorOf([&] { (void)item.Description(); });
    EXPECT_EQ(e.number(), vb::kTypeMismatch);
    EXPECT_EQ(e.source(), QStringLiteral("CCodeItem:GetAttributes"));
}

}  // namespace
