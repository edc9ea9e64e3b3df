#pragma once
// A drop-down list with the selection rules the windows rely on: ListIndex is −1 after items are
// added to an empty list and after the selected item is removed; Click is raised when code changes
// ListIndex to another value and when the user chooses an item; filling or clearing raises nothing.
#include <QComboBox>

#include <cstdint>

namespace forms {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    explicit ComboBox(const QString& name, QWidget* parent = nullptr);

    int listIndex() const { return currentIndex(); }
    // −1 … ListCount − 1; any other value raises 380 "Invalid property value".
    void setListIndex(int index);
    int listCount() const { return count(); }
    // List(i): the text of entry i; "" outside the list.
    QString list(int index) const { return itemText(index); }
    // Text: the selected entry's text, "" when nothing is selected.
    QString text() const { return currentText(); }

    // ItemData(i): a 32-bit number kept with entry i (0 until set).
    void setItemNumber(int index, int32_t value);
    int32_t itemNumber(int index) const;

signals:
    void clicked();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    int indexBeforeChange_ = -1;
};

}  // namespace forms
