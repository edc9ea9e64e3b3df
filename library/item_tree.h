#pragma once
// The shape of the item tree from the rows of table codeitems, apart from any widget: each item's
// parent as the tree shows it. Rows may come in any order; an item whose parent is missing, cannot be
// read, is the item itself, or lies on a cycle hangs under the root, so no item is ever lost from view.
#include <QList>
#include <QString>

#include <cstdint>

namespace library {

struct ItemRow {
    int32_t id = 0;
    int32_t parentId = 0;  // 0 for a top-level item
    QString description;
    bool parentUnreadable = false;  // the stored parent is no 32-bit id: the item goes under the root
};

struct PlacedItem {
    int32_t id = 0;
    int32_t shownParent = 0;  // 0: under the root
    QString description;
    bool misplaced = false;  // under the root only because its parent could not be read or reached
};

// The items in an order in which every parent comes before its children (rows' own order kept among
// siblings), each with the parent it is shown under.
QList<PlacedItem> placeItems(const QList<ItemRow>& rows);

}  // namespace library
