// Host controls in panes: find-and-place through the container's extenders on real Qt widgets.
#include "splitter/container_client.h"
#include "tests/splitter/sinks.h"

#include <gtest/gtest.h>

using namespace splitter;
using splittertest::Hosted;

namespace {

// A 1 x 3 grid like the case list's, 300 x 400 pixels, frame 4, bars 2, sizing after the move.
struct ThreeRows : Hosted {
    std::vector<QWidget*> widgets;
    ThreeRows() : Hosted(QSize(300, 400)) {
        widgets = contain({"lvFiles", "splittertxt2", "splittertxt1"});
        put(kSplitterWidth, int16_t(2));
        put(kCols, int16_t(1));
        put(kRows, int16_t(3));
        SplitterModel& m = control->model();
        m.rows.size[0] = 200;
        m.rows.size[1] = 60;
        const char* names[] = {"lvFiles", "splittertxt2", "splittertxt1"};
        for (int r = 0; r < 3; ++r) m.panels[r] = names[r];
        m.needsSizing = true;
        host->show();
        control->redraw();
    }
};

}  // namespace

TEST(SplitterContainer, PlacesEachPanesControlInsideItsFrame) {
    ThreeRows f;
    // Row 0 at 0..203 (inside 2..201), bar 204..205, row 1 inside 208..267, row 2 inside 274..397.
    EXPECT_EQ(f.widgets[0]->geometry(), QRect(2, 2, 296, 200));
    EXPECT_EQ(f.widgets[1]->geometry(), QRect(2, 208, 296, 60));
    EXPECT_EQ(f.widgets[2]->geometry(), QRect(2, 274, 296, 400 - 204 - 2 - 64 - 2 - 4));
    for (QWidget* w : f.widgets) EXPECT_FALSE(w->isHidden());
    // The extender saw twips: 2 pixels = 30 twips.
    com::ComPtr<com::IEnumUnknown> e;
    f.site->EnumControls(com::OLECONTF_EMBEDDINGS | com::OLECONTF_OTHERS, com::GC_WCH_CONTAINED, e.put());
    com::ComPtr<com::IUnknown> first;
    ASSERT_EQ(e->Next(first.put()), com::S_OK);
    auto site = com::queryInterface<com::IOleControlSite>(first);
    com::ComPtr<com::IDispatch> ext;
    site->GetExtendedControl(ext.put());
    com::Value left;
    com::getProperty(ext.get(), "Left", &left);
    EXPECT_EQ(left, com::Value(int32_t(30)));

    // Painting again without changes writes nothing.
    const int writes = f.site->extenderWrites();
    f.control->model().needsSizing = true;
    f.control->redraw();
    EXPECT_TRUE(f.control->autoSizeAll());
    EXPECT_EQ(f.site->extenderWrites(), writes);
}

TEST(SplitterContainer, CollapsedRowHidesItsControlAndShowsItAgain) {
    ThreeRows f;
    f.put(kRow, int16_t(1));
    f.put(kRowVisibleHeight, int32_t(30));
    SplitterModel& m = f.control->model();
    ASSERT_TRUE(m.startDrag(2, {10, 274}));  // the bar below row 1
    m.dragTo({10, 274 - 50});                // row 1 would fall to 10, under its threshold 30
    EXPECT_EQ(m.rows.size[1], 0);
    EXPECT_EQ(m.rows.size[2], 64 + 128 - 4);
    m.clearDrag();
    f.control->redraw();
    EXPECT_TRUE(f.widgets[1]->isHidden());
    EXPECT_FALSE(f.widgets[2]->isHidden());
    m.startDrag(2, {10, 274});
    m.dragTo({10, 274 + 60});
    m.clearDrag();
    f.control->model().needsSizing = true;
    f.control->redraw();
    EXPECT_FALSE(f.widgets[1]->isHidden());
    EXPECT_EQ(f.widgets[1]->geometry(), QRect(2, 208, 296, 60));
}

TEST(SplitterContainer, ControlArrayNamesAndUnknownNames) {
    Hosted f(QSize(300, 100));
    auto w = f.contain({"Text1", "Text1", "Text1", "Text2"});
    w[0]->setProperty("Index", 0);
    w[1]->setProperty("index", 2);
    f.put(kCols, int16_t(3));
    f.control->model().panels[0 * 16] = "Text1(2)";
    f.control->model().panels[1 * 16] = "Text1";     // matches only the widget outside the array
    f.control->model().panels[2 * 16] = "Text2";
    QStringList names;
    EXPECT_EQ(f.control->listContainedControls(&names), 4);
    EXPECT_EQ(names, (QStringList{"Text1(0)", "Text1(2)", "Text1", "Text2"}));
    SplitterModel& m = f.control->model();
    m.columns.size[0] = m.columns.size[1] = m.columns.size[2] = 50;
    m.rows.size[0] = 50;
    const QRect before0 = w[0]->geometry();
    EXPECT_TRUE(f.control->autoSizeAll());
    EXPECT_EQ(w[0]->geometry(), before0);  // Text1(0) is named by no pane
    EXPECT_EQ(w[1]->geometry(), QRect(2, 2, 50, 50));
    EXPECT_EQ(w[2]->x(), 54 + 5 + 2);
    EXPECT_EQ(w[3]->x(), 2 * (54 + 5) + 2);

    // A name that matches nothing: false, the other panes still placed, nothing else touched.
    Hosted g(QSize(300, 100));
    auto v = g.contain({"Text2"});
    g.control->model().panels[0] = "Missing";
    g.control->model().panels[16] = "Text2";
    const int before = g.site->extenderWrites();
    EXPECT_FALSE(g.control->autoSizeAll());
    EXPECT_GT(g.site->extenderWrites(), before);
    EXPECT_EQ(v[0]->x(), g.control->model().columns.size[0] + 4 + 5 + 2);

    // "<none>" and an empty name stand for no control and succeed.
    ContainerClient client(g.site.get());
    EXPECT_TRUE(client.place("<none>", QRect(0, 0, 5, 5)));
    EXPECT_TRUE(client.show("", false));
    EXPECT_FALSE(client.place("Missing", QRect(0, 0, 5, 5)));
    ContainerClient noSite(nullptr);
    EXPECT_FALSE(noSite.place("Text2", QRect(0, 0, 5, 5)));
}
