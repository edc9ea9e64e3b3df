// Moving an item by dragging its node onto another: the node's key travels under the private format,
// the node under the pointer is highlighted, hovering expands a collapsed node and the tree scrolls
// near its edges, and the drop stores the new parent before the tree shows it.
#include "core/code_item.h"
#include "core/globals.h"
#include "library/frm_code_lib.h"
#include "library/tree_nodes.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

namespace library {

namespace {

const QString kRoot = QStringLiteral("ROOT");
// An item dropped onto one of its own descendants.
constexpr char16_t kCycleMessage[] = u"不能把条目移到它自己的下级条目之中：那样会形成循环。";

// The key as the data carries it: its UTF-16 code units.
QByteArray keyBytes(const QString& key) {
    return QByteArray(reinterpret_cast<const char*>(key.utf16()), key.size() * 2);
}

QString keyOf(const QMimeData* data, const QString& format) {
    const QByteArray bytes = data->data(format);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
}

QString treeDragFormat() { return QString::fromUtf16(kTreeDragFormat); }

bool isWithin(const QTreeWidgetItem* node, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* n = node; n; n = n->parent())
        if (n == ancestor) return true;
    return false;
}

}  // namespace

void FrmCodeLib::setDropHighlight(QTreeWidgetItem* node) {
    if (node == dropHighlight_) return;
    // Hovering counts anew over each node.
    hoverCount_ = 0;
    if (dropHighlight_) {
        dropHighlight_->setData(0, Qt::BackgroundRole, QVariant());
        dropHighlight_->setData(0, Qt::ForegroundRole, QVariant());
    }
    dropHighlight_ = node;
    if (node) {
        node->setBackground(0, tvCodeItems_->palette().highlight());
        node->setForeground(0, tvCodeItems_->palette().highlightedText());
    }
}

void FrmCodeLib::tvCodeItems_MouseDown(Qt::MouseButton button, QPoint pos) {
    pressing_ = true;
    pressShown_ = false;
    dragNode_ = tvCodeItems_->itemAt(pos);
    dragStart_ = pos;
    // The pop-up that follows acts on the node under the pointer.
    if (button == Qt::RightButton && dragNode_) tvCodeItems_->setCurrentItem(dragNode_);
}

void FrmCodeLib::tvCodeItems_MouseMove(Qt::MouseButtons buttons, QPoint pos) {
    if (buttons != Qt::LeftButton) {
        dragNode_ = nullptr;
        return;
    }
    if (!dragNode_ || nodeKey(dragNode_) == kRoot) return;
    if ((pos - dragStart_).manhattanLength() < QApplication::startDragDistance()) return;
    tvCodeItems_->setCurrentItem(dragNode_);
    tmrDragTimer_->setInterval(100);
    tmrDragTimer_->start();
    auto* drag = new QDrag(tvCodeItems_);
    drag->setMimeData(tvCodeItems_OLEStartDrag());
    drag->exec(Qt::MoveAction);
    drag->deleteLater();
    tvCodeItems_OLECompleteDrag();
}

QMimeData* FrmCodeLib::tvCodeItems_OLEStartDrag() {
    auto* data = new QMimeData;
    data->setData(treeDragFormat(), keyBytes(nodeKey(dragNode_)));
    return data;
}

Qt::DropAction FrmCodeLib::tvCodeItems_OLEDragOver(const QMimeData* data, QPoint pos) {
    if (!data || !data->hasFormat(treeDragFormat())) return Qt::IgnoreAction;
    Qt::DropAction effect = Qt::MoveAction;
    QTreeWidgetItem* over = tvCodeItems_->itemAt(pos);
    if (!over || over == dragNode_) {
        setDropHighlight(nullptr);
        if (over) effect = Qt::IgnoreAction;
    } else {
        setDropHighlight(over);
    }
    const QPoint inTree = tvCodeItems_->viewport()->mapTo(tvCodeItems_, pos);
    const double y = vb::pixelsToTwips(inTree.y());
    const double height = vb::pixelsToTwips(tvCodeItems_->height());
    if (y > 0 && y < 300) dragScroll_ = -1;
    else if (y > height - 500 && y < height) dragScroll_ = 1;
    else dragScroll_ = 0;
    return effect;
}

void FrmCodeLib::tmrDragTimer_Timer() {
    if (!dragNode_) {
        tmrDragTimer_->stop();
        return;
    }
    ++hoverCount_;
    if (hoverCount_ > 10 && dropHighlight_) {
        if (!dropHighlight_->isExpanded()) dropHighlight_->setExpanded(true);
        hoverCount_ = 0;
    }
    if (dragScroll_ == -1) tvCodeItems_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (dragScroll_ == 1) tvCodeItems_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

Qt::DropAction FrmCodeLib::tvCodeItems_OLEDragDrop(const QMimeData* data, QPoint pos) {
    (void)pos;  // the target is the highlighted node
    auto refuse = [this] {
        dragNode_ = nullptr;
        setDropHighlight(nullptr);
        return Qt::IgnoreAction;
    };
    // Only the node this window is dragging can be dropped here.
    if (!data || !data->hasFormat(treeDragFormat()) || !dragNode_ || !dropHighlight_ ||
        keyOf(data, treeDragFormat()) != nodeKey(dragNode_))
        return refuse();
    QTreeWidgetItem* moved = dragNode_;
    QTreeWidgetItem* target = dropHighlight_;
    if (isWithin(target, moved)) {
        // Nothing is moved or written: an item cannot go under itself.
        refuse();
        vb::MsgBox(QString::fromUtf16(kCycleMessage), vb::vbOKOnly | vb::vbExclamation);
        return Qt::IgnoreAction;
    }
    QTreeWidgetItem* oldParent = moved->parent();
    const QString newParentId = nodeKey(target) == kRoot ? QStringLiteral("0") : nodeKey(target).mid(1);
    const bool stored = guarded(QStringLiteral("frmCodeLib::tvCodeItems_OLEDragDrop"), [&] {
        core::CCodeItem item;
        item.Initialise(core::gWorkDB, nodeKey(moved).mid(1));
        item.setParentKey(newParentId);
        item.Commit();
    });
    if (!stored) return refuse();

    {
        // Taken out, the node would hand the highlight (and so the editor) to a neighbour meanwhile.
        const QSignalBlocker quiet(tvCodeItems_);
        if (oldParent) oldParent->removeChild(moved);
        insertNode(target, moved);
    }
    tvCodeItems_->setCurrentItem(moved);
    setDropHighlight(nullptr);
    dragNode_ = nullptr;
    tmrDragTimer_->stop();
    if (nodeKey(target) != kRoot) setNodeExpandedImage(target, QStringLiteral("OPENFOLDER"));
    if (oldParent && oldParent != target && oldParent->childCount() == 0 && nodeKey(oldParent) != kRoot) {
        setNodeExpandedImage(oldParent, QStringLiteral("CHILD"));
        setNodeImage(oldParent, QStringLiteral("CHILD"));
    }
    return Qt::MoveAction;
}

void FrmCodeLib::tvCodeItems_OLECompleteDrag() {
    vb::setScreenMousePointer(vb::vbDefault);
    tmrDragTimer_->stop();
}

}  // namespace library
