#include "core/page_file.h"

#include "platform/vb/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

bool inside(const QString& path, const QString& folder) {
    const QString root = QFileInfo(folder).canonicalFilePath();
    return !root.isEmpty() && !path.isEmpty() && path.startsWith(root + u'/');
}

}  // namespace

void unlinkPageLeadingOut(const QString& path, const QString& folder) {
    const QFileInfo page(path);
    if (!page.isSymLink()) return;
    // The link's final target, every link on the way followed; empty when it leads nowhere.
    if (inside(page.canonicalFilePath(), folder)) return;
    if (!QFile::remove(path)) vb::raise(vb::kPathFileAccessError, path);
}

QString keepOriginalPage(const QString& path) {
    const QString base = path + QStringLiteral(".orig");
    constexpr int kMaxCopies = 100;
    for (int n = 1; n <= kMaxCopies; ++n) {
        const QString copy = n == 1 ? base : base + QString::number(n);
        if (QFileInfo(copy).exists() || QFileInfo(copy).isSymLink()) continue;
        if (QFile::copy(path, copy)) return copy;
        break;
    }
    vb::raise(vb::kPathFileAccessError, path);
}

}  // namespace core
