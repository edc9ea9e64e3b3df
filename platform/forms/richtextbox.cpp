#include "platform/forms/richtextbox.h"

#include "platform/forms/keycodes.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"
#include "platform/vb/safe_file_writer.h"
#include "platform/vb/twips.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>

#include <algorithm>
#include <cmath>
#include <memory>

namespace forms {

namespace {

constexpr double kTwipsPerPixel = vb::kTwipsPerPixel;  // as a double: the divisions are exact
constexpr double kMinPoints = 1;
constexpr double kMaxPoints = 1638;
constexpr int kInvalidPropertyValue = 380;
constexpr int kPrinterError = 482;

// One value over many: the value while all agree, none once two differ.
template <class T>
class Uniform {
public:
    void add(const T& v) {
        if (!seen_) {
            value_ = v;
            seen_ = true;
        } else if (!(value_ == v)) {
            mixed_ = true;
        }
    }
    std::optional<T> result() const { return seen_ && !mixed_ ? std::optional<T>(value_) : std::nullopt; }

private:
    T value_{};
    bool seen_ = false;
    bool mixed_ = false;
};

// Calls `fn` with the format of every run of text that the selection covers; with nothing
// selected (or only paragraph breaks), with the caret's format.
template <class Fn>
void forEachCharFormat(const QTextEdit& edit, Fn fn) {
    const QTextCursor cursor = edit.textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    bool any = false;
    if (start < end) {
        for (QTextBlock block = edit.document()->findBlock(start); block.isValid() && block.position() < end;
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.position() + f.length() <= start || f.position() >= end) continue;
                fn(f.charFormat());
                any = true;
            }
        }
    }
    if (!any) fn(edit.currentCharFormat());
}

// The paragraphs the selection touches, the caret's paragraph when nothing is selected.
QList<QTextBlock> selectedBlocks(const QTextEdit& edit) {
    const QTextCursor cursor = edit.textCursor();
    QList<QTextBlock> blocks;
    const QTextBlock last = edit.document()->findBlock(cursor.selectionEnd());
    for (QTextBlock b = edit.document()->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
        blocks.append(b);
        if (b == last) break;
    }
    return blocks;
}

template <class T, class Fn>
std::optional<T> overFormats(const QTextEdit& edit, Fn value) {
    Uniform<T> u;
    forEachCharFormat(edit, [&](const QTextCharFormat& f) { u.add(value(f)); });
    return u.result();
}

template <class T, class Fn>
std::optional<T> overBlocks(const QTextEdit& edit, Fn value) {
    Uniform<T> u;
    for (const QTextBlock& b : selectedBlocks(edit)) u.add(value(b));
    return u.result();
}

// Applies `change` to the block format of every selected paragraph, as one undo step.
template <class Fn>
void changeBlocks(QTextEdit& edit, Fn change) {
    QTextCursor c(edit.document());
    c.beginEditBlock();
    for (const QTextBlock& b : selectedBlocks(edit)) {
        QTextBlockFormat f = b.blockFormat();
        change(b, f);
        c.setPosition(b.position());
        c.setBlockFormat(f);
    }
    c.endEditBlock();
}

// The first line's left edge and the further lines' in pixels, with the list's and block's indents.
double textLeft(const QTextBlock& b) {
    const QTextBlockFormat f = b.blockFormat();
    const double indentWidth = b.document()->indentWidth();
    double left = f.leftMargin() + f.indent() * indentWidth;
    if (const QTextList* list = b.textList()) left += list->format().indent() * indentWidth;
    return left;
}

int toTwips(double pixels) { return static_cast<int>(std::lround(pixels * kTwipsPerPixel)); }

QString plainText(QString text) {
    // The document's paragraph and line separators and no-break spaces, one for one.
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
        if (c == QChar::Nbsp) c = u' ';
    }
    return text;
}

QString oneBreakPerParagraph(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// A file error in the form the writer's errors take: the number's own text, then the file it is about.
[[noreturn]] void fileError(int number, const QString& source, const QString& path) {
    vb::raise(number, source, vb::runtimeErrorText(number) + QStringLiteral(": ") + path);
}

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE")) {
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return vb::fromCp936(bytes);
}

QByteArray encodeText(const QString& text) {
    const QByteArray ansi = vb::toCp936(text);
    if (vb::fromCp936(ansi) == text) return ansi;
    return "\xEF\xBB\xBF" + text.toUtf8();
}

// Lays the document out on the printer's pages and draws them, as QTextDocument::print does, but
// reports a printer that fails instead of printing nothing.
void printDocument(QTextDocument& doc, QPagedPaintDevice& printer, const QString& source) {
    // The usual margins of a printed page, however narrow the printer's own are.
    constexpr double kMargin = 20;
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins(QMarginsF(std::max(margins.left(), kMargin), std::max(margins.top(), kMargin),
                                     std::max(margins.right(), kMargin), std::max(margins.bottom(), kMargin)),
                           QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) vb::raise(kPrinterError, source);
    doc.documentLayout()->setPaintDevice(&printer);
    const QSizeF page(printer.width(), printer.height());
    doc.setPageSize(page);
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) vb::raise(kPrinterError, source);
        painter.save();
        painter.translate(0, -i * page.height());
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end()) vb::raise(kPrinterError, source);
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
    setTabChangesFocus(false);
}

RichTextBox::RichTextBox(const QString& name, QWidget* parent) : RichTextBox(parent) { setObjectName(name); }

QString RichTextBox::text() const { return document()->toPlainText(); }

void RichTextBox::setText(const QString& text) {
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.insertText(oneBreakPerParagraph(text), currentCharFormat());
    setTextCursor(QTextCursor(document()));
}

QByteArray RichTextBox::textRtf() const { return rtf::write(*document()); }

void RichTextBox::setTextRtf(const QByteArray& data) {
    if (!rtf::read(data, *document()).isRtf) setText(decodeText(data));
    setTextCursor(QTextCursor(document()));
}

int RichTextBox::textLength() const { return document()->characterCount() - 1; }

int RichTextBox::selStart() const { return textCursor().selectionStart(); }

void RichTextBox::setSelStart(int position) {
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(position, 0, textLength()));
    setTextCursor(c);
}

int RichTextBox::selLength() const { return textCursor().selectionEnd() - textCursor().selectionStart(); }

void RichTextBox::setSelLength(int length) {
    if (length < 0) vb::raise(kInvalidPropertyValue, objectName());
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::min(start + length, textLength()), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::selText() const { return plainText(textCursor().selectedText()); }

void RichTextBox::setSelText(const QString& text) {
    QTextCursor c = textCursor();
    c.insertText(oneBreakPerParagraph(text), currentCharFormat());
    setTextCursor(c);
}

std::optional<bool> RichTextBox::selBold() const {
    const bool byDefault = document()->defaultFont().bold();
    return overFormats<bool>(*this, [&](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() > QFont::Medium : byDefault;
    });
}

void RichTextBox::setSelBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::selItalic() const {
    const bool byDefault = document()->defaultFont().italic();
    return overFormats<bool>(*this, [&](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : byDefault;
    });
}

void RichTextBox::setSelItalic(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::selUnderline() const {
    const bool byDefault = document()->defaultFont().underline();
    return overFormats<bool>(*this, [&](const QTextCharFormat& f) {
        if (f.hasProperty(QTextFormat::TextUnderlineStyle)) {
            const auto style = f.underlineStyle();
            return style != QTextCharFormat::NoUnderline && style != QTextCharFormat::SpellCheckUnderline;
        }
        return f.hasProperty(QTextFormat::FontUnderline) ? f.fontUnderline() : byDefault;
    });
}

void RichTextBox::setSelUnderline(bool on) {
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::selStrikethru() const {
    const bool byDefault = document()->defaultFont().strikeOut();
    return overFormats<bool>(*this, [&](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : byDefault;
    });
}

void RichTextBox::setSelStrikethru(bool on) {
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeCurrentCharFormat(f);
}

std::optional<vb::OleColor> RichTextBox::selColor() const {
    const vb::OleColor byDefault = vb::fromQColor(palette().color(QPalette::Text));
    return overFormats<vb::OleColor>(*this, [&](const QTextCharFormat& f) {
        if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().style() == Qt::NoBrush) return byDefault;
        return vb::fromQColor(f.foreground().color());
    });
}

void RichTextBox::setSelColor(vb::OleColor color) {
    QTextCharFormat f;
    f.setForeground(vb::toQColor(color, palette()));
    mergeCurrentCharFormat(f);
}

std::optional<QString> RichTextBox::selFontName() const {
    const QString byDefault = document()->defaultFont().family();
    return overFormats<QString>(*this, [&](const QTextCharFormat& f) {
        const QString family = f.fontFamilies().toStringList().value(0);
        return family.isEmpty() ? byDefault : family;
    });
}

void RichTextBox::setSelFontName(const QString& name) {
    if (name.isEmpty()) return;
    QTextCharFormat f;
    f.setFontFamilies({name});
    mergeCurrentCharFormat(f);
}

std::optional<double> RichTextBox::selFontSize() const {
    const QFont font = document()->defaultFont();
    const double byDefault = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    return overFormats<double>(*this, [&](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : byDefault;
    });
}

void RichTextBox::setSelFontSize(double points) {
    if (!(points >= kMinPoints && points <= kMaxPoints)) vb::raise(kInvalidPropertyValue, objectName());
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeCurrentCharFormat(f);
}

std::optional<RtfAlignment> RichTextBox::selAlignment() const {
    return overBlocks<RtfAlignment>(*this, [](const QTextBlock& b) {
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter) return rtfCenter;
        if (a & (Qt::AlignRight | Qt::AlignTrailing)) return rtfRight;
        return rtfLeft;  // justified paragraphs read as left-aligned
    });
}

void RichTextBox::setSelAlignment(RtfAlignment alignment) {
    switch (alignment) {
    case rtfLeft:
        setAlignment(Qt::AlignLeft);
        break;
    case rtfRight:
        setAlignment(Qt::AlignRight);
        break;
    case rtfCenter:
        setAlignment(Qt::AlignHCenter);
        break;
    default:
        vb::raise(kInvalidPropertyValue, objectName());
    }
}

std::optional<bool> RichTextBox::selBullet() const {
    return overBlocks<bool>(*this, [](const QTextBlock& b) { return b.textList() != nullptr; });
}

void RichTextBox::setSelBullet(bool on) {
    const QList<QTextBlock> blocks = selectedBlocks(*this);
    QTextCursor c(document());
    c.beginEditBlock();
    if (on) {
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        QTextList* list = nullptr;
        for (const QTextBlock& b : blocks) {
            if (const QTextList* own = b.textList(); own && own->format().style() == QTextListFormat::ListDisc)
                continue;
            c.setPosition(b.position());
            // Qt draws the marker in the block's own format; a paragraph's first run gives it the
            // size and colour of its text, whatever the block was made with.
            if (b.length() > 1) c.setBlockCharFormat(b.begin().fragment().charFormat());
            if (!list) {
                list = c.createList(bullets);
            } else {
                list->add(b);
            }
        }
    } else {
        // Out of the list only: QTextList::remove would also indent the paragraph by the list's indent.
        for (const QTextBlock& b : blocks) {
            if (!b.textList()) continue;
            QTextBlockFormat f = b.blockFormat();
            f.setObjectIndex(-1);
            c.setPosition(b.position());
            c.setBlockFormat(f);
        }
    }
    c.endEditBlock();
}

std::optional<int> RichTextBox::selIndent() const {
    return overBlocks<int>(*this,
                           [](const QTextBlock& b) { return toTwips(textLeft(b) + b.blockFormat().textIndent()); });
}

void RichTextBox::setSelIndent(int twips) {
    changeBlocks(*this, [twips](const QTextBlock& b, QTextBlockFormat& f) {
        // The further lines keep their distance from the first line.
        const double shift = twips / kTwipsPerPixel - (textLeft(b) + f.textIndent());
        f.setLeftMargin(f.leftMargin() + shift);
    });
}

std::optional<int> RichTextBox::selHangingIndent() const {
    return overBlocks<int>(*this, [](const QTextBlock& b) { return toTwips(-b.blockFormat().textIndent()); });
}

void RichTextBox::setSelHangingIndent(int twips) {
    changeBlocks(*this, [twips](const QTextBlock&, QTextBlockFormat& f) {
        // The first line stays where it is; the further lines move.
        const double first = f.leftMargin() + f.textIndent();
        f.setTextIndent(-twips / kTwipsPerPixel);
        f.setLeftMargin(first + twips / kTwipsPerPixel);
    });
}

std::optional<int> RichTextBox::selRightIndent() const {
    return overBlocks<int>(*this, [](const QTextBlock& b) { return toTwips(b.blockFormat().rightMargin()); });
}

void RichTextBox::setSelRightIndent(int twips) {
    changeBlocks(*this, [twips](const QTextBlock&, QTextBlockFormat& f) { f.setRightMargin(twips / kTwipsPerPixel); });
}

std::optional<QList<int>> RichTextBox::selTabs() const {
    return overBlocks<QList<int>>(*this, [](const QTextBlock& b) {
        QList<int> stops;
        for (const QTextOption::Tab& t : b.blockFormat().tabPositions()) stops.append(toTwips(t.position));
        return stops;
    });
}

void RichTextBox::setBackColor(vb::OleColor color) {
    backColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, vb::toQColor(color, p));
    setPalette(p);
}

void RichTextBox::setLocked(bool locked) {
    setReadOnly(locked);
    if (locked) setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void RichTextBox::loadFile(const QString& path, RtfFileType type) {
    QFile file(path);
    if (!file.exists()) fileError(vb::kFileNotFound, objectName(), path);
    // A folder, a pipe or a device is no page (and a pipe would block the read).
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) fileError(vb::kPathFileAccessError, objectName(), path);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) fileError(vb::kPathFileAccessError, objectName(), path);

    // The page is read into a document that is not shown and then handed to the editor whole: read
    // into the shown one, every paragraph would be laid out as it arrived.
    QTextDocument* fresh = detachedDocument();
    if (type == rtfRTF && rtf::looksLikeRtf(data)) {
        loadedWhole_ = rtf::read(data, *fresh).whole;
    } else {
        QTextCursor(fresh).insertText(oneBreakPerParagraph(decodeText(data)), currentCharFormat());
        // A page that is no RTF keeps its form only as long as no one saves it; empty it is a new page.
        loadedWhole_ = type == rtfText || data.isEmpty();
    }
    fresh->setUndoRedoEnabled(document()->isUndoRedoEnabled());
    fresh->setModified(false);
    // The editor deletes its own first document itself; the later ones are the box's.
    const QPointer<QTextDocument> old = document();
    setDocument(fresh);
    if (old && old->parent() == this) delete old;
    setTextCursor(QTextCursor(document()));
    fileName_ = path;
}

QTextDocument* RichTextBox::detachedDocument() const {
    // Owned by the box, with the settings of the document it replaces; no undo while it is filled.
    auto* fresh = new QTextDocument(const_cast<RichTextBox*>(this));
    const QTextDocument* shown = document();
    fresh->setDefaultFont(shown->defaultFont());
    fresh->setDefaultTextOption(shown->defaultTextOption());
    fresh->setDefaultStyleSheet(shown->defaultStyleSheet());
    fresh->setIndentWidth(shown->indentWidth());
    fresh->setDocumentMargin(shown->documentMargin());
    fresh->setUseDesignMetrics(shown->useDesignMetrics());
    fresh->setUndoRedoEnabled(false);
    return fresh;
}

void RichTextBox::saveFile(const QString& path, RtfFileType type) const {
    QByteArray data;
    if (type == rtfRTF) {
        data = rtf::write(*document());
    } else {
        data = encodeText(text().replace(u'\n', QStringLiteral("\r\n")));
    }
    if (!QFileInfo(path).absoluteDir().exists()) fileError(vb::kPathNotFound, objectName(), path);
    // Written whole or not at all, keeping the page's mode; a failure says why (a full disk as such).
    vb::SafeFileWriter file(path);
    if (!file.open() || !file.write(data) || !file.commit()) vb::raiseSystemError(file.systemError(), objectName(), path);
}

void RichTextBox::selPrint(QPagedPaintDevice& printer) const {
    std::unique_ptr<QTextDocument> copy;
    if (textCursor().hasSelection()) {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(document()->defaultFont());
        copy->setIndentWidth(document()->indentWidth());
        QTextCursor(copy.get()).insertFragment(textCursor().selection());
    } else {
        copy.reset(document()->clone());
    }
    printDocument(*copy, printer, objectName());
}

void RichTextBox::keyPressEvent(QKeyEvent* event) {
    emit keyDown(keyCode(*event), shiftState(event->modifiers()));
    QTextEdit::keyPressEvent(event);
}

void RichTextBox::keyReleaseEvent(QKeyEvent* event) {
    QTextEdit::keyReleaseEvent(event);
    emit keyUp(keyCode(*event), shiftState(event->modifiers()));
}

void RichTextBox::mousePressEvent(QMouseEvent* event) {
    QTextEdit::mousePressEvent(event);
    emit mouseDown(mouseArgs(*event));
}

void RichTextBox::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    emit mouseUp(mouseArgs(*event));
}

void RichTextBox::inputMethodEvent(QInputMethodEvent* event) {
    const bool committed = !event->commitString().isEmpty();
    QTextEdit::inputMethodEvent(event);
    if (committed) emit keyUp(0, 0);
}

}  // namespace forms
