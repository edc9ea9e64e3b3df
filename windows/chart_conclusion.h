#pragma once
// The conclusion of a case: column jielun of its codefiles row in the work database of gWorkPath.
// Each call opens its own connection, as the chart window's load and unload do.
#include <QString>

#include <cstdint>

namespace windows {

// The case's stored conclusion; empty for id 0, a row that is gone, or a Null or empty value.
QString LoadConclusion(int32_t fileId);

enum class ConclusionSave {
    Stored,      // written into the case's row
    NoCase,      // id 0: no case is named, nothing is written
    RowDeleted,  // the case's row is gone: nothing is written
};

// Writes `text` into the conclusion of case `fileId` and refreshes the engine's cache so that the
// shared connection sees it at once. Never writes into any other row. Database failures raise.
ConclusionSave SaveConclusion(int32_t fileId, const QString& text);

// The message that tells the user a conclusion could not be stored because its case is gone.
inline constexpr char16_t kCaseDeletedMessage[] = u"该命例已被删除，结论未保存";

}  // namespace windows
