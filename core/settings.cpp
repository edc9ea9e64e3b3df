#include "core/settings.h"

#include "platform/registry/registry.h"
#include "platform/vb/error.h"
#include "platform/vb/variant.h"

namespace core {

namespace {

struct OptionSpec {
    const char16_t* key;  // name of the stored value
    bool boolean;         // Boolean, else 16-bit integer
    int byDefault;
};

// In the order of CSettings::Option.
constexpr std::array<OptionSpec, CSettings::kOptionCount> kOptions{{
    {u"CompactOnExit", true, 1},
    {u"BackupAtStart", true, 0},
    {u"SaveFormLayout", true, 1},
    {u"Readpagenumber", false, 2},
    {u"Readloopnumber", false, 1},
    {u"Readpageloopnum", false, 1},
    {u"Readvelocityvalue", false, 1},
}};

QString app() { return QString::fromUtf16(kSettingsApp); }
QString section() { return QString::fromUtf16(kSettingsSection); }

// The stored value of `option`; its default when it is absent or does not convert.
int readOption(const OptionSpec& option) {
    const QString key = QString::fromUtf16(option.key);
    if (option.boolean) return settingBool(key, option.byDefault != 0) ? 1 : 0;
    const double value = settingNumber(key, option.byDefault);
    try {
        return vb::Variant(value).toInt();
    } catch (const vb::Error&) {
        return option.byDefault;
    }
}

// `stored` converted by `convert`; `byDefault` when it is absent, empty or does not convert.
template <class T, class Convert>
T convertedOr(const QString& stored, T byDefault, Convert convert) {
    if (stored.trimmed().isEmpty()) return byDefault;
    try {
        return convert(vb::Variant(stored));
    } catch (const vb::Error&) {
        return byDefault;
    }
}

}  // namespace

QString settingText(const QString& key, const QString& byDefault) {
    return registry::GetSetting(app(), section(), key, byDefault);
}

double settingNumber(const QString& key, double byDefault) {
    return convertedOr(settingText(key), byDefault, [](const vb::Variant& v) {
        if (!v.isNumeric()) vb::raise(vb::kTypeMismatch);
        return v.toDouble();
    });
}

bool settingBool(const QString& key, bool byDefault) {
    return convertedOr(settingText(key), byDefault, [](const vb::Variant& v) { return v.toBool(); });
}

void saveSetting(const QString& key, const vb::Variant& value) { registry::SaveSetting(app(), section(), key, value); }

CSettings::CSettings() {
    for (int i = 0; i < kOptionCount; ++i) values_[i] = readOption(kOptions[i]);
}

CSettings::~CSettings() {
    try {
        Save();
    } catch (const vb::Error&) {
    }
}

void CSettings::Save() const {
    for (int i = 0; i < kOptionCount; ++i) {
        const OptionSpec& option = kOptions[i];
        const vb::Variant value = option.boolean ? vb::Variant(values_[i] != 0)
                                                 : vb::Variant(static_cast<int16_t>(values_[i]));
        registry::SaveSetting(app(), section(), QString::fromUtf16(option.key), value);
    }
}

}  // namespace core
