// The library window's layout: the tree's bounds, the splitter bar drag, the bookmark pane.
#include "core/globals.h"
#include "platform/forms/twips_geometry.h"
#include "tests/library/library_fixture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

class LayoutTest : public LibraryWindowTest {
protected:
    library::FrmCodeLib& window() {
        library::FrmCodeLib& w = start();
        w.Move(0, 0, 12000, 7500);
        return w;
    }
    static QRect twips(const QWidget* w) { return forms::twipsGeometry(w); }
};

struct BoundCase {
    int wanted;
    int windowWidth;
    int expected;
};

class TreeBoundsTest : public LayoutTest, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(TreeBoundsTest, TheTreeWidthStaysBetween1500AndTheWindowWidthLess1500) {
    library::FrmCodeLib& w = window();
    w.Move(0, 0, GetParam().windowWidth, 7500);
    w.SizeControls(GetParam().wanted);
    EXPECT_EQ(twips(w.tvCodeItems()).width(), GetParam().expected);
    EXPECT_EQ(twips(w.imgSplitter()).x(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bounds, TreeBoundsTest,
                         ::testing::Values(BoundCase{3000, 12000, 3000}, BoundCase{600, 12000, 1500},
                                           BoundCase{11000, 12000, 10500}, BoundCase{2000, 2700, 1200}));

TEST_F(LayoutTest, TheDetailsStart25RightOfTheBarAndTheBarLiesOverThem) {
    library::FrmCodeLib& w = window();
    w.SizeControls(3000);
    const QRect tree = twips(w.tvCodeItems());
    const QRect details = twips(w.ctlCodeItemDetails());
    // Geometry is kept in whole pixels: within one pixel (15 twips) of the twips asked for.
    EXPECT_NEAR(details.x(), 3025, 15);
    EXPECT_NEAR(details.width(), w.ScaleWidth() - (tree.width() + 50), 15);
    EXPECT_EQ(details.height(), tree.height());
    EXPECT_EQ(twips(w.imgSplitter()).width(), 150);
    EXPECT_EQ(twips(w.imgSplitter()).height(), tree.height());
    // The bar is above the details in the stacking order.
    const QObjectList& kids = w.client()->children();
    EXPECT_GT(kids.indexOf(w.imgSplitter()), kids.indexOf(w.ctlCodeItemDetails()));
}

TEST_F(LayoutTest, TheBookmarkPaneIsTwoNinthsTimesItsScaleAndOffGivesTheSpaceBack) {
    library::FrmCodeLib& w = window();
    for (int scale : {1, 3}) {
        core::gBookmarkPaneScale = static_cast<int16_t>(scale);
        w.ShowBookmarkPane(true);
        const int expected = static_cast<int>(std::lround(w.ScaleHeight() * 2.0 / 9.0 * scale));
        EXPECT_NEAR(twips(w.ctlBookMarkList()).height(), expected, 15);
        EXPECT_EQ(twips(w.ctlBookMarkList()).y(), twips(w.tvCodeItems()).bottom() + 1);
        EXPECT_TRUE(w.menuEntry(QStringLiteral("mnuViewBookMarks"))->isChecked());
    }
    core::gBookmarkPaneScale = 1;
    const int treeWidth = twips(w.tvCodeItems()).width();
    w.ShowBookmarkPane(false);
    EXPECT_FALSE(w.ctlBookMarkList()->isVisibleTo(&w));
    EXPECT_FALSE(w.menuEntry(QStringLiteral("mnuViewBookMarks"))->isChecked());
    EXPECT_EQ(twips(w.tvCodeItems()).height(), twips(w.StatusBar1()).y() - twips(w.tvCodeItems()).y());
    EXPECT_EQ(twips(w.tvCodeItems()).width(), treeWidth);
}

TEST_F(LayoutTest, DraggingTheBarMovesOnlyTheDragBarUntilTheRelease) {
    library::FrmCodeLib& w = window();
    w.SizeControls(3000);
    w.imgSplitter_MouseDown();
    EXPECT_FALSE(w.picSplitter()->isHidden());
    EXPECT_EQ(twips(w.picSplitter()).width(), 75);
    w.imgSplitter_MouseMove(1500);  // 3000 + 1500
    EXPECT_EQ(twips(w.picSplitter()).x(), 4500);
    EXPECT_EQ(twips(w.tvCodeItems()).width(), 3000);
    w.imgSplitter_MouseMove(-2700);  // left of the bound
    EXPECT_EQ(twips(w.picSplitter()).x(), 1500);
    w.imgSplitter_MouseMove(9000);  // right of the bound
    EXPECT_EQ(twips(w.picSplitter()).x(), w.Width() - 1500);
    w.imgSplitter_MouseUp();
    EXPECT_TRUE(w.picSplitter()->isHidden());
    EXPECT_FALSE(w.splitterDragging());
    EXPECT_EQ(twips(w.tvCodeItems()).width(), w.Width() - 1500);
    // A move without a press does nothing.
    w.imgSplitter_MouseMove(100);
    EXPECT_TRUE(w.picSplitter()->isHidden());
}

TEST_F(LayoutTest, ATinyWindowLaysOutWithoutNegativeSizes) {
    library::FrmCodeLib& w = window();
    w.Move(0, 0, 600, 450);
    w.SizeControls(3000);
    EXPECT_GE(twips(w.tvCodeItems()).height(), 0);
    EXPECT_GE(twips(w.ctlCodeItemDetails()).width(), 0);
}

TEST_F(LayoutTest, ADoubleClickOnTheTrayIconRestoresAMinimisedWindow) {
    library::FrmCodeLib& w = window();
    w.Show();
    w.setWindowStateValue(forms::vbMinimized);
    w.picSysBar_MouseMove(513);  // a single click does nothing
    EXPECT_EQ(w.windowStateValue(), forms::vbMinimized);
    w.picSysBar_MouseMove(515);
    EXPECT_EQ(w.windowStateValue(), forms::vbNormal);
    EXPECT_TRUE(w.isVisible());
}

}  // namespace
