#include "tools/chartdump/chart_json.h"

#include "core/conversions.h"

#include <QJsonArray>

namespace chartdump {

using chart::Control;

QJsonObject chartToJson(const chart::ChartSurface& chart, const QString& error) {
    static constexpr Control kPalaceLabels[] = {Control::lblSEG,  Control::lblSEGtg, Control::lblSG,   Control::lblXX,
                                                Control::lblDX,   Control::lblZSMJ,  Control::lblBSSES, Control::lblLNSQ,
                                                Control::lblLNJQ, Control::lblXK,    Control::lblZNDJ};
    QJsonArray palaces;
    for (int p = 0; p < chart::kPalaceCount; ++p) {
        QJsonObject palace;
        palace[QStringLiteral("branch")] = core::BranchName(p + 1);
        for (Control c : kPalaceLabels) palace[QString::fromLatin1(chart::controlInfo(c).name)] = chart.caption(c, p);
        QJsonArray stars;
        for (int group : chart::kSlotGroupStarts)
            for (int s = group; s < group + chart::kSlotGroupSize; ++s) {
                const QString name = chart.caption(Control::lblZX, chart::starSlot(p, s));
                if (name.isEmpty()) continue;
                stars.append(QJsonObject{{QStringLiteral("name"), name},
                                         {QStringLiteral("brightness"), chart.caption(Control::lblZX, chart::starSlot(p, s + 6))}});
            }
        palace[QStringLiteral("stars")] = stars;
        palaces.append(palace);
    }
    QJsonArray sihua;
    for (int r = 0; r < chart::kSiHuaRows; ++r) {
        const QString star = chart.caption(Control::lBlxh, r);
        if (star.isEmpty()) continue;
        sihua.append(QJsonObject{{QStringLiteral("star"), star},
                                 {QStringLiteral("word"), chart.caption(Control::lBlxh, r + chart::kSiHuaRows)},
                                 {QStringLiteral("brightness"), chart.caption(Control::lBlxh, r + 2 * chart::kSiHuaRows)}});
    }
    QJsonObject out;
    out[QStringLiteral("palaces")] = palaces;
    out[QStringLiteral("sihua")] = sihua;
    for (Control c : {Control::lblWXj, Control::lblYinY, Control::lblMz, Control::lblshz, Control::lblCHUsh})
        out[QString::fromLatin1(chart::controlInfo(c).name)] = chart.caption(c);
    out[QStringLiteral("error")] = error;
    return out;
}

}  // namespace chartdump
