#include "core/richtext_commands.h"

#include "platform/forms/combobox.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextEdit>

#include <exception>
#include <optional>

namespace core {

namespace {

const QString kPrintSource = QStringLiteral("CodeModule::PrintRichText");

EditorHost& host() {
    EditorHost* h = editorHost();
    if (!h) vb::raise(vb::kObjectNotSet, QStringLiteral("CodeModule"));
    return *h;
}

void showPicture(EditorHost& h, ButtonBar bar, int index, bool pressed) {
    for (const auto& k : kButtonPictureKeys) {
        if (k.bar != bar || k.index != index) continue;
        h.setButtonPicture(bar, index, h.imageListPicture(QString::fromLatin1(pressed ? k.pressed : k.released)));
        return;
    }
}

// The control that takes a clipboard command: the focused text control, or none.
QObject* focusedTextControl() {
    QWidget* w = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) return w;
    return nullptr;
}

void clipboardCommand(const char* slot) {
    if (QObject* target = focusedTextControl()) QMetaObject::invokeMethod(target, slot, Qt::QueuedConnection);
}

struct AlignmentChoice {
    int16_t argument;
    forms::RtfAlignment alignment;
};
constexpr std::array<AlignmentChoice, 3> kAlignments{{
    {0, forms::rtfLeft},
    {1, forms::rtfCenter},
    {2, forms::rtfRight},
}};

struct StyleToggle {
    std::optional<bool> (forms::RichTextBox::*get)() const;
    void (forms::RichTextBox::*set)(bool);
    int button;  // in imgFButtons
};

void toggleStyle(const StyleToggle& style, const vb::Variant& force) {
    EditorHost& h = host();
    const bool forced = !force.isEmpty() && !force.isNull() && force.toBool();
    forms::RichTextBox& box = h.txtCode();
    const std::optional<bool> state = (box.*style.get)();
    const bool on = !state || !*state || forced;
    (box.*style.set)(on);
    showPicture(h, ButtonBar::FontStyle, style.button, on);
}

QString errorText(int number, const QString& description, const QString& source) {
    return QStringLiteral("%1 %2 %3").arg(number).arg(description, source);
}

}  // namespace

void EditCopy() { clipboardCommand("copy"); }
void EditCut() { clipboardCommand("cut"); }
void EditPaste() { clipboardCommand("paste"); }

void SetAlignment(QWidget* /*window*/, int16_t alignment) {
    for (const auto& choice : kAlignments) {
        if (choice.argument != alignment) continue;
        EditorHost& h = host();
        for (const auto& other : kAlignments)
            showPicture(h, ButtonBar::Alignment, other.argument, other.argument == alignment);
        h.txtCode().setSelAlignment(choice.alignment);
        return;
    }
}

void ToggleBold(QWidget* /*window*/, const vb::Variant& force) {
    toggleStyle({&forms::RichTextBox::selBold, &forms::RichTextBox::setSelBold, 0}, force);
}

void ToggleItalic(QWidget* /*window*/, const vb::Variant& force) {
    toggleStyle({&forms::RichTextBox::selItalic, &forms::RichTextBox::setSelItalic, 1}, force);
}

void ToggleUnderline(QWidget* /*window*/, const vb::Variant& force) {
    toggleStyle({&forms::RichTextBox::selUnderline, &forms::RichTextBox::setSelUnderline, 2}, force);
}

void ToggleBullet(QWidget* /*window*/) {
    forms::RichTextBox& box = host().txtCode();
    const std::optional<bool> state = box.selBullet();
    if (!state || !*state) {
        box.setSelBullet(true);
    } else {
        box.setSelBullet(false);
        box.setSelHangingIndent(0);
    }
}

void ChooseBackColor() {
    EditorHost& h = host();
    if (const auto colour = forms::chooseColor(h.window())) h.txtCode().setBackColor(*colour);
}

void ChooseTextColor() {
    EditorHost& h = host();
    if (const auto colour = forms::chooseColor(h.window())) h.txtCode().setSelColor(*colour);
}

void OpenRtfFile() {
    EditorHost& h = host();
    forms::RichTextBox& box = h.txtCode();
    const bool wasHidden = box.isHidden();
    try {
        forms::CommonDialog& dialog = h.dlgCommonDialog1();
        dialog.setFilter(QStringLiteral("Rich Text File (*.rtf)|*.rtf"));
        dialog.setCancelError(true);
        dialog.showOpen();
        const QString name = dialog.fileName();
        if (name.right(4).toUpper() != QLatin1String(".RTF") &&
            vb::MsgBox(QStringLiteral("Do you want to open the file anyway?"), vb::vbYesNo,
                       QStringLiteral("This May Not Be A Rich Text File")) == vb::vbNo)
            return;
        box.hide();
        box.loadFile(name, forms::rtfRTF);
        if (dialog.flags() & forms::cdlOFNReadOnly) box.setLocked(true);
        QCoreApplication::processEvents();
    } catch (const std::exception&) {
        // Cancelled, or the file could not be read: the editor keeps what it had.
    }
    box.setHidden(wasHidden);
}

void PrintRichText(QWidget* window, forms::RichTextBox* box) {
    try {
        if (!window || !box) vb::raise(vb::kObjectNotSet, kPrintSource);
        auto* dialog = window->findChild<forms::CommonDialog*>(QStringLiteral("dlgCommonDialog1"));
        if (!dialog) vb::raise(730, kPrintSource, QStringLiteral("Control 'dlgCommonDialog1' not found"));
        const bool hasSelection = box->selLength() != 0;
        dialog->setFlags(forms::cdlPDReturnDC | forms::cdlPDNoPageNums |
                         (hasSelection ? forms::cdlPDSelection : forms::cdlPDNoSelection));
        dialog->setCancelError(true);
        dialog->showPrinter();
        if (dialog->flags() & forms::cdlPDSelection) {
            if (box->selLength() != 0) box->selPrint(dialog->printer());
        } else {
            box->setSelLength(0);
            box->selPrint(dialog->printer());
        }
    } catch (const vb::Error& e) {
        if (e.number() == forms::cdlCancel) return;
        vb::MsgBox(errorText(e.number(), e.description(), e.source()), vb::vbOKOnly | vb::vbExclamation, kPrintSource);
    }
}

void SyncFontCombos(const QString& fontName, const QString& fontSize) {
    EditorHost& h = host();
    forms::ComboBox& fonts = h.cboFontCombo();
    for (int i = 0; i < fonts.listCount(); ++i) {
        if (fonts.list(i) == fontName) {
            fonts.setListIndex(i);
            break;
        }
    }
    constexpr double kSmallest = 6;
    constexpr double kLargest = 70;
    const double size = vb::val(fontSize);
    forms::ComboBox& sizes = h.cboSizeCombo();
    sizes.setListIndex(size >= kSmallest && size <= kLargest ? static_cast<int>(vb::roundHalfEven(size - kSmallest))
                                                             : -1);
}

}  // namespace core
