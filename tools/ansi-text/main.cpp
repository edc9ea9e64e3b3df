// ansi-text <in.txt> <out.txt>: the UTF-8 source in code page 936 with CR LF line ends. A character
// that the code page lacks stops the build rather than reaching the reader as "?".
#include "platform/vb/codepage936.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ansi-text <in.txt> <out.txt>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "ansi-text: cannot read %s\n", argv[1]);
        return 1;
    }
    QString text = QString::fromUtf8(in.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));

    const QByteArray bytes = vb::toCp936(text);
    if (vb::fromCp936(bytes) != text) {
        for (const QChar c : text) {
            if (vb::fromCp936(vb::toCp936(QString(c))) != QString(c)) {
                std::fprintf(stderr, "ansi-text: %s: U+%04X has no code in code page 936\n", argv[1],
                             c.unicode());
                break;
            }
        }
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "ansi-text: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
