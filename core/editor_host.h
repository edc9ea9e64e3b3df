#pragma once
// What the editor commands need of the main (library) window: its editor, the pictures of its
// image list and the formatting-bar buttons that show them, its dialog control and its font boxes.
// The window registers itself when it is created; tests register a stand-in.
#include <QPixmap>
#include <QString>

class QWidget;

namespace forms {
class ComboBox;
class CommonDialog;
class RichTextBox;
}  // namespace forms

namespace core {

// The image-button arrays of the formatting bar.
enum class ButtonBar {
    Alignment,  // imgAButtons: 0 left, 1 centre, 2 right
    FontStyle,  // imgFButtons: 0 bold, 1 italic, 2 underline
};

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The window itself, owner of the dialogs the commands show.
    virtual QWidget* window() = 0;
    virtual forms::RichTextBox& txtCode() = 0;
    // ilsImageList1: the picture stored under `key`, a null pixmap when the list holds none.
    virtual QPixmap imageListPicture(const QString& key) const = 0;
    // Replaces the picture of element `index` of a button array.
    virtual void setButtonPicture(ButtonBar bar, int index, const QPixmap& picture) = 0;
    virtual forms::CommonDialog& dlgCommonDialog1() = 0;
    virtual forms::ComboBox& cboFontCombo() = 0;
    virtual forms::ComboBox& cboSizeCombo() = 0;
};

// The registered main window, or null when there is none.
EditorHost* editorHost();
// Registers `host` (null to unregister); the host unregisters itself before it is destroyed.
void setEditorHost(EditorHost* host);

}  // namespace core
