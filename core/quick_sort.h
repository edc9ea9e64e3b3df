#pragma once
// In-place ascending sort of the elements low … high of an indexable container (QList, std::vector,
// QStringList …) by the elements' own `<`: texts by their UTF-16 code units, numbers by value. The
// order of equal elements is not kept.
#include "core/wait_cursor.h"
#include "platform/vb/error.h"

#include <cstdint>
#include <utility>

namespace core {

namespace detail {

// The recursion goes into the smaller part and loops over the larger, so its depth stays within
// log2 of the length whatever the input.
template <typename Container>
void quickSortRange(Container& items, int64_t low, int64_t high) {
    using std::swap;
    while (low < high) {
        const auto pivot = items[(low + high) / 2];
        int64_t i = low, j = high;
        while (i <= j) {
            while (items[i] < pivot && i < high) ++i;
            while (pivot < items[j] && j > low) --j;
            if (i <= j) {
                swap(items[i], items[j]);
                ++i;
                --j;
            }
        }
        if (j - low < high - i) {
            if (low < j) quickSortRange(items, low, j);
            low = i;
        } else {
            if (i < high) quickSortRange(items, i, high);
            high = j;
        }
    }
}

}  // namespace detail

// Both bounds are element indexes of `items` and are not changed; nothing happens when high <= low.
// A bound outside the container raises 9 (Subscript out of range) before anything moves. The
// hourglass shows while the sort runs.
template <typename Container>
void QuickSort(Container& items, int64_t low, int64_t high) {
    if (high <= low) return;
    if (low < 0 || high >= static_cast<int64_t>(items.size())) vb::raise(vb::kSubscriptOutOfRange);
    chourglass hourglass;
    detail::quickSortRange(items, low, high);
}

}  // namespace core
