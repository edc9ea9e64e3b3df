#pragma once
// The library (main) window: the item tree on the left, the item's page editor on the right.
#include <QMainWindow>

class QTextEdit;
class QTreeWidget;

namespace library {

class FrmCodeLib : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmCodeLib(QWidget* parent = nullptr);

    QTreeWidget* tvCodeItems() const { return tvCodeItems_; }
    QTextEdit* txtCode() const { return txtCode_; }

private:
    QTreeWidget* tvCodeItems_;
    QTextEdit* txtCode_;
};

// The one main window, created on first use.
FrmCodeLib& frmCodeLib();
// Whether it exists (tests and shutdown must not create it).
bool hasFrmCodeLib();

}  // namespace library
