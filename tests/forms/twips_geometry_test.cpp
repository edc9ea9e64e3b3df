#include "platform/forms/twips_geometry.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(TwipsGeometry, FifteenTwipsMakeOnePixelBothWays) {
    QWidget w;
    forms::setTwipsGeometry(&w, 150, 405, 4215, 2055);
    EXPECT_EQ(w.geometry(), QRect(10, 27, 281, 137));
    EXPECT_EQ(forms::twipsGeometry(&w), QRect(150, 405, 4215, 2055));
    // Edges round to the nearest pixel, so neighbours placed edge to edge in twips stay so.
    forms::setTwipsGeometry(&w, 7, 8, 22, 22);
    EXPECT_EQ(w.geometry(), QRect(0, 1, 2, 1));
}

}  // namespace
