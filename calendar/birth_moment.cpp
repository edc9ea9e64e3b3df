#include "calendar/birth_moment.h"

#include "platform/vb/variant.h"

namespace calendar {

BirthMoment BirthMoment::fromTimeText(const vb::Date& civilDay, const QString& timeText) {
    BirthMoment b;
    b.civilDay = civilDay.datePart();
    const int dash = timeText.indexOf(QLatin1Char('-'));
    b.hour = static_cast<int>(vb::val(dash < 0 ? timeText : timeText.left(dash)));
    b.minute = dash < 0 ? 0 : static_cast<int>(vb::val(timeText.mid(dash + 1)));
    return b;
}

vb::Date BirthMoment::countedDay() const { return countsForNextDay() ? civilDay.datePart().addDays(1) : civilDay.datePart(); }

vb::Date BirthMoment::moment() const {
    return vb::Date::fromParts(civilDay.year(), civilDay.month(), civilDay.day(), hour, minute);
}

}  // namespace calendar
