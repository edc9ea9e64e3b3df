#pragma once
// The perpetual-calendar control: a month grid with the lunar text of each day, lists of year, month,
// day, hour and minute, and the lunar date, pillars, nayin, zodiac animal and solar terms of the
// picked day. The choice leaves it through gChartTime and the host's birth-time box.
//
// The control keeps the civil day that the lists show apart from the day the birth counts for: from
// 23:00 on the birth counts for the next day, which the grid, the lunar texts, the pillars and
// gChartTime show, while the lists and the birth text keep the civil day. The counted day is derived
// from the civil one each time, so no repaint or change of the time moves it on again.
//
// The grid is drawn into its picture box when the selection or the time changes; a paint event of
// the box only copies the drawing.
#include "calendar/calendar_engine.h"
#include "calendar/calendar_host.h"
#include "platform/forms/event_hook.h"
#include "platform/vb/date.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>

class QGroupBox;
class QSoundEffect;

namespace forms {
class ComboBox;
class Label;
class PictureBox;
class StepperLabel;
struct KeyArgs;
}  // namespace forms

namespace calendar {

class Wnl : public QWidget, private CalendarHost {
    Q_OBJECT
public:
    explicit Wnl(QWidget* parent = nullptr);
    ~Wnl() override;

    // The host's text box `txtborntime`, which every refresh of the grid overwrites.
    void setBornTimeBox(QLineEdit* box) { mBornTimeBox = box; }
    // What ends the program when Initialise finds another copy running (by default the application
    // quits); the host routes it through the main window's normal unload.
    void setEndProgram(std::function<void()> endProgram) { mEndProgram = std::move(endProgram); }
    // The present moment, for today's selection and its bold day (the system clock by default).
    void setClock(std::function<vb::Date()> clock) { mClock = std::move(clock); }

    // --- Public operations ---

    // Selects today and the present time, fills the lists and draws the month. The host calls it once
    // while it loads, before it is shown.
    void Initialise();
    // For a host that shows a given moment instead of today (the chart window): fills the lists and
    // selects `moment`'s civil day and time as Initialise does for the present. The caller keeps the
    // moment within firstDay() … lastDay(). It may be called again to show another moment; every list
    // starts unarmed again.
    void ShowMoment(const vb::Date& moment);
    // The time text ("7-5") that the next SetSelectedDate applies.
    void setTimeText(const QString& text) { mTimeText = text; }
    QString NianShangQiYue(const QString& yearStem, const QString& number);
    static QString TianGanTouChu(const QString& dayStem, const QString& otherStem);

    // --- The control's own operations (public so that tests drive them as the events do) ---

    // Moves the selection to civil day `d`, which receives the value held to the supported range.
    // Within the lists' month only the day and the frame move (false); into another month the lists
    // follow and the grid is refreshed (true).
    bool GoToDate(vb::Date& d);
    // Applies the picked day and time to the lists and refreshes the grid.
    void SetSelectedDate();
    // Goes to the year and month shown in the lists.
    void RefreshDayList();
    // Empties cboDay and adds 1 … n.
    void FillDays(int n);
    // The refresh of the month grid, its captions, the hour pillars and the host's birth text.
    void picMonth_Paint();
    // The week-day header.
    void Picweek_Paint();

    // --- Event handlers ---

    void picMonth_MouseDown(int button, int shift, double x, double y);
    void picMonth_KeyDown(int& keyCode, int shift);
    void cboDay_Click();
    void cboHour_Click();
    void cboMin_Click();
    void Cboyear_Click();
    void cbomonth_Click();
    void Label17_Click();
    void cbotime_Click();
    void Label11_Click();
    // One step of a stepper: years or months forward (positive) or back.
    void stepYears(int years);
    void stepMonths(int months);

    // --- State, as the lists and tests read it ---

    // The day the lists show, on which the birth took place.
    vb::Date civilDay() const { return mCivilDay; }
    const QString& timeText() const { return mTimeText; }
    const QString& lunarText() const { return mLunarText; }
    int cellWidth() const { return mCellWidth; }
    int cellHeight() const { return mCellHeight; }
    bool gridClickPending() const { return mGridClick; }
    // A stepper is held down.
    bool repeating() const;
    const CalendarEngine& engine() const { return mEngine; }

    // The supported days: 1882-03-01 … 2031-12-31; a move into another month is held to
    // 1882-03-01 … 2031-12-01.
    static vb::Date firstDay();
    static vb::Date lastDay();
    static vb::Date lastMonthStart();

signals:
    // Raised at the end of every refresh of the grid and its captions, for a host that writes
    // captions of its own from them.
    void painted();

protected:
    void changeEvent(QEvent* event) override;

private:
    // CalendarHost: the engine's captions and pillar lists.
    QString caption(CalendarCaption which) const override;
    void setCaption(CalendarCaption which, const QString& text) override;
    void setListEntries(CalendarList which, const QStringList& entries) override;
    void setListIndex(CalendarList which, int index) override;
    forms::Label* captionLabel(CalendarCaption which) const;
    forms::ComboBox* list(CalendarList which) const;

    void buildControls();
    void fillAndSelect(int hour, int minute);
    void connectEvents();
    BirthMoment birth() const;
    // The shared birth day becomes this calendar's (its day, counted on from 23:00): the grid draws
    // and reads the shared day, which another calendar open meanwhile may have moved.
    void shareCountedDay();
    // Selects the civil day in the three date lists without their Clicks acting.
    void showCivilDayInLists();
    void drawSelectionFrame();
    int firstWeekday() const;  // of gChartTime's month, Sunday = 0
    void playClick();
    // Runs an event's work; an error is shown and the control goes on.
    void guarded(const std::function<void()>& work);

    CalendarEngine mEngine;
    QPointer<QLineEdit> mBornTimeBox;
    std::function<void()> mEndProgram;
    std::function<vb::Date()> mClock = [] { return vb::Date::now(); };
    QSoundEffect* mClickSound = nullptr;

    vb::Date mCivilDay;
    QString mTimeText;
    int16_t mCellWidth = 0;
    int16_t mCellHeight = 0;
    bool mDayArmed = false;
    bool mHourArmed = false;
    bool mMinuteArmed = false;
    bool mYearArmed = false;
    bool mGridClick = false;
    bool mUpdating = false;
    QString mLunarText;
    vb::Date mShownMonth;  // the month the grid shows

    forms::PictureBox* picMonth = nullptr;
    forms::PictureBox* Picweek = nullptr;
    forms::PictureBox* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    forms::ComboBox* Cboyear = nullptr;
    forms::ComboBox* cbomonth = nullptr;
    forms::ComboBox* cboDay = nullptr;
    forms::ComboBox* cboHour = nullptr;
    forms::ComboBox* cboMin = nullptr;
    forms::ComboBox* cbotime = nullptr;
    forms::ComboBox* cboyue = nullptr;
    forms::StepperLabel* lblyearprev = nullptr;
    forms::StepperLabel* lblyearnext = nullptr;
    forms::StepperLabel* lblPrev = nullptr;
    forms::StepperLabel* lblNext = nullptr;
    forms::Label* Label1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::Label* Label3 = nullptr;
    forms::Label* Label4 = nullptr;
    forms::Label* Label5 = nullptr;
    forms::Label* Label6 = nullptr;
    forms::Label* Label7 = nullptr;
    forms::Label* Label8 = nullptr;
    forms::Label* Label9 = nullptr;
    forms::Label* Label10 = nullptr;
    forms::Label* Label11 = nullptr;
    forms::Label* Label12 = nullptr;
    forms::Label* Label13 = nullptr;
    forms::Label* Label14 = nullptr;
    forms::Label* Label17 = nullptr;
    forms::Label* LlbTou = nullptr;
    // The hooks call members of this class: they go first, with the members.
    forms::EventHooks hooks_;
};

}  // namespace calendar
