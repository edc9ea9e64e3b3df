#pragma once
// An image list: pictures by text key. A key it does not hold gives a null picture, never an error,
// so a button whose picture is missing simply shows nothing.
#include <QHash>
#include <QPixmap>
#include <QString>

namespace forms {

class ImageList {
public:
    void add(const QString& key, const QPixmap& picture) { pictures_.insert(key, picture); }
    // Adds every "<key>.png" of `folder` under its file's base name; returns how many were added.
    int addFolder(const QString& folder);

    bool contains(const QString& key) const { return pictures_.contains(key); }
    QPixmap picture(const QString& key) const { return pictures_.value(key); }
    int count() const { return static_cast<int>(pictures_.size()); }

private:
    QHash<QString, QPixmap> pictures_;
};

// The pressed ("name_d") and released ("name_u") keys of an image button.
inline QString pressedKey(const QString& name) { return name + QStringLiteral("_d"); }
inline QString releasedKey(const QString& name) { return name + QStringLiteral("_u"); }

}  // namespace forms
