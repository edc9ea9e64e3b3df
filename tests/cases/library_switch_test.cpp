// Switching or copying the library while windows show parts of it: on a switch the chart window
// stores its conclusion in its own library and closes, the new-case dialog closes (asking first when
// it holds entries), and a conclusion that cannot be stored keeps the library as it is; a backup holds
// the page and the conclusion on screen.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "library/frm_calendar.h"
#include "library/frm_library_folder.h"
#include "platform/dao/dao.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/listview.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/folders.h"
#include "windows/frm_ba_zi.h"
#include "tests/cases/case_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

constexpr char kConclusion[] = "命宫天府坐守，财帛宫武曲化禄，宜守成。";

class LibrarySwitchTest : public CaseWindowTest {
protected:
    void SetUp() override {
        CaseWindowTest::SetUp();
        libraryA_ = core::gWorkPath;
        // Library B is another copy of the shipped library (as is a new one, made from the template):
        // it has case 1 too, under item 4.
        libraryB_ = dataPath(QStringLiteral("另一个库/"));
        QDir().mkpath(libraryB_);
        ASSERT_TRUE(QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")),
                                libraryB_ + QStringLiteral("dirovovivov.mdb")));
        conclusionOfB_ = conclusion(libraryB_, 1);
    }

    // The stored conclusion of case `id` in the library of `folder`, by a connection of its own.
    static QString conclusion(const QString& folder, int id) {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(folder + QStringLiteral("dirovovivov.mdb"));
        dao::Recordset rs = db.openRecordset(QStringLiteral("select jielun from codefiles where id = ?"), dao::dbOpenSnapshot,
                                             {vb::Variant(id)});
        const QString text = rs.eof() || rs.value(QStringLiteral("jielun")).isNull() ? QStringLiteral("<none>")
                                                                                     : rs.value(QStringLiteral("jielun")).toString();
        rs.close();
        return text;
    }
    static int caseRows(const QString& folder) {
        return rowCount(folder + QStringLiteral("dirovovivov.mdb"), QStringLiteral("codefiles"));
    }

    // Case 1 of library A, opened from item 4's case list, with a conclusion typed into the chart window.
    windows::FrmBaZi& openCaseOneWithAConclusion() {
        EXPECT_TRUE(window_->ShowItemDetails(QStringLiteral("4")));
        clickTab(1);
        files().ExportFile(files().lvFiles()->item(QStringLiteral("ID=1")));
        windows::FrmBaZi* chart = forms::loadedInstance<windows::FrmBaZi>();
        EXPECT_TRUE(chart);
        chart->txtJieLun()->setFocus();
        chart->txtJieLun()->clear();
        typeText(chart->txtJieLun(), QString::fromUtf8(kConclusion));
        return *chart;
    }

    void chooseLibraryB() {
        dialogs_.answer(forms::DialogAnswer::open(libraryB_ + QStringLiteral("dirovovivov.mdb")));
        window_->ChooseWorkDatabase();
    }
    // "新建项目" into an empty folder; returns the folder.
    QString makeNewLibrary() {
        window_->menuEntry(QStringLiteral("mnuNewDatabase"))->trigger();
        auto& dialog = forms::defaultInstance<library::FrmNew>();
        const QString folder = dataPath(QStringLiteral("新建的库"));
        dialog.txtPath()->setText(folder);
        QTest::mouseClick(dialog.cmdok(), Qt::LeftButton);
        return folder + u'/';
    }

    QString libraryA_;
    QString libraryB_;
    QString conclusionOfB_;
};

struct SwitchPath {
    const char* name;
    bool toLibraryB;  // else a new library
};

class ChartWindowSwitchTest : public LibrarySwitchTest, public ::testing::WithParamInterface<SwitchPath> {};

TEST_P(ChartWindowSwitchTest, TheConclusionStaysInItsOwnLibraryAndTheWindowCloses) {
    openCaseOneWithAConclusion();
    boxes_.clear();
    QString switchedTo;
    if (GetParam().toLibraryB) {
        chooseLibraryB();
        switchedTo = libraryB_;
    } else {
        switchedTo = makeNewLibrary();
    }
    forms::deleteUnloadedForms();
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_EQ(core::gWorkPath, switchedTo);
    EXPECT_EQ(forms::loadedInstance<windows::FrmBaZi>(), nullptr);
    EXPECT_EQ(conclusion(libraryA_, 1), QString::fromUtf8(kConclusion));
    // Both libraries come from the shipped one: their case 1 keeps the shipped conclusion.
    EXPECT_EQ(conclusion(switchedTo, 1), conclusionOfB_);
    EXPECT_EQ(core::gCurrentFileID, 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, ChartWindowSwitchTest,
                         ::testing::Values(SwitchPath{"ChooseWorkDatabase", true}, SwitchPath{"NewLibrary", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LibrarySwitchTest, AConclusionThatCannotBeStoredKeepsTheLibrary) {
    windows::FrmBaZi& chart = openCaseOneWithAConclusion();
    core::gWorkDB.execute(QStringLiteral("alter table codefiles rename to codefiles_away"));
    boxes_.clear();
    chooseLibraryB();
    ASSERT_GE(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("工作库没有切换"))) << boxes_.last().text.toStdString();
    EXPECT_EQ(core::gWorkPath, libraryA_);
    EXPECT_EQ(window_->DatabasePath, libraryA_ + QStringLiteral("dirovovivov.mdb"));
    EXPECT_EQ(setting(QStringLiteral("LastDB")), libraryA_);
    EXPECT_EQ(forms::loadedInstance<windows::FrmBaZi>(), &chart);
    EXPECT_EQ(chart.txtJieLun()->toPlainText(), QString::fromUtf8(kConclusion));
    EXPECT_FALSE(QFileInfo::exists(libraryB_ + QStringLiteral("bak")));

    core::gWorkDB.execute(QStringLiteral("alter table codefiles_away rename to codefiles"));
    chooseLibraryB();
    EXPECT_EQ(core::gWorkPath, libraryB_);
    EXPECT_EQ(conclusion(libraryA_, 1), QString::fromUtf8(kConclusion));
    EXPECT_EQ(conclusion(libraryB_, 1), conclusionOfB_);
}

class NewCaseDialogSwitchTest : public LibrarySwitchTest {
protected:
    library::FrmCalendar& openDialogWithEntries() {
        library::showFrmcalendar(4);
        library::FrmCalendar& d = *forms::loadedInstance<library::FrmCalendar>();
        d.txtnume()->setText(QStringLiteral("王五"));
        return d;
    }
};

TEST_F(NewCaseDialogSwitchTest, EntriesAreLetGoOnlyAfterAYes) {
    library::FrmCalendar& d = openDialogWithEntries();
    const int rowsB = caseRows(libraryB_);
    boxes_.answer(vb::vbNo);
    chooseLibraryB();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("个人资料")));
    EXPECT_TRUE(boxes_.last().buttons & vb::vbDefaultButton2) << "keeping the entries is the default";
    EXPECT_EQ(core::gWorkPath, libraryA_);
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), &d);
    EXPECT_EQ(d.txtnume()->text(), "王五");

    boxes_.answer(vb::vbYes);
    chooseLibraryB();
    forms::deleteUnloadedForms();
    EXPECT_EQ(core::gWorkPath, libraryB_);
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
    EXPECT_EQ(caseRows(libraryB_), rowsB);
}

TEST_F(NewCaseDialogSwitchTest, AnEmptyDialogClosesWithoutAQuestion) {
    library::showFrmcalendar(4);
    ASSERT_TRUE(forms::loadedInstance<library::FrmCalendar>());
    boxes_.clear();
    const QString created = makeNewLibrary();
    forms::deleteUnloadedForms();
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_EQ(core::gWorkPath, created);
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);
    EXPECT_EQ(caseRows(created), caseRows(core::TemplateFolder()));
}

TEST_F(LibrarySwitchTest, ABackupHoldsThePageAndTheConclusionOnScreen) {
    openCaseOneWithAConclusion();
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("1")));
    clickTab(0);
    txtCode().setFocus();
    typeText(&txtCode(), QStringLiteral("typed and backed up at once"));

    window_->menuEntry(QStringLiteral("MNUBAK"))->trigger();
    auto& dialog = forms::defaultInstance<library::FrmBak>();
    const QString target = dataPath(QStringLiteral("即时备份"));
    dialog.txtPath()->setText(target);
    boxes_.clear();
    QTest::mouseClick(dialog.cmdok(), Qt::LeftButton);
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    QFile page(target + QStringLiteral("/GREENNOTE1.rtf"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("typed and backed up at once"));
    EXPECT_EQ(conclusion(target + u'/', 1), QString::fromUtf8(kConclusion));
    EXPECT_TRUE(forms::loadedInstance<windows::FrmBaZi>()) << "the chart window stays open";
}

}  // namespace
