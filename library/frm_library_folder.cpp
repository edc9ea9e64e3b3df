#include "library/frm_library_folder.h"

#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/work_database.h"
#include "library/folder_paths.h"
#include "library/frm_code_lib.h"
#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace library {

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int left, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    forms::setTwipsGeometry(b, left, top, 1095, 375);
    return b;
}

QString withSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

}  // namespace

FrmLibraryFolder::FrmLibraryFolder(const Texts& texts) : forms::Form(QString::fromUtf16(texts.name)), texts_(texts) {
    setCaption(QString::fromUtf16(texts.caption));
    setClientSize(6000, 1935);
    QWidget* area = client();
    label1_ = new QLabel(QString::fromUtf16(texts.label), area);
    label1_->setObjectName(QStringLiteral("Label1"));
    forms::setTwipsGeometry(label1_, 120, 120, 2400, 255);
    txtPath_ = new QLineEdit(area);
    txtPath_->setObjectName(QStringLiteral("txtPath"));
    forms::setTwipsGeometry(txtPath_, 120, 420, 4560, 315);
    cmdliu_ = button(QStringLiteral("Cmdliu"), QStringLiteral("浏览"), area, 4800, 390);
    lblmsg_ = new QLabel(QString::fromUtf16(texts.warning), area);
    lblmsg_->setObjectName(QStringLiteral("lblmsg"));
    lblmsg_->setWordWrap(true);
    lblmsg_->setStyleSheet(QStringLiteral("color: #c00000"));
    lblmsg_->hide();
    forms::setTwipsGeometry(lblmsg_, 120, 840, 5760, 480);
    cmdok_ = button(QStringLiteral("cmdok"), QStringLiteral("确定"), area, 3600, 1440);
    cmdok_->setDefault(true);
    cmdcancel_ = button(QStringLiteral("cmdcancel"), QStringLiteral("取消"), area, 4800, 1440);
    setDialogKeys(cmdcancel_);

    const QString name = QString::fromUtf16(texts.name);
    connect(cmdliu_, &QPushButton::clicked, this, [this, name] {
        forms::reportErrors(QStringLiteral(" %1::Cmdliu_Click").arg(name), [this] { Cmdliu_Click(); });
    });
    connect(txtPath_, &QLineEdit::textChanged, this, [this] { txtPath_Change(); });
    connect(cmdok_, &QPushButton::clicked, this, [this, name] {
        forms::reportErrors(QStringLiteral(" %1::cmdok_Click").arg(name), [this] { cmdok_Click(); });
    });
    connect(cmdcancel_, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
}

void FrmLibraryFolder::Form_Load() {
    txtPath_->setText(vb::joinPath(vb::dataFolder(), QString::fromUtf16(texts_.proposedFolder)));
    txtPath_Change();
}

void FrmLibraryFolder::Cmdliu_Click() { txtPath_->setText(core::BrowseForFolder(this, QStringLiteral("请选择文件夹："))); }

void FrmLibraryFolder::txtPath_Change() {
    const QString text = txtPath_->text();
    lblmsg_->setVisible(!text.isEmpty() && core::FolderSize(text) > 0);
}

void FrmLibraryFolder::cmdok_Click() {
    const QString text = txtPath_->text();
    if (text.isEmpty()) return;
    const QString target = withSlash(text);
    if (sameFolder(target, core::gWorkPath)) {
        vb::MsgBox(QStringLiteral("此目录是当前的工作目录，请选择其它目录！！"), vb::vbOKOnly);
        return;
    }
    copyInto(target);
}

FrmNew::FrmNew()
    : FrmLibraryFolder({u"frmNew", u"新建", u"请确定工作目录：", u"注意:该目录不是空的，选一空目录不是更好吗？", u"FW"}) {}

void FrmNew::copyInto(const QString& target) {
    // Another library's database is never overwritten without a Yes.
    if (QFileInfo(core::workDatabasePath(target)).exists() &&
        vb::MsgBox(QStringLiteral("该目录中已有一个工作库，新建项目将覆盖它原有的全部内容。\n确实要覆盖吗？"),
                   vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2) != vb::vbYes)
        return;
    // What shows the open library is stored and closed before anything of the new one is made.
    FrmCodeLib* main = forms::loadedInstance<FrmCodeLib>();
    if (main && !main->PrepareLibrarySwitch()) return;
    // The new library is whole before it takes the folder's place; a failure is reported by the
    // caller and changes nothing.
    core::MakeLibraryFromTemplate(target);
    if (main && !main->OpenLibraryFolder(target)) return;
    Unload();
    if (main) {
        main->setCaption(QStringLiteral("Veyra........当前工作目录：") + core::gWorkPath);
        main->Show();
    }
}

FrmBak::FrmBak()
    : FrmLibraryFolder({u"frmbak", u"备份", u"请确定备份目录：",
                        u"注意：该目录不是空的，按“确定”将冲掉原有内容，最好选一新目录", u"BAK"}) {}

void FrmBak::copyInto(const QString& target) {
    // A backup inside the library it backs up would be copied into itself by the next backup.
    if (folderWithin(target, core::gWorkPath)) {
        vb::MsgBox(QStringLiteral("备份目录不能放在当前工作目录之内，请选择其它目录！！"), vb::vbOKOnly);
        return;
    }
    // The backup holds what is on screen, not only what was last written.
    if (FrmCodeLib* main = forms::loadedInstance<FrmCodeLib>(); main && !main->SaveWhatIsShown()) return;
    // A failure has been reported; the dialog stays with its folder, so the user can try again.
    if (!core::BackUpWorkDatabase(target)) return;
    Unload();
}

}  // namespace library
