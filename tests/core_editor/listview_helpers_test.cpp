#include "core/listview_helpers.h"

#include "platform/forms/listview.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"

#include <QHeaderView>
#include <QStyle>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Qt::StringLiterals;
using forms::ListView;

class ListHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.resize(300, 200);  // 4500 twips
        list_.addColumn(u"书签名称"_s, 1500);
        list_.addColumn(u"简短描述"_s, 1500);
        QTreeWidgetItem* item = list_.addItem(u"B1"_s, u"a long bookmark title that needs room"_s);
        ListView::setSubItem(item, 1, u"short"_s);
    }
    int scrollBar() const { return list_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list_); }

    ListView list_{u"lvBookMarks"_s};
    vb::MsgBoxScript boxes_;
};

TEST_F(ListHelpersTest, AutoSizeColumnsFitsEachColumnThenTheLast) {
    core::AutoSizeColumns(&list_, false);
    const int fitted = list_.columnWidthPixels(0);
    EXPECT_GT(fitted, list_.fontMetrics().horizontalAdvance(u"a long bookmark title"_s));
    EXPECT_GE(list_.columnWidthPixels(1), list_.header()->sectionSizeHint(1));
    EXPECT_TRUE(list_.updatesEnabled()) << "drawing is on again";

    core::AutoSizeColumns(&list_, true);
    EXPECT_EQ(list_.columnWidthPixels(0), fitted);
    EXPECT_EQ(list_.columnWidthPixels(1), 300 - (fitted + scrollBar() + 10));
}

TEST_F(ListHelpersTest, AutoSizeLastColumnFillsTheRestOrGoesBelowZero) {
    ListView single;
    single.resize(200, 100);
    single.addColumn(u"only"_s);
    core::AutoSizeLastColumn(&single);
    EXPECT_EQ(single.columnWidthPixels(0), 200 - scrollBar() - 10);

    list_.setColumnWidthPixels(0, 1000);  // wider than the list
    core::AutoSizeLastColumn(&list_);
    EXPECT_EQ(list_.columnWidthPixels(1), 0) << "a negative width leaves no room";
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(ListHelpersTest, AutoSizeLastColumnShowsItsErrors) {
    core::AutoSizeLastColumn(nullptr);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().title, u"Common::AutoSizeLastColumn"_s);
    EXPECT_EQ(boxes_.last().buttons, vb::vbOKOnly);
    EXPECT_EQ(boxes_.last().text, u"91 Object variable or With block variable not set Common::AutoSizeLastColumn"_s);
}

TEST_F(ListHelpersTest, ExtendedStylesOnAndOff) {
    EXPECT_FALSE(core::SetListViewExStyle(&list_, forms::lvsExGridLines, true)) << "the style before was empty";
    EXPECT_TRUE(core::SetListViewExStyle(&list_, forms::lvsExFullRowSelect, true));
    core::SetListViewExStyle(&list_, forms::lvsExTrackSelect, true);
    core::SetListViewExStyle(&list_, forms::lvsExTrackSelect, true);
    EXPECT_EQ(list_.extendedStyle(), 1u | 32u | 8u) << "on twice stays on";

    core::SetListViewExStyle(&list_, forms::lvsExGridLines, false);
    EXPECT_EQ(list_.extendedStyle(), 32u | 8u);
    core::SetListViewExStyle(&list_, forms::lvsExGridLines, false);
    EXPECT_EQ(list_.extendedStyle(), 32u | 8u) << "off when already off stays off";
}

TEST_F(ListHelpersTest, ColumnWidthsOnlyInReportViewAndForExistingColumns) {
    core::SetColumnWidth(&list_, 1, 40);
    EXPECT_EQ(list_.columnWidthPixels(0), 40);
    for (int column : {0, 3, -1}) core::SetColumnWidth(&list_, column, 77);
    EXPECT_EQ(list_.columnWidthPixels(0), 40);
    EXPECT_EQ(list_.columnWidthPixels(1), 100);

    core::SetAllColumnWidths(&list_, -2);
    EXPECT_GT(list_.columnWidthPixels(0), 100);
    const int fitted = list_.columnWidthPixels(0);

    for (int view : {forms::lvwIcon, forms::lvwSmallIcon, forms::lvwList}) {
        list_.setView(view);
        core::SetColumnWidth(&list_, 1, 5);
        core::SetAllColumnWidths(&list_, 5);
        EXPECT_EQ(list_.columnWidthPixels(0), fitted) << view;
    }
}

TEST_F(ListHelpersTest, TheOthersPassErrorsOn) {
    const std::function<void()> calls[] = {
        [] { core::AutoSizeColumns(nullptr, false); },
        [] { core::SetListViewExStyle(nullptr, 1, true); },
        [] { core::SetColumnWidth(nullptr, 1, 10); },
        [] { core::SetAllColumnWidths(nullptr, 10); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), 91);
        }
    }
    EXPECT_EQ(boxes_.count(), 0);
}

}  // namespace
