#pragma once
// Copying a list of files into a folder, each file written whole and checked before it replaces a
// file of the same name, with progress reporting, cancellation and a policy for files that are
// already there.
#include <QString>
#include <QStringList>

#include <functional>

namespace core {

// What to do with a file that already exists at the target.
enum class CopyConflict { Replace, Skip, Cancel };
using CopyConflictPolicy = std::function<CopyConflict(const QString& targetPath)>;

// Replaces the policy (tests script it); an empty function restores the default, which asks the user.
void setCopyConflictPolicy(CopyConflictPolicy policy);
// The answer of the current policy for `targetPath`.
CopyConflict resolveCopyConflict(const QString& targetPath);

// Receives the progress of a copy; the copy dialog is one.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void start(int files, qint64 bytes) = 0;
    virtual void startFile(const QString& source, const QString& target) = 0;
    virtual void advance(qint64 bytesDone) = 0;  // bytes copied so far, over all files
    virtual bool cancelRequested() = 0;
};

struct CopyResult {
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Done;
    int systemError = 0;  // errno of a failure
    QString failedPath;   // the file that failed
    QStringList written;  // targets written, in order

    bool ok() const { return status == Status::Done; }
};

// Copies every file of `sources` to `folder` under its own name, replacing a file there. Stops at
// the first failure or cancellation; a file being written then is dropped, earlier ones stay, and no
// target is ever left half written. `progress` may be null.
CopyResult copyFilesInto(const QStringList& sources, const QString& folder, CopyProgress* progress);

}  // namespace core
