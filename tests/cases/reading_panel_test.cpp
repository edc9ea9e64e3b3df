// The reading panel: its text, its speed by the pointer, the wrap, pause and resume, and a timer that
// runs only while the panel is shown.
#include "core/globals.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/folders.h"
#include "tests/cases/case_fixture.h"
#include "tests/support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

namespace {

TEST(ReadingSpeed, StepsFollowThePointersHeight) {
    struct Case {
        int32_t mouseY;
        int twipsPerTick;
    };
    for (const Case& c : {Case{0, 8}, Case{1, 1}, Case{49, 1}, Case{50, 8}, Case{100, 15}, Case{-30, 8}, Case{-1, 8}})
        EXPECT_EQ(library::readingStepsPerTick(c.mouseY) + 1, c.twipsPerTick) << c.mouseY;
}

TEST(ReadingText, EveryLineEndsInCrLf) {
    EXPECT_EQ(library::readingText(vb::toCp936(QStringLiteral("紫微\r\n天府\r\n太阳\r\n"))), "紫微\r\n天府\r\n太阳\r\n");
    EXPECT_EQ(library::readingText(vb::toCp936(QStringLiteral("a\r\nb\r\nc"))), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(library::readingText(QByteArray()), "");
}

using ReadingPanelTest = CaseWindowTest;

TEST_F(ReadingPanelTest, TicksMoveTheTextAndWrapAtTheBottom) {
    library::ReadingPanel& p = panel();
    p.Timer1()->stop();
    ASSERT_GT(p.textHeight(), p.viewHeight());
    p.StartReading();
    p.Timer1()->stop();
    EXPECT_EQ(p.textTop(), 0);
    core::gScrollMouseY = 0;
    p.Timer1_Timer();
    EXPECT_EQ(p.textTop(), -8);
    core::gScrollMouseY = 100;
    p.Timer1_Timer();
    EXPECT_EQ(p.textTop(), -23);
    core::gScrollMouseY = 30;
    p.Timer1_Timer();
    EXPECT_EQ(p.textTop(), -24);
    // Run until the text's bottom edge meets the panel's: it is back at the top in that tick.
    core::gScrollMouseY = 0;
    const int32_t wrapAt = static_cast<int32_t>(core::gScrollEndTop) + p.viewHeight();
    int32_t before = p.textTop();
    while (p.textTop() - 8 > wrapAt) {
        before = p.textTop();
        p.Timer1_Timer();
        ASSERT_LT(p.textTop(), before);
    }
    p.Timer1_Timer();
    EXPECT_GT(p.textTop(), wrapAt);
    EXPECT_GE(p.textTop(), -8);
}

TEST_F(ReadingPanelTest, AClickPausesAndTheNextResumes) {
    library::ReadingPanel& p = panel();
    ASSERT_TRUE(p.Timer1()->isActive());
    QWidget* text = p.txtScroll()->viewport();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(p.Timer1()->isActive());
    const int32_t at = p.textTop();
    QTest::qWait(60);
    EXPECT_EQ(p.textTop(), at);
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(p.Timer1()->isActive());
    QTest::qWait(80);
    EXPECT_LT(p.textTop(), at);
}

TEST_F(ReadingPanelTest, APointerMoveSetsTheSpeedFromItsScreenHeight) {
    QWidget* text = panel().txtScroll()->viewport();
    auto moveTo = [text](int screenY) {
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, screenY), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(text, &move);
    };
    moveTo(120);
    EXPECT_EQ(core::gScrollMouseY, 120);
    // A pointer above the screen's top edge (another screen) counts as the top.
    moveTo(-40);
    EXPECT_EQ(core::gScrollMouseY, 0);
    EXPECT_EQ(library::readingStepsPerTick(core::gScrollMouseY), 7);
}

TEST_F(ReadingPanelTest, AHiddenPanelDoesNotTick) {
    library::ReadingPanel& p = panel();
    ASSERT_TRUE(p.Timer1()->isActive());
    p.hide();
    EXPECT_FALSE(p.Timer1()->isActive());
    p.show();
    EXPECT_TRUE(p.Timer1()->isActive());
}

TEST_F(ReadingPanelTest, AMissingTextIsReported) {
    const QString before = panel().txtScroll()->text();
    vb::setProgramFolder(testenv::userRoot() + QStringLiteral("/nowhere"));
    boxes_.clear();
    panel().StartReading();
    vb::setProgramFolder(testenv::programDir());
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "文件不全");
    EXPECT_EQ(panel().txtScroll()->text(), before);
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(panel().textTop(), 0);
}

}  // namespace
