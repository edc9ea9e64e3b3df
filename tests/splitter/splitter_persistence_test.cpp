// The stream, storage and property-bag forms of the control's state, the shipped layouts, and
// hostile streams.
#include "tests/splitter/sinks.h"
#include "tests/support/test_env.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <functional>
#include <limits>

#include <gtest/gtest.h>

using namespace splitter;

namespace {

// The stream the control writes for the given values, built independently of the control.
struct Layout {
    int32_t extentW, extentH;
    int16_t bevelOuter, bevelInner, bevelWidth, borderWidth, outlineWidth, splitterWidth, cols, rows;
    uint32_t backColor;
    int16_t autoSize;
    std::vector<std::array<int32_t, 4>> columns, rowRecords;
    QStringList names;

    QByteArray bytes() const {
        QByteArray b;
        auto put = [&](auto v) {
            const auto le = qToLittleEndian(v);
            b.append(reinterpret_cast<const char*>(&le), sizeof le);
        };
        put(uint32_t(0x200));
        put(extentW);
        put(extentH);
        for (int16_t v : {bevelOuter, bevelInner, bevelWidth, borderWidth, outlineWidth, splitterWidth, cols, rows}) {
            put(uint16_t(2));
            put(v);
        }
        put(uint16_t(19));
        put(backColor);
        put(uint16_t(2));
        put(autoSize);
        for (const auto& r : columns)
            for (int32_t v : r) put(v);
        for (const auto& r : rowRecords)
            for (int32_t v : r) put(v);
        for (const QString& n : names) {
            put(uint32_t((n.size() + 1) * 2));
            for (QChar c : n) put(uint16_t(c.unicode()));
            put(uint16_t(0));
        }
        return b;
    }
};

const Layout kCaseList{5080, 5080, 1, 2, 1, 0, 0, 2, 1, 3, 0x8000000F, 2,
                       {{-1, 0, 0, 357}}, {{-1, 0, 0, 84}, {-1, 0, 0, 30}, {-1, 0, 0, 0}},
                       {"lvFiles", "splittertxt2", "splittertxt1"}};
const Layout kChartWindow{4895, 15266, 1, 0, 1, 1, 0, 5, 1, 2, 0x8000000F, 2,
                          {{-1, 0, 0, 181}}, {{-1, 0, 0, 300}, {-1, 0, 0, 264}}, {"txtDuiZao", "txtJieLun"}};

QByteArray save(SplitterControl* c) {
    auto s = com::make<com::MemoryStream>();
    EXPECT_EQ(c->Save(s.get(), true), com::S_OK);
    return s->bytes();
}

com::HResult load(SplitterControl* c, const QByteArray& bytes) {
    auto s = com::make<com::MemoryStream>(bytes);
    return c->Load(static_cast<com::IStream*>(s.get()));
}

QByteArray shipped(const char* name) {
    QFile f(testenv::sourceDir() + "/data/layouts/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

}  // namespace

TEST(SplitterPersistence, DefaultTwoByOneIs114Bytes) {
    auto c = com::make<SplitterControl>();
    const QByteArray b = save(c.get());
    ASSERT_EQ(b.size(), 114);
    Layout expected{5080, 5080, 1, 0, 1, 1, 0, 5, 2, 1, 0xC0C0C0, 1,
                    {{-1, 0, 0, 0}, {-1, 0, 0, 0}}, {{-1, 0, 0, 0}}, {"", ""}};
    EXPECT_EQ(b, expected.bytes());
    // An empty name is written as the count 2 and one zero character.
    EXPECT_EQ(b.right(6), QByteArray("\x02\0\0\0\0\0", 6));
}

TEST(SplitterPersistence, ShippedLayoutsMatchTheirValuesByteForByte) {
    for (const auto& [file, layout, size] : {std::tuple{"FileDetails.Splitter1.stm", kCaseList, 198},
                                             std::tuple{"Chart.Splitter1.stm", kChartWindow, 150}}) {
        const QByteArray bytes = shipped(file);
        EXPECT_EQ(bytes.size(), size) << file;
        EXPECT_EQ(bytes, layout.bytes()) << file;
        auto c = com::make<SplitterControl>();
        ASSERT_EQ(load(c.get(), bytes), com::S_OK) << file;
        EXPECT_EQ(save(c.get()), bytes) << file;  // a round trip changes nothing
        EXPECT_EQ(c->IsDirty(), com::S_FALSE);
    }
}

TEST(SplitterPersistence, CaseListLayoutLoadsTheHostsValues) {
    auto c = com::make<SplitterControl>();
    ASSERT_EQ(load(c.get(), shipped("FileDetails.Splitter1.stm")), com::S_OK);
    const SplitterModel& m = c->model();
    EXPECT_EQ(m.bevelOuter, 1);
    EXPECT_EQ(m.bevelInner, 2);
    EXPECT_EQ(m.borderWidth, 0);
    EXPECT_EQ(m.splitterWidth, 2);
    EXPECT_EQ(m.colCount, 1);
    EXPECT_EQ(m.rowCount, 3);
    EXPECT_EQ(m.backColor, 0x8000000Fu);
    EXPECT_EQ(m.autoSizeChildren, 2);
    EXPECT_EQ(m.columns.size[0], 357);
    EXPECT_EQ((std::vector<int>{m.rows.size[0], m.rows.size[1], m.rows.size[2]}), (std::vector<int>{84, 30, 0}));
    EXPECT_EQ(m.panels[0], "lvFiles");
    EXPECT_EQ(m.panels[1], "splittertxt2");
    EXPECT_EQ(m.panels[2], "splittertxt1");
    QSize extent;
    c->GetExtent(&extent);
    EXPECT_EQ(extent, QSize(5080, 5080));
    // The last row is recomputed when the control lays itself out in a window.
    splittertest::Hosted h(QSize(365, 400));
    load(h.control.get(), shipped("FileDetails.Splitter1.stm"));
    h.host->show();
    h.control->redraw();
    EXPECT_EQ(h.control->model().rows.size[2], 400 - 88 - 2 - 34 - 2 - 4);
}

TEST(SplitterPersistence, VersionAbove0x200HasNoExtent) {
    QByteArray b = kChartWindow.bytes();
    b.remove(4, 8);
    b[1] = 0x03;  // 0x300
    auto c = com::make<SplitterControl>();
    c->SetExtent(QSize(1000, 2000));
    ASSERT_EQ(load(c.get(), b), com::S_OK);
    EXPECT_EQ(c->model().rows.size[1], 264);
    QSize extent;
    c->GetExtent(&extent);
    EXPECT_EQ(extent, QSize(1000, 2000));
}

TEST(SplitterPersistence, StoredValuesGoThroughThePropertyRules) {
    Layout l = kChartWindow;
    l.bevelOuter = 7;  // out of range: the value before stays
    l.splitterWidth = -3;
    auto c = com::make<SplitterControl>();
    ASSERT_EQ(load(c.get(), l.bytes()), com::S_OK);
    EXPECT_EQ(c->model().bevelOuter, 1);
    EXPECT_EQ(c->model().splitterWidth, 5);
    EXPECT_EQ(c->model().rows.size[1], 264);
}

TEST(SplitterPersistence, HostileStreamsChangeNothing) {
    auto c = com::make<SplitterControl>();
    ASSERT_EQ(load(c.get(), kCaseList.bytes()), com::S_OK);
    c->markDirty();
    const QByteArray before = save(c.get());
    c->markDirty();
    auto unchanged = [&](const char* what) {
        EXPECT_EQ(c->IsDirty(), com::S_OK) << what;
        EXPECT_EQ(save(c.get()), before) << what;
        c->markDirty();
    };
    const QByteArray good = kChartWindow.bytes();
    for (int n = 0; n < good.size(); ++n) {
        EXPECT_TRUE(com::failed(load(c.get(), good.left(n)))) << n;
        unchanged("truncated");
    }
    // The first name's count: oversized, odd, beyond the end.
    const int firstCount = 12 + 42 + 16 + 32;
    for (uint32_t count : {0x10002u, 0x7FFFFFFFu, 0xFFFFFFFFu, 21u, 200u}) {
        QByteArray b = good;
        qToLittleEndian(count, b.data() + firstCount);
        EXPECT_TRUE(com::failed(load(c.get(), b))) << count;
        unchanged("count");
    }
    // A tagged value of a type that is no number.
    QByteArray b = good;
    qToLittleEndian(uint16_t(8), b.data() + 12);
    EXPECT_TRUE(com::failed(load(c.get(), b)));
    unchanged("tag");
    QRandomGenerator random(13);
    for (int i = 0; i < 500; ++i) {
        QByteArray noise(int(random.bounded(300)), '\0');
        for (auto& ch : noise) ch = char(random.bounded(256));
        if (load(c.get(), noise) == com::S_OK) {
            ASSERT_EQ(load(c.get(), before), com::S_OK);
            c->markDirty();
        } else {
            unchanged("random");
        }
    }
}

namespace {

// A stored layout with one record field or extent changed, and whether the control takes it.
struct RecordCase {
    const char* what;
    std::function<void(Layout&)> change;
    bool taken;
};

std::vector<RecordCase> recordCases() {
    constexpr int32_t kBig = std::numeric_limits<int32_t>::max(), kSmall = std::numeric_limits<int32_t>::min();
    // Fields of a record: 0 maximum, 1 minimum, 2 visibility threshold, 3 size.
    return {
        {"column size -1", [](Layout& l) { l.columns[0][3] = -1; }, false},
        {"column size past the extent", [](Layout& l) { l.columns[0][3] = kMaxExtent + 1; }, false},
        {"column size 2^31-1", [=](Layout& l) { l.columns[0][3] = kBig; }, false},
        {"column minimum -5", [](Layout& l) { l.columns[0][1] = -5; }, false},
        {"column minimum -2^31", [=](Layout& l) { l.columns[0][1] = kSmall; }, false},
        {"column threshold 2^31-1", [=](Layout& l) { l.columns[0][2] = kBig; }, false},
        {"column maximum -2", [](Layout& l) { l.columns[0][0] = -2; }, false},
        {"column maximum 2^31-1", [=](Layout& l) { l.columns[0][0] = kBig; }, false},
        {"row size -2^31", [=](Layout& l) { l.rowRecords[1][3] = kSmall; }, false},
        {"row size 2^31-1 twice", [=](Layout& l) { l.rowRecords[0][3] = l.rowRecords[1][3] = kBig; }, false},
        {"row threshold past the extent", [](Layout& l) { l.rowRecords[1][2] = kMaxExtent + 1; }, false},
        {"row minimum past the extent", [](Layout& l) { l.rowRecords[0][1] = 40000; }, false},
        {"extent width 2^31-1", [=](Layout& l) { l.extentW = kBig; }, false},
        {"extent height -1", [](Layout& l) { l.extentH = -1; }, false},
        {"extent height one pixel past", [](Layout& l) { l.extentH = 866974; }, false},
        // What the rules can produce is taken: the largest extent, no maximum, sizes at the extent.
        {"extent height at the largest", [](Layout& l) { l.extentH = 866973; }, true},
        {"every field at the extent",
         [](Layout& l) { l.columns[0] = {kMaxExtent, kMaxExtent, kMaxExtent, kMaxExtent}; }, true},
        {"zero everywhere", [](Layout& l) { l.rowRecords[0] = {0, 0, 0, 0}; }, true},
    };
}

}  // namespace

TEST(SplitterPersistence, RecordsTheRulesCannotProduceAreRefusedWithNothingChanged) {
    for (const RecordCase& c : recordCases()) {
        Layout l = kChartWindow;
        c.change(l);
        // Without a window and in one, so that a taken layout is laid out and painted at once.
        for (bool windowed : {false, true}) {
            splittertest::Hosted h(QSize(185, 577));
            com::ComPtr<SplitterControl> bare = com::make<SplitterControl>();
            SplitterControl* control = windowed ? h.control.get() : bare.get();
            if (windowed) h.host->show();
            ASSERT_EQ(load(control, kCaseList.bytes()), com::S_OK);
            control->markDirty();
            const QByteArray before = save(control);
            control->markDirty();
            const com::HResult hr = load(control, l.bytes());
            EXPECT_EQ(com::succeeded(hr), c.taken) << c.what;
            if (c.taken) continue;
            EXPECT_EQ(control->IsDirty(), com::S_OK) << c.what;
            EXPECT_EQ(save(control), before) << c.what;
            if (windowed) {
                EXPECT_EQ(h.window->size(), QSize(185, 577)) << c.what;
                h.window->grab();
            }
        }
    }
    // The same records from a property bag.
    for (const auto& [name, value] : {std::pair{"ColWidth0", std::numeric_limits<int32_t>::max()},
                                      std::pair{"RowHeight1", -3}, std::pair{"RowMinHeight0", kMaxExtent + 1},
                                      std::pair{"ColMaxWidth0", -9}}) {
        auto c = com::make<SplitterControl>();
        auto bag = com::make<com::MemoryPropertyBag>();
        load(c.get(), kChartWindow.bytes());
        ASSERT_EQ(c->Save(bag.get(), true, true), com::S_OK);
        bag->Write(QString::fromLatin1(name), com::Value(int32_t(value)));
        c->markDirty();
        EXPECT_TRUE(com::failed(c->Load(static_cast<com::IPropertyBag*>(bag.get())))) << name;
        EXPECT_EQ(c->IsDirty(), com::S_OK) << name;
        EXPECT_EQ(save(c.get()), kChartWindow.bytes()) << name;
    }
}

TEST(SplitterPersistence, StoredExtentReloadsAsThePixelsItWasWrittenFrom) {
    // The chart window's layout: 4895 x 15266 HIMETRIC is 185 x 577 pixels, not 576.
    splittertest::Hosted chart(QSize(10, 10));
    chart.control->Close();
    ASSERT_EQ(load(chart.control.get(), shipped("Chart.Splitter1.stm")), com::S_OK);
    QWidget* window = nullptr;
    chart.control->Activate(chart.host.get(), &window);
    EXPECT_EQ(window->size(), QSize(185, 577));
    EXPECT_EQ(save(chart.control.get()), shipped("Chart.Splitter1.stm"));
    // Every size written from a window reloads as that size.
    auto writer = com::make<SplitterControl>();
    QWidget parent;
    QWidget* w = nullptr;
    writer->Activate(&parent, &w);
    for (int px = 0; px <= 2000; ++px) {
        w->resize(px, 2000 - px);
        QSize himetric;
        writer->GetExtent(&himetric);
        auto reader = com::make<SplitterControl>();
        ASSERT_EQ(reader->SetExtent(himetric), com::S_OK);
        QWidget readerParent;
        QWidget* r = nullptr;
        reader->Activate(&readerParent, &r);
        ASSERT_EQ(r->size(), QSize(px, 2000 - px)) << himetric.width() << " x " << himetric.height();
        reader->Close();
    }
    writer->Close();
}

TEST(SplitterPersistence, ExtentsAreBoundedByTheLargestExtent) {
    auto c = com::make<SplitterControl>();
    for (const QSize bad : {QSize(-1, 10), QSize(866974, 10), QSize(10, std::numeric_limits<int>::max())})
        EXPECT_EQ(c->SetExtent(bad), com::E_INVALIDARG) << bad.width() << " x " << bad.height();
    QSize extent;
    c->GetExtent(&extent);
    EXPECT_EQ(extent, QSize(5080, 5080));
    ASSERT_EQ(c->SetExtent(QSize(866973, 866973)), com::S_OK);
    QWidget parent;
    QWidget* w = nullptr;
    c->Activate(&parent, &w);
    EXPECT_EQ(w->size(), QSize(kMaxExtent, kMaxExtent));
    // A window larger than the largest extent is written as that extent, which reloads.
    w->resize(100000, 40000);
    c->GetExtent(&extent);
    EXPECT_EQ(extent, QSize(866960, 866960));
    EXPECT_EQ(c->clientSize(), QSize(kMaxExtent, kMaxExtent));
    auto d = com::make<SplitterControl>();
    EXPECT_EQ(load(d.get(), save(c.get())), com::S_OK);
    c->Close();
}

TEST(SplitterPersistence, PropertyBagRoundTrip) {
    auto c = com::make<SplitterControl>();
    load(c.get(), kCaseList.bytes());
    auto bag = com::make<com::MemoryPropertyBag>();
    c->markDirty();
    ASSERT_EQ(c->Save(bag.get(), true, true), com::S_OK);
    EXPECT_EQ(c->IsDirty(), com::S_FALSE);
    QStringList names;
    for (const auto& [n, v] : bag->values()) names << n;
    EXPECT_EQ(names.mid(0, 10), (QStringList{"BevelOuter", "BevelInner", "BevelWidth", "BorderWidth", "OutlineWidth",
                                             "SplitterWidth", "Cols", "Rows", "BackColor", "AutoSizeChildren"}));
    EXPECT_EQ(names.at(10), "ColMaxWidth0");
    EXPECT_TRUE(names.contains("RowHeight2"));
    EXPECT_TRUE(names.contains("PanelControl2"));
    EXPECT_FALSE(names.contains("PanelControl16"));
    auto d = com::make<SplitterControl>();
    ASSERT_EQ(d->Load(static_cast<com::IPropertyBag*>(bag.get())), com::S_OK);
    EXPECT_EQ(save(d.get()), save(c.get()));

    // Column 1, row 1 is PanelControl17; a bag without PanelControl5 leaves that pane empty.
    auto e = com::make<SplitterControl>();
    e->model().panels[5] = "Old";
    auto small = com::make<com::MemoryPropertyBag>();
    small->Write("Cols", int16_t(2));
    small->Write("Rows", int16_t(6));
    small->Write("PanelControl17", QString("Text1"));
    small->Write("ColWidth1", QString("77"));
    ASSERT_EQ(e->Load(static_cast<com::IPropertyBag*>(small.get())), com::S_OK);
    EXPECT_EQ(e->model().panels[17], "Text1");
    EXPECT_EQ(e->model().panels[5], "");
    EXPECT_EQ(e->model().columns.size[1], 77);
    EXPECT_EQ(e->model().bevelOuter, 1);  // missing: kept
    // A value that does not convert fails the load and changes nothing.
    small->Write("RowHeight0", QString("tall"));
    e->model().panels[17] = "Kept";
    EXPECT_TRUE(com::failed(e->Load(static_cast<com::IPropertyBag*>(small.get()))));
    EXPECT_EQ(e->model().panels[17], "Kept");
}

TEST(SplitterPersistence, StorageKeepsTheStreamInContents) {
    auto c = com::make<SplitterControl>();
    load(c.get(), kChartWindow.bytes());
    auto storage = com::make<com::MemoryStorage>();
    ASSERT_EQ(c->Save(static_cast<com::IStorage*>(storage.get()), true), com::S_OK);
    EXPECT_EQ(storage->names(), QStringList{"Contents"});
    const QByteArray file = storage->serialize();
    auto copy = com::make<com::MemoryStorage>();
    ASSERT_TRUE(copy->deserialize(file));
    com::ComPtr<com::IStream> s;
    ASSERT_EQ(copy->OpenStream("Contents", s.put()), com::S_OK);
    auto d = com::make<SplitterControl>();
    ASSERT_EQ(d->Load(static_cast<com::IStorage*>(copy.get())), com::S_OK);
    EXPECT_EQ(save(d.get()), kChartWindow.bytes());
    // A damaged storage file is refused whole.
    for (int n : {0, 5, 12, int(file.size()) - 1}) EXPECT_FALSE(copy->deserialize(file.left(n))) << n;
    EXPECT_FALSE(copy->deserialize(file + "x"));
    EXPECT_EQ(copy->names(), QStringList{"Contents"});
    auto empty = com::make<com::MemoryStorage>();
    EXPECT_EQ(d->Load(static_cast<com::IStorage*>(empty.get())), com::STG_E_FILENOTFOUND);
}
