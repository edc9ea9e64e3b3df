#pragma once
// The chart surface held in memory, for tests, tools and benchmarks: every label's caption and fore
// colour, the palace cells laid out on the ring of the chart window, the joining lines, and the
// failures reported.
#include "chart/chart_surface.h"

#include <QStringList>

#include <array>
#include <vector>

namespace chart {

class MemoryChartSurface : public ChartSurface {
public:
    // Cells of the chart window's size (twips), each at its place on the ring.
    static constexpr float kCellWidth = 2700;
    static constexpr float kCellHeight = 2250;

    MemoryChartSurface();

    LineState joinLine(JoinLine line) const override;
    void setJoinLineColor(JoinLine line, Colour colour) override;
    void setJoinLineEnds(JoinLine line, PointF first, PointF second) override;
    void reportBuildFailure(const QString& text) override;

    // Moves a palace cell and its anchor (tests of the joining lines).
    void setCellGeometry(int palace, PointF origin, PointF anchor);

    // Every failure reported so far, oldest first.
    const QStringList& reportedFailures() const { return failures_; }

protected:
    QString captionAt(Control c, int index) const override;
    void setCaptionAt(Control c, int index, const QString& text) override;
    Colour foreColorAt(Control c, int index) const override;
    void setForeColorAt(Control c, int index, Colour colour) override;
    PointF cellOriginAt(int palace) const override;
    PointF cellAnchorAt(int palace) const override;

private:
    struct Label {
        QString caption;
        Colour foreColor = 0x80000012u;  // button text, a label's default fore colour
    };
    Label& label(Control c, int index);
    const Label& label(Control c, int index) const;

    std::array<std::vector<Label>, kControlCount> labels_;
    std::array<PointF, kPalaceCount> origins_;
    std::array<PointF, kPalaceCount> anchors_;
    std::array<LineState, kJoinLineCount> lines_{};
    QStringList failures_;
};

}  // namespace chart
