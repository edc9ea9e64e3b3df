// The palace-cell widget of the chart window as the chart surface: labels by control and element,
// colours, cell geometry in twips, the joining lines, and a failed build reported once.
#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "platform/vb/colour.h"
#include "platform/vb/msgbox.h"
#include "windows/chart_cells_widget.h"

#include <QFrame>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

using chart::Control;
using windows::ChartCellsWidget;

TEST(ChartCellsWidget, HasALabelForEveryElementNamedAfterItsControl) {
    ChartCellsWidget w;
    for (int c = 0; c < chart::kControlCount; ++c) {
        const auto control = static_cast<Control>(c);
        const chart::ControlInfo& info = chart::controlInfo(control);
        for (int i = info.firstIndex; i < info.firstIndex + info.count; ++i) {
            QLabel* l = w.label(control, i);
            ASSERT_NE(l, nullptr) << info.name << " " << i;
            EXPECT_EQ(l->objectName(), info.name);
            if (info.isArray) {
                EXPECT_EQ(l->property("index").toInt(), i);
            }
        }
    }
    EXPECT_EQ(w.label(Control::Label2, 0), nullptr);
    // Star slots, stems and the body mark lie inside their palace's cell.
    for (int p = 0; p < 12; ++p) {
        EXPECT_EQ(w.label(Control::lblZX, p * 24 + 23)->parentWidget(), w.palaceCell(p));
        EXPECT_EQ(w.label(Control::lblZX, chart::starSlot(p, 35))->parentWidget(), w.palaceCell(p));
        EXPECT_EQ(w.label(Control::lblSEGtg, p)->parentWidget(), w.palaceCell(p));
        EXPECT_EQ(w.label(Control::lblSG, p)->parentWidget(), w.palaceCell(p));
    }
}

TEST(ChartCellsWidget, CaptionsAndColoursReachTheLabels) {
    ChartCellsWidget w;
    w.setCaption(Control::lblZX, 100, "紫微");
    w.setForeColor(Control::lblZX, 100, 0x000080);
    w.setForeColor(Control::lblZX, 106, 0x80000009u);
    EXPECT_EQ(w.label(Control::lblZX, 100)->text(), "紫微");
    EXPECT_EQ(w.caption(Control::lblZX, 100), "紫微");
    EXPECT_EQ(w.label(Control::lblZX, 100)->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(w.foreColor(Control::lblZX, 106), 0x80000009u) << "the system colour is kept as set";
    EXPECT_EQ(w.label(Control::lblZX, 106)->palette().color(QPalette::WindowText), vb::toQColor(0x80000009u, w.palette()));
}

TEST(ChartCellsWidget, LaysTheCellsOnTheRingAndGivesTheirPlaceInTwips) {
    ChartCellsWidget w;
    const int cw = ChartCellsWidget::kCellWidth, ch = ChartCellsWidget::kCellHeight;
    EXPECT_EQ(w.palaceCell(5)->pos(), QPoint(0, 0)) << "巳 top left";
    EXPECT_EQ(w.palaceCell(8)->pos(), QPoint(3 * cw, 0)) << "申 top right";
    EXPECT_EQ(w.palaceCell(2)->pos(), QPoint(0, 3 * ch)) << "寅 bottom left";
    EXPECT_EQ(w.palaceCell(11)->pos(), QPoint(3 * cw, 3 * ch)) << "亥 bottom right";
    EXPECT_EQ(w.palaceCell(0)->pos(), QPoint(2 * cw, 3 * ch)) << "子 bottom, right of 丑";
    EXPECT_EQ(w.palaceCell(4)->pos(), QPoint(0, ch)) << "辰 left, above 卯";
    EXPECT_EQ(w.cellOrigin(9), (chart::PointF{3.0f * cw * 15, 1.0f * ch * 15})) << "酉, in twips";
    EXPECT_EQ(w.cellAnchor(5), (chart::PointF{cw * 15.0f, ch * 15.0f})) << "a corner cell meets the lines at its inner corner";
    EXPECT_EQ(w.cellAnchor(6), (chart::PointF{cw * 15.0f / 2, ch * 15.0f})) << "午 at the middle of its lower side";
}

TEST(ChartCellsWidget, BuildsAChartAndReportsAFailedBuildOnce) {
    core::setRuleDatabasePath(QString());
    ChartCellsWidget w;
    int failed = 0;
    QObject::connect(&w, &ChartCellsWidget::buildFailed, [&failed] { ++failed; });
    vb::MsgBoxScript boxes;

    chart::SetBirthCaptions(w, 1984, "甲子", "正月", "初一", "丙子");
    EXPECT_EQ(w.caption(Control::lblCHUsh), "一九八四（甲子）年正月初一日丙子时生");
    ASSERT_TRUE(w.refreshChart());
    EXPECT_EQ(w.caption(Control::lblSEG, 2), "命宫");
    EXPECT_EQ(w.joinLine(chart::JoinLine::lineM2G).borderColor, 0x0000FFu);
    const chart::LineState m2g = w.joinLine(chart::JoinLine::lineM2G);
    EXPECT_EQ(m2g.first.x, w.cellOrigin(2).x + w.cellAnchor(2).x);
    EXPECT_EQ(m2g.second.y, w.cellOrigin(6).y + w.cellAnchor(6).y);
    EXPECT_EQ(boxes.count(), 0);

    w.setCaption(Control::Label2, 1, "闰月");
    EXPECT_FALSE(w.refreshChart());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("3021")) << boxes.last().text.toStdString();
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(w.isEnabled());
}

}  // namespace
