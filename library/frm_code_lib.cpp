#include "library/frm_code_lib.h"

#include "calendar/widgets/prev_instance.h"
#include "core/code_item.h"
#include "core/editor_host.h"
#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/recovery.h"
#include "core/wait_cursor.h"
#include "library/app_icon.h"
#include "library/ctl_bookmarks.h"
#include "library/ctl_code_details.h"
#include "library/formatting_bar.h"
#include "library/frm_calendar.h"
#include "library/frm_splash.h"
#include "library/menu_table.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"
#include "platform/vb/unattended_end.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace library {

FrmCodeLib::FrmCodeLib() : forms::Form(QStringLiteral("frmCodeLib")) {
    setCaption(QStringLiteral("Veyra"));
    setWindowIcon(appIcon());
    buildControls();
    buildMenus();
    connectMenus();
    buildTree();
    buildEditorControls();
    connectEditorMenus();
    connectEditorEvents();
    // Nothing of a library can be used before one is open.
    EnableLibraryCommands(false);
    core::setMainWindowHost(this);
    core::setEditorHost(editorHost_.get());
}

FrmCodeLib::~FrmCodeLib() {
    disconnectEditorEvents();
    // The tree empties itself as it goes, which moves its highlight: nothing of this window may hear it.
    tvCodeItems_->disconnect(this);
    if (core::mainWindowHost() == this) core::setMainWindowHost(nullptr);
    if (core::editorHost() == editorHost_.get()) core::setEditorHost(nullptr);
}

void FrmCodeLib::buildControls() {
    QWidget* area = client();
    tvCodeItems_ = new QTreeWidget(area);
    tvCodeItems_->setObjectName(QStringLiteral("tvCodeItems"));
    tvCodeItems_->setHeaderHidden(true);

    buildDetails();

    ctlBookMarkList_ = new QWidget(area);
    ctlBookMarkList_->setObjectName(QStringLiteral("ctlBookMarkList"));

    imgSplitter_ = new QLabel(area);
    imgSplitter_->setObjectName(QStringLiteral("imgSplitter"));
    imgSplitter_->setCursor(Qt::SplitHCursor);
    imgSplitter_->installEventFilter(this);
    picSplitter_ = new QFrame(area);
    picSplitter_->setObjectName(QStringLiteral("picSplitter"));
    picSplitter_->setAutoFillBackground(true);
    picSplitter_->setPalette(QPalette(QColor(0x80, 0x80, 0x80)));
    picSplitter_->hide();

    statusBar_ = new QStatusBar(area);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);

    dialog_ = new forms::CommonDialog(QStringLiteral("dlgCommonDialog1"), this);
}

void FrmCodeLib::buildMenus() {
    for (const MenuEntry& entry : kMenuEntries) {
        const QString name = QString::fromUtf16(entry.name);
        const QString caption = QString::fromUtf16(entry.caption);
        const bool hasChildren = std::any_of(std::begin(kMenuEntries), std::end(kMenuEntries), [&](const MenuEntry& e) {
            return e.parent && name == QString::fromUtf16(e.parent);
        });
        QAction* action = nullptr;
        if (!entry.parent || hasChildren) {
            auto* menu = new QMenu(caption, this);
            menu->setObjectName(name);
            menus_.insert(name, menu);
            action = entry.parent ? menus_.value(QString::fromUtf16(entry.parent))->addMenu(menu) : menuBar()->addMenu(menu);
        } else {
            action = menus_.value(QString::fromUtf16(entry.parent))->addAction(caption);
        }
        action->setObjectName(name);
        action->setVisible(!entry.hidden);
        action->setEnabled(!entry.disabled);
        if (entry.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        menuEntries_.insert(name, action);
        if (entry.separatorAfter && entry.parent) menus_.value(QString::fromUtf16(entry.parent))->addSeparator();
    }
}

void FrmCodeLib::onMenu(const QString& name, void (FrmCodeLib::*handler)()) {
    QAction* action = menuEntries_.value(name);
    connect(action, &QAction::triggered, this, [this, name, handler] {
        guarded(QStringLiteral(" frmCodeLib::%1_Click").arg(name), [this, handler] { (this->*handler)(); });
    });
}

void FrmCodeLib::connectMenus() {
    onMenu(QStringLiteral("mnuOpenDatabase"), &FrmCodeLib::ChooseWorkDatabase);
    onMenu(QStringLiteral("mnuExit"), &FrmCodeLib::unloadWindow);
    onMenu(QStringLiteral("mnuSettings"), &FrmCodeLib::ShowSettings);
    onMenu(QStringLiteral("MNUZHUYE"), &FrmCodeLib::MNUZHUYE_Click);
    connect(menuEntries_.value(QStringLiteral("mnuViewBookMarks")), &QAction::triggered, this,
            [this] { ShowBookmarkPane(!viewBookMarks_); });
}

bool FrmCodeLib::guarded(const QString& tag, const std::function<void()>& f) { return forms::reportErrors(tag, f); }

void FrmCodeLib::setMousePointer(int pointer) {
    Qt::CursorShape shape;
    if (vb::cursorShapeOf(pointer, &shape)) setCursor(shape);
    else unsetCursor();
    mousePointer_ = pointer;
}

void FrmCodeLib::unloadWindow() { Unload(forms::vbFormCode); }

void FrmCodeLib::EnableLibraryCommands(bool flag) {
    libraryOpen_ = flag;
    updateCommandStates();
}

namespace {

// What a command needs to be enabled: an open library (some of them), and an editor that is not
// enlarged (most of them): they replace the item or the library the enlarged editor shows, or the
// panes it covers.
struct CommandNeeds {
    const char16_t* name;
    bool library;
    bool usableEnlarged = false;
};
constexpr CommandNeeds kLibraryMenus[] = {
    {u"mnuNewDatabase", true}, {u"MNUBAK", true}, {u"mnuOpenDatabase", false}, {u"mnuViewBookMarks", false},
};
// The item buttons act on the tree's items, which exist only with a library open.
constexpr CommandNeeds kToolButtons[] = {
    {u"OPENDB", false}, {u"NEW", true},           {u"DELETE", true},   {u"PREVIOUS", true},
    {u"NEXT", true},    {u"VIEWBOOKMARKS", false}, {u"BOOKMARK", true, true},
};

bool commandEnabled(const CommandNeeds& c, bool libraryOpen, bool enlarged) {
    return (c.usableEnlarged || !enlarged) && (libraryOpen || !c.library);
}

}  // namespace

void FrmCodeLib::updateCommandStates() {
    const bool free = !enlarged_;
    for (const char16_t* name : {u"MnuEdit", u"mnuView"}) menuEntries_.value(QString::fromUtf16(name))->setEnabled(libraryOpen_);
    for (const CommandNeeds& c : kLibraryMenus)
        menuEntries_.value(QString::fromUtf16(c.name))->setEnabled(commandEnabled(c, libraryOpen_, enlarged_));
    if (tbTools_)
        for (const CommandNeeds& c : kToolButtons)
            if (auto* button = tbTools_->findChild<QAction*>(QString::fromUtf16(c.name)))
                button->setEnabled(commandEnabled(c, libraryOpen_, enlarged_));
    // The tree and the bookmarks choose the shown item; the enlarged editor covers them anyway.
    tvCodeItems_->setEnabled(libraryOpen_ && free);
    if (bookmarkList_) bookmarkList_->setEnabled(free);
    ctlCodeItemDetails_->setEnabled(libraryOpen_);
}

void FrmCodeLib::Form_Load() {
    // The splash goes whatever happens below.
    FrmSplash& splash = forms::defaultInstance<FrmSplash>();
    splash.Show();
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    core::gBookmarkPaneScale = 1;

    guarded(QStringLiteral(" frmCodeLib::Form_Load"), [this] {
        core::SetUpLibraryFolders();
        core::CWaitCursor wait;
        wait.SetCursor(11);
        clipboardFormat_ = QString::fromUtf16(kTreeDragFormat);
        settings_ = std::make_unique<core::CSettings>();
        GetLastDatabasePath();
        if (!calendar::prevInstance()) core::RemoveInterruptedCopiesOfLibraries(core::gWorkPath);
        LoadWindowSettings();
        SetupSysTrayIcon();
        picPicture1_->FillFontList();
        if (OpenWorkDatabase()) {
            FillTree();
            bookmarkList_->Initialise(core::gWorkDB);
            ctlCodeItemDetails_->Initialise(core::gWorkDB, nullptr);
            ShowBookmarkPane(viewBookMarks_);
            EnableLibraryCommands(true);
        } else {
            EnableLibraryCommands(false);
            ShowBookmarkPane(true);
        }
        for (const char16_t* name : {u"MnuFormat", u"MnuEditRtxt", u"mnuInsert"})
            menuEntries_.value(QString::fromUtf16(name))->setVisible(false);
    });
    forms::unloadInstance<FrmSplash>();
    // What the last end by a signal or the session's end could not store, and where its text is.
    const QString notice = core::takeLastEndNotice();
    if (!notice.isEmpty()) vb::MsgBox(notice, vb::vbOKOnly | vb::vbExclamation);
}

void FrmCodeLib::Form_QueryUnload(int& cancel, int unloadMode) {
    // An end the desktop or a signal asks for cannot wait for an answer.
    const bool ending = unloadMode == forms::vbAppWindows || unloadMode == forms::vbAppTaskManager;
    // The page on screen is written first; when it cannot be, the user keeps it on screen, or, when
    // no one is there to keep it, a recovery file does.
    if (!ctlCodeItemDetails_->SaveShownPage(ending && !vb::unattendedEnd())) {
        if (!ending) {
            cancel = 1;
            return;
        }
        ctlCodeItemDetails_->KeepUnsavedPage();
    }
    if (ending) return;
    if (menuEntries_.value(QStringLiteral("mnuNewDatabase"))->isEnabled()) return;
    cancel = 1;
    if (vb::MsgBox(QStringLiteral("真的退出程序吗？"), vb::vbOKCancel, QStringLiteral("提示")) == vb::vbOK) cancel = 0;
}

void FrmCodeLib::Form_Unload(int& /*cancel*/) {
    guarded(QStringLiteral(" frmCodeLib::Form_Unload"), [this] {
        // The other windows may hold text not yet saved; they save it as they unload, so they go while
        // the work database is still open.
        forms::unloadAll(forms::vbFormOwner, this);
        ClearItemTree();
        ctlCodeItemDetails_->Terminate(true);
        RemoveTrayIcon();
        if (core::gWorkDB.isOpen()) core::gWorkDB.close();
        core::gWorkDB = dao::Database();
        SaveSettingsAndCloseDatabase();
    });
}

bool FrmCodeLib::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgSplitter_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            imgSplitter_MouseDown();
            return true;
        case QEvent::MouseMove:
            imgSplitter_MouseMove(static_cast<int>(vb::pixelsToTwips(static_cast<QMouseEvent*>(event)->position().x())));
            return true;
        case QEvent::MouseButtonRelease:
            imgSplitter_MouseUp();
            return true;
        default: break;
        }
    }
    return forms::Form::eventFilter(watched, event);
}

}  // namespace library
