#pragma once
// A built chart as one JSON object: the twelve palaces in palace-index order 子 … 亥 with their
// captions and filled star slots, the filled four-transformation rows, the header labels, the birth
// caption and the build's error text.
#include "chart/chart_surface.h"

#include <QJsonObject>
#include <QString>

namespace chartdump {

QJsonObject chartToJson(const chart::ChartSurface& chart, const QString& error);

}  // namespace chartdump
