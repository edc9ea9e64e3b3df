// The settings store against the test run's own configuration folder.
#include "tests/support/error_number.h"
#include "platform/registry/registry.h"
#include "platform/vb/error.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "tests/support/qt_print.h"

using namespace registry;

namespace {

using testenv::errorOf;

// Each test writes its own application, removed afterwards.
class RegistrySettings : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = QStringLiteral("veyratest_") + QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        QFile::remove(settingsFile(app_));
    }
    void TearDown() override { QFile::remove(settingsFile(app_)); }
    QString app_;
};

TEST_F(RegistrySettings, TheFileLiesInTheUsersConfigFolder) {
    const QString file = settingsFile(app_);
    EXPECT_TRUE(file.startsWith(testenv::userRoot() + QStringLiteral("/config/veyra/"))) << file.toStdString();
    EXPECT_TRUE(file.endsWith(app_ + QStringLiteral(".ini")));
    EXPECT_FALSE(QFileInfo::exists(file));
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("LastDB"), QStringLiteral("/home/u/sysfiles/"));
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST_F(RegistrySettings, AbsentValuesGiveTheDefault) {
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("CompactOnExit"), QStringLiteral("True")),
              QStringLiteral("True"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("CompactOnExit")), QString());
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("Other"), 1);
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("CompactOnExit"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Elsewhere"), QStringLiteral("Other"), QStringLiteral("y")),
              QStringLiteral("y"));
}

TEST_F(RegistrySettings, ValuesAreStoredAsTheProgramsTexts) {
    struct Case {
        vb::Variant value;
        const char16_t* stored;
    };
    const Case cases[] = {
        {true, u"True"},
        {false, u"False"},
        {2, u"2"},
        {static_cast<int16_t>(-32768), u"-32768"},
        {-2147483643, u"-2147483643"},  // a system colour as CStr(CLng(...)) writes it
        {2055.5, u"2055.5"},
        {QStringLiteral("/home/u/sysfiles/"), u"/home/u/sysfiles/"},
        {QStringLiteral(""), u""},
        {QStringLiteral("a, b"), u"a, b"},
        {QStringLiteral(" padded "), u" padded "},
        {QStringLiteral("@Variant(x)"), u"@Variant(x)"},
        {QStringLiteral("k=v;#x"), u"k=v;#x"},
        {QStringLiteral("two\nlines"), u"two\nlines"},
        {QStringLiteral("紫微斗数"), u"紫微斗数"},
        {QStringLiteral("C:\\old\\path\\"), u"C:\\old\\path\\"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString key = QStringLiteral("k%1").arg(n++);
        SCOPED_TRACE(key.toStdString());
        SaveSetting(app_, QStringLiteral("Settings"), key, c.value);
        EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), key, QStringLiteral("absent")), QString::fromUtf16(c.stored));
    }
    // Another reader of the file sees plain texts too.
    QSettings raw(settingsFile(app_), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Settings/k0")).toString(), QStringLiteral("True"));
    EXPECT_EQ(raw.value(QStringLiteral("Settings/k2")).toString(), QStringLiteral("2"));
}

TEST_F(RegistrySettings, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling) {
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("BackupAtStart"), false);
    EXPECT_EQ(GetSetting(app_, QStringLiteral("settings"), QStringLiteral("backupatstart")), QStringLiteral("False"));
    SaveSetting(app_, QStringLiteral("SETTINGS"), QStringLiteral("BACKUPATSTART"), true);
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("BackupAtStart")), QStringLiteral("True"));
    QSettings raw(settingsFile(app_), QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups(), QStringList{QStringLiteral("Settings")});
    raw.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(raw.childKeys(), QStringList{QStringLiteral("BackupAtStart")});
}

TEST_F(RegistrySettings, ApplicationsAndSectionsAreApart) {
    const QString other = app_ + QStringLiteral("_other");
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("Key"), QStringLiteral("a"));
    SaveSetting(app_, QStringLiteral("Layout"), QStringLiteral("Key"), QStringLiteral("b"));
    SaveSetting(other, QStringLiteral("Settings"), QStringLiteral("Key"), QStringLiteral("c"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("Key")), QStringLiteral("a"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Layout"), QStringLiteral("Key")), QStringLiteral("b"));
    EXPECT_EQ(GetSetting(other, QStringLiteral("Settings"), QStringLiteral("Key")), QStringLiteral("c"));
    SaveSetting(app_, QStringLiteral("Splitter\\Panes"), QStringLiteral("Key"), QStringLiteral("d"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("splitter/panes"), QStringLiteral("key")), QStringLiteral("d"));
    QFile::remove(settingsFile(other));
}

TEST_F(RegistrySettings, DeleteSettingRemovesAKeyOrASection) {
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("A"), 1);
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("B"), 2);
    SaveSetting(app_, QStringLiteral("Layout"), QStringLiteral("C"), 3);
    DeleteSetting(app_, QStringLiteral("settings"), QStringLiteral("a"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("A"), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("B")), QStringLiteral("2"));
    DeleteSetting(app_, QStringLiteral("Settings"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Settings"), QStringLiteral("B"), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(GetSetting(app_, QStringLiteral("Layout"), QStringLiteral("C")), QStringLiteral("3"));
    // What is not there is no error.
    EXPECT_EQ(errorOf([&] { DeleteSetting(app_, QStringLiteral("Settings"), QStringLiteral("A")); }), 0);
    EXPECT_EQ(errorOf([&] { DeleteSetting(app_, QStringLiteral("Nowhere")); }), 0);
}

TEST_F(RegistrySettings, SavedValuesAreOnDiskAtOnce) {
    SaveSetting(app_, QStringLiteral("Settings"), QStringLiteral("Readpagenumber"), 2);
    QFile f(settingsFile(app_));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray content = f.readAll();
    EXPECT_NE(content.indexOf("[Settings]"), -1);
    EXPECT_NE(content.indexOf("Readpagenumber=2"), -1);
}

TEST_F(RegistrySettings, MisuseRaisesTheRuntimesErrors) {
    EXPECT_EQ(errorOf([&] { GetSetting(QString(), QStringLiteral("S"), QStringLiteral("K")); }), vb::kInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { GetSetting(app_, QString(), QStringLiteral("K")); }), vb::kInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { GetSetting(app_, QStringLiteral("S"), QString()); }), vb::kInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { SaveSetting(app_, QStringLiteral("S"), QString(), 1); }), vb::kInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { DeleteSetting(app_, QString()); }), vb::kInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { SaveSetting(app_, QStringLiteral("S"), QStringLiteral("K"), vb::Variant::null()); }),
              vb::kInvalidUseOfNull);
    EXPECT_FALSE(QFileInfo::exists(settingsFile(app_)));  // nothing was written
}

TEST_F(RegistrySettings, AFileThatCannotBeWrittenIsReported) {
    // A folder in the file's place: no one can write the file, not even an administrator.
    ASSERT_TRUE(QDir().mkpath(settingsFile(app_)));
    const int error = errorOf([&] { SaveSetting(app_, QStringLiteral("S"), QStringLiteral("K"), 2); });
    const int deleteError = errorOf([&] { DeleteSetting(app_, QStringLiteral("S")); });
    QDir().rmdir(settingsFile(app_));
    EXPECT_EQ(error, vb::kPathFileAccessError);
    EXPECT_EQ(deleteError, 0);  // nothing there to delete
}

}  // namespace
