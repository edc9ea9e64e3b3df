#pragma once
// The palace-cell part of the chart window frmBaZi: the twelve palace cells on the conventional ring
// (巳午未申 across the top, 寅丑子亥 across the bottom, 辰卯 down the left, 酉戌 down the right), the
// centre with the header, the birth captions and the four-transformation table, and the four joining
// lines, drawn over the centre. It is the chart surface the builder writes into.
#include "chart/chart_surface.h"

#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;

namespace windows {

class ChartCellsWidget : public QWidget, public chart::ChartSurface {
    Q_OBJECT

public:
    // Cell size in pixels; the whole ring is 4 × 4 cells, as high as the chart window's first view
    // leaves it under its menu and above its scroll bar.
    static constexpr int kCellWidth = 180;
    static constexpr int kCellHeight = 132;
    // Room for the person's name after "姓名：" in the centre: nine characters, the most a name holds.
    static constexpr int kNameCaptionWidth = 110;

    explicit ChartCellsWidget(QWidget* parent = nullptr);

    // The label of a control element (nullptr when the control has no such element).
    QLabel* label(chart::Control c, int index = 0) const;
    // The palace cell PicDI(p).
    QFrame* palaceCell(int palace) const;

    chart::LineState joinLine(chart::JoinLine line) const override;
    void setJoinLineColor(chart::JoinLine line, chart::Colour colour) override;
    void setJoinLineEnds(chart::JoinLine line, chart::PointF first, chart::PointF second) override;
    // Shows the failure in a message box and tells the window through buildFailed.
    void reportBuildFailure(const QString& text) override;

    // frmBaZi.RefreshChart: one build of the chart from the birth captions; false when it failed.
    bool refreshChart();

signals:
    void buildFailed(const QString& text);

protected:
    QString captionAt(chart::Control c, int index) const override;
    void setCaptionAt(chart::Control c, int index, const QString& text) override;
    chart::Colour foreColorAt(chart::Control c, int index) const override;
    void setForeColorAt(chart::Control c, int index, chart::Colour colour) override;
    chart::PointF cellOriginAt(int palace) const override;
    chart::PointF cellAnchorAt(int palace) const override;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Element {
        QLabel* label = nullptr;
        chart::Colour foreColor = 0x80000012u;  // button text, a label's default
    };
    Element& element(chart::Control c, int index);
    const Element& element(chart::Control c, int index) const;
    QLabel* addLabel(chart::Control c, int index, QWidget* parent, int x, int y, int width, int height);
    void buildCell(int palace);
    void buildCentre();
    void applyColour(const Element& e);

    std::array<std::vector<Element>, chart::kControlCount> elements_;
    std::array<QFrame*, chart::kPalaceCount> cells_{};
    std::array<chart::PointF, chart::kPalaceCount> anchors_{};  // LineDW(p) X1, Y1 in twips
    std::array<chart::LineState, chart::kJoinLineCount> lines_{};
};

}  // namespace windows
