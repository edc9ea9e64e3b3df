#include "core/settings.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

namespace {

const QString kApp = QStringLiteral("veyraww");
const QString kSection = QStringLiteral("Settings");

QString stored(const char* key) { return registry::GetSetting(kApp, kSection, QString::fromLatin1(key), QStringLiteral("<absent>")); }

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { registry::DeleteSetting(kApp, kSection); }
    void TearDown() override { registry::DeleteSetting(kApp, kSection); }
};

TEST_F(SettingsTest, FirstRunReadsTheDefaultsAndReleaseWritesAllSeven) {
    {
        core::CSettings settings;
        EXPECT_EQ(settings.Readvelocity(), 1);
        EXPECT_EQ(settings.ReadPageloop(), 1);
        EXPECT_EQ(settings.Readloop(), 1);
        EXPECT_EQ(settings.ReadPage(), 2);
        EXPECT_TRUE(settings.SaveFormLayout());
        EXPECT_FALSE(settings.BackupDatabaseAtStart());
        EXPECT_TRUE(settings.CompactDatabaseOnExit());
        EXPECT_EQ(stored("CompactOnExit"), QStringLiteral("<absent>"));  // nothing is written before release
    }
    EXPECT_EQ(stored("CompactOnExit"), QStringLiteral("True"));
    EXPECT_EQ(stored("BackupAtStart"), QStringLiteral("False"));
    EXPECT_EQ(stored("SaveFormLayout"), QStringLiteral("True"));
    EXPECT_EQ(stored("Readpagenumber"), QStringLiteral("2"));
    EXPECT_EQ(stored("Readloopnumber"), QStringLiteral("1"));
    EXPECT_EQ(stored("Readpageloopnum"), QStringLiteral("1"));
    EXPECT_EQ(stored("Readvelocityvalue"), QStringLiteral("1"));
}

TEST_F(SettingsTest, ChangesReachTheStoreAtRelease) {
    {
        core::CSettings settings;
        settings.setBackupDatabaseAtStart(true);
        settings.setReadvelocity(-5);
        settings.setSaveFormLayout(false);
    }
    EXPECT_EQ(stored("BackupAtStart"), QStringLiteral("True"));
    EXPECT_EQ(stored("Readvelocityvalue"), QStringLiteral("-5"));
    core::CSettings again;
    EXPECT_TRUE(again.BackupDatabaseAtStart());
    EXPECT_FALSE(again.SaveFormLayout());
    EXPECT_EQ(again.Readvelocity(), -5);
}

struct StoredCase {
    const char* key;
    const char* text;
    int expected;  // what the option reads as
};

class SettingsConversionTest : public SettingsTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(SettingsConversionTest, ReadsStoredTextOrFallsBackToTheDefault) {
    const StoredCase& c = GetParam();
    registry::SaveSetting(kApp, kSection, QString::fromLatin1(c.key), QString::fromLatin1(c.text));
    core::CSettings settings;
    const int read = QByteArray(c.key) == "BackupAtStart"  ? settings.BackupDatabaseAtStart()
                     : QByteArray(c.key) == "CompactOnExit" ? settings.CompactDatabaseOnExit()
                                                            : settings.ReadPage();
    EXPECT_EQ(read, c.expected);
}

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.key << "=" << c.text; }

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsConversionTest,
    ::testing::Values(StoredCase{"BackupAtStart", "true", 1}, StoredCase{"BackupAtStart", "TRUE", 1},
                      StoredCase{"BackupAtStart", "-1", 1}, StoredCase{"CompactOnExit", "0", 0},
                      StoredCase{"CompactOnExit", "False", 0},
                      // Values that do not convert take the default instead of stopping the start.
                      StoredCase{"BackupAtStart", "maybe", 0}, StoredCase{"CompactOnExit", "", 1},
                      StoredCase{"Readpagenumber", "7", 7}, StoredCase{"Readpagenumber", "40000", 2},
                      StoredCase{"Readpagenumber", "abc", 2}, StoredCase{"Readpagenumber", "-32768", -32768}));

}  // namespace
