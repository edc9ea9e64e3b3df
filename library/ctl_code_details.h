#pragma once
// The item-detail tabs `ctlCodeItemDetails`: the switchboard between the current library item and
// the right-hand side of the library window. The tab "笔记本" shows the item's notebook page in the
// window's editor txtCode, the tab "紫微斗数" its case list ctlFileDetails1; without an item the
// reading panel takes the area. A caption with a marquee and a strip of image buttons sit on top.
//
// A page shown in the editor is written back to its file before anything replaces it (another tab,
// another item, no item) and when the program ends. A save that fails is reported, nothing that
// claims it was written is committed, and the text stays on screen so the user can try again.
#include "platform/forms/control_array.h"
#include "platform/forms/image_button.h"
#include "platform/forms/image_list.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QLabel;
class QTabBar;

namespace core {
class CCodeItem;
}
namespace dao {
class Database;
}
namespace forms {
class Label;
}

namespace library {

class FrmCodeLib;

// One page an item offers: its tab key, the item property holding its file, the view number the
// control reports and the picture shown beside the caption.
struct DetailPage {
    const char16_t* key;
    int view;
    const char16_t* image;
};
inline constexpr DetailPage kDetailPages[] = {
    {u"CODE", 1, u"CODE"}, {u"NOTES", 2, u"NOTES"}, {u"USAGE", 3, u"USAGE"}, {u"FILES", 4, u"FILES"}};

class CtlCodeDetails : public QWidget {
    Q_OBJECT
public:
    CtlCodeDetails(FrmCodeLib& window, QWidget* parent);
    ~CtlCodeDetails() override;

    // Binds `item` (null: none; then, or without an open database, the reading panel shows). The page
    // shown so far is saved first; false when that save failed (reported): the control keeps its
    // item and page.
    bool Initialise(dao::Database& db, std::shared_ptr<core::CCodeItem> item);
    // Saves the page shown, releases the item and the shared connection. False when the save failed
    // (reported unless `quiet`).
    bool Terminate(bool quiet = false);
    QString CodeWindowText() const;
    int32_t CurrentView() const { return currentView_; }

    // Writes the page in the editor to its file when it was changed since it was loaded or saved;
    // true when nothing needed writing or the write succeeded. A failure is reported unless `quiet`.
    // A page that was not read whole is first copied beside its file (the user is told); a link in the
    // page's place is replaced by a file of its own, never written through.
    bool SaveShownPage(bool quiet = false);
    // Keeps the shown page, which could not be saved, in a recovery file (an end that cannot wait);
    // from then on nothing tries to save it again.
    void KeepUnsavedPage();

    // --- Event handlers (public so that tests drive them as the events do) ---
    void imgButtons_Click(int index);
    void imgButtons_MouseDown(int index, Qt::MouseButton button);
    void imgButtons_MouseUp(int index, Qt::MouseButton button);
    void LblScroll_Click();
    void TimerLeft_Timer();
    void UserControl_Resize();

    // --- Controls and state ---
    QTabBar* tbsTabs() const { return tbsTabs_; }
    // The selected tab's key, upper-cased.
    QString selectedKey() const;
    // Selects the tab of `key` as a click on it does.
    void selectTab(const QString& key);
    forms::Label* Label1() const { return Label1_; }
    forms::Label* LblScroll() const { return LblScroll_; }
    QLabel* imgLabel() const { return imgLabel_; }
    const QString& imgLabelKey() const { return imgLabelKey_; }
    QWidget* picPicture1() const { return picPicture1_; }
    QWidget* picPicture2() const { return picPicture2_; }
    QTimer* TimerLeft() { return &timerLeft_; }
    const forms::ControlArray<forms::ImageButton>& imgButtons() const { return imgButtons_; }
    const std::shared_ptr<core::CCodeItem>& item() const { return item_; }
    const QString& currentTabKey() const { return mCurrentTabKey; }
    // The file the editor's page was loaded from; empty when it shows no page of the item.
    const QString& shownPagePath() const { return shownPath_; }

signals:
    void ViewChanged(int32_t view);
    void RequestFileName(int32_t kind, QString& fileName, const QString& title);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void ShowCurrentTab();
    void showTextPage(const QString& key);
    void ShowFilesPage();
    // Saves the page being left; false (reported) keeps the old tab.
    bool tbsTabs_BeforeClick(const QString& oldKey);
    void tbsTabs_Click();
    void onTabChanged(int index);
    // Both tool panels of this control and of the library window, for text pages or for the case list.
    void showToolPanels(bool forText);
    void hideToolPanels();
    // The library window's formatting bar (its text-page tools), null before it is made.
    QWidget* windowBar() const;
    void setCaptionPicture(const QString& key);
    // The file of a text page's key for the held item; empty for other keys.
    QString pagePath(const QString& key) const;
    bool commitItem();
    // The held item's row is still in the work database.
    bool itemStored() const;
    void SaveCurrentPage();

    FrmCodeLib& window_;
    // The window's formatting bar once it is watched. Its events still come while Qt deletes the
    // window's controls, after the window's destructor: the filter knows the bar by this pointer and
    // never asks the window then.
    QPointer<QWidget> watchedBar_;
    std::shared_ptr<core::CCodeItem> item_;
    QString mCurrentTabKey;
    bool mResizing = false;
    int32_t currentView_ = 0;
    QString shownPath_;
    bool pageReadWhole_ = true;  // the shown page's file was read whole: saving over it loses nothing
    int tabIndex_ = 0;
    bool revertingTab_ = false;
    int marqueeStep_ = 15;

    forms::ImageList tabImages_;
    forms::ImageList buttonImages_;
    forms::Label* Label1_ = nullptr;
    forms::Label* LblScroll_ = nullptr;
    QLabel* imgLabel_ = nullptr;
    QString imgLabelKey_;
    QTabBar* tbsTabs_ = nullptr;
    QWidget* picPicture1_ = nullptr;
    QWidget* picPicture2_ = nullptr;
    forms::ControlArray<forms::ImageButton> imgButtons_{QStringLiteral("imgButtons")};
    QTimer timerLeft_;
};

}  // namespace library
