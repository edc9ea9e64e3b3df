// The library window's item tree: filled from table codeitems under one root; choosing, renaming,
// adding and deleting items; the tree's pop-up menu and the toolbar above it.
#include "core/code_item.h"
#include "core/globals.h"
#include "core/wait_cursor.h"
#include "library/ctl_bookmarks.h"
#include "library/frm_code_lib.h"
#include "library/item_delete.h"
#include "library/item_tree.h"
#include "library/tree_nodes.h"
#include "library/tree_pictures.h"
#include "platform/dao/dao.h"
#include "platform/forms/error_report.h"
#include "platform/forms/keycodes.h"
#include "platform/vb/msgbox.h"

#include <QAction>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace library {

namespace {

const QString kRoot = QStringLiteral("ROOT");
const QString kFolder = QStringLiteral("FOLDER");
const QString kOpenFolder = QStringLiteral("OPENFOLDER");
const QString kChild = QStringLiteral("CHILD");
const QString kViewBookmarks = QStringLiteral("VIEWBOOKMARKS");
constexpr int kLabelLimit = 50;

// Redrawing stays off while it lives and is always switched back on, whatever happens meanwhile.
class RedrawOff {
public:
    explicit RedrawOff(QWidget* w) : w_(w), was_(w->updatesEnabled()) { w_->setUpdatesEnabled(false); }
    ~RedrawOff() { w_->setUpdatesEnabled(was_); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    QWidget* w_;
    bool was_;
};

// The label editor: at most 50 characters can be typed, and the window decides whether the typed
// title is stored.
class LabelDelegate : public QStyledItemDelegate {
public:
    using Commit = std::function<bool(QTreeWidgetItem*, const QString&)>;
    LabelDelegate(QTreeWidget* tree, Commit commit) : QStyledItemDelegate(tree), tree_(tree), commit_(std::move(commit)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(kLabelLimit);
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line) return;
        QTreeWidgetItem* node = tree_->itemFromIndex(index);
        if (node && commit_(node, line->text())) model->setData(index, line->text(), Qt::EditRole);
    }

private:
    QTreeWidget* tree_;
    Commit commit_;
};

QString treeDragFormat() { return QString::fromUtf16(kTreeDragFormat); }

QString idOf(const QString& key) { return key == kRoot ? QStringLiteral("0") : key.mid(1); }

// Empties the tree from the leaves up. Qt deletes a node's children from inside its destructor by
// taking them, which walks each child's whole subtree again: a deep chain would cost the square of
// its depth. Taken out of the view first and then undone deepest nodes first, every node is walked
// a fixed number of times.
void removeAllNodes(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> nodes;
    while (tree->topLevelItemCount() > 0) nodes.append(tree->takeTopLevelItem(tree->topLevelItemCount() - 1));
    tree->clear();
    const qsizetype topLevel = nodes.size();
    for (qsizetype i = 0; i < nodes.size(); ++i)
        for (int c = 0; c < nodes[i]->childCount(); ++c) nodes.append(nodes[i]->child(c));
    for (qsizetype i = nodes.size() - 1; i >= 0; --i) qDeleteAll(nodes[i]->takeChildren());
    for (qsizetype i = 0; i < topLevel; ++i) delete nodes[i];
}

// An id or parent id as stored: none when the value is no 32-bit whole number (damaged rows).
std::optional<int32_t> storedId(const vb::Variant& v) {
    if (!v.isNumeric()) return std::nullopt;
    try {
        const double d = v.toDouble();
        if (d != std::floor(d)) return std::nullopt;
        return v.toLong();
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

// One message for every item a damaged row keeps from its place, however many there are.
void reportOddItems(const QStringList& items) {
    constexpr int kNamed = 20;
    QString text = QStringLiteral("以下条目的记录已损坏（上级条目无法读取或找不到）：\n") + items.mid(0, kNamed).join(u'\n');
    if (items.size() > kNamed) text += QStringLiteral("\n……另有 %1 项").arg(items.size() - kNamed);
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation);
}

}  // namespace

// ---- building ----

void FrmCodeLib::buildTree() {
    treeImages_ = treePictures();
    for (const QString& key : {kFolder, kOpenFolder, kChild, kViewBookmarks})
        treeIcons_.insert(key, QIcon(treeImages_.picture(key)));

    QTreeWidget* tv = tvCodeItems_;
    tv->setSelectionMode(QAbstractItemView::SingleSelection);
    tv->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    tv->setItemDelegate(new LabelDelegate(tv, [this](QTreeWidgetItem* node, const QString& text) {
        bool cancel = false;
        tvCodeItems_AfterLabelEdit(node, cancel, text);
        return !cancel;
    }));
    // Dragging is ours: the item's key travels under the private format, and the drop moves it.
    tv->setDragDropMode(QAbstractItemView::NoDragDrop);
    tv->setAcceptDrops(true);
    tv->viewport()->setAcceptDrops(true);
    hooks_.install({tv, tv->viewport()}, [this](QObject* watched, QEvent* event) { return treeEvent(watched, event); });
    connect(tv, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { tvCodeItems_NodeClick(node); });
    // The arrow keys move the highlight without a click: the shown item follows it all the same.
    connect(tv, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { tvCodeItems_CurrentChanged(node); });
    connect(tv, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { tvCodeItems_Expand(node); });
    connect(tv, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { tvCodeItems_Collapse(node); });

    tmrDragTimer_ = new QTimer(this);
    tmrDragTimer_->setObjectName(QStringLiteral("tmrDragTimer"));
    tmrDragTimer_->setInterval(100);
    connect(tmrDragTimer_, &QTimer::timeout, this, [this] { tmrDragTimer_Timer(); });

    statusPanel1_ = new QLabel(statusBar_);
    statusPanel1_->setObjectName(QStringLiteral("Panel1"));
    statusBar_->addWidget(statusPanel1_, 1);
    prgBar_ = new QProgressBar(statusBar_);
    prgBar_->setObjectName(QStringLiteral("prgBar"));
    prgBar_->setTextVisible(false);
    prgBar_->hide();
    statusBar_->addPermanentWidget(prgBar_);

    // The toolbar sits above the window's client area, so the layout of the area keeps its numbers.
    struct ToolButton {
        const char16_t* tag;
        const char16_t* tip;
        QStyle::StandardPixmap icon;
    };
    static constexpr std::array<ToolButton, 8> kButtons{{
        {u"OPENDB", u"导入备份", QStyle::SP_DialogOpenButton},
        {u"NEW", u"添加条目", QStyle::SP_FileDialogNewFolder},
        {u"DELETE", u"删除条目", QStyle::SP_TrashIcon},
        {u"BOOKMARK", u"添加书签", QStyle::SP_DialogApplyButton},
        {u"VIEWBOOKMARKS", u"书签显示", QStyle::SP_CustomBase},
        {u"PREVIOUS", u"上一条目", QStyle::SP_ArrowUp},
        {u"NEXT", u"下一条目", QStyle::SP_ArrowDown},
        {u"SETTINGS", u"设置", QStyle::SP_FileDialogDetailedView},
    }};
    tbTools_ = new QToolBar(this);
    tbTools_->setObjectName(QStringLiteral("tbTools"));
    tbTools_->setMovable(false);
    tbTools_->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, tbTools_);
    for (const ToolButton& b : kButtons) {
        const QString tag = QString::fromUtf16(b.tag);
        const QIcon icon = b.icon == QStyle::SP_CustomBase ? treeIcons_.value(kViewBookmarks) : style()->standardIcon(b.icon);
        QAction* button = tbTools_->addAction(icon, QString::fromUtf16(b.tip));
        button->setObjectName(tag);
        button->setData(tag);
        connect(button, &QAction::triggered, this, [this, button] { tbTools_ButtonClick(button); });
    }
    connectTreeMenus();
}

void FrmCodeLib::connectTreeMenus() {
    onMenu(QStringLiteral("mnuAddCode"), &FrmCodeLib::AddCode);
    onMenu(QStringLiteral("mnuDeleteCode"), &FrmCodeLib::DeleteCodeItem);
    onMenu(QStringLiteral("mnuExport"), &FrmCodeLib::ExportCodeItems);
    onMenu(QStringLiteral("mnuImport"), &FrmCodeLib::ImportCodeItems);
    connect(menuEntries_.value(QStringLiteral("mnuRename")), &QAction::triggered, this, [this] {
        if (QTreeWidgetItem* node = selectedNode(); node && tvCodeItems_BeforeLabelEdit(node)) tvCodeItems_->editItem(node);
    });
    // Export and import are the library's own commands: they are offered with the other entries.
    for (const char16_t* name : {u"mnuExport", u"mnuImport"}) {
        QAction* entry = menuEntries_.value(QString::fromUtf16(name));
        entry->setVisible(true);
        entry->setEnabled(true);
    }
}

// ---- nodes ----

QString FrmCodeLib::nodeKey(const QTreeWidgetItem* node) { return node ? node->data(0, kKeyRole).toString() : QString(); }

QString FrmCodeLib::nodeImage(const QTreeWidgetItem* node) { return node ? node->data(0, kImageRole).toString() : QString(); }

QString FrmCodeLib::nodeExpandedImage(const QTreeWidgetItem* node) {
    return node ? node->data(0, kExpandedImageRole).toString() : QString();
}

QTreeWidgetItem* FrmCodeLib::nodeByKey(const QString& key) const {
    QList<QTreeWidgetItem*> pending;
    for (int i = 0; i < tvCodeItems_->topLevelItemCount(); ++i) pending.append(tvCodeItems_->topLevelItem(i));
    while (!pending.isEmpty()) {
        QTreeWidgetItem* node = pending.takeLast();
        if (nodeKey(node) == key) return node;
        for (int i = 0; i < node->childCount(); ++i) pending.append(node->child(i));
    }
    return nullptr;
}

QTreeWidgetItem* FrmCodeLib::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = tvCodeItems_->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void FrmCodeLib::showNodePicture(QTreeWidgetItem* node) {
    const QString expanded = nodeExpandedImage(node);
    const QString key = node->isExpanded() && !expanded.isEmpty() ? expanded : nodeImage(node);
    node->setIcon(0, treeIcons_.value(key));
}

void FrmCodeLib::setNodeImage(QTreeWidgetItem* node, const QString& image) {
    node->setData(0, kImageRole, image);
    showNodePicture(node);
}

void FrmCodeLib::setNodeExpandedImage(QTreeWidgetItem* node, const QString& image) {
    node->setData(0, kExpandedImageRole, image);
    showNodePicture(node);
}

void FrmCodeLib::setStatusText(const QString& text) {
    if (text.isEmpty()) statusBar_->clearMessage();
    else statusBar_->showMessage(text);
}

QTreeWidgetItem* FrmCodeLib::addRootNode(QTreeWidget* tree) {
    auto* root = new QTreeWidgetItem(QStringList{kRoot});
    root->setData(0, kKeyRole, kRoot);
    root->setData(0, kImageRole, kViewBookmarks);
    root->setData(0, kSortedRole, true);
    root->setIcon(0, treeIcons_.value(kViewBookmarks));
    // The root stands for the library itself: it has no title to rename.
    root->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (tree) tree->addTopLevelItem(root);
    return root;
}

// ---- filling ----

void FrmCodeLib::FillTree() {
    guarded(QStringLiteral(" frmCodeLib::FillTree"), [this] {
        // Every fill starts from an empty tree, and showing the tree writes nothing.
        RedrawOff redraw(tvCodeItems_);
        {
            const QSignalBlocker quiet(tvCodeItems_);
            dragNode_ = nullptr;
            dropHighlight_ = nullptr;
            removeAllNodes(tvCodeItems_);
        }
        QList<ItemRow> rows;
        // Items a damaged row cannot show where it belongs: named once, after the fill.
        QStringList oddItems;
        dao::Recordset rs = core::gWorkDB.openRecordset(
            QStringLiteral("select id, parentid, description from codeitems order by parentid"), dao::dbOpenSnapshot);
        while (!rs.eof()) {
            const vb::Variant title = rs.value(QStringLiteral("description"));
            const vb::Variant storedKey = rs.value(QStringLiteral("id"));
            const vb::Variant parent = rs.value(QStringLiteral("parentid"));
            rs.moveNext();
            ItemRow row;
            row.description = title.text();
            const std::optional<int32_t> id = storedId(storedKey);
            const std::optional<int32_t> parentId = parent.isNull() ? 0 : storedId(parent);
            if (!id || *id <= 0) {
                // No node key can name it: it is left out.
                oddItems.append(QStringLiteral("“%1”（编号 %2，未显示）").arg(row.description, storedKey.text()));
                continue;
            }
            row.id = *id;
            row.parentId = parentId.value_or(0);
            row.parentUnreadable = !parentId;
            rows.append(row);
        }
        rs.close();

        // The tree is built apart from the control and handed over whole. Each node gets its children
        // sorted and while they have none of their own yet, since Qt walks the whole subtree of every
        // node it attaches or takes: the work stays in proportion to the items, however deep the tree.
        QTreeWidgetItem* root = addRootNode(nullptr);
        const Qt::ItemFlags itemFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
        const QList<PlacedItem> placed = placeItems(rows);
        QList<QTreeWidgetItem*> made;
        made.reserve(placed.size() + 1);
        made.append(root);
        QHash<int32_t, int> madeOf;  // item id to its place in `made`
        madeOf.reserve(placed.size());
        QList<QList<QTreeWidgetItem*>> children(placed.size() + 1);
        for (const PlacedItem& item : placed) {
            if (item.misplaced) oddItems.append(QStringLiteral("“%1”（编号 %2，显示在 ROOT 下）").arg(item.description).arg(item.id));
            auto* node = new QTreeWidgetItem(QStringList{item.description});
            node->setData(0, kKeyRole, QStringLiteral("C%1").arg(item.id));
            node->setFlags(itemFlags);
            children[item.shownParent == 0 ? 0 : madeOf.value(item.shownParent, 0)].append(node);
            madeOf.insert(item.id, static_cast<int>(made.size()));
            made.append(node);
        }
        const QIcon folder = treeIcons_.value(kFolder);
        const QIcon child = treeIcons_.value(kChild);
        for (qsizetype i = 0; i < made.size(); ++i) {
            // Parents come before their children in `made`, so none of these children has any yet.
            QTreeWidgetItem* node = made[i];
            QList<QTreeWidgetItem*>& own = children[i];
            if (!own.isEmpty()) {
                std::stable_sort(own.begin(), own.end(), titleBefore);
                node->addChildren(own);
                node->setData(0, kSortedRole, true);
                if (node != root) {
                    node->setData(0, kImageRole, kFolder);
                    node->setIcon(0, folder);
                }
            } else if (node != root) {
                node->setData(0, kImageRole, kChild);
                node->setIcon(0, child);
            }
        }
        const QString shown = shownKey();
        QTreeWidgetItem* keep = nullptr;
        {
            const QSignalBlocker quiet(tvCodeItems_);
            tvCodeItems_->addTopLevelItem(root);
            root->setExpanded(true);
            BoldTreeNode(root);
            // The refilled tree highlights the item the editor shows.
            keep = nodeByKey(shown);
            if (keep && keep != root) {
                tvCodeItems_->setCurrentItem(keep);
                tvCodeItems_->scrollToItem(keep);
            }
        }
        if (!keep) ShowSelectedItem(kRoot);  // the item shown is in the library no more
        else statusPanel1_->setText(keep == root ? QString() : keep->text(0));
        if (!oddItems.isEmpty()) reportOddItems(oddItems);
    });
}

void FrmCodeLib::ClearItemTree() {
    RedrawOff redraw(tvCodeItems_);
    const QSignalBlocker quiet(tvCodeItems_);
    dragNode_ = nullptr;
    dropHighlight_ = nullptr;
    removeAllNodes(tvCodeItems_);
}

void FrmCodeLib::BoldTreeNode(QTreeWidgetItem* node) {
    if (!node) return;
    tvCodeItems_->setCurrentItem(node);
    QFont bold = node->font(0);
    bold.setBold(true);
    node->setFont(0, bold);
}

// ---- choosing and renaming ----

bool FrmCodeLib::ShowSelectedItem(const QString& key) {
    // The root has no item: the reading panel shows.
    if (key == kRoot) {
        if (!ShowItemDetails(QString())) return false;
        statusPanel1_->clear();
        return true;
    }
    core::CCodeItem item;
    item.Initialise(core::gWorkDB, key.mid(1));
    if (!ShowItemDetails(key.mid(1))) return false;
    statusPanel1_->setText(item.Description());
    if (QTreeWidgetItem* node = nodeByKey(key)) bookmarkList_->FindBookmark(node->text(0));
    return true;
}

QString FrmCodeLib::shownKey() const {
    const auto& item = ctlCodeItemDetails_->item();
    return item ? QStringLiteral("C") + item->Key() : kRoot;
}

void FrmCodeLib::SelectNode(QTreeWidgetItem* node) {
    if (!node) return;
    // A highlight that moves shows its item through tvCodeItems_CurrentChanged.
    if (tvCodeItems_->currentItem() != node) tvCodeItems_->setCurrentItem(node);
    else ShowSelectedItem(nodeKey(node));
}

void FrmCodeLib::tvCodeItems_NodeClick(QTreeWidgetItem* node) {
    // The press of this click moved the highlight, which has shown the item already.
    if (std::exchange(pressShown_, false)) return;
    guarded(QStringLiteral(" frmCodeLib::tvCodeItems_NodeClick"), [&] { ShowSelectedItem(nodeKey(node)); });
}

void FrmCodeLib::tvCodeItems_CurrentChanged(QTreeWidgetItem* node) {
    if (!node || nodeKey(node) == shownKey()) return;
    pressShown_ = pressing_;
    bool shown = false;
    guarded(QStringLiteral(" frmCodeLib::tvCodeItems_NodeClick"), [&] { shown = ShowSelectedItem(nodeKey(node)); });
    if (shown) return;
    // The page that could not be saved stays on screen, and the highlight goes back to it once the
    // tree has finished moving it.
    QTimer::singleShot(0, this, [this] {
        const QSignalBlocker quiet(tvCodeItems_);
        if (QTreeWidgetItem* back = nodeByKey(shownKey())) tvCodeItems_->setCurrentItem(back);
    });
}

bool FrmCodeLib::tvCodeItems_BeforeLabelEdit(QTreeWidgetItem* node) { return node && nodeKey(node) != kRoot; }

void FrmCodeLib::tvCodeItems_AfterLabelEdit(QTreeWidgetItem* node, bool& cancel, const QString& newString) {
    if (newString.isEmpty()) {
        vb::MsgBox(QStringLiteral("You must enter some text for a description"), vb::vbInformation);
        cancel = true;
        return;
    }
    const bool stored = guarded(QStringLiteral("frmCodeLib::tvCodeItems_AfterLabelEdit"), [&] {
        core::CCodeItem item;
        item.Initialise(core::gWorkDB, idOf(nodeKey(node)));
        item.setDescription(newString);
        statusPanel1_->setText(newString);
        item.Commit();
        ShowSelectedItem(nodeKey(node));
    });
    if (!stored) cancel = true;
}

void FrmCodeLib::tvCodeItems_Collapse(QTreeWidgetItem* node) {
    if (nodeKey(node) == kRoot) return;
    setNodeImage(node, kFolder);
    // The status bar names the shown item only, not every node opened or closed beside it.
    if (nodeKey(node) == shownKey()) statusPanel1_->setText(node->text(0));
}

void FrmCodeLib::tvCodeItems_Expand(QTreeWidgetItem* node) {
    if (nodeKey(node) == kRoot) return;
    setNodeImage(node, kOpenFolder);
    if (nodeKey(node) == shownKey()) statusPanel1_->setText(node->text(0));
}

void FrmCodeLib::tvCodeItems_KeyUp(int keyCode) {
    if (keyCode == forms::vbKeyDelete) {
        if (QTreeWidgetItem* node = selectedNode(); node && nodeKey(node) != kRoot) DeleteCodeItem();
    } else if (keyCode == forms::vbKeyInsert) {
        AddCode();
    }
}

void FrmCodeLib::tvCodeItems_MouseUp(Qt::MouseButton button, QPoint pos) {
    pressing_ = false;
    if (button != Qt::RightButton) return;
    const bool isRoot = nodeKey(selectedNode()).compare(kRoot, Qt::CaseInsensitive) == 0;
    for (const char16_t* name : {u"mnuRename", u"mnuDeleteCode", u"mnuBookMark"})
        menuEntries_.value(QString::fromUtf16(name))->setEnabled(!isRoot);
    menus_.value(QStringLiteral("MnuEdit"))->popup(tvCodeItems_->viewport()->mapToGlobal(pos));
}

bool FrmCodeLib::treeEvent(QObject* watched, QEvent* event) {
    if (watched == tvCodeItems_) {
        if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) tvCodeItems_KeyUp(forms::keyCode(*key));
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        tvCodeItems_MouseDown(mouse->button(), mouse->position().toPoint());
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool dragging = dragNode_ && (mouse->buttons() & Qt::LeftButton);
        tvCodeItems_MouseMove(mouse->buttons(), mouse->position().toPoint());
        return dragging;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        tvCodeItems_MouseUp(mouse->button(), mouse->position().toPoint());
        return false;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const Qt::DropAction effect = tvCodeItems_OLEDragOver(drag->mimeData(), drag->position().toPoint());
        const bool ours = drag->mimeData() && drag->mimeData()->hasFormat(treeDragFormat());
        if (effect == Qt::MoveAction) {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
        } else if (event->type() == QEvent::DragEnter && ours) {
            drag->accept();  // entering is allowed for our data, so that the moves that follow arrive
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::DragLeave:
        setDropHighlight(nullptr);
        dragScroll_ = 0;
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (tvCodeItems_OLEDragDrop(drop->mimeData(), drop->position().toPoint()) == Qt::MoveAction) {
            drop->setDropAction(Qt::MoveAction);
            drop->accept();
        } else {
            drop->ignore();
        }
        return true;
    }
    default: return false;
    }
}

// ---- adding and deleting ----

void FrmCodeLib::AddCode() {
    guarded(QStringLiteral(" frmCodeLib::AddCode"), [this] {
        QTreeWidgetItem* selected = selectedNode();
        if (!selected) {
            vb::MsgBox(QStringLiteral("No Selected "), vb::vbOKOnly);
            return;
        }
        const QString parentId = idOf(nodeKey(selected));
        if (parentId != QStringLiteral("0")) {
            setNodeImage(selected, kFolder);
            setNodeExpandedImage(selected, kFolder);
        }
        core::CCodeItem item;
        item.Initialise(core::gWorkDB, QString());
        item.setDescription(QStringLiteral("新建条目"));
        item.setParentKey(parentId);
        item.Commit();
        core::RemoveItemPages(item.Key());

        auto* node = new QTreeWidgetItem(QStringList{item.Description()});
        node->setData(0, kKeyRole, QStringLiteral("C") + item.Key());
        node->setData(0, kImageRole, kChild);
        node->setIcon(0, treeIcons_.value(kChild));
        node->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        insertNode(selected, node);
        tvCodeItems_->scrollToItem(node);
        SelectNode(node);
        tvCodeItems_->editItem(node);
    });
}

void FrmCodeLib::DeleteItemTree(QTreeWidgetItem* node) {
    QList<QString> keys;
    QList<QTreeWidgetItem*> pending{node};
    while (!pending.isEmpty()) {
        QTreeWidgetItem* n = pending.takeFirst();
        if (nodeKey(n) != kRoot) keys.append(idOf(nodeKey(n)));
        for (int i = 0; i < n->childCount(); ++i) pending.append(n->child(i));
    }
    deleteItemRecords(keys);
}

void FrmCodeLib::DeleteCodeItem() {
    guarded(QStringLiteral(" frmCodeLib::DeleteCodeItem"), [this] {
        QTreeWidgetItem* node = selectedNode();
        if (node && nodeKey(node) == kRoot) return;
        if (!node) {
            vb::MsgBox(QStringLiteral("No Selected "), vb::vbOKOnly);
            return;
        }
        const QString question = QStringLiteral("删除这一项目") +
                                 (node->childCount() == 0 ? QStringLiteral("吗？") : QStringLiteral("及其下的所有子项吗？"));
        if (vb::MsgBox(question, vb::vbYesNo | vb::vbExclamation, QStringLiteral("Delete")) == vb::vbNo) return;

        QTreeWidgetItem* parent = node->parent();
        core::CWaitCursor wait;
        wait.SetCursor(11);
        DeleteItemTree(node);

        for (QTreeWidgetItem* n = dragNode_; n; n = n->parent())
            if (n == node) dragNode_ = nullptr;
        for (QTreeWidgetItem* n = dropHighlight_; n; n = n->parent())
            if (n == node) dropHighlight_ = nullptr;
        {
            // The highlight moves on once the tree is whole again, below.
            const QSignalBlocker quiet(tvCodeItems_);
            delete node;
        }
        bookmarkList_->Initialise(core::gWorkDB);  // the item's bookmarks went with it
        QTreeWidgetItem* now = tvCodeItems_->currentItem();
        if (!now) now = parent;
        SelectNode(now);
        if (parent && parent->childCount() == 0) {
            parent->setExpanded(false);
            if (nodeKey(parent) != kRoot) setNodeImage(parent, kChild);
        }
    });
}

// ---- toolbar ----

namespace {

// The toolbar's PREVIOUS: the previous sibling, else the parent.
QTreeWidgetItem* previousNode(QTreeWidgetItem* n) {
    QTreeWidgetItem* parent = n->parent();
    const int at = parent ? parent->indexOfChild(n) : 0;
    return at > 0 ? parent->child(at - 1) : parent;
}

// NEXT: the next sibling, else the first child.
QTreeWidgetItem* nextNode(QTreeWidgetItem* n) {
    QTreeWidgetItem* parent = n->parent();
    const int at = parent ? parent->indexOfChild(n) : -1;
    return parent && at + 1 < parent->childCount() ? parent->child(at + 1) : n->child(0);
}

// Selects the node that `step` finds from the selected one and shows its item.
void goTo(FrmCodeLib& w, QTreeWidgetItem* (*step)(QTreeWidgetItem*)) {
    QTreeWidgetItem* selected = w.selectedNode();
    QTreeWidgetItem* found = selected ? step(selected) : nullptr;
    w.SelectNode(found);
}

}  // namespace

void FrmCodeLib::tbTools_ButtonClick(QAction* button) {
    struct Entry {
        const char16_t* tag;
        void (*action)(FrmCodeLib&);
    };
    static constexpr Entry kActions[] = {
        {u"OPENDB", [](FrmCodeLib& w) { w.ChooseWorkDatabase(); }},
        {u"PRINT", [](FrmCodeLib&) {}},
        {u"FIND", [](FrmCodeLib&) {}},
        {u"NEW", [](FrmCodeLib& w) { w.AddCode(); }},
        {u"VIEWBOOKMARKS", [](FrmCodeLib& w) { w.ShowBookmarkPane(!w.viewBookMarks()); }},
        {u"BOOKMARK", [](FrmCodeLib& w) { w.menuEntry(QStringLiteral("MnuBMadd"))->trigger(); }},
        {u"DELETE", [](FrmCodeLib& w) { w.DeleteCodeItem(); }},
        {u"PREVIOUS", [](FrmCodeLib& w) { goTo(w, previousNode); }},
        {u"NEXT", [](FrmCodeLib& w) { goTo(w, nextNode); }},
        {u"SETTINGS", [](FrmCodeLib& w) { w.ShowSettings(); }},
    };
    guarded(QStringLiteral("frmCodeLib::tbTools_ButtonClick"), [&] {
        const QString tag = button->data().toString().toUpper();
        for (const Entry& entry : kActions)
            if (tag == QStringView(entry.tag)) {
                entry.action(*this);
                return;
            }
    });
}

}  // namespace library
