#pragma once
// Names of fields, tables and keywords match without regard to case, as the engine matches them.
// Almost every name is ASCII and spelled as written: those are settled here without Qt's full
// case folding, which costs more than the lookups that ask.
#include <QLatin1StringView>
#include <QStringView>

namespace dao::detail {

template <typename Other>
bool sameName(QStringView a, const Other& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = QChar(b[i]).unicode();
        if (x == y) continue;
        if (x >= 0x80 || y >= 0x80) return QStringView(a).compare(b, Qt::CaseInsensitive) == 0;
        const char16_t lx = x >= 'A' && x <= 'Z' ? char16_t(x + 32) : x;
        const char16_t ly = y >= 'A' && y <= 'Z' ? char16_t(y + 32) : y;
        if (lx != ly) return false;
    }
    return true;
}

}  // namespace dao::detail
