// The chart window's additions to its calendar: the entered moment in Label4, the solar-term times,
// the birth caption and the chart build that a load or Command1 has armed.
#include "windows/frm_ba_zi.h"

#include "calendar/widgets/wnl.h"
#include "chart/birth_inputs.h"
#include "core/globals.h"
#include "platform/forms/combobox.h"
#include "platform/forms/label.h"
#include "windows/chart_cells_widget.h"

#include <QTime>

namespace windows {

namespace {

forms::Label* calendarLabel(const calendar::Wnl* w, const char* name) {
    return w->findChild<forms::Label*>(QLatin1String(name));
}

}  // namespace

void FrmBaZi::calendarPainted() {
    // The day and time as they were entered, not the day a late birth counts for.
    const calendar::BirthMoment b = calendar::BirthMoment::fromTimeText(calendar_->civilDay(), calendar_->timeText());
    calendarLabel(calendar_, "Label4")
        ->setCaption(b.civilDay.dateText() + QLatin1Char(' ') + QTime(b.hour % 24, b.minute % 60).toString(QStringLiteral("H:mm")));

    const auto& rows = calendar_->engine().rows();
    if (rows.size() >= 3) {
        const calendar::CalendarRow& cur = rows[1];
        lblhour1_->setCaption(QStringLiteral("%1:%2").arg(cur.JieqiHour).arg(cur.JieqiMinute));
        lblhour2_->setCaption(QStringLiteral("%1:%2").arg(cur.ZhongqiHour).arg(cur.ZhongqiMinute));
    } else {
        lblhour1_->setCaption(QString());
        lblhour2_->setCaption(QString());
    }

    if (!birthCaptionPending_) return;
    birthCaptionPending_ = false;
    writeBirthCaption();
    RefreshChart();
}

void FrmBaZi::writeBirthCaption() {
    // lblCHUsh, Label2(1), Label6 and Label17 of the chart as the calendar shows them now.
    chart::SetBirthCaptions(*picMain_, core::gChartTime.year(), calendarLabel(calendar_, "Label3")->caption().left(2),
                            calendarLabel(calendar_, "Label2")->caption(), calendarLabel(calendar_, "Label6")->caption(),
                            calendarLabel(calendar_, "Label17")->caption().left(2));
}

void FrmBaZi::RefreshChart() {
    // The build reads the shared sex, which another window (the new-case dialog as it loads) may have
    // set meanwhile: it is the sex this window's list shows.
    core::gIsMale = cboXing_->listIndex() != 1;
    picMain_->refreshChart();
}

}  // namespace windows
