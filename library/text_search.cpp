#include "library/text_search.h"

namespace library {

namespace {

bool isLatinWordChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
}

bool standsAlone(const QString& text, qsizetype at, qsizetype length) {
    if (at > 0 && isLatinWordChar(text.at(at - 1)) && isLatinWordChar(text.at(at))) return false;
    const qsizetype end = at + length;
    if (end < text.size() && isLatinWordChar(text.at(end)) && isLatinWordChar(text.at(end - 1))) return false;
    return true;
}

}  // namespace

int32_t findText(const QString& text, const QString& what, int32_t from, bool wholeWord) {
    if (what.isEmpty()) return 0;
    qsizetype at = std::max<qsizetype>(from, 1) - 1;
    const Qt::CaseSensitivity cs = wholeWord ? Qt::CaseSensitive : Qt::CaseInsensitive;
    while (at <= text.size()) {
        at = text.indexOf(what, at, cs);
        if (at < 0) return 0;
        if (!wholeWord || standsAlone(text, at, what.size())) return static_cast<int32_t>(at + 1);
        ++at;
    }
    return 0;
}

}  // namespace library
