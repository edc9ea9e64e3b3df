#include "core/text_helpers.h"

#include "core/main_window_host.h"
#include "core/wait_cursor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace core {

namespace {

bool isWholeWordAt(const QString& text, qsizetype pos, qsizetype length) {
    const bool startsWord = pos == 0 || text.at(pos - 1) == u' ';
    const qsizetype end = pos + length;
    const bool endsWord = end == text.size() || text.at(end) == u' ';
    return startsWord && endsWord;
}

bool isBreakChar(QChar c) { return c == u' ' || c == u'\r' || c == u'\n'; }

// Removes the run of blanks, CRs and LFs that starts at `pos`.
void removeBreakRun(QString& s, qsizetype pos) {
    qsizetype end = pos;
    while (end < s.size() && isBreakChar(s.at(end))) ++end;
    s.remove(pos, end - pos);
}

QString trimBlanks(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first) == u' ') ++first;
    while (last > first && text.at(last - 1) == u' ') --last;
    return text.mid(first, last - first);
}

}  // namespace

void ReplaceAll(QString& text, const QString& find, const QString& replacement, bool wholeWord) {
    if (find.isEmpty()) return;
    qsizetype start = 0;
    for (;;) {
        const qsizetype p = text.indexOf(find, start, Qt::CaseSensitive);
        if (p < 0) return;
        if (!wholeWord || isWholeWordAt(text, p, find.size())) {
            text.replace(p, find.size(), replacement);
            start = p + replacement.size();
        } else {
            start = p + 1;
        }
    }
}

bool FileExists(const QString& path) {
    // Only a regular file: opening a pipe to look would wait for a writer.
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    file.close();
    return true;
}

QList<word> SplitWords(QString& text, const QString& delimiter) {
    chourglass hourglass;
    QString s = trimBlanks(text);

    for (qsizetype cr = s.indexOf(QStringLiteral("\r\n")); cr >= 0; cr = s.indexOf(QStringLiteral("\r\n"), cr))
        s.replace(cr, 1, QStringLiteral("  "));

    if (!delimiter.isEmpty()) {
        qsizetype from = 0;
        for (;;) {
            const qsizetype f = s.indexOf(delimiter, from);
            if (f < 0) {
                removeBreakRun(s, 0);
                break;
            }
            removeBreakRun(s, f + delimiter.size());
            from = f + delimiter.size();
        }
    }
    text = s;

    QList<word> words;
    qsizetype start = 0;
    for (;;) {
        const qsizetype f = delimiter.isEmpty() ? -1 : s.indexOf(delimiter, start);
        word w;
        w.setValue(f < 0 ? s.mid(start) : s.mid(start, f + delimiter.size() - start));
        words.append(w);
        QCoreApplication::processEvents();
        if (f < 0) break;
        start = f + delimiter.size();
    }
    return words;
}

void ReleaseCursor() {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

void UnloadMainForm() {
    MainWindowHost* host = mainWindowHost();
    if (!host) return;
    host->unloadWindow();
    QCoreApplication::processEvents();
}

}  // namespace core
