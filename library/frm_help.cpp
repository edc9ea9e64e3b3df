#include "library/frm_help.h"

#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace library {

FrmHelp::FrmHelp() : forms::Form(QStringLiteral("frmHelp")) {
    setCaption(QStringLiteral("Veyra 帮助"));
    setDialogKeys();
    setClientSize(9000, 7200);
    txtHelp_ = new QTextBrowser(client());
    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    // Pages link to each other; outside addresses go to the desktop's browser.
    txtHelp_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(client());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtHelp_);
    txtHelp_->setSearchPaths({vb::joinPath(vb::programFolder(), QStringLiteral("help"))});
}

QString FrmHelp::contentsPage() { return QStringLiteral("index.html"); }

bool FrmHelp::ShowPage(const QString& page) {
    const QString path = vb::joinPath(vb::joinPath(vb::programFolder(), QStringLiteral("help")), page);
    if (!QFileInfo(path).isFile()) {
        vb::MsgBox(QStringLiteral("找不到帮助文件：") + path, vb::vbOKOnly | vb::vbExclamation);
        return false;
    }
    txtHelp_->setSource(QUrl::fromLocalFile(path));
    return true;
}

}  // namespace library
