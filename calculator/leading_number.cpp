#include "calculator/leading_number.h"

#include "platform/vb/variant.h"

#include <cmath>

namespace calculator {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isLeadingBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

}  // namespace

std::optional<double> LeadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isLeadingBlank(text[i])) ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    bool point = false;
    int digits = 0;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return 0.0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
        }
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    if (ok) return v;
    // toDouble reports both overflow (infinity) and underflow (0) as failures.
    if (std::isinf(v)) return std::nullopt;
    return 0.0;
}

std::optional<long> LeadingCount(QStringView text) {
    const std::optional<double> v = LeadingNumber(text);
    if (!v) return std::nullopt;
    const double r = vb::roundHalfEven(*v);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<long>(r);
}

}  // namespace calculator
