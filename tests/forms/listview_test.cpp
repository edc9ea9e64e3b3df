#include "tests/support/error_number.h"
#include "platform/forms/listview.h"

#include "platform/vb/error.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Qt::StringLiterals;
using forms::ListView;

using testenv::errorOf;

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.resize(400, 200);
        list_.addColumn(u"书签名称"_s, 1500);
        list_.addColumn(u"简短描述"_s, 3000, forms::lvwColumnRight);
    }
    QTreeWidgetItem* row(const QString& key, const QString& a, const QString& b) {
        QTreeWidgetItem* item = list_.addItem(key, a);
        ListView::setSubItem(item, 1, b);
        return item;
    }

    ListView list_{u"lvBookMarks"_s};
};

TEST_F(ListViewTest, ColumnsInTwipsAndPixels) {
    EXPECT_EQ(list_.columnHeaderCount(), 2);
    EXPECT_EQ(list_.columnText(1), u"简短描述"_s);
    EXPECT_EQ(list_.columnWidthPixels(0), 100);
    EXPECT_EQ(list_.columnWidthTwips(1), 3000);
    EXPECT_EQ(list_.columnWidthPixels(2), 0) << "no such column";
    list_.setColumnWidthPixels(2, 50);
    list_.setColumnWidthPixels(-1, 50);
    EXPECT_EQ(list_.columnHeaderCount(), 2) << "setting a missing column changes nothing";
    list_.setColumnWidthPixels(0, 7);
    EXPECT_EQ(list_.columnWidthPixels(0), 7) << "narrow widths are kept";
    list_.setColumnWidthPixels(0, -30);
    EXPECT_EQ(list_.columnWidthPixels(0), 0);
}

TEST_F(ListViewTest, FitValuesMeasureContentsAndHeader) {
    row(u"B1"_s, u"a rather long bookmark title that is wide"_s, u"x"_s);
    list_.setColumnWidthPixels(0, forms::lvscwAutoSizeUseHeader);
    list_.setColumnWidthPixels(1, forms::lvscwAutoSizeUseHeader);
    const int fitTitle = list_.columnWidthPixels(0);
    const int fitShort = list_.columnWidthPixels(1);
    EXPECT_GT(fitTitle, list_.fontMetrics().horizontalAdvance(u"a rather long bookmark title"_s));
    EXPECT_GE(fitShort, list_.header()->sectionSizeHint(1)) << "the header is wider than the contents";
    list_.setColumnWidthPixels(1, forms::lvscwAutoSize);
    EXPECT_LT(list_.columnWidthPixels(1), fitShort) << "contents only";
}

TEST_F(ListViewTest, ExtendedStyleReturnsThePreviousStyle) {
    EXPECT_EQ(list_.setExtendedStyle(forms::lvsExGridLines), 0u);
    EXPECT_EQ(list_.setExtendedStyle(forms::lvsExGridLines | forms::lvsExFullRowSelect), forms::lvsExGridLines);
    EXPECT_EQ(list_.extendedStyle(), forms::lvsExGridLines | forms::lvsExFullRowSelect);
}

QRgb pixel(ListView& list, QPoint p) { return list.viewport()->grab().toImage().pixel(p); }

TEST_F(ListViewTest, GridLinesAndFullRowSelectionAreDrawn) {
    QTreeWidgetItem* first = row(u"B1"_s, u"one"_s, u"first"_s);
    row(u"B2"_s, u"two"_s, u"second"_s);
    const QRect cell = list_.visualItemRect(first);
    const QPoint onLine(150, cell.bottom());
    const QRgb grid = list_.palette().color(QPalette::Mid).rgb();
    EXPECT_NE(pixel(list_, onLine), grid);
    list_.setExtendedStyle(forms::lvsExGridLines);
    EXPECT_EQ(pixel(list_, onLine), grid);

    list_.setCurrentItem(first);
    const QPoint inSecondCell(list_.columnWidthPixels(0) + 5, cell.center().y());
    const QRgb highlight = list_.palette().color(QPalette::Highlight).rgb();
    list_.setExtendedStyle(0);
    EXPECT_NE(pixel(list_, inSecondCell), highlight);
    list_.setExtendedStyle(forms::lvsExFullRowSelect);
    list_.setFocus();
    EXPECT_EQ(pixel(list_, inSecondCell), highlight);
}

TEST_F(ListViewTest, ClicksSelectByTheFirstCellUnlessTheWholeRowSelects) {
    row(u"B1"_s, u"one"_s, u"first"_s);
    QTreeWidgetItem* second = row(u"B2"_s, u"two"_s, u"second"_s);
    const QPoint subItem(list_.columnWidthPixels(0) + 5, list_.visualItemRect(second).center().y());
    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, subItem);
    EXPECT_EQ(list_.selectedItem(), nullptr);
    list_.setExtendedStyle(forms::lvsExFullRowSelect);
    QTest::mouseClick(list_.viewport(), Qt::LeftButton, {}, subItem);
    EXPECT_EQ(list_.selectedItem(), second);
}

TEST_F(ListViewTest, HotTrackingSelectsTheRowUnderThePointer) {
    row(u"B1"_s, u"one"_s, u"first"_s);
    QTreeWidgetItem* second = row(u"B2"_s, u"two"_s, u"second"_s);
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    const QPoint over = list_.visualItemRect(second).center();
    QTest::mouseMove(list_.viewport(), over);
    QTest::qWait(ListView::kHoverSelectMs * 2);
    EXPECT_EQ(list_.selectedItem(), nullptr) << "no hot tracking without the style";

    list_.setExtendedStyle(forms::lvsExTrackSelect | forms::lvsExFullRowSelect);
    QTest::mouseMove(list_.viewport(), over + QPoint(1, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list_.selectedItem() == second; }, ListView::kHoverSelectMs * 10));
}

TEST_F(ListViewTest, ItemsByKeyWithSubItems) {
    QTreeWidgetItem* b1 = row(u"B1"_s, u"紫微"_s, u"note"_s);
    row(u""_s, u"no key"_s, u""_s);
    row(u""_s, u"no key either"_s, u""_s);
    EXPECT_EQ(list_.item(u"B1"_s), b1);
    EXPECT_EQ(ListView::key(b1), u"B1"_s);
    EXPECT_EQ(ListView::subItem(b1, 1), u"note"_s);
    EXPECT_EQ(errorOf([&] { list_.addItem(u"B1"_s, u"again"_s); }), 35602);
    EXPECT_EQ(list_.itemCount(), 3);
    list_.removeItem(b1);
    EXPECT_EQ(list_.item(u"B1"_s), nullptr);
    EXPECT_EQ(list_.itemCount(), 2);
    list_.clearItems();
    EXPECT_EQ(list_.itemCount(), 0);
    EXPECT_EQ(list_.columnHeaderCount(), 2) << "clearing the items keeps the columns";
}

TEST_F(ListViewTest, SortingByAColumnWithoutRegardToCase) {
    row(u"a"_s, u"beta"_s, u"3"_s);
    row(u"b"_s, u"Alpha"_s, u"1"_s);
    row(u"c"_s, u"gamma"_s, u"2"_s);
    auto order = [&] {
        QStringList keys;
        for (int i = 0; i < list_.itemCount(); ++i) keys << ListView::key(list_.topLevelItem(i));
        return keys.join(u',');
    };
    EXPECT_EQ(order(), u"a,b,c"_s) << "unsorted until asked";
    list_.setSorted(true);
    EXPECT_EQ(order(), u"b,a,c"_s);
    list_.setSortKey(1);
    EXPECT_EQ(order(), u"b,c,a"_s);
    list_.setSortOrder(forms::lvwDescending);
    EXPECT_EQ(order(), u"a,c,b"_s);
    list_.setSortKey(0);
    row(u"d"_s, u"Delta"_s, u"4"_s);
    EXPECT_EQ(order(), u"c,d,a,b"_s) << "an added row takes its place";
}

TEST_F(ListViewTest, ViewsAndColumnClicks) {
    EXPECT_EQ(list_.view(), forms::lvwReport);
    EXPECT_EQ(errorOf([&] { list_.setView(4); }), 380);
    list_.setView(forms::lvwList);
    EXPECT_TRUE(list_.header()->isHidden());
    list_.setView(forms::lvwReport);
    EXPECT_FALSE(list_.header()->isHidden());

    QSignalSpy clicks(&list_, &ListView::columnClick);
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    QTest::mouseClick(list_.header()->viewport(), Qt::LeftButton, {}, QPoint(list_.columnWidthPixels(0) + 10, 5));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 1);
}

TEST_F(ListViewTest, Colours) {
    list_.setBackColor(vb::rgb(0, 0, 128));
    list_.setForeColor(vb::rgb(255, 255, 0));
    EXPECT_EQ(list_.backColor(), vb::rgb(0, 0, 128));
    EXPECT_EQ(list_.palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(list_.palette().color(QPalette::Text), QColor(255, 255, 0));
}

}  // namespace
