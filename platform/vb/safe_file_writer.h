#pragma once
// Writes a file so that it either appears whole or not at all: the bytes go into a temporary file
// beside the target, are read back and compared, and only then replace the target in one rename.
// A writer released without a successful commit removes its temporary file and leaves any earlier
// file at the target untouched. A replaced file's mode is kept.
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace vb {

class SafeFileWriter {
public:
    explicit SafeFileWriter(QString target);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file in the target's folder.
    bool open();
    bool write(const QByteArray& bytes);
    // Flushes to disk, reads the temporary file back, compares it with what was written and renames
    // it over the target.
    bool commit();

    const QString& target() const { return target_; }
    qint64 bytesWritten() const { return written_; }
    // The system error number (errno) of the last failure, 0 when none.
    int systemError() const { return error_; }

    // Test seam: called before every write with the target and the bytes written so far; returning
    // false makes that write fail as a full disk does. An empty function removes the hook.
    using FaultHook = std::function<bool(const QString& target, qint64 offset)>;
    static void setFaultHook(FaultHook hook);

private:
    bool fail(int error);
    void discard();

    QString target_;
    QString temp_;
    std::unique_ptr<QFile> file_;
    QCryptographicHash hash_{QCryptographicHash::Sha1};
    qint64 written_ = 0;
    int error_ = 0;
};

// The runtime error number for a system error number: 53 file not found, 61 disk full,
// 70 permission denied, 75 path/file access error for the rest.
int runtimeErrorFor(int systemError);
// Raises that runtime error; its text names `path` when one is given.
[[noreturn]] void raiseSystemError(int systemError, const QString& source, const QString& path = QString());

}  // namespace vb
