#include "splitter/splitter_model.h"

#include <algorithm>

namespace splitter {

bool LineArrays::sane(int n) const {
    auto within = [](int32_t v) { return v >= 0 && v <= kMaxExtent; };
    for (int i = 0; i < n; ++i)
        if (!within(size[i]) || !within(min[i]) || !within(visible[i]) || !(max[i] == -1 || within(max[i])))
            return false;
    return true;
}

int SplitterModel::offsetOf(Direction d, int index) const {
    int p = outlineWidth;
    for (int i = 0; i < index; ++i) p += room(d, i) + splitterWidth;
    return p;
}

unsigned SplitterModel::putStyle(int16_t* field, int16_t v) {
    if (v < 0 || v > 2) return kNone;
    *field = v;
    return kAllEffects;
}

unsigned SplitterModel::putWidth(int16_t* field, int16_t v) {
    if (v < 0) return kNone;
    *field = v;
    return kAllEffects;
}

unsigned SplitterModel::putCount(Direction d, int16_t v, bool designTime, int clientExtent) {
    int16_t& n = count(d);
    if (v < 1 || v > kMaxLines || v == n) return kNone;
    for (int i = n; i < v; ++i) lines(d).resetEntry(i);
    n = v;
    if (designTime) equalize(d, clientExtent);
    recomputeLast(d, clientExtent);
    return kAllEffects;
}

unsigned SplitterModel::putSize(Direction d, int32_t v) {
    LineArrays& a = lines(d);
    const int i = current(d);
    if (!a.accepts(i, v)) return kNone;
    a.size[i] = v;
    return kAllEffects;
}

unsigned SplitterModel::putMax(Direction d, int32_t v) {
    lines(d).max[current(d)] = boundLimit(v, -1);
    return kDirty | kNotify;
}

unsigned SplitterModel::putMin(Direction d, int32_t v) {
    lines(d).min[current(d)] = boundLimit(v, 0);
    return kDirty | kNotify;
}

unsigned SplitterModel::putVisible(Direction d, int32_t v) {
    lines(d).visible[current(d)] = boundLimit(v, 0);
    return kAllEffects;
}

unsigned SplitterModel::putCurrent(Direction d, int16_t v) {
    if (v >= 0 && v < count(d)) current(d) = v;
    return kNotify;
}

unsigned SplitterModel::putPanel(const QByteArray& name) {
    for (int c = 0; c < colCount; ++c)
        for (int r = 0; r < rowCount; ++r)
            if (panels[c * kMaxLines + r] == name) panels[c * kMaxLines + r].clear();
    panels[col * kMaxLines + row] = name;
    return kAllEffects;
}

unsigned SplitterModel::putBackColor(uint32_t v) {
    backColor = v;
    return kAllEffects;
}

void SplitterModel::recomputeLast(Direction d, int clientExtent) {
    const int n = count(d);
    LineArrays& a = lines(d);
    int w = clientExtent - 2 * outlineWidth - splitterWidth * (n - 1);
    for (int i = 0; i < n - 1; ++i)
        if (shown(d, i)) w -= a.size[i] + frame();
    a.size[n - 1] = std::max(w - frame(), 0);
}

int32_t SplitterModel::equalize(Direction d, int clientExtent) {
    const int n = count(d);
    LineArrays& a = lines(d);
    int32_t c = clientExtent - (n - 1) * splitterWidth - (outlineWidth + half() * n) * 2;
    if (c < 0) c = 0;
    const int32_t each = c / n;
    for (int i = 0; i < n - 1; ++i) a.size[i] = each;
    a.size[n - 1] = c - each * (n - 1);
    needsSizing = true;
    return c;
}

int16_t SplitterModel::hitTest(int32_t x32, int32_t y32) const {
    const int x = static_cast<int16_t>(x32), y = static_cast<int16_t>(y32);
    const int h = half(), f = frame();
    int bar = 0, pane = 0;
    int p = outlineWidth;
    for (int i = 0; i < colCount; ++i) {
        if (shown(Direction::Columns, i)) {
            if (h + p <= x && x < h + p + columns.size[i]) pane = i * 16;
            p += columns.size[i] + f;
        }
        if (p <= x && x < p + splitterWidth && i < colCount - 1) {
            bar = (i + 1) * 16;
            break;
        }
        p += splitterWidth;
    }
    p = outlineWidth;
    for (int j = 0; j < rowCount; ++j) {
        if (shown(Direction::Rows, j)) {
            if (h + p <= y && y < h + p + rows.size[j]) pane += j;
            p += rows.size[j] + f;
        }
        if (p <= y && y < p + splitterWidth && j < rowCount - 1) {
            bar += j + 1;
            break;
        }
        p += splitterWidth;
    }
    return static_cast<int16_t>(bar != 0 ? bar : 256 + pane);
}

QRect SplitterModel::paneRect(int c, int r) const {
    if (!paneShown(c, r)) return {};
    const int x = offsetOf(Direction::Columns, c), y = offsetOf(Direction::Rows, r);
    return QRect(QPoint(x, y), QPoint(x + columns.size[c] + frame() - 1, y + rows.size[r] + frame() - 1));
}

namespace {
bool noControl(const QByteArray& name) { return name.isEmpty() || name == kNoControl; }
}  // namespace

bool SplitterModel::autoSizeAll(PaneHost& host) const {
    bool all = true;
    const int h = half(), f = frame();
    int x = outlineWidth;
    for (int i = 0; i < colCount; ++i) {
        int y = outlineWidth;
        for (int j = 0; j < rowCount; ++j) {
            const QByteArray& name = panels[i * kMaxLines + j];
            if (paneShown(i, j)) {
                if (columns.size[i] > 0 && rows.size[j] > 0) {
                    const QRect inside(x + h, y + h, columns.size[i], rows.size[j]);
                    if (!noControl(name)) {
                        all = host.show(name, true) && all;
                        all = host.place(name, inside) && all;
                    }
                } else if (!noControl(name)) {
                    all = host.show(name, false) && all;
                }
                y += rows.size[j] + f;
            } else if (!noControl(name)) {
                all = host.show(name, false) && all;
            }
            y += splitterWidth;
        }
        if (shown(Direction::Columns, i)) x += columns.size[i] + f;
        x += splitterWidth;
    }
    return all;
}

bool SplitterModel::autoSizePanel(int c, int r, PaneHost& host) const {
    if (c < 0 || r < 0 || c >= colCount || r >= rowCount) return false;
    const QByteArray& name = panels[c * kMaxLines + r];
    if (noControl(name)) return true;
    const int x = offsetOf(Direction::Columns, c), y = offsetOf(Direction::Rows, r);
    const int w = columns.size[c], hgt = rows.size[r];
    if (!paneShown(c, r) || w < 1 || hgt < 1) return host.show(name, false);
    if (!host.show(name, true)) return false;
    return host.place(name, QRect(x + half(), y + half(), w, hgt));
}

bool SplitterModel::startDrag(int16_t hit, QPoint p) {
    if (hit < 1 || hit > 255) return false;
    clearDrag();
    auto begin = [&](Direction d, AxisDrag& a, int bar, int pos) {
        if (bar < 1 || bar >= count(d)) return;  // no bar in this direction
        const LineArrays& l = lines(d);
        a.bar = bar;
        a.start = pos;
        a.first = l.size[bar - 1];
        a.second = l.size[bar];
        a.joint = room(d, bar - 1) + room(d, bar);
    };
    begin(Direction::Columns, dragColumns, hit / 16, p.x());
    begin(Direction::Rows, dragRows, hit % 16, p.y());
    return dragging();
}

void SplitterModel::dragAxis(Direction d, AxisDrag& a, int pos) {
    if (a.bar == 0) return;
    LineArrays& l = lines(d);
    const int b = a.bar, f = frame();
    const int32_t left = a.first, right = a.second;
    int32_t dx = pos - a.start;
    if (dx < 0) {
        dx = std::max(dx, -left);
        if (l.max[b] > 0 && right - dx > l.max[b]) dx = right - l.max[b];
        if (l.min[b - 1] > 0 && left + dx < l.min[b - 1]) dx = l.min[b - 1] - left;
    } else {
        dx = std::min(dx, right);
        if (l.max[b - 1] > 0 && left + dx > l.max[b - 1]) dx = l.max[b - 1] - left;
        if (l.min[b] > 0 && right - dx < l.min[b]) dx = right - l.min[b];
    }
    if (dx != 0) needsSizing = true;
    if (left + dx < l.visible[b - 1]) {
        l.size[b - 1] = 0;
        l.size[b] = a.joint - f;
    } else {
        l.size[b - 1] = left + dx;
        l.size[b] = a.joint - 2 * f - l.size[b - 1];
        if (l.size[b] < l.visible[b]) l.size[b - 1] = a.joint - f;
    }
}

void SplitterModel::dragTo(QPoint p) {
    dragAxis(Direction::Columns, dragColumns, p.x());
    dragAxis(Direction::Rows, dragRows, p.y());
}

bool SplitterModel::dragChangedSizes() const {
    return (dragColumns.bar && columns.size[dragColumns.bar - 1] != dragColumns.first) ||
           (dragRows.bar && rows.size[dragRows.bar - 1] != dragRows.first);
}

QRect SplitterModel::feedbackRect(Direction d, QSize client) const {
    const AxisDrag& a = d == Direction::Columns ? dragColumns : dragRows;
    if (a.bar == 0 || splitterWidth == 0) return {};
    // The bar's own place, outline included.
    const int at = offsetOf(d, a.bar) - splitterWidth;
    return d == Direction::Columns ? QRect(at, 0, splitterWidth, client.height())
                                   : QRect(0, at, client.width(), splitterWidth);
}

}  // namespace splitter
