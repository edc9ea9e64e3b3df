#pragma once
// The bookmark pane: every bookmark of the work database with the title of its item. A click opens
// the item, the pop-up deletes a bookmark or changes the list's colours and column widths, a
// double-click switches the pane between its two heights.
#include <QFrame>

#include <memory>

class QAction;
class QMenu;
class QTreeWidgetItem;

namespace core {
class CCodeItem;
}
namespace dao {
class Database;
}
namespace forms {
class Label;
class ListView;
}  // namespace forms

namespace library {

class CtlBookmarks : public QFrame {
    Q_OBJECT
public:
    // The list's column captions and the query that fills it.
    static const QString kNameColumn;
    static const QString kDescriptionColumn;
    static const QString kQuery;

    explicit CtlBookmarks(QWidget* parent = nullptr);
    ~CtlBookmarks() override;

    // Fills the list from `db`, which becomes the shared work database; a closed database leaves it
    // empty.
    void Initialise(dao::Database& db);
    void Terminate();
    // Selects and shows the first entry whose text equals `text`; nothing when there is none.
    void FindBookmark(const QString& text);
    // Deletes the bookmark whose entry key is `key` ("B" & id) from the database and the list; errors
    // are ignored.
    void RemoveBookMark(const QString& key);
    // Gives `ctl` a sizing border: from then on its top edge can be dragged.
    static void ResizeControl(QWidget* ctl, QWidget* frm);
    bool hasSizingBorder() const { return sizingBorder_; }
    void lvbookmarksBColor();
    void lvbookmarksFColor();

    forms::ListView* lvBookMarks() const { return lvBookMarks_; }
    forms::Label* Label1() const { return label1_; }
    QMenu* mnuPopup() const { return mnuPopup_; }
    QAction* menuEntry(const QString& name) const;
    // The entry's tag: "C" & the bookmarked item's id.
    static QString tag(const QTreeWidgetItem* entry);

    // Handlers of the list's events.
    void lvBookMarks_ItemClick(QTreeWidgetItem* entry);
    void lvBookMarks_ColumnClick(int column);
    void lvBookMarks_DblClick();
    void lvBookMarks_MouseUp(Qt::MouseButton button, const QPoint& pos);
    void mnuRemoveBookMark_Click();
    void mnubwide_Click();

signals:
    // The bookmarked item, bound to the work database.
    void ViewBookMark(const std::shared_ptr<core::CCodeItem>& item);
    void BookMarkRemoved(const QString& codeItemId);
    // gBookmarkPaneScale changed: the window lays itself out again.
    void paneScaleChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UserControl_Resize();
    void setSizingBorder();

    forms::Label* label1_;
    forms::ListView* lvBookMarks_;
    QMenu* mnuPopup_;
    bool sizingBorder_ = false;
    int dragFromY_ = -1;  // global y of a press on the top edge, -1 when none
};

}  // namespace library
