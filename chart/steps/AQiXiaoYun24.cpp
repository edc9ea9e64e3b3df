#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

#include <array>

namespace chart {

namespace {
// The year-branch groups by column letter a … d; the digit of the column is 1 for men, 2 for women.
constexpr std::array<const char16_t*, 4> kGroups{u"寅午戌", u"申辰子", u"巳酉丑", u"亥卯未"};
constexpr int kTextCount = 32;

QString periodColumn(const QString& yearBranch, bool isMale) {
    if (yearBranch.size() != 1) return QString();
    for (std::size_t g = 0; g < kGroups.size(); ++g)
        if (QStringView(kGroups[g]).contains(yearBranch.at(0)))
            return QChar(u'a' + static_cast<int>(g)) + QString::number(isMale ? 1 : 2);
    return QString();
}
}  // namespace

void PlaceXiaoXian(ChartSurface& chart) {
    const QString branch = yearBranch(chart);
    // A year branch in no group selects no column and ends the step.
    const QString column = periodColumn(branch, core::gIsMale);
    if (column.isEmpty()) return;
    const int year = core::BranchToIndex(branch);

    QStringList texts(kTextCount);
    {
        RuleDatabase db;
        dao::Recordset rs = db.snapshot(QStringLiteral("SELECT %1 ").arg(column) + QStringLiteral("FROM PQiXX24  ") +
                                        QStringLiteral("  ORDER BY ID "));
        for (int k = 0; k < kTextCount && !rs.eof(); ++k, rs.moveNext()) texts[k] = fieldText(rs, column);
    }
    // Row j + 1 holds the palace of the minor period in the j-th year after the birth year; the palace
    // shows that year's branch.
    for (int j = 0; j < kPalaceCount; ++j) {
        const int palace = palaceOfBranch(texts[j]);
        if (isPalace(palace)) chart.setCaption(Control::lblXX, palace, core::BranchName(wrapPalace(year - 1 + j) + 1));
    }
}

}  // namespace chart
