#pragma once
// The rich-text box: a QTextEdit with the selection properties, files and printing the windows use.
//
// Positions: SelStart, SelLength and every index into Text count in the same unit, one per UTF-16
// character with one for each paragraph break, so a position found in Text selects that text.
// Text separates paragraphs (and line breaks inside them) with "\n".
//
// Selection properties read over the whole selection: a style, alignment, bullet, colour, font or
// indent that differs within it reads as mixed (no value). With nothing selected they read and
// write the formats at the caret, which typing then uses.
#include "platform/forms/mouse_args.h"
#include "platform/vb/colour.h"

#include <QList>
#include <QTextEdit>

#include <optional>

class QPagedPaintDevice;

namespace forms {

// Paragraph alignment as the rich-text box numbers it.
enum RtfAlignment : int { rtfLeft = 0, rtfRight = 1, rtfCenter = 2 };

// File types of LoadFile and SaveFile.
enum RtfFileType : int { rtfRTF = 0, rtfText = 1 };

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);
    explicit RichTextBox(const QString& name, QWidget* parent = nullptr);

    QString text() const;
    // CR LF and lone CR count as one paragraph break.
    void setText(const QString& text);
    // TextRTF: the whole content as RTF. Setting text that is not RTF sets it as plain text.
    QByteArray textRtf() const;
    void setTextRtf(const QByteArray& rtf);

    int selStart() const;
    // Places the caret (clamped to the text) with nothing selected.
    void setSelStart(int position);
    int selLength() const;
    // Selects from SelStart on (clamped to the text); a negative length raises 380.
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection, or inserts at the caret, in the caret's formats.
    void setSelText(const QString& text);

    std::optional<bool> selBold() const;
    void setSelBold(bool on);
    std::optional<bool> selItalic() const;
    void setSelItalic(bool on);
    std::optional<bool> selUnderline() const;
    void setSelUnderline(bool on);
    std::optional<bool> selStrikethru() const;
    void setSelStrikethru(bool on);
    // The text colour (0x00BBGGRR); text without a colour of its own reads as the window text colour.
    std::optional<vb::OleColor> selColor() const;
    void setSelColor(vb::OleColor color);
    std::optional<QString> selFontName() const;
    // An empty name changes nothing.
    void setSelFontName(const QString& name);
    std::optional<double> selFontSize() const;
    // 1 to 1638 points; other sizes raise 380.
    void setSelFontSize(double points);

    // Paragraph properties of the paragraphs the selection touches.
    std::optional<RtfAlignment> selAlignment() const;
    void setSelAlignment(RtfAlignment alignment);
    std::optional<bool> selBullet() const;
    // Switching bullets off leaves the paragraphs' indents as they were.
    void setSelBullet(bool on);
    // Indents in twips: SelIndent the first line's left edge, SelHangingIndent how far the further
    // lines stand to the right of it, SelRightIndent the right edge's distance from the right.
    std::optional<int> selIndent() const;
    void setSelIndent(int twips);
    std::optional<int> selHangingIndent() const;
    void setSelHangingIndent(int twips);
    std::optional<int> selRightIndent() const;
    void setSelRightIndent(int twips);
    // Tab stops in twips, in order; mixed when the paragraphs differ.
    std::optional<QList<int>> selTabs() const;

    vb::OleColor backColor() const { return backColor_; }
    void setBackColor(vb::OleColor color);
    // Locked: the user can select and copy but not change the text; code still can.
    bool locked() const { return isReadOnly(); }
    void setLocked(bool locked);

    // Replaces the content with the file's. An RTF load of a file that is not RTF reads it as text.
    // Text files are read as UTF-8 when they carry its byte-order mark or are valid UTF-8, else as
    // code page 936. A missing file raises 53, an unreadable one (a folder, a pipe) 75; the content
    // stays as it was. Each file error's text is the number's own text followed by the file's path.
    void loadFile(const QString& path, RtfFileType type = rtfRTF);
    // Writes the content; the file is replaced only once the whole content is written (75 otherwise,
    // 61 for a full disk), never through a link: a link in its place is replaced.
    // Text is written in code page 936 when every character has a code there, else as UTF-8 with its
    // byte-order mark, so no character is lost.
    void saveFile(const QString& path, RtfFileType type = rtfRTF) const;
    QString fileName() const { return fileName_; }
    // Whether the last LoadFile kept everything of its file: false for RTF that is cut off, damaged
    // beyond its end or not RTF at all (read as text), so that saving over it would lose some of it.
    bool loadedWhole() const { return loadedWhole_; }

    // Prints the selection, or the whole content when nothing is selected. A printer that cannot
    // start or take a page raises 482 "Printer error".
    void selPrint(QPagedPaintDevice& printer) const;

signals:
    // KeyDown and KeyUp with the key code and shift state of keycodes.h. Text committed by an input
    // method counts as one key released (key code 0), as its last keystroke does.
    void keyDown(int keyCode, int shift);
    void keyUp(int keyCode, int shift);
    void mouseDown(const forms::MouseArgs& args);
    void mouseUp(const forms::MouseArgs& args);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    int textLength() const;
    // A new document of the box, set up as the shown one, for content to be read into unseen.
    QTextDocument* detachedDocument() const;

    vb::OleColor backColor_ = vb::vbWindowBackground;
    QString fileName_;
    bool loadedWhole_ = true;
};

}  // namespace forms
