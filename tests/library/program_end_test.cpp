// The program itself, ended by a signal: it ends through the library window's unload, which writes
// the layout, also when the signal comes while a dialog of the start-up shows, and without waiting on
// a box when the shown page cannot be saved.
#include "core/globals.h"
#include "core/recovery.h"
#include "library/program_end.h"
#include "platform/forms/program_end.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/folders.h"
#include "tests/library/library_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

namespace {

struct EndCase {
    int signal;
    const char* name;
};

class ProgramEndTest : public ::testing::TestWithParam<EndCase> {};

// Starts the program on the user folders under `home` (data, config, runtime), headless.
void startProgram(QProcess& program, const QTemporaryDir& home) {
    for (const char* sub : {"data", "config", "runtime"}) QDir().mkpath(home.filePath(QString::fromLatin1(sub)));
    QFile::setPermissions(home.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QDir(vb::programFolder()).filePath("veyra"), {});
}

TEST_P(ProgramEndTest, ASignalEndsTheProgramThroughItsUnload) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcess program;
    startProgram(program, home);
    ASSERT_TRUE(program.waitForStarted());
    // The window is up once the library is open: its folder's version row makes LastDB appear.
    const QString ini = home.filePath("config/veyra/veyraww.ini");
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30000) {
        if (QFileInfo::exists(ini) && QSettings(ini, QSettings::IniFormat).value("Settings/LastDB").isValid()) break;
        QThread::msleep(50);
    }
    QThread::msleep(500);  // let the load finish
    ASSERT_EQ(program.state(), QProcess::Running) << program.readAll().toStdString();
    ::kill(static_cast<pid_t>(program.processId()), GetParam().signal);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << program.readAll().toStdString();
    EXPECT_EQ(program.exitCode(), 0);
    const QSettings settings(ini, QSettings::IniFormat);
    EXPECT_TRUE(settings.value("Settings/MainLeft").isValid()) << GetParam().name;
    EXPECT_TRUE(settings.value("Settings/ViewBookMarks").isValid());
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramEndTest,
                         ::testing::Values(EndCase{SIGTERM, "SIGTERM"}, EndCase{SIGHUP, "SIGHUP"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The last work folder holds no usable database, so the window's load opens the file dialog; a
// signal then closes the dialog first and ends the program through its one unload.
struct StartFolderCase {
    const char* name;
    void (*prepare)(const QString& folder);
};

class SignalDuringStartDialog : public ::testing::TestWithParam<StartFolderCase> {};

TEST_P(SignalDuringStartDialog, EndsTheProgramCleanly) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // Not a first run (which starts on the shipped library), so the last work folder is the one used.
    for (const char* sub : {"data/veyra/sysfiles", "config/veyra", "library"}) QDir().mkpath(home.filePath(QString::fromLatin1(sub)));
    GetParam().prepare(home.filePath("library"));
    {
        QSettings ini(home.filePath("config/veyra/veyraww.ini"), QSettings::IniFormat);
        ini.setValue("Settings/LastDB", home.filePath("library") + "/");
        ini.setValue("Settings/BackupAtStart", "True");
    }
    QProcess program;
    startProgram(program, home);
    ASSERT_TRUE(program.waitForStarted());
    // The start-up backup's notice comes just before the dialog: no event is handled between them, so
    // the signal reaches the program inside the dialog's loop.
    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (!output.contains("Cannot find the last opened database") && waited.elapsed() < 30000) {
        program.waitForReadyRead(100);
        output += program.readAll();
    }
    ASSERT_TRUE(output.contains("Cannot find the last opened database")) << output.toStdString();
    QThread::msleep(300);
    ASSERT_EQ(program.state(), QProcess::Running) << output.toStdString();
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    output += program.readAll();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(program.exitCode(), 0) << output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    UnusableFolders, SignalDuringStartDialog,
    ::testing::Values(StartFolderCase{"no_database", [](const QString&) {}},
                      StartFolderCase{"dangling_link",
                                      [](const QString& folder) {
                                          QFile::link(folder + "/gone.mdb", folder + "/dirovovivov.mdb");
                                      }}),
    [](const auto& info) { return std::string(info.param.name); });

// An end by a signal while the shown page cannot be written: no box waits, the failure goes to
// standard error, the page's text goes to a recovery file, and the next start says where it is.
constexpr const char* kUnattendedChild = "VEYRA_UNATTENDED_CHILD";

class UnattendedEndChild : public LibraryWindowTest {};

TEST_F(UnattendedEndChild, RunsTheProgramUntilItIsTold) {
    const QString home = qEnvironmentVariable(kUnattendedChild);
    if (home.isEmpty()) GTEST_SKIP() << "runs as the child of UnattendedEnd";
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/config"));
    library::FrmCodeLib& window = start();
    QObject::connect(&window, &forms::Form::unloaded, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.Show();
    ASSERT_TRUE(window.ShowItemDetails(QStringLiteral("2")));
    window.txtCode()->setSelStart(static_cast<int>(window.txtCode()->text().size()));
    QTest::keyClicks(window.txtCode(), QStringLiteral("typed before the end"));
    // The page's file can no longer be written: a read-only folder, and (for a run as root) a folder in
    // the page's place.
    const QString page = core::gWorkPath + QStringLiteral("GREENNOTE2.rtf");
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkdir(page));
    QFile::setPermissions(core::gWorkPath, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    library::endThroughUnloadFromOutside(*qApp);
    std::printf("READY\n");
    std::fflush(stdout);
    const int status = forms::execMainLoop();
    QFile::setPermissions(core::gWorkPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(status, 0);
}

TEST(UnattendedEnd, ASignalWithAPageThatCannotBeSavedKeepsItsTextForTheNextStart) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kUnattendedChild), home.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=UnattendedEndChild.*")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    QElapsedTimer waited;
    waited.start();
    while (!out.contains("READY") && waited.elapsed() < 60000) {
        child.waitForReadyRead(100);
        out += child.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("READY")) << out.toStdString() << child.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
    ASSERT_TRUE(child.waitForFinished(30000)) << "no box may wait";
    const QString err = QString::fromUtf8(child.readAllStandardError());
    out += child.readAllStandardOutput();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("75 Path/File access error"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("Message box on a headless display"))) << "no box is shown";

    const QDir recovery(home.filePath("config/veyra/recovery"));
    const QStringList kept = recovery.entryList({QStringLiteral("*-GREENNOTE2.rtf")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1) << recovery.entryList().join(u' ').toStdString();
    QFile text(recovery.filePath(kept.front()));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("typed before the end"));

    // The next start tells what could not be saved and where its text is, once.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    const QString notice = core::takeLastEndNotice();
    const QString again = core::takeLastEndNotice();
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_TRUE(notice.contains(QStringLiteral("GREENNOTE2.rtf"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(recovery.filePath(kept.front()))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QStringLiteral("75 Path/File access error"))) << notice.toStdString();
    EXPECT_TRUE(again.isEmpty());
}

}  // namespace
