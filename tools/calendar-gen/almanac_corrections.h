#pragma once
// The first days of lunar months as the almanacs published at the time have them, where those differ
// from the astronomical reckoning at the Beijing meridian. The Qing almanac (时宪书) computed its new
// moons by the lunar theory of 《历象考成后编》, and where the true conjunction falls within minutes of
// midnight the two can land on neighbouring days; the published day is the one people dated by.

#include "tools/calendar-gen/civil_time.h"
#include "tools/calendar-gen/lunar_months.h"

#include <span>

namespace calgen {

struct AlmanacCorrection {
    int lunarYear = 0;  // Gregorian year in which that lunar year's 正月 begins
    int month = 0;      // 1 正月 … 12 腊月
    bool leap = false;
    CivilDate firstDay;  // 初一 as published
    const char* source = nullptr;
};

std::span<const AlmanacCorrection> almanacCorrections();

// Moves every corrected month that `months` numbers to its published first day (the month before
// it ends the day before). Returns how many it moved; throws when a correction does not fit (see
// LunarMonths::moveFirstDay).
int applyAlmanacCorrections(LunarMonths& months);

}  // namespace calgen
