#pragma once
// The two folder dialogs of the library: frmNew makes a new library from the template in a chosen
// folder and opens it; frmbak backs the open library up into a chosen folder. Both propose a folder
// in the user's data folder, warn when the chosen folder is not empty, and refuse the work folder.
#include "platform/forms/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace library {

class FrmLibraryFolder : public forms::Form {
    Q_OBJECT
public:
    QLineEdit* txtPath() const { return txtPath_; }
    QLabel* Label1() const { return label1_; }
    QLabel* lblmsg() const { return lblmsg_; }
    QPushButton* Cmdliu() const { return cmdliu_; }
    QPushButton* cmdok() const { return cmdok_; }
    QPushButton* cmdcancel() const { return cmdcancel_; }

    void Cmdliu_Click();
    void txtPath_Change();
    void cmdok_Click();
    void cmdcancel_Click() { Unload(); }

protected:
    struct Texts {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* label;
        const char16_t* warning;
        const char16_t* proposedFolder;  // in the user's data folder
    };
    explicit FrmLibraryFolder(const Texts& texts);
    void Form_Load() override;
    // Copies into `target` (ending in "/"), which is not the work folder.
    virtual void copyInto(const QString& target) = 0;

private:
    Texts texts_;
    QLineEdit* txtPath_;
    QLabel* label1_;
    QLabel* lblmsg_;
    QPushButton* cmdliu_;
    QPushButton* cmdok_;
    QPushButton* cmdcancel_;
};

// A new library: the template's database and pages, opened as the work library.
class FrmNew : public FrmLibraryFolder {
    Q_OBJECT
public:
    FrmNew();

protected:
    void copyInto(const QString& target) override;
};

// A backup of the open library's database and pages; the work folder stays as it is.
class FrmBak : public FrmLibraryFolder {
    Q_OBJECT
public:
    FrmBak();

protected:
    void copyInto(const QString& target) override;
};

}  // namespace library
