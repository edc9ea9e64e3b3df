// The library window's editor events and the formatting bar: what the bar's buttons and boxes do,
// the menus that follow the editor's focus, the font catch-up of a typed character, and the bar
// showing the formatting of the selection.
#include "core/globals.h"
#include "core/richtext_commands.h"
#include "core/text_helpers.h"
#include "library/ctl_bookmarks.h"
#include "library/formatting_bar.h"
#include "library/frm_code_lib.h"
#include "platform/forms/combobox.h"
#include "platform/forms/keycodes.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/variant.h"

#include <QAction>
#include <QFocusEvent>
#include <QTreeWidget>

namespace library {

namespace {

// The alignment buttons' pictures by the selection's alignment; mixed shows all three released.
struct AlignmentPictures {
    std::optional<forms::RtfAlignment> alignment;
    const char* keys[3];
};
const AlignmentPictures kAlignmentShown[] = {
    {forms::rtfLeft, {"left_d", "center_u", "right_u"}},
    {forms::rtfCenter, {"left_u", "center_d", "right_u"}},
    {forms::rtfRight, {"left_u", "center_u", "right_d"}},
    {std::nullopt, {"left_u", "center_u", "right_u"}},
};

QString sizeText(double size) { return QString::number(size); }

// Black text for a box that shows the selection's value; white hides a value that is mixed.
void showLegibly(forms::ComboBox* box, bool legible) {
    QPalette p = box->palette();
    const QColor colour = legible ? Qt::black : Qt::white;
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    box->setPalette(p);
}

}  // namespace

void FrmCodeLib::connectEditorEvents() {
    hooks_.install({txtCode_, client()}, [this](QObject* watched, QEvent* event) { return editorEventFilter(watched, event); });
    connect(txtCode_, &forms::RichTextBox::keyDown, this, [this](int key, int shift) { txtCode_KeyDown(key, shift); });
    connect(txtCode_, &forms::RichTextBox::keyUp, this, [this](int key, int shift) { txtCode_KeyUp(key, shift); });
    connect(txtCode_, &forms::RichTextBox::mouseUp, this, [this](const forms::MouseArgs&) { UpdateTextInfo(this); });
    // A pick waits for the character typed where it was made; once the caret goes elsewhere it is
    // forgotten, so it never lands on a later, unrelated keystroke.
    connect(txtCode_, &QTextEdit::cursorPositionChanged, this, [this] {
        if (pickTextLength_ < 0) return;
        const int at = txtCode_->textCursor().position();
        if (at != pickCaret_ && at != pickCaret_ + 1) pickTextLength_ = -1;
    });

    connect(picPicture1_, &FormattingBar::imgButtonsClick, this, [this](int index) {
        guarded(QStringLiteral(" frmCodeLib::imgButtons_Click"), [&] { imgButtons_Click(index); });
    });
    connect(picPicture1_, &FormattingBar::imgAButtonsClick, this, [this](int index) {
        guarded(QStringLiteral(" frmCodeLib::imgAButtons_Click"), [&] { imgAButtons_Click(index); });
    });
    connect(picPicture1_, &FormattingBar::imgFButtonsClick, this, [this](int index) {
        guarded(QStringLiteral(" frmCodeLib::imgFButtons_Click"), [&] { imgFButtons_Click(index); });
    });
    connect(picPicture1_->cboFontCombo(), &forms::ComboBox::clicked, this, [this] {
        guarded(QStringLiteral(" frmCodeLib::cboFontCombo_Click"), [this] { cboFontCombo_Click(); });
    });
    connect(picPicture1_->cboSizeCombo(), &forms::ComboBox::clicked, this, [this] {
        guarded(QStringLiteral(" frmCodeLib::cboSizeCombo_Click"), [this] { cboSizeCombo_Click(); });
    });
}

void FrmCodeLib::disconnectEditorEvents() {
    hooks_.clear();
    txtCode_->disconnect(this);
    picPicture1_->disconnect(this);
    picPicture1_->cboFontCombo()->disconnect(this);
    picPicture1_->cboSizeCombo()->disconnect(this);
    bookmarkList_->disconnect(this);
}

bool FrmCodeLib::editorEventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCode_) {
        if (event->type() == QEvent::FocusIn) {
            txtCode_GotFocus();
        } else if (event->type() == QEvent::FocusOut) {
            // Opening a menu takes the focus only for as long as the menu is open: the editor keeps
            // its menus, and the entry chosen acts on it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) txtCode_LostFocus();
        }
    } else if (watched == client() && event->type() == QEvent::Resize) {
        placeEnlargedEditor();
    }
    return false;
}

void FrmCodeLib::txtCode_GotFocus() {
    for (const char16_t* name : {u"MnuFormat", u"MnuEditRtxt", u"mnuInsert"})
        menuEntries_.value(QString::fromUtf16(name))->setVisible(true);
    if (!menuEntries_.value(QStringLiteral("mnuHuanyuan"))->isVisible())
        menuEntries_.value(QStringLiteral("MnuFD"))->setVisible(true);
    editorFocus_ = true;
}

void FrmCodeLib::txtCode_LostFocus() {
    for (const char16_t* name : {u"MnuFormat", u"MnuEditRtxt", u"mnuInsert"})
        menuEntries_.value(QString::fromUtf16(name))->setVisible(false);
    editorFocus_ = false;
    menuEntries_.value(QStringLiteral("MnuFD"))->setVisible(false);
}

void FrmCodeLib::txtCode_KeyDown(int keyCode, int /*shift*/) {
    // Esc frees the pointer and leaves text and selection alone.
    if (keyCode == forms::vbKeyEscape) core::ReleaseCursor();
}

// A font or size picked in a box lands on the one double-byte character typed right after the pick.
void FrmCodeLib::txtCode_KeyUp(int /*keyCode*/, int /*shift*/) {
    if (pickTextLength_ < 0) return;
    const int32_t length = static_cast<int32_t>(txtCode_->text().size());
    const int32_t start = txtCode_->selStart();
    if (start == 1 || length != pickTextLength_ + 1) return;
    txtCode_->setSelStart(pickCaret_);
    txtCode_->setSelLength(1);
    const QString typed = txtCode_->text().mid(pickCaret_, 1);
    if (vb::toCp936(typed).size() == 2) {
        txtCode_->setSelFontName(picPicture1_->cboFontCombo()->text());
        if (picPicture1_->cboSizeCombo()->listIndex() >= 0)
            txtCode_->setSelFontSize(vb::val(picPicture1_->cboSizeCombo()->text()));
    }
    txtCode_->setSelStart(txtCode_->selStart() + 1);
    pickTextLength_ = -1;
    pickCaret_ = 0;
}

void FrmCodeLib::UpdateTextInfo(QWidget* /*window*/) {
    forms::RichTextBox& box = *txtCode_;
    const auto showStyle = [this](int index, const std::optional<bool>& on) {
        forms::ImageButton& button = picPicture1_->imgFButtons()[index];
        button.setPressed(on.value_or(false));
    };
    showStyle(0, box.selBold());
    showStyle(1, box.selItalic());
    showStyle(2, box.selUnderline());
    const std::optional<forms::RtfAlignment> alignment = box.selAlignment();
    for (const AlignmentPictures& a : kAlignmentShown) {
        if (a.alignment != alignment) continue;
        for (int i = 0; i < 3; ++i) picPicture1_->imgAButtons()[i].showKey(QString::fromLatin1(a.keys[i]));
        break;
    }

    forms::ComboBox* fonts = picPicture1_->cboFontCombo();
    forms::ComboBox* sizes = picPicture1_->cboSizeCombo();
    const std::optional<QString> fontName = box.selFontName();
    const std::optional<double> fontSize = box.selFontSize();
    {
        // Showing the selection's formatting in the boxes is no pick: nothing is written back.
        syncingCombos_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{syncingCombos_};
        if (!box.text().isEmpty() && fontName && *fontName != shownFontName_) {
            int found = -1;
            for (int i = 0; i < fonts->listCount() && found < 0; ++i)
                if (fonts->list(i) == *fontName) found = i;
            fonts->setListIndex(found);
            shownFontName_ = found >= 0 ? *fontName : QString();
        }
        if (!box.text().isEmpty() && fontSize && sizeText(*fontSize) != shownFontSize_) {
            const double v = *fontSize;
            sizes->setListIndex(v >= kSmallestSize && v <= kLargestSize ? static_cast<int>(v - kSmallestSize) : -1);
            shownFontSize_ = sizeText(v);
        }
    }
    showLegibly(fonts, fontName && !fontName->isEmpty());
    showLegibly(sizes, fontSize.has_value());
    // An empty page has no text to change: the caret takes the boxes' choice, which typing then uses.
    if (box.text().isEmpty()) {
        if (fonts->listIndex() >= 0) box.setSelFontName(fonts->text());
        if (sizes->listIndex() >= 0) box.setSelFontSize(vb::val(sizes->text()));
    }
}

bool FrmCodeLib::TabsChanged() {
    const QList<int> stops = txtCode_->selTabs().value_or(QList<int>());
    bool changed = stops.size() != core::gTabStops.size();
    for (qsizetype i = 0; !changed && i < stops.size(); ++i) changed = stops[i] != core::gTabStops[i];
    if (changed) {
        core::gTabStops.clear();
        for (int stop : stops) core::gTabStops.append(static_cast<int16_t>(stop));
    }
    return changed;
}

// ---- the formatting bar ----

void FrmCodeLib::imgButtons_Click(int index) {
    struct Action {
        int index;
        void (*run)(FrmCodeLib&);
    };
    static constexpr Action kActions[] = {
        {0, [](FrmCodeLib&) { core::ChooseTextColor(); }},
        {1, [](FrmCodeLib& w) { w.menuEntry(QStringLiteral("mnueditselectall"))->trigger(); }},
        {3, [](FrmCodeLib& w) { core::PrintRichText(&w, w.txtCode()); }},
        {4, [](FrmCodeLib& w) { w.ShowFind(); }},
        {5, [](FrmCodeLib&) { core::EditCut(); }},
        {6, [](FrmCodeLib&) { core::EditCopy(); }},
        {7, [](FrmCodeLib&) { core::EditPaste(); }},
        {8, [](FrmCodeLib&) { core::ChooseBackColor(); }},
        {9, [](FrmCodeLib& w) { core::ToggleBullet(&w); }},
        {10, [](FrmCodeLib& w) { w.EnlargeEditor(); }},
        {11, [](FrmCodeLib& w) { w.ShowBookmarkPane(!w.viewBookMarks()); }},
        {12, [](FrmCodeLib& w) { w.AddBookMark(); }},
        {13, [](FrmCodeLib& w) { w.AddBookMark(); }},
        {14, [](FrmCodeLib& w) { w.ShowBookmarkPane(!w.viewBookMarks()); }},
    };
    for (const Action& a : kActions)
        if (a.index == index) return a.run(*this);
}

void FrmCodeLib::imgAButtons_Click(int index) { core::SetAlignment(this, static_cast<int16_t>(index)); }

void FrmCodeLib::imgFButtons_Click(int index) {
    switch (index) {
    case 0: core::ToggleBold(this); break;
    case 1: core::ToggleItalic(this); break;
    case 2: core::ToggleUnderline(this); break;
    default: break;
    }
}

void FrmCodeLib::cboFontCombo_Click() {
    if (syncingCombos_) return;
    pickTextLength_ = static_cast<int32_t>(txtCode_->text().size());
    pickCaret_ = txtCode_->selStart();
    const QString name = picPicture1_->cboFontCombo()->text();
    txtCode_->setSelFontName(name);
    shownFontName_ = name;
    txtCode_->setFocus();
}

void FrmCodeLib::cboSizeCombo_Click() {
    if (syncingCombos_) return;
    forms::ComboBox* sizes = picPicture1_->cboSizeCombo();
    if (sizes->listIndex() < 0) return;
    pickTextLength_ = static_cast<int32_t>(txtCode_->text().size());
    pickCaret_ = txtCode_->selStart();
    const double size = vb::val(sizes->text());
    txtCode_->setSelFontSize(size);
    shownFontSize_ = sizeText(size);
    txtCode_->setFocus();
}

}  // namespace library
