#pragma once
// The list-view control as the windows use it, in report view: column headers with widths in twips,
// list items keyed by text with their sub-items, sorting by a column, and what the list helpers set
// through the platform's list-view messages: column widths in pixels with the fit values, the
// extended styles (grid lines, hot-track selection, full-row selection) and redrawing on or off.
// Other views are kept as a value and shown as a list without headers.
#include "platform/vb/colour.h"
#include "platform/vb/twips.h"

#include <QTreeWidget>
#include <QTimer>

#include <cstdint>

namespace forms {

enum ListViewView : int { lvwIcon = 0, lvwSmallIcon = 1, lvwList = 2, lvwReport = 3 };

// Extended styles, the bits of LVM_SETEXTENDEDLISTVIEWSTYLE.
enum ListViewExStyle : uint32_t {
    lvsExGridLines = 0x1,
    lvsExTrackSelect = 0x8,  // the row under the pointer is selected after a moment's rest
    lvsExFullRowSelect = 0x20,
};

// Width values of LVM_SETCOLUMNWIDTH that fit a column: to its contents, or to the wider of its
// contents and its header.
inline constexpr int lvscwAutoSize = -1;
inline constexpr int lvscwAutoSizeUseHeader = -2;

enum ListSortOrder : int { lvwAscending = 0, lvwDescending = 1 };
enum ListColumnAlignment : int { lvwColumnLeft = 0, lvwColumnRight = 1, lvwColumnCenter = 2 };

class ListView : public QTreeWidget {
    Q_OBJECT
public:
    // How long the pointer rests on a row before hot tracking selects it.
    static constexpr int kHoverSelectMs = 400;
    // The width a column gets when none is given.
    static constexpr double kDefaultColumnTwips = 1440;

    explicit ListView(QWidget* parent = nullptr);
    explicit ListView(const QString& name, QWidget* parent = nullptr);

    // Column headers, counted from 0 here (from 1 in the headers' own Index).
    int addColumn(const QString& text, double widthTwips = kDefaultColumnTwips,
                  ListColumnAlignment alignment = lvwColumnLeft);
    int columnHeaderCount() const { return columns_; }
    QString columnText(int column) const;
    double columnWidthTwips(int column) const { return vb::pixelsToTwips(columnWidthPixels(column)); }
    void setColumnWidthTwips(int column, double twips);
    void clearColumns();

    // LVM_GETCOLUMNWIDTH: 0 for a column that does not exist.
    int columnWidthPixels(int column) const;
    // LVM_SETCOLUMNWIDTH: a width in pixels or one of the fit values; other negative widths give 0;
    // a column that does not exist is left alone.
    void setColumnWidthPixels(int column, int width);

    uint32_t extendedStyle() const { return exStyle_; }
    // Sets the whole extended style; returns the style before.
    uint32_t setExtendedStyle(uint32_t style);
    // WM_SETREDRAW: while off, changes are not drawn; on again draws once.
    void setRedraw(bool on);

    int view() const { return view_; }
    // lvwIcon … lvwReport; other values raise 380.
    void setView(int view);

    // List items. A key already in use raises 35602; items may have no key ("").
    QTreeWidgetItem* addItem(const QString& key, const QString& text);
    QTreeWidgetItem* item(const QString& key) const;
    static QString key(const QTreeWidgetItem* item);
    // SubItems(i), i from 1: the text in column i.
    static void setSubItem(QTreeWidgetItem* item, int index, const QString& text);
    static QString subItem(const QTreeWidgetItem* item, int index);
    void removeItem(QTreeWidgetItem* item);
    void clearItems() { clear(); }
    int itemCount() const { return topLevelItemCount(); }
    // The selected item, or null.
    QTreeWidgetItem* selectedItem() const;

    // Sorting by the text of column SortKey (from 0), without regard to case. While Sorted is on,
    // added items take their place in the order.
    bool sorted() const { return sorted_; }
    void setSorted(bool on);
    int sortKey() const { return sortKey_; }
    void setSortKey(int column);
    ListSortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(ListSortOrder order);

    vb::OleColor backColor() const { return backColor_; }
    void setBackColor(vb::OleColor color);
    vb::OleColor foreColor() const { return foreColor_; }
    void setForeColor(vb::OleColor color);

signals:
    // A click on a column header, with the column counted from 0.
    void columnClick(int column);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void sortNow();
    void hoverSelect();

    int columns_ = 0;
    uint32_t exStyle_ = 0;
    int view_ = lvwReport;
    bool sorted_ = false;
    int sortKey_ = 0;
    ListSortOrder sortOrder_ = lvwAscending;
    vb::OleColor backColor_ = vb::vbWindowBackground;
    vb::OleColor foreColor_ = vb::vbWindowText;
    QTimer hoverTimer_;
    QPersistentModelIndex hoverIndex_;
};

}  // namespace forms
