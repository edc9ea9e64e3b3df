#include "platform/registry/registry.h"

#include "platform/vb/error.h"
#include "platform/vb/folders.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

namespace registry {

namespace {

void requireName(const QString& name, const char* who) {
    if (name.trimmed().isEmpty()) vb::raise(vb::kInvalidProcedureCall, QString::fromLatin1(who));
}

// A matching name among `names`, compared without regard to case; `name` itself when none.
QString existingSpelling(const QStringList& names, const QString& name) {
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return n;
    return name;
}

// Enters the groups of a section path, each by its stored spelling. Returns false when a level is
// absent (the groups are still entered with the given spelling, ready for a write).
bool enterSection(QSettings& s, const QString& section) {
    static const QRegularExpression separators(QStringLiteral("[/\\\\]+"));
    bool found = true;
    for (const QString& part : section.split(separators, Qt::SkipEmptyParts)) {
        const QStringList groups = s.childGroups();
        const QString spelling = existingSpelling(groups, part);
        if (!groups.contains(spelling)) found = false;
        s.beginGroup(spelling);
    }
    return found;
}

void writeThrough(QSettings& s, const char* who) {
    s.sync();
    if (s.status() != QSettings::NoError)
        vb::raise(vb::kPathFileAccessError, QString::fromLatin1(who),
                  QStringLiteral("Path/File access error: ") + s.fileName());
}

QString storedText(const QVariant& v) {
    // A value edited by hand as "a,b" reads as a list; it is still one text.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

}  // namespace

QString settingsFile(const QString& app) {
    requireName(app, "GetSetting");
    return vb::configFolder() + QLatin1Char('/') + app + QStringLiteral(".ini");
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& defaultValue) {
    requireName(app, "GetSetting");
    requireName(section, "GetSetting");
    requireName(key, "GetSetting");
    QSettings s(settingsFile(app), QSettings::IniFormat);
    if (!enterSection(s, section)) return defaultValue;
    const QStringList keys = s.childKeys();
    const QString spelling = existingSpelling(keys, key);
    if (!keys.contains(spelling)) return defaultValue;
    return storedText(s.value(spelling));
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const vb::Variant& value) {
    requireName(app, "SaveSetting");
    requireName(section, "SaveSetting");
    requireName(key, "SaveSetting");
    const QString text = value.toString();  // Null raises 94 before anything is written
    QSettings s(settingsFile(app), QSettings::IniFormat);
    enterSection(s, section);
    s.setValue(existingSpelling(s.childKeys(), key), text);
    writeThrough(s, "SaveSetting");
}

void DeleteSetting(const QString& app, const QString& section, const QString& key) {
    requireName(app, "DeleteSetting");
    requireName(section, "DeleteSetting");
    QSettings s(settingsFile(app), QSettings::IniFormat);
    if (!enterSection(s, section)) return;
    if (key.isEmpty()) {
        s.remove(QString());  // the current group and everything in it
    } else {
        const QStringList keys = s.childKeys();
        const QString spelling = existingSpelling(keys, key);
        if (!keys.contains(spelling)) return;
        s.remove(spelling);
    }
    writeThrough(s, "DeleteSetting");
}

}  // namespace registry
