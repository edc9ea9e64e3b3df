#pragma once
// The calculator's display: a multi-line text box without scroll bars whose text wraps at word
// boundaries (a word longer than a line is broken), with a length limit, a Change event for every
// change of its text (typed or set) and a GotFocus event. Enter is left to the window (its default
// button), never typed into the expression as a line break.
#include <QPlainTextEdit>
#include <QString>

namespace calculator {

class DisplayBox : public QPlainTextEdit {
    Q_OBJECT
public:
    DisplayBox(const QString& name, QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    // Text beyond MaxLength is cut off, as the box never holds more.
    void setText(const QString& text);

    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; }

    // The number of lines the text takes at the box's present width (1 for an empty box).
    int LineCount() const;

signals:
    void Change();
    void GotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void textEdited();

    int maxLength_ = 0;  // 0: no limit
    QString accepted_;   // the text as of the last Change
    bool settingText_ = false;
};

}  // namespace calculator
