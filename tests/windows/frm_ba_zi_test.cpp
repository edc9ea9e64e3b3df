// The chart window opened offscreen on cases of a work database of the test's own: the chart it
// shows against chartdump's for the same moment, the conclusion's round trip, reopening for another
// case, the calendar's late-birth rule, the picture and the printout.
#include "windows/frm_ba_zi.h"

#include "calendar/widgets/wnl.h"
#include "chart/chart_surface.h"
#include "core/globals.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/combobox.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/label.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/unattended_end.h"
#include "tests/support/test_env.h"
#include "tools/chartdump/chart_json.h"
#include "windows/chart_cells_widget.h"
#include "platform/com/host/control_host.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QPrinterInfo>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using windows::FrmBaZi;

struct Case {
    const char* moment;  // as chartdump --solar takes it
    bool male;
    const char* why;
};

// A birth whose palace at 申 receives fourteen stars.
constexpr const char* kCrowdedMoment = "1955-03-09T04:52";
constexpr bool kCrowdedMale = false;

// A birth after 23:00, a woman, and the crowded palace.
const Case kCases[] = {
    {"2001-05-09T23:30", true, "late birth"},
    {"1990-06-06T08:15", false, "female"},
    {kCrowdedMoment, kCrowdedMale, "a palace of more than twelve stars"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.moment << (c.male ? " male, " : " female, ") << c.why; }

vb::Date momentOf(const QString& text) {
    const QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm"));
    return vb::Date::fromParts(dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(), dt.time().minute());
}

QJsonObject chartdump(const Case& c) {
    QProcess dump;
    dump.start(testenv::programDir() + QStringLiteral("/chartdump"),
               {QStringLiteral("--solar"), QString::fromLatin1(c.moment), QString::fromLatin1(c.male ? "male" : "female")});
    EXPECT_TRUE(dump.waitForFinished(60000));
    EXPECT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
}

// A work folder with table codefiles and two cases.
class ChartWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        core::gWorkPath = folder_.path() + QStringLiteral("/");
        dao::Database db = dao::DBEngine::createDatabase(core::workDatabasePath(core::gWorkPath));
        db.execute(QString::fromUtf16(core::kCodeFilesTableDdl));
        db.execute(QStringLiteral("INSERT INTO codefiles (CodeID, NAME, xingbie, borntime, jielun) VALUES (1, '甲', '男', '2001-5-9 23:30', '甲的旧结论')"));
        db.execute(QStringLiteral("INSERT INTO codefiles (CodeID, NAME, xingbie, borntime, jielun) VALUES (1, '乙', '女', '1990-6-6 8:15', NULL)"));
        db.execute(QStringLiteral("INSERT INTO codefiles (CodeID, NAME, xingbie, borntime, jielun) VALUES (1, '丙', '女', '1970-1-1 1:00', '丙的结论')"));
        db.close();
        core::gCodeID = 0;
    }
    void TearDown() override {
        forms::unloadAll(forms::vbFormCode);
        forms::deleteUnloadedForms();
        core::gWorkDB = dao::Database();
        dao::DBEngine::closeIdleHandles();
    }

    QString conclusionOf(int id) {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::workDatabasePath(core::gWorkPath));
        dao::Recordset rs = db.openRecordset(QStringLiteral("SELECT jielun FROM codefiles WHERE id=") + QString::number(id),
                                             dao::dbOpenSnapshot);
        const vb::Variant v = rs.value(QStringLiteral("jielun"));
        return v.isNull() ? QStringLiteral("(null)") : v.toString();
    }

    static forms::Label* calendarLabel(FrmBaZi& w, const char* name) {
        return w.calendarControl()->findChild<forms::Label*>(QLatin1String(name));
    }
    static forms::ComboBox* calendarList(FrmBaZi& w, const char* name) {
        return w.calendarControl()->findChild<forms::ComboBox*>(QLatin1String(name));
    }

    vb::MsgBoxScript boxes_;
    QTemporaryDir folder_;
};

class ChartWindowCases : public ChartWindow, public ::testing::WithParamInterface<Case> {};

TEST_P(ChartWindowCases, ShowsTheChartThatChartdumpBuildsForTheMoment) {
    const Case& c = GetParam();
    ASSERT_TRUE(windows::openCase(momentOf(QString::fromLatin1(c.moment)), c.male, 2, QStringLiteral("乙")));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->lblXMing()->caption(), "乙");
    EXPECT_EQ(boxes_.count(), 0) << boxes_.last().text.toStdString();

    const QJsonObject expected = chartdump(c);
    const QJsonObject shown = chartdump::chartToJson(*w->picMain(), QString());
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(shown, expected) << QJsonDocument(shown).toJson().toStdString() << "\nchartdump:\n"
                               << QJsonDocument(expected).toJson().toStdString();

    // What the surface reads is what the labels on screen show, in the cell of their palace.
    for (int p = 0; p < chart::kPalaceCount; ++p) {
        QLabel* name = w->picMain()->label(chart::Control::lblSEG, p);
        EXPECT_TRUE(name->isVisible());
        EXPECT_EQ(name->parentWidget(), w->picMain()->palaceCell(p));
        EXPECT_EQ(name->text(), expected[QStringLiteral("palaces")].toArray()[p].toObject()[QStringLiteral("lblSEG")].toString());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartWindowCases, ::testing::ValuesIn(kCases));

TEST_F(ChartWindow, CrowdedPalaceShowsEveryStar) {
    ASSERT_TRUE(windows::openCase(momentOf(QString::fromLatin1(kCrowdedMoment)), kCrowdedMale, 2, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    int most = 0;
    for (int p = 0; p < chart::kPalaceCount; ++p) {
        int stars = 0;
        for (int s = 0; s < chart::kAllSlotsPerPalace; ++s)
            if (s % 12 < 6 && !w->picMain()->caption(chart::Control::lblZX, chart::starSlot(p, s)).isEmpty()) {
                ++stars;
                EXPECT_TRUE(w->picMain()->label(chart::Control::lblZX, chart::starSlot(p, s))->isVisible());
            }
        most = std::max(most, stars);
    }
    EXPECT_GT(most, 12);
}

TEST_F(ChartWindow, LateBirthMovesTheDayOnceAndLabel4ShowsTheEnteredMoment) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QStringLiteral("甲")));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    const QString caption = w.picMain()->caption(chart::Control::lblCHUsh);
    EXPECT_TRUE(caption.startsWith(QStringLiteral("二ＯＯ一（辛巳）年"))) << caption.toStdString();
    EXPECT_EQ(calendarLabel(w, "Label4")->caption(), "2001-05-09 23:30");
    EXPECT_EQ(core::gChartTime.datePart(), vb::Date::fromParts(2001, 5, 10));

    // Repaints and the chart button move nothing further.
    w.calendarControl()->SetSelectedDate();
    w.Command1_Click();
    w.Command1_Click();
    EXPECT_EQ(core::gChartTime.datePart(), vb::Date::fromParts(2001, 5, 10));
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblCHUsh), caption);
    EXPECT_EQ(calendarLabel(w, "Label4")->caption(), "2001-05-09 23:30");

    // Another day picked changes the captions, but the chart only with Command1.
    calendarList(w, "cboDay")->setListIndex(19);
    EXPECT_EQ(calendarLabel(w, "Label4")->caption(), "2001-05-20 23:30");
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblCHUsh), caption);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    EXPECT_NE(w.picMain()->caption(chart::Control::lblCHUsh), caption);
    EXPECT_EQ(core::gChartTime.datePart(), vb::Date::fromParts(2001, 5, 21));
}

TEST_F(ChartWindow, TheNameStandsAfterItsCaptionInsideTheChartAndItsPicture) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QStringLiteral("乙")));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    QLabel* who = w.picMain()->label(chart::Control::lblWho);
    const QRect name(w.lblXMing()->mapTo(w.picMain(), QPoint(0, 0)), w.lblXMing()->size());
    EXPECT_TRUE(w.picMain()->rect().contains(name)) << "the name lies inside picMain";
    EXPECT_TRUE(w.lblXMing()->isVisible());
    const QRect caption(who->mapTo(w.picMain(), QPoint(0, 0)), who->size());
    EXPECT_EQ(name.y(), caption.y());
    EXPECT_GE(name.left(), caption.right()) << "after \"姓名：\"";
    // The whole name shows: nine characters, the most the new-case dialog takes.
    w.lblXMing()->setCaption(QStringLiteral("欧阳九个字的名字啊"));
    EXPECT_LE(w.lblXMing()->fontMetrics().horizontalAdvance(w.lblXMing()->caption()), name.width());

    w.lblXMing()->setCaption(QStringLiteral("乙"));
    w.MnuJT_Click();
    const QImage first = w.capturedPicture().toImage();
    w.lblXMing()->setCaption(QStringLiteral("丁"));
    w.MnuJT_Click();
    EXPECT_NE(w.capturedPicture().toImage(), first) << "the saved picture shows the name";
    EXPECT_EQ(QImage(FrmBaZi::picturePath()).size(), first.size());
}

TEST_F(ChartWindow, SexChangesTheChartAtTheNextCommand1) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), true, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳男");
    EXPECT_FALSE(w.cboXing()->isVisible());
    w.Label11_DblClick();
    EXPECT_TRUE(w.cboXing()->isVisible());
    w.cboXing()->setListIndex(1);
    EXPECT_FALSE(core::gIsMale);
    EXPECT_FALSE(w.cboXing()->isVisible());
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳男");
    w.Command1_Click();
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳女");
}

// The new-case dialog, opened while a chart is shown, sets the shared sex to male as it loads: the
// chart window's next build keeps the sex its own list shows.
TEST_F(ChartWindow, ABuildKeepsTheSexTheWindowShowsWhateverAnotherWindowSetMeanwhile) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    ASSERT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳女");
    core::gIsMale = true;
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳女");
    EXPECT_FALSE(core::gIsMale) << "the shared sex is the shown case's again";
}

TEST_F(ChartWindow, TheSexListOpensWithTheMouseAndItsPickCountsAsByKeyboard) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), true, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    forms::Label* sex = w.findChild<forms::Label*>(QStringLiteral("Label11"));
    ASSERT_NE(sex, nullptr);
    // Scrolled to the calendar column, where the sex caption is.
    w.HScroll()->setValue(w.HScroll()->maximum());
    QTest::mouseDClick(sex, Qt::LeftButton);
    forms::ComboBox* list = w.cboXing();
    ASSERT_TRUE(list->isVisible());

    QTest::mouseClick(list, Qt::LeftButton);
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->window()->isVisible(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(list->isVisible()) << "its own popup took the focus: the list stays";
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    // Near the item's left edge: the popup may be narrower than the view's own idea of its items.
    const QRect female = view->visualRect(list->model()->index(1, 0));
    const QPoint at(female.left() + 8, female.center().y());
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }));

    EXPECT_EQ(list->listIndex(), 1);
    EXPECT_FALSE(core::gIsMale);
    EXPECT_FALSE(list->isVisible()) << "a pick hides the list, as by keyboard";
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblYinY), "阳女");
}

TEST_F(ChartWindow, ConclusionRoundTripsThroughTheWorkDatabase) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QStringLiteral("甲")));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "甲的旧结论");
    w->txtJieLun()->setPlainText(QStringLiteral("命宫紫微天府同宫，格局稳重。"));
    EXPECT_TRUE(w->Unload(forms::vbFormControlMenu));
    EXPECT_EQ(conclusionOf(1), "命宫紫微天府同宫，格局稳重。");
    EXPECT_EQ(core::gCurrentFileID, 0);
    EXPECT_EQ(core::gCodeID, -1);
    EXPECT_TRUE(core::gWorkDB.isOpen());

    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QStringLiteral("甲")));
    EXPECT_EQ(forms::loadedInstance<FrmBaZi>()->txtJieLun()->toPlainText(), "命宫紫微天府同宫，格局稳重。");
}

TEST_F(ChartWindow, ReopeningForAnotherCaseKeepsBothConclusionsApart) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QStringLiteral("甲")));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    const QString firstChart = w->picMain()->caption(chart::Control::lblCHUsh);
    w->txtJieLun()->setPlainText(QStringLiteral("甲的新结论"));

    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QStringLiteral("乙")));
    EXPECT_EQ(forms::loadedInstance<FrmBaZi>(), w) << "the window is reloaded, not made anew";
    EXPECT_EQ(conclusionOf(1), "甲的新结论");
    EXPECT_EQ(w->shownFileId(), 2);
    EXPECT_EQ(w->lblXMing()->caption(), "乙");
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "");
    EXPECT_NE(w->picMain()->caption(chart::Control::lblCHUsh), firstChart);
    EXPECT_EQ(w->picMain()->caption(chart::Control::lblYinY), "阳女");
    EXPECT_EQ(calendarLabel(*w, "Label4")->caption(), "1990-06-06 8:15");

    w->txtJieLun()->setPlainText(QStringLiteral("乙的结论"));
    w->Unload();
    EXPECT_EQ(conclusionOf(1), "甲的新结论");
    EXPECT_EQ(conclusionOf(2), "乙的结论");
    EXPECT_EQ(conclusionOf(3), "丙的结论");
}

TEST_F(ChartWindow, OpeningTheShownCaseAgainKeepsWhatIsTypedAndBringsItBack) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    w->txtJieLun()->setPlainText(QStringLiteral("未存的字"));
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QString()));
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "未存的字");
    // Minimised meanwhile, it comes back: a double-click in the case list shows something.
    w->showMinimized();
    QTest::qWait(0);
    ASSERT_TRUE(w->isMinimized());
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(2001, 5, 9, 23, 30), true, 1, QString()));
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "未存的字");
}

TEST_F(ChartWindow, CaseWithoutIdStoresNothingAndADeletedCaseIsReported) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 0, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "");
    w->txtJieLun()->setPlainText(QStringLiteral("无处可存"));
    w->Unload();
    EXPECT_EQ(conclusionOf(3), "丙的结论") << "the last row is some other case";
    EXPECT_EQ(boxes_.count(), 0);

    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    w = forms::loadedInstance<FrmBaZi>();
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::workDatabasePath(core::gWorkPath));
        db.execute(QStringLiteral("DELETE FROM codefiles WHERE id=2"));
    }
    w->txtJieLun()->setPlainText(QStringLiteral("迟到的结论"));
    EXPECT_TRUE(w->Unload());
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "该命例已被删除，结论未保存");
    EXPECT_EQ(conclusionOf(3), "丙的结论");
}

TEST_F(ChartWindow, BirthOutsideTheCalendarIsToldAndNotOpened) {
    for (const vb::Date& d : {vb::Date::fromParts(1882, 2, 28, 12, 0), vb::Date::fromParts(2032, 1, 1, 0, 0)}) {
        boxes_.clear();
        EXPECT_FALSE(windows::openCase(d, true, 1, QString()));
        EXPECT_EQ(forms::loadedInstance<FrmBaZi>(), nullptr);
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("不在万年历的范围"))) << boxes_.last().text.toStdString();
    }
    EXPECT_TRUE(windows::openCase(vb::Date::fromParts(2031, 12, 31, 22, 0), true, 1, QString()));
}

TEST_F(ChartWindow, ConclusionTakesTwoHundredFiftyCharacters) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    const QString full = QStringLiteral("命").repeated(250);
    w->txtJieLun()->setPlainText(full);
    EXPECT_EQ(boxes_.count(), 0);
    w->txtJieLun()->setFocus();
    w->txtJieLun()->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->txtJieLun(), QStringLiteral("x"));
    EXPECT_EQ(w->txtJieLun()->toPlainText(), full);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "请将输入的字符限制在于250个以内！");
}

TEST_F(ChartWindow, Label18GoesToThePresentWithoutRebuilding) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    auto* label18 = w.calendarControl()->findChild<forms::Label*>(QStringLiteral("Label18"));
    ASSERT_NE(label18, nullptr);
    EXPECT_EQ(label18->caption(), "年  月  日  时  分");
    const QString chart = w.picMain()->caption(chart::Control::lblCHUsh);
    const vb::Date before = vb::Date::now();
    QTest::mouseClick(label18, Qt::LeftButton);
    const vb::Date today = vb::Date::today();
    if (today <= vb::Date::fromParts(2031, 12, 1)) {
        EXPECT_EQ(w.calendarControl()->civilDay(), today);
        EXPECT_EQ(calendarList(w, "cboHour")->listIndex(), before.hour());
    }
    EXPECT_EQ(w.picMain()->caption(chart::Control::lblCHUsh), chart);
}

TEST_F(ChartWindow, CalendarCaptionsAndFiveTigers) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 0, 0), true, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    EXPECT_EQ(calendarList(w, "cboHour")->listIndex(), 0);
    EXPECT_EQ(calendarList(w, "cboMin")->listIndex(), 0);
    EXPECT_EQ(w.calendarControl()->timeText(), "0-0");
    EXPECT_TRUE(w.picMain()->caption(chart::Control::lblCHUsh).startsWith(QStringLiteral("一九九Ｏ（庚午）年")));
    // June's terms: 芒种 and 夏至, with their times in the window's own two captions.
    EXPECT_EQ(calendarLabel(w, "Label7")->caption(), "芒种：");
    EXPECT_EQ(calendarLabel(w, "Label8")->caption(), "夏至：");
    const QString jie = calendarLabel(w, "Label9")->caption();
    auto* hour1 = w.findChild<forms::Label*>(QStringLiteral("lblhour1"));
    EXPECT_TRUE(jie.endsWith(hour1->caption())) << jie.toStdString() << " / " << hour1->caption().toStdString();
    EXPECT_FALSE(hour1->caption().isEmpty());
    EXPECT_EQ(w.NianShangQiYue(QStringLiteral("己"), QStringLiteral("十二")), "丁丑");
    EXPECT_EQ(w.NianShangQiYue(QStringLiteral("戊"), QStringLiteral("一")), "甲寅");
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("紫微斗数命盘       ......下载地址：https://")));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("example.org")));
}

TEST_F(ChartWindow, PictureIsSavedFromTheChartItselfAndPrintedToPdf) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    w.VScroll()->setValue(w.VScroll()->maximum() / 2);
    const QPoint view = w.picbox()->pos();

    for (int round = 0; round < 2; ++round) {
        boxes_.clear();
        w.MnuJT_Click();
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_EQ(boxes_.last().text, QStringLiteral("当前命盘图已保存在") + FrmBaZi::picturePath() + QStringLiteral("（同时放入了剪贴板）"));
    }
    EXPECT_TRUE(FrmBaZi::picturePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    const QImage saved(FrmBaZi::picturePath());
    ASSERT_FALSE(saved.isNull());
    const QImage chart = w.picMain()->grab().toImage().convertToFormat(saved.format());
    EXPECT_EQ(saved, chart);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), chart.size());
    EXPECT_EQ(w.picbox()->pos(), view);

    QTemporaryDir out;
    const QString pdf = out.path() + QStringLiteral("/chart.pdf");
    w.setPrintFile(pdf);
    boxes_.clear();
    w.MnuPrIn_Click();
    EXPECT_EQ(boxes_.count(), 0);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Subtype /Image")) << "the chart is in the printout";
    EXPECT_EQ(w.picbox()->pos(), view) << "after printing the view is where it was";
}

TEST_F(ChartWindow, WithoutADefaultPrinterThePrintDialogOffersAPdfFile) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a default printer";
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    QTemporaryDir out;
    const QString pdf = out.path() + QStringLiteral("/chosen.pdf");
    forms::DialogScript dialogs;
    dialogs.answer(forms::DialogAnswer::printer(pdf));
    boxes_.clear();
    QAction* print = w.findChild<QAction*>(QStringLiteral("MnuPrIn"));
    ASSERT_NE(print, nullptr);
    print->trigger();
    EXPECT_EQ(boxes_.count(), 0) << "no dead end";
    ASSERT_EQ(dialogs.count(), 1);
    EXPECT_EQ(dialogs.last().kind, forms::DialogKind::Printer);
    EXPECT_EQ(dialogs.last().title, "打印");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/Subtype /Image")) << "the chart is in the printout";

    // Cancelled: nothing printed, nothing said.
    dialogs.answer(forms::DialogAnswer::cancel());
    print->trigger();
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(ChartWindow, ScrollRangesReachTheFarEdgesAndATinyWindowGivesNoNegativeSizes) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    w.AlignScrollBars();
    w.HScroll()->setValue(w.HScroll()->maximum());
    w.VScroll()->setValue(w.VScroll()->maximum());
    const QRect surface = forms::twipsGeometry(w.picbox());
    const QRect h = forms::twipsGeometry(w.HScroll());
    const QRect v = forms::twipsGeometry(w.VScroll());
    EXPECT_EQ(surface.x() + surface.width(), v.x()) << "the right edge meets the vertical bar";
    EXPECT_EQ(surface.y() + surface.height(), h.y()) << "the bottom edge meets the horizontal bar";
    EXPECT_EQ(h.width(), w.ScaleWidth() - forms::twipsGeometry(w.lblFiller()).width());
    EXPECT_EQ(v.height(), w.ScaleHeight() - forms::twipsGeometry(w.lblFiller()).height());

    w.setClientSize(150, 150);
    w.AlignScrollBars();
    for (QWidget* bar : {static_cast<QWidget*>(w.HScroll()), static_cast<QWidget*>(w.VScroll())}) {
        EXPECT_GE(bar->width(), 0);
        EXPECT_GE(bar->height(), 0);
        EXPECT_GE(bar->x(), 0);
        EXPECT_GE(bar->y(), 0);
    }
}

}  // namespace

namespace {

TEST_F(ChartWindow, ShownDirectlyWithABirthOutsideTheCalendarClosesAgain) {
    core::gChartTime = vb::Date::fromParts(1880, 1, 1, 10, 0);
    core::gCurrentFileID = 1;
    // The window unloads and deletes itself once the event loop runs: only a guarded pointer may
    // look at it afterwards.
    QPointer<FrmBaZi> w = &forms::defaultInstance<FrmBaZi>();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("不在万年历的范围")));
    QTest::qWait(10);
    forms::deleteUnloadedForms();
    EXPECT_TRUE(w.isNull()) << "the window is gone";
    EXPECT_EQ(forms::loadedInstance<FrmBaZi>(), nullptr);
    EXPECT_EQ(conclusionOf(1), "甲的旧结论") << "nothing was shown, so nothing is stored";
}

TEST_F(ChartWindow, AConclusionThatCannotBeStoredKeepsTheWindowOpenForTheUser) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    w->txtJieLun()->setPlainText(QStringLiteral("要紧的结论"));
    dao::DBEngine::closeIdleHandles();
    ASSERT_TRUE(QFile::remove(core::workDatabasePath(core::gWorkPath)));

    EXPECT_FALSE(w->Unload(forms::vbFormControlMenu));
    EXPECT_FALSE(w->isUnloaded());
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmBaZi::SaveConclusion"))) << boxes_.last().text.toStdString();
    EXPECT_EQ(w->txtJieLun()->toPlainText(), "要紧的结论");

    // The program's end does not wait.
    EXPECT_TRUE(w->Unload(forms::vbFormCode));
    EXPECT_EQ(core::gCurrentFileID, 0);
}

TEST_F(ChartWindow, AnUnattendedEndKeepsAConclusionThatCannotBeStoredInARecoveryFile) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi* w = forms::loadedInstance<FrmBaZi>();
    w->txtJieLun()->setPlainText(QStringLiteral("信号来时未存的结论"));
    dao::DBEngine::closeIdleHandles();
    ASSERT_TRUE(QFile::remove(core::workDatabasePath(core::gWorkPath)));

    vb::beginUnattendedEnd();
    const bool unloaded = w->Unload(forms::vbFormOwner);
    const QStringList notes = vb::unattendedNotes();
    vb::resetUnattendedEnd();
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(boxes_.count(), 0) << "no box, not even a scripted one";
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes.front().endsWith(QStringLiteral(" frmBaZi::SaveConclusion"))) << notes.front().toStdString();
    const QDir recovery(vb::joinPath(vb::configFolder(), QStringLiteral("recovery")));
    const QStringList kept = recovery.entryList({QStringLiteral("*-conclusion-*.txt")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    QFile text(recovery.filePath(kept.front()));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(text.readAll()), QStringLiteral("信号来时未存的结论"));
    text.remove();
}

}  // namespace

namespace {

TEST_F(ChartWindow, APictureThatCannotBeSavedIsReported) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    // A folder in the file's place: the save cannot succeed.
    QFile::remove(FrmBaZi::picturePath());
    ASSERT_TRUE(QDir().mkpath(FrmBaZi::picturePath()));
    w.MnuJT_Click();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, QStringLiteral("命盘图未能保存到") + FrmBaZi::picturePath());
    QDir(FrmBaZi::picturePath()).removeRecursively();
}

}  // namespace

namespace {

TEST_F(ChartWindow, SplitterSharesTheAnnotationAndConclusionArea) {
    ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), false, 2, QString()));
    FrmBaZi& w = *forms::loadedInstance<FrmBaZi>();
    ASSERT_NE(w.splitter(), nullptr);
    EXPECT_EQ(boxes_.count(), 0);
    QWidget* panes = w.splitter()->window();
    QTest::qWait(20);  // the control lays its panes out when it paints
    EXPECT_EQ(w.txtDuiZao()->parentWidget(), panes);
    EXPECT_EQ(w.txtJieLun()->parentWidget(), panes);
    EXPECT_TRUE(w.txtDuiZao()->isVisible());
    EXPECT_TRUE(w.txtJieLun()->isVisible());
    EXPECT_LT(w.txtDuiZao()->geometry().bottom(), w.txtJieLun()->geometry().top()) << "one pane above the other";
    EXPECT_EQ(w.txtDuiZao()->width(), w.txtJieLun()->width());
}

}  // namespace
