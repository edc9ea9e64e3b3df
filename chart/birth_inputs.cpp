#include "chart/birth_inputs.h"

#include "chart/rule_database.h"
#include "core/conversions.h"

namespace chart {

QString yearStem(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 6); }
QString yearBranch(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 7); }
QString birthHourBranch(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 16); }
QString hourBranch(const ChartSurface& chart) { return mid(chart.caption(Control::Label17), 2); }
QString monthKey(const ChartSurface& chart) { return mid(chart.caption(Control::Label2, 1), 1); }
QString monthName(const ChartSurface& chart) { return mid(chart.caption(Control::Label2, 1), 1, 2); }
QString dayName(const ChartSurface& chart) { return chart.caption(Control::Label6); }
QString bureauName(const ChartSurface& chart) { return chart.caption(Control::lblWXj); }

void SetBirthCaptions(ChartSurface& chart, int gregorianYear, const QString& yearPillar, const QString& monthName,
                      const QString& dayName, const QString& hourPillar) {
    const QString blank = QStringLiteral("\u3000");
    QString year;
    if (gregorianYear > 0) {
        for (const QChar d : QString::number(gregorianYear).rightJustified(4, u'0'))
            year += core::DigitToChinese(static_cast<int16_t>(d.digitValue()));
    } else {
        year = blank.repeated(4);
    }
    const QString hour = hourPillar.size() == 1 ? blank + hourPillar : hourPillar;
    chart.setCaption(Control::lblCHUsh, year + QStringLiteral("（") + yearPillar + QStringLiteral("）年") + monthName +
                                            dayName + QStringLiteral("日") + hour + QStringLiteral("时生"));
    chart.setCaption(Control::Label2, 1, monthName);
    chart.setCaption(Control::Label6, dayName);
    chart.setCaption(Control::Label17, hour + QStringLiteral("时"));
}

int chartDirection(const ChartSurface& chart, bool isMale) {
    const int stem = core::StemToIndex(yearStem(chart));
    if (stem == 0) return kNoDirection;
    const bool yang = stem % 2 == 1;
    return yang == isMale ? kForward : kBackward;
}

QString chartClass(const ChartSurface& chart, bool isMale) {
    const int stem = core::StemToIndex(yearStem(chart));
    if (stem == 0) return QString();
    const bool yang = stem % 2 == 1;
    return QString(yang ? u'阳' : u'阴') + QString(isMale ? u'男' : u'女');
}

}  // namespace chart
