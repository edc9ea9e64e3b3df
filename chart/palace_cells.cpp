#include "chart/palace_cells.h"

#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "core/conversions.h"

#include <QStringView>

#include <array>

namespace chart {

namespace {

constexpr std::array<const char16_t*, 29> kDarkRedStars{
    u"紫微", u"左辅", u"武曲", u"右弼", u"文曲", u"文昌", u"陀罗", u"天钺", u"化权", u"化禄",
    u"化科", u"化忌", u"天相", u"天同", u"天梁", u"天魁", u"天机", u"天府", u"贪狼", u"太阴",
    u"太阳", u"擎羊", u"七杀", u"破军", u"禄存", u"铃星", u"廉贞", u"火星", u"巨门"};

constexpr int kBrightnessOffset = 6;

int freeSlot(const ChartSurface& chart, int palace) {
    for (int group : kSlotGroupStarts)
        for (int s = group; s < group + kSlotGroupSize; ++s)
            if (chart.caption(Control::lblZX, starSlot(palace, s)).isEmpty()) return s;
    return -1;
}

void fillSiHuaRow(ChartSurface& chart, const QString& star, const QString& word, const QString& grade) {
    for (int r = 0; r < kSiHuaRows; ++r) {
        if (!chart.caption(Control::lBlxh, r).isEmpty()) continue;
        chart.setCaption(Control::lBlxh, r, star);
        chart.setCaption(Control::lBlxh, r + kSiHuaRows, word);
        chart.setCaption(Control::lBlxh, r + 2 * kSiHuaRows, grade);
        return;
    }
}

}  // namespace

bool isDarkRedStar(const QString& star) {
    for (const char16_t* name : kDarkRedStars)
        if (star == QStringView(name)) return true;
    return false;
}

void PlaceStar(ChartSurface& chart, int palace, const QString& star, const QString& brightness) {
    if (!isPalace(palace)) return;
    const int s = freeSlot(chart, palace);
    if (s < 0) return;
    const int nameSlot = starSlot(palace, s);
    const int wordSlot = starSlot(palace, s + kBrightnessOffset);
    chart.setCaption(Control::lblZX, nameSlot, star);
    chart.setCaption(Control::lblZX, wordSlot, brightness);
    chart.setForeColor(Control::lblZX, nameSlot, isDarkRedStar(star) ? kDarkRed : kBlack);
    if (brightness.isEmpty()) {
        chart.setForeColor(Control::lblZX, wordSlot, kCaptionText);
        return;
    }
    if (brightness == u"旺" || brightness == u"庙" || brightness == u"得")
        chart.setForeColor(Control::lblZX, wordSlot, kBrightRed);
    else if (brightness == u"平" || brightness == u"利" || brightness == u"陷")
        chart.setForeColor(Control::lblZX, wordSlot, kBrightBlue);
    // Any other word (不 among them) keeps the colour the slot had.
}

void PlaceSiHua(ChartSurface& chart, int palace, const QString& star, const QString& word) {
    // The table shows the brightness of the transformed star in its palace; XMiao99 grades stars,
    // not the four words.
    fillSiHuaRow(chart, star, word, LookupBrightness(star, palace));
}

QString LookupBrightness(const QString& star, int palace) {
    // One statement reads the seven grade columns that the grades are looked up in one by one; the
    // later column still decides a branch listed twice.
    QString result;
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT A,b,c,d,e,f,g ") + QStringLiteral("FROM XMiao99 WHERE s=") + quoted(star));
    if (rs.eof()) return result;
    for (int g = 0; g < kGradeCount; ++g) {
        const QString branches = fieldText(rs, columnLetter(g + 1));
        for (const QChar ch : branches)
            if (palaceOfBranch(QString(ch)) == palace) result = QString(QChar(kGrades[g]));
    }
    return result;
}

QString LookupSiHua(const ChartSurface& chart, const QString& star) {
    const int n = core::StemToIndex(yearStem(chart));
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT s, A,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM GanXiZx15_2 "));
    while (!rs.eof()) {
        const QString row = rowString(rs, 12);
        if (mid(row, 2 * n - 1, 2) == star) return mid(fieldText(rs, QStringLiteral("s")), 1, 2);
        rs.moveNext();
    }
    return QString();
}

void PlaceStarWithSiHua(ChartSurface& chart, int palace, const QString& star) {
    if (!isPalace(palace)) return;
    const QString grade = LookupBrightness(star, palace);
    PlaceStar(chart, palace, star, grade);
    const QString word = LookupSiHua(chart, star);
    // The row's brightness is the grade just looked up (PlaceSiHua would look up the same).
    if (!word.isEmpty()) fillSiHuaRow(chart, star, word, grade);
}

void PlaceStarAtBranch(ChartSurface& chart, const QString& branchCell, const QString& star) {
    PlaceStarWithSiHua(chart, palaceOfBranch(branchCell), star);
}

}  // namespace chart
