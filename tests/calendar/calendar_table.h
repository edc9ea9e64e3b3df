#pragma once
// The committed Calendar table read straight from its CSV, and the lunar months it describes, for
// the data checks and as the reference the engine is compared with.
#include "calendar/calendar_row.h"

#include <QDate>
#include <QString>

#include <vector>

namespace caltest {

// A row as the engine loads it (calendar::CalendarRow) with the two columns only the counting query
// reads: its key and shifouCF.
struct TableRow : calendar::CalendarRow {
    int id = 0;
    bool shifouCF = false;

    bool leap() const { return LeapFlag != 0; }
    QDate jieDate() const { return QDate(Nian, JieqiMonth, JieqiDay); }
    QDate zhongqiDate() const { return QDate(Nian, JieqiMonth, ZhongqiDay); }
    // 初一 of the month that holds the jie.
    QDate monthStart() const { return jieDate().addDays(1 - JieqiNday); }
};

QString calendarCsvPath();

// Rows indexed by ID (element 0 is empty); empty and `error` set when the file cannot be read.
std::vector<TableRow> loadCalendarRows(QString* error);

struct WalkedMonth {
    QDate first;  // 初一
    int length = 0;
    int number = 0;  // 1 正月 … 12 腊月
    bool leap = false;
};

// The lunar months the table describes from 正月 1882 (1882-02-18) on: for each row from ID 3, first
// the month without jie that it carries in LdaysA (numbered after the month before it), then its own
// month unless shifouCF marks it as the previous row's.
std::vector<WalkedMonth> walkMonths(const std::vector<TableRow>& rows);

struct LunarDay {
    int month = 0;
    bool leap = false;
    int day = 0;
    int monthIndex = -1;  // index into the walked months; -1 when the date lies outside them
};

LunarDay lunarDayOf(const std::vector<WalkedMonth>& months, const QDate& date);

}  // namespace caltest
