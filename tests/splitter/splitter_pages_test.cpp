// The Border and Panels property pages driven through their real fields.
#include "splitter/border_page.h"
#include "splitter/panels_page.h"
#include "tests/splitter/sinks.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QStyle>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace splitter;
using splittertest::Hosted;

namespace {

class StatusSite final : public com::Object<com::IPropertyPageSite> {
public:
    int changes = 0;
    com::HResult OnStatusChange(uint32_t) override {
        ++changes;
        return com::S_OK;
    }
};

template <class Page>
struct PageFixture {
    Hosted hosted;
    com::ComPtr<Page> page = com::make<Page>();
    com::ComPtr<StatusSite> site = com::make<StatusSite>();
    com::ComPtr<splittertest::NotifySink> notify = com::make<splittertest::NotifySink>();
    std::unique_ptr<QWidget> frame = std::make_unique<QWidget>();
    QWidget* widget = nullptr;

    explicit PageFixture(QSize size = QSize(200, 100), QStringList contained = {}) : hosted(size) {
        hosted.contain(contained);
        splittertest::advise(hosted.control.get(), com::IPropertyNotifySink::iid, notify.get());
        page->SetPageSite(site.get());
        page->SetObjects({hosted.control->unknown()});
        page->Activate(frame.get(), &widget);
    }
    ~PageFixture() {
        page->Deactivate();
        page->SetObjects({});
    }
    template <class W>
    W* field(int id) {
        return widget->findChild<W*>(QStringLiteral("ctl%1").arg(id));
    }
    // Types into a number field and leaves it.
    void enter(int id, const QString& text) {
        auto* e = field<QLineEdit>(id);
        e->selectAll();
        QTest::keyClicks(e, text);
        leave(e);
    }
    static void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
};

}  // namespace

TEST(SplitterPages, BorderPageShowsAndAppliesItsValues) {
    PageFixture<BorderPage> f;
    com::PageInfo info;
    f.page->GetPageInfo(&info);
    EXPECT_EQ(info.title, "General");
    EXPECT_EQ(info.docString, "Splitter Windows Property Page");
    EXPECT_EQ(f.field<QComboBox>(212)->currentIndex(), 1);
    EXPECT_EQ(f.field<QComboBox>(212)->itemText(2), "Raised");
    EXPECT_EQ(f.field<QComboBox>(217)->itemText(0), "Not autosize child controls");
    EXPECT_EQ(f.field<QLineEdit>(220)->text(), "5");
    EXPECT_EQ(f.page->IsPageDirty(), com::S_FALSE);

    f.field<QComboBox>(211)->setCurrentIndex(2);
    EXPECT_EQ(f.page->IsPageDirty(), com::S_OK);
    EXPECT_EQ(f.site->changes, 1);  // told once
    f.field<QComboBox>(217)->setCurrentIndex(0);
    f.enter(222, "3");
    f.enter(215, "-4");
    EXPECT_EQ(f.field<QLineEdit>(215)->text(), "0");
    f.enter(224, "70000");  // beyond 16 bits: the largest width, never a wrapped one
    EXPECT_EQ(f.field<QLineEdit>(224)->text(), "32767");
    f.enter(220, "8");
    EXPECT_EQ(f.site->changes, 1);
    ASSERT_EQ(f.page->Apply(), com::S_OK);
    EXPECT_EQ(f.page->IsPageDirty(), com::S_FALSE);
    const SplitterModel& m = f.hosted.control->model();
    EXPECT_EQ(m.bevelInner, 2);
    EXPECT_EQ(m.autoSizeChildren, 0);
    EXPECT_EQ(m.bevelWidth, 3);
    EXPECT_EQ(m.borderWidth, 0);
    EXPECT_EQ(m.outlineWidth, 32767);
    EXPECT_EQ(m.splitterWidth, 8);
    EXPECT_EQ(f.notify->changed,
              (std::vector<com::DispId>{kBevelInner, kBevelOuter, kAutoSizeChildren, kBevelWidth, kBorderWidth,
                                        kOutlineWidth, kSplitterWidth}));
}

TEST(SplitterPages, PanelsPageSharesColumnsOutInItsWorkingCopy) {
    PageFixture<PanelsPage> f(QSize(200, 100));
    com::PageInfo info;
    f.page->GetPageInfo(&info);
    EXPECT_EQ(info.title, "Panels");
    f.enter(226, "4");
    const SplitterModel& w = f.page->working();
    EXPECT_EQ(w.colCount, 4);
    EXPECT_EQ((std::vector<int>{w.columns.size[0], w.columns.size[1], w.columns.size[2], w.columns.size[3]}),
              (std::vector<int>{42, 42, 42, 43}));
    EXPECT_EQ(f.hosted.control->model().colCount, 2);  // not applied yet
    // Out of range, equal or overflowing counts are ignored.
    for (const char* bad : {"0", "17", "4", "65537", "x"}) {
        f.enter(226, bad);
        EXPECT_EQ(w.colCount, 4) << bad;
        EXPECT_EQ(f.field<QLineEdit>(226)->text(), "4") << bad;
    }
    f.enter(230, "3");
    EXPECT_EQ(w.rowCount, 3);
    f.page->Apply();
    const SplitterModel& m = f.hosted.control->model();
    EXPECT_EQ(m.colCount, 4);
    EXPECT_EQ(m.rowCount, 3);
    EXPECT_EQ(m.columns.size[1], 42);
    EXPECT_EQ(f.hosted.control->IsDirty(), com::S_OK);
    for (com::DispId id = kCols; id <= kCol; ++id)
        EXPECT_NE(std::find(f.notify->changed.begin(), f.notify->changed.end(), id), f.notify->changed.end()) << id;
}

TEST(SplitterPages, PanelsPageFieldRules) {
    PageFixture<PanelsPage> f(QSize(200, 100));
    const SplitterModel& w = f.page->working();
    f.enter(244, "30");  // MinWidth
    EXPECT_EQ(w.columns.min[0], 30);
    const int32_t before = w.columns.size[0];
    f.enter(248, "20");  // below the minimum: refused, the old width shown again
    EXPECT_EQ(w.columns.size[0], before);
    EXPECT_EQ(f.field<QLineEdit>(248)->text(), QString::number(before));
    f.enter(240, "-9");  // MaxWidth: negative becomes -1
    EXPECT_EQ(f.field<QLineEdit>(240)->text(), "-1");
    f.enter(240, "60");
    f.enter(248, "61");
    EXPECT_EQ(w.columns.size[0], before);
    f.enter(248, "45");
    EXPECT_EQ(w.columns.size[0], 45);
    f.enter(246, "-5");  // MinHeight: negative becomes 0
    EXPECT_EQ(f.field<QLineEdit>(246)->text(), "0");
    f.enter(220, "-5");  // VisibleHeight
    EXPECT_EQ(w.rows.visible[0], 0);
    f.enter(232, "1");
    EXPECT_EQ(w.col, 1);
    EXPECT_EQ(f.field<QLineEdit>(244)->text(), "0");  // the fields follow the current column
    f.enter(232, "2");  // outside the grid
    EXPECT_EQ(w.col, 1);
    EXPECT_EQ(f.field<QLineEdit>(232)->text(), "1");
    // Typing is not overwritten by a repaint.
    auto* width = f.field<QLineEdit>(248);
    width->setText("12");
    f.widget->repaint();
    f.field<QWidget>(201)->repaint();
    EXPECT_EQ(width->text(), "12");
}

TEST(SplitterPages, PanelsPageNamesAndPreviewClicks) {
    PageFixture<PanelsPage> f(QSize(200, 100), {"lvFiles", "Text1"});
    auto* names = f.field<QComboBox>(203);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->count(), 3);
    EXPECT_EQ(names->itemText(0), "<none>");
    EXPECT_EQ(names->itemText(1), "lvFiles");
    EXPECT_EQ(names->currentIndex(), 0);
    EXPECT_FALSE(names->isEditable());  // a drop-down list: only offered names are chosen
    names->setCurrentIndex(1);
    f.leave(names);
    EXPECT_EQ(f.page->working().panels[0], "lvFiles");
    // The same name chosen for pane (1, 0) clears it from pane (0, 0).
    auto* preview = f.field<QWidget>(201);
    ASSERT_NE(preview, nullptr);
    const QRect inside = static_cast<QFrame*>(preview)->contentsRect();
    QTest::mouseClick(preview, Qt::LeftButton, {}, inside.topLeft() + QPoint(inside.width() * 3 / 4, 5));
    EXPECT_EQ(f.page->working().col, 1);
    EXPECT_EQ(names->currentIndex(), 0);
    names->setCurrentIndex(1);
    f.leave(names);
    EXPECT_EQ(f.page->working().panels[16], "lvFiles");
    EXPECT_EQ(f.page->working().panels[0], "");
    // "<none>" chosen is stored as it is.
    names->setCurrentIndex(0);
    f.leave(names);
    EXPECT_EQ(f.page->working().panels[16], "<none>");
    // A click outside the grid's cells (the remainder strip or the frame) selects nothing.
    EXPECT_FALSE(f.page->selectCell(2, 0));
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(0, 1));  // on the frame
    EXPECT_EQ(f.page->working().col, 1);
    f.page->Apply();
    EXPECT_EQ(f.hosted.control->model().panels[16], "<none>");
    EXPECT_EQ(f.hosted.control->model().panels[0], "");
}

namespace {
// The page's controls that show something, as laid out at the page's fixed size.
template <class Page>
void expectLaidApart() {
    PageFixture<Page> f(QSize(200, 100), {"lvFiles"});
    f.frame->show();
    f.widget->layout()->activate();
    QList<QWidget*> shown;
    for (QWidget* w : f.widget->template findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isHidden()) shown << w;
    ASSERT_GE(shown.size(), 14);
    const QRect page = f.widget->rect();
    for (int i = 0; i < shown.size(); ++i) {
        const QWidget* a = shown[i];
        EXPECT_TRUE(page.contains(a->geometry()))
            << a->metaObject()->className() << " " << a->objectName().toStdString();
        if (auto* l = qobject_cast<const QLabel*>(a)) {
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();  // no caption cut
        }
        if (auto* c = qobject_cast<const QComboBox*>(a)) {
            EXPECT_GE(c->width(), c->sizeHint().width()) << c->objectName().toStdString();  // its longest item whole
        }
        if (auto* e = qobject_cast<const QLineEdit*>(a)) {
            // Room for four digits, any pixel size a screen has.
            const int room = e->width() - 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
            EXPECT_GE(room, e->fontMetrics().horizontalAdvance(QStringLiteral("9999"))) << e->objectName().toStdString();
        }
        for (int j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(a->geometry().intersects(shown[j]->geometry()))
                << a->objectName().toStdString() << " and " << shown[j]->objectName().toStdString();
    }
}
}  // namespace

TEST(SplitterPages, EachPagesControlsLieApartInsideThePage) {
    expectLaidApart<BorderPage>();
    expectLaidApart<PanelsPage>();
}

TEST(SplitterPages, PanelsPageWorksOnTheControlAsTheGeneralPageLeftIt) {
    // 200 pixels, frame 4, no outline: two columns, the last one 200 - 5 - 4 - 4 = 187 wide.
    for (bool touched : {false, true}) {
        PageFixture<PanelsPage> f(QSize(200, 100));
        f.hosted.control->redraw();
        f.hosted.put(kCol, int16_t(1));
        f.page->Activate(f.frame.get(), &f.widget);  // filled from the control as laid out at its size
        auto general = com::make<BorderPage>();
        general->SetObjects({f.hosted.control->unknown()});
        QWidget generalFrame;
        QWidget* generalPage = nullptr;
        general->Activate(&generalFrame, &generalPage);
        EXPECT_EQ(f.field<QLineEdit>(248)->text(), "187");
        if (touched) f.enter(244, "3");  // a pending change of its own
        // The General page applies bars of 10 pixels.
        auto* bars = generalPage->findChild<QLineEdit*>("ctl220");
        bars->selectAll();
        QTest::keyClicks(bars, "10");
        general->Apply();
        ASSERT_EQ(f.hosted.control->model().splitterWidth, 10);
        // Shown again, an untouched page shows the control's last column as it is now.
        f.frame->show();
        if (!touched) {
            EXPECT_EQ(f.field<QLineEdit>(248)->text(), "182");
        }
        // Four columns share out 200 - 3 x 10 - 4 x 4 = 154 pixels.
        f.enter(226, "4");
        const SplitterModel& w = f.page->working();
        EXPECT_EQ((std::vector<int>{w.columns.size[0], w.columns.size[1], w.columns.size[2], w.columns.size[3]}),
                  (std::vector<int>{38, 38, 38, 40}))
            << touched;
        EXPECT_EQ(w.columns.min[1], touched ? 3 : 0);
        general->Deactivate();
        general->SetObjects({});
    }
}

TEST(SplitterPages, PagesWithoutASplitterDoNothing) {
    auto page = com::make<PanelsPage>();
    auto notSplitter = com::make<com::MemoryStream>();
    page->SetObjects({notSplitter->unknown()});
    QWidget parent;
    QWidget* w = nullptr;
    ASSERT_EQ(page->Activate(&parent, &w), com::S_OK);
    EXPECT_EQ(w->findChild<QComboBox*>("ctl203")->count(), 1);
    EXPECT_EQ(page->Apply(), com::S_OK);
}
