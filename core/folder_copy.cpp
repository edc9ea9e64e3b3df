#include "core/folder_copy.h"

#include "core/copy_job.h"
#include "core/copy_progress_dialog.h"
#include "core/globals.h"
#include "core/main_window_host.h"
#include "core/staging.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/registry/registry.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

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

// The pages of items that the database at `database` no longer has are left out; all pages when it
// has no item table to tell.
QStringList withoutStalePages(const QStringList& pages, const QString& database) {
    QSet<QString> items;
    try {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(database);
        dao::Recordset rs = db.openRecordset(QStringLiteral("select id from codeitems"), dao::dbOpenSnapshot);
        for (; !rs.eof(); rs.moveNext()) items.insert(rs.value(QStringLiteral("id")).toString());
        rs.close();
        db.close();
    } catch (const vb::Error&) {
        return pages;
    }
    QStringList kept;
    for (const QString& page : pages) {
        const QString key = pageItemKey(QFileInfo(page).fileName());
        if (key.isEmpty() || items.contains(QString::number(key.toLongLong()))) kept.append(page);
    }
    return kept;
}

// The files of `files` that an existing target holds under another owner's name: the copy policy
// decides about each; false when the user cancelled (after telling them).
bool resolveConflicts(QStringList& files, const QString& target) {
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
    return true;
}

// The copy is assembled in a hidden sibling of the target, the database first (the engine's online
// backup of the open database, one consistent state) and then the pages, and takes the target's place
// in one step; an existing target's other files stay with it. False (after telling the user) when
// nothing was changed.
bool copyIntoStagedFolder(QStringList files, const QString& target, bool snapshotDatabase) {
    const bool existing = QFileInfo(target).isDir();
    if (existing && !resolveConflicts(files, target)) return false;
    StagedFolder stage(withoutSlash(target));
    if (snapshotDatabase && !files.isEmpty() && QFileInfo::exists(files.front())) {
        dao::DBEngine::backupDatabase(files.front(), workDatabasePath(stage.path()));
        files.removeFirst();
        stagingFault(StagingStage::DatabaseCopied, stage.path());
    }
    CopyResult result;
    if (!copyIntoStage(files, stage.path(), &result)) return false;
    if (existing) stage.keepOtherEntries();
    stage.replaceTarget();
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
    if (backup) files = QStringList{files.front()} + withoutStalePages(files.mid(1), files.front());
    const bool copied = copyIntoStagedFolder(files, target, backup);
    if (copied && !backup) registry::SaveSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"),
                                                 QStringLiteral("LastDB"), target);
    return copied;
}

void MakeLibraryFromTemplate(const QString& target) {
    const QString templateFolder = TemplateFolder();
    MainWindowHourglass hourglass;
    QStringList files;
    for (const QString& name : QDir(templateFolder).entryList(QDir::Files, QDir::Name)) files.append(templateFolder + name);
    if (!QFileInfo(templateFolder).isDir() || !files.contains(workDatabasePath(templateFolder)))
        vb::raise(vb::kPathNotFound, QStringLiteral("MakeLibraryFromTemplate"),
                  vb::runtimeErrorText(vb::kPathNotFound) + QStringLiteral(": ") + templateFolder);
    StagedFolder stage(withoutSlash(target));
    const CopyResult result = copyFilesInto(files, stage.path(), nullptr);
    if (!result.ok()) vb::raiseSystemError(result.systemError, QStringLiteral("MakeLibraryFromTemplate"), QFileInfo(result.failedPath).absolutePath());
    stage.keepOtherEntries();
    stage.replaceTarget();
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
    if (!QFileInfo(target).isDir() && !QDir().mkdir(target)) vb::raiseSystemError(errno, QStringLiteral("CopyFolderFiles"), target);

    const QString from = withSlash(source);
    QStringList files;
    for (const QString& name : QDir(from).entryList(QDir::Files, QDir::Name)) files.append(from + name);
    const CopyResult result = copyFilesInto(files, withSlash(target), nullptr);
    if (!result.ok()) vb::raiseSystemError(result.systemError, QStringLiteral("CopyFolderFiles"), QFileInfo(result.failedPath).absolutePath());
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
    if (!QFileInfo(templateFolder).isDir() && !QDir().mkpath(templateFolder))
        vb::raiseSystemError(errno, QStringLiteral("SetUpLibraryFolders"), templateFolder);
    const CopyResult result = copyFilesInto(libraryFiles(shipped), templateFolder, nullptr);
    if (!result.ok()) vb::raiseSystemError(result.systemError, QStringLiteral("CopyFolderFiles"), QFileInfo(result.failedPath).absolutePath());
}

void RemoveInterruptedCopiesOfLibraries(const QString& workFolder) {
    const QString data = vb::dataFolder();
    for (const QString& folder : {data, DefaultWorkFolder(), TemplateFolder(), vb::joinPath(data, QStringLiteral("BAK")),
                                  vb::joinPath(data, QStringLiteral("FW")), workFolder, workFolder + QStringLiteral("bak")})
        RemoveInterruptedCopies(folder);
    const QFileInfo work(withoutSlash(workFolder));
    RemoveInterruptedCopies(work.absolutePath(), work.fileName());
}

}  // namespace core
