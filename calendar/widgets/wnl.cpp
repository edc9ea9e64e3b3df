#include "calendar/widgets/wnl.h"

#include "calendar/widgets/prev_instance.h"
#include "core/globals.h"
#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/keycodes.h"
#include "platform/forms/label.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/stepper_label.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/twips.h"
#include "platform/vb/unhandled.h"
#include "platform/vb/variant.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cmath>

namespace calendar {

namespace {

// The control's design size and the parts of it, in twips.
constexpr int kControlWidth = 6270;
constexpr int kControlHeight = 3675;

enum class Kind { Label, Stepper, Column, Combo, Picture, Frame };
enum class Holder { Control, Title, Frame };

struct FontSpec {
    const char16_t* face = nullptr;  // none: the control's font
    double points = 0;
    bool bold = false;
};

struct ControlSpec {
    const char* name;
    Kind kind;
    Holder holder;
    int left, top, width, height;
    const char16_t* caption;
    const char16_t* tip;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
};

constexpr const char16_t* kYearMonthTip = u"点击此框左右处可快速连续改变";
constexpr const char16_t* kDayTip = u"点击左侧的日期也可改变“日”，输入阴历的时间时采用此法。";
constexpr const char16_t* kTimeTip = u"点击“XX时”三个字，可选择时的干支";
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;

// Holders come before what they hold.
constexpr std::array kControls{
    ControlSpec{"Picture1", Kind::Picture, Holder::Control, 0, 0, kControlWidth, 360, nullptr, nullptr, {}},
    ControlSpec{"Label12", Kind::Label, Holder::Title, 120, 45, 1200, 285, u"万年历", nullptr, {u"宋体", 10.5, true}},
    ControlSpec{"LlbTou", Kind::Label, Holder::Title, 1380, 75, 2700, 240, u"<1882.3--2031.12>", nullptr, {}},
    ControlSpec{"Label3", Kind::Label, Holder::Control, 60, 420, 720, 240, u"", nullptr, {}},
    ControlSpec{"Label2", Kind::Label, Holder::Control, 810, 420, 480, 240, u"", nullptr, {}},
    ControlSpec{"Label6", Kind::Label, Holder::Control, 1320, 420, 480, 240, u"", nullptr, {}},
    ControlSpec{"Label14", Kind::Label, Holder::Control, 1830, 420, 720, 240, u"", nullptr, {}},
    ControlSpec{"Label1", Kind::Label, Holder::Control, 60, 690, 720, 240, u"", nullptr, {}},
    ControlSpec{"Label5", Kind::Label, Holder::Control, 810, 690, 720, 240, u"", nullptr, {}},
    ControlSpec{"Label17", Kind::Label, Holder::Control, 1560, 690, 720, 240, u"", u"点这里以干支选时", {}},
    ControlSpec{"cbotime", Kind::Combo, Holder::Control, 1560, 645, 1500, 330, nullptr, nullptr, {}},
    ControlSpec{"Label7", Kind::Label, Holder::Control, 2580, 420, 570, 240, u"", nullptr, {}},
    ControlSpec{"Label9", Kind::Label, Holder::Control, 3150, 420, 1065, 240, u"", nullptr, {}},
    ControlSpec{"Label8", Kind::Label, Holder::Control, 2580, 690, 570, 240, u"", nullptr, {}},
    ControlSpec{"Label10", Kind::Label, Holder::Control, 3150, 690, 1065, 240, u"", nullptr, {}},
    ControlSpec{"Picweek", Kind::Picture, Holder::Control, 0, 990, 4215, 375, nullptr, nullptr, {}},
    ControlSpec{"picMonth", Kind::Picture, Holder::Control, 0, 1365, 4215, 2055, nullptr, nullptr, {}},
    ControlSpec{"Frame1", Kind::Frame, Holder::Control, 4290, 360, 1920, 3285, nullptr, u"在此选择出生时间", {}},
    ControlSpec{"Label13", Kind::Label, Holder::Frame, 600, 150, 720, 510, u"", nullptr, {u"隶书", 18, false}, kCentred},
    ControlSpec{"lblyearprev", Kind::Stepper, Holder::Frame, 45, 765, 240, 270, u"▽", nullptr, {}, kCentred},
    ControlSpec{"Cboyear", Kind::Combo, Holder::Frame, 285, 720, 960, 330, nullptr, kYearMonthTip, {}},
    ControlSpec{"lblyearnext", Kind::Stepper, Holder::Frame, 1245, 765, 240, 270, u"△", nullptr, {}, kCentred},
    ControlSpec{"lblPrev", Kind::Stepper, Holder::Frame, 45, 1155, 240, 270, u"▽", nullptr, {}, kCentred},
    ControlSpec{"cbomonth", Kind::Combo, Holder::Frame, 285, 1110, 960, 330, nullptr, kYearMonthTip, {}},
    ControlSpec{"lblNext", Kind::Stepper, Holder::Frame, 1245, 1155, 240, 270, u"△", nullptr, {}, kCentred},
    ControlSpec{"cboDay", Kind::Combo, Holder::Frame, 285, 1500, 960, 330, nullptr, kDayTip, {}},
    ControlSpec{"cboHour", Kind::Combo, Holder::Frame, 285, 1890, 960, 330, nullptr, kTimeTip, {}},
    ControlSpec{"cboMin", Kind::Combo, Holder::Frame, 285, 2280, 960, 330, nullptr, kTimeTip, {}},
    ControlSpec{"Label11", Kind::Column, Holder::Frame, 1515, 720, 330, 1890, u"年   月  日  时  分", nullptr, {}},
    ControlSpec{"Label4", Kind::Label, Holder::Frame, 60, 2760, 1800, 285, u"", nullptr, {u"宋体", 9, true}, kCentred},
    ControlSpec{"cboyue", Kind::Combo, Holder::Frame, 285, 2760, 960, 330, nullptr, nullptr, {}},
};

// Label11 names the five lists, one character beside each: its blanks stand for the space between
// them. The characters are drawn at the lists' rows, centred on each (twips from the label's top).
constexpr std::array kColumnRows{165, 555, 945, 1335, 1725};

class ColumnLabel : public forms::Label {
public:
    using forms::Label::Label;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        const QString glyphs = QString(caption()).remove(QLatin1Char(' '));
        const QFontMetrics fm(font());
        for (int i = 0; i < glyphs.size() && i < static_cast<int>(kColumnRows.size()); ++i) {
            const int centre = vb::twipsToPixels(kColumnRows[static_cast<std::size_t>(i)]);
            p.drawText(QRect(0, centre - fm.height() / 2, width(), fm.height()), Qt::AlignCenter, glyphs.mid(i, 1));
        }
    }
};

// Key steps on the grid: days, and months in calendar arithmetic.
struct KeyStep {
    int keyCode;
    int days;
    int months;
};
constexpr std::array kKeySteps{
    KeyStep{forms::vbKeyRight, 1, 0},  KeyStep{forms::vbKeyLeft, -1, 0},     KeyStep{forms::vbKeyDown, 7, 0},
    KeyStep{forms::vbKeyUp, -7, 0},    KeyStep{forms::vbKeyPageDown, 0, 1}, KeyStep{forms::vbKeyPageUp, 0, -1},
};

constexpr std::array<const char16_t*, 7> kWeekdays{u"星期日", u"星期一", u"星期二", u"星期三",
                                                   u"星期四", u"星期五", u"星期六"};

// Colours of a day's text by its lunar text: a leap month's first day, another month's first day,
// any other day.
constexpr vb::OleColor kLeapStartColour = vb::rgb(255, 255, 0);
constexpr vb::OleColor kMonthStartColour = vb::rgb(0, 0, 255);
constexpr vb::OleColor kDayColour = vb::rgb(0, 0, 0);

vb::OleColor dayColour(const QString& lunarText) {
    if (lunarText.contains(QStringLiteral("闰"))) return kLeapStartColour;
    if (lunarText.contains(QStringLiteral("月"))) return kMonthStartColour;
    return kDayColour;
}

bool sameMonth(const vb::Date& a, const vb::Date& b) { return a.year() == b.year() && a.month() == b.month(); }

int roundedTwips(double v) { return static_cast<int>(vb::roundHalfEven(v)); }

}  // namespace

vb::Date Wnl::firstDay() { return vb::Date::fromParts(1882, 3, 1); }
vb::Date Wnl::lastDay() { return vb::Date::fromParts(2031, 12, 31); }
vb::Date Wnl::lastMonthStart() { return vb::Date::fromParts(2031, 12, 1); }

Wnl::Wnl(QWidget* parent) : QWidget(parent), mEngine(*this) {
    setObjectName(QStringLiteral("wnl"));
    setFont(forms::designFont(QStringLiteral("宋体"), 9));
    buildControls();
    connectEvents();
}

Wnl::~Wnl() = default;

void Wnl::buildControls() {
    const QSize size = vb::twipsToPixels(QSizeF(kControlWidth, kControlHeight));
    setFixedSize(size);
    for (const ControlSpec& c : kControls) {
        QWidget* holder = this;
        if (c.holder == Holder::Title) holder = Picture1;
        if (c.holder == Holder::Frame) holder = Frame1;
        const QString name = QString::fromLatin1(c.name);
        QWidget* w = nullptr;
        switch (c.kind) {
            case Kind::Label:
            case Kind::Stepper:
            case Kind::Column: {
                forms::Label* l = c.kind == Kind::Stepper  ? new forms::StepperLabel(holder)
                                  : c.kind == Kind::Column ? new ColumnLabel(holder)
                                                           : new forms::Label(holder);
                l->setCaption(QString::fromUtf16(c.caption));
                l->setAlignment(c.align);
                l->setBackStyle(forms::Label::BackStyle::Transparent);
                w = l;
                break;
            }
            case Kind::Combo:
                w = new forms::ComboBox(holder);
                break;
            case Kind::Picture: {
                auto* p = new forms::PictureBox(holder);
                p->setBorderStyle(forms::PictureBox::BorderStyle::None);
                w = p;
                break;
            }
            case Kind::Frame:
                w = new QGroupBox(holder);
                break;
        }
        w->setObjectName(name);
        if (c.tip) w->setToolTip(QString::fromUtf16(c.tip));
        if (c.font.face) w->setFont(forms::designFont(QString::fromUtf16(c.font.face), c.font.points, c.font.bold));
        forms::setTwipsGeometry(w, c.left, c.top, c.width, c.height);
        if (name == QLatin1String("Picture1")) Picture1 = static_cast<forms::PictureBox*>(w);
        if (name == QLatin1String("Frame1")) Frame1 = static_cast<QGroupBox*>(w);
    }
    const auto combo = [this](const char* n) { return findChild<forms::ComboBox*>(QString::fromLatin1(n)); };
    const auto label = [this](const char* n) { return findChild<forms::Label*>(QString::fromLatin1(n)); };
    const auto stepper = [this](const char* n) { return findChild<forms::StepperLabel*>(QString::fromLatin1(n)); };
    picMonth = findChild<forms::PictureBox*>(QStringLiteral("picMonth"));
    Picweek = findChild<forms::PictureBox*>(QStringLiteral("Picweek"));
    Cboyear = combo("Cboyear");
    cbomonth = combo("cbomonth");
    cboDay = combo("cboDay");
    cboHour = combo("cboHour");
    cboMin = combo("cboMin");
    cbotime = combo("cbotime");
    cboyue = combo("cboyue");
    lblyearprev = stepper("lblyearprev");
    lblyearnext = stepper("lblyearnext");
    lblPrev = stepper("lblPrev");
    lblNext = stepper("lblNext");
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5");
    Label6 = label("Label6");
    Label7 = label("Label7");
    Label8 = label("Label8");
    Label9 = label("Label9");
    Label10 = label("Label10");
    Label11 = label("Label11");
    Label12 = label("Label12");
    Label13 = label("Label13");
    Label14 = label("Label14");
    Label17 = label("Label17");
    LlbTou = label("LlbTou");
    // Label2 is element 1 of a control array of one.
    Label2->setProperty("Index", 1);
    cbotime->hide();
    cboyue->hide();
    picMonth->setFont(forms::designFont(QStringLiteral("宋体"), 9));
    Picweek->setFocusPolicy(Qt::NoFocus);
    Picture1->setFocusPolicy(Qt::NoFocus);
}

void Wnl::connectEvents() {
    connect(picMonth, &forms::PictureBox::mouseDown, this, [this](const forms::MouseArgs& a) {
        guarded([&] { picMonth_MouseDown(a.button, a.shift, a.x, a.y); });
    });
    connect(picMonth, &forms::PictureBox::keyDown, this, [this](forms::KeyArgs& k) {
        guarded([&] { picMonth_KeyDown(k.keyCode, k.shift); });
    });
    connect(cboDay, &forms::ComboBox::clicked, this, [this] { guarded([this] { cboDay_Click(); }); });
    connect(cboHour, &forms::ComboBox::clicked, this, [this] { guarded([this] { cboHour_Click(); }); });
    connect(cboMin, &forms::ComboBox::clicked, this, [this] { guarded([this] { cboMin_Click(); }); });
    connect(Cboyear, &forms::ComboBox::clicked, this, [this] { guarded([this] { Cboyear_Click(); }); });
    connect(cbomonth, &forms::ComboBox::clicked, this, [this] { guarded([this] { cbomonth_Click(); }); });
    connect(cbotime, &forms::ComboBox::clicked, this, [this] { guarded([this] { cbotime_Click(); }); });
    connect(Label17, &forms::Label::clicked, this, [this] { guarded([this] { Label17_Click(); }); });
    // The pillar list stands over the captions only while a pillar is being picked: closed without
    // a pick, it goes too (a pick has hidden it by the time this runs).
    hooks_.install({cbotime->view()->window()}, [this](QObject*, QEvent* event) {
        if (event->type() == QEvent::Hide)
            QTimer::singleShot(0, cbotime, [this] {
                if (!cbotime->view()->window()->isVisible()) cbotime->hide();
            });
        return false;
    });
    connect(Label11, &forms::Label::clicked, this, [this] { guarded([this] { Label11_Click(); }); });
    connect(lblyearprev, &forms::StepperLabel::step, this, [this] { guarded([this] { stepYears(-1); }); });
    connect(lblyearnext, &forms::StepperLabel::step, this, [this] { guarded([this] { stepYears(1); }); });
    connect(lblPrev, &forms::StepperLabel::step, this, [this] { guarded([this] { stepMonths(-1); }); });
    connect(lblNext, &forms::StepperLabel::step, this, [this] { guarded([this] { stepMonths(1); }); });
}

void Wnl::guarded(const std::function<void()>& work) {
    if (!vb::runGuarded(work)) {
        // A failed step must not keep repeating its error.
        for (forms::StepperLabel* s : {lblyearprev, lblyearnext, lblPrev, lblNext}) s->stopRepeat();
    }
}

// --- Public operations ---

void Wnl::Initialise() {
    // Today, held to the supported days so that a clock outside them still finds its year in the list.
    const vb::Date now = mClock();
    mCivilDay = std::clamp(now.datePart(), firstDay(), lastDay());
    core::gChartTime = mCivilDay;
    mTimeText = QStringLiteral("%1-%2").arg(now.hour()).arg(now.minute());

    if (prevInstance()) {
        if (mEndProgram)
            mEndProgram();
        else
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        return;
    }
    fillAndSelect(now.hour(), now.minute());
}

void Wnl::ShowMoment(const vb::Date& moment) {
    mCivilDay = moment.datePart();
    core::gChartTime = mCivilDay;
    mTimeText = QStringLiteral("%1-%2").arg(moment.hour()).arg(moment.minute());
    fillAndSelect(moment.hour(), moment.minute());
}

void Wnl::fillAndSelect(int hour, int minute) {
    // Every list starts unarmed again, as on the first showing.
    mDayArmed = mHourArmed = mMinuteArmed = mYearArmed = false;
    mGridClick = false;
    const QString soundFile = vb::joinPath(vb::programFolder(), QStringLiteral("s2.wav"));
    if (!mClickSound && QFileInfo::exists(soundFile)) {
        mClickSound = new QSoundEffect(this);
        mClickSound->setSource(QUrl::fromLocalFile(soundFile));
    }

    cbomonth->clear();
    Cboyear->clear();
    cboHour->clear();
    cboMin->clear();
    for (int m = 1; m <= 12; ++m) cbomonth->addItem(QString::number(m));
    for (int y = 1882; y <= 2031; ++y) Cboyear->addItem(QString::number(y));
    for (int h = 0; h <= 23; ++h) cboHour->addItem(QString::number(h));
    for (int m = 0; m <= 59; ++m) cboMin->addItem(QString::number(m));
    cbotime->hide();
    cboyue->hide();

    // The first Clicks of the day, year, hour and minute lists only arm them; the month's Click goes
    // to the day already selected.
    FillDays(vb::Date::daysInMonth(mCivilDay.year(), mCivilDay.month()));
    cboDay->setListIndex(mCivilDay.day() - 1);
    Cboyear->setListIndex(mCivilDay.year() - 1882);
    cbomonth->setListIndex(mCivilDay.month() - 1);
    cboHour->setListIndex(hour);
    cboMin->setListIndex(minute);

    mCellWidth = static_cast<int16_t>(roundedTwips(picMonth->scaleWidth() - vb::twipsPerPixelX()) / 7);
    mCellHeight = static_cast<int16_t>(roundedTwips(picMonth->scaleHeight() - vb::twipsPerPixelY()) / 6);

    Picweek_Paint();
    SetSelectedDate();
}

QString Wnl::NianShangQiYue(const QString& yearStem, const QString& number) {
    return mEngine.NianShangQiYue(yearStem, number);
}

QString Wnl::TianGanTouChu(const QString& dayStem, const QString& otherStem) {
    return CalendarEngine::TianGanTouChu(dayStem, otherStem);
}

// --- Selection ---

BirthMoment Wnl::birth() const { return BirthMoment::fromTimeText(mCivilDay, mTimeText); }

void Wnl::shareCountedDay() { core::gChartTime = birth().countedDay(); }

bool Wnl::GoToDate(vb::Date& d) {
    d = d.datePart();
    if (sameMonth(d, mCivilDay)) {
        mCivilDay = d;
        shareCountedDay();
        drawSelectionFrame();
        return false;
    }
    if (d >= lastMonthStart()) d = lastMonthStart();
    if (d <= firstDay()) d = firstDay();
    mCivilDay = d;
    shareCountedDay();
    showCivilDayInLists();
    SetSelectedDate();
    return true;
}

void Wnl::showCivilDayInLists() {
    const bool wasUpdating = mUpdating;
    mUpdating = true;
    Cboyear->setListIndex(mCivilDay.year() - 1882);
    cbomonth->setListIndex(mCivilDay.month() - 1);
    const int n = vb::Date::daysInMonth(mCivilDay.year(), mCivilDay.month());
    if (cboDay->listCount() != n) FillDays(n);
    cboDay->setListIndex(mCivilDay.day() - 1);
    mUpdating = wasUpdating;
}

void Wnl::SetSelectedDate() {
    Label4->setCaption(core::gChartTime.dateText());
    // The birth counts for the next day from 23:00 on; the lists keep the civil day.
    shareCountedDay();
    showCivilDayInLists();
    mUpdating = false;
    // A grid click whose day was selected already raised no Click of cboDay to take this mark, which
    // would then swallow the next choice of an hour or minute.
    mGridClick = false;
    picMonth_Paint();
}

void Wnl::RefreshDayList() {
    const int m = cbomonth->listIndex() + 1;
    const int y = static_cast<int>(vb::val(Cboyear->text().trimmed()));
    if (m < 1 || y < 1882) return;  // a list without selection names no month
    const int n = vb::Date::daysInMonth(y, m);
    vb::Date d = vb::Date::fromParts(y, m, std::min(mCivilDay.day(), n));
    GoToDate(d);
}

void Wnl::FillDays(int n) {
    const bool wasUpdating = mUpdating;
    mUpdating = true;
    cboDay->clear();
    for (int d = 1; d <= n; ++d) cboDay->addItem(QString::number(d));
    mUpdating = wasUpdating;
}

bool Wnl::repeating() const {
    return lblyearprev->isRepeating() || lblyearnext->isRepeating() || lblPrev->isRepeating() ||
           lblNext->isRepeating();
}

// --- The grid ---

int Wnl::firstWeekday() const {
    const vb::Date& shown = core::gChartTime;
    return vb::Date::fromParts(shown.year(), shown.month(), 1).weekday() - 1;
}

void Wnl::picMonth_Paint() {
    const vb::Date shown = core::gChartTime.datePart();
    const vb::Date today = mClock().datePart();
    const bool current = sameMonth(shown, today);
    const BirthMoment b = birth();

    mEngine.LoadCalendarRows(shown);
    mEngine.LunarDateText();
    mLunarText = mEngine.SolarToLunar(shown);

    Label3->setCaption(mLunarText.mid(5, 3));
    Label14->setCaption(mLunarText.mid(12, 3));
    Label5->setCaption(mLunarText.mid(9, 3));
    // From 23:00 the day shown is already the next one, whose pillar the description holds; the
    // pillar of the birth's counted day is the same, so the day is moved on only once.
    const QString lateDay = mEngine.DayStemOfMoment(b);
    if (!lateDay.isEmpty()) Label5->setCaption(lateDay);
    Label2->setCaption(mLunarText.mid(3, 2));
    Label1->setCaption(mLunarText.mid(0, 3));
    Label13->setCaption(mLunarText.mid(8, 1));

    const int n = vb::Date::daysInMonth(shown.year(), shown.month());
    const int first = firstWeekday();
    Label4->setCaption(shown.dateText());

    picMonth->cls();
    mShownMonth = shown;
    const auto& texts = mEngine.dayTexts();
    for (int d = 1; d <= n; ++d) {
        const int p = first + d - 1;
        const double x = (p % 7) * mCellWidth;
        const double y = (p / 7) * mCellHeight;
        const QString& lunar = texts[static_cast<std::size_t>(d - 1)];
        picMonth->setFontBold(current && d == today.day());
        picMonth->setForeColor(dayColour(lunar));
        const QString text = QString::number(d) + lunar;
        picMonth->setCurrentX(x + (mCellWidth - picMonth->textWidth(text)) / 2);
        picMonth->setCurrentY(y + (mCellHeight - picMonth->textHeight(text)) / 2);
        picMonth->print(text, false);
    }
    picMonth->setFontBold(false);

    drawSelectionFrame();
    const QString& selected = texts[static_cast<std::size_t>(shown.day() - 1)];
    Label6->setCaption(selected.contains(QStringLiteral("月")) || selected.contains(QStringLiteral("闰"))
                           ? QStringLiteral("初一")
                           : selected);

    // The birth text names the civil day of the lists; a minute of 0 is written with 11 seconds.
    if (mBornTimeBox) {
        QString born = QStringLiteral("%1-%2-%3 %4:%5")
                           .arg(Cboyear->text(), cbomonth->text(), cboDay->text())
                           .arg(b.hour)
                           .arg(b.minute);
        if (b.minute == 0) born += QStringLiteral(":11");
        mBornTimeBox->setText(born);
    }

    // Hidden before it is refilled, so its own Click cannot take the refill for a choice.
    cbotime->hide();
    mEngine.FillHourPillars(b);
    Label17->setCaption(cbotime->text().left(2) + QStringLiteral("时"));
    emit painted();
}

void Wnl::drawSelectionFrame() {
    const vb::Date& shown = core::gChartTime;
    if (!sameMonth(shown, mShownMonth)) return;  // the next refresh draws the month with its frame
    const int p = firstWeekday() + shown.day() - 1;
    const double x = (p % 7) * mCellWidth;
    const double y = (p / 7) * mCellHeight;
    const double w = mCellWidth;
    const double h = mCellHeight;
    picMonth->line({x, y + h}, {x, y}, vb::vbButtonShadow);
    picMonth->lineTo({x + w, y}, vb::vbButtonShadow);
    picMonth->lineTo({x + w, y + h}, vb::vb3DHighlight);
    picMonth->lineTo({x, y + h}, vb::vb3DHighlight);
}

void Wnl::Picweek_Paint() {
    const int w = roundedTwips(picMonth->scaleWidth() - vb::twipsPerPixelX()) / 7;
    const int h = roundedTwips(picMonth->scaleHeight() - vb::twipsPerPixelY()) / 6;
    Picweek->cls();
    Picweek->setForeColor(vb::vbButtonText);
    for (int i = 0; i < 7; ++i) {
        const QString text = QString::fromUtf16(kWeekdays[static_cast<std::size_t>(i)]);
        Picweek->setCurrentX(i * w + (w - Picweek->textWidth(text)) / 2);
        Picweek->setCurrentY((h - Picweek->textHeight(text)) / 2);
        Picweek->print(text, false);
    }
}

void Wnl::playClick() {
    if (mClickSound && mClickSound->status() != QSoundEffect::Error) mClickSound->play();
}

// --- Event handlers ---

void Wnl::picMonth_MouseDown(int, int, double x, double y) {
    playClick();
    if (mCellWidth <= 0 || mCellHeight <= 0) return;  // not initialised
    // The click is about the month this grid shows (the chart window's and the new-case dialog's
    // calendars may both be open).
    shareCountedDay();
    const int first = firstWeekday();
    // The last pixel column and row lie past the seventh column and sixth row; they count as those.
    const int col = std::clamp(roundedTwips(x) / mCellWidth + 1, 1, 7);
    const int row = std::clamp(roundedTwips(y) / mCellHeight, 0, 5);
    const int day = col + 7 * row - first;
    const vb::Date shown = core::gChartTime;
    mEngine.LoadCalendarRows(shown);
    if (day >= 1 && day <= vb::Date::daysInMonth(shown.year(), shown.month())) {
        vb::Date d = vb::Date::fromParts(shown.year(), shown.month(), day);
        GoToDate(d);
    }
    mGridClick = true;
    SetSelectedDate();
}

void Wnl::picMonth_KeyDown(int& keyCode, int) {
    for (const KeyStep& k : kKeySteps) {
        if (k.keyCode != keyCode) continue;
        vb::Date d = mCivilDay.addMonths(k.months).addDays(k.days);
        // A move within the month brings the lists, the captions and the birth text along as a
        // click does.
        if (!GoToDate(d)) SetSelectedDate();
        keyCode = 0;
        return;
    }
}

void Wnl::cboDay_Click() {
    if (!mDayArmed || mGridClick || mUpdating) {
        mDayArmed = true;
        mGridClick = false;
        return;
    }
    if (cboDay->listIndex() < 0) return;
    vb::Date d = vb::Date::fromParts(mCivilDay.year(), mCivilDay.month(), cboDay->listIndex() + 1);
    GoToDate(d);
    mTimeText = QStringLiteral("%1-%2").arg(cboHour->listIndex()).arg(cboMin->listIndex());
    SetSelectedDate();
}

void Wnl::cboHour_Click() {
    if (!mHourArmed || mGridClick || mUpdating) {
        mHourArmed = true;
        mGridClick = false;
        return;
    }
    mTimeText = QStringLiteral("%1-%2").arg(cboHour->listIndex()).arg(cboMin->listIndex());
    SetSelectedDate();
}

void Wnl::cboMin_Click() {
    if (!mMinuteArmed || mGridClick || mUpdating) {
        mMinuteArmed = true;
        mGridClick = false;
        return;
    }
    mTimeText = QStringLiteral("%1-%2").arg(cboHour->listIndex()).arg(cboMin->listIndex());
    SetSelectedDate();
}

void Wnl::Cboyear_Click() {
    if (mUpdating) return;  // the selection itself moves the lists
    if (!mYearArmed) {
        mYearArmed = true;
        return;
    }
    RefreshDayList();
}

void Wnl::cbomonth_Click() {
    if (mUpdating) return;
    RefreshDayList();
}

void Wnl::Label17_Click() {
    cbotime->show();
    cbotime->raise();
    cbotime->setFocus();
    cbotime->showPopup();
}

void Wnl::cbotime_Click() {
    if (!cbotime->isVisible() || mUpdating || cbotime->listIndex() < 0) return;
    const int hour = 2 * cbotime->listIndex();
    cbotime->hide();
    // The hour list's Click applies the hour.
    cboHour->setListIndex(hour);
}

void Wnl::Label11_Click() {
    // A day in no month the grid can show, so that the move takes its full path.
    mCivilDay = vb::Date::fromParts(1801, 1, 1);
    vb::Date today = mClock();
    GoToDate(today);
}

void Wnl::stepYears(int years) {
    vb::Date d = mCivilDay.addYears(years);
    GoToDate(d);
}

void Wnl::stepMonths(int months) {
    vb::Date d = mCivilDay.addMonths(months);
    GoToDate(d);
}

void Wnl::changeEvent(QEvent* event) {
    // The header and grid take their colours from the palette.
    if (event->type() == QEvent::PaletteChange && mCellWidth > 0) {
        shareCountedDay();
        Picweek_Paint();
        guarded([this] { picMonth_Paint(); });
    }
    QWidget::changeEvent(event);
}

// --- CalendarHost ---

forms::Label* Wnl::captionLabel(CalendarCaption which) const {
    switch (which) {
        case CalendarCaption::Label1: return Label1;
        case CalendarCaption::Label3: return Label3;
        case CalendarCaption::Label5: return Label5;
        case CalendarCaption::Label7: return Label7;
        case CalendarCaption::Label8: return Label8;
        case CalendarCaption::Label9: return Label9;
        case CalendarCaption::Label10: return Label10;
    }
    return Label1;
}

forms::ComboBox* Wnl::list(CalendarList which) const { return which == CalendarList::HourPillars ? cbotime : cboyue; }

QString Wnl::caption(CalendarCaption which) const { return captionLabel(which)->caption(); }

void Wnl::setCaption(CalendarCaption which, const QString& text) { captionLabel(which)->setCaption(text); }

void Wnl::setListEntries(CalendarList which, const QStringList& entries) {
    forms::ComboBox* box = list(which);
    box->clear();
    box->addItems(entries);
}

void Wnl::setListIndex(CalendarList which, int index) { list(which)->setListIndex(index); }

}  // namespace calendar
