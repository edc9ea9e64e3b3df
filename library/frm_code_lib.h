#pragma once
// The library (main) window: the item tree on the left, the item's pages on the right, the bookmark
// pane below, the status bar at the bottom. Its load is the program's real start and its unload the
// program's one end, however the program is ended.
#include "core/main_window_host.h"
#include "core/settings.h"
#include "library/ctl_code_details.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"
#include "platform/forms/image_list.h"

#include <QHash>
#include <QIcon>
#include <QPoint>
#include <QPointer>
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

namespace core {
class CCodeItem;
class EditorHost;
}  // namespace core

// Item tree, toolbar, drag and drop, export and import.
class QMimeData;
class QProgressBar;
class QTimer;
class QToolBar;

namespace library {

class VclWriter;
class CtlBookmarks;
class FormattingBar;
class CtlCodeDetails;
class CtlFileDetails;
class ReadingPanel;

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
    CtlCodeDetails* ctlCodeItemDetails() const { return ctlCodeItemDetails_; }
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

    // Whether the file at `path` can be the work database; when it cannot, the user is told why and
    // nothing is done with it.
    bool AcceptWorkDatabase(const QString& path);
    // Before the open library goes (another work database, a new library): the shown page is saved,
    // the chart window stores its conclusion in its case and closes, the new-case dialog closes
    // (asking first when it holds entries). Refused while the editor is enlarged. False when the
    // switch must not happen; the user has been told why and the library stays as it is.
    bool PrepareLibrarySwitch();
    // Writes what the windows show of the open library into it (the shown page, an open chart
    // window's conclusion) before its files are copied; false when one could not be (reported).
    bool SaveWhatIsShown();

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

    // Enables the library commands by whether a library is open and the editor is not enlarged.
    void updateCommandStates();

    int mousePointer_ = 0;
    bool libraryOpen_ = false;
    // The last work folder's database was refused at start: the user has been told once.
    bool databaseRefused_ = false;
    QString clipboardFormat_;
    std::unique_ptr<core::CSettings> settings_;
    bool viewBookMarks_ = true;
    bool dragging_ = false;
    bool trayGuard_ = false;
    int bookmarkPaneHeight_ = 0;

    QTreeWidget* tvCodeItems_ = nullptr;
    QLabel* imgSplitter_ = nullptr;
    QFrame* picSplitter_ = nullptr;
    CtlCodeDetails* ctlCodeItemDetails_ = nullptr;
    forms::RichTextBox* txtCode_ = nullptr;
    QWidget* ctlBookMarkList_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    forms::CommonDialog* dialog_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QHash<QString, QAction*> menuEntries_;
    QHash<QString, QMenu*> menus_;

    // ---- Item tree, its toolbar, drag and drop, library export and import ----
public:
    // Node keys: "ROOT", or "C" & the item's id.
    static QString nodeKey(const QTreeWidgetItem* node);
    QTreeWidgetItem* nodeByKey(const QString& key) const;
    QTreeWidgetItem* selectedNode() const;
    // The picture keys a node shows: Image, and ExpandedImage while expanded (empty: Image).
    static QString nodeImage(const QTreeWidgetItem* node);
    static QString nodeExpandedImage(const QTreeWidgetItem* node);
    const forms::ImageList& treeImages() const { return treeImages_; }
    QToolBar* tbTools() const { return tbTools_; }
    QProgressBar* prgBar() const { return prgBar_; }
    QLabel* statusPanel1() const { return statusPanel1_; }
    QTimer* tmrDragTimer() const { return tmrDragTimer_; }
    QTreeWidgetItem* dragNode() const { return dragNode_; }
    QTreeWidgetItem* dropHighlight() const { return dropHighlight_; }
    int dragScroll() const { return dragScroll_; }
    int32_t hoverCount() const { return hoverCount_; }

    void BoldTreeNode(QTreeWidgetItem* node);
    // The one place where choosing a node shows its item; the status bar names it. False when the
    // page shown could not be saved first (reported): it stays on screen.
    bool ShowSelectedItem(const QString& key);
    // Highlights `node` and shows its item, as a click on it does. The highlight, the editor and the
    // status bar always name one item: a highlight that moves (keys, code) shows its item, and when
    // the shown page cannot be saved the highlight goes back to the item shown.
    void SelectNode(QTreeWidgetItem* node);
    // "ROOT" while no item is shown, else "C" & the shown item's id.
    QString shownKey() const;
    void AddCode();
    void DeleteCodeItem();
    void DeleteItemTree(QTreeWidgetItem* node);
    void tbTools_ButtonClick(QAction* button);
    void ExportCodeItems();
    void ImportCodeItems();
    int32_t CountItemNodes(const QTreeWidgetItem* node) const;
    void ResetProgress(bool show);

    // Tree events (positions in the viewport's pixels; buttons as Qt gives them).
    void tvCodeItems_NodeClick(QTreeWidgetItem* node);
    void tvCodeItems_CurrentChanged(QTreeWidgetItem* node);
    // False refuses the edit.
    bool tvCodeItems_BeforeLabelEdit(QTreeWidgetItem* node);
    void tvCodeItems_AfterLabelEdit(QTreeWidgetItem* node, bool& cancel, const QString& newString);
    void tvCodeItems_Collapse(QTreeWidgetItem* node);
    void tvCodeItems_Expand(QTreeWidgetItem* node);
    void tvCodeItems_KeyUp(int keyCode);
    void tvCodeItems_MouseDown(Qt::MouseButton button, QPoint pos);
    void tvCodeItems_MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void tvCodeItems_MouseUp(Qt::MouseButton button, QPoint pos);
    // The drag's data: the dragged node's key under the private format.
    QMimeData* tvCodeItems_OLEStartDrag();
    // The effect allowed at `pos`: Qt::MoveAction or Qt::IgnoreAction.
    Qt::DropAction tvCodeItems_OLEDragOver(const QMimeData* data, QPoint pos);
    Qt::DropAction tvCodeItems_OLEDragDrop(const QMimeData* data, QPoint pos);
    void tvCodeItems_OLECompleteDrag();
    void tmrDragTimer_Timer();

private:
    void buildTree();
    void connectTreeMenus();
    QTreeWidgetItem* addRootNode(QTreeWidget* tree);
    void setNodeImage(QTreeWidgetItem* node, const QString& image);
    void setNodeExpandedImage(QTreeWidgetItem* node, const QString& image);
    void showNodePicture(QTreeWidgetItem* node);
    void setDropHighlight(QTreeWidgetItem* node);
    void setStatusText(const QString& text);
    void advanceProgress();
    void ExportItemRecords(const QTreeWidgetItem* node, VclWriter& writer);
    bool treeEvent(QObject* watched, QEvent* event);

    forms::ImageList treeImages_;
    QHash<QString, QIcon> treeIcons_;
    QToolBar* tbTools_ = nullptr;
    QProgressBar* prgBar_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QTimer* tmrDragTimer_ = nullptr;
    QTreeWidgetItem* dragNode_ = nullptr;
    QTreeWidgetItem* dropHighlight_ = nullptr;
    QPoint dragStart_;
    int dragScroll_ = 0;  // -1 up, 0 none, 1 down
    int32_t hoverCount_ = 0;
    // A mouse press is under way, and it moved the highlight (so its click has shown the item).
    bool pressing_ = false;
    bool pressShown_ = false;
    // ---- end of the item tree's block ----

    // ---- Menus, formatting bar, editor events, bookmark pane, find, new library, backup, help ----
public:
    FormattingBar* picPicture1() const { return picPicture1_; }
    CtlBookmarks* bookmarkList() const { return bookmarkList_; }
    // What the editor commands of core reach of this window.
    core::EditorHost& editorHost() const { return *editorHost_; }
    bool editorHasFocus() const { return editorFocus_; }
    bool editorEnlarged() const { return enlarged_; }

    // Opens the library in `folder` (ending in "/") as the work library: what the open library shows
    // is saved first; when the new one cannot be opened, the one that was open stays in use.
    bool OpenLibraryFolder(const QString& folder);

    void AddBookMark();
    void EnlargeEditor();
    void RestoreEditor();
    void ShowFind();
    void ShowHelp();
    void ctlBookMarkList_ViewBookMark(const std::shared_ptr<core::CCodeItem>& item);

    // The formatting bar.
    void imgButtons_Click(int index);
    void imgAButtons_Click(int index);
    void imgFButtons_Click(int index);
    void cboFontCombo_Click();
    void cboSizeCombo_Click();

    // The editor's events and the formatting bar's state.
    void txtCode_GotFocus();
    void txtCode_LostFocus();
    void txtCode_KeyDown(int keyCode, int shift);
    void txtCode_KeyUp(int keyCode, int shift);
    void UpdateTextInfo(QWidget* window);
    bool TabsChanged();

private:
    class EditorHostAdapter;
    void buildEditorControls();
    void connectEditorMenus();
    void connectEditorEvents();
    // Before the window's members go: no event of a control may reach them any more.
    void disconnectEditorEvents();
    void insertAtCaret(const QString& text);
    void mnuformatfont_Click();
    void placeEnlargedEditor();
    bool editorEventFilter(QObject* watched, QEvent* event);

    FormattingBar* picPicture1_ = nullptr;
    CtlBookmarks* bookmarkList_ = nullptr;
    std::unique_ptr<core::EditorHost> editorHost_;
    bool editorFocus_ = false;
    bool enlarged_ = false;
    QPointer<QWidget> editorHome_;  // the editor's parent while it is not enlarged
    int editorHomeIndex_ = -1;      // its place in that parent's layout, -1 when none
    // What a font or size pick saw: the page's length and the caret; -1 when nothing waits.
    int32_t pickTextLength_ = -1;
    int32_t pickCaret_ = 0;
    bool syncingCombos_ = false;
    QString shownFontName_;
    QString shownFontSize_;
    // ---- end of the menus' block ----

    // ---- Item-detail tabs, reading panel and case list ----
public:
    // The case list and the reading panel, which the item-detail tabs place under their tabs.
    CtlFileDetails* ctlFileDetails1() const { return ctlFileDetails1_; }
    ReadingPanel* Picscroll() const { return Picscroll_; }
    // Shows item `id` in the item-detail tabs; an empty id shows none (the reading panel). False
    // when the page shown could not be saved first (reported): it stays on screen.
    bool ShowItemDetails(const QString& id);

private:
    void buildDetails();

    CtlFileDetails* ctlFileDetails1_ = nullptr;
    ReadingPanel* Picscroll_ = nullptr;
    // ---- end of the item-detail block ----

    // Last, so they go first: the tree's and the editor's hooks call members of this class, and
    // the controls still send events while Qt deletes them after this destructor.
    forms::EventHooks hooks_;
};

// The program's home page.
inline constexpr char16_t kHomePage[] = u"https://www.example.org/veyra/";

}  // namespace library
