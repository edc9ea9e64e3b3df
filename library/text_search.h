#pragma once
// The find dialog's search over the editor's text, apart from any widget.
#include <QString>

#include <cstdint>

namespace library {

// The 1-based position of `what` in `text` at or after the 1-based position `from`, or 0 when there
// is none (and for an empty `what`). Whole word: the hit must match exactly, case counting, and must
// not stand inside a longer Latin word (no Latin letter, digit or underscore right before or after
// it). Otherwise letters match without regard to case.
int32_t findText(const QString& text, const QString& what, int32_t from, bool wholeWord);

}  // namespace library
