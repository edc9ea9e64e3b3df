// The shape of the tree from codeitems rows, whatever their order and whatever their parent ids hold.
#include "library/item_tree.h"

#include <QHash>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using library::ItemRow;
using library::placeItems;

// Each id's shown parent, and a check that parents come before their children.
QHash<int32_t, int32_t> shownParents(const QList<ItemRow>& rows) {
    QHash<int32_t, int32_t> parentOf;
    for (const library::PlacedItem& item : placeItems(rows)) {
        EXPECT_TRUE(item.shownParent == 0 || parentOf.contains(item.shownParent))
            << "item " << item.id << " placed before its parent " << item.shownParent;
        parentOf.insert(item.id, item.shownParent);
    }
    return parentOf;
}

TEST(PlaceItems, EveryItemIsShownOnceAndBadParentsGoUnderTheRoot) {
    struct Case {
        const char* what;
        QList<ItemRow> rows;
        QHash<int32_t, int32_t> expected;
    };
    const QList<Case> cases{
        {"parents named later", {{3, 2, "c"}, {2, 1, "b"}, {1, 0, "a"}}, {{1, 0}, {2, 1}, {3, 2}}},
        {"missing parent", {{1, 0, "a"}, {2, 99, "orphan"}, {3, 2, "under orphan"}}, {{1, 0}, {2, 0}, {3, 2}}},
        {"own parent", {{5, 5, "self"}, {6, 5, "child of self"}}, {{5, 0}, {6, 5}}},
        // A cycle is cut where the walk from the first of its rows comes back round.
        {"two-item cycle", {{7, 8, "x"}, {8, 7, "y"}, {9, 8, "z"}}, {{7, 8}, {8, 0}, {9, 8}}},
        {"long cycle with tail", {{1, 3, "a"}, {2, 1, "b"}, {3, 2, "c"}, {4, 3, "d"}}, {{1, 3}, {2, 0}, {3, 2}, {4, 3}}},
        {"empty", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shownParents(c.rows), c.expected);
    }
}

TEST(PlaceItems, RowOrderDoesNotChangeTheShape) {
    QList<ItemRow> rows;
    for (int32_t id = 1; id <= 200; ++id) rows.append({id, id <= 10 ? 0 : (id * 7) % (id - 1) + 1, QString::number(id)});
    const QHash<int32_t, int32_t> expected = shownParents(rows);
    std::reverse(rows.begin(), rows.end());
    EXPECT_EQ(shownParents(rows), expected);
    std::rotate(rows.begin(), rows.begin() + 77, rows.end());
    EXPECT_EQ(shownParents(rows), expected);
}

TEST(PlaceItems, DeepChainNeedsNoRecursion) {
    QList<ItemRow> rows;
    for (int32_t id = 20000; id >= 1; --id) rows.append({id, id - 1, QString()});
    const QList<library::PlacedItem> placed = placeItems(rows);
    ASSERT_EQ(placed.size(), 20000);
    EXPECT_EQ(placed.first().id, 1);
    EXPECT_EQ(placed.last().shownParent, 19999);
}

}  // namespace
