#pragma once
// What a node of the item tree holds besides its title: its key, its picture keys, and whether it
// keeps its children in title order.
#include <QString>
#include <QTreeWidgetItem>

namespace library {

inline constexpr int kKeyRole = Qt::UserRole;                // "ROOT" or "C" & id
inline constexpr int kImageRole = Qt::UserRole + 1;          // picture key
inline constexpr int kExpandedImageRole = Qt::UserRole + 2;  // picture key while expanded; empty: the same
inline constexpr int kSortedRole = Qt::UserRole + 3;         // children kept in title order

// Sibling order of a sorted node: by title, letter case aside.
inline bool titleBefore(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive) < 0;
}

// Puts `child` under `parent`, at its place by title when the parent keeps its children sorted.
inline void insertNode(QTreeWidgetItem* parent, QTreeWidgetItem* child) {
    int at = parent->childCount();
    if (parent->data(0, kSortedRole).toBool()) {
        at = 0;
        while (at < parent->childCount() && !titleBefore(child, parent->child(at))) ++at;
    }
    parent->insertChild(at, child);
}

}  // namespace library
