#pragma once
// Helpers for report lists: fit every column to its contents, stretch the last column over the free
// width, set or clear extended styles, and set one column's width or every column's. A null list
// raises 91; AutoSizeLastColumn reports its own errors in a message box.
#include <cstdint>

namespace forms {
class ListView;
}

namespace core {

// Every column fitted to the wider of its header and contents, drawn once; then, with fitLast, the
// last column stretched as AutoSizeLastColumn does.
void AutoSizeColumns(forms::ListView* list, bool fitLast);

// The last column takes the list's width less the other columns, a vertical scroll bar (shown or
// not) and 10 pixels. Errors are shown (OK only, titled "Common::AutoSizeLastColumn") and leave the
// column as it was.
void AutoSizeLastColumn(forms::ListView* list);

// Switches the bits of `style` on or off in the list's extended style; true when the style before
// was not empty.
bool SetListViewExStyle(forms::ListView* list, int32_t style, bool enable);

// Column from 1, width in pixels or −2 (fit contents and header). Only in report view and for a
// column that exists; otherwise nothing.
void SetColumnWidth(forms::ListView* list, int32_t column, int32_t width);

// SetColumnWidth for every column.
void SetAllColumnWidths(forms::ListView* list, int32_t width);

}  // namespace core
