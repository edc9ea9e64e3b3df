#pragma once
// Colours as the program stores them: 0x00BBGGRR, or 0x80000000 + n for system colour n, which is
// resolved against the application's current palette each time it is used.
#include <QColor>
#include <QPalette>

#include <array>
#include <cstdint>

namespace vb {

using OleColor = uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;

// The system colour indexes 0..24 with the runtime's names for their values.
enum SystemColor : OleColor {
    vbScrollBars = 0x80000000u,
    vbDesktop = 0x80000001u,
    vbActiveTitleBar = 0x80000002u,
    vbInactiveTitleBar = 0x80000003u,
    vbMenuBar = 0x80000004u,
    vbWindowBackground = 0x80000005u,
    vbWindowFrame = 0x80000006u,
    vbMenuText = 0x80000007u,
    vbWindowText = 0x80000008u,
    vbTitleBarText = 0x80000009u,
    vbActiveBorder = 0x8000000Au,
    vbInactiveBorder = 0x8000000Bu,
    vbApplicationWorkspace = 0x8000000Cu,
    vbHighlight = 0x8000000Du,
    vbHighlightText = 0x8000000Eu,
    vbButtonFace = 0x8000000Fu,
    vbButtonShadow = 0x80000010u,
    vbGrayText = 0x80000011u,
    vbButtonText = 0x80000012u,
    vbInactiveCaptionText = 0x80000013u,
    vb3DHighlight = 0x80000014u,
    vb3DDKShadow = 0x80000015u,
    vb3DLight = 0x80000016u,
    vbInfoText = 0x80000017u,
    vbInfoBackground = 0x80000018u,
};

// Where each system colour comes from in a QPalette; index i of the table is system colour i.
struct SystemColorSource {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};
inline constexpr int kSystemColorCount = 25;
extern const std::array<SystemColorSource, kSystemColorCount> kSystemColorSources;

// RGB(r, g, b): each part is taken modulo 256 as the runtime's RGB does with values 0..255.
constexpr OleColor rgb(int r, int g, int b) {
    return static_cast<OleColor>(r & 0xFF) | static_cast<OleColor>(g & 0xFF) << 8 |
           static_cast<OleColor>(b & 0xFF) << 16;
}

constexpr bool isSystemColor(OleColor c) { return (c & kSystemColorFlag) != 0; }

// The colour a value shows. A system colour is read from `palette` (the application's palette when
// none is given); an unknown system index gives black.
QColor toQColor(OleColor c);
QColor toQColor(OleColor c, const QPalette& palette);

// 0x00BBGGRR of a colour; the alpha channel is dropped.
OleColor fromQColor(const QColor& c);

// The plain 0x00BBGGRR value a colour shows now (a system colour resolved, a plain colour kept).
OleColor resolveColor(OleColor c);

// The value as a 32-bit signed integer and back, the form in which colours are written as decimal
// text (system colours are negative).
constexpr int32_t colorToLong(OleColor c) { return static_cast<int32_t>(c); }
constexpr OleColor colorFromLong(int32_t v) { return static_cast<OleColor>(v); }

}  // namespace vb
