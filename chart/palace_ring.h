#pragma once
// The conventional ring of the twelve palace cells on a 4 × 4 grid: 巳午未申 across the top,
// 寅丑子亥 across the bottom, 辰卯 down the left, 酉戌 down the right; the centre (rows and columns
// 1 and 2) holds the header and the four-transformation table.
#include "chart/chart_surface.h"

#include <array>

namespace chart {

struct RingCell {
    int row;
    int column;
};

// By palace index 0 (子) … 11 (亥).
inline constexpr std::array<RingCell, kPalaceCount> kPalaceRing{{
    {3, 2}, {3, 1}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3},
}};

// Where the joining lines meet a cell of `width` × `height`, in the cell's own coordinates: the
// middle of the side (or the corner) that faces the centre of the chart.
constexpr PointF ringAnchor(int palace, float width, float height) {
    const RingCell cell = kPalaceRing[static_cast<std::size_t>(palace)];
    const float x = cell.column == 0 ? width : cell.column == 3 ? 0.0f : width / 2;
    const float y = cell.row == 0 ? height : cell.row == 3 ? 0.0f : height / 2;
    return {x, y};
}

}  // namespace chart
