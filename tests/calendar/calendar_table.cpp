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
        r.Nian = static_cast<int16_t>(get("Nian"));
        r.JieqiMonth = static_cast<int16_t>(get("JieqiMonth"));
        r.JieqiDay = static_cast<int16_t>(get("JieqiDay"));
        r.JieqiHour = static_cast<int16_t>(get("JieqiHour"));
        r.JieqiMinute = static_cast<int16_t>(get("JieqiMinute"));
        r.JieqiNday = static_cast<int16_t>(get("JieqiNday"));
        r.ZhongqiDay = static_cast<int16_t>(get("ZhongqiDay"));
        r.ZhongqiHour = static_cast<int16_t>(get("ZhongqiHour"));
        r.ZhongqiMinute = static_cast<int16_t>(get("ZhongqiMinute"));
        r.Lmonth = static_cast<int16_t>(get("Lmonth"));
        r.Ldays = static_cast<int16_t>(get("Ldays"));
        r.LdaysA = static_cast<int16_t>(get("LdaysA"));
        r.LeapFlag = static_cast<int16_t>(get("LeapFlag") != 0 ? -1 : 0);
        r.shifouCF = get("shifouCF") != 0;
        r.ThisyearJQD = static_cast<int16_t>(get("thisyearjqd"));
        r.ThisyearJQH = static_cast<int16_t>(get("thisyearjqh"));
        r.ThisyearJQM = static_cast<int16_t>(get("thisyearjqm"));
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
        if (r.LdaysA != 0) {
            const int number = months.empty() ? 12 : months.back().number % 12 + 1;
            months.push_back({next, r.LdaysA, number, false});
            next = next.addDays(r.LdaysA);
        }
        if (!r.shifouCF) {
            months.push_back({next, r.Ldays, r.Lmonth, r.leap()});
            next = next.addDays(r.Ldays);
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
