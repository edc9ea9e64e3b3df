#include "calculator/display_box.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

namespace calculator {

DisplayBox::DisplayBox(const QString& name, QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(name);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
    connect(this, &QPlainTextEdit::textChanged, this, &DisplayBox::textEdited);
}

void DisplayBox::setText(const QString& text) {
    const QString kept = maxLength_ > 0 ? text.left(maxLength_) : text;
    if (kept == toPlainText()) return;
    {
        // The change is told from here, once Qt is done with the document: a listener's fault then
        // unwinds through this box only, never through Qt's text code.
        const QScopedValueRollback<bool> quiet(settingText_, true);
        setPlainText(kept);
        moveCursor(QTextCursor::End);
    }
    textEdited();
}

void DisplayBox::textEdited() {
    if (settingText_) return;
    const QString now = toPlainText();
    if (maxLength_ > 0 && now.size() > maxLength_) {
        // Typing or pasting past the limit is refused: the text stays as it was.
        const int position = std::min<int>(textCursor().position() - (now.size() - accepted_.size()), accepted_.size());
        {
            const QSignalBlocker quiet(this);
            setPlainText(accepted_);
        }
        QTextCursor c = textCursor();
        c.setPosition(std::max(0, position));
        setTextCursor(c);
        return;
    }
    if (now == accepted_) return;
    accepted_ = now;
    emit Change();
}

int DisplayBox::LineCount() const {
    const qreal width = contentsRect().width() - 2 * document()->documentMargin();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        int blockLines = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max<qreal>(1, width));
            ++blockLines;
        }
        layout.endLayout();
        lines += std::max(1, blockLines);
    }
    return std::max(1, lines);
}

void DisplayBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DisplayBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    emit GotFocus();
}

}  // namespace calculator
