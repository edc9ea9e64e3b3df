#pragma once
// The help window: the program's help pages (help/ in the program folder) in a browser, opened on
// the contents page by F1 and by the help menu.
#include "platform/forms/form.h"

class QTextBrowser;

namespace library {

class FrmHelp : public forms::Form {
    Q_OBJECT
public:
    FrmHelp();

    QTextBrowser* txtHelp() const { return txtHelp_; }
    // The contents page.
    static QString contentsPage();
    // Shows `page` (a file name in the help folder); false, after a message, when it is missing.
    bool ShowPage(const QString& page);

private:
    QTextBrowser* txtHelp_;
};

}  // namespace library
