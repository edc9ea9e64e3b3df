#include "library/item_tree.h"

#include <QHash>

namespace library {

QList<PlacedItem> placeItems(const QList<ItemRow>& rows) {
    QHash<int32_t, int> rowOf;
    for (int i = 0; i < rows.size(); ++i) rowOf.insert(rows[i].id, i);

    // An item is attached when its chain of parents reaches the root; a chain that meets a missing
    // item, itself or a cycle never does, and its first item goes under the root instead.
    QList<int32_t> shownParent(rows.size(), 0);
    QList<int8_t> state(rows.size(), 0);  // 0 unseen, 1 on the current path, 2 settled
    for (int start = 0; start < rows.size(); ++start) {
        QList<int> path;
        int i = start;
        while (state[i] == 0) {
            state[i] = 1;
            path.append(i);
            const int32_t parent = rows[i].parentId;
            const auto it = rowOf.constFind(parent);
            if (parent == 0 || rows[i].parentUnreadable || it == rowOf.constEnd() || state[*it] == 1) {
                shownParent[i] = 0;  // a top-level item, an orphan, or the item closing a cycle
                state[i] = 2;
                path.removeLast();
                break;
            }
            shownParent[i] = parent;
            i = *it;
        }
        for (int p : path) state[p] = 2;
    }

    QHash<int32_t, QList<int>> children;
    for (int i = 0; i < rows.size(); ++i) children[shownParent[i]].append(i);
    QList<PlacedItem> placed;
    placed.reserve(rows.size());
    QList<int32_t> queue{0};
    for (int q = 0; q < queue.size(); ++q) {
        for (int i : children.value(queue[q])) {
            const bool misplaced = shownParent[i] == 0 && (rows[i].parentId != 0 || rows[i].parentUnreadable);
            placed.append({rows[i].id, shownParent[i], rows[i].description, misplaced});
            queue.append(rows[i].id);
        }
    }
    return placed;
}

}  // namespace library
