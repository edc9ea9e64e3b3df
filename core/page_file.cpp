#include "core/page_file.h"

#include "platform/vb/error.h"

#include <QFile>
#include <QFileInfo>

namespace core {

QString keepOriginalPage(const QString& path) {
    const QString base = path + QStringLiteral(".orig");
    constexpr int kMaxCopies = 100;
    for (int n = 1; n <= kMaxCopies; ++n) {
        const QString copy = n == 1 ? base : base + QString::number(n);
        if (QFileInfo(copy).exists() || QFileInfo(copy).isSymLink()) continue;
        if (QFile::copy(path, copy)) return copy;
        break;
    }
    vb::raise(vb::kPathFileAccessError, QString(), vb::runtimeErrorText(vb::kPathFileAccessError) + QStringLiteral(": ") + path);
}

}  // namespace core
