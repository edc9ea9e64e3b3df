// The tree's shape from codeitems rows in any order, with damaged parent links.
#include "library/item_tree.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

QMap<int32_t, int32_t> parents(const QList<library::PlacedItem>& placed) {
    QMap<int32_t, int32_t> m;
    for (const auto& p : placed) m.insert(p.id, p.shownParent);
    return m;
}

struct TreeCase {
    const char* name;
    QList<library::ItemRow> rows;
    QMap<int32_t, int32_t> expected;  // id -> parent shown
};

class PlaceItemsTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(PlaceItemsTest, EveryItemIsShownOnceAndParentsComeFirst) {
    const TreeCase& c = GetParam();
    const QList<library::PlacedItem> placed = library::placeItems(c.rows);
    EXPECT_EQ(placed.size(), c.rows.size());
    EXPECT_EQ(parents(placed), c.expected);
    QList<int32_t> seen{0};
    for (const auto& p : placed) {
        EXPECT_TRUE(seen.contains(p.shownParent)) << c.name << ": " << p.id << " before its parent";
        seen.append(p.id);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PlaceItemsTest,
    ::testing::Values(
        TreeCase{"children before parents", {{3, 2, "c"}, {2, 1, "b"}, {1, 0, "a"}}, {{1, 0}, {2, 1}, {3, 2}}},
        TreeCase{"missing parent", {{1, 0, "a"}, {2, 99, "orphan"}, {3, 2, "child of orphan"}}, {{1, 0}, {2, 0}, {3, 2}}},
        TreeCase{"own parent", {{5, 5, "self"}, {6, 5, "under self"}}, {{5, 0}, {6, 5}}},
        TreeCase{"cycle", {{1, 3, "a"}, {2, 1, "b"}, {3, 2, "c"}, {4, 2, "d"}}, {{1, 3}, {2, 0}, {3, 2}, {4, 2}}},
        TreeCase{"empty", {}, {}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

}  // namespace
