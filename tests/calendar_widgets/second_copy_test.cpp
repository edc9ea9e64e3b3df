// A second copy of the program ends when its calendar control is initialised. The second copy is
// this test binary run again as a child process against the runtime folder of the first.
#include "calendar/widgets/prev_instance.h"
#include "calendar/widgets/wnl.h"
#include "library/frm_calendar.h"
#include "core/main_window_host.h"
#include "platform/forms/combobox.h"
#include "platform/forms/form_registry.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr const char* kFirstCopyRuntime = "VEYRA_FIRST_COPY_RUNTIME";

// The main window as far as ending the program concerns it.
class MainWindowStandIn : public core::MainWindowHost {
public:
    MainWindowStandIn() { core::setMainWindowHost(this); }
    ~MainWindowStandIn() override { core::setMainWindowHost(nullptr); }
    void setMousePointer(int) override {}
    int mousePointer() const override { return 0; }
    QWidget* ownerWidget() override { return nullptr; }
    void unloadWindow() override { ++unloads; }
    int unloads = 0;
};

TEST(SecondCopy, EndsInInitialiseThroughTheMainWindow) {
    const QByteArray firstRuntime = qgetenv(kFirstCopyRuntime);
    if (firstRuntime.isEmpty()) GTEST_SKIP() << "runs as the child of FirstCopy";
    setenv("XDG_RUNTIME_DIR", firstRuntime.constData(), 1);
    ASSERT_TRUE(calendar::prevInstance());

    MainWindowStandIn mainWindow;
    library::FrmCalendar& dialog = forms::defaultInstance<library::FrmCalendar>();
    EXPECT_TRUE(dialog.endingProgram());
    EXPECT_EQ(mainWindow.unloads, 1);
    library::showFrmcalendar();
    EXPECT_FALSE(dialog.isVisible());
    // Initialise ended before it filled anything.
    EXPECT_EQ(dialog.wnlqd()->findChild<forms::ComboBox*>(QStringLiteral("Cboyear"))->listCount(), 0);
    EXPECT_TRUE(dialog.txtborntime()->text().isEmpty());
}

TEST(FirstCopy, KeepsRunningAndMakesALaterCopyEnd) {
    if (!qgetenv(kFirstCopyRuntime).isEmpty()) GTEST_SKIP();
    ASSERT_TRUE(calendar::registerInstance());
    EXPECT_FALSE(calendar::prevInstance());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kFirstCopyRuntime), QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SecondCopy.EndsInInitialiseThroughTheMainWindow")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

}  // namespace
