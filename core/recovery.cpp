#include "core/recovery.h"

#include "platform/vb/folders.h"
#include "platform/vb/unattended_end.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace core {

namespace {

constexpr char16_t kNoticeName[] = u"last-end-notice.txt";

struct Kept {
    QString what;
    QString path;
};

QList<Kept>& keptThisEnd() {
    static QList<Kept> kept;
    return kept;
}

// The folders that may hold recovery files, in the order they are tried.
QStringList recoveryFolders() {
    QStringList folders;
    try {
        folders.append(vb::joinPath(vb::configFolder(), QStringLiteral("recovery")));
    } catch (...) {
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime)) folders.append(vb::joinPath(runtime, QStringLiteral("veyra-recovery")));
    return folders;
}

bool writeWhole(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// Writes into the first folder that takes it; the path written, or empty.
QString writeInFolder(const QString& name, const QByteArray& content) {
    for (const QString& folder : recoveryFolders()) {
        if (!QDir().mkpath(folder)) continue;
        const QString path = vb::joinPath(folder, name);
        if (writeWhole(path, content)) return path;
    }
    return QString();
}

}  // namespace

QString keepUnsavedText(const QString& what, const QString& fileName, const QByteArray& content) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString path = writeInFolder(stamp + u'-' + fileName, content);
    if (path.isEmpty()) {
        std::fprintf(stderr, "Veyra: %s could not be kept in any recovery folder\n", qUtf8Printable(what));
    } else {
        std::fprintf(stderr, "Veyra: %s is kept in %s\n", qUtf8Printable(what), qUtf8Printable(path));
        keptThisEnd().append({what, path});
    }
    return path;
}

void recordUnattendedEnd() {
    const QStringList notes = vb::unattendedNotes();
    if (notes.isEmpty() && keptThisEnd().isEmpty()) return;
    QString text = QStringLiteral("上次程序因收到结束信号或桌面会话结束而退出时，有内容未能保存。");
    if (!notes.isEmpty()) text += QStringLiteral("\n\n当时的提示：\n") + notes.join(u'\n');
    if (!keptThisEnd().isEmpty()) {
        text += QStringLiteral("\n\n未能存入的文字已另存为：");
        for (const Kept& k : keptThisEnd()) text += QStringLiteral("\n%1：%2").arg(k.what, k.path);
    }
    if (writeInFolder(QString::fromUtf16(kNoticeName), text.toUtf8()).isEmpty())
        std::fprintf(stderr, "Veyra: the notice of this end could not be written\n");
}

QString takeLastEndNotice() {
    for (const QString& folder : recoveryFolders()) {
        QFile file(vb::joinPath(folder, QString::fromUtf16(kNoticeName)));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QString text = QString::fromUtf8(file.readAll());
        file.close();
        file.remove();
        return text;
    }
    return QString();
}

}  // namespace core
