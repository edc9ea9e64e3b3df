#pragma once
// The library (main) window: the item tree on the left, the item's page editor on the right.
#include "core/main_window_host.h"

#include <QMainWindow>

class QTextEdit;
class QTreeWidget;

namespace library {

class FrmCodeLib : public QMainWindow, public core::MainWindowHost {
    Q_OBJECT
public:
    explicit FrmCodeLib(QWidget* parent = nullptr);
    ~FrmCodeLib() override;

    // The window's own pointer (0 default, 11 hourglass), as the shared procedures set it.
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return mousePointer_; }
    QWidget* ownerWidget() override { return this; }
    void unloadWindow() override;

    QTreeWidget* tvCodeItems() const { return tvCodeItems_; }
    QTextEdit* txtCode() const { return txtCode_; }

private:
    int mousePointer_ = 0;
    QTreeWidget* tvCodeItems_;
    QTextEdit* txtCode_;
};

// The one main window, created on first use.
FrmCodeLib& frmCodeLib();
// Whether it exists (tests and shutdown must not create it).
bool hasFrmCodeLib();
// Releases the one main window.
void releaseFrmCodeLib();

}  // namespace library
