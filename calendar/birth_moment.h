#pragma once
// A picked birth moment: the civil day the clock showed and the time of day. A birth at 23:00 or
// later counts for the next day; that day is derived here from the civil one, never stored in its
// place, so no repaint or later input can move it on a second time.
#include "platform/vb/date.h"

#include <QString>

namespace calendar {

struct BirthMoment {
    vb::Date civilDay;  // whole day
    int hour = 0;
    int minute = 0;

    // From the time text of the calendar control: the hour, "-", the minute ("7-5", "23-0").
    static BirthMoment fromTimeText(const vb::Date& civilDay, const QString& timeText);

    bool countsForNextDay() const { return hour >= 23; }
    // The day whose lunar date and day pillar the birth takes.
    vb::Date countedDay() const;
    // The moment itself, on the civil day, as the solar terms are compared with.
    vb::Date moment() const;
};

}  // namespace calendar
