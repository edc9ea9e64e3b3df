#include "library/folder_paths.h"

#include <QDir>
#include <QFileInfo>

namespace library {

QString resolvedFolder(const QString& folder) {
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString rest;
    // Walk up to the deepest part that exists; the rest is kept as written.
    while (!path.isEmpty()) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty()) return QDir::cleanPath(canonical + rest);
        const qsizetype cut = path.lastIndexOf(u'/');
        if (cut < 0) break;
        rest = path.mid(cut) + rest;
        path = path.left(cut);
    }
    return QDir::cleanPath(folder);
}

bool sameFolder(const QString& a, const QString& b) { return resolvedFolder(a) == resolvedFolder(b); }

bool folderWithin(const QString& folder, const QString& outer) {
    const QString base = resolvedFolder(outer);
    return resolvedFolder(folder).startsWith(base.endsWith(u'/') ? base : base + u'/');
}

}  // namespace library
