#pragma once
// The editing commands of the library window's formatting bar and its edit and format menus:
// clipboard, alignment, bold, italic, underline, bullets, colours, opening an RTF file, printing a
// rich-text box, and keeping the font boxes in line with a font. All but PrintRichText act on the
// registered main window (editor_host.h); without one they raise 91.
#include "core/editor_host.h"
#include "platform/vb/variant.h"

#include <array>
#include <cstdint>

class QWidget;

namespace forms {
class RichTextBox;
}

namespace core {

// The pressed ("_d") and released ("_u") image-list keys of the formatting-bar buttons.
struct ButtonPictureKeys {
    ButtonBar bar;
    int index;
    const char* pressed;
    const char* released;
};
inline constexpr std::array<ButtonPictureKeys, 6> kButtonPictureKeys{{
    {ButtonBar::Alignment, 0, "left_d", "left_u"},
    {ButtonBar::Alignment, 1, "center_d", "center_u"},
    {ButtonBar::Alignment, 2, "right_d", "right_u"},
    {ButtonBar::FontStyle, 0, "bold_d", "bold_u"},
    {ButtonBar::FontStyle, 1, "italic_d", "italic_u"},
    {ButtonBar::FontStyle, 2, "underline_d", "underline_u"},
}};

// Copy, cut and paste in the control that has the keyboard focus, queued: the command returns at
// once and the control acts when it next handles its events. Only text controls (text boxes,
// rich-text boxes, editable combo boxes) take them, so a list or tree with the focus never sees a
// Shift+Delete as a delete key.
void EditCopy();
void EditCut();
void EditPaste();

// 0 left, 1 centre, 2 right: shows that button pressed and the other two released, then aligns the
// editor's selected paragraphs. Other values do nothing. `window` is accepted and not used: the
// main window's editor is always the one changed.
void SetAlignment(QWidget* window, int16_t alignment);

// Bold, italic or underline of the editor's selection: a mixed or plain selection, or a true `force`,
// switches it on and shows the button pressed; a wholly styled one switches it off and shows the
// button released. A missing (Empty) or Null force counts as false.
void ToggleBold(QWidget* window, const vb::Variant& force = vb::Variant());
void ToggleItalic(QWidget* window, const vb::Variant& force = vb::Variant());
void ToggleUnderline(QWidget* window, const vb::Variant& force = vb::Variant());

// Bullets on for mixed or plain paragraphs; off for bulleted ones, which then read as plain
// paragraphs (their hanging indent set to 0).
void ToggleBullet(QWidget* window);

// The colour dialog; OK sets the background of the whole editor, or the colour of its selected text.
void ChooseBackColor();
void ChooseTextColor();

// Asks for a file with the main window's dialog control and loads it into the editor; a name that
// does not end in ".rtf" is loaded only after a Yes. Cancel or any failure ends the command without
// a message and leaves the editor as it was.
void OpenRtfFile();

// Prints `box` through the print dialog of `window`'s dialog control named "dlgCommonDialog1": the
// selection when the user chose it (the choice is offered only when the box has a selection),
// otherwise everything. Cancel ends silently; any other failure is reported in a message box titled
// "CodeModule::PrintRichText".
void PrintRichText(QWidget* window, forms::RichTextBox* box);

// Selects `fontName` in the font box (the first entry equal to it, case counting; none equal keeps
// the box as it is) and the size of `fontSize`'s leading number in the size box (6 to 70 select the
// entry of that size, halves rounded to even; any other clears the box's selection).
void SyncFontCombos(const QString& fontName, const QString& fontSize);

}  // namespace core
