#include "platform/forms/listview.h"

#include "platform/vb/error.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>
#include <utility>

namespace forms {

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kAlignmentRole = Qt::UserRole + 2;  // kept on the header item, per column
constexpr int kInvalidPropertyValue = 380;
constexpr int kKeyNotUnique = 35602;

// Rows order by the text of the sort column without regard to case, as the list view sorts.
class ListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::compare(text(column), other.text(column), Qt::CaseInsensitive) < 0;
    }
};

// Cells take their column's alignment; without full-row selection only the first cell of a selected
// row shows it selected.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(ListView* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        if (index.column() > 0 && !(list_->extendedStyle() & lvsExFullRowSelect)) cell.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, cell, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant a = list_->headerItem()->data(index.column(), kAlignmentRole);
        if (a.isValid()) option->displayAlignment = Qt::Alignment(a.toInt()) | Qt::AlignVCenter;
    }

private:
    ListView* list_;
};

Qt::Alignment qtAlignment(ListColumnAlignment a) {
    switch (a) {
    case lvwColumnRight:
        return Qt::AlignRight;
    case lvwColumnCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

}  // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setItemDelegate(new CellDelegate(this));
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    header()->setSectionsClickable(true);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(header(), &QHeaderView::sectionClicked, this, &ListView::columnClick);

    hoverTimer_.setSingleShot(true);
    hoverTimer_.setInterval(kHoverSelectMs);
    connect(&hoverTimer_, &QTimer::timeout, this, &ListView::hoverSelect);
    connect(this, &QAbstractItemView::entered, this, [this](const QModelIndex& index) {
        hoverIndex_ = index;
        hoverTimer_.start();
    });
}

ListView::ListView(const QString& name, QWidget* parent) : ListView(parent) { setObjectName(name); }

int ListView::addColumn(const QString& text, double widthTwips, ListColumnAlignment alignment) {
    const int column = columns_++;
    setColumnCount(columns_);
    headerItem()->setText(column, text);
    headerItem()->setData(column, kAlignmentRole, static_cast<int>(qtAlignment(alignment)));
    headerItem()->setTextAlignment(column, qtAlignment(alignment) | Qt::AlignVCenter);
    setColumnWidthTwips(column, widthTwips);
    return column;
}

QString ListView::columnText(int column) const {
    return column >= 0 && column < columns_ ? headerItem()->text(column) : QString();
}

void ListView::setColumnWidthTwips(int column, double twips) {
    setColumnWidthPixels(column, std::max(0, static_cast<int>(std::lround(twips / vb::kTwipsPerPixel))));
}

void ListView::clearColumns() {
    columns_ = 0;
    setColumnCount(0);
}

int ListView::columnWidthPixels(int column) const {
    return column >= 0 && column < columns_ ? header()->sectionSize(column) : 0;
}

void ListView::setColumnWidthPixels(int column, int width) {
    if (column < 0 || column >= columns_) return;
    switch (width) {
    case lvscwAutoSize:
        header()->resizeSection(column, std::max(sizeHintForColumn(column), 0));
        break;
    case lvscwAutoSizeUseHeader:
        resizeColumnToContents(column);  // the wider of the contents and the header
        break;
    default:
        header()->resizeSection(column, std::max(width, 0));
        break;
    }
}

uint32_t ListView::setExtendedStyle(uint32_t style) {
    const uint32_t previous = std::exchange(exStyle_, style);
    const bool track = style & lvsExTrackSelect;
    setMouseTracking(track);
    viewport()->setMouseTracking(track);
    if (!track) hoverTimer_.stop();
    viewport()->update();
    return previous;
}

void ListView::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) viewport()->update();
}

void ListView::setView(int view) {
    if (view < lvwIcon || view > lvwReport) vb::raise(kInvalidPropertyValue, objectName());
    view_ = view;
    header()->setHidden(view != lvwReport);
}

QTreeWidgetItem* ListView::addItem(const QString& key, const QString& text) {
    if (!key.isEmpty() && item(key))
        vb::raise(kKeyNotUnique, objectName(), QStringLiteral("Key is not unique in collection"));
    auto* row = new ListItem(this);
    row->setText(0, text);
    row->setData(0, kKeyRole, key);
    if (sorted_) sortNow();
    return row;
}

QTreeWidgetItem* ListView::item(const QString& key) const {
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, kKeyRole).toString() == key) return topLevelItem(i);
    return nullptr;
}

QString ListView::key(const QTreeWidgetItem* item) { return item ? item->data(0, kKeyRole).toString() : QString(); }

void ListView::setSubItem(QTreeWidgetItem* item, int index, const QString& text) {
    if (item && index >= 1) item->setText(index, text);
}

QString ListView::subItem(const QTreeWidgetItem* item, int index) {
    return item && index >= 1 ? item->text(index) : QString();
}

void ListView::removeItem(QTreeWidgetItem* item) { delete item; }

QTreeWidgetItem* ListView::selectedItem() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : items.front();
}

void ListView::setSorted(bool on) {
    sorted_ = on;
    if (on) sortNow();
}

void ListView::setSortKey(int column) {
    sortKey_ = column;
    if (sorted_) sortNow();
}

void ListView::setSortOrder(ListSortOrder order) {
    sortOrder_ = order;
    if (sorted_) sortNow();
}

void ListView::sortNow() {
    if (sortKey_ < 0 || sortKey_ >= std::max(columns_, 1)) return;
    sortItems(sortKey_, sortOrder_ == lvwDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ListView::setBackColor(vb::OleColor color) {
    backColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, vb::toQColor(color, p));
    setPalette(p);
}

void ListView::setForeColor(vb::OleColor color) {
    foreColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Text, vb::toQColor(color, p));
    setPalette(p);
}

void ListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (!(exStyle_ & lvsExGridLines) || columns_ == 0) return;
    painter->save();
    painter->setPen(palette().color(QPalette::Mid));
    const int right = header()->sectionViewportPosition(columns_ - 1) + header()->sectionSize(columns_ - 1) - 1;
    painter->drawLine(option.rect.left(), option.rect.bottom(), right, option.rect.bottom());
    for (int c = 0; c < columns_; ++c) {
        const int x = header()->sectionViewportPosition(c) + header()->sectionSize(c) - 1;
        painter->drawLine(x, option.rect.top(), x, option.rect.bottom());
    }
    painter->restore();
}

void ListView::mousePressEvent(QMouseEvent* event) {
    // Without full-row selection a row is chosen by its first cell only.
    if (!(exStyle_ & lvsExFullRowSelect) && indexAt(event->position().toPoint()).column() > 0) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

bool ListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        hoverTimer_.stop();
        hoverIndex_ = QPersistentModelIndex();
    }
    return QTreeWidget::viewportEvent(event);
}

void ListView::hoverSelect() {
    if (!(exStyle_ & lvsExTrackSelect) || !hoverIndex_.isValid()) return;
    setCurrentIndex(model()->index(hoverIndex_.row(), 0, hoverIndex_.parent()));
}

}  // namespace forms
