// Start-up: the rule-database test with its one retry, the error shown when it fails, the wait
// cursors, and the copy of a window area to the clipboard.
#include "core/screen_capture.h"
#include "core/rule_database.h"
#include "core/startup.h"
#include "core/wait_cursor.h"
#include "platform/dao/dao.h"
#include "platform/vb/folders.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/msgbox.h"
#include "tests/support/error_number.h"
#include "tests/support/test_env.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <string>

namespace {

using testenv::errorOf;

TEST(TestOpenRuleDatabase, RetriesExactlyOnce) {
    int calls = 0;
    core::TestOpenRuleDatabase([&] {
        if (++calls == 1) vb::raise(3024, "DAO.Workspace", "first try fails");
    });
    EXPECT_EQ(calls, 2);

    calls = 0;
    const int number = errorOf([&] {
        core::TestOpenRuleDatabase([&] { vb::raise(3000 + ++calls, "DAO.Workspace", "fails"); });
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(number, 3002) << "the second attempt's error is the one passed on";
}

// Main against a program folder of the test's choosing.
class MainStart : public ::testing::Test {
protected:
    void TearDown() override { vb::setProgramFolder(QString()); }

    // Runs Main; returns whether the main window was shown.
    bool runMain(bool* returned) {
        bool shown = false;
        *returned = core::Main([&] { shown = true; });
        return shown;
    }

    QTemporaryDir folder_;
    vb::MsgBoxScript boxes_;
};

TEST_F(MainStart, OpensTheBuiltRuleDatabaseAndShowsTheMainWindow) {
    vb::setProgramFolder(testenv::programDir());
    bool ok = false;
    EXPECT_TRUE(runMain(&ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(MainStart, MissingRuleDatabaseShowsTheEngineErrorAndNoWindow) {
    vb::setProgramFolder(folder_.path());
    bool ok = true;
    EXPECT_FALSE(runMain(&ok));
    EXPECT_FALSE(ok);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains("3024")) << boxes_.last().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(core::ruleDatabasePath())) << "opening never creates the file";
}

TEST_F(MainStart, RuleDatabaseWithAnotherPasswordIsRefused) {
    vb::setProgramFolder(folder_.path());
    dao::DBEngine::createDatabase(core::ruleDatabasePath(), "NotTheOne").close();
    bool ok = true;
    EXPECT_FALSE(runMain(&ok));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains("3031")) << boxes_.last().text.toStdString();
}

// A damaged or altered copy of the built rule database stops the start like a wrong password: the
// table that fails its digest is named, and no window shows.
struct Damage {
    const char* what;
    const char* sql;
    const char* table;  // named in the message
};

class DamagedRuleDatabase : public MainStart, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedRuleDatabase, StopsTheStartWithAClearMessage) {
    const Damage& d = GetParam();
    const QString path = folder_.filePath(QString::fromUtf16(core::kRuleDatabaseName));
    ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/zodazire.mdb"), path));
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, core::ruleConnect());
        db.execute(QString::fromUtf8(d.sql));
        db.close();
    }
    vb::setProgramFolder(folder_.path());
    bool ok = true;
    EXPECT_FALSE(runMain(&ok)) << d.what;
    EXPECT_FALSE(ok);
    ASSERT_EQ(boxes_.count(), 1) << d.what;
    const QString text = boxes_.last().text;
    EXPECT_TRUE(text.contains(QStringLiteral("3049"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(d.table))) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    RowsCellsAndTables, DamagedRuleDatabase,
    ::testing::Values(Damage{"a Calendar row deleted", "DELETE FROM Calendar WHERE ID=600", "Calendar"},
                      Damage{"a Calendar cell changed", "UPDATE Calendar SET Ldays=59-Ldays WHERE ID=600", "Calendar"},
                      Damage{"Calendar emptied", "DELETE FROM Calendar", "Calendar"},
                      Damage{"a chart row deleted", "DELETE FROM AmingshG WHERE y='正'", "AmingshG"},
                      Damage{"a chart cell changed", "UPDATE AmingshG SET a=b WHERE y='正'", "AmingshG"},
                      Damage{"XMiao99 emptied", "DELETE FROM XMiao99", "XMiao99"},
                      Damage{"a table added", "CREATE TABLE Extra (x TEXT(5))", "Extra"},
                      Damage{"the digests dropped", "DROP TABLE MSysTableDigests", "digests"}),
    [](const ::testing::TestParamInfo<Damage>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

// A rule database whose password table is gone or cannot be read is no protected copy of the built
// one: it is refused, never taken as a database without a password.
struct PasswordDamage {
    const char* what;
    const char* sql;
    int number;
};

class DamagedRulePassword : public MainStart, public ::testing::WithParamInterface<PasswordDamage> {};

TEST_P(DamagedRulePassword, StopsTheStart) {
    const PasswordDamage& d = GetParam();
    const QString path = folder_.filePath(QString::fromUtf16(core::kRuleDatabaseName));
    ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/zodazire.mdb"), path));
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, core::ruleConnect());
        for (const QString& sql : QString::fromUtf8(d.sql).split(u';')) db.execute(sql);
        db.close();
        dao::DBEngine::closeIdleHandles();
    }
    vb::setProgramFolder(folder_.path());
    bool ok = true;
    EXPECT_FALSE(runMain(&ok)) << d.what;
    ASSERT_EQ(boxes_.count(), 1) << d.what;
    EXPECT_TRUE(boxes_.last().text.contains(QString::number(d.number))) << boxes_.last().text.toStdString();
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("password"))) << boxes_.last().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    MissingOrUnreadable, DamagedRulePassword,
    ::testing::Values(PasswordDamage{"table dropped", "DROP TABLE MSysPassword", 3049},
                      PasswordDamage{"row deleted", "DELETE FROM MSysPassword", 3031},
                      PasswordDamage{"hash emptied", "UPDATE MSysPassword SET hash = ''", 3031},
                      PasswordDamage{"columns replaced",
                                     "DROP TABLE MSysPassword;CREATE TABLE MSysPassword (x TEXT(5))", 3031}),
    [](const ::testing::TestParamInfo<PasswordDamage>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

// A pipe in the rule database's place is refused at once; opening it would wait for a writer forever.
TEST_F(MainStart, APipeAsTheRuleDatabaseIsRefusedAtOnce) {
    const QByteArray pipe = QFile::encodeName(folder_.filePath(QString::fromUtf16(core::kRuleDatabaseName)));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    vb::setProgramFolder(folder_.path());
    bool ok = true;
    EXPECT_FALSE(runMain(&ok));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("3343"))) << boxes_.last().text.toStdString();
}

TEST(RuleDatabaseCheck, TheBuiltDatabasePasses) {
    EXPECT_EQ(errorOf([] { core::CheckRuleDatabase(testenv::programDir() + QStringLiteral("/zodazire.mdb")); }), 0);
}

class WaitCursors : public ::testing::Test {
protected:
    void SetUp() override { vb::setScreenMousePointer(vb::vbDefault); }
    void TearDown() override { vb::setScreenMousePointer(vb::vbDefault); }
};

TEST_F(WaitCursors, OverlappingHourglassesEndAtTheFirstRelease) {
    auto outer = std::make_unique<core::chourglass>();
    EXPECT_EQ(vb::screenMousePointer(), vb::vbHourglass);
    {
        core::chourglass inner;
        EXPECT_EQ(vb::screenMousePointer(), vb::vbHourglass);
    }
    EXPECT_EQ(vb::screenMousePointer(), vb::vbDefault) << "the outer guard still lives, but the pointer is a value";
    outer.reset();
    EXPECT_EQ(vb::screenMousePointer(), vb::vbDefault);
}

TEST_F(WaitCursors, WaitCursorRestoresThePointerOfItsCreation) {
    vb::setScreenMousePointer(vb::vbIbeam);
    {
        core::CWaitCursor wait;
        wait.SetCursor(vb::vbHourglass);
        EXPECT_EQ(vb::screenMousePointer(), vb::vbHourglass);
        vb::setScreenMousePointer(vb::vbCrosshair);
    }
    EXPECT_EQ(vb::screenMousePointer(), vb::vbIbeam);

    core::CWaitCursor wait;
    EXPECT_EQ(errorOf([&] { wait.SetCursor(70000); }), vb::kOverflow);
}

TEST(CopyScreenAreaToClipboard, PutsThatAreaOfTheActiveWindowOnTheClipboard) {
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::red);
    window.setPalette(palette);
    window.setGeometry(100, 100, 200, 120);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_EQ(QApplication::activeWindow(), &window);

    const QPoint topLeft = window.mapToGlobal(QPoint(10, 20));
    core::CopyScreenAreaToClipboard(topLeft.x(), topLeft.y(), topLeft.x() + 50, topLeft.y() + 30);
    const QImage picture = QGuiApplication::clipboard()->image();
    ASSERT_EQ(picture.size(), QSize(50, 30));
    EXPECT_EQ(QColor(picture.pixel(25, 15)), QColor(Qt::red));
}

TEST(CopyScreenAreaToClipboard, WithoutAnActiveWindowRaisesObjectNotSet) {
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(testenv::errorOf([] { core::CopyScreenAreaToClipboard(0, 0, 10, 10); }), vb::kObjectNotSet);
}

}  // namespace
