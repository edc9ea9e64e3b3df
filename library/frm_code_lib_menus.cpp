// The library window's menu commands: the editor's edit, insert and format entries, bookmarks,
// enlarging the editor, the find, new-library, backup, calculator, knowledge, help and about
// windows.
#include "calculator/frm_ji_suan_qi.h"
#include "core/code_item.h"
#include "core/editor_host.h"
#include "core/globals.h"
#include "core/richtext_commands.h"
#include "library/ctl_bookmarks.h"
#include "library/formatting_bar.h"
#include "library/frm_about.h"
#include "library/frm_add_bookmark.h"
#include "library/frm_code_lib.h"
#include "library/frm_find.h"
#include "library/frm_help.h"
#include "library/frm_library_folder.h"
#include "library/menu_table.h"
#include "platform/forms/combobox.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "platform/vb/twips.h"
#include "windows/frm_bzzs.h"

#include <QAction>
#include <QBoxLayout>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeWidget>

namespace library {

// What the editor commands of core reach of the window.
class FrmCodeLib::EditorHostAdapter : public core::EditorHost {
public:
    explicit EditorHostAdapter(FrmCodeLib& w) : w_(w) {}
    QWidget* window() override { return &w_; }
    forms::RichTextBox& txtCode() override { return *w_.txtCode_; }
    QPixmap imageListPicture(const QString& key) const override {
        lastKey_ = key;
        return w_.picPicture1_->ilsImageList1().picture(key);
    }
    // The commands look a picture up and then show it: the button shows it by its key, so the
    // pressed and released looks of the bar stay in step with what the commands set.
    void setButtonPicture(core::ButtonBar bar, int index, const QPixmap& picture) override {
        const auto& array = bar == core::ButtonBar::Alignment ? w_.picPicture1_->imgAButtons() : w_.picPicture1_->imgFButtons();
        forms::ImageButton* button = array.at(index);
        if (!button) return;
        if (picture.cacheKey() == w_.picPicture1_->ilsImageList1().picture(lastKey_).cacheKey()) button->showKey(lastKey_);
        else if (picture.isNull()) button->clear();
        else button->setPixmap(picture);
    }
    forms::CommonDialog& dlgCommonDialog1() override { return *w_.dialog_; }
    forms::ComboBox& cboFontCombo() override { return *w_.picPicture1_->cboFontCombo(); }
    forms::ComboBox& cboSizeCombo() override { return *w_.picPicture1_->cboSizeCombo(); }

private:
    FrmCodeLib& w_;
    mutable QString lastKey_;
};

namespace {

// The entries a formatted date or time is inserted by, with the named format each uses.
struct InsertFormat {
    const char16_t* entry;
    const char16_t* format;
};
constexpr InsertFormat kInsertFormats[] = {
    {u"mnuInsertDateShort", u"Short Date"},  {u"mnuInsertDateMedium", u"Medium Date"},
    {u"mnuInsertDateLong", u"Long Date"},    {u"mnuInsertTimeShort", u"Short Time"},
    {u"mnuInsertTimeMedium", u"Medium Time"}, {u"mnuInsertTimeLong", u"Long Time"},
};

}  // namespace

void FrmCodeLib::buildEditorControls() {
    editorHost_ = std::make_unique<EditorHostAdapter>(*this);

    picPicture1_ = new FormattingBar(ctlCodeItemDetails_);
    if (auto* box = qobject_cast<QBoxLayout*>(ctlCodeItemDetails_->layout())) box->insertWidget(0, picPicture1_);

    // The bookmark pane takes the place (and the name) of the placeholder.
    bookmarkList_ = new CtlBookmarks(ctlBookMarkList_->parentWidget());
    bookmarkList_->setGeometry(ctlBookMarkList_->geometry());
    bookmarkList_->setVisible(!ctlBookMarkList_->isHidden());
    delete ctlBookMarkList_;
    ctlBookMarkList_ = bookmarkList_;
    connect(bookmarkList_, &CtlBookmarks::ViewBookMark, this, [this](const std::shared_ptr<core::CCodeItem>& item) {
        guarded(QStringLiteral(" frmCodeLib::ctlBookMarkList_ViewBookMark"), [&] { ctlBookMarkList_ViewBookMark(item); });
    });
    connect(bookmarkList_, &CtlBookmarks::paneScaleChanged, this,
            [this] { SizeControls(forms::twipsGeometry(tvCodeItems_).width()); });
}

void FrmCodeLib::connectEditorMenus() {
    const auto entry = [this](const char16_t* name) { return menuEntries_.value(QString::fromUtf16(name)); };
    const auto on = [this, &entry](const char16_t* name, const std::function<void()>& action) {
        connect(entry(name), &QAction::triggered, this, [this, name, action] {
            guarded(QStringLiteral(" frmCodeLib::%1_Click").arg(QString::fromUtf16(name)), action);
        });
    };

    on(u"mnuNewDatabase", [this] { forms::defaultInstance<FrmNew>().Show(false, this); });
    on(u"MNUBAK", [this] { forms::defaultInstance<FrmBak>().Show(false, this); });
    // Copy, cut and paste act only on the editor, and only while it has the focus.
    on(u"MnuCopy", [this] { if (editorFocus_) txtCode_->copy(); });
    on(u"MnuCut", [this] { if (editorFocus_) txtCode_->cut(); });
    on(u"MnuPaste", [this] { if (editorFocus_) txtCode_->paste(); });
    on(u"MnuClear", [this] { txtCode_->setSelText(QString()); });
    on(u"mnueditselectall", [this] {
        txtCode_->setFocus();
        txtCode_->setSelStart(0);
        txtCode_->setSelLength(static_cast<int>(txtCode_->text().size()));
    });
    on(u"mnuFind", [this] { ShowFind(); });
    on(u"mnuBookMark", [this] { AddBookMark(); });
    for (const InsertFormat& f : kInsertFormats)
        on(f.entry, [this, f] { insertAtCaret(vb::format(vb::Variant(vb::Date::now()), QString::fromUtf16(f.format))); });
    on(u"mnuInsertPathAndFile", [this] { insertAtCaret(core::gCurrentRtfFile); });
    on(u"mnuformatfont", [this] { mnuformatfont_Click(); });
    on(u"MnuLeft", [this] { core::SetAlignment(this, 0); });
    on(u"MnuCenter", [this] { core::SetAlignment(this, 1); });
    on(u"MnuRight", [this] { core::SetAlignment(this, 2); });
    on(u"MnuFcolor", [] { core::ChooseTextColor(); });
    on(u"mnuBbolor", [] { core::ChooseBackColor(); });
    on(u"MnuJiSuan", [this] { forms::defaultInstance<calculator::FrmJiSuanQi>().Show(false, this); });
    on(u"MnuBZZS", [this] { forms::defaultInstance<windows::FrmBZzs>().Show(false, this); });
    on(u"MnuBMadd", [this] { AddBookMark(); });
    on(u"MnuFD", [this] { EnlargeEditor(); });
    on(u"mnuHuanyuan", [this] { RestoreEditor(); });
    on(u"MnuHeLp", [this] { ShowHelp(); });
    on(u"mnuAbout", [this] {
        FrmAbout* about = forms::newInstance<FrmAbout>();
        about->Show(true, this);
        about->Unload();
    });

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { guarded(QStringLiteral(" frmCodeLib::ShowHelp"), [this] { ShowHelp(); }); });
}

void FrmCodeLib::insertAtCaret(const QString& text) { txtCode_->setSelText(text); }

void FrmCodeLib::mnuformatfont_Click() {
    forms::CommonDialog& dialog = *dialog_;
    dialog.setFontName(picPicture1_->cboFontCombo()->text());
    dialog.setFontSize(vb::val(picPicture1_->cboSizeCombo()->text()));
    dialog.setFlags(forms::cdlCFEffects);
    dialog.setCancelError(true);
    try {
        dialog.showFont();
    } catch (const vb::Error& e) {
        if (e.number() == forms::cdlCancel) return;
        throw;
    }
    txtCode_->setSelFontName(dialog.fontName());
    if (dialog.fontSize() > 0) txtCode_->setSelFontSize(dialog.fontSize());
    txtCode_->setSelBold(dialog.fontBold());
    txtCode_->setSelItalic(dialog.fontItalic());
    txtCode_->setSelUnderline(dialog.fontUnderline());
    txtCode_->setSelStrikethru(dialog.fontStrikethru());
    // The style buttons and the font boxes follow the new formatting.
    UpdateTextInfo(this);
}

void FrmCodeLib::AddBookMark() {
    guarded(QStringLiteral(" frmCodeLib::AddBookMark"), [this] {
        QTreeWidgetItem* node = selectedNode();
        if (!node) return;
        const QString key = nodeKey(node);
        if (key.compare(QStringLiteral("ROOT"), Qt::CaseInsensitive) == 0) return;
        auto item = std::make_shared<core::CCodeItem>();
        item->Initialise(core::gWorkDB, key.mid(1));
        QPointer<FrmAddBookmark> dialog = forms::newInstance<FrmAddBookmark>();
        dialog->Initialise(core::gWorkDB, item);
        dialog->Show(true, this);
        // Closed by its frame, the dialog is gone and has stored nothing.
        if (dialog && !dialog->isUnloaded() && !dialog->Cancelled()) {
            bookmarkList_->Initialise(core::gWorkDB);
            bookmarkList_->FindBookmark(node->text(0));
        }
        if (dialog && !dialog->isUnloaded()) dialog->Unload();
    });
}

void FrmCodeLib::ctlBookMarkList_ViewBookMark(const std::shared_ptr<core::CCodeItem>& item) {
    const QString key = QStringLiteral("C") + item->Key();
    QTreeWidgetItem* node = nodeByKey(key);
    if (!node) return;
    tvCodeItems_->scrollToItem(node);
    SelectNode(node);
}

void FrmCodeLib::ShowFind() {
    core::gFindPos = 0;
    FrmFind& find = forms::defaultInstance<FrmFind>();
    find.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    find.Show(false, this);
}

void FrmCodeLib::ShowHelp() {
    FrmHelp& help = forms::defaultInstance<FrmHelp>();
    if (help.ShowPage(FrmHelp::contentsPage())) help.Show(false, this);
    else help.Unload();
}

// ---- enlarging the editor over the window ----

void FrmCodeLib::EnlargeEditor() {
    // A second enlarge would save the enlarged geometry as the one to restore.
    if (enlarged_) return;
    const bool hadFocus = txtCode_->hasFocus();
    const QRect home = forms::twipsGeometry(txtCode_);
    core::gTxtCodeTop = static_cast<float>(home.y());
    core::gTxtCodeLeft = static_cast<float>(home.x());
    core::gTxtCodeWidth = static_cast<float>(home.width());
    core::gTxtCodeHeight = home.height();
    editorHome_ = txtCode_->parentWidget();
    auto* layout = editorHome_ ? qobject_cast<QBoxLayout*>(editorHome_->layout()) : nullptr;
    editorHomeIndex_ = layout ? layout->indexOf(txtCode_) : -1;
    if (layout) layout->removeWidget(txtCode_);
    txtCode_->setParent(client());
    enlarged_ = true;
    placeEnlargedEditor();
    txtCode_->show();
    txtCode_->raise();
    if (hadFocus) txtCode_->setFocus();

    updateCommandStates();
    for (const char16_t* name : {u"mnuHuanyuan", u"MnuFormat", u"MnuEditRtxt", u"mnuInsert"})
        menuEntries_.value(QString::fromUtf16(name))->setVisible(true);
    menuEntries_.value(QStringLiteral("MnuFD"))->setVisible(false);
}

// The enlarged editor covers the window's client area above the status bar.
void FrmCodeLib::placeEnlargedEditor() {
    if (!enlarged_) return;
    const int statusHeight = static_cast<int>(vb::pixelsToTwips(statusBar_->sizeHint().height()));
    forms::setTwipsGeometry(txtCode_, 0, 0, ScaleWidth(), std::max(0, ScaleHeight() - statusHeight));
}

void FrmCodeLib::RestoreEditor() {
    if (enlarged_) {
        const bool hadFocus = txtCode_->hasFocus();
        enlarged_ = false;
        QWidget* home = editorHome_ ? editorHome_.data() : ctlCodeItemDetails_;
        txtCode_->setParent(home);
        forms::setTwipsGeometry(txtCode_, static_cast<int>(core::gTxtCodeLeft), static_cast<int>(core::gTxtCodeTop),
                                static_cast<int>(core::gTxtCodeWidth), core::gTxtCodeHeight);
        if (auto* layout = qobject_cast<QBoxLayout*>(home->layout()))
            layout->insertWidget(editorHomeIndex_ >= 0 ? editorHomeIndex_ : layout->count(), txtCode_);
        txtCode_->show();
        if (hadFocus) txtCode_->setFocus();
    }
    updateCommandStates();
    menuEntries_.value(QStringLiteral("mnuHuanyuan"))->setVisible(false);
    menuEntries_.value(QStringLiteral("MnuFD"))->setVisible(true);
}

}  // namespace library
