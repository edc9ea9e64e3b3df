#pragma once
// The splitter's state and geometry, apart from any window: property rules, the last column and row,
// equal sharing, hit codes, the bar drag with its limits, and the placing of the panes' controls
// through a PaneHost. All sizes are pixels of the control's client area.
#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

namespace splitter {

inline constexpr int kMaxLines = 16;
inline constexpr int kPaneCount = kMaxLines * kMaxLines;
inline constexpr const char* kNoControl = "<none>";
// The largest size, limit or threshold a column or row holds, in pixels. Mouse positions and hit tests
// carry 16-bit coordinates, so no pane can lie further out; and sixteen lines of this size with their
// frames and bars still add up far inside 32-bit arithmetic.
inline constexpr int32_t kMaxExtent = 32767;

enum class Direction { Columns, Rows };

// The per-column (per-row) arrays. Entries start as added columns do: size 0, minimum 0, no maximum
// (-1), visibility threshold 0.
struct LineArrays {
    std::array<int32_t, kMaxLines> size{};
    std::array<int32_t, kMaxLines> max{};
    std::array<int32_t, kMaxLines> min{};
    std::array<int32_t, kMaxLines> visible{};
    LineArrays() { max.fill(-1); }
    void resetEntry(int i) {
        size[i] = 0;
        min[i] = 0;
        max[i] = -1;
        visible[i] = 0;
    }
    // Whether entry i may take the size v: at least its minimum, at most its maximum when that is 0 or
    // more, and within the extent.
    bool accepts(int i, int32_t v) const { return v >= min[i] && (max[i] < 0 || v <= max[i]) && v <= kMaxExtent; }
    // Whether the first n entries are what the rules can produce: sizes, minimums and thresholds
    // 0..kMaxExtent, maximums the same or -1 for none.
    bool sane(int n) const;
    friend bool operator==(const LineArrays&, const LineArrays&) = default;
};

// A limit as the rules store it: a negative value becomes `negativeBecomes`, a larger one than the
// extent the extent.
inline int32_t boundLimit(int32_t v, int32_t negativeBecomes) {
    return v < 0 ? negativeBecomes : v > kMaxExtent ? kMaxExtent : v;
}

// What a property put asks of the control after it changed the state.
enum Effect : unsigned {
    kNone = 0,
    kDirty = 1,
    kNotify = 2,
    kRelayout = 4,
    kRedraw = 8,
    kAllEffects = kDirty | kNotify | kRelayout | kRedraw,
};

// The host side of automatic sizing: moves and shows the control named for a pane.
class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual bool place(const QByteArray& name, const QRect& pixels) = 0;
    virtual bool show(const QByteArray& name, bool shown) = 0;
};

struct SplitterModel {
    int16_t bevelOuter = 1;
    int16_t bevelInner = 0;
    int16_t bevelWidth = 1;
    int16_t borderWidth = 1;
    int16_t outlineWidth = 0;
    int16_t splitterWidth = 5;
    int16_t autoSizeChildren = 1;
    uint32_t backColor = 0xC0C0C0;
    LineArrays columns;
    LineArrays rows;
    std::array<QByteArray, kPaneCount> panels;  // entry c * 16 + r, narrow text in the system code page
    int16_t col = 0;
    int16_t row = 0;
    int16_t colCount = 2;
    int16_t rowCount = 1;
    bool needsSizing = true;

    LineArrays& lines(Direction d) { return d == Direction::Columns ? columns : rows; }
    const LineArrays& lines(Direction d) const { return d == Direction::Columns ? columns : rows; }
    int16_t& count(Direction d) { return d == Direction::Columns ? colCount : rowCount; }
    int16_t count(Direction d) const { return d == Direction::Columns ? colCount : rowCount; }
    int16_t& current(Direction d) { return d == Direction::Columns ? col : row; }

    // Frame of a pane on one side, and on both.
    int half() const { return ((bevelOuter != 0) + (bevelInner != 0)) * bevelWidth + borderWidth; }
    int frame() const { return 2 * half(); }
    bool shown(Direction d, int i) const { return lines(d).size[i] >= lines(d).visible[i]; }
    bool paneShown(int c, int r) const { return shown(Direction::Columns, c) && shown(Direction::Rows, r); }
    // Room a line takes before the next bar: its size plus frame when shown, nothing when hidden.
    int room(Direction d, int i) const { return shown(d, i) ? lines(d).size[i] + frame() : 0; }
    // Offset of line `index` from the client edge (outline included).
    int offsetOf(Direction d, int index) const;

    // Property puts with their rules; each returns the effects to apply (kNone when ignored).
    unsigned putStyle(int16_t* field, int16_t v);   // 0..2: bevels, AutoSizeChildren
    unsigned putWidth(int16_t* field, int16_t v);   // >= 0: bevel, border, outline, splitter widths
    unsigned putCount(Direction d, int16_t v, bool designTime, int clientExtent);
    unsigned putSize(Direction d, int32_t v);
    unsigned putMax(Direction d, int32_t v);
    unsigned putMin(Direction d, int32_t v);
    unsigned putVisible(Direction d, int32_t v);
    unsigned putCurrent(Direction d, int16_t v);
    unsigned putPanel(const QByteArray& name);
    unsigned putBackColor(uint32_t v);

    // Gives the last column (row) the rest of the client extent.
    void recomputeLast(Direction d, int clientExtent);
    // Shares the client extent out equally; returns the extent shared out.
    int32_t equalize(Direction d, int clientExtent);

    // Hit code of a point: 1..255 a bar (column bar in the high nibble, row bar in the low), 256 + c * 16 + r
    // a pane.
    int16_t hitTest(int32_t x, int32_t y) const;

    // The rectangle of pane (c, r) including its frame, in paint order; empty when the pane is hidden.
    QRect paneRect(int c, int r) const;

    // Places or hides every pane's control; false when any pane's control could not be handled.
    bool autoSizeAll(PaneHost& host) const;
    bool autoSizePanel(int c, int r, PaneHost& host) const;

    // The bar drag.
    struct AxisDrag {
        int bar = 0;  // 1..15, 0 = not dragged in this direction
        int start = 0;
        int32_t first = 0, second = 0, joint = 0;
    };
    AxisDrag dragColumns, dragRows;
    bool dragging() const { return dragColumns.bar != 0 || dragRows.bar != 0; }
    // Starts a drag on the bar of hit code `hit` (1..255) at `p`; false (nothing started) otherwise.
    bool startDrag(int16_t hit, QPoint p);
    // One mouse move of the drag.
    void dragTo(QPoint p);
    void clearDrag() { dragColumns = dragRows = AxisDrag{}; }
    // Whether the first neighbour of a dragged bar differs from its start size.
    bool dragChangedSizes() const;
    // The feedback bars of the drag (empty when none) in a client area of `client` pixels.
    QRect feedbackRect(Direction d, QSize client) const;

private:
    void dragAxis(Direction d, AxisDrag& a, int pos);
};

}  // namespace splitter
