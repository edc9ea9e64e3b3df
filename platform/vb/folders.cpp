#include "platform/vb/folders.h"

#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QDir>

namespace vb {

namespace {

QString gProgramFolderOverride;

// An XDG base folder: the variable when it holds an absolute path, else the default under $HOME.
QString xdgFolder(const char* variable, const QString& homeRelative) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + homeRelative);
}

QString ensureFolder(const QString& path, const char* who) {
    if (!QDir().mkpath(path)) raise(kPathFileAccessError, QString::fromLatin1(who), QStringLiteral("Path/File access error: ") + path);
    return path;
}

}  // namespace

QString programFolder() {
    if (!gProgramFolderOverride.isEmpty()) return gProgramFolderOverride;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& path) { gProgramFolderOverride = path.isEmpty() ? QString() : QDir::cleanPath(path); }

QString dataFolder() {
    return ensureFolder(xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/veyra"), "dataFolder");
}

QString configFolder() {
    return ensureFolder(xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/veyra"), "configFolder");
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    QString f = folder;
    while (f.size() > 1 && f.endsWith(QLatin1Char('/'))) f.chop(1);
    QString n = name;
    while (n.startsWith(QLatin1Char('/'))) n.remove(0, 1);
    return f == QLatin1String("/") ? f + n : f + QLatin1Char('/') + n;
}

}  // namespace vb
