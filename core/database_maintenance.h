#pragma once
// Compacting a work database and keeping compacted copies of it. The original is never deleted: the
// compacted copy is written beside its target, checked (integrity and the rows of every table), and
// only then renamed over the target in one step, so an interruption at any point leaves the old file
// or the new one, each whole. The new file keeps the mode of the one it replaces.
#include <QString>

namespace core {

// Writes a compacted copy of `source` to `target`, replacing a file there only once the copy is whole.
// `target` may be `source` itself (compaction in place); its database must not be open then in this
// process, and when another process has it open nothing is done and the result is false (that process
// would go on writing into the replaced file).
bool ReplaceWithCompactedCopy(const QString& source, const QString& target);

}  // namespace core
