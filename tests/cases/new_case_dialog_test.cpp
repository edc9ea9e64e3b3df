// The new-case dialog: entry limits, sex, OK storing the case under the item it was opened for, the
// failures of OK said aloud, and the close steps.
#include "calendar/widgets/wnl.h"
#include "core/globals.h"
#include "library/frm_calendar.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/listview.h"
#include "platform/vb/folders.h"
#include "windows/frm_ba_zi.h"
#include "tests/cases/case_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class NewCaseDialogTest : public CaseWindowTest {
protected:
    library::FrmCalendar& open(int item = 3) {
        library::showFrmcalendar(item);
        return *forms::loadedInstance<library::FrmCalendar>();
    }
    // Picks 1990-06-06 in the calendar.
    static void pickBirth(library::FrmCalendar& d) {
        vb::Date day = vb::Date::fromParts(1990, 6, 6);
        d.wnlqd()->GoToDate(day);
    }
};

TEST_F(NewCaseDialogTest, EntryLimitsUndoTheExcess) {
    library::FrmCalendar& d = open();
    struct Case {
        QLineEdit* box;
        QString accepted;
        QString refusedExtra;
        const char* message;
    };
    const QString nineHan = QStringLiteral("紫微天机太阳武曲天同");
    const Case cases[] = {
        {d.txtnume(), nineHan.left(9), QStringLiteral("廉"), "请将输入的字符限制在于18个以内！"},
        {d.txtnume(), QString(18, u'a'), QStringLiteral("b"), "请将输入的字符限制在于18个以内！"},
        {d.txtaddress(), QString(125, u'路'), QStringLiteral("号"), "请将输入的字符限制在于250个以内！"},
        {d.txtWhy(), QString(250, u'问'), QStringLiteral("事"), "请将输入的字符限制于250个以内！"},
    };
    for (const Case& c : cases) {
        c.box->clear();
        boxes_.clear();
        c.box->setText(c.accepted);
        EXPECT_EQ(boxes_.count(), 0) << c.box->objectName().toStdString();
        c.box->setFocus();
        c.box->end(false);
        typeText(c.box, c.refusedExtra);
        EXPECT_EQ(c.box->text(), c.accepted) << c.box->objectName().toStdString();
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_EQ(boxes_.last().text, c.message);
    }
    d.txttel()->setText(QString(25, u'1'));
    EXPECT_EQ(d.txttel()->text().size(), 20);
}

TEST_F(NewCaseDialogTest, OkStoresTheCaseUnderTheItemItWasOpenedFor) {
    // The click that OK plays is shipped beside the program.
    EXPECT_TRUE(QFile::exists(vb::joinPath(vb::programFolder(), QStringLiteral("tap.wav"))));
    library::FrmCalendar& d = open(3);
    EXPECT_TRUE(d.opXingbie1()->isChecked());
    EXPECT_TRUE(core::gIsMale);
    pickBirth(d);
    const QString born = d.txtborntime()->text();
    ASSERT_TRUE(born.startsWith(QStringLiteral("1990-6-6 ")));
    typeText(d.txtnume(), QStringLiteral("张三"));
    QTest::mouseClick(d.opXingbie2(), Qt::LeftButton);
    EXPECT_FALSE(core::gIsMale);
    d.txtWhy()->setText(QStringLiteral("问财运"));
    d.txtaddress()->setText(QStringLiteral("某市某路1号"));
    d.txttel()->setText(QStringLiteral("010-1234"));
    // The case list had the focus meanwhile and took the reload signal back to 0.
    core::gCodeID = 0;
    QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
    EXPECT_EQ(core::gCodeID, -1);
    ASSERT_EQ(caseCount(3), 1);
    ASSERT_EQ(caseCount(0), 0);

    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select * from codefiles where codeid = 3"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs.value("name").toString(), "张三");
    EXPECT_EQ(rs.value("xingbie").toString(), "女");
    EXPECT_EQ(rs.value("borntime").toString(), born);
    EXPECT_EQ(rs.value("why").toString(), "问财运");
    EXPECT_EQ(rs.value("address").toString(), "某市某路1号");
    EXPECT_EQ(rs.value("tel").toString(), "010-1234");
    vb::Date birth;
    ASSERT_TRUE(vb::Date::parse(born, &birth));
    EXPECT_EQ(rs.value("guatime").toDate(), birth);
    EXPECT_FALSE(rs.value("savetime").isNull());
    const int id = rs.value("id").toLong();
    rs.close();
    // The new row is the case the chart window opens on.
    windows::FrmBaZi* chart = forms::loadedInstance<windows::FrmBaZi>();
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->shownFileId(), id);
    EXPECT_EQ(chart->shownBirth(), birth);
    EXPECT_EQ(core::gCurrentFileID, id);
}

TEST_F(NewCaseDialogTest, AFailedOkSaysWhyAndKeepsTheEntries) {
    library::FrmCalendar& d = open(3);
    d.txtnume()->setText(QStringLiteral("李四"));
    d.txtborntime()->setText(QString());
    boxes_.clear();
    QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "请在万年历中选择出生时间");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.txtnume()->text(), "李四");
    EXPECT_EQ(caseCount(3), 0);

    // A database that cannot take the row: the error is shown, nothing is stored.
    pickBirth(d);
    core::gWorkDB.execute(QStringLiteral("alter table codefiles rename to codefiles_away"));
    boxes_.clear();
    QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("frmcalendar::cmdok_Click")));
    EXPECT_TRUE(d.isVisible());
    core::gWorkDB.execute(QStringLiteral("alter table codefiles_away rename to codefiles"));
    EXPECT_EQ(caseCount(3), 0);
}

struct BirthTextCase {
    const char* text;
    const char* message;  // words of the refusal; null: the text is taken
};

class BirthTextTest : public NewCaseDialogTest, public ::testing::WithParamInterface<BirthTextCase> {};

TEST_P(BirthTextTest, OkTakesOnlyAWholeBirthWithinTheCalendar) {
    library::FrmCalendar& d = open(3);
    d.txtnume()->setText(QStringLiteral("赵六"));
    d.txtborntime()->setText(QString::fromUtf8(GetParam().text));
    boxes_.clear();
    QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    if (!GetParam().message) {
        EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
        EXPECT_EQ(caseCount(3), 1);
        return;
    }
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QString::fromUtf8(GetParam().message))) << boxes_.last().text.toStdString();
    EXPECT_EQ(caseCount(3), 0) << "nothing is written";
    ASSERT_EQ(forms::loadedInstance<library::FrmCalendar>(), &d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.txtnume()->text(), "赵六");
    EXPECT_EQ(d.txtborntime()->text(), QString::fromUtf8(GetParam().text));
    EXPECT_EQ(forms::loadedInstance<windows::FrmBaZi>(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Texts, BirthTextTest,
                         ::testing::Values(BirthTextCase{"8:30", "出生时间“8:30”不完整"},
                                           BirthTextCase{"1990-6-6", "出生时间“1990-6-6”不完整"},
                                           BirthTextCase{"1990-6-6 8", "请在万年历中选择出生时间"},
                                           BirthTextCase{"1882-2-28 23:59", "不在万年历的范围"},
                                           BirthTextCase{"1801-1-1 8:30", "不在万年历的范围"},
                                           BirthTextCase{"2032-1-1 0:00", "不在万年历的范围"},
                                           BirthTextCase{"1882-3-1 0:11", nullptr},
                                           BirthTextCase{"2031-12-31 23:30", nullptr}));

TEST_F(NewCaseDialogTest, ARequestFromAnotherItemsListFilesTheCaseUnderThatItem) {
    library::FrmCalendar& d = open(3);
    pickBirth(d);
    d.txtnume()->setText(QStringLiteral("孙七"));
    // The user turns to item 2's case list and asks for a new case there.
    library::showFrmcalendar(2);
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), &d);
    EXPECT_EQ(d.itemId(), 2);
    EXPECT_EQ(d.txtnume()->text(), "孙七") << "the entries stay";
    QTest::mouseClick(d.cmdok(), Qt::LeftButton);
    EXPECT_EQ(caseCount(2), 1);
    EXPECT_EQ(caseCount(3), 0);
}

TEST_F(NewCaseDialogTest, CancelClosesAndSignalsTheList) {
    library::FrmCalendar& d = open(3);
    core::gCodeID = 3;
    QTest::mouseClick(d.cmdcancel(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
    EXPECT_EQ(core::gCodeID, -1);
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(caseCount(3), 0);
}

TEST_F(NewCaseDialogTest, TheCalendarMenuEntryIsHiddenAndOpensNoForm) {
    QAction* entry = window_->menuEntry(QStringLiteral("MnuWanNian"));
    EXPECT_FALSE(entry->isVisible());
    EXPECT_FALSE(entry->isEnabled());
    window_->EnableLibraryCommands(true);
    EXPECT_FALSE(entry->isEnabled()) << "the library's commands do not include it";
    entry->trigger();
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
}

TEST_F(NewCaseDialogTest, OpenedWithoutAnItemItAsksForOne) {
    library::showFrmcalendar(0);
    library::FrmCalendar* d = forms::loadedInstance<library::FrmCalendar>();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->itemId(), 0);
    pickBirth(*d);
    boxes_.clear();
    QTest::mouseClick(d->cmdok(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(caseCount(0), 0);
}

}  // namespace
