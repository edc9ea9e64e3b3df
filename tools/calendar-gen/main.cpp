// Writes the rows of table Calendar (January 1882 to December 2032) from the apparent positions of
// Sun and Moon, with the first days of months corrected to the published almanacs where those
// differ (almanac_corrections.cpp), and optionally every new moon and solar term of the span to the second, for
// checking the rows against other calendars.
//
//   calendar-gen OUTPUT.csv [--moments MOMENTS.txt]
#include "tools/calendar-gen/almanac_corrections.h"
#include "tools/calendar-gen/astro_events.h"
#include "tools/calendar-gen/calendar_rows.h"
#include "tools/calendar-gen/civil_time.h"
#include "tools/calendar-gen/lunar_months.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int kFirstId = 1;
constexpr int kLastId = 1812;

std::string momentText(double jde) {
    const calgen::CivilMoment m = calgen::beijingTime(jde);
    const int s = static_cast<int>(std::floor(m.secondsOfDay));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", m.date.year, m.date.month, m.date.day, s / 3600,
                  s / 60 % 60, s % 60);
    return buf;
}

void writeMoments(std::ostream& out, const calgen::LunarMonths& months) {
    static const char* const kMonthNames[] = {"", "正月", "二月", "三月", "四月", "五月", "六月",
                                              "七月", "八月", "九月", "十月", "冬月", "腊月"};
    out << "# UTC+8 moments, seconds cut\n";
    for (const calgen::LunarMonth& m : months.months()) {
        if (m.number == 0) continue;
        out << "new moon " << momentText(m.newMoonJde) << "  " << (m.leap ? "闰" : "") << kMonthNames[m.number] << ' '
            << m.length << (m.hasZhongqi ? "" : " no zhongqi") << '\n';
    }
    for (int y = 1882; y <= 2032; ++y)
        for (int mo = 1; mo <= 12; ++mo) {
            out << "jie " << momentText(calgen::jieMoment(y, mo)) << '\n';
            out << "zhongqi " << momentText(calgen::zhongqiMoment(y, mo)) << '\n';
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--moments")) {
        std::fprintf(stderr, "usage: calendar-gen OUTPUT.csv [--moments MOMENTS.txt]\n");
        return 2;
    }
    try {
        calgen::LunarMonths months(1880, 2034);
        if (calgen::applyAlmanacCorrections(months) != static_cast<int>(calgen::almanacCorrections().size()))
            throw std::runtime_error("an almanac correction names a month outside the span");
        const auto rows = calgen::buildCalendarRows(months, kFirstId, kLastId);
        std::ofstream csv(argv[1], std::ios::binary | std::ios::trunc);
        calgen::writeCsv(csv, rows);
        if (!csv) throw std::runtime_error(std::string("cannot write ") + argv[1]);
        if (argc == 4) {
            std::ofstream moments(argv[3], std::ios::binary | std::ios::trunc);
            writeMoments(moments, months);
            if (!moments) throw std::runtime_error(std::string("cannot write ") + argv[3]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "calendar-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
