// The program's start as the library window runs it: first and later starts, a missing or damaged
// work database, damaged settings, the start-up backup, and what it leaves when it closes.
#include "core/globals.h"
#include "core/work_database.h"
#include "library/frm_splash.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/twips.h"
#include "tests/library/library_fixture.h"
#include "tests/support/qt_print.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

namespace {

using StartupTest = LibraryWindowTest;

int treeItemCount(QTreeWidget* tree) {
    int n = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) ++n;
    return n;
}

TEST_F(StartupTest, FirstStartCopiesTheStarterLibraryAndOpensIt) {
    library::FrmCodeLib& w = start();
    const QString work = dataPath(QStringLiteral("sysfiles/"));
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_EQ(setting(QStringLiteral("LastDB")), work);
    EXPECT_EQ(core::gWorkPath, work);
    EXPECT_EQ(w.DatabasePath, work + QStringLiteral("dirovovivov.mdb"));
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(w.Caption(), QStringLiteral("Veyra      ...当前工作目录：") + work);
    EXPECT_TRUE(QFileInfo::exists(dataPath(QStringLiteral("nefilse/dirovovivov.mdb"))));
    // The tree shows the root and every item of the shipped library.
    EXPECT_EQ(w.tvCodeItems()->topLevelItem(0)->text(0), "ROOT");
    EXPECT_EQ(treeItemCount(w.tvCodeItems()), 1 + rowCount(w.DatabasePath, QStringLiteral("codeitems")));
    EXPECT_TRUE(w.menuEntry(QStringLiteral("mnuView"))->isEnabled());
    EXPECT_EQ(forms::loadedInstance<library::FrmSplash>(), nullptr);
    // The editing menus wait for a page.
    EXPECT_FALSE(w.menuEntry(QStringLiteral("MnuFormat"))->isVisible());
    EXPECT_FALSE(w.menuEntry(QStringLiteral("MnuEditRtxt"))->isVisible());
    EXPECT_EQ(w.clipboardFormat(), "application/x-bazimainlibTree");
    // The version row is written once.
    EXPECT_EQ(rowCount(w.DatabasePath, QStringLiteral("CodeDBVersion")), 1);
}

TEST_F(StartupTest, ALaterStartKeepsTheUsersLibraryAndItsVersionRow) {
    start();
    core::gWorkDB.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, ?)"),
                          {vb::Variant(QStringLiteral("我的笔记"))});
    const QString database = forms::loadedInstance<library::FrmCodeLib>()->DatabasePath;
    const int items = rowCount(database, QStringLiteral("codeitems"));
    stop();

    library::FrmCodeLib& again = start();
    EXPECT_EQ(rowCount(again.DatabasePath, QStringLiteral("codeitems")), items);
    EXPECT_EQ(rowCount(again.DatabasePath, QStringLiteral("CodeDBVersion")), 1);
    EXPECT_FALSE(again.tvCodeItems()->findItems(QStringLiteral("我的笔记"), Qt::MatchRecursive).isEmpty());
    // The template of a new library stays the shipped one.
    EXPECT_EQ(rowCount(dataPath(QStringLiteral("nefilse/dirovovivov.mdb")), QStringLiteral("codeitems")), items - 1);
}

TEST_F(StartupTest, AFolderWithoutAWorkDatabaseAsksForOneAndKeepsTheCommandsOffWhenCancelled) {
    library::FrmCodeLib& w = startWithoutLibrary();
    EXPECT_TRUE(w.DatabasePath.isEmpty());
    ASSERT_EQ(dialogs_.count(), 1);
    EXPECT_EQ(dialogs_.last().title, QStringLiteral("打开《Veyra》的工作库文件（dirovovivov)"));
    EXPECT_FALSE(core::gWorkDB.isOpen());
    EXPECT_FALSE(w.menuEntry(QStringLiteral("mnuView"))->isEnabled());
    EXPECT_FALSE(w.tvCodeItems()->isEnabled());
    EXPECT_EQ(forms::loadedInstance<library::FrmSplash>(), nullptr);
}

TEST_F(StartupTest, ADamagedWorkDatabaseIsReportedAndTheProgramRunsOnWithoutIt) {
    start();
    stop();
    const QString database = dataPath(QStringLiteral("sysfiles/dirovovivov.mdb"));
    QFile f(database);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    boxes_.clear();

    library::FrmCodeLib& w = start();
    ASSERT_GE(boxes_.count(), 1);
    // The damaged file is named before anything opens it.
    EXPECT_TRUE(boxes_.shown().front().text.startsWith(QStringLiteral("“") + database + QStringLiteral("”不是可用的 Veyra 工作库")))
        << boxes_.shown().front().text.toStdString();
    EXPECT_FALSE(core::gWorkDB.isOpen());
    EXPECT_FALSE(w.menuEntry(QStringLiteral("mnuView"))->isEnabled());
    EXPECT_EQ(forms::loadedInstance<library::FrmSplash>(), nullptr);
}

struct BadSettingCase {
    const char* key;
    const char* stored;
};

class BadSettingsTest : public LibraryWindowTest, public ::testing::WithParamInterface<BadSettingCase> {};

TEST_P(BadSettingsTest, AValueThatIsNoNumberTakesItsDefault) {
    setSetting(QString::fromLatin1(GetParam().key), QString::fromLatin1(GetParam().stored));
    library::FrmCodeLib& w = start();
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_GT(w.Width(), 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, BadSettingsTest,
                         ::testing::Values(BadSettingCase{"MainLeft", "abc"}, BadSettingCase{"TreeWidth", ""},
                                           BadSettingCase{"MainWidth", "1e400"}, BadSettingCase{"ViewBookMarks", "maybe"},
                                           BadSettingCase{"txtBackColor", "-5"}, BadSettingCase{"CompactOnExit", "x"}));

TEST_F(StartupTest, AWindowSavedOffEveryScreenComesBackOnThePrimaryScreen) {
    setSetting(QStringLiteral("MainLeft"), QStringLiteral("-900000"));
    setSetting(QStringLiteral("MainTop"), QStringLiteral("900000"));
    library::FrmCodeLib& w = start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(w.frameGeometry())) << w.frameGeometry().x() << "," << w.frameGeometry().y();
}

TEST_F(StartupTest, TheLayoutIsRestoredAsSaved) {
    setSetting(QStringLiteral("MainLeft"), QStringLiteral("1500"));
    setSetting(QStringLiteral("MainTop"), QStringLiteral("1200"));
    setSetting(QStringLiteral("MainWidth"), QStringLiteral("12000"));
    setSetting(QStringLiteral("MainHeight"), QStringLiteral("7500"));
    setSetting(QStringLiteral("TreeWidth"), QStringLiteral("4005"));
    setSetting(QStringLiteral("ViewBookMarks"), QStringLiteral("False"));
    setSetting(QStringLiteral("txtBackColor"), QStringLiteral("16777215"));
    library::FrmCodeLib& w = start();
    EXPECT_EQ(w.Left(), 1500);
    EXPECT_EQ(w.Top(), 1200);
    EXPECT_EQ(w.Width(), 12000);
    EXPECT_EQ(w.Height(), 7500);
    EXPECT_EQ(forms::twipsGeometry(w.tvCodeItems()).width(), 4005);
    EXPECT_FALSE(w.viewBookMarks());
    EXPECT_FALSE(w.menuEntry(QStringLiteral("mnuViewBookMarks"))->isChecked());
    EXPECT_EQ(w.txtCode()->backColor(), 0xFFFFFFu);
}

// A start and an end leave the layout as it was stored; values beyond the screens come back bounded
// by them, and what the end writes is the bounded value, which the next cycle keeps.
struct LayoutRoundTripCase {
    const char* left;
    const char* top;
    const char* width;
    const char* height;
    bool keptAsStored;
    const char* why;
};

void PrintTo(const LayoutRoundTripCase& c, std::ostream* os) { *os << c.why; }

class LayoutRoundTripTest : public LibraryWindowTest, public ::testing::WithParamInterface<LayoutRoundTripCase> {
protected:
    QStringList cycle() {
        library::FrmCodeLib& w = start();
        w.Show();
        QCoreApplication::processEvents();
        stop();
        QStringList written;
        for (const char* key : kKeys) written << setting(QString::fromLatin1(key));
        return written;
    }
    static constexpr const char* kKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight", "TreeWidth"};
};

TEST_P(LayoutRoundTripTest, ACycleWritesBackWhatItRestored) {
    const LayoutRoundTripCase& c = GetParam();
    const QStringList stored = {c.left, c.top, c.width, c.height, "3270"};
    for (int i = 0; i < stored.size(); ++i) setSetting(QString::fromLatin1(kKeys[i]), stored[i]);
    const QStringList first = cycle();
    if (c.keptAsStored) {
        EXPECT_EQ(first, stored);
    }

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect window = vb::twipsToPixels(QRectF(first[0].toDouble(), first[1].toDouble(), first[2].toDouble(), first[3].toDouble()));
    EXPECT_LE(window.width(), area.width());
    EXPECT_LE(window.height(), area.height());
    EXPECT_TRUE(area.intersects(window));
    EXPECT_LE(first[4].toDouble(), first[2].toDouble()) << "the tree lies inside the window";

    EXPECT_EQ(cycle(), first) << "a second cycle changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutRoundTripTest,
    ::testing::Values(LayoutRoundTripCase{"2055", "2175", "11000", "6210", true, "the defaults, 11000 not whole pixels"},
                      LayoutRoundTripCase{"1507", "1203", "9001", "6007", true, "values between pixels"},
                      LayoutRoundTripCase{"2055", "2175", "1000000", "1000000", false, "a million twips"},
                      LayoutRoundTripCase{"&H7FFFFFFF", "&H7FFFFFFF", "&H7FFFFFFF", "&H7FFFFFFF", false, "the largest Long"},
                      LayoutRoundTripCase{"-1e12", "0", "9000", "6000", false, "far left of every screen"}));

struct SaveLayoutCase {
    bool saveFormLayout;
    bool minimised;
    bool positionWritten;
    bool paneWritten;
};

class SaveLayoutTest : public LibraryWindowTest, public ::testing::WithParamInterface<SaveLayoutCase> {};

TEST_P(SaveLayoutTest, WhatTheEndWrites) {
    const SaveLayoutCase c = GetParam();
    setSetting(QStringLiteral("SaveFormLayout"), c.saveFormLayout ? QStringLiteral("True") : QStringLiteral("False"));
    library::FrmCodeLib& w = start();
    w.Show();
    for (const char* key : {"MainLeft", "MainWidth", "TreeWidth", "ViewBookMarks", "txtBackColor"})
        core::saveSetting(QString::fromLatin1(key), vb::Variant(QStringLiteral("-")));
    if (c.minimised) w.setWindowStateValue(forms::vbMinimized);
    stop();
    EXPECT_EQ(setting(QStringLiteral("MainLeft")) != "-", c.positionWritten);
    EXPECT_EQ(setting(QStringLiteral("MainWidth")) != "-", c.positionWritten);
    EXPECT_EQ(setting(QStringLiteral("TreeWidth")) != "-", c.positionWritten);
    EXPECT_EQ(setting(QStringLiteral("ViewBookMarks")) != "-", c.paneWritten);
    EXPECT_EQ(setting(QStringLiteral("txtBackColor")) != "-", c.paneWritten);
    if (c.paneWritten) {
        EXPECT_EQ(setting(QStringLiteral("ViewBookMarks")), "True");
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, SaveLayoutTest,
                         ::testing::Values(SaveLayoutCase{true, false, true, true}, SaveLayoutCase{true, true, false, true},
                                           SaveLayoutCase{false, false, false, false}));

TEST_F(StartupTest, TheStartUpBackupLeavesACompactedCopyAndABakFolder) {
    setSetting(QStringLiteral("BackupAtStart"), QStringLiteral("True"));
    start();  // the first start copies the library, then backs it up
    const QString backup = dataPath(QStringLiteral("codebackup.mdb"));
    ASSERT_TRUE(QFileInfo::exists(backup));
    EXPECT_TRUE(integrityOk(backup));
    const QString database = dataPath(QStringLiteral("sysfiles/dirovovivov.mdb"));
    EXPECT_EQ(rowCount(backup, QStringLiteral("codeitems")), rowCount(database, QStringLiteral("codeitems")));
    EXPECT_TRUE(QFileInfo::exists(dataPath(QStringLiteral("sysfiles/bak/dirovovivov.mdb"))));
    EXPECT_TRUE(integrityOk(dataPath(QStringLiteral("sysfiles/bak/dirovovivov.mdb"))));
    // Nothing half-written is left beside the backup.
    EXPECT_EQ(QDir(vb::dataFolder()).entryList({QStringLiteral(".codebackup*")}, QDir::Files | QDir::Hidden).size(), 0);
}

TEST_F(StartupTest, AStartRemovesWhatAnInterruptedRunLeftAndNothingElse) {
    start();
    stop();
    const QStringList leftovers{".sysfiles.partial-a1B2c3/dirovovivov.mdb", "sysfiles/.dirovovivov.mdb.compact-q1w2e3",
                                "sysfiles/.dirovovivov.mdb.compact-q1w2e3-journal", "sysfiles/bak/.veyra-copy-XyZ123/x.rtf",
                                ".codebackup.mdb.new-abcdef", "sysfiles/.GREENNOTE1.rtf.aB3dE6", "nefilse/.BLUENote2.rtf.Zz0Zz0"};
    for (const QString& name : leftovers + QStringList{"sysfiles/notes.txt", ".sysfiles.keep"}) {
        QDir().mkpath(QFileInfo(dataPath(name)).absolutePath());
        QFile f(dataPath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    start();
    for (const QString& name : leftovers) EXPECT_FALSE(QFileInfo::exists(dataPath(name))) << name.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dataPath(".sysfiles.partial-a1B2c3")));
    EXPECT_TRUE(QFileInfo::exists(dataPath("sysfiles/notes.txt")));
    EXPECT_TRUE(QFileInfo::exists(dataPath(".sysfiles.keep")));
    EXPECT_TRUE(core::gWorkDB.isOpen());
}

TEST_F(StartupTest, CompactionOnExitKeepsEveryRowAndLeavesNoTemporaryFile) {
    library::FrmCodeLib& w = start();
    for (int i = 0; i < 50; ++i)
        core::gWorkDB.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, ?)"),
                              {vb::Variant(QStringLiteral("条目%1").arg(i))});
    core::gWorkDB.execute(QStringLiteral("delete from codeitems where description like '条目1*'"));
    const QString database = w.DatabasePath;
    const int items = rowCount(database, QStringLiteral("codeitems"));
    stop();  // CompactOnExit defaults to True
    EXPECT_TRUE(integrityOk(database));
    EXPECT_EQ(rowCount(database, QStringLiteral("codeitems")), items);
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("dbbackup.mdb"))));
    EXPECT_EQ(QDir(dataPath(QStringLiteral("sysfiles"))).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".new-")).size(), 0);
}

TEST_F(StartupTest, ClosingAsksOnlyWhileNoLibraryCanBeMade) {
    library::FrmCodeLib& w = start();
    w.menuEntry(QStringLiteral("mnuNewDatabase"))->setEnabled(false);
    boxes_.answer(vb::vbCancel);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(boxes_.last().text, QStringLiteral("真的退出程序吗？"));
    EXPECT_EQ(boxes_.last().title, QStringLiteral("提示"));
    EXPECT_EQ(forms::loadedInstance<library::FrmCodeLib>(), &w);
    boxes_.answer(vb::vbOK);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(forms::loadedInstance<library::FrmCodeLib>(), nullptr);

    library::FrmCodeLib& again = start();
    boxes_.clear();
    EXPECT_TRUE(again.close());  // commands on: no question
    EXPECT_EQ(boxes_.count(), 0);
}

}  // namespace
