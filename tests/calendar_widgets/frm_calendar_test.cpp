#include "library/frm_calendar.h"

#include "calendar/widgets/wnl.h"
#include "core/globals.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/date.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(FrmCalendar, HoldsTheCalendarWhoseChoiceFillsTheBirthTimeBox) {
    library::showFrmcalendar();
    library::FrmCalendar& w = forms::defaultInstance<library::FrmCalendar>();
    EXPECT_EQ(w.windowTitle(), "个人资料");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.endingProgram());
    EXPECT_EQ(w.wnlqd()->objectName(), "wnlqd");
    EXPECT_EQ(w.txtborntime()->objectName(), "txtborntime");
    EXPECT_EQ(w.txtborntime()->toolTip(), "请在下面的万年历中选择输入出生时间");
    EXPECT_TRUE(QRect(QPoint(), w.size()).contains(QRect(w.wnlqd()->mapTo(&w, QPoint()), w.wnlqd()->size())));

    // Loading initialised the control: today is picked and written into the box.
    const vb::Date today = vb::Date::today();
    const QString expected = QStringLiteral("%1-%2-%3 ").arg(today.year()).arg(today.month()).arg(today.day());
    if (today >= vb::Date::fromParts(1882, 3, 1) && today <= vb::Date::fromParts(2031, 12, 31)) {
        EXPECT_TRUE(w.txtborntime()->text().startsWith(expected)) << w.txtborntime()->text().toStdString();
    }

    // The box's text reads back as the moment, as the dialog's OK takes it.
    vb::Date moment;
    EXPECT_TRUE(vb::Date::parse(w.txtborntime()->text(), &moment));
    vb::Date d = vb::Date::fromParts(2001, 5, 3);
    w.wnlqd()->GoToDate(d);
    EXPECT_TRUE(w.txtborntime()->text().startsWith(QStringLiteral("2001-5-3 ")));

    // Closing unloads it; the next use loads a new one.
    QPointer<library::FrmCalendar> first = &w;
    w.close();
    forms::deleteUnloadedForms();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
}

}  // namespace
