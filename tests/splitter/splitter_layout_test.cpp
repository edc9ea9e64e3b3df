// Layout, hit codes, dragging with limits and the bar events, painting.
#include "splitter/splitter_window.h"
#include "tests/splitter/sinks.h"

#include <QPainter>

#include <QTest>

#include <gtest/gtest.h>

using namespace splitter;
using splittertest::Hosted;

namespace {

SplitterModel twoColumns(int left, int right) {
    SplitterModel m;  // frame 4 (inset outer bevel 1 + border 1 on each side), bars 5
    m.columns.size[0] = left;
    m.columns.size[1] = right;
    m.rows.size[0] = 100;
    return m;
}

}  // namespace

TEST(SplitterLayout, FrameFromBevelsAndBorder) {
    SplitterModel m;
    EXPECT_EQ(m.frame(), 4);
    m.bevelOuter = 0;
    m.borderWidth = 0;
    EXPECT_EQ(m.frame(), 0);
    m.bevelOuter = 2;
    m.bevelInner = 1;
    m.bevelWidth = 3;
    m.borderWidth = 2;
    EXPECT_EQ(m.half(), 8);
}

TEST(SplitterLayout, EqualSharesAndLastLine) {
    SplitterModel m;
    m.colCount = 3;
    m.bevelOuter = 0;
    m.borderWidth = 0;
    m.splitterWidth = 0;
    EXPECT_EQ(m.equalize(Direction::Columns, 100), 100);
    EXPECT_EQ((std::vector<int>{m.columns.size[0], m.columns.size[1], m.columns.size[2]}), (std::vector<int>{33, 33, 34}));
    EXPECT_EQ(m.equalize(Direction::Columns, -5), 0);

    SplitterModel r;  // frame 4, bars 5, outline 2
    r.rowCount = 3;
    r.outlineWidth = 2;
    r.rows.size[0] = 50;
    r.rows.size[1] = 5;
    r.rows.visible[1] = 10;  // hidden: takes no room, its bar still does
    r.recomputeLast(Direction::Rows, 200);
    EXPECT_EQ(r.rows.size[2], 200 - 4 - 10 - 54 - 4);
    r.recomputeLast(Direction::Rows, 20);
    EXPECT_EQ(r.rows.size[2], 0);
}

TEST(SplitterLayout, HitCodes) {
    SplitterModel m = twoColumns(100, 200);  // pane 0: 0..103, bar 104..108, pane 1: 109..312
    struct Case {
        int x, y;
        int16_t hit;
    };
    const Case twoByOne[] = {
        {105, 50, 16}, {104, 0, 16}, {108, 99, 16}, {50, 50, 256 + 0}, {200, 50, 256 + 16},
        {1, 50, 256},  // on the frame: the column missed
        {400, 50, 256}, {313, 50, 256},  // the bar right of the last column is not a bar
    };
    for (const Case& c : twoByOne) EXPECT_EQ(m.hitTest(c.x, c.y), c.hit) << c.x << "," << c.y;
    m.rowCount = 2;
    m.rows.size[1] = 100;  // rows: 0..103, bar 104..108, 109..212
    EXPECT_EQ(m.hitTest(105, 105), 17);
    EXPECT_EQ(m.hitTest(200, 150), 273);
    EXPECT_EQ(m.hitTest(50, 106), 1);
    EXPECT_EQ(m.hitTest(105, 150), 16);
    // Coordinates are taken as 16-bit values.
    EXPECT_EQ(m.hitTest(65536 + 105, 50), 16);
}

TEST(SplitterLayout, DraggingWithinLimits) {
    struct Case {
        const char* what;
        int dx;
        int visibleRight, minLeft, maxLeft, maxRight;
        int left, right;
    };
    const Case cases[] = {
        {"150 right", 150, 0, 0, -1, -1, 250, 50},
        {"250 right clamps", 250, 0, 0, -1, -1, 300, 0},
        {"right collapses", 185, 20, 0, -1, -1, 304, 15},
        {"left minimum", -70, 0, 50, -1, -1, 50, 250},
        {"left maximum", 80, 0, 0, 130, -1, 130, 170},
        {"maximum 0 is no limit", 80, 0, 0, 0, 0, 180, 120},
        {"right maximum moving left", -90, 0, 0, -1, 250, 50, 250},
        {"100 left clamps", -150, 0, 0, -1, -1, 0, 300},
    };
    for (const Case& c : cases) {
        SplitterModel m = twoColumns(100, 200);
        m.columns.visible[1] = c.visibleRight;
        m.columns.min[0] = c.minLeft;
        m.columns.max[0] = c.maxLeft;
        m.columns.max[1] = c.maxRight;
        m.needsSizing = false;
        ASSERT_TRUE(m.startDrag(16, {105, 50}));
        EXPECT_EQ(m.dragColumns.joint, 308);
        EXPECT_EQ(m.dragRows.bar, 0);
        m.dragTo({105 + c.dx, 50});
        EXPECT_EQ(m.columns.size[0], c.left) << c.what;
        EXPECT_EQ(m.columns.size[1], c.right) << c.what;
        EXPECT_TRUE(m.needsSizing);
    }
    // The left column collapses under its visibility threshold.
    SplitterModel m = twoColumns(100, 200);
    m.columns.visible[0] = 40;
    m.startDrag(16, {105, 50});
    m.dragTo({40, 50});
    EXPECT_EQ(m.columns.size[0], 0);
    EXPECT_EQ(m.columns.size[1], 304);
    // No drag starts off a bar.
    SplitterModel off = twoColumns(100, 200);
    EXPECT_FALSE(off.startDrag(256, {50, 50}));
    EXPECT_FALSE(off.startDrag(0, {50, 50}));
    EXPECT_FALSE(off.dragging());
}

TEST(SplitterLayout, FeedbackBarCountsTheOutline) {
    SplitterModel m = twoColumns(100, 200);
    m.outlineWidth = 3;
    m.startDrag(16, {108, 50});
    EXPECT_EQ(m.feedbackRect(Direction::Columns, {400, 120}), QRect(3 + 104, 0, 5, 120));
    EXPECT_TRUE(m.feedbackRect(Direction::Rows, {400, 120}).isEmpty());
    m.splitterWidth = 0;
    EXPECT_TRUE(m.feedbackRect(Direction::Columns, {400, 120}).isEmpty());
}

namespace {

struct DragFixture : Hosted {
    com::ComPtr<splittertest::EventSink> events = com::make<splittertest::EventSink>();
    explicit DragFixture(int autoSize) : Hosted(QSize(313, 104)) {
        splittertest::advise(control.get(), kDiidISplitterEvents, events.get());
        put(kAutoSizeChildren, int16_t(autoSize));
        SplitterModel& m = control->model();
        m.columns.size[0] = 100;
        m.columns.size[1] = 200;
        m.rows.size[0] = 100;
        host->show();
        control->redraw();
    }
};

}  // namespace

TEST(SplitterLayout, MouseDragFiresTheBarEvents) {
    for (int autoSize : {1, 2}) {
        DragFixture f(autoSize);
        QTest::mousePress(f.window, Qt::LeftButton, {}, QPoint(105, 50));
        QTest::mouseMove(f.window, QPoint(155, 50));
        QTest::mouseMove(f.window, QPoint(205, 50));
        EXPECT_EQ(f.control->model().columns.size[0], 200);
        // After the move the panes on screen wait for the release when sizing comes after it.
        EXPECT_EQ(f.control->shownModel().columns.size[0], autoSize == 1 ? 200 : 100);
        if (autoSize == 2) {
            // The feedback bar at the new place: the background inverted through the checkerboard.
            const QImage shot = f.window->grab().toImage();
            const QColor back = shot.pixelColor(250, 50);
            int inverted = 0;
            for (int x = 204; x < 209; ++x)
                for (int y = 50; y < 54; ++y) inverted += shot.pixelColor(x, y) != back;
            EXPECT_EQ(inverted, 10);
        }
        QTest::mouseRelease(f.window, Qt::LeftButton, {}, QPoint(205, 50));
        EXPECT_EQ(f.control->shownModel().columns.size[0], 200);
        EXPECT_EQ(f.events->count(kEventSplitterStartMoving), 1);
        EXPECT_EQ(f.events->count(kEventSplitterMoving), 2);
        EXPECT_EQ(f.events->count(kEventSplitterMoved), 1);
        EXPECT_GE(f.events->count(kEventMouseMove), 2);
        for (const auto& c : f.events->calls) {
            if (c.id == kEventMouseMove) continue;
            EXPECT_EQ(c.args, (std::vector<com::Value>{int16_t(1), int16_t(0)}));
        }
        EXPECT_FALSE(f.control->model().dragging());
    }
}

TEST(SplitterLayout, FeedbackBarShowsAboveThePanesControls) {
    for (int autoSize : {0, 1, 2}) {
        DragFixture f(autoSize);
        // Two opaque controls over the panes, as the host's text boxes lie on them.
        std::vector<QWidget*> panes = f.contain({"Left", "Right"});
        for (QWidget* w : panes) {
            w->setAutoFillBackground(true);
            QPalette p = w->palette();
            p.setColor(QPalette::Window, QColor(250, 250, 250));
            w->setPalette(p);
        }
        f.put(kCol, int16_t(0));
        f.put(kPanelControl, QString("Left"));
        f.put(kCol, int16_t(1));
        f.put(kPanelControl, QString("Right"));
        ASSERT_TRUE(f.control->autoSizeAll());
        ASSERT_EQ(panes[1]->geometry(), QRect(111, 2, 200, 100));
        // Pixels of the bar's place at x 204..208, over the right pane's control until it moves, that
        // differ from what lies there.
        const QColor control(250, 250, 250), back(192, 192, 192);
        auto differing = [&](QColor there) {
            const QImage shot = f.window->grab().toImage();
            int n = 0;
            for (int x = 204; x < 209; ++x)
                for (int y = 50; y < 54; ++y) n += shot.pixelColor(x, y) != there;
            return n;
        };
        QWidget* overlay = f.window->findChild<QWidget*>("SplitterFeedback");
        ASSERT_NE(overlay, nullptr);
        QTest::mousePress(f.window, Qt::LeftButton, {}, QPoint(105, 50));
        QTest::mouseMove(f.window, QPoint(205, 50));
        if (autoSize == 1) {
            // Sizing while moving: the controls themselves follow and no bar is drawn.
            EXPECT_EQ(panes[0]->width(), 200);
            EXPECT_TRUE(overlay->isHidden());
            EXPECT_EQ(differing(back), 0);
        } else {
            EXPECT_EQ(panes[1]->geometry(), QRect(111, 2, 200, 100)) << autoSize;  // placed after the release
            EXPECT_EQ(f.window->children().last(), overlay) << autoSize;      // the topmost child
            EXPECT_EQ(differing(control), 10) << autoSize;  // the checkerboard's half inverted
        }
        QTest::mouseRelease(f.window, Qt::LeftButton, {}, QPoint(205, 50));
        EXPECT_TRUE(overlay->isHidden());
        EXPECT_EQ(panes[0]->width(), autoSize == 0 ? 100 : 200) << autoSize;
        EXPECT_EQ(differing(autoSize == 0 ? control : back), 0) << autoSize;
    }
}

TEST(SplitterLayout, MouseMoveEventArguments) {
    DragFixture f(1);
    QTest::mouseMove(f.window, QPoint(30, 40));
    ASSERT_FALSE(f.events->calls.empty());
    const auto& c = f.events->calls.back();
    EXPECT_EQ(c.id, kEventMouseMove);
    EXPECT_EQ(c.args, (std::vector<com::Value>{int16_t(0), int16_t(0), int32_t(30), int32_t(40)}));
}

TEST(SplitterLayout, LostCaptureEndsTheDragAsAReleaseWould) {
    DragFixture f(2);
    QTest::mousePress(f.window, Qt::LeftButton, {}, QPoint(105, 50));
    QTest::mouseMove(f.window, QPoint(125, 50));
    ASSERT_TRUE(f.control->model().dragging());
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f.window, &out);
    EXPECT_FALSE(f.control->model().dragging());
    EXPECT_EQ(f.events->count(kEventSplitterMoved), 1);
    EXPECT_EQ(f.control->shownModel().columns.size[0], 120);
    // A press off the bars starts nothing.
    QTest::mousePress(f.window, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(f.control->model().dragging());
    EXPECT_EQ(f.events->count(kEventSplitterStartMoving), 1);
}

TEST(SplitterLayout, DesignTimeClickMakesThePaneCurrent) {
    Hosted f(QSize(313, 104), false);
    f.control->model().columns.size[0] = 100;
    f.control->model().columns.size[1] = 200;
    f.control->model().rows.size[0] = 100;
    f.host->show();
    QTest::mouseClick(f.window, Qt::LeftButton, {}, QPoint(200, 50));
    EXPECT_EQ(f.get(kCol).toInt32(), 1);
    Hosted run(QSize(313, 104), true);
    run.control->model().columns.size[0] = 100;
    run.host->show();
    QTest::mouseClick(run.window, Qt::LeftButton, {}, QPoint(200, 50));
    EXPECT_EQ(run.get(kCol).toInt32(), 0);
}

TEST(SplitterLayout, PaintsBevelsOutlineAndBars) {
    Hosted f(QSize(200, 100));
    f.put(kBackColor, uint32_t(0x00C0C0C0));
    f.put(kOutlineWidth, int16_t(1));
    f.put(kColWidth, int32_t(80));
    f.host->show();
    f.control->redraw();
    const QImage img = f.window->grab().toImage();
    const QColor dark(128, 128, 128), light(224, 224, 224), back(192, 192, 192);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));          // outline
    EXPECT_EQ(img.pixelColor(199, 99), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(1, 50), dark);                       // inset: dark left and top
    EXPECT_EQ(img.pixelColor(40, 1), dark);
    EXPECT_EQ(img.pixelColor(1 + 83, 50), light);                 // light right and bottom
    EXPECT_EQ(img.pixelColor(40, 98), light);
    EXPECT_EQ(img.pixelColor(1 + 84 + 2, 50), back);              // the bar is background
    EXPECT_EQ(img.pixelColor(40, 50), back);
}

namespace {
// Records what automatic sizing asks of the host.
struct CountingHost final : PaneHost {
    int placed = 0, shown = 0;
    QRect last;
    bool place(const QByteArray&, const QRect& r) override {
        ++placed;
        last = r;
        return true;
    }
    bool show(const QByteArray&, bool) override {
        ++shown;
        return true;
    }
};
}  // namespace

TEST(SplitterLayout, TheLargestGridTheRulesAllowStaysInsideItsArithmetic) {
    // Sixteen by sixteen panes, every size and limit at the largest extent, every width at 16 bits.
    SplitterModel m;
    m.colCount = m.rowCount = kMaxLines;
    m.bevelOuter = m.bevelInner = 2;
    m.bevelWidth = m.borderWidth = m.outlineWidth = m.splitterWidth = INT16_MAX;
    for (LineArrays* a : {&m.columns, &m.rows}) {
        a->size.fill(kMaxExtent);
        a->min.fill(kMaxExtent);
        a->max.fill(kMaxExtent);
        a->visible.fill(0);
    }
    for (QByteArray& name : m.panels) name = "Pane";
    const int64_t step = int64_t(kMaxExtent) + m.frame() + m.splitterWidth;
    EXPECT_EQ(m.offsetOf(Direction::Columns, 15), int64_t(m.outlineWidth) + 15 * step);
    EXPECT_EQ(m.paneRect(15, 15).right(), int64_t(m.outlineWidth) + 15 * step + kMaxExtent + m.frame() - 1);
    m.recomputeLast(Direction::Columns, kMaxExtent);
    EXPECT_EQ(m.columns.size[15], 0);
    EXPECT_EQ(m.equalize(Direction::Rows, kMaxExtent), 0);
    m.columns.size.fill(kMaxExtent);
    m.rows.size.fill(kMaxExtent);
    EXPECT_EQ(m.hitTest(INT32_MAX, INT32_MIN), 256);
    EXPECT_EQ(m.hitTest(m.outlineWidth + m.half(), m.outlineWidth + m.half()), 256);
    CountingHost host;
    EXPECT_TRUE(m.autoSizeAll(host));
    EXPECT_EQ(host.placed, kPaneCount);
    EXPECT_EQ(host.last.right(), m.paneRect(15, 15).right() - m.half());
    EXPECT_TRUE(m.autoSizePanel(15, 15, host));
    // A drag on the last bar, as far as the limits let it go either way.
    const int barX = m.offsetOf(Direction::Columns, 15) - m.splitterWidth;
    ASSERT_TRUE(m.startDrag(int16_t(15 * 16), QPoint(barX, 0)));
    for (int x : {barX + kMaxExtent * 2, barX - kMaxExtent * 2, 0}) m.dragTo(QPoint(x, 0));
    EXPECT_EQ(m.feedbackRect(Direction::Columns, {kMaxExtent, kMaxExtent}).left(),
              m.offsetOf(Direction::Columns, 15) - m.splitterWidth);
    // Painting the widest frames on one pane.
    SplitterModel one = m;
    one.colCount = one.rowCount = 1;
    QImage image(64, 64, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSplitter(painter, one, image.size());
}

TEST(SplitterLayout, MethodsByDispatch) {
    Hosted f(QSize(200, 120));
    com::Value r;
    // 200 - 5 - (0 + 2 x 2) x 2 = 187: 93 and 94.
    ASSERT_EQ(f.control->Invoke(kEqualColWidth, com::InvokeKind::Method, {}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(int32_t(187)));
    EXPECT_EQ(f.control->model().columns.size[0], 93);
    EXPECT_EQ(f.control->model().columns.size[1], 94);
    f.put(kRows, int16_t(2));
    ASSERT_EQ(f.control->Invoke(kEqualRowHeight, com::InvokeKind::Method, {}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(int32_t(120 - 5 - 8)));
    ASSERT_EQ(f.control->Invoke(kHitTest, com::InvokeKind::Method, {int32_t(98), int32_t(10)}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(int16_t(16)));
    ASSERT_EQ(f.control->Invoke(kHitTest, com::InvokeKind::Method, {int32_t(150), int32_t(100)}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(int16_t(256 + 16 + 1)));
    ASSERT_EQ(f.control->Invoke(kHWnd, com::InvokeKind::PropertyGet, {}, &r), com::S_OK);
    EXPECT_EQ(r.toInt64(), static_cast<int64_t>(reinterpret_cast<intptr_t>(f.window)));
}
