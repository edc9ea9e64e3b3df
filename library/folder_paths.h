#pragma once
// Comparing folders as the file system sees them: links and "." or ".." parts resolved, also for a
// folder that does not exist yet.
#include <QString>

namespace library {

// The folder's absolute path with every link resolved, for the part of it that exists.
QString resolvedFolder(const QString& folder);
bool sameFolder(const QString& a, const QString& b);
// True when `folder` lies inside `outer` (at any depth), not when it is `outer` itself.
bool folderWithin(const QString& folder, const QString& outer);

}  // namespace library
