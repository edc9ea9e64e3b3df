#include "platform/vb/colour.h"

#include <QGuiApplication>

namespace vb {

// Windows system colour index -> nearest QPalette entry, by what each colour is used for.
const std::array<SystemColorSource, kSystemColorCount> kSystemColorSources{{
    {QPalette::Active, QPalette::Button},             // 0 scroll bars
    {QPalette::Active, QPalette::Dark},               // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active title bar
    {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},             // 4 menu bar
    {QPalette::Active, QPalette::Base},               // 5 window background
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 title bar text
    {QPalette::Active, QPalette::Window},             // 10 active border
    {QPalette::Inactive, QPalette::Window},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},          // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},    // 14 highlight text
    {QPalette::Active, QPalette::Button},             // 15 button face
    {QPalette::Active, QPalette::Dark},               // 16 button shadow
    {QPalette::Disabled, QPalette::Text},             // 17 grey text
    {QPalette::Active, QPalette::ButtonText},         // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive caption text
    {QPalette::Active, QPalette::Light},              // 20 3D highlight
    {QPalette::Active, QPalette::Shadow},             // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
}};

QColor toQColor(OleColor c) { return toQColor(c, QGuiApplication::palette()); }

QColor toQColor(OleColor c, const QPalette& palette) {
    if (isSystemColor(c)) {
        const OleColor index = c & ~kSystemColorFlag;
        if (index >= static_cast<OleColor>(kSystemColorCount)) return QColor(0, 0, 0);
        const SystemColorSource& s = kSystemColorSources[index];
        QColor q = palette.color(s.group, s.role);
        q.setAlpha(255);
        return q;
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

OleColor fromQColor(const QColor& c) {
    const QColor rgbColor = c.toRgb();
    return rgb(rgbColor.red(), rgbColor.green(), rgbColor.blue());
}

OleColor resolveColor(OleColor c) { return isSystemColor(c) ? fromQColor(toQColor(c)) : (c & 0x00FFFFFFu); }

}  // namespace vb
