#include "core/listview_helpers.h"

#include "platform/forms/listview.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"
#include "platform/vb/variant.h"

#include <QStyle>

#include <exception>

namespace core {

namespace {

forms::ListView& require(forms::ListView* list, const char* procedure) {
    if (!list) vb::raise(vb::kObjectNotSet, QString::fromLatin1(procedure));
    return *list;
}

// Margin the last column leaves free besides the scroll bar.
constexpr int kLastColumnMargin = 10;

}  // namespace

void AutoSizeColumns(forms::ListView* list, bool fitLast) {
    forms::ListView& l = require(list, "Common::AutoSizeColumns");
    l.setRedraw(false);
    for (int i = 0; i < l.columnHeaderCount(); ++i) l.setColumnWidthPixels(i, forms::lvscwAutoSizeUseHeader);
    l.setRedraw(true);
    if (fitLast) AutoSizeLastColumn(list);
}

void AutoSizeLastColumn(forms::ListView* list) {
    const QString source = QStringLiteral("Common::AutoSizeLastColumn");
    try {
        forms::ListView& l = require(list, "Common::AutoSizeLastColumn");
        const int n = l.columnHeaderCount();
        int others = 0;
        for (int i = 0; i < n - 1; ++i) others += l.columnWidthPixels(i);
        const int scrollBar = l.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &l);
        const double widthTwips = vb::pixelsToTwips(l.width());
        const double w = widthTwips / vb::twipsPerPixelX() - (others + scrollBar + kLastColumnMargin);
        l.setColumnWidthPixels(n - 1, static_cast<int>(vb::roundHalfEven(w)));
    } catch (const vb::Error& e) {
        vb::MsgBox(QStringLiteral("%1 %2 %3").arg(e.number()).arg(e.description(), e.source()), vb::vbOKOnly, source);
    } catch (const std::exception& e) {
        vb::MsgBox(QString::fromUtf8(e.what()), vb::vbOKOnly, source);
    }
}

bool SetListViewExStyle(forms::ListView* list, int32_t style, bool enable) {
    forms::ListView& l = require(list, "Common::SetListViewExStyle");
    const uint32_t bits = static_cast<uint32_t>(style);
    const uint32_t current = l.extendedStyle();
    // Off clears the bits, whatever their state: flipping them would switch on a bit that was off.
    return l.setExtendedStyle(enable ? (current | bits) : (current & ~bits)) != 0;
}

void SetColumnWidth(forms::ListView* list, int32_t column, int32_t width) {
    forms::ListView& l = require(list, "Common::SetColumnWidth");
    if (l.view() != forms::lvwReport || column < 1 || column > l.columnHeaderCount()) return;
    l.setColumnWidthPixels(column - 1, width);
}

void SetAllColumnWidths(forms::ListView* list, int32_t width) {
    forms::ListView& l = require(list, "Common::SetAllColumnWidths");
    const int count = l.columnHeaderCount();
    for (int column = 1; column <= count; ++column) SetColumnWidth(list, column, width);
}

}  // namespace core
