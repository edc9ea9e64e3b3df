// The program itself, ended by a signal: it ends through the library window's unload, which writes
// the layout.
#include "platform/vb/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

struct EndCase {
    int signal;
    const char* name;
};

class ProgramEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProgramEndTest, ASignalEndsTheProgramThroughItsUnload) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    for (const char* sub : {"data", "config", "runtime"}) QDir().mkpath(home.filePath(QString::fromLatin1(sub)));
    QFile::setPermissions(home.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QDir(vb::programFolder()).filePath("veyra"), {});
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

}  // namespace
