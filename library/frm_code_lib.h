#pragma once
// The library (main) window: the item tree on the left, the item's pages on the right, the bookmark
// pane below, the status bar at the bottom. Its load is the program's real start and its unload the
// program's one end, however the program is ended.
#include "core/main_window_host.h"
#include "core/settings.h"
#include "platform/forms/form.h"

#include <QHash>
#include <QString>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QSystemTrayIcon;
class QTreeWidget;
class QTreeWidgetItem;

namespace forms {
class CommonDialog;
class RichTextBox;
}  // namespace forms

namespace library {

// The private clipboard format of a dragged tree item.
inline constexpr char16_t kTreeDragFormat[] = u"application/x-bazimainlibTree";

class FrmCodeLib : public forms::Form, public core::MainWindowHost {
    Q_OBJECT
public:
    FrmCodeLib();
    ~FrmCodeLib() override;

    // What the shared procedures need of the main window.
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return mousePointer_; }
    QWidget* ownerWidget() override { return this; }
    void unloadWindow() override;

    // Full path of the work database; empty when the last work folder holds none.
    QString DatabasePath;
    QString clipboardFormat() const { return clipboardFormat_; }
    core::CSettings& settings() { return *settings_; }
    bool viewBookMarks() const { return viewBookMarks_; }

    // Controls.
    QTreeWidget* tvCodeItems() const { return tvCodeItems_; }
    forms::RichTextBox* txtCode() const { return txtCode_; }
    QWidget* ctlCodeItemDetails() const { return ctlCodeItemDetails_; }
    QWidget* ctlBookMarkList() const { return ctlBookMarkList_; }
    QLabel* imgSplitter() const { return imgSplitter_; }
    QFrame* picSplitter() const { return picSplitter_; }
    QStatusBar* StatusBar1() const { return statusBar_; }
    forms::CommonDialog& dlgCommonDialog1() const { return *dialog_; }
    // A menu entry by its name (null for an unknown name).
    QAction* menuEntry(const QString& name) const { return menuEntries_.value(name); }
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }

    // Work database.
    bool OpenWorkDatabase();
    void ChooseWorkDatabase();
    QString ShowFileDialog(bool saveMode, QString& fileName, const QString& title, QString& filter);
    void CheckDatabaseVersion();
    void OpenCodeFilesTable();

    // Item tree.
    void FillTree();
    void ClearItemTree();

    // Layout.
    void SizeControls(int x);
    void ShowBookmarkPane(bool flag);
    void imgSplitter_MouseDown();
    void imgSplitter_MouseMove(int x);
    void imgSplitter_MouseUp();
    bool splitterDragging() const { return dragging_; }
    // The notification-area icon's message (515: left double-click).
    void picSysBar_MouseMove(int message);

    void ShowSettings();
    void MNUZHUYE_Click();
    void EnableLibraryCommands(bool flag);
    void SaveSettingsAndCloseDatabase();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void Form_Resize() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectMenus();
    void GetLastDatabasePath();
    void LoadWindowSettings();
    void StartUpBackup();
    void SetupSysTrayIcon();
    void RemoveTrayIcon();
    void onMenu(const QString& name, void (FrmCodeLib::*handler)());
    // The window's error report, with a procedure tag such as " frmCodeLib::Form_Load".
    bool guarded(const QString& tag, const std::function<void()>& f);

    int mousePointer_ = 0;
    QString clipboardFormat_;
    std::unique_ptr<core::CSettings> settings_;
    bool viewBookMarks_ = true;
    bool dragging_ = false;
    bool trayGuard_ = false;
    int bookmarkPaneHeight_ = 0;

    QTreeWidget* tvCodeItems_ = nullptr;
    QLabel* imgSplitter_ = nullptr;
    QFrame* picSplitter_ = nullptr;
    QWidget* ctlCodeItemDetails_ = nullptr;
    forms::RichTextBox* txtCode_ = nullptr;
    QWidget* ctlBookMarkList_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    forms::CommonDialog* dialog_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QHash<QString, QAction*> menuEntries_;
    QHash<QString, QMenu*> menus_;
};

// The program's home page.
inline constexpr char16_t kHomePage[] = u"https://www.example.org/veyra/";

}  // namespace library
