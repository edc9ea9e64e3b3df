// The program, data and configuration folders.
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vb;

namespace {

// Sets an environment variable for the life of the object.
class EnvOverride {
public:
    EnvOverride(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        if (value.isNull()) unsetenv(name);
        else setenv(name, value.constData(), 1);
    }
    ~EnvOverride() {
        if (had_) setenv(name_, old_.constData(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

TEST(VbFolders, ProgramFolderIsTheExecutablesFolderUnlessOverridden) {
    EXPECT_EQ(QFileInfo(programFolder()).canonicalFilePath(), QFileInfo(testenv::programDir()).canonicalFilePath());
    EXPECT_FALSE(programFolder().endsWith(QLatin1Char('/')));
    setProgramFolder(QStringLiteral("/opt/veyra/"));
    EXPECT_EQ(programFolder(), QStringLiteral("/opt/veyra"));
    setProgramFolder(QString());
    EXPECT_EQ(QFileInfo(programFolder()).canonicalFilePath(), QFileInfo(testenv::programDir()).canonicalFilePath());
}

TEST(VbFolders, DataFolderIsUnderXdgDataHomeAndCreatedOnDemand) {
    QTemporaryDir root;
    EnvOverride env("XDG_DATA_HOME", (root.path() + "/share").toUtf8());
    const QString expected = root.path() + QStringLiteral("/share/veyra");
    EXPECT_FALSE(QFileInfo::exists(expected));
    EXPECT_EQ(dataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(dataFolder(), expected);  // a second call finds it
}

TEST(VbFolders, DefaultsUnderHomeWhenTheVariableIsUnsetOrRelative) {
    QTemporaryDir home;
    EnvOverride h("HOME", home.path().toUtf8());
    {
        EnvOverride d("XDG_DATA_HOME", QByteArray());
        EXPECT_EQ(dataFolder(), home.path() + QStringLiteral("/.local/share/veyra"));
    }
    {
        EnvOverride d("XDG_DATA_HOME", "relative/path");
        EXPECT_EQ(dataFolder(), home.path() + QStringLiteral("/.local/share/veyra"));
    }
    {
        EnvOverride c("XDG_CONFIG_HOME", QByteArray());
        EXPECT_EQ(configFolder(), home.path() + QStringLiteral("/.config/veyra"));
    }
}

TEST(VbFolders, TestRunsUseTheirOwnUserFolders) {
    EXPECT_TRUE(dataFolder().startsWith(testenv::userRoot()));
    EXPECT_TRUE(configFolder().startsWith(testenv::userRoot()));
}

TEST(VbFolders, AFolderThatCannotBeMadeRaisesPathFileAccessError) {
    QTemporaryDir root;
    QFile blocker(root.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EnvOverride env("XDG_DATA_HOME", (root.path() + "/file").toUtf8());
    try {
        dataFolder();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kPathFileAccessError);
    }
}

TEST(VbFolders, JoinPathPutsOneSlash) {
    EXPECT_EQ(joinPath(QStringLiteral("/a/b"), QStringLiteral("c.mdb")), QStringLiteral("/a/b/c.mdb"));
    EXPECT_EQ(joinPath(QStringLiteral("/a/b/"), QStringLiteral("/c.mdb")), QStringLiteral("/a/b/c.mdb"));
    EXPECT_EQ(joinPath(QStringLiteral("/"), QStringLiteral("c")), QStringLiteral("/c"));
    EXPECT_EQ(joinPath(QString(), QStringLiteral("c")), QStringLiteral("c"));
}

}  // namespace
