#pragma once
// Copying library folders: the work database with its pages (first start, backups), a whole folder
// (the template refresh, a new library), the size of a folder, and the folder chooser.
#include <QString>

class QWidget;

namespace core {

// Copies the work database and the *.rtf pages of `source` into `target`; both get a trailing "/"
// when missing, which the caller's variables show. Without backup mode (gBackupMode) an existing
// target is left alone; with it the target's earlier backup is replaced, and pages of items that the
// database no longer has are left out. Either way the copy is all-or-nothing: everything is written
// into a hidden sibling folder first and checked, and only then takes the target's place in one step
// (the user's other files of an existing target stay with it), so a failed, cancelled or interrupted
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

// Makes a new library in `target` from the template folder: its database and pages only. An existing
// folder takes the new contents in one step, once they are whole: the library files it held (its
// database and every item page) are gone then, its other files and folders stay. Refused with 3045
// while another process has that folder's database open. Raises the error of a failure, which
// changes nothing at the target.
void MakeLibraryFromTemplate(const QString& target);

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

// Start-up, while no other copy of the program runs: removes what an interrupted earlier run left in
// the data folder, the default work, template and proposed folders, the work folder `workFolder`
// (ending in "/") with its backup folder, and the staging of the work folder beside it.
void RemoveInterruptedCopiesOfLibraries(const QString& workFolder);

}  // namespace core
