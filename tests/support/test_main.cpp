// Test entry point: every test binary runs headless with its own user folders, so no test reads or
// writes the developer's real settings or data.
#include "platform/vb/pointer_display.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/veyra-test-XXXXXX"));
    const QByteArray base = root.path().toUtf8();
    for (const char* sub : {"data", "config", "runtime"}) QDir().mkpath(root.path() + "/" + sub);
    setenv("XDG_DATA_HOME", (base + "/data").constData(), 1);
    setenv("XDG_CONFIG_HOME", (base + "/config").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (base + "/runtime").constData(), 1);
    setenv("VEYRA_TEST_USER_ROOT", base.constData(), 1);
    QFile::setPermissions(root.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    vb::installPointerDisplay();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
