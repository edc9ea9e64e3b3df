#include "chart/chart_surface.h"

#include "platform/vb/error.h"

#include <array>

namespace chart {

namespace {

constexpr int kControlArrayElementMissing = 340;
constexpr int kObjectNotAnArray = 343;

constexpr std::array<ControlInfo, kControlCount> kControls{{
    {"lblZX", 0, kStarSlotCount, true},
    {"lBlxh", 0, kSiHuaLabelCount, true},
    {"lblSEG", 0, kPalaceCount, true},
    {"lblSEGtg", 0, kPalaceCount, true},
    {"lblSG", 0, kPalaceCount, true},
    {"lblXX", 0, kPalaceCount, true},
    {"lblDX", 0, kPalaceCount, true},
    {"lblZSMJ", 0, kPalaceCount, true},
    {"lblBSSES", 0, kPalaceCount, true},
    {"lblLNSQ", 0, kPalaceCount, true},
    {"lblLNJQ", 0, kPalaceCount, true},
    {"lblXK", 0, kPalaceCount, true},
    {"lblZNDJ", 0, kPalaceCount, true},
    {"Label2", 1, 1, true},
    {"lblWXj", 0, 1, false},
    {"lblYinY", 0, 1, false},
    {"lblMz", 0, 1, false},
    {"lblshz", 0, 1, false},
    {"lblWho", 0, 1, false},
    {"lblmingzhu", 0, 1, false},
    {"lblshenzhu", 0, 1, false},
    {"lblCHUsh", 0, 1, false},
    {"Label6", 0, 1, false},
    {"Label17", 0, 1, false},
}};

constexpr std::array<const char*, kJoinLineCount> kJoinLineNames{"lineM2G", "LineM2C", "LineC2G", "LineM2Q"};

void checkSingle(Control c) {
    if (controlInfo(c).isArray)
        vb::raise(kObjectNotAnArray, QString::fromLatin1(controlInfo(c).name),
                  QStringLiteral("Argument not optional: %1 is a control array").arg(QLatin1String(controlInfo(c).name)));
}

void checkPalaceCell(int palace) {
    if (!isPalace(palace))
        vb::raise(kControlArrayElementMissing, QStringLiteral("PicDI"),
                  QStringLiteral("Control array element '%1' doesn't exist").arg(palace));
}

}  // namespace

const ControlInfo& controlInfo(Control c) { return kControls[static_cast<std::size_t>(c)]; }

const char* joinLineName(JoinLine line) { return kJoinLineNames[static_cast<std::size_t>(line)]; }

bool hasElement(Control c, int index) {
    const ControlInfo& info = controlInfo(c);
    return index >= info.firstIndex && index < info.firstIndex + info.count;
}

void checkElement(Control c, int index) {
    const ControlInfo& info = controlInfo(c);
    if (!info.isArray)
        vb::raise(kObjectNotAnArray, QString::fromLatin1(info.name),
                  QStringLiteral("Object not an array: %1").arg(QLatin1String(info.name)));
    if (!hasElement(c, index))
        vb::raise(kControlArrayElementMissing, QString::fromLatin1(info.name),
                  QStringLiteral("Control array element '%1' doesn't exist").arg(index));
}

QString ChartSurface::caption(Control c, int index) const {
    checkElement(c, index);
    return captionAt(c, index);
}

void ChartSurface::setCaption(Control c, int index, const QString& text) {
    checkElement(c, index);
    setCaptionAt(c, index, text);
}

Colour ChartSurface::foreColor(Control c, int index) const {
    checkElement(c, index);
    return foreColorAt(c, index);
}

void ChartSurface::setForeColor(Control c, int index, Colour colour) {
    checkElement(c, index);
    setForeColorAt(c, index, colour);
}

QString ChartSurface::caption(Control c) const {
    checkSingle(c);
    return captionAt(c, 0);
}

void ChartSurface::setCaption(Control c, const QString& text) {
    checkSingle(c);
    setCaptionAt(c, 0, text);
}

Colour ChartSurface::foreColor(Control c) const {
    checkSingle(c);
    return foreColorAt(c, 0);
}

void ChartSurface::setForeColor(Control c, Colour colour) {
    checkSingle(c);
    setForeColorAt(c, 0, colour);
}

PointF ChartSurface::cellOrigin(int palace) const {
    checkPalaceCell(palace);
    return cellOriginAt(palace);
}

PointF ChartSurface::cellAnchor(int palace) const {
    checkPalaceCell(palace);
    return cellAnchorAt(palace);
}

}  // namespace chart
