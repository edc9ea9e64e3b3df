#pragma once
// The code pages of RTF text: which code page a font's character set means, and bytes of a code
// page to text.
#include "platform/vb/code_page_converter.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>

namespace rtf {

inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageWestern = 1252;

// The code page of an RTF \fcharset value; `documentCodePage` for the default character set (1) and
// for values the table does not know.
int codePageOfCharset(int charset, int documentCodePage);

// Decodes bytes of Windows code pages. Converters are opened once per code page and kept for the
// decoder's lifetime; a code page the system cannot convert is read as Latin-1, and a byte sequence
// that is not valid in its code page becomes U+FFFD.
class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    QString decode(const QByteArray& bytes, int codePage);

private:
    std::map<int, std::unique_ptr<vb::CodePageConverter>> converters_;
};

}  // namespace rtf
