#include "core/bookmark.h"
#include "core/globals.h"
#include "tests/core/work_folder_fixture.h"

namespace {

using core::CBookmark;

class BookmarkTest : public WorkFolderTest {};

TEST_F(BookmarkTest, NewBookmarkStoresTheItemItPointsAt) {
    core::CCodeItem item;
    item.Initialise(core::gWorkDB, QStringLiteral("3"));
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QString());
    mark.setCodeItem(&item);
    mark.setDescription(QStringLiteral("四化表"));
    mark.Commit();

    EXPECT_EQ(mark.Key(), QStringLiteral("2"));
    EXPECT_EQ(mark.state(), core::kRecordUnchanged);
    EXPECT_EQ(value(QStringLiteral("select codeid from bookmarks where id = 2")), QStringLiteral("3"));
    EXPECT_EQ(value(QStringLiteral("select description from bookmarks where id = 2")), QStringLiteral("四化表"));
}

TEST_F(BookmarkTest, LoadsTheShippedBookmarkAndItsItem) {
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QStringLiteral("1"));
    EXPECT_EQ(mark.CodeItemKey(), QStringLiteral("2"));
    EXPECT_EQ(mark.Description(), QStringLiteral("十四主星的分组与安星次序"));
    const auto item = mark.CodeItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Key(), QStringLiteral("2"));
    EXPECT_EQ(item->state(), core::kRecordUnchanged);
    EXPECT_FALSE(item->isLoaded());
    EXPECT_EQ(item->Description(), QStringLiteral("十四主星"));
}

TEST_F(BookmarkTest, EmptyItemKeyGivesNoItemWithoutTouchingATable) {
    CBookmark mark;
    dao::Database none;
    mark.Initialise(none, QString());
    EXPECT_EQ(mark.CodeItem(), nullptr);
}

TEST_F(BookmarkTest, MissingRowLoadsEmpty) {
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QStringLiteral("77"));
    EXPECT_EQ(mark.CodeItemKey(), QString());
    EXPECT_EQ(mark.Description(), QString());
}

TEST_F(BookmarkTest, NullColumnMakesTheLoadFail) {
    core::gWorkDB.execute(QStringLiteral("insert into bookmarks (codeid) values (1)"));
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QStringLiteral("2"));
    const vb::Error e = errorOf([&] { (void)mark.Description(); });
    EXPECT_EQ(e.number(), vb::kInvalidUseOfNull);
    EXPECT_EQ(e.source(), QStringLiteral("CBookmark:GetAttributes"));
}

TEST_F(BookmarkTest, PointingAtNoRecordFails) {
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QString());
    EXPECT_EQ(errorOf([&] { mark.setCodeItem(nullptr); }).number(), vb::kObjectNotSet);
}

TEST_F(BookmarkTest, UpdateAndDelete) {
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QStringLiteral("1"));
    mark.setCodeItemKey(QStringLiteral("3"));
    mark.Commit();
    EXPECT_EQ(value(QStringLiteral("select codeid from bookmarks where id = 1")), QStringLiteral("3"));

    CBookmark gone;
    gone.Initialise(core::gWorkDB, QStringLiteral("1"));
    gone.Delete();
    EXPECT_EQ(errorOf([&] { gone.setDescription(QStringLiteral("x")); }).number(), core::kErrRecordAboutToBeDeleted);
    gone.Commit();
    EXPECT_EQ(gone.state(), core::kRecordDeleted);
    EXPECT_EQ(rows(QStringLiteral("select * from bookmarks")), 0);
    const vb::Error e = errorOf([&] { gone.setDescription(QStringLiteral("x")); });
    EXPECT_EQ(e.number(), core::kErrRecordDeleted);
    EXPECT_EQ(e.source(), QStringLiteral("CBookmark::SetStateForLet"));
}

TEST_F(BookmarkTest, UpdateOfAMissingRowFails) {
    CBookmark mark;
    mark.Initialise(core::gWorkDB, QStringLiteral("50"));
    mark.setDescription(QStringLiteral("x"));
    const vb::Error e = errorOf([&] { mark.Commit(); });
    EXPECT_EQ(e.number(), dao::kNoCurrentRecord);
    EXPECT_EQ(e.source(), QStringLiteral("CBookmark::UpdateObject"));
}

}  // namespace
