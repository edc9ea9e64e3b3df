// The application pointer, twips and colours.
#include "tests/support/error_number.h"
#include "platform/vb/colour.h"
#include "platform/vb/error.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/twips.h"

#include <QCursor>
#include <QGuiApplication>
#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vb;

namespace {

using testenv::errorOf;

int overrideDepth() {
    int depth = 0;
    QList<QCursor> popped;
    while (QGuiApplication::overrideCursor()) {
        popped.append(*QGuiApplication::overrideCursor());
        QGuiApplication::restoreOverrideCursor();
        ++depth;
    }
    for (auto it = popped.rbegin(); it != popped.rend(); ++it) QGuiApplication::setOverrideCursor(*it);
    return depth;
}

class VbScreenPointer : public ::testing::Test {
protected:
    void TearDown() override { setScreenMousePointer(vbDefault); }
};

TEST_F(VbScreenPointer, HourglassOverridesTheCursorAndZeroRestoresIt) {
    EXPECT_EQ(screenMousePointer(), vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setScreenMousePointer(vbHourglass);
    EXPECT_EQ(screenMousePointer(), vbHourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    setScreenMousePointer(vbDefault);
    EXPECT_EQ(screenMousePointer(), vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(VbScreenPointer, OneLevelNotAStack) {
    // Two guards that each set the hourglass: the first reset already shows the default pointer.
    setScreenMousePointer(vbHourglass);
    setScreenMousePointer(vbHourglass);
    EXPECT_EQ(overrideDepth(), 1);
    setScreenMousePointer(vbIbeam);
    EXPECT_EQ(overrideDepth(), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    setScreenMousePointer(vbDefault);
    EXPECT_EQ(overrideDepth(), 0);
    setScreenMousePointer(vbDefault);  // a second reset touches nothing
    EXPECT_EQ(overrideDepth(), 0);
}

TEST_F(VbScreenPointer, OutOfRangeAndUnknownValues) {
    setScreenMousePointer(vbHourglass);
    EXPECT_EQ(errorOf([] { setScreenMousePointer(40000); }), kOverflow);
    EXPECT_EQ(errorOf([] { setScreenMousePointer(-32769); }), kOverflow);
    EXPECT_EQ(errorOf([] { setScreenMousePointer(42); }), kInvalidPropertyValue);
    EXPECT_EQ(screenMousePointer(), vbHourglass);  // a refused value changes nothing
}

TEST(VbTwips, FifteenTwipsPerPixel) {
    EXPECT_EQ(twipsPerPixelX(), 15);
    EXPECT_EQ(twipsPerPixelY(), 15);
    struct Case {
        double twips;
        int pixels;
    };
    for (const Case& c : {Case{0, 0}, Case{15, 1}, Case{7, 0}, Case{7.5, 1}, Case{22, 1}, Case{23, 2},
                          Case{-15, -1}, Case{-7.5, -1}, Case{4215, 281}, Case{6270, 418}}) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(twipsToPixels(c.twips), c.pixels);
    }
    EXPECT_EQ(pixelsToTwips(281), 4215);
    EXPECT_EQ(pixelsToTwips(QPoint(2, -3)), QPointF(30, -45));
    EXPECT_EQ(twipsToPixels(QSizeF(6270, 3675)), QSize(418, 245));
    // Rectangles keep their edges: two neighbours in twips stay neighbours in pixels.
    const QRect a = twipsToPixels(QRectF(0, 0, 608, 300));
    const QRect b = twipsToPixels(QRectF(608, 0, 608, 300));
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(pixelsToTwips(QRect(1, 2, 3, 4)), QRectF(15, 30, 45, 60));
}

TEST(VbColours, PlainValuesAreBlueGreenRed) {
    EXPECT_EQ(rgb(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(rgb(0, 0, 255), 0xFF0000u);
    EXPECT_EQ(rgb(256 + 1, 2, 3), 0x030201u);
    EXPECT_EQ(toQColor(0x000080), QColor(128, 0, 0));
    EXPECT_EQ(toQColor(0x004080), QColor(128, 64, 0));
    EXPECT_EQ(toQColor(0xC000C0), QColor(192, 0, 192));
    EXPECT_EQ(fromQColor(QColor(0, 64, 0)), 0x004000u);
    EXPECT_EQ(fromQColor(QColor(10, 20, 30, 40)), rgb(10, 20, 30));
    for (OleColor c : {0x000000u, 0xFFFFFFu, 0x123456u, 0x800080u}) EXPECT_EQ(fromQColor(toQColor(c)), c);
    EXPECT_FALSE(isSystemColor(0xFFFFFF));
    EXPECT_TRUE(isSystemColor(vbButtonFace));
    EXPECT_EQ(colorToLong(vbWindowBackground), -2147483643);
    EXPECT_EQ(colorFromLong(-2147483633), vbButtonFace);
}

TEST(VbColours, SystemColoursComeFromThePalette) {
    QPalette p;
    p.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    p.setColor(QPalette::Active, QPalette::HighlightedText, QColor(4, 5, 6));
    p.setColor(QPalette::Active, QPalette::Dark, QColor(7, 8, 9));
    p.setColor(QPalette::Active, QPalette::Light, QColor(10, 11, 12));
    p.setColor(QPalette::Active, QPalette::Base, QColor(13, 14, 15));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(16, 17, 18));
    EXPECT_EQ(toQColor(vbButtonFace, p), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(vbTitleBarText, p), QColor(4, 5, 6));  // 0x80000009, the caption text
    EXPECT_EQ(toQColor(vbDesktop, p), QColor(7, 8, 9));
    EXPECT_EQ(toQColor(vbButtonShadow, p), QColor(7, 8, 9));
    EXPECT_EQ(toQColor(vb3DHighlight, p), QColor(10, 11, 12));
    EXPECT_EQ(toQColor(vbWindowBackground, p), QColor(13, 14, 15));
    EXPECT_EQ(toQColor(vbGrayText, p), QColor(16, 17, 18));
    EXPECT_EQ(toQColor(0x80000019u, p), QColor(0, 0, 0));  // no such system colour
    EXPECT_EQ(toQColor(0xFFFFFFFFu, p), QColor(0, 0, 0));
}

TEST(VbColours, EverySystemIndexResolvesAgainstTheApplicationPalette) {
    const QPalette app = QGuiApplication::palette();
    for (int i = 0; i < kSystemColorCount; ++i) {
        SCOPED_TRACE(i);
        const auto& s = kSystemColorSources[i];
        QColor expected = app.color(s.group, s.role);
        expected.setAlpha(255);
        EXPECT_EQ(toQColor(kSystemColorFlag + i), expected);
        EXPECT_EQ(resolveColor(kSystemColorFlag + i), fromQColor(expected));
    }
    EXPECT_EQ(resolveColor(0x01123456u), 0x123456u);
    // Button face and window background stay apart from their texts, so text stays readable.
    EXPECT_NE(resolveColor(vbButtonFace), resolveColor(vbButtonText));
    EXPECT_NE(resolveColor(vbWindowBackground), resolveColor(vbWindowText));
}

}  // namespace
