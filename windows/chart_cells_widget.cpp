#include "windows/chart_cells_widget.h"

#include "chart/chart_builder.h"
#include "chart/palace_ring.h"
#include "platform/vb/colour.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPen>

namespace windows {

using chart::Control;

namespace {

constexpr int kRowHeight = 13;
constexpr int kNameWidth = 30;
constexpr int kWordWidth = 14;

QFont chartFont(int pointSize) {
    QFont f;
    f.setPointSize(pointSize);
    return f;
}

QPointF toPixels(chart::PointF twips) {
    return {twips.x / vb::kTwipsPerPixel, twips.y / vb::kTwipsPerPixel};
}

}  // namespace

ChartCellsWidget::ChartCellsWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmBaZiCells"));
    setFixedSize(4 * kCellWidth, 4 * kCellHeight);
    // The labels take the chart's font from the widget: one font for several hundred labels.
    setFont(chartFont(9));
    for (int c = 0; c < chart::kControlCount; ++c)
        elements_[static_cast<std::size_t>(c)].resize(
            static_cast<std::size_t>(chart::controlInfo(static_cast<Control>(c)).count));
    for (int p = 0; p < chart::kPalaceCount; ++p) buildCell(p);
    buildCentre();
}

ChartCellsWidget::Element& ChartCellsWidget::element(Control c, int index) {
    return elements_[static_cast<std::size_t>(c)][static_cast<std::size_t>(index - chart::controlInfo(c).firstIndex)];
}

const ChartCellsWidget::Element& ChartCellsWidget::element(Control c, int index) const {
    return elements_[static_cast<std::size_t>(c)][static_cast<std::size_t>(index - chart::controlInfo(c).firstIndex)];
}

QLabel* ChartCellsWidget::addLabel(Control c, int index, QWidget* parent, int x, int y, int width, int height) {
    auto* l = new QLabel(parent);
    const chart::ControlInfo& info = chart::controlInfo(c);
    l->setObjectName(QString::fromLatin1(info.name));
    if (info.isArray) l->setProperty("index", index);
    l->setGeometry(x, y, width, height);
    Element& e = element(c, index);
    e.label = l;
    applyColour(e);
    return l;
}

void ChartCellsWidget::buildCell(int palace) {
    const chart::RingCell ring = chart::kPalaceRing[static_cast<std::size_t>(palace)];
    auto* cell = new QFrame(this);
    cell->setObjectName(QStringLiteral("PicDI"));
    cell->setProperty("index", palace);
    cell->setFrameShape(QFrame::Box);
    cell->setGeometry(ring.column * kCellWidth, ring.row * kCellHeight, kCellWidth, kCellHeight);
    cells_[static_cast<std::size_t>(palace)] = cell;
    const chart::PointF anchor = chart::ringAnchor(palace, kCellWidth, kCellHeight);
    anchors_[static_cast<std::size_t>(palace)] = {anchor.x * vb::kTwipsPerPixel, anchor.y * vb::kTwipsPerPixel};

    // Star slots: group one in the left pair of columns, group two in the right, each name with its
    // brightness word beside it.
    auto addSlot = [&](int s, int x, int y) {
        addLabel(Control::lblZX, chart::starSlot(palace, s), cell, x, y, kNameWidth, kRowHeight);
        addLabel(Control::lblZX, chart::starSlot(palace, s + 6), cell, x + kNameWidth, y, kWordWidth, kRowHeight);
    };
    for (int s = 0; s < 6; ++s) {
        const int y = 2 + s * kRowHeight;
        addSlot(s, 2, y);
        addSlot(s + 12, 50, y);
    }
    // The third group, for a palace crowded beyond twelve stars: two rows of three under the others.
    for (int s = 0; s < 6; ++s) addSlot(s + 24, 2 + (s % 3) * 48, 2 + (6 + s / 3) * kRowHeight);
    // The cycles and marks down the right side.
    int y = 2;
    for (Control c : {Control::lblXK, Control::lblZNDJ, Control::lblLNSQ, Control::lblLNJQ, Control::lblBSSES,
                      Control::lblZSMJ}) {
        addLabel(c, palace, cell, 100, y, kCellWidth - 102, kRowHeight);
        y += kRowHeight;
    }
    // Periods, body mark, stem and palace name along the bottom.
    // (under the third group of stars, which ends 2 + 8 rows down).
    const int periodsTop = kCellHeight - 2 * kRowHeight;
    const int nameTop = kCellHeight - kRowHeight - 1;
    addLabel(Control::lblDX, palace, cell, 2, periodsTop - 1, 70, kRowHeight);
    addLabel(Control::lblXX, palace, cell, 74, periodsTop - 1, 40, kRowHeight);
    addLabel(Control::lblSG, palace, cell, kCellWidth - 40, periodsTop - 1, 38, kRowHeight);
    addLabel(Control::lblSEGtg, palace, cell, 2, nameTop, 16, kRowHeight);
    QLabel* name = addLabel(Control::lblSEG, palace, cell, 20, nameTop, 44, kRowHeight);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
}

void ChartCellsWidget::buildCentre() {
    const int left = kCellWidth + 12;
    int y = kCellHeight + 10;
    const int width = 2 * kCellWidth - 24;
    addLabel(Control::lblCHUsh, 0, this, left, y, width, 18);
    y += 20;
    addLabel(Control::Label2, 1, this, left, y, 60, 16);
    addLabel(Control::Label6, 0, this, left + 64, y, 40, 16);
    addLabel(Control::Label17, 0, this, left + 108, y, 40, 16);
    y += 22;
    // The window puts the person's name after lblWho ("姓名："), before the bureau.
    addLabel(Control::lblWho, 0, this, left, y, 40, 16);
    addLabel(Control::lblWXj, 0, this, left + 43 + kNameCaptionWidth + 4, y, 60, 16);
    addLabel(Control::lblYinY, 0, this, left + 43 + kNameCaptionWidth + 68, y, 40, 16);
    y += 18;
    addLabel(Control::lblmingzhu, 0, this, left, y, 48, 16);
    addLabel(Control::lblMz, 0, this, left + 50, y, 40, 16);
    addLabel(Control::lblshenzhu, 0, this, left + 150, y, 48, 16);
    addLabel(Control::lblshz, 0, this, left + 200, y, 40, 16);
    y += 30;
    // The four-transformation table: a row per transformation, star, word, brightness.
    for (int r = 0; r < chart::kSiHuaRows; ++r) {
        const int rowY = y + r * 18;
        addLabel(Control::lBlxh, r, this, left + 60, rowY, 40, 16);
        addLabel(Control::lBlxh, r + chart::kSiHuaRows, this, left + 104, rowY, 40, 16);
        addLabel(Control::lBlxh, r + 2 * chart::kSiHuaRows, this, left + 148, rowY, 20, 16);
    }
}

void ChartCellsWidget::applyColour(const Element& e) {
    QPalette pal = e.label->palette();
    pal.setColor(QPalette::WindowText, vb::toQColor(e.foreColor, palette()));
    e.label->setPalette(pal);
}

QLabel* ChartCellsWidget::label(Control c, int index) const {
    return chart::hasElement(c, index) ? element(c, index).label : nullptr;
}

QFrame* ChartCellsWidget::palaceCell(int palace) const {
    return chart::isPalace(palace) ? cells_[static_cast<std::size_t>(palace)] : nullptr;
}

QString ChartCellsWidget::captionAt(Control c, int index) const { return element(c, index).label->text(); }

void ChartCellsWidget::setCaptionAt(Control c, int index, const QString& text) { element(c, index).label->setText(text); }

chart::Colour ChartCellsWidget::foreColorAt(Control c, int index) const { return element(c, index).foreColor; }

void ChartCellsWidget::setForeColorAt(Control c, int index, chart::Colour colour) {
    Element& e = element(c, index);
    e.foreColor = colour;
    applyColour(e);
}

chart::PointF ChartCellsWidget::cellOriginAt(int palace) const {
    const QPointF origin = vb::pixelsToTwips(cells_[static_cast<std::size_t>(palace)]->pos());
    return {static_cast<float>(origin.x()), static_cast<float>(origin.y())};
}

chart::PointF ChartCellsWidget::cellAnchorAt(int palace) const { return anchors_[static_cast<std::size_t>(palace)]; }

chart::LineState ChartCellsWidget::joinLine(chart::JoinLine line) const { return lines_[static_cast<std::size_t>(line)]; }

void ChartCellsWidget::setJoinLineColor(chart::JoinLine line, chart::Colour colour) {
    lines_[static_cast<std::size_t>(line)].borderColor = colour;
    update();
}

void ChartCellsWidget::setJoinLineEnds(chart::JoinLine line, chart::PointF first, chart::PointF second) {
    lines_[static_cast<std::size_t>(line)].first = first;
    lines_[static_cast<std::size_t>(line)].second = second;
    update();
}

void ChartCellsWidget::reportBuildFailure(const QString& text) {
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation);
    emit buildFailed(text);
}

bool ChartCellsWidget::refreshChart() { return chart::RefreshChart(*this); }

void ChartCellsWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const chart::LineState& line : lines_) {
        if (line.first == line.second) continue;
        painter.setPen(QPen(vb::toQColor(line.borderColor, palette()), 1));
        painter.drawLine(toPixels(line.first), toPixels(line.second));
    }
}

void ChartCellsWidget::changeEvent(QEvent* event) {
    // System colours follow the palette.
    if (event->type() == QEvent::PaletteChange)
        for (auto& control : elements_)
            for (const Element& e : control)
                if (e.label && vb::isSystemColor(e.foreColor)) applyColour(e);
    QWidget::changeEvent(event);
}

}  // namespace windows
