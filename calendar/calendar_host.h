#pragma once
// What the calendar engine reads from and writes to the window that holds it: a few captions and the
// two pillar lists. The calendar control and the chart window implement it over their controls;
// MemoryCalendarHost keeps the values for hosts without a window and for tests.
#include <QString>
#include <QStringList>

#include <array>

namespace calendar {

enum class CalendarCaption {
    Label1,   // month pillar and 月
    Label3,   // year pillar and 年 (read: its first character is the year stem)
    Label5,   // day pillar and 日 (read: its first character is the day stem of the hours)
    Label7,   // jie name and "："
    Label8,   // zhongqi name and "："
    Label9,   // jie day and time
    Label10,  // zhongqi day and time
};
inline constexpr int kCalendarCaptionCount = 7;

enum class CalendarList {
    HourPillars,   // cbotime
    MonthPillars,  // cboyue
};

class CalendarHost {
public:
    virtual ~CalendarHost() = default;

    virtual QString caption(CalendarCaption which) const = 0;
    virtual void setCaption(CalendarCaption which, const QString& text) = 0;
    // Replaces the entries of a list (its selection is then none, ListIndex -1).
    virtual void setListEntries(CalendarList which, const QStringList& entries) = 0;
    virtual void setListIndex(CalendarList which, int index) = 0;
};

class MemoryCalendarHost : public CalendarHost {
public:
    QString caption(CalendarCaption which) const override { return captions_[static_cast<int>(which)]; }
    void setCaption(CalendarCaption which, const QString& text) override { captions_[static_cast<int>(which)] = text; }
    void setListEntries(CalendarList which, const QStringList& entries) override {
        lists_[static_cast<int>(which)] = entries;
        indexes_[static_cast<int>(which)] = -1;
    }
    void setListIndex(CalendarList which, int index) override { indexes_[static_cast<int>(which)] = index; }

    const QStringList& listEntries(CalendarList which) const { return lists_[static_cast<int>(which)]; }
    int listIndex(CalendarList which) const { return indexes_[static_cast<int>(which)]; }
    // The selected entry's text; empty when none is selected.
    QString listText(CalendarList which) const {
        const int i = listIndex(which);
        return i >= 0 && i < listEntries(which).size() ? listEntries(which)[i] : QString();
    }

private:
    std::array<QString, kCalendarCaptionCount> captions_;
    std::array<QStringList, 2> lists_;
    std::array<int, 2> indexes_{-1, -1};
};

}  // namespace calendar
