#include "calendar/widgets/wnl.h"

#include "calendar/calendar_engine.h"
#include "core/globals.h"
#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/keycodes.h"
#include "platform/forms/label.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/stepper_label.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using vb::Date;

Date day(int y, int m, int d) { return Date::fromParts(y, m, d); }

std::string text(const Date& d) { return d.dateText().toStdString(); }

// A control initialised at a fixed present moment, with its birth-time box.
class WnlTest : public ::testing::Test {
public:
    void SetUp() override {
        wnl_ = std::make_unique<calendar::Wnl>();
        wnl_->setBornTimeBox(&born_);
        wnl_->setClock([this] { return now_; });
        wnl_->Initialise();
    }

    template <class T>
    T* child(const char* name) const {
        T* w = wnl_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    forms::ComboBox* list(const char* name) const { return child<forms::ComboBox>(name); }
    QString caption(const char* name) const { return child<forms::Label>(name)->caption(); }

    // Selects civil day `d` as a move of the selection does, and the time through the lists.
    // A day of the last or first month that a move into the month would hold at the range's end is
    // reached by a second move within the month.
    void select(const Date& d) {
        Date to = d;
        wnl_->GoToDate(to);
        if (to != d) {
            to = d;
            wnl_->GoToDate(to);
        }
        wnl_->SetSelectedDate();
    }
    void pickTime(int hour, int minute) {
        list("cboHour")->setListIndex(hour);
        list("cboMin")->setListIndex(minute);
    }
    // A click in the middle of the cell of `day` of the month the grid shows.
    void clickDay(int dayOfMonth) {
        const Date shown = core::gChartTime;
        const int first = Date::fromParts(shown.year(), shown.month(), 1).weekday() - 1;
        const int p = first + dayOfMonth - 1;
        clickAt(((p % 7) + 0.5) * wnl_->cellWidth(), ((p / 7) + 0.5) * wnl_->cellHeight());
    }
    void clickAt(double x, double y) { wnl_->picMonth_MouseDown(forms::vbLeftButton, 0, x, y); }
    void key(int code) {
        int k = code;
        wnl_->picMonth_KeyDown(k, 0);
        EXPECT_EQ(k, 0) << "key " << code << " not consumed";
    }
    // The lists' day as y-m-d.
    std::string listsDay() const {
        return QStringLiteral("%1-%2-%3")
            .arg(list("Cboyear")->text(), list("cbomonth")->text(), list("cboDay")->text())
            .toStdString();
    }
    // The day pillar of `d` by a second engine, as the description text gives it.
    static QString dayPillarOf(const Date& d) {
        calendar::MemoryCalendarHost host;
        calendar::CalendarEngine engine(host);
        engine.LoadCalendarRows(d);
        engine.LunarDateText();
        return engine.SolarToLunar(d).mid(9, 2);
    }

    Date now_ = Date::fromParts(2001, 5, 3, 9, 5);
    QLineEdit born_;
    std::unique_ptr<calendar::Wnl> wnl_;
};

TEST_F(WnlTest, InitialiseSelectsThePresentMomentAndFillsTheLists) {
    EXPECT_EQ(text(core::gChartTime), "2001-05-03");
    EXPECT_EQ(wnl_->timeText(), "9-5");
    EXPECT_EQ(listsDay(), "2001-5-3");
    EXPECT_EQ(list("Cboyear")->listCount(), 150);
    EXPECT_EQ(list("Cboyear")->list(0), "1882");
    EXPECT_EQ(list("Cboyear")->list(149), "2031");
    EXPECT_EQ(list("cbomonth")->listCount(), 12);
    EXPECT_EQ(list("cboDay")->listCount(), 31);
    EXPECT_EQ(list("cboHour")->listCount(), 24);
    EXPECT_EQ(list("cboMin")->listCount(), 60);
    EXPECT_EQ(list("cboHour")->listIndex(), 9);
    EXPECT_EQ(list("cboMin")->listIndex(), 5);
    EXPECT_FALSE(list("cbotime")->isVisibleTo(wnl_.get()));
    EXPECT_FALSE(list("cboyue")->isVisibleTo(wnl_.get()));
    // (4215 − 15) \ 7 and (2055 − 15) \ 6.
    EXPECT_EQ(wnl_->cellWidth(), 600);
    EXPECT_EQ(wnl_->cellHeight(), 340);
    EXPECT_EQ(born_.text(), "2001-5-3 9:5");
    EXPECT_EQ(caption("Label4"), "2001-05-03");
}

TEST_F(WnlTest, TheFirstClicksOfInitialiseOnlyArmTheListsAndLaterChoicesAct) {
    // Initialise's own selections moved nothing; the first choices after it are applied.
    list("cboHour")->setListIndex(14);
    EXPECT_EQ(wnl_->timeText(), "14-5");
    list("cboMin")->setListIndex(40);
    EXPECT_EQ(wnl_->timeText(), "14-40");
    list("cboDay")->setListIndex(19);
    EXPECT_EQ(text(core::gChartTime), "2001-05-20");
    list("Cboyear")->setListIndex(1999 - 1882);
    EXPECT_EQ(text(core::gChartTime), "1999-05-20");
    EXPECT_EQ(born_.text(), "1999-5-20 14:40");
}

TEST_F(WnlTest, APresentMomentOutsideTheSupportedDaysIsHeldToThem) {
    for (const auto& [clock, expected] : {std::pair{Date::fromParts(2035, 7, 1, 10, 0), "2031-12-31"},
                                          std::pair{Date::fromParts(1870, 1, 1, 10, 0), "1882-03-01"}}) {
        calendar::Wnl w;
        QLineEdit box;
        w.setBornTimeBox(&box);
        w.setClock([c = clock] { return c; });
        w.Initialise();
        EXPECT_EQ(text(core::gChartTime), expected);
        EXPECT_EQ(w.findChild<forms::ComboBox*>(QStringLiteral("Cboyear"))->text(), QString(expected).left(4));
        EXPECT_FALSE(w.lunarText().isEmpty());
    }
}

struct MoveCase {
    const char* name;
    Date from;
    std::function<void(WnlTest&, calendar::Wnl&)> move;
    const char* expected;
};

TEST_F(WnlTest, KeysAndSteppersMoveInCalendarArithmeticAndAreHeldAtTheEnds) {
    const auto keyMove = [](int code) {
        return [code](WnlTest& t, calendar::Wnl&) { t.key(code); };
    };
    const auto years = [](int n) { return [n](WnlTest&, calendar::Wnl& w) { w.stepYears(n); }; };
    const auto months = [](int n) { return [n](WnlTest&, calendar::Wnl& w) { w.stepMonths(n); }; };
    const MoveCase cases[] = {
        {"PageUp from 31 March", day(2001, 3, 31), keyMove(forms::vbKeyPageUp), "2001-02-28"},
        {"PageUp in a leap year", day(2000, 3, 31), keyMove(forms::vbKeyPageUp), "2000-02-29"},
        {"PageDown from 31 January", day(2000, 1, 31), keyMove(forms::vbKeyPageDown), "2000-02-29"},
        {"year on from 29 February", day(2000, 2, 29), years(1), "2001-02-28"},
        {"year back from 29 February", day(2000, 2, 29), years(-1), "1999-02-28"},
        {"month on from 31 January", day(2001, 1, 31), months(1), "2001-02-28"},
        {"Right over the year end", day(2001, 12, 31), keyMove(forms::vbKeyRight), "2002-01-01"},
        {"Left over the month start", day(2001, 3, 1), keyMove(forms::vbKeyLeft), "2001-02-28"},
        {"Down a week", day(2001, 5, 3), keyMove(forms::vbKeyDown), "2001-05-10"},
        {"Up a week", day(2001, 5, 3), keyMove(forms::vbKeyUp), "2001-04-26"},
        {"PageUp at the first month", day(1882, 3, 5), keyMove(forms::vbKeyPageUp), "1882-03-01"},
        {"Left from the first day", day(1882, 3, 1), keyMove(forms::vbKeyLeft), "1882-03-01"},
        {"year back at 1882", day(1882, 5, 10), years(-1), "1882-03-01"},
        {"year on at 2031", day(2031, 5, 10), years(1), "2031-12-01"},
        {"into the last month", day(2031, 11, 15), keyMove(forms::vbKeyPageDown), "2031-12-01"},
        {"Right from the last day", day(2031, 12, 31), keyMove(forms::vbKeyRight), "2031-12-01"},
        {"within the last month", day(2031, 12, 30), keyMove(forms::vbKeyRight), "2031-12-31"},
        {"within the first month", day(1882, 3, 2), keyMove(forms::vbKeyLeft), "1882-03-01"},
    };
    for (const MoveCase& c : cases) {
        select(c.from);
        c.move(*this, *wnl_);
        EXPECT_EQ(text(wnl_->civilDay()), c.expected) << c.name;
        EXPECT_EQ(text(core::gChartTime), c.expected) << c.name;
        // The lists, the captions and the birth text follow every move, within the month too.
        const Date expected = wnl_->civilDay();
        EXPECT_EQ(listsDay(), QStringLiteral("%1-%2-%3").arg(expected.year()).arg(expected.month()).arg(expected.day()).toStdString())
            << c.name;
        EXPECT_EQ(caption("Label4").toStdString(), c.expected) << c.name;
        EXPECT_TRUE(born_.text().startsWith(QString::fromStdString(listsDay()) + ' ')) << c.name;
    }
}

TEST_F(WnlTest, OtherKeysAreLeftToTheWindow) {
    for (int code : {forms::vbKeyReturn, forms::vbKeyEscape, forms::vbKeyA}) {
        int k = code;
        wnl_->picMonth_KeyDown(k, 0);
        EXPECT_EQ(k, code);
    }
    EXPECT_EQ(text(wnl_->civilDay()), "2001-05-03");
}

TEST_F(WnlTest, ChoosingFebruaryOnThe31stSelectsTheMonthsLastDay) {
    for (const auto& [year, expected] : {std::pair{2001, "2001-02-28"}, std::pair{2000, "2000-02-29"}}) {
        select(day(year, 1, 31));
        list("cbomonth")->setListIndex(1);
        EXPECT_EQ(text(core::gChartTime), expected);
        EXPECT_EQ(list("cboDay")->listCount(), Date::daysInMonth(year, 2));
        EXPECT_EQ(list("cboDay")->text(), QString(expected).right(2));
    }
}

TEST_F(WnlTest, HoldingASteppersKeepsTheEndOfTheRange) {
    struct Hold {
        const char* stepper;
        Date from;
        const char* expected;
    };
    for (const Hold& h : {Hold{"lblyearnext", day(2029, 6, 15), "2031-12-01"},
                          Hold{"lblyearprev", day(1884, 6, 15), "1882-03-01"},
                          Hold{"lblNext", day(2031, 10, 20), "2031-12-01"}}) {
        select(h.from);
        auto* s = child<forms::StepperLabel>(h.stepper);
        s->setRepeatDelay(1);
        s->setRepeatInterval(1);
        int steps = 0;
        const auto counting = QObject::connect(s, &forms::StepperLabel::step, [&] { ++steps; });
        s->startRepeat();
        EXPECT_TRUE(wnl_->repeating());
        ASSERT_TRUE(QTest::qWaitFor([&] { return steps >= 5; }, 10000));
        s->stopRepeat();
        QObject::disconnect(counting);
        EXPECT_FALSE(wnl_->repeating());
        EXPECT_EQ(text(wnl_->civilDay()), h.expected) << h.stepper;
        EXPECT_EQ(caption("Label4").toStdString(), h.expected) << h.stepper;
    }
}

TEST_F(WnlTest, SteppersStopWhenTheControlHidesOrIsDestroyed) {
    auto* s = child<forms::StepperLabel>("lblNext");
    s->setRepeatDelay(1);
    s->setRepeatInterval(1);
    wnl_->show();
    s->startRepeat();
    wnl_->hide();
    EXPECT_FALSE(wnl_->repeating());
    const Date stopped = wnl_->civilDay();
    QTest::qWait(30);
    EXPECT_EQ(wnl_->civilDay(), stopped);

    wnl_->show();
    s->startRepeat();
    wnl_.reset();  // must leave no timer behind that steps a destroyed control
    QTest::qWait(30);
}

TEST_F(WnlTest, GridHitTestFindsTheCellAndHoldsTheLastPixelsInside) {
    select(day(2001, 5, 3));  // 1 May 2001 is a Tuesday: cells 2 … 32
    for (int d : {1, 5, 6, 19, 31}) {
        clickDay(d);
        EXPECT_EQ(wnl_->civilDay().day(), d);
    }
    // The last pixel column of the first row is Saturday 5 May, not the next row's Sunday.
    clickAt(4215 - 15, 10);
    EXPECT_EQ(text(wnl_->civilDay()), "2001-05-05");
    clickAt(4215 - 15 + 14.9, 10);
    EXPECT_EQ(text(wnl_->civilDay()), "2001-05-05");

    // August 2015 begins on a Saturday and fills all six rows; the last pixel row is the sixth.
    select(day(2015, 8, 3));
    clickAt(10, 2055 - 15);
    EXPECT_EQ(text(wnl_->civilDay()), "2015-08-30");
}

TEST_F(WnlTest, AClickOnABlankCellMovesNothing) {
    select(day(2001, 5, 17));
    clickAt(10, 10);                    // Sunday before 1 May
    clickAt(4215 - 15, 2055 - 15);      // after 31 May
    EXPECT_EQ(text(wnl_->civilDay()), "2001-05-17");
    EXPECT_EQ(listsDay(), "2001-5-17");
    EXPECT_FALSE(wnl_->gridClickPending());
}

TEST_F(WnlTest, AClickOnTheSelectedDayDoesNotSwallowTheNextTimeChoice) {
    select(day(2001, 5, 17));
    clickDay(17);
    EXPECT_FALSE(wnl_->gridClickPending());
    list("cboMin")->setListIndex(42);
    EXPECT_EQ(wnl_->timeText(), "9-42");
    EXPECT_EQ(born_.text(), "2001-5-17 9:42");
}

TEST_F(WnlTest, ABirthAfter2300CountsForTheNextDayOnceWhateverIsRepainted) {
    pickTime(23, 30);
    select(day(2001, 5, 20));
    clickDay(31);
    const auto expectOnce = [&](const char* minute) {
        EXPECT_EQ(listsDay(), "2001-5-31");
        EXPECT_EQ(text(wnl_->civilDay()), "2001-05-31");
        EXPECT_EQ(text(core::gChartTime), "2001-06-01");
        EXPECT_EQ(caption("Label4"), "2001-06-01");
        EXPECT_EQ(born_.text(), QStringLiteral("2001-5-31 23:") + minute);
        // The day pillar is that of 1 June (乙未), neither 31 May's nor 2 June's.
        EXPECT_EQ(caption("Label5").left(2), dayPillarOf(day(2001, 6, 1)));
        EXPECT_EQ(caption("Label5").left(2), "乙未");
        EXPECT_EQ(wnl_->lunarText().mid(9, 2), "乙未");
        // The hour pillars are those of the 子 hour of 1 June.
        EXPECT_EQ(caption("Label17"), "丙子时");
    };
    expectOnce("30");
    for (int i = 0; i < 3; ++i) wnl_->picMonth_Paint();
    expectOnce("30");
    list("cboMin")->setListIndex(45);
    list("cboMin")->setListIndex(31);
    wnl_->SetSelectedDate();
    expectOnce("31");

    // The day list still picks days of the civil month.
    list("cboDay")->setListIndex(9);
    EXPECT_EQ(text(wnl_->civilDay()), "2001-05-10");
    EXPECT_EQ(text(core::gChartTime), "2001-05-11");

    // Back before 23:00 the shown day is the civil day again.
    list("cboHour")->setListIndex(22);
    EXPECT_EQ(text(core::gChartTime), "2001-05-10");
    EXPECT_EQ(born_.text(), "2001-5-10 22:31");
}

TEST_F(WnlTest, ABirthTextWithMinuteZeroCarriesElevenSeconds) {
    select(day(2001, 5, 3));
    pickTime(9, 0);
    EXPECT_EQ(born_.text(), "2001-5-3 9:0:11");
    pickTime(9, 5);
    EXPECT_EQ(born_.text(), "2001-5-3 9:5");
    Date back;
    EXPECT_TRUE(Date::parse(QStringLiteral("2001-5-3 9:0:11"), &back));
}

TEST_F(WnlTest, HourPillarsFollowTheDayAndAPillarChoiceSetsTheHour) {
    select(day(2001, 5, 3));  // 丙寅 day: its 子 hour is 戊子
    pickTime(0, 10);
    EXPECT_EQ(caption("Label17"), "戊子时");
    auto* pillars = list("cbotime");
    EXPECT_EQ(pillars->listCount(), 12);
    EXPECT_EQ(pillars->list(3), "辛卯(5-7)");
    wnl_->show();
    wnl_->Label17_Click();
    EXPECT_TRUE(pillars->isVisible());
    pillars->hidePopup();
    pillars->setListIndex(3);  // the 卯 hour
    EXPECT_EQ(list("cboHour")->listIndex(), 6);
    EXPECT_EQ(wnl_->timeText(), "6-10");
    EXPECT_EQ(caption("Label17"), "辛卯时");
    EXPECT_FALSE(pillars->isVisible());
    // A refill while hidden is no choice.
    pickTime(13, 10);
    EXPECT_EQ(list("cboHour")->listIndex(), 13);
    EXPECT_EQ(caption("Label17"), "乙未时");
}

// Through the mouse: a click on the pillar caption opens the list over it; a pick sets the hour,
// and a list closed without a pick leaves the caption to be seen again.
TEST_F(WnlTest, APillarListClosedWithoutAPickGoesAndAPickSetsTheHour) {
    select(day(2001, 5, 3));
    pickTime(0, 10);
    wnl_->show();
    auto* pillars = list("cbotime");
    auto* caption17 = child<forms::Label>("Label17");
    QAbstractItemView* view = pillars->view();

    QTest::mouseClick(caption17, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->window()->isVisible(); }));
    EXPECT_TRUE(pillars->isVisible());
    QTest::keyClick(view, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pillars->isVisible(); }));
    EXPECT_EQ(list("cboHour")->listIndex(), 0) << "closing is no choice";
    EXPECT_EQ(caption("Label17"), "戊子时");

    QTest::mouseClick(caption17, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->window()->isVisible(); }));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(pillars->model()->index(3, 0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(list("cboHour")->listIndex(), 6) << "the 卯 hour";
    EXPECT_EQ(caption("Label17"), "辛卯时");
    EXPECT_FALSE(pillars->isVisible());
}

// The chart window and the new-case dialog each carry a calendar, and both may be open: a click on
// one grid picks the day under the mouse in the month that grid shows, and a redraw draws that month,
// whatever the other calendar has made of the shared birth day meanwhile.
TEST_F(WnlTest, EachGridKeepsToItsOwnMonthWhateverAnotherCalendarDid) {
    select(day(1980, 6, 15));
    pickTime(10, 30);
    wnl_->show();
    calendar::Wnl other;
    QLineEdit otherBorn;
    other.setBornTimeBox(&otherBorn);
    other.ShowMoment(Date::fromParts(2026, 12, 11, 7, 24));
    ASSERT_EQ(text(core::gChartTime), "2026-12-11");

    // 1 June 1980 is a Sunday: the 20th lies in the fifth column of the third row.
    const int p = 0 + 20 - 1;
    const QPointF twips(((p % 7) + 0.5) * wnl_->cellWidth(), ((p / 7) + 0.5) * wnl_->cellHeight());
    QTest::mouseClick(child<forms::PictureBox>("picMonth"), Qt::LeftButton, {}, vb::twipsToPixels(twips));
    EXPECT_EQ(listsDay(), "1980-6-20");
    EXPECT_EQ(text(core::gChartTime), "1980-06-20") << "the shared day is this calendar's again";
    EXPECT_EQ(born_.text(), "1980-6-20 10:30");
    EXPECT_EQ(otherBorn.text(), "2026-12-11 7:24") << "the other calendar keeps its own day";

    // A new palette (the desktop's colours changed) redraws each grid on its own month.
    other.ShowMoment(Date::fromParts(2026, 12, 11, 7, 24));
    QPalette changed = wnl_->palette();
    changed.setColor(QPalette::Button, Qt::lightGray);
    wnl_->setPalette(changed);
    EXPECT_EQ(caption("Label4"), "1980-06-20");
    EXPECT_EQ(born_.text(), "1980-6-20 10:30");
}

TEST_F(WnlTest, GoingToTodayKeepsThePickedTime) {
    select(day(1990, 8, 8));
    pickTime(17, 45);
    now_ = Date::fromParts(2001, 5, 3, 9, 5);
    wnl_->Label11_Click();
    EXPECT_EQ(text(core::gChartTime), "2001-05-03");
    EXPECT_EQ(born_.text(), "2001-5-3 17:45");
}

TEST_F(WnlTest, ALeapMonthStartIsNamedAndOpensItsDay) {
    select(day(2020, 5, 23));
    EXPECT_EQ(wnl_->engine().dayTexts()[22], "闰四");
    EXPECT_EQ(caption("Label6"), "初一");
    EXPECT_EQ(caption("Label3"), "庚子年");
    EXPECT_EQ(caption("Label13"), "鼠");
    EXPECT_EQ(caption("Label14"), "壁上土");
    EXPECT_EQ(caption("Label5"), "丙寅日");
    EXPECT_EQ(caption("Label7"), "立夏：");
    EXPECT_EQ(caption("Label8"), "小满：");
    select(day(2020, 5, 22));
    EXPECT_EQ(caption("Label6"), "三十");
}

TEST_F(WnlTest, ControlsHaveTheirDesignSizesTipsAndFonts) {
    EXPECT_EQ(forms::twipsGeometry(wnl_.get()).size(), QSize(6270, 3675));
    EXPECT_EQ(forms::twipsGeometry(child<forms::PictureBox>("picMonth")).size(), QSize(4215, 2055));
    EXPECT_EQ(forms::twipsGeometry(child<forms::PictureBox>("Picweek")).size(), QSize(4215, 375));
    const std::pair<const char*, const char*> tips[] = {
        {"Cboyear", "点击此框左右处可快速连续改变"},
        {"cbomonth", "点击此框左右处可快速连续改变"},
        {"cboDay", "点击左侧的日期也可改变“日”，输入阴历的时间时采用此法。"},
        {"cboHour", "点击“XX时”三个字，可选择时的干支"},
        {"cboMin", "点击“XX时”三个字，可选择时的干支"},
        {"Label17", "点这里以干支选时"},
        {"Frame1", "在此选择出生时间"},
    };
    for (const auto& [name, tip] : tips) EXPECT_EQ(child<QWidget>(name)->toolTip(), QString::fromUtf8(tip)) << name;
    const std::pair<const char*, const char*> captions[] = {
        {"lblyearprev", "▽"}, {"lblyearnext", "△"}, {"lblPrev", "▽"},  {"lblNext", "△"},
        {"Label11", "年   月  日  时  分"}, {"Label12", "万年历"}, {"LlbTou", "<1882.3--2031.12>"},
    };
    for (const auto& [name, c] : captions) EXPECT_EQ(caption(name), QString::fromUtf8(c)) << name;
    const QFont animal = child<forms::Label>("Label13")->font();
    EXPECT_EQ(animal.families().value(0), forms::installedFamily(QStringLiteral("隶书")));
    EXPECT_DOUBLE_EQ(animal.pointSizeF(), 18);
    EXPECT_TRUE(child<forms::Label>("Label4")->font().bold());
    EXPECT_TRUE(child<forms::Label>("Label12")->font().bold());
    EXPECT_DOUBLE_EQ(child<forms::Label>("Label12")->font().pointSizeF(), 10.5);
    EXPECT_EQ(child<forms::Label>("Label2")->property("Index").toInt(), 1);
}

TEST_F(WnlTest, PublicPillarOperationsAnswerForTheHost) {
    EXPECT_EQ(wnl_->NianShangQiYue(QStringLiteral("甲"), QStringLiteral("十二")), "丁丑");
    EXPECT_EQ(list("cboyue")->listCount(), 12);
    EXPECT_EQ(list("cboyue")->list(0), "丙寅");
    EXPECT_EQ(calendar::Wnl::TianGanTouChu(QStringLiteral("癸"), QStringLiteral("壬")), "劫");
}

}  // namespace
