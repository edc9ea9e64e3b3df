#include "tests/calendar/calendar_table.h"

#include "tests/support/test_env.h"
#include "tools/rulesdb/table_schema.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace caltest {

QString calendarCsvPath() { return testenv::sourceDir() + QStringLiteral("/data/calendar/Calendar.csv"); }

std::vector<TableRow> loadCalendarRows(QString* error) {
    const auto table = rulesdb::readCsv(calendarCsvPath(), error);
    if (!table) return {};
    std::map<QString, int> column;
    for (int i = 0; i < table->header.size(); ++i) column[table->header[i].toLower()] = i;

    std::vector<TableRow> rows(1);
    for (const QStringList& cells : table->rows) {
        auto get = [&](const char* name) {
            const auto it = column.find(QString::fromLatin1(name).toLower());
            if (it == column.end() || it->second >= cells.size()) {
                *error = QStringLiteral("column %1 missing").arg(QLatin1String(name));
                return 0;
            }
            return cells[it->second].toInt();
        };
        TableRow r;
        r.id = get("ID");
        r.nian = get("Nian");
        r.jieqiMonth = get("JieqiMonth");
        r.jieqiDay = get("JieqiDay");
        r.jieqiHour = get("JieqiHour");
        r.jieqiMinute = get("JieqiMinute");
        r.jieqiNday = get("JieqiNday");
        r.zhongqiDay = get("ZhongqiDay");
        r.zhongqiHour = get("ZhongqiHour");
        r.zhongqiMinute = get("ZhongqiMinute");
        r.lmonth = get("Lmonth");
        r.ldays = get("Ldays");
        r.ldaysA = get("LdaysA");
        r.leapFlag = get("LeapFlag") != 0;
        r.shifouCF = get("shifouCF") != 0;
        r.thisyearjqd = get("thisyearjqd");
        r.thisyearjqh = get("thisyearjqh");
        r.thisyearjqm = get("thisyearjqm");
        if (!error->isEmpty()) return {};
        if (r.id != static_cast<int>(rows.size())) {
            *error = QStringLiteral("row %1 out of order").arg(r.id);
            return {};
        }
        rows.push_back(r);
    }
    return rows;
}

std::vector<WalkedMonth> walkMonths(const std::vector<TableRow>& rows) {
    std::vector<WalkedMonth> months;
    QDate next(1882, 2, 18);
    for (std::size_t id = 3; id < rows.size(); ++id) {
        const TableRow& r = rows[id];
        if (r.ldaysA != 0) {
            const int number = months.empty() ? 12 : months.back().number % 12 + 1;
            months.push_back({next, r.ldaysA, number, false});
            next = next.addDays(r.ldaysA);
        }
        if (!r.shifouCF) {
            months.push_back({next, r.ldays, r.lmonth, r.leapFlag});
            next = next.addDays(r.ldays);
        }
    }
    return months;
}

LunarDay lunarDayOf(const std::vector<WalkedMonth>& months, const QDate& date) {
    const auto it = std::upper_bound(months.begin(), months.end(), date,
                                     [](const QDate& d, const WalkedMonth& m) { return d < m.first; });
    if (it == months.begin()) return {};
    const WalkedMonth& m = *(it - 1);
    const qint64 offset = m.first.daysTo(date);
    if (offset >= m.length) return {};
    return {m.number, m.leap, static_cast<int>(offset) + 1, static_cast<int>(it - months.begin()) - 1};
}

}  // namespace caltest
