#include "library/ctl_bookmarks.h"

#include "core/bookmark.h"
#include "core/code_item.h"
#include "core/globals.h"
#include "core/listview_helpers.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/label.h"
#include "platform/forms/listview.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>

namespace library {

namespace {
constexpr int kTagRole = Qt::UserRole + 10;
constexpr int kBorderWidth = 4;  // pixels of the sizing border
constexpr int kMinimumHeight = 30;

int px(double twips) { return static_cast<int>(vb::twipsToPixels(twips)); }

QString textOf(const vb::Variant& v) { return v.isNull() ? QString() : v.toString(); }

struct PopupEntry {
    const char16_t* name;
    const char16_t* caption;
};
constexpr PopupEntry kPopup[] = {
    {u"mnuRemoveBookMark", u"删除此签"},
    {u"mnuBcolor", u"背景颜色"},
    {u"MnuFcolor", u"前景颜色"},
    {u"mnubwide", u"宽度"},
};
}  // namespace

const QString CtlBookmarks::kNameColumn = QStringLiteral("书签名称");
const QString CtlBookmarks::kDescriptionColumn = QStringLiteral("简短描述");
// Both tables have a Description: each gets a name of its own, so neither hides the other.
const QString CtlBookmarks::kQuery = QStringLiteral(
    "SELECT Bookmarks.ID, Bookmarks.CodeID, CodeItems.Description AS ItemDescription, "
    "Bookmarks.Description AS BookmarkDescription FROM Bookmarks INNER JOIN "
    "CodeItems ON Bookmarks.codeID = CodeItems.ID");

CtlBookmarks::CtlBookmarks(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("ctlBookMarkList"));
    label1_ = new forms::Label(QStringLiteral("Label1"), QStringLiteral("书签"), this);
    lvBookMarks_ = new forms::ListView(QStringLiteral("lvBookMarks"), this);
    lvBookMarks_->setView(forms::lvwReport);
    lvBookMarks_->addColumn(kNameColumn, 2880);
    lvBookMarks_->addColumn(kDescriptionColumn, 5760);
    core::SetListViewExStyle(lvBookMarks_, forms::lvsExGridLines, false);
    core::SetListViewExStyle(lvBookMarks_, forms::lvsExFullRowSelect, true);
    core::SetListViewExStyle(lvBookMarks_, forms::lvsExTrackSelect, true);

    mnuPopup_ = new QMenu(this);
    mnuPopup_->setObjectName(QStringLiteral("mnuPopup"));
    for (const PopupEntry& e : kPopup) {
        QAction* a = mnuPopup_->addAction(QString::fromUtf16(e.caption));
        a->setObjectName(QString::fromUtf16(e.name));
    }
    connect(menuEntry(QStringLiteral("mnuRemoveBookMark")), &QAction::triggered, this, [this] { mnuRemoveBookMark_Click(); });
    connect(menuEntry(QStringLiteral("mnuBcolor")), &QAction::triggered, this, [this] { lvbookmarksBColor(); });
    connect(menuEntry(QStringLiteral("MnuFcolor")), &QAction::triggered, this, [this] { lvbookmarksFColor(); });
    connect(menuEntry(QStringLiteral("mnubwide")), &QAction::triggered, this, [this] { mnubwide_Click(); });

    connect(lvBookMarks_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { lvBookMarks_ItemClick(item); });
    connect(lvBookMarks_, &forms::ListView::columnClick, this, [this](int column) { lvBookMarks_ColumnClick(column); });
    lvBookMarks_->installEventFilter(this);
    lvBookMarks_->viewport()->installEventFilter(this);
    UserControl_Resize();
}

CtlBookmarks::~CtlBookmarks() = default;

QAction* CtlBookmarks::menuEntry(const QString& name) const { return mnuPopup_->findChild<QAction*>(name); }

QString CtlBookmarks::tag(const QTreeWidgetItem* entry) { return entry ? entry->data(0, kTagRole).toString() : QString(); }

void CtlBookmarks::Initialise(dao::Database& db) {
    core::SetListViewExStyle(lvBookMarks_, forms::lvsExFullRowSelect, true);
    lvBookMarks_->setRedraw(false);
    struct RedrawOn {
        forms::ListView* list;
        ~RedrawOn() { list->setRedraw(true); }
    } redrawOn{lvBookMarks_};
    lvBookMarks_->clearItems();
    core::gWorkDB = db;
    if (!core::gWorkDB.isOpen()) return;
    dao::Recordset rs = core::gWorkDB.openRecordset(kQuery, dao::dbOpenSnapshot);
    while (!rs.eof()) {
        QTreeWidgetItem* entry = lvBookMarks_->addItem(QStringLiteral("B") + textOf(rs.value(QStringLiteral("ID"))),
                                                       textOf(rs.value(QStringLiteral("ItemDescription"))));
        entry->setData(0, kTagRole, QStringLiteral("C") + textOf(rs.value(QStringLiteral("CodeID"))));
        forms::ListView::setSubItem(entry, 1,
                                    textOf(rs.value(QStringLiteral("BookmarkDescription"))).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        rs.moveNext();
    }
    rs.close();
}

void CtlBookmarks::Terminate() {
    lvBookMarks_->clearItems();
    core::gWorkDB = dao::Database();
}

void CtlBookmarks::FindBookmark(const QString& text) {
    // The entry the user chose stays chosen when it is one of that title.
    if (QTreeWidgetItem* selected = lvBookMarks_->selectedItem(); selected && selected->text(0) == text) {
        lvBookMarks_->scrollToItem(selected);
        return;
    }
    for (int i = 0; i < lvBookMarks_->itemCount(); ++i) {
        QTreeWidgetItem* entry = lvBookMarks_->topLevelItem(i);
        if (entry->text(0) != text) continue;
        lvBookMarks_->scrollToItem(entry);
        lvBookMarks_->setCurrentItem(entry);
        return;
    }
}

void CtlBookmarks::RemoveBookMark(const QString& key) {
    try {
        QTreeWidgetItem* entry = lvBookMarks_->item(key);
        if (!entry) return;
        core::CBookmark bookmark;
        bookmark.Initialise(core::gWorkDB, key.mid(1));
        bookmark.Delete();
        bookmark.Commit();
        lvBookMarks_->removeItem(entry);
    } catch (const std::exception&) {
        // No caller relies on the result.
    }
}

void CtlBookmarks::lvBookMarks_ItemClick(QTreeWidgetItem* entry) {
    const QString id = tag(entry).mid(1);
    if (id.isEmpty()) {
        vb::MsgBox(QStringLiteral("No Related Code !"), vb::vbOKOnly);
        return;
    }
    auto item = std::make_shared<core::CCodeItem>();
    item->Initialise(core::gWorkDB, id);
    emit ViewBookMark(item);
}

void CtlBookmarks::mnuRemoveBookMark_Click() {
    QTreeWidgetItem* entry = lvBookMarks_->selectedItem();
    if (!entry) return;
    const QString key = forms::ListView::key(entry);
    const QString itemId = tag(entry).mid(1);
    core::CBookmark bookmark;
    bookmark.Initialise(core::gWorkDB, key.mid(1));
    bookmark.Delete();
    bookmark.Commit();
    emit BookMarkRemoved(itemId);
    if (QTreeWidgetItem* still = lvBookMarks_->item(key)) lvBookMarks_->removeItem(still);
}

void CtlBookmarks::lvBookMarks_ColumnClick(int column) {
    lvBookMarks_->setSortKey(column);
    lvBookMarks_->setSorted(true);
}

void CtlBookmarks::lvBookMarks_DblClick() {
    core::gBookmarkPaneScale = core::gBookmarkPaneScale == 1 ? 3 : 1;
    emit paneScaleChanged();
}

void CtlBookmarks::lvBookMarks_MouseUp(Qt::MouseButton button, const QPoint& pos) {
    if (button != Qt::RightButton || lvBookMarks_->itemCount() < 1) return;
    mnuPopup_->popup(lvBookMarks_->viewport()->mapToGlobal(pos));
}

void CtlBookmarks::lvbookmarksBColor() {
    if (const auto colour = forms::chooseColor(window(), forms::cdlCCFullOpen)) lvBookMarks_->setBackColor(*colour);
}

void CtlBookmarks::lvbookmarksFColor() {
    if (const auto colour = forms::chooseColor(window(), forms::cdlCCFullOpen)) lvBookMarks_->setForeColor(*colour);
}

void CtlBookmarks::mnubwide_Click() {
    lvBookMarks_->hide();
    core::SetAllColumnWidths(lvBookMarks_, forms::lvscwAutoSizeUseHeader);
    lvBookMarks_->show();
}

void CtlBookmarks::ResizeControl(QWidget* ctl, QWidget* /*frm*/) {
    if (auto* pane = qobject_cast<CtlBookmarks*>(ctl)) pane->setSizingBorder();
}

void CtlBookmarks::setSizingBorder() {
    if (sizingBorder_) return;
    sizingBorder_ = true;
    setMouseTracking(true);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(kBorderWidth);
    UserControl_Resize();
}

void CtlBookmarks::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    UserControl_Resize();
}

void CtlBookmarks::UserControl_Resize() {
    const QRect area = contentsRect();
    const int labelHeight = label1_->sizeHint().height();
    label1_->setGeometry(area.x() + px(15), area.y() + px(15), std::max(0, area.width() - px(30)), labelHeight);
    const int top = label1_->geometry().bottom() + 1 + px(15);
    lvBookMarks_->setGeometry(area.x() + px(15), top, std::max(0, area.width() - px(30)),
                              std::max(0, area.bottom() + 1 - px(30) - top + px(15)));
}

bool CtlBookmarks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lvBookMarks_ && event->type() == QEvent::FocusIn) {
        ResizeControl(this, window());
    } else if (watched == lvBookMarks_->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            lvBookMarks_DblClick();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            lvBookMarks_MouseUp(mouse->button(), mouse->position().toPoint());
        }
    }
    return QFrame::eventFilter(watched, event);
}

// The sizing border: a press on the top edge drags it, the bottom edge staying where it is.
void CtlBookmarks::mousePressEvent(QMouseEvent* event) {
    if (sizingBorder_ && event->button() == Qt::LeftButton && event->position().y() < frameWidth()) {
        dragFromY_ = static_cast<int>(event->globalPosition().y());
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void CtlBookmarks::mouseMoveEvent(QMouseEvent* event) {
    if (!sizingBorder_) return QFrame::mouseMoveEvent(event);
    if (dragFromY_ < 0) {
        setCursor(event->position().y() < frameWidth() ? Qt::SizeVerCursor : Qt::ArrowCursor);
        return;
    }
    const int y = static_cast<int>(event->globalPosition().y());
    const QRect g = geometry();
    const int top = std::min(g.top() + (y - dragFromY_), g.bottom() - kMinimumHeight);
    dragFromY_ += top - g.top();
    setGeometry(g.left(), top, g.width(), g.bottom() - top + 1);
}

void CtlBookmarks::mouseReleaseEvent(QMouseEvent* event) {
    if (dragFromY_ >= 0 && event->button() == Qt::LeftButton) {
        dragFromY_ = -1;
        event->accept();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

}  // namespace library
