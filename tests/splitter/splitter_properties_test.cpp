// ISplitter's members: defaults, the put rules with their notifications and dirty marks, names, browsing.
#include "tests/splitter/sinks.h"

#include <gtest/gtest.h>

using namespace splitter;
using splittertest::NotifySink;

namespace {

struct Fixture {
    com::ComPtr<SplitterControl> control = com::make<SplitterControl>();
    com::ComPtr<NotifySink> notify = com::make<NotifySink>();
    Fixture() { splittertest::advise(control.get(), com::IPropertyNotifySink::iid, notify.get()); }
    com::Value get(com::DispId id) {
        com::Value v;
        EXPECT_EQ(control->Invoke(id, com::InvokeKind::PropertyGet, {}, &v), com::S_OK);
        return v;
    }
    com::HResult put(com::DispId id, const com::Value& v) {
        return control->Invoke(id, com::InvokeKind::PropertyPut, {v}, nullptr);
    }
    bool dirty() { return control->IsDirty() == com::S_OK; }
};

}  // namespace

TEST(SplitterProperties, DefaultsOfEveryProperty) {
    Fixture f;
    const std::pair<com::DispId, com::Value> defaults[] = {
        {kBevelOuter, int16_t(1)},        {kBevelInner, int16_t(0)},       {kBevelWidth, int16_t(1)},
        {kBorderWidth, int16_t(1)},       {kOutlineWidth, int16_t(0)},     {kSplitterWidth, int16_t(5)},
        {kCols, int16_t(2)},              {kRows, int16_t(1)},             {kColWidth, int32_t(0)},
        {kColMaxWidth, int32_t(-1)},      {kColMinWidth, int32_t(0)},      {kColVisibleWidth, int32_t(0)},
        {kRowHeight, int32_t(0)},         {kRowMaxHeight, int32_t(-1)},    {kRowMinHeight, int32_t(0)},
        {kRowVisibleHeight, int32_t(0)},  {kPanelControl, QString()},      {kRow, int16_t(0)},
        {kCol, int16_t(0)},               {kBackColor, uint32_t(0xC0C0C0)}, {kAutoSizeChildren, int16_t(1)},
    };
    for (const auto& [id, value] : defaults) EXPECT_EQ(f.get(id), value) << findMember(id)->name;
    // Every column and row entry starts as an added one does.
    const SplitterModel& m = f.control->model();
    for (int i = 0; i < kMaxLines; ++i) {
        EXPECT_EQ(m.columns.size[i], 0);
        EXPECT_EQ(m.columns.max[i], -1);
        EXPECT_EQ(m.rows.min[i], 0);
        EXPECT_EQ(m.rows.visible[i], 0);
    }
    EXPECT_FALSE(f.dirty());
}

TEST(SplitterProperties, PutRules) {
    struct Case {
        com::DispId id;
        com::Value value;
        com::Value expected;  // what the getter gives afterwards
        bool dirty;
        bool notified;
    };
    const Case cases[] = {
        {kBevelOuter, int16_t(2), int16_t(2), true, true},
        {kBevelOuter, int16_t(3), int16_t(1), false, false},
        {kBevelOuter, int16_t(-1), int16_t(1), false, false},
        {kBevelInner, int16_t(1), int16_t(1), true, true},
        {kAutoSizeChildren, int16_t(0), int16_t(0), true, true},
        {kAutoSizeChildren, int16_t(3), int16_t(1), false, false},
        {kBevelWidth, int16_t(0), int16_t(0), true, true},
        {kBevelWidth, int16_t(-2), int16_t(1), false, false},
        {kBorderWidth, int16_t(7), int16_t(7), true, true},
        {kOutlineWidth, int16_t(-1), int16_t(0), false, false},
        {kSplitterWidth, int16_t(0), int16_t(0), true, true},
        {kColMaxWidth, int32_t(-7), int32_t(-1), true, true},
        {kColMaxWidth, int32_t(80), int32_t(80), true, true},
        {kColMinWidth, int32_t(-7), int32_t(0), true, true},
        {kColVisibleWidth, int32_t(-3), int32_t(0), true, true},
        {kRowMaxHeight, int32_t(-100), int32_t(-1), true, true},
        {kRowMinHeight, int32_t(12), int32_t(12), true, true},
        {kRowVisibleHeight, int32_t(9), int32_t(9), true, true},
        {kColWidth, int32_t(120), int32_t(120), true, true},
        {kRowHeight, int32_t(-1), int32_t(0), false, false},  // below the minimum 0
        // Nothing lies past the largest extent: a size there is ignored, a limit is bounded by it.
        {kColWidth, int32_t(kMaxExtent), int32_t(kMaxExtent), true, true},
        {kColWidth, int32_t(kMaxExtent + 1), int32_t(0), false, false},
        {kRowHeight, int32_t(INT32_MAX), int32_t(0), false, false},
        {kColMaxWidth, int32_t(INT32_MAX), int32_t(kMaxExtent), true, true},
        {kRowMinHeight, int32_t(40000), int32_t(kMaxExtent), true, true},
        {kColVisibleWidth, int32_t(INT32_MAX), int32_t(kMaxExtent), true, true},
        {kBackColor, uint32_t(0x8000000F), uint32_t(0x8000000F), true, true},
        {kRow, int16_t(0), int16_t(0), false, true},
        {kRow, int16_t(1), int16_t(0), false, true},  // outside Rows = 1: kept, still notified
        {kCol, int16_t(1), int16_t(1), false, true},
        {kCol, int16_t(5), int16_t(0), false, true},
        {kCols, int16_t(0), int16_t(2), false, false},
        {kCols, int16_t(17), int16_t(2), false, false},
        {kCols, int16_t(2), int16_t(2), false, false},
        {kRows, int16_t(16), int16_t(16), true, true},
        // Values that convert are taken in the property's type; a number beyond it fails.
        {kBevelOuter, QString("2"), int16_t(2), true, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        ASSERT_EQ(f.put(c.id, c.value), com::S_OK) << findMember(c.id)->name;
        EXPECT_EQ(f.get(c.id), c.expected) << findMember(c.id)->name;
        EXPECT_EQ(f.dirty(), c.dirty) << findMember(c.id)->name;
        EXPECT_EQ(!f.notify->changed.empty(), c.notified) << findMember(c.id)->name;
        if (c.notified) {
            EXPECT_EQ(f.notify->changed, std::vector<com::DispId>{c.id});
        }
    }
    Fixture f;
    EXPECT_EQ(f.put(kBevelWidth, int32_t(70000)), com::DISP_E_OVERFLOW);
    EXPECT_EQ(f.get(kBevelWidth), com::Value(int16_t(1)));
}

TEST(SplitterProperties, SizeLimitsOfTheCurrentColumnAndRow) {
    Fixture f;
    f.put(kColMaxWidth, int32_t(0));
    f.put(kColWidth, int32_t(50));  // a maximum of 0 allows only 0
    EXPECT_EQ(f.get(kColWidth).toInt32(), 0);
    f.put(kColMaxWidth, int32_t(100));
    f.put(kColMinWidth, int32_t(20));
    f.put(kColWidth, int32_t(10));
    EXPECT_EQ(f.get(kColWidth).toInt32(), 0);
    f.put(kColWidth, int32_t(101));
    EXPECT_EQ(f.get(kColWidth).toInt32(), 0);
    f.put(kColWidth, int32_t(100));
    EXPECT_EQ(f.get(kColWidth).toInt32(), 100);
    f.put(kCol, int16_t(1));  // the next column has its own limits
    f.put(kColWidth, int32_t(5));
    EXPECT_EQ(f.get(kColWidth).toInt32(), 5);
    EXPECT_EQ(f.control->model().columns.size[0], 100);
}

TEST(SplitterProperties, GrowingColumnsAtDesignAndRunTime) {
    // Design time (no ambient): four equal columns.
    splittertest::Hosted design(QSize(200, 100), false);
    design.put(kCols, int16_t(4));
    const SplitterModel& d = design.control->model();
    // 200 - 3 x 5 - (0 + 2 x 4) x 2 = 169: 42, 42, 42, 43.
    EXPECT_EQ((std::vector<int>{d.columns.size[0], d.columns.size[1], d.columns.size[2], d.columns.size[3]}),
              (std::vector<int>{42, 42, 42, 43}));

    // Run time: old widths kept, new columns as added ones, the last one takes the rest.
    splittertest::Hosted run(QSize(200, 100), true);
    SplitterModel& m = run.control->model();
    m.columns.size[0] = 60;
    m.columns.size[1] = 40;
    m.columns.size[2] = 33;
    m.columns.max[2] = 70;
    m.columns.visible[3] = 9;
    run.put(kCols, int16_t(4));
    EXPECT_EQ(m.columns.size[0], 60);
    EXPECT_EQ(m.columns.size[2], 0);
    EXPECT_EQ(m.columns.max[2], -1);
    EXPECT_EQ(m.columns.min[2], 0);
    EXPECT_EQ(m.columns.visible[3], 0);
    // 200 - 3 x 5 - (60 + 4) - (40 + 4) - (0 + 4) - 4 for the last column's own frame.
    EXPECT_EQ(m.columns.size[1], 40);
    EXPECT_EQ(m.columns.size[3], 69);
}

TEST(SplitterProperties, PanelControlClearsTheSameNameExactly) {
    Fixture f;
    f.put(kRows, int16_t(3));
    f.put(kPanelControl, QString("lvFiles"));
    f.put(kRow, int16_t(1));
    f.put(kPanelControl, QString("LVFILES"));
    f.put(kRow, int16_t(0));
    EXPECT_EQ(f.get(kPanelControl).toString(), "lvFiles");  // case differs: kept
    f.put(kRow, int16_t(2));
    f.put(kPanelControl, QString("lvFiles"));
    f.put(kRow, int16_t(0));
    EXPECT_EQ(f.get(kPanelControl).toString(), "");
    f.put(kRow, int16_t(2));
    EXPECT_EQ(f.get(kPanelControl).toString(), "lvFiles");
    // Names outside the grid are not cleared.
    f.control->model().panels[5 * 16] = "Text9";
    f.put(kPanelControl, QString("Text9"));
    EXPECT_EQ(f.control->model().panels[5 * 16], QByteArray("Text9"));
    // Chinese names are kept in the code page and come back as they were.
    f.put(kPanelControl, QString::fromUtf8("列表"));
    EXPECT_EQ(f.get(kPanelControl).toString(), QString::fromUtf8("列表"));
    EXPECT_EQ(f.control->model().panels[2].size(), 4);
}

TEST(SplitterProperties, NamesAndMethodsByDispatch) {
    Fixture f;
    for (const Member& m : kMembers) {
        com::DispId id = 0;
        EXPECT_EQ(f.control->GetIDsOfNames(QString::fromLatin1(m.name.data(), qsizetype(m.name.size())).toUpper(), &id),
                  com::S_OK);
        EXPECT_EQ(id, m.id);
    }
    com::DispId id = 0;
    EXPECT_EQ(f.control->GetIDsOfNames("NoSuchMember", &id), com::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(f.control->Invoke(28, com::InvokeKind::Method, {}, nullptr), com::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(f.control->Invoke(kHWnd, com::InvokeKind::PropertyPut, {int64_t(1)}, nullptr),
              com::DISP_E_MEMBERNOTFOUND);
    com::Value r;
    EXPECT_EQ(f.control->Invoke(kAutoSizePanel, com::InvokeKind::Method, {int16_t(-1), int16_t(0)}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(false));
    EXPECT_EQ(f.control->Invoke(kAutoSizePanel, com::InvokeKind::Method, {int16_t(2), int16_t(0)}, &r), com::S_OK);
    EXPECT_EQ(r, com::Value(false));
    EXPECT_EQ(f.control->Invoke(kHitTest, com::InvokeKind::Method, {int32_t(1)}, &r), com::DISP_E_BADPARAMCOUNT);
    // The control handle has the pointer's width and names this control only.
    ASSERT_EQ(f.control->Invoke(kGetControl, com::InvokeKind::Method, {}, &r), com::S_OK);
    EXPECT_EQ(SplitterControl::fromHandle(r.toInt64()), f.control.get());
    EXPECT_EQ(SplitterControl::fromHandle(r.toInt64() + 8), nullptr);
}

TEST(SplitterProperties, PropertyBrowsing) {
    Fixture f;
    QString s;
    ASSERT_EQ(f.control->GetDisplayString(kBevelOuter, &s), com::S_OK);
    EXPECT_EQ(s, "1 - Inset");
    ASSERT_EQ(f.control->GetDisplayString(kAutoSizeChildren, &s), com::S_OK);
    EXPECT_EQ(s, "1 - Autosize child controls while moving splitter");
    EXPECT_EQ(f.control->GetDisplayString(kBevelWidth, &s), com::E_NOTIMPL);
    QStringList strings;
    std::vector<uint32_t> cookies;
    ASSERT_EQ(f.control->GetPredefinedStrings(kBevelInner, &strings, &cookies), com::S_OK);
    EXPECT_EQ(strings, (QStringList{"0 - None", "1 - Inset", "2 - Raised"}));
    EXPECT_EQ(cookies, (std::vector<uint32_t>{0, 1, 2}));
    ASSERT_EQ(f.control->GetPredefinedStrings(kAutoSizeChildren, &strings, &cookies), com::S_OK);
    EXPECT_EQ(strings.at(2), "2 - Autosize child controls after splitter moved");
    com::Value v;
    ASSERT_EQ(f.control->GetPredefinedValue(kBevelOuter, 2, &v), com::S_OK);
    EXPECT_EQ(v, com::Value(int16_t(2)));
    EXPECT_EQ(f.control->GetPredefinedValue(kCols, 2, &v), com::E_NOTIMPL);
    std::vector<com::Guid> pages;
    f.control->GetPages(&pages);
    EXPECT_EQ(pages, (std::vector<com::Guid>{kClsidPpgBorder, kClsidPpgPanels}));
}

TEST(SplitterProperties, NotificationsReachEverySink) {
    Fixture f;
    auto second = com::make<NotifySink>();
    const com::Cookie c = splittertest::advise(f.control.get(), com::IPropertyNotifySink::iid, second.get());
    EXPECT_GT(c, 1u);
    f.put(kBevelInner, int16_t(2));
    EXPECT_EQ(f.notify->changed.size(), 1u);
    EXPECT_EQ(second->changed.size(), 1u);
    com::ComPtr<com::IConnectionPoint> cp;
    f.control->FindConnectionPoint(com::IPropertyNotifySink::iid, cp.put());
    EXPECT_EQ(cp->Unadvise(c), com::S_OK);
    EXPECT_EQ(cp->Unadvise(c), com::CONNECT_E_NOCONNECTION);
    f.put(kBevelInner, int16_t(1));
    EXPECT_EQ(second->changed.size(), 1u);
    // A sink without the interface cannot connect.
    auto events = com::make<splittertest::EventSink>();
    com::Cookie none = 0;
    EXPECT_EQ(cp->Advise(events.get(), &none), com::CONNECT_E_CANNOTCONNECT);
}
