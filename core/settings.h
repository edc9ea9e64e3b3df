#pragma once
// The user's options: read from the settings store when the object is made, written back, all of
// them, when it is released. In between they live only in the object.
#include "platform/vb/variant.h"

#include <QString>

#include <array>
#include <cstdint>

namespace core {

class CSettings {
public:
    // Reads the seven options; a value that is absent, or that does not convert, takes its default.
    CSettings();
    // Writes all seven options (a failure to write is not reported: the object is going away).
    ~CSettings();
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Reading-panel options, edited only by the options dialog.
    int16_t Readvelocity() const { return static_cast<int16_t>(values_[kReadvelocity]); }
    void setReadvelocity(int16_t v) { values_[kReadvelocity] = v; }
    int16_t ReadPageloop() const { return static_cast<int16_t>(values_[kReadPageloop]); }
    void setReadPageloop(int16_t v) { values_[kReadPageloop] = v; }
    int16_t Readloop() const { return static_cast<int16_t>(values_[kReadloop]); }
    void setReadloop(int16_t v) { values_[kReadloop] = v; }
    int16_t ReadPage() const { return static_cast<int16_t>(values_[kReadPage]); }
    void setReadPage(int16_t v) { values_[kReadPage] = v; }

    bool SaveFormLayout() const { return values_[kSaveFormLayout] != 0; }
    void setSaveFormLayout(bool v) { values_[kSaveFormLayout] = v; }
    bool BackupDatabaseAtStart() const { return values_[kBackupDatabaseAtStart] != 0; }
    void setBackupDatabaseAtStart(bool v) { values_[kBackupDatabaseAtStart] = v; }
    bool CompactDatabaseOnExit() const { return values_[kCompactDatabaseOnExit] != 0; }
    void setCompactDatabaseOnExit(bool v) { values_[kCompactDatabaseOnExit] = v; }

    // Writes all seven options now, as the release does; raises the store's error.
    void Save() const;

    // The options, in the order they are read and written.
    enum Option { kCompactDatabaseOnExit, kBackupDatabaseAtStart, kSaveFormLayout, kReadPage, kReadloop,
                  kReadPageloop, kReadvelocity, kOptionCount };

private:
    std::array<int, kOptionCount> values_{};
};

// Where the options are stored: application "veyraww", section "Settings".
inline constexpr char16_t kSettingsApp[] = u"veyraww";
inline constexpr char16_t kSettingsSection[] = u"Settings";

// One value of that section. A value that is absent, or that does not convert to what the reader
// wants ("abc" for a number, "" for anything), gives the default: a damaged file never stops a start.
QString settingText(const QString& key, const QString& byDefault = QString());
double settingNumber(const QString& key, double byDefault);
bool settingBool(const QString& key, bool byDefault);
// Stores the value's text ("True"/"False", decimal); raises the store's error.
void saveSetting(const QString& key, const vb::Variant& value);

}  // namespace core
