// The highlighted tree item, the item the editor shows and the status bar name one item: however the
// highlight moves (keys, a refill, another library), and when the page shown cannot be saved.
#include "core/globals.h"
#include "library/reading_panel.h"
#include "platform/dao/dao.h"
#include "platform/vb/folders.h"
#include "tests/library_menus/menus_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

namespace {

class ShownItemTest : public MenusTest {
protected:
    QTreeWidget* tree() { return w().tvCodeItems(); }
    QTreeWidgetItem* node(const QString& key) { return w().nodeByKey(key); }
    void click(QTreeWidgetItem* n) {
        tree()->scrollToItem(n);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(n).center());
    }
    // The three that must agree: the highlight, the editor's item, the status bar.
    void expectOneItem(const QString& key, const QString& status) {
        ASSERT_TRUE(tree()->currentItem());
        EXPECT_EQ(library::FrmCodeLib::nodeKey(tree()->currentItem()), key);
        EXPECT_EQ(w().shownKey(), key);
        EXPECT_EQ(w().statusPanel1()->text(), status);
    }
    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ShownItemTest, ArrowKeysShowTheHighlightedItemAfterSavingTheShownOne) {
    click(node(QStringLiteral("C1")));
    expectOneItem(QStringLiteral("C1"), QStringLiteral("紫微斗数入门"));
    editor().setFocus();
    editor().setSelStart(0);
    type(&editor(), QStringLiteral("typed before the arrow key "));

    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Up);
    expectOneItem(QStringLiteral("C4"), QStringLiteral("命例"));
    EXPECT_TRUE(fileBytes(core::gWorkPath + QStringLiteral("GREENNOTE1.rtf")).contains("typed before the arrow key "));
    EXPECT_EQ(core::gCurrentRtfFile, core::gWorkPath + QStringLiteral("GREENNOTE4.rtf"));

    QTest::keyClick(tree(), Qt::Key_Up);
    expectOneItem(QStringLiteral("ROOT"), QString());
    EXPECT_TRUE(w().Picscroll()->isVisible()) << "the root shows the reading panel";
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(ShownItemTest, APageThatCannotBeSavedKeepsItsHighlight) {
    click(node(QStringLiteral("C1")));
    editor().setFocus();
    type(&editor(), QStringLiteral("kept on screen"));
    const QString page = core::gWorkPath + QStringLiteral("GREENNOTE1.rtf");
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkdir(page));

    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Up);
    QApplication::processEvents();
    ASSERT_GE(boxes_.count(), 1) << "the failed save is said";
    expectOneItem(QStringLiteral("C1"), QStringLiteral("紫微斗数入门"));
    EXPECT_TRUE(editor().text().contains(QStringLiteral("kept on screen")));
    QDir().rmdir(page);
}

TEST_F(ShownItemTest, ARefillKeepsTheHighlightOnTheShownItem) {
    click(node(QStringLiteral("C4")));
    w().FillTree();  // as the import of items refills it
    expectOneItem(QStringLiteral("C4"), QStringLiteral("命例"));
}

TEST_F(ShownItemTest, AnotherLibraryStartsFromItsRootWithAnEmptyStatusBar) {
    click(node(QStringLiteral("C1")));
    const QString other = dataPath(QStringLiteral("第二个库/"));
    QDir().mkpath(other);
    ASSERT_TRUE(QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")), other + "dirovovivov.mdb"));
    dialogs_.answer(forms::DialogAnswer::open(other + "dirovovivov.mdb"));
    trigger(QStringLiteral("mnuOpenDatabase"));
    ASSERT_EQ(core::gWorkPath, other);
    expectOneItem(QStringLiteral("ROOT"), QString());
}

}  // namespace
