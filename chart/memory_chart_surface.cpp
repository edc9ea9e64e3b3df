#include "chart/memory_chart_surface.h"

#include "chart/palace_ring.h"

namespace chart {

MemoryChartSurface::MemoryChartSurface() {
    for (int c = 0; c < kControlCount; ++c)
        labels_[static_cast<std::size_t>(c)].resize(static_cast<std::size_t>(controlInfo(static_cast<Control>(c)).count));
    for (int p = 0; p < kPalaceCount; ++p) {
        const RingCell cell = kPalaceRing[static_cast<std::size_t>(p)];
        origins_[static_cast<std::size_t>(p)] = {cell.column * kCellWidth, cell.row * kCellHeight};
        anchors_[static_cast<std::size_t>(p)] = ringAnchor(p, kCellWidth, kCellHeight);
    }
}

MemoryChartSurface::Label& MemoryChartSurface::label(Control c, int index) {
    return labels_[static_cast<std::size_t>(c)][static_cast<std::size_t>(index - controlInfo(c).firstIndex)];
}

const MemoryChartSurface::Label& MemoryChartSurface::label(Control c, int index) const {
    return labels_[static_cast<std::size_t>(c)][static_cast<std::size_t>(index - controlInfo(c).firstIndex)];
}

QString MemoryChartSurface::captionAt(Control c, int index) const { return label(c, index).caption; }

void MemoryChartSurface::setCaptionAt(Control c, int index, const QString& text) { label(c, index).caption = text; }

Colour MemoryChartSurface::foreColorAt(Control c, int index) const { return label(c, index).foreColor; }

void MemoryChartSurface::setForeColorAt(Control c, int index, Colour colour) { label(c, index).foreColor = colour; }

PointF MemoryChartSurface::cellOriginAt(int palace) const { return origins_[static_cast<std::size_t>(palace)]; }

PointF MemoryChartSurface::cellAnchorAt(int palace) const { return anchors_[static_cast<std::size_t>(palace)]; }

LineState MemoryChartSurface::joinLine(JoinLine line) const { return lines_[static_cast<std::size_t>(line)]; }

void MemoryChartSurface::setJoinLineColor(JoinLine line, Colour colour) {
    lines_[static_cast<std::size_t>(line)].borderColor = colour;
}

void MemoryChartSurface::setJoinLineEnds(JoinLine line, PointF first, PointF second) {
    lines_[static_cast<std::size_t>(line)].first = first;
    lines_[static_cast<std::size_t>(line)].second = second;
}

void MemoryChartSurface::reportBuildFailure(const QString& text) { failures_.append(text); }

void MemoryChartSurface::setCellGeometry(int palace, PointF origin, PointF anchor) {
    origins_.at(static_cast<std::size_t>(palace)) = origin;
    anchors_.at(static_cast<std::size_t>(palace)) = anchor;
}

}  // namespace chart
