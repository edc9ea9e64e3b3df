// The class registry file and the control's registration entries.
#include "platform/com/class_registry.h"
#include "splitter/registration.h"
#include "tests/support/test_env.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace splitter;

TEST(SplitterRegistration, WritesExactlyTheClassEntriesAndRemovesThem) {
    const QString path = testenv::userRoot() + "/config/registration-test.ini";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[CLSID]\n[CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32]\n@=/opt/other.so\n");
    }
    com::ClassRegistry before(path);
    ASSERT_TRUE(before.load());
    com::ClassRegistry r(path);
    r.load();
    writeRegistration(r, "/usr/lib/veyra/libsplitter.so");
    ASSERT_TRUE(r.save());

    com::ClassRegistry saved(path);
    ASSERT_TRUE(saved.load());
    const QString k = "CLSID\\{A6FBEE51-63D4-11D1-B2DF-444553540000}";
    struct Entry {
        QString key, name, value;
    };
    const Entry entries[] = {
        {k, "", "Splitter Window Control"},
        {k + "\\ProgID", "", "Splitter.Splitter"},
        {k + "\\VersionIndependentProgID", "", "Splitter.Splitter"},
        {k + "\\InprocServer32", "", "/usr/lib/veyra/libsplitter.so"},
        {k + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {k + "\\ToolboxBitmap32", "", "/usr/lib/veyra/libsplitter.so, 1"},
        {k + "\\MiscStatus", "", "0"},
        {k + "\\MiscStatus\\1", "", "197009"},
        {k + "\\TypeLib", "", "{A6FBEE43-63D4-11D1-B2DF-444553540000}"},
        {k + "\\Version", "", "1.0"},
        {"CLSID\\{A6FBEE52-63D4-11D1-B2DF-444553540000}", "", "SplitterPpgBorder Class"},
        {"CLSID\\{A6FBEE52-63D4-11D1-B2DF-444553540000}\\InprocServer32", "ThreadingModel", "Apartment"},
        {"CLSID\\{A6FBEE53-63D4-11D1-B2DF-444553540000}", "", "SplitterPpgPanels Class"},
        {"CLSID\\{A6FBEE53-63D4-11D1-B2DF-444553540000}\\InprocServer32", "", "/usr/lib/veyra/libsplitter.so"},
    };
    for (const Entry& e : entries) EXPECT_EQ(saved.value(e.key, e.name), e.value) << e.key.toStdString();
    for (const char* sub : {"Programmable", "Control", "Insertable"}) EXPECT_TRUE(saved.hasKey(k + "\\" + sub)) << sub;
    EXPECT_TRUE(saved.hasKey("CLSID\\{A6FBEE52-63D4-11D1-B2DF-444553540000}\\Programmable"));
    EXPECT_FALSE(saved.hasKey("CLSID\\{A6FBEE52-63D4-11D1-B2DF-444553540000}\\Control"));
    EXPECT_EQ(saved.inprocServer(kClsidSplitter), "/usr/lib/veyra/libsplitter.so");
    EXPECT_EQ(saved.keys().size(), before.keys().size() + 12 + 3 + 3);

    removeRegistration(saved);
    ASSERT_TRUE(saved.save());
    com::ClassRegistry after(path);
    ASSERT_TRUE(after.load());
    EXPECT_TRUE(after == before);
    EXPECT_TRUE(after.hasKey("CLSID"));
}

TEST(SplitterRegistration, GuidText) {
    EXPECT_EQ(kClsidSplitter.toString(), "{A6FBEE51-63D4-11D1-B2DF-444553540000}");
    com::Guid g;
    ASSERT_TRUE(com::Guid::parse("{a6fbee51-63d4-11d1-b2df-444553540000}", &g));
    EXPECT_EQ(g, kClsidSplitter);
    ASSERT_TRUE(com::Guid::parse("AF77E8A0-63FA-11D1-B2DF-444553540000", &g));
    EXPECT_EQ(g, kDiidISplitterEvents);
    for (const char* bad : {"", "{A6FBEE51-63D4-11D1-B2DF-44455354000}", "A6FBEE51x63D4-11D1-B2DF-444553540000",
                            "{G6FBEE51-63D4-11D1-B2DF-444553540000}"})
        EXPECT_FALSE(com::Guid::parse(bad, &g)) << bad;
}
