#include "platform/vb/safe_file_writer.h"

#include "platform/vb/error.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

namespace {

SafeFileWriter::FaultHook& faultHook() {
    static SafeFileWriter::FaultHook hook;
    return hook;
}

constexpr qint64 kVerifyChunk = 1 << 18;

}  // namespace

void SafeFileWriter::setFaultHook(FaultHook hook) { faultHook() = std::move(hook); }

SafeFileWriter::SafeFileWriter(QString target) : target_(std::move(target)) {}

SafeFileWriter::~SafeFileWriter() { discard(); }

bool SafeFileWriter::fail(int error) {
    error_ = error ? error : EIO;
    discard();
    return false;
}

void SafeFileWriter::discard() {
    if (file_) {
        file_->close();
        file_.reset();
    }
    if (!temp_.isEmpty()) {
        QFile::remove(temp_);
        temp_.clear();
    }
}

bool SafeFileWriter::open() {
    discard();
    error_ = 0;
    written_ = 0;
    hash_.reset();
    const QFileInfo info(target_);
    // A hidden name in the same folder, so the final rename stays on one file system.
    const QByteArray pattern =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    QByteArray name = pattern;
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return fail(errno);
    temp_ = QFile::decodeName(name);
    file_ = std::make_unique<QFile>();
    if (!file_->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(EIO);
    }
    // mkstemp makes the file private: it takes the mode of the file it replaces, or the one a plainly
    // created file gets.
    struct stat existing {};
    if (::stat(QFile::encodeName(target_).constData(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return true;
}

bool SafeFileWriter::write(const QByteArray& bytes) {
    if (!file_) return fail(EBADF);
    if (const FaultHook& hook = faultHook(); hook && !hook(target_, written_)) return fail(ENOSPC);
    if (file_->write(bytes) != bytes.size()) return fail(errno);
    hash_.addData(bytes);
    written_ += bytes.size();
    return true;
}

bool SafeFileWriter::commit() {
    if (!file_) return fail(EBADF);
    if (!file_->flush()) return fail(errno);
    if (::fsync(file_->handle()) != 0) return fail(errno);
    file_->close();
    file_.reset();

    // Read back what reached the disk.
    QFile check(temp_);
    if (!check.open(QIODevice::ReadOnly)) return fail(errno);
    if (check.size() != written_) return fail(EIO);
    QCryptographicHash onDisk(QCryptographicHash::Sha1);
    while (!check.atEnd()) {
        const QByteArray chunk = check.read(kVerifyChunk);
        if (chunk.isEmpty() && !check.atEnd()) return fail(EIO);
        onDisk.addData(chunk);
    }
    check.close();
    if (onDisk.result() != hash_.result()) return fail(EIO);

    if (std::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0)
        return fail(errno);
    temp_.clear();
    return true;
}

int runtimeErrorFor(int systemError) {
    switch (systemError) {
    case ENOENT: return 53;
    case ENOSPC: return 61;
    case EACCES:
    case EPERM:
    case EROFS: return 70;
    default: return 75;
    }
}

void raiseSystemError(int systemError, const QString& source, const QString& path) {
    const int number = runtimeErrorFor(systemError);
    raise(number, source, path.isEmpty() ? QString() : runtimeErrorText(number) + QStringLiteral(": ") + path);
}

}  // namespace vb
