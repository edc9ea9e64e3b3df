#include "chart/chart_builder.h"

#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "core/wait_cursor.h"
#include "platform/vb/error.h"


#include <array>
#include <exception>
#include <optional>

namespace chart {

namespace {

// The order is binding: later steps read the positions earlier ones record, and the star slots of a
// palace fill in the order of the steps.
constexpr std::array<ChartStep, 26> kSteps{{
    {"4", "FillPalaceNames", &FillPalaceNames},
    {"5", "FillPalaceStems", &FillPalaceStems},
    {"8", "PlaceZiWei", &PlaceZiWei},
    {"9", "PlaceZiWeiGroup", &PlaceZiWeiGroup},
    {"10", "PlaceTianFu", &PlaceTianFu},
    {"11", "PlaceTianFuGroup", &PlaceTianFuGroup},
    {"12_1", "PlaceHourStars1", &PlaceHourStars1},
    {"12_2", "PlaceHourStars2", &PlaceHourStars2},
    {"12_3", "PlaceHourStars3", &PlaceHourStars3},
    {"13", "PlaceMonthStars", &PlaceMonthStars},
    {"15_1", "PlaceStemStars", &PlaceStemStars},
    {"17_1", "PlaceBranchStars1", &PlaceBranchStars1},
    {"17_2", "PlaceBranchStars2", &PlaceBranchStars2},
    {"21", "PlaceTianShangTianShi", &PlaceTianShangTianShi},
    {"19", "PlaceJieLuKongWang", &PlaceJieLuKongWang},
    {"27", "PlaceZiNianDouJun", &PlaceZiNianDouJun},
    {"25", "PlaceSuiQianStars", &PlaceSuiQianStars},
    {"26", "PlaceJiangQianStars", &PlaceJiangQianStars},
    {"14", "PlaceDayStars", &PlaceDayStars},
    {"17_3", "PlaceTianShou", &PlaceTianShou},
    {"18", "PlaceChangSheng", &PlaceChangSheng},
    {"16", "PlaceBoShi", &PlaceBoShi},
    {"23", "PlaceDaXian", &PlaceDaXian},
    {"20", "PlaceXunKong", &PlaceXunKong},
    {"24", "PlaceXiaoXian", &PlaceXiaoXian},
    {"22", "SetMingZhuShenZhu", &SetMingZhuShenZhu},
}};

constexpr Colour kPalaceNameColour = 0x004080;
constexpr Colour kLifePalaceColour = 0xFF0000;
constexpr Colour kBodyMarkColour = 0x800080;
constexpr Colour kBodyPalaceColour = 0xC000C0;
constexpr Colour kMinorPeriodColour = 0x800080;
constexpr Colour kJoinLineColour = 0x0000FF;

constexpr std::array<Control, 11> kPalaceArrays{Control::lblSEG,  Control::lblSEGtg, Control::lblSG,   Control::lblXX,
                                                Control::lblDX,   Control::lblZSMJ,  Control::lblBSSES, Control::lblLNSQ,
                                                Control::lblLNJQ, Control::lblXK,    Control::lblZNDJ};
constexpr std::array<Control, 4> kChartLabels{Control::lblWXj, Control::lblYinY, Control::lblMz, Control::lblshz};

void emptyStarSlotsAndSiHua(ChartSurface& chart) {
    for (int i = 0; i < kStarSlotCount; ++i) chart.setCaption(Control::lblZX, i, QString());
    for (int i = 0; i < kSiHuaLabelCount; ++i) chart.setCaption(Control::lBlxh, i, QString());
}

// Step 3: the life and body palaces from the month and the hour. Returns the life/body cell.
QString placeLifeAndBody(ChartSurface& chart, RuleDatabase& db) {
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT Y, A,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM AmingshG WHERE y=") + quoted(monthKey(chart)));
    // The first row is read without an end test: a month without a row fails here.
    std::array<QString, kPalaceCount + 1> cells;  // by branch number 1 … 12; 0 for no hour branch
    for (int k = 1; k <= kPalaceCount; ++k) cells[static_cast<std::size_t>(k)] = fieldText(rs, columnLetter(k));

    for (int p = 0; p < kPalaceCount; ++p) {
        chart.setForeColor(Control::lblSEG, p, kPalaceNameColour);
        chart.setCaption(Control::lblSG, p, QString());
    }
    const int h = core::BranchToIndex(hourBranch(chart));
    const QString cell = cells[static_cast<std::size_t>(h)];

    const int life = palaceOfBranch(mid(cell, 1));
    chart.setCaption(Control::lblSEG, life, QStringLiteral("命宫"));
    core::gMingPalace = life;
    chart.setForeColor(Control::lblSEG, life, kLifePalaceColour);

    const int body = palaceOfBranch(mid(cell, 2));
    checkElement(Control::lblSG, body);
    core::gShenPalace = body;
    for (int p = 0; p < kPalaceCount; ++p) chart.setForeColor(Control::lblSG, p, kBodyMarkColour);
    chart.setCaption(Control::lblSG, body, QStringLiteral("身宫"));
    chart.setForeColor(Control::lblSG, body, kBodyPalaceColour);
    return cell;
}

// Step 6: the five-element bureau from the year stem and the life palace's branch.
void placeBureau(ChartSurface& chart, RuleDatabase& db, const QString& lifeBodyCell) {
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT n, A,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM Ddwxjbiao  WHERE n=") + quoted(yearStem(chart)));
    const QString row = rowString(rs, 12);
    const int k = core::BranchToIndex(mid(lifeBodyCell, 1));
    chart.setCaption(Control::lblWXj, cell(row, k, 3));
}

PointF anchorOf(const ChartSurface& chart, int palace) {
    const PointF origin = chart.cellOrigin(palace);
    const PointF anchor = chart.cellAnchor(palace);
    return {origin.x + anchor.x, origin.y + anchor.y};
}

void drawJoiningLines(ChartSurface& chart) {
    for (JoinLine line : {JoinLine::lineM2G, JoinLine::LineM2C, JoinLine::LineM2Q, JoinLine::LineC2G})
        chart.setJoinLineColor(line, kJoinLineColour);
    const PointF life = anchorOf(chart, core::gMingPalace);
    const PointF career = anchorOf(chart, core::gCareerPalace);
    const PointF wealth = anchorOf(chart, core::gWealthPalace);
    const PointF travel = anchorOf(chart, core::gTravelPalace);
    chart.setJoinLineEnds(JoinLine::lineM2G, life, career);
    chart.setJoinLineEnds(JoinLine::LineM2C, life, wealth);
    chart.setJoinLineEnds(JoinLine::LineM2Q, life, travel);
    chart.setJoinLineEnds(JoinLine::LineC2G, wealth, career);
}

QString failureText(const vb::Error& e) {
    return QStringLiteral("Run-time error '%1': %2").arg(e.number()).arg(e.description());
}

}  // namespace

std::span<const ChartStep> chartSteps() { return kSteps; }

void ResetChart(ChartSurface& chart) {
    emptyStarSlotsAndSiHua(chart);
    for (Control c : kPalaceArrays)
        for (int p = 0; p < kPalaceCount; ++p) chart.setCaption(c, p, QString());
    for (Control c : kChartLabels) chart.setCaption(c, QString());
}

void BuildChart(ChartSurface& chart) {
    const core::chourglass busy;
    ResetChart(chart);
    {
        RuleDatabase db;
        const QString lifeBodyCell = placeLifeAndBody(chart, db);
        placeBureau(chart, db, lifeBodyCell);
        db.close();
    }
    for (int p = 0; p < kPalaceCount; ++p) chart.setForeColor(Control::lblXX, p, kMinorPeriodColour);
    emptyStarSlotsAndSiHua(chart);
    chart.setCaption(Control::lblWho, QStringLiteral("姓名："));
    chart.setCaption(Control::lblmingzhu, QStringLiteral("命主："));
    chart.setCaption(Control::lblshenzhu, QStringLiteral("身主："));

    for (const ChartStep& step : kSteps)
        if (step.run) step.run(chart);

    drawJoiningLines(chart);
}

bool RefreshChart(ChartSurface& chart) {
    try {
        BuildChart(chart);
        return true;
    } catch (const vb::Error& e) {
        chart.reportBuildFailure(failureText(e));
    } catch (const std::exception& e) {
        chart.reportBuildFailure(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

}  // namespace chart
