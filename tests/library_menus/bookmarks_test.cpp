// The bookmark pane and the add-bookmark dialog on the shipped library (one bookmark on 十四主星).
#include "core/code_item.h"
#include "core/globals.h"
#include "library/ctl_bookmarks.h"
#include "library/frm_add_bookmark.h"
#include "platform/forms/label.h"
#include "platform/forms/listview.h"
#include "tests/library_menus/menus_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace {

class BookmarksTest : public MenusTest {
protected:
    library::CtlBookmarks& pane() { return *w().bookmarkList(); }
    forms::ListView& list() { return *pane().lvBookMarks(); }
    QTreeWidgetItem* row(int i) { return list().topLevelItem(i); }
    static void addBookmarkRow(int codeId, const QString& text) {
        core::gWorkDB.execute(QStringLiteral("insert into Bookmarks (CodeID, Description) values (?, ?)"),
                              {vb::Variant(codeId), vb::Variant(text)});
    }
    QPoint centreOf(QTreeWidgetItem* item) { return list().visualItemRect(item).center(); }
};

TEST_F(BookmarksTest, ListsEveryBookmarkWithItsItemsTitle) {
    EXPECT_EQ(pane().objectName(), "ctlBookMarkList");
    EXPECT_EQ(w().ctlBookMarkList(), &pane()) << "the layout places the real pane";
    EXPECT_EQ(list().columnText(0), "书签名称");
    EXPECT_EQ(list().columnText(1), "简短描述");
    ASSERT_EQ(list().itemCount(), 1);
    // The item's title and the bookmark's own text each come from their own table.
    EXPECT_EQ(row(0)->text(0), "十四主星");
    EXPECT_EQ(forms::ListView::subItem(row(0), 1), "十四主星的分组与安星次序");
    EXPECT_EQ(forms::ListView::key(row(0)), "B1");
    EXPECT_EQ(library::CtlBookmarks::tag(row(0)), "C2");

    addBookmarkRow(3, QStringLiteral("第一行\r\n第二行"));
    addBookmarkRow(999, QStringLiteral("条目已删"));
    pane().Initialise(core::gWorkDB);
    ASSERT_EQ(list().itemCount(), 2) << "a bookmark without its item is not shown";
    EXPECT_EQ(forms::ListView::subItem(row(1), 1), "第一行 第二行");
}

TEST_F(BookmarksTest, AClickShowsTheItemInTheTree) {
    QSignalSpy viewed(&pane(), &library::CtlBookmarks::ViewBookMark);
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, centreOf(row(0)));
    ASSERT_EQ(viewed.count(), 1);
    QTreeWidgetItem* node = w().tvCodeItems()->currentItem();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), "十四主星");
    EXPECT_EQ(w().statusPanel1()->text(), "十四主星");

    // An entry without an item id answers with a message.
    row(0)->setData(0, Qt::UserRole + 10, QStringLiteral("C"));
    pane().lvBookMarks_ItemClick(row(0));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "No Related Code !");
}

TEST_F(BookmarksTest, TheTreeFindsAndRefreshesTheBookmarks) {
    list().clearSelection();
    list().setCurrentItem(nullptr);
    QTreeWidgetItem* node = w().nodeByKey(QStringLiteral("C2"));
    ASSERT_NE(node, nullptr);
    w().tvCodeItems()->setCurrentItem(node);
    w().tvCodeItems_NodeClick(node);
    EXPECT_EQ(list().selectedItem(), row(0)) << "choosing an item selects its bookmark";

    boxes_.answer(vb::vbYes);
    w().DeleteCodeItem();
    EXPECT_EQ(list().itemCount(), 0) << "the deleted item's bookmark leaves the list";
}

TEST_F(BookmarksTest, DeletingFromThePopUpRemovesRowAndEntry) {
    QSignalSpy removed(&pane(), &library::CtlBookmarks::BookMarkRemoved);
    pane().menuEntry(QStringLiteral("mnuRemoveBookMark"))->trigger();
    EXPECT_EQ(removed.count(), 0) << "nothing selected, nothing deleted";
    list().setCurrentItem(row(0));
    pane().menuEntry(QStringLiteral("mnuRemoveBookMark"))->trigger();
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.first().first().toString(), "2");
    EXPECT_EQ(list().itemCount(), 0);
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks")), 0);
    // An empty list opens no pop-up.
    QTest::mouseClick(list().viewport(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_FALSE(pane().mnuPopup()->isVisible());
}

TEST_F(BookmarksTest, PopUpOpensOnARightClickOverEntries) {
    QTest::mouseClick(list().viewport(), Qt::RightButton, {}, centreOf(row(0)));
    EXPECT_TRUE(pane().mnuPopup()->isVisible());
    pane().mnuPopup()->hide();
}

TEST_F(BookmarksTest, HeaderClickSortsAscending) {
    addBookmarkRow(1, QStringLiteral("b"));
    addBookmarkRow(3, QStringLiteral("a"));
    pane().Initialise(core::gWorkDB);
    pane().lvBookMarks_ColumnClick(1);
    EXPECT_TRUE(list().sorted());
    EXPECT_EQ(list().sortKey(), 1);
    EXPECT_EQ(forms::ListView::subItem(row(0), 1), "a");
    pane().lvBookMarks_ColumnClick(1);
    EXPECT_EQ(forms::ListView::subItem(row(0), 1), "a") << "a second click does not turn the order";
}

TEST_F(BookmarksTest, DoubleClickSwitchesThePaneHeight) {
    w().resize(900, 700);
    const int first = w().ctlBookMarkList()->height();
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, centreOf(row(0)));
    EXPECT_EQ(core::gBookmarkPaneScale, 3);
    EXPECT_GT(w().ctlBookMarkList()->height(), 2 * first);
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, centreOf(row(0)));
    EXPECT_EQ(core::gBookmarkPaneScale, 1);
    EXPECT_EQ(w().ctlBookMarkList()->height(), first);
}

TEST_F(BookmarksTest, ColoursWidthsAndSizingBorder) {
    const vb::OleColor back = list().backColor();
    dialogs_.answer(forms::DialogAnswer::cancel());
    pane().menuEntry(QStringLiteral("mnuBcolor"))->trigger();
    EXPECT_EQ(list().backColor(), back);
    dialogs_.answer(forms::DialogAnswer::colour(0x00FF00));
    pane().menuEntry(QStringLiteral("mnuBcolor"))->trigger();
    EXPECT_EQ(list().backColor(), 0x00FF00u);
    EXPECT_TRUE(dialogs_.last().flags & forms::cdlCCFullOpen);
    dialogs_.answer(forms::DialogAnswer::colour(0x0000FF));
    pane().menuEntry(QStringLiteral("MnuFcolor"))->trigger();
    EXPECT_EQ(list().foreColor(), 0x0000FFu);

    list().setColumnWidthPixels(0, 5);
    pane().menuEntry(QStringLiteral("mnubwide"))->trigger();
    EXPECT_GT(list().columnWidthPixels(0), 5);
    EXPECT_TRUE(list().isVisible());

    EXPECT_FALSE(pane().hasSizingBorder());
    QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&list(), &focus);
    EXPECT_TRUE(pane().hasSizingBorder());
    EXPECT_GT(pane().frameWidth(), 0);
}

TEST_F(BookmarksTest, FindBookmarkSelectsByTitle) {
    pane().FindBookmark(QStringLiteral("没有的"));
    EXPECT_EQ(list().selectedItem(), nullptr);
    pane().FindBookmark(QStringLiteral("十四主星"));
    EXPECT_EQ(list().selectedItem(), row(0));
}

TEST_F(BookmarksTest, AddBookMarkStoresTheTextAndSelectsTheNewEntry) {
    selectNode(QStringLiteral("四化"));
    whenShown<library::FrmAddBookmark>([](library::FrmAddBookmark& d) {
        EXPECT_EQ(d.Caption(), "书签");
        EXPECT_EQ(d.lblcodeitem()->text(), " 四化");
        type(d.txtBookmark(), QStringLiteral("化禄化权"));
        QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    });
    trigger(QStringLiteral("MnuBMadd"));
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks")), 2);
    ASSERT_EQ(list().itemCount(), 2);
    ASSERT_NE(list().selectedItem(), nullptr);
    EXPECT_EQ(list().selectedItem()->text(0), "四化");
    EXPECT_EQ(forms::ListView::subItem(list().selectedItem(), 1), "化禄化权");
}

TEST_F(BookmarksTest, CancelAndTheRootAddNothing) {
    selectNode(QStringLiteral("四化"));
    whenShown<library::FrmAddBookmark>([](library::FrmAddBookmark& d) {
        type(d.txtBookmark(), QStringLiteral("x"));
        QTest::mouseClick(d.cmdcancel(), Qt::LeftButton);
    });
    trigger(QStringLiteral("mnuBookMark"));
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks")), 1);

    selectNode(QStringLiteral("ROOT"));
    trigger(QStringLiteral("MnuBMadd"));  // returns at once: no dialog waits
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks")), 1);
}

class AddBookmarkDialogTest : public MenusTest {};

TEST_F(AddBookmarkDialogTest, HoldsAtMostTwoHundredFiftyCharacters) {
    auto item = std::make_shared<core::CCodeItem>();
    item->Initialise(core::gWorkDB, QStringLiteral("3"));
    library::FrmAddBookmark* d = forms::newInstance<library::FrmAddBookmark>();
    d->Initialise(core::gWorkDB, item);
    d->txtBookmark()->setText(QString(250, u'字'));
    EXPECT_EQ(boxes_.count(), 0);
    d->txtBookmark()->end(false);
    type(d->txtBookmark(), QStringLiteral("多"));
    EXPECT_EQ(d->txtBookmark()->text(), QString(250, u'字'));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "请将输入的字符限制在于250个以内！");
    QTest::mouseClick(d->cmdok(), Qt::LeftButton);
    EXPECT_FALSE(d->Cancelled());
    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select Description from Bookmarks where CodeID = 3"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(QStringLiteral("Description")).toString(), QString(250, u'字'));
    rs.close();
    d->Unload();
}

TEST_F(AddBookmarkDialogTest, AnEmptyDescriptionIsStoredEmptyAndCancelStoresNothing) {
    auto item = std::make_shared<core::CCodeItem>();
    item->Initialise(core::gWorkDB, QStringLiteral("3"));
    library::FrmAddBookmark* d = forms::newInstance<library::FrmAddBookmark>();
    d->Initialise(core::gWorkDB, item);
    QTest::mouseClick(d->cmdok(), Qt::LeftButton);
    d->Unload();
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks where CodeID = 3 and Description = ''")), 1);

    d = forms::newInstance<library::FrmAddBookmark>();
    d->Initialise(core::gWorkDB, item);
    QTest::mouseClick(d->cmdcancel(), Qt::LeftButton);
    EXPECT_TRUE(d->Cancelled());
    d->Unload();
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("Bookmarks")), 2);
}

}  // namespace
