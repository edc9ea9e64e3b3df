#pragma once
// The committed Calendar table read straight from its CSV, and the lunar months it describes, for
// the data checks and as the reference the engine is compared with.
#include <QDate>
#include <QString>

#include <vector>

namespace caltest {

struct TableRow {
    int id = 0;
    int nian = 0;
    int jieqiMonth = 0;
    int jieqiDay = 0;
    int jieqiHour = 0;
    int jieqiMinute = 0;
    int jieqiNday = 0;
    int zhongqiDay = 0;
    int zhongqiHour = 0;
    int zhongqiMinute = 0;
    int lmonth = 0;
    int ldays = 0;
    int ldaysA = 0;
    bool leapFlag = false;
    bool shifouCF = false;
    int thisyearjqd = 0;
    int thisyearjqh = 0;
    int thisyearjqm = 0;

    QDate jieDate() const { return QDate(nian, jieqiMonth, jieqiDay); }
    QDate zhongqiDate() const { return QDate(nian, jieqiMonth, zhongqiDay); }
    // 初一 of the month that holds the jie.
    QDate monthStart() const { return jieDate().addDays(1 - jieqiNday); }
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
