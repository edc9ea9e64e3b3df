#pragma once
// Compaction (DBEngine::compactDatabase) and a seam through which tests make it fail part-way.
#include <QString>

#include <functional>

namespace dao::detail {

enum class CompactionStage {
    Copied,    // the compacted copy is written to its temporary file
    Verified,  // the copy passed its checks; next comes the rename onto the target
};

// Called at each stage with the temporary file's path; throwing from it makes the compaction fail
// there. An empty function removes the seam.
void setCompactionFault(std::function<void(CompactionStage, const QString& temporaryPath)> fault);

}  // namespace dao::detail
