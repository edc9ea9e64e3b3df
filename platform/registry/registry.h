#pragma once
// The per-user settings store: one INI file per application in the user's configuration folder
// ($XDG_CONFIG_HOME/veyra/<app>.ini), a group per section and a text value per key. Values are kept
// as texts ("True", "False", decimal numbers) as the program writes them. Sections and keys match
// without regard to case, and a key keeps the spelling it was first written with. "/" or "\" in a
// section names a subsection.
#include "platform/vb/variant.h"

#include <QString>

namespace registry {

// GetSetting: the stored text, or `defaultValue` when the key (or its section) is absent. An empty
// stored text is returned as such. Raises 5 for an empty application, section or key.
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

// SaveSetting: stores the value's text (CStr: "True"/"False" for Booleans, decimal for numbers) and
// writes it through to the file. Raises 5 for an empty application, section or key, 94 for Null, and
// 75 when the file cannot be written.
void SaveSetting(const QString& app, const QString& section, const QString& key, const vb::Variant& value);

// DeleteSetting: removes one key, or the whole section when `key` is empty. Removing what is not
// there does nothing. Raises 5 for an empty application or section, 75 when the file cannot be
// written.
void DeleteSetting(const QString& app, const QString& section, const QString& key = QString());

// The file that holds an application's settings.
QString settingsFile(const QString& app);

}  // namespace registry
