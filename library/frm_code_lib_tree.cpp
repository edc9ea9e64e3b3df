// The library window's item tree: filled from table codeitems under one root.
#include "core/globals.h"
#include "library/frm_code_lib.h"
#include "library/item_tree.h"
#include "platform/dao/dao.h"

#include <QHash>
#include <QTreeWidget>

namespace library {

namespace {
constexpr int kKeyRole = Qt::UserRole;

QString textOf(const vb::Variant& v) { return v.isNull() ? QString() : v.toString(); }

QTreeWidgetItem* addRoot(QTreeWidget* tree) {
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("ROOT")});
    root->setData(0, kKeyRole, QStringLiteral("ROOT"));
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    return root;
}
}  // namespace

void FrmCodeLib::FillTree() {
    // Every fill starts from an empty tree, and showing the tree writes nothing.
    tvCodeItems_->setUpdatesEnabled(false);
    struct RedrawOn {
        QTreeWidget* tree;
        ~RedrawOn() { tree->setUpdatesEnabled(true); }
    } redrawOn{tvCodeItems_};
    tvCodeItems_->clear();
    QTreeWidgetItem* root = addRoot(tvCodeItems_);

    QList<ItemRow> rows;
    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select id, parentid, description from codeitems"),
                                                    dao::dbOpenSnapshot);
    while (!rs.eof()) {
        const vb::Variant parent = rs.value(QStringLiteral("parentid"));
        rows.append({rs.value(QStringLiteral("id")).toLong(), parent.isNull() ? 0 : parent.toLong(),
                     textOf(rs.value(QStringLiteral("description")))});
        rs.moveNext();
    }
    rs.close();

    QHash<int32_t, QTreeWidgetItem*> nodes;
    for (const PlacedItem& item : placeItems(rows)) {
        QTreeWidgetItem* parent = item.shownParent == 0 ? root : nodes.value(item.shownParent, root);
        auto* node = new QTreeWidgetItem(parent, {item.description});
        node->setData(0, kKeyRole, QStringLiteral("C%1").arg(item.id));
        nodes.insert(item.id, node);
    }
    root->sortChildren(0, Qt::AscendingOrder);
    root->setExpanded(true);
}

void FrmCodeLib::ClearItemTree() { tvCodeItems_->clear(); }

}  // namespace library
