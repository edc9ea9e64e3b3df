// Find and replace: the search itself, and the dialog through its controls on the library editor.
#include "core/globals.h"
#include "library/frm_find.h"
#include "library/text_search.h"
#include "tests/library_menus/menus_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

TEST(TextSearch, FindsByCaseAndWholeWordRules) {
    struct Case {
        const char* text;
        const char* what;
        int from;
        bool wholeWord;
        int expected;
    };
    const Case cases[] = {
        {"abc abc", "abc", 1, false, 1},
        {"abc abc", "abc", 2, false, 5},
        {"abc abc", "abc", 6, false, 0},
        {"ABC", "abc", 1, false, 1},            // case-insensitive without the box
        {"ABC", "abc", 1, true, 0},             // exact with it
        {"category cat", "cat", 1, true, 10},   // not inside a longer Latin word
        {"cat_x cat2 cat", "cat", 1, true, 12},
        {"紫微星在子", "紫微", 1, true, 1},     // Chinese stands next to anything
        {"x紫微", "紫微", 1, true, 2},
        {"abc", "", 1, false, 0},               // an empty search finds nothing
        {"abc", "c", 0, false, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(library::findText(QString::fromUtf8(c.text), QString::fromUtf8(c.what), c.from, c.wholeWord), c.expected)
            << c.text << " / " << c.what << " from " << c.from;
}

TEST(TextSearch, PositionsPastSixteenBits) {
    const QString text = QString(40000, u'x') + QStringLiteral("紫微");
    EXPECT_EQ(library::findText(text, QStringLiteral("紫微"), 1, false), 40001);
}

class FindTest : public MenusTest {
protected:
    library::FrmFind& open() {
        trigger(QStringLiteral("mnuFind"));
        return forms::defaultInstance<library::FrmFind>();
    }
};

TEST_F(FindTest, FindsEachOccurrenceThenSaysSoThenStartsOver) {
    editor().setText(QStringLiteral("命宫 紫微 命宫"));
    library::FrmFind& f = open();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f.Caption(), "查找");
    f.Text1()->setText(QStringLiteral("命宫"));
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 0);
    EXPECT_EQ(editor().selLength(), 2);
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 6);
    EXPECT_EQ(boxes_.count(), 0);
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "未找到搜索文本？！");
    EXPECT_EQ(core::gFindPos, 0);
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 0);
}

TEST_F(FindTest, ANewlyShownItemIsSearchedFromItsTop) {
    QTreeWidget* tree = w().tvCodeItems();
    QTreeWidgetItem* first = tree->topLevelItem(0)->child(0);
    QTreeWidgetItem* second = tree->topLevelItem(0)->child(1);
    ASSERT_TRUE(first && second);
    tree->setCurrentItem(first);
    w().tvCodeItems_NodeClick(first);
    editor().setText(QString(40, u'一') + QStringLiteral("命宫"));
    library::FrmFind& f = open();
    f.Text1()->setText(QStringLiteral("命宫"));
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 40);

    tree->setCurrentItem(second);
    w().tvCodeItems_NodeClick(second);
    editor().setText(QStringLiteral("命宫在前"));
    boxes_.clear();
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(boxes_.count(), 0) << "the search went on from the old page's place";
    EXPECT_EQ(editor().selStart(), 0);
}

TEST_F(FindTest, TheWholeWordBoxMeansExactAndAlone) {
    editor().setText(QStringLiteral("Category CAT cat"));
    library::FrmFind& f = open();
    f.Text1()->setText(QStringLiteral("cat"));
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 0) << "unchecked: any case, inside words too";
    QTest::mouseClick(f.Check1(), Qt::LeftButton);
    core::gFindPos = 0;
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    EXPECT_EQ(editor().selStart(), 13);
    // The box's state is kept for the next showing.
    QTest::mouseClick(f.Command2(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    EXPECT_TRUE(open().Check1()->isChecked());
}

TEST_F(FindTest, AnEmptySearchDoesNothing) {
    editor().setText(QStringLiteral("abc"));
    library::FrmFind& f = open();
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    QTest::mouseClick(f.Command3(), Qt::LeftButton);
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(editor().text(), "abc");
}

TEST_F(FindTest, ReplaceGoesOnAfterTheReplacement) {
    editor().setText(QStringLiteral("ab ab"));
    library::FrmFind& f = open();
    f.Text1()->setText(QStringLiteral("ab"));
    f.Text2()->setText(QStringLiteral("xaby"));  // holds the search text
    QTest::mouseClick(f.Command1(), Qt::LeftButton);
    QTest::mouseClick(f.Command3(), Qt::LeftButton);
    EXPECT_EQ(editor().text(), "xaby ab");
    EXPECT_EQ(editor().selStart(), 5) << "the next hit is the second ab, not the one just written";
    QTest::mouseClick(f.Command3(), Qt::LeftButton);
    EXPECT_EQ(editor().text(), "xaby xaby");
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "未找到搜索文本？！");
}

TEST_F(FindTest, ReplaceWithNothingSelectedInsertsAtTheCaretThenFinds) {
    editor().setText(QStringLiteral("12ab"));
    editor().setSelStart(0);
    library::FrmFind& f = open();
    f.Text1()->setText(QStringLiteral("ab"));
    f.Text2()->setText(QStringLiteral("Z"));
    QTest::mouseClick(f.Command3(), Qt::LeftButton);
    EXPECT_EQ(editor().text(), "Z12ab");
    EXPECT_EQ(editor().selStart(), 3);
    EXPECT_EQ(editor().selText(), "ab");
}

}  // namespace
