#pragma once
// A process's claim on a database file it has open. Every handle of this engine holds a shared claim
// on its file for as long as it is open, so that a process can tell whether it has a file alone: only
// then may the file be replaced by a new one (a compaction in place), since a process that has the
// file open would go on writing into the replaced one. The claim is an open-file lock on a byte far
// past the ones SQLite locks; a process that opens a file while another holds it alone waits, and
// finds the file that took its place.
#include <QByteArray>

namespace dao::detail {

class FileClaim {
public:
    FileClaim() = default;
    ~FileClaim();
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    // Takes a shared claim on the file at `path`, which must be the file (`device`, `inode`) found
    // there; false when another file has taken its place meanwhile (the caller looks again). Raises
    // 3045 when another process holds it alone for longer than a compaction takes.
    bool take(const QByteArray& path, quint64 device, quint64 inode);
    // Whether no other process has the file open; when so, holds it alone until shared() is called.
    bool alone();
    // Back to a shared claim.
    void shared();
    // Gives the claim up but leaves the descriptor open for the rest of the run: it is never closed
    // while SQLite may hold locks on the file in this process, since closing any descriptor of a file
    // drops every lock the process holds on it.
    void keepOpen();
    int fd() const { return fd_; }

private:
    int fd_ = -1;
    bool supported_ = false;  // the file system keeps open-file locks
    bool keep_ = false;
};

}  // namespace dao::detail
