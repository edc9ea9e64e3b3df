#include "core/folder_copy.h"

#include "core/copy_job.h"
#include "core/copy_progress_dialog.h"
#include "core/globals.h"
#include "core/main_window_host.h"
#include "core/safe_file_writer.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/registry/registry.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace core {

namespace {

void appendSlash(QString& path) {
    if (!path.endsWith(u'/')) path += u'/';
}

QString withSlash(QString path) {
    appendSlash(path);
    return path;
}

QString withoutSlash(QString path) {
    while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
    return path;
}

void reportMissingFolder(const QString& folder) {
    vb::MsgBox(folder + QStringLiteral(" 目錄不存在"), vb::vbOKOnly, QStringLiteral("檔案路徑錯誤"));
}

// Gives a folder made by QTemporaryDir (private to the user) the permissions of a plainly made one.
void setPlainFolderPermissions(const QString& folder) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(folder).constData(), 0777 & ~mask);
}

bool renameOver(const QString& from, const QString& to, int* error) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) return true;
    *error = errno;
    return false;
}

void reportCopyFailure(int systemError) { vb::MsgBox(QString::number(systemError), vb::vbOKOnly); }

void reportCopyCancelled() { vb::MsgBox(QStringLiteral("Operation Failed"), vb::vbOKOnly); }

// The files of a work folder that CopyWorkDatabase takes: the database and every *.rtf page.
QStringList libraryFiles(const QString& folder) {
    QStringList files{workDatabasePath(folder)};
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        files.append(folder + name);
    return files;
}

// Ends the backup mode however the copy ends.
struct BackupModeConsumed {
    ~BackupModeConsumed() { gBackupMode = false; }
};

// Copies `files` into the staging folder under the progress dialog; false (after telling the user)
// when the copy was cancelled or failed.
bool copyIntoStage(const QStringList& files, const QString& stage, CopyResult* result) {
    CopyProgressDialog dialog(mainWindowHost() ? mainWindowHost()->ownerWidget() : nullptr);
    *result = copyFilesInto(files, stage, &dialog);
    dialog.hide();
    if (result->status == CopyResult::Status::Cancelled) {
        reportCopyCancelled();
        return false;
    }
    if (!result->ok()) {
        reportCopyFailure(result->systemError);
        return false;
    }
    return true;
}

// A new target: the copy is assembled in a hidden sibling folder that becomes the target in one
// rename. Returns false (after telling the user) when nothing was made.
bool copyIntoNewFolder(const QStringList& files, const QString& target) {
    const QFileInfo targetInfo(withoutSlash(target));
    QDir parent = targetInfo.absoluteDir();
    if (!parent.exists()) vb::raise(vb::kPathNotFound);
    QTemporaryDir stage(parent.filePath(QStringLiteral(".") + targetInfo.fileName() + QStringLiteral(".partial-XXXXXX")));
    if (!stage.isValid()) vb::raise(vb::kPathFileAccessError);

    CopyResult result;
    if (!copyIntoStage(files, stage.path(), &result)) return false;
    int error = 0;
    if (!renameOver(stage.path(), targetInfo.absoluteFilePath(), &error)) {
        reportCopyFailure(error);
        return false;
    }
    stage.setAutoRemove(false);
    setPlainFolderPermissions(targetInfo.absoluteFilePath());
    return true;
}

// An existing target (a backup): the copy is assembled in a hidden folder inside it, and only when
// all of it is there do its files replace the earlier backup's.
bool copyIntoExistingFolder(QStringList files, const QString& target) {
    const QDir dir(target);
    for (auto it = files.begin(); it != files.end();) {
        const QString name = QFileInfo(*it).fileName();
        const QFileInfo there(dir.filePath(name));
        if (there.isDir()) {
            reportCopyFailure(EISDIR);
            return false;
        }
        if (there.exists() && !isWorkFolderFile(name)) {
            switch (resolveCopyConflict(there.filePath())) {
            case CopyConflict::Replace: break;
            case CopyConflict::Skip: it = files.erase(it); continue;
            case CopyConflict::Cancel: reportCopyCancelled(); return false;
            }
        }
        ++it;
    }

    QTemporaryDir stage(dir.filePath(QStringLiteral(".veyra-copy-XXXXXX")));
    if (!stage.isValid()) vb::raise(vb::kPathFileAccessError);
    CopyResult result;
    if (!copyIntoStage(files, stage.path(), &result)) return false;

    QSet<QString> copied;
    for (const QString& staged : result.written) {
        const QString name = QFileInfo(staged).fileName();
        int error = 0;
        if (!renameOver(staged, dir.filePath(name), &error)) {
            reportCopyFailure(error);
            return false;
        }
        copied.insert(name.toLower());
    }
    // What is left of the earlier backup: pages of items deleted since.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isWorkFolderFile(name) && !copied.contains(name.toLower())) QFile::remove(dir.filePath(name));
    return true;
}

}  // namespace

bool CopyWorkDatabase(QString& source, QString& target) {
    if (!QFileInfo(source).isDir()) {
        reportMissingFolder(source);
        return false;
    }
    MainWindowHourglass hourglass;
    const bool backup = gBackupMode;
    const bool targetExists = QFileInfo(target).isDir();
    if (targetExists && !backup) return true;
    BackupModeConsumed consumed;

    appendSlash(source);
    appendSlash(target);
    if (targetExists && QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;  // a backup onto itself: the files are already there

    QStringList files = libraryFiles(source);
    // The database may be open and in use: its copy is taken with the engine's online backup, so it
    // is one consistent state, and then copied like the pages.
    QTemporaryDir snapshotFolder;
    if (backup && QFileInfo::exists(files.front())) {
        if (!snapshotFolder.isValid()) vb::raise(vb::kPathFileAccessError);
        const QString snapshot = snapshotFolder.filePath(QString::fromUtf16(kWorkDatabaseName));
        dao::DBEngine::backupDatabase(files.front(), snapshot);
        files.front() = snapshot;
    }
    const bool copied = targetExists ? copyIntoExistingFolder(files, target) : copyIntoNewFolder(files, target);
    if (copied && !backup) registry::SaveSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"),
                                                 QStringLiteral("LastDB"), target);
    return copied;
}

bool BackUpWorkDatabase(const QString& target) {
    gBackupMode = true;
    QString source = gWorkPath;
    QString into = target;
    return CopyWorkDatabase(source, into);
}

void CopyFolderFiles(const QString& source, const QString& target) {
    if (!QFileInfo(source).isDir()) {
        reportMissingFolder(source);
        return;
    }
    MainWindowHourglass hourglass;
    if (!QFileInfo(target).isDir() && !QDir().mkdir(target)) vb::raise(vb::kPathFileAccessError);

    const QString from = withSlash(source);
    QStringList files;
    for (const QString& name : QDir(from).entryList(QDir::Files, QDir::Name)) files.append(from + name);
    const CopyResult result = copyFilesInto(files, withSlash(target), nullptr);
    if (!result.ok()) vb::raise(runtimeErrorFor(result.systemError));
}

qint64 FolderSize(const QString& folder) {
    qint64 total = 0;
    for (const QFileInfo& file : QDir(withSlash(folder)).entryInfoList(QDir::Files)) total += file.size();
    return total;
}

QString BrowseForFolder(QWidget* owner, const QString& title) {
    const QString chosen = forms::chooseFolder(owner, title);
    return chosen.isEmpty() ? QString() : withoutSlash(chosen);
}

QString DefaultWorkFolder() { return vb::joinPath(vb::dataFolder(), QStringLiteral("sysfiles/")); }

QString TemplateFolder() { return vb::joinPath(vb::dataFolder(), QStringLiteral("nefilse/")); }

void SetUpLibraryFolders() {
    QString program = vb::programFolder();
    QString work = DefaultWorkFolder();
    CopyWorkDatabase(program, work);
    // The template of a new library is the shipped starter library, never the user's own notes.
    MainWindowHourglass hourglass;
    const QString shipped = withSlash(program);
    const QString templateFolder = TemplateFolder();
    if (!QFileInfo(templateFolder).isDir() && !QDir().mkpath(templateFolder)) vb::raise(vb::kPathFileAccessError);
    const CopyResult result = copyFilesInto(libraryFiles(shipped), templateFolder, nullptr);
    if (!result.ok()) vb::raise(runtimeErrorFor(result.systemError));
}

}  // namespace core
