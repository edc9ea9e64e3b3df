#pragma once
// The class registry: keys ("CLSID\{...}\InprocServer32") with named values and a default value,
// kept in the user's config folder as INI text ("classes.ini"): one section per key, "@" for the default
// value. A key may exist without values (such as "Programmable"). Writers lock the file and replace it
// atomically.
#include "platform/com/guid.h"

#include <QString>

#include <map>
#include <vector>

namespace com {

class ClassRegistry {
public:
    // $XDG_CONFIG_HOME/veyra/classes.ini (~/.config/veyra when XDG_CONFIG_HOME is unset or not absolute).
    static QString defaultPath();

    explicit ClassRegistry(QString path = defaultPath());

    // Reads the file; a missing file is an empty registry. False when it cannot be read.
    bool load();
    // Writes the file (creating its folder); false when that fails.
    bool save() const;

    const QString& path() const { return path_; }

    bool hasKey(const QString& key) const;
    // Creates the key (and no parents: keys are independent sections).
    void createKey(const QString& key);
    // "" names the default value. Empty string when absent.
    QString value(const QString& key, const QString& name = QString()) const;
    void setValue(const QString& key, const QString& name, const QString& value);
    // Removes the key and every key below it.
    void removeTree(const QString& key);
    QStringList keys() const;

    // The library path registered for a class, or empty.
    QString inprocServer(const Guid& clsid) const;

    friend bool operator==(const ClassRegistry& a, const ClassRegistry& b) { return a.keys_ == b.keys_; }

private:
    struct Key {
        QString name;
        std::vector<std::pair<QString, QString>> values;
        friend bool operator==(const Key&, const Key&) = default;
    };
    Key* find(const QString& key);
    const Key* find(const QString& key) const;

    QString path_;
    std::vector<Key> keys_;
};

}  // namespace com
