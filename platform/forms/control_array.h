#pragma once
// A control array: controls of one name told apart by an index, which need not start at 0 nor be
// contiguous (lblSEG(1) … lblSEG(12), imgAButtons(0) … imgAButtons(2)). The controls belong to their
// Qt parent; the array only finds them, and forgets one that was destroyed.
#include "platform/vb/error.h"

#include <QMap>
#include <QPointer>
#include <QString>

namespace forms {

template <class Control>
class ControlArray {
public:
    ControlArray() = default;
    explicit ControlArray(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }

    // Adds `control` as element `index`; its objectName becomes the array's name, as every element
    // of an array shares it.
    Control* add(int index, Control* control) {
        if (!name_.isEmpty()) control->setObjectName(name_);
        control->setProperty("Index", index);
        elements_.insert(index, QPointer<Control>(control));
        return control;
    }

    bool contains(int index) const { return elements_.contains(index) && !elements_.value(index).isNull(); }

    // The element, or error 340 ("Control array element does not exist") as the runtime raises it.
    Control& operator[](int index) const {
        auto it = elements_.find(index);
        if (it == elements_.end() || it->isNull())
            vb::raise(340, name_, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        return **it;
    }
    Control* at(int index) const { return elements_.value(index).data(); }

    int count() const { return static_cast<int>(elements_.size()); }
    int lBound() const { return elements_.isEmpty() ? 0 : elements_.firstKey(); }
    int uBound() const { return elements_.isEmpty() ? -1 : elements_.lastKey(); }
    QList<int> indexes() const { return elements_.keys(); }

private:
    QString name_;
    QMap<int, QPointer<Control>> elements_;
};

}  // namespace forms
