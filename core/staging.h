#pragma once
// Folders assembled beside the one they become: a new library or a backup is written into a hidden
// sibling of its target and takes the target's place in one step, so an interruption leaves the
// earlier folder or the new one, never a mix. What an interrupted run left of its staging is found by
// the names given here and removed at the next start.
#include <QString>

#include <functional>

namespace core {

// Test seam: where a staged copy can be interrupted. Throwing from the hook makes the copy fail there.
enum class StagingStage {
    DatabaseCopied,  // a backup's database is in the staging folder, its pages are not yet
    Complete,        // the staging folder holds everything; next comes the swap
    Swapped,         // the staging folder has taken the target's place; the earlier one is not yet removed
};
void setStagingFault(std::function<void(StagingStage, const QString& stagingFolder)> fault);
void stagingFault(StagingStage stage, const QString& stagingFolder);

// A hidden sibling folder of `target` (a path without a trailing "/") for the new contents; removed
// when released unless it has become the target.
class StagedFolder {
public:
    explicit StagedFolder(const QString& target);
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    // The staging folder, ending in "/".
    QString path() const { return path_ + u'/'; }
    // Puts into the staging folder, without copying their bytes, the entries of the existing target
    // that the new contents do not hold and that are not the program's own library files: the user's
    // other files and folders stay with the folder.
    void keepOtherEntries();
    // The staging folder takes the target's place in one step (the earlier folder, if any, is
    // removed after that). Refused with 3045 while another process has the target's work database
    // open. Raises the file system's error, leaving the target as it was.
    void replaceTarget();

private:
    QString target_;
    QString path_;
};

// Removes from `folder` what an interrupted run of this program left there: staging folders, the
// copies of a compaction and the temporary files of a file being written, found by the names this
// program gives them; with `stagedFor`, only the staging folders of that sibling folder. To be called
// only while no other copy of the program runs, which may be using them.
void RemoveInterruptedCopies(const QString& folder, const QString& stagedFor = QString());

}  // namespace core
