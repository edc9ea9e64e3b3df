#include "tools/workdb-gen/page_rtf.h"

#include "platform/vb/codepage936.h"

namespace workdbgen {

namespace {

// The text of a line as RTF: RTF's own characters escaped, every other byte above 0x7F as \'xx, and
// a character the code page lacks as \uN with "?" for readers that don't know \u.
QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            const QByteArray bytes = vb::toCp936(QString(c));
            if (bytes == "?") {
                out += "\\u" + QByteArray::number(static_cast<int16_t>(u)) + '?';
                continue;
            }
            for (const char b : bytes) {
                out += "\\'";
                out += QByteArray::number(static_cast<unsigned char>(b), 16).rightJustified(2, '0');
            }
        }
    }
    return out;
}

}  // namespace

QByteArray pageRtf(const QStringList& lines) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                     "{\\fonttbl{\\f0\\fnil\\fcharset134 " + escaped(QStringLiteral("宋体")) + ";}}\r\n"
                     "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs21 ";
    for (int i = 0; i < lines.size(); ++i) {
        if (i == 0) rtf += "\\b " + escaped(lines[i]) + "\\b0\\par\r\n";
        else rtf += escaped(lines[i]) + "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}

}  // namespace workdbgen
