#include "core/copy_job.h"

#include "platform/vb/safe_file_writer.h"
#include "platform/vb/msgbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace core {

namespace {

constexpr qint64 kChunk = 1 << 18;

CopyConflictPolicy& policy() {
    static CopyConflictPolicy p;
    return p;
}

CopyConflict askUser(const QString& targetPath) {
    const QString prompt = QStringLiteral("目标文件夹中已有文件“%1”。\n要用复制来的文件替换它吗？")
                               .arg(QDir::toNativeSeparators(targetPath));
    switch (vb::MsgBox(prompt, vb::vbYesNoCancel + vb::vbQuestion, QStringLiteral("复制文件"))) {
    case vb::vbYes: return CopyConflict::Replace;
    case vb::vbNo: return CopyConflict::Skip;
    default: return CopyConflict::Cancel;
    }
}

}  // namespace

void setCopyConflictPolicy(CopyConflictPolicy p) { policy() = std::move(p); }

CopyConflict resolveCopyConflict(const QString& targetPath) {
    return policy() ? policy()(targetPath) : askUser(targetPath);
}

CopyResult copyFilesInto(const QStringList& sources, const QString& folder, CopyProgress* progress) {
    CopyResult result;
    qint64 total = 0;
    for (const QString& s : sources) total += QFileInfo(s).size();
    if (progress) progress->start(static_cast<int>(sources.size()), total);

    auto failed = [&](const QString& path, int error) {
        result.status = CopyResult::Status::Failed;
        result.systemError = error ? error : EIO;
        result.failedPath = path;
        return result;
    };
    auto cancelled = [&] {
        result.status = CopyResult::Status::Cancelled;
        return result;
    };

    qint64 done = 0;
    for (const QString& source : sources) {
        const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
        if (progress) {
            progress->startFile(source, target);
            if (progress->cancelRequested()) return cancelled();
        }
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly)) return failed(source, QFileInfo::exists(source) ? EACCES : ENOENT);
        vb::SafeFileWriter out(target);
        if (!out.open()) return failed(target, out.systemError());
        for (;;) {
            const QByteArray chunk = in.read(kChunk);
            if (chunk.isEmpty()) {
                if (!in.atEnd()) return failed(source, EIO);
                break;
            }
            if (!out.write(chunk)) return failed(target, out.systemError());
            done += chunk.size();
            if (progress) {
                progress->advance(done);
                if (progress->cancelRequested()) return cancelled();
            }
        }
        if (!out.commit()) return failed(target, out.systemError());
        result.written.append(target);
    }
    return result;
}

}  // namespace core
