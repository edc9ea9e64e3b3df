#include "platform/forms/combobox.h"

#include "platform/vb/error.h"

#include <QAbstractItemModel>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace forms {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] { emit clicked(); });

    // QComboBox selects entry 0 when the first items arrive and moves the selection off a removed
    // entry; both are undone so the list keeps the index it had (−1 when the selected entry went).
    // These connections run after QComboBox's own, which it made when it set up its model.
    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] { indexBeforeChange_ = currentIndex(); });
    connect(m, &QAbstractItemModel::rowsInserted, this, [this] {
        if (indexBeforeChange_ == -1 && currentIndex() != -1) {
            const QSignalBlocker quiet(this);
            setCurrentIndex(-1);
        }
    });
    connect(m, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex&, int first, int last) {
        const int current = currentIndex();
        indexBeforeChange_ = (current >= first && current <= last) ? -1 : current - (current > last ? last - first + 1 : 0);
    });
    connect(m, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (currentIndex() != indexBeforeChange_) {
            const QSignalBlocker quiet(this);
            setCurrentIndex(indexBeforeChange_);
        }
    });
}

ComboBox::ComboBox(const QString& name, QWidget* parent) : ComboBox(parent) { setObjectName(name); }

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= count()) vb::raise(380, objectName());
    if (index == currentIndex()) return;
    setCurrentIndex(index);
    emit clicked();
}

void ComboBox::setItemNumber(int index, int32_t value) { setItemData(index, value); }

int32_t ComboBox::itemNumber(int index) const { return itemData(index).toInt(); }

void ComboBox::wheelEvent(QWheelEvent* event) {
    // A wheel passing over a list it has not focused scrolls the window, not the list's choice.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

}  // namespace forms
