#pragma once
// The two ways chartdump is told a birth, turned into the captions the chart window writes before a
// build: a lunar birth given by its names, or a Gregorian moment converted through the calendar engine
// as the chart window's calendar does it.
#include "chart/chart_surface.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace chartdump {

// The days the calendar serves.
inline const QDate kFirstDay{1882, 3, 1};
inline const QDate kLastDay{2031, 12, 31};

// --lunar 甲子 正月 初一 子 男: year pillar, lunar month name, lunar day name, hour branch (or the hour
// pillar), sex. A leap month (闰四月) is charted as the month that follows it. False with `error` set
// when an argument names nothing.
bool setLunarBirth(chart::ChartSurface& chart, const QStringList& args, bool* isMale, QString* error);

// --solar YYYY-MM-DDTHH:MM male|female, a day from kFirstDay to kLastDay. A birth at 23:00 or later
// counts for the next day.
bool setSolarBirth(chart::ChartSurface& chart, const QStringList& args, bool* isMale, QString* error);

}  // namespace chartdump
