#pragma once
// The library window started on a fresh data folder (the shipped library: items 1 … 4, case 1 under
// item 4), with the item-detail tabs, the case list and the reading panel at hand.
#include "library/ctl_code_details.h"
#include "library/ctl_file_details.h"
#include "library/reading_panel.h"
#include "tests/library/library_fixture.h"

#include <QList>
#include <QStringList>

class QTreeWidgetItem;

class CaseWindowTest : public LibraryWindowTest {
protected:
    void SetUp() override;

    library::CtlCodeDetails& details() { return *window_->ctlCodeItemDetails(); }
    library::CtlFileDetails& files() { return *window_->ctlFileDetails1(); }
    library::ReadingPanel& panel() { return *window_->Picscroll(); }
    forms::RichTextBox& txtCode() { return *window_->txtCode(); }

    // Types `text` into `w` as keystrokes (any characters, Chinese ones too).
    static void typeText(QWidget* w, const QString& text);
    // A file of the work folder.
    static QString workFile(const QString& name);
    // Clicks tab `index` of the item-detail tabs.
    void clickTab(int index);
    // Adds a case row straight into the work database; returns its id.
    static int addCase(int itemId, const QString& name, const QString& sex, const QString& born,
                       const QString& why = QString(), const QString& conclusion = QString());
    static int caseCount(int itemId);
    // The texts of a list row, columns 1 … 12.
    static QStringList rowTexts(const QTreeWidgetItem* row);

    library::FrmCodeLib* window_ = nullptr;
};
