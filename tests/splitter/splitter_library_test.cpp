// libsplitter.so as a host meets it: loaded with dlopen, registered into the config folder, created by
// its class identifier, and hosted in a Qt window with a shipped layout. This binary does not link the
// control's code.
#include "platform/com/class_registry.h"
#include "platform/com/host/class_loader.h"
#include "platform/com/host/control_host.h"
#include "platform/com/host/property_frame.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "splitter/splitter_identity.h"
#include "tests/support/test_env.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

QString libraryPath() { return testenv::programDir() + "/libsplitter.so"; }

QByteArray registryText() {
    QFile f(com::ClassRegistry::defaultPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(SplitterLibrary, DlopenFindsTheEntryPointsAndRegisters) {
    ASSERT_TRUE(com::ClassRegistry::defaultPath().startsWith(testenv::userRoot()));
    QFile::remove(com::ClassRegistry::defaultPath());
    void* lib = dlopen(QFile::encodeName(libraryPath()).constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto getClassObject = reinterpret_cast<com::DllGetClassObjectFn>(dlsym(lib, "DllGetClassObject"));
    auto canUnload = reinterpret_cast<com::DllCanUnloadNowFn>(dlsym(lib, "DllCanUnloadNow"));
    auto reg = reinterpret_cast<com::DllRegisterServerFn>(dlsym(lib, "DllRegisterServer"));
    auto unreg = reinterpret_cast<com::DllUnregisterServerFn>(dlsym(lib, "DllUnregisterServer"));
    ASSERT_TRUE(getClassObject && canUnload && reg && unreg);
    // Nothing else is exported.
    EXPECT_EQ(dlsym(lib, "_ZN8splitter14getClassObjectERKN3com4GuidES3_PPv"), nullptr);

    ASSERT_EQ(reg(), com::S_OK);
    com::ClassRegistry r;
    ASSERT_TRUE(r.load());
    EXPECT_EQ(QFileInfo(r.inprocServer(splitter::kClsidSplitter)).canonicalFilePath(),
              QFileInfo(libraryPath()).canonicalFilePath());
    EXPECT_EQ(r.value("CLSID\\{A6FBEE51-63D4-11D1-B2DF-444553540000}\\MiscStatus\\1"), "197009");
    EXPECT_TRUE(registryText().contains("[CLSID\\{A6FBEE51-63D4-11D1-B2DF-444553540000}]"));

    com::ComPtr<com::IClassFactory> factory;
    ASSERT_EQ(getClassObject(&splitter::kClsidSplitter, &com::IClassFactory::iid, factory.putVoid()), com::S_OK);
    EXPECT_EQ(canUnload(), com::S_FALSE);
    com::ComPtr<com::IDispatch> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, com::IDispatch::iid, control.putVoid()), com::S_OK);
    com::Value cols;
    ASSERT_EQ(com::getProperty(control.get(), "Cols", &cols), com::S_OK);
    EXPECT_EQ(cols.toInt32(), 2);
    com::ComPtr<com::IUnknown> nothing;
    EXPECT_EQ(getClassObject(&com::IDispatch::iid, &com::IClassFactory::iid, nothing.putVoid()),
              com::CLASS_E_CLASSNOTAVAILABLE);
    factory.reset();
    control.reset();
    EXPECT_EQ(canUnload(), com::S_OK);

    ASSERT_EQ(unreg(), com::S_OK);
    com::ClassRegistry empty;
    empty.load();
    EXPECT_TRUE(empty.keys().isEmpty());
    dlclose(lib);
}

TEST(SplitterLibrary, HostSplitterLoadsTheCaseListLayoutIntoAQtWindow) {
    vb::setProgramFolder(testenv::programDir());
    // Registered elsewhere: the program's own copy takes over.
    {
        com::ClassRegistry r;
        r.load();
        r.setValue("CLSID\\{A6FBEE51-63D4-11D1-B2DF-444553540000}\\InprocServer32", "", "/nowhere/libsplitter.so");
        r.save();
    }
    QWidget window;
    window.resize(400, 500);
    auto* lvFiles = new QListWidget(&window);
    lvFiles->setObjectName("lvFiles");
    auto* txt2 = new QTextEdit(&window);
    txt2->setObjectName("splittertxt2");
    auto* txt1 = new QTextEdit(&window);
    txt1->setObjectName("splittertxt1");
    auto* other = new QPushButton(&window);
    other->setObjectName("cmdOther");
    other->move(7, 9);
    QPointer<QWidget> guard1(txt1);

    auto host = com::hostSplitter(&window, testenv::programDir() + "/" + com::kCaseListLayout, {lvFiles, txt2, txt1});
    ASSERT_TRUE(host);
    com::ClassRegistry r;
    r.load();
    EXPECT_EQ(QFileInfo(r.inprocServer(splitter::kClsidSplitter)).canonicalFilePath(),
              QFileInfo(libraryPath()).canonicalFilePath());
    host->window()->setGeometry(0, 0, 365, 400);
    window.show();
    QApplication::processEvents();
    // Frame 4 (outer inset and inner raised bevel of 1, no border), bars 2.
    EXPECT_EQ(lvFiles->parentWidget(), host->window());
    EXPECT_EQ(lvFiles->geometry(), QRect(2, 2, 361, 84));
    EXPECT_EQ(txt2->geometry(), QRect(2, 92, 361, 30));
    EXPECT_EQ(txt1->geometry(), QRect(2, 128, 361, 400 - 128 - 2));
    EXPECT_EQ(other->pos(), QPoint(7, 9));
    com::Value rows;
    com::getProperty(host->control(), "Rows", &rows);
    EXPECT_EQ(rows.toInt32(), 3);

    // The property frame shows both pages of the library.
    com::PropertyFrame frame(host->object(), {splitter::kClsidPpgBorder, splitter::kClsidPpgPanels}, "Splitter1");
    EXPECT_EQ(frame.pageCount(), 2);
    EXPECT_EQ(frame.tabs()->tabText(0), "General");
    EXPECT_EQ(frame.tabs()->tabText(1), "Panels");
    EXPECT_FALSE(frame.applyButton()->isEnabled());
    // A modal dialog: nothing to minimise or maximise.
    EXPECT_FALSE(frame.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(frame.windowFlags() & Qt::WindowCloseButtonHint);

    // Destroying the control gives the widgets back to the window.
    const QPoint at = txt1->mapTo(&window, QPoint(0, 0));
    host.reset();
    ASSERT_TRUE(guard1);
    EXPECT_EQ(txt1->parentWidget(), &window);
    EXPECT_EQ(txt1->pos(), at);
    EXPECT_FALSE(txt1->isHidden());
}

TEST(SplitterLibrary, HostingFailuresRaise) {
    vb::setProgramFolder(testenv::programDir());
    QWidget window;
    try {
        com::hostSplitter(&window, testenv::userRoot() + "/missing.stm", {});
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 53);
    }
    const QString bad = testenv::userRoot() + "/bad.stm";
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(40, '\x7f'));
    f.close();
    try {
        com::hostSplitter(&window, bad, {});
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 321);
    }
    try {
        com::hostControl(&window, com::makeGuid("12345678-1234-1234-1234-123456789ABC"), QString(), {});
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 429);
    }
    EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
}
