#pragma once
// Copying library folders: the work database with its pages (first start, backups), a whole folder
// (the template refresh, a new library), the size of a folder, and the folder chooser.
#include <QString>

class QWidget;

namespace core {

// Copies the work database and the *.rtf pages of `source` into `target`; both get a trailing "/"
// when missing, which the caller's variables show. Without backup mode (gBackupMode) an existing
// target is left alone; with it the target's earlier backup is replaced. Either way the copy is
// all-or-nothing: everything is written into a hidden folder first and checked, and only then takes
// the place of the target (a new target folder) or of its files (a backup), so a failed or cancelled
// copy changes nothing at the target and a failed first copy is tried again at the next start. No
// source file is ever deleted. Only the program's own files of a backup target (the work database
// and page files) are replaced without asking; for any other file of the same name the copy policy
// decides. Without backup mode a successful copy records `target` as setting LastDB. A call that
// gets past the existing-target test leaves gBackupMode false.
// Returns false when the copy failed or was cancelled (the user has been told).
bool CopyWorkDatabase(QString& source, QString& target);

// Backs the current library (gWorkPath) up into `target`: CopyWorkDatabase in backup mode. False
// when the backup failed or was cancelled (the user has been told).
bool BackUpWorkDatabase(const QString& target);

// Copies every plain file of `source` into `target` (created when missing), replacing files there;
// each file is replaced whole or not at all. Raises the file-system error of a failed copy.
void CopyFolderFiles(const QString& source, const QString& target);

// The total size in bytes of the plain files of `folder`; 0 for an empty or missing folder.
qint64 FolderSize(const QString& folder);

// Asks for a folder through the folder dialog; its path (without a trailing "/"), or "" when the user
// cancels.
QString BrowseForFolder(QWidget* owner, const QString& title);

// The default work folder and the template folder, in the user's data folder, ending in "/".
QString DefaultWorkFolder();
QString TemplateFolder();

// Start-up: on the first start the shipped library of the program folder is copied into the default
// work folder (the program folder keeps its files); then the template folder is refreshed from the
// shipped library.
void SetUpLibraryFolders();

}  // namespace core
