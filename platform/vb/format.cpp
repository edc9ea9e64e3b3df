#include "platform/vb/format.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <cstring>

namespace vb {

namespace {

struct NamedFormat {
    const char16_t* name;
    const char16_t* pattern;
};
constexpr std::array kNamedFormats{
    NamedFormat{u"Long Date", u"yyyy年m月d日"},   NamedFormat{u"Medium Date", u"dd-mmm-yy"},
    NamedFormat{u"Short Date", u"yyyy-mm-dd"},    NamedFormat{u"Long Time", u"hh:mm:ss"},
    NamedFormat{u"Medium Time", u"hh:mm AMPM"},   NamedFormat{u"Short Time", u"hh:mm"},
    NamedFormat{u"Currency", u"¥#,##0.00"},       NamedFormat{u"Fixed", u"0.00"},
    NamedFormat{u"Standard", u"#,##0.00"},        NamedFormat{u"Percent", u"0.00%"},
    NamedFormat{u"Scientific", u"0.00E+00"},
};

struct TruthWords {
    const char16_t* name;
    const char16_t* yes;
    const char16_t* no;
};
constexpr std::array kTruthFormats{
    TruthWords{u"Yes/No", u"Yes", u"No"},
    TruthWords{u"True/False", u"True", u"False"},
    TruthWords{u"On/Off", u"On", u"Off"},
};

constexpr std::array<const char*, 12> kMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                                  "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

QString pad2(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// Splits a format into its sections at ";" outside quotes and escapes.
QStringList sections(const QString& fmt) {
    QStringList out;
    QString current;
    bool quoted = false;
    for (int i = 0; i < fmt.size(); ++i) {
        const QChar c = fmt[i];
        if (c == QLatin1Char('"')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('\\') && i + 1 < fmt.size()) {
            current += c;
            current += fmt[++i];
            continue;
        }
        if (!quoted && c == QLatin1Char(';')) {
            out.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    out.append(current);
    return out;
}

// The characters of a format that are not quoted or escaped, for telling its kind.
QString bareText(const QString& fmt) {
    QString out;
    bool quoted = false;
    for (int i = 0; i < fmt.size(); ++i) {
        const QChar c = fmt[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char('\\')) {
            ++i;
        } else if (!quoted) {
            out += c;
        }
    }
    return out;
}

bool isDateFormat(const QString& fmt) {
    const QString bare = bareText(fmt).toLower();
    for (QChar c : bare)
        if (QStringLiteral("dwmqyhnsct").contains(c)) return true;
    return bare.contains(QLatin1String("am/pm")) || bare.contains(QLatin1String("a/p")) ||
           bare.contains(QLatin1String("ampm"));
}

bool isTextFormat(const QString& fmt) {
    const QString bare = bareText(fmt);
    for (QChar c : bare)
        if (QStringLiteral("@&<>!").contains(c)) return true;
    return false;
}

// ---- dates ----

struct DateToken {
    QChar letter;  // lower-case token letter; 0 for a literal, 'a' for an AM/PM marker
    int count = 0;
    QString text;  // literal text or the AM/PM marker as written
    bool minute = false;
};

QList<DateToken> dateTokens(const QString& fmt) {
    QList<DateToken> tokens;
    auto literal = [&](const QString& s) {
        if (!tokens.isEmpty() && tokens.back().letter.isNull()) tokens.back().text += s;
        else tokens.append(DateToken{QChar(), 0, s});
    };
    for (int i = 0; i < fmt.size();) {
        const QChar c = fmt[i];
        if (c == QLatin1Char('"')) {
            const int end = fmt.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? fmt.size() : end;
            literal(fmt.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < fmt.size()) literal(fmt.mid(i + 1, 1));
            i += 2;
            continue;
        }
        bool marker = false;
        for (const char* m : {"AM/PM", "A/P", "AMPM"}) {
            const QString ms = QString::fromLatin1(m);
            if (fmt.mid(i, ms.size()).compare(ms, Qt::CaseInsensitive) == 0) {
                tokens.append(DateToken{QLatin1Char('a'), 0, fmt.mid(i, ms.size())});
                i += static_cast<int>(ms.size());
                marker = true;
                break;
            }
        }
        if (marker) continue;
        const QChar lower = c.toLower();
        if (QStringLiteral("dwmqyhnsct").contains(lower)) {
            int j = i;
            while (j < fmt.size() && fmt[j].toLower() == lower) ++j;
            tokens.append(DateToken{lower, j - i, QString()});
            i = j;
            continue;
        }
        literal(QString(c));
        ++i;
    }
    // "m" right after an hour or right before a second is the minute.
    auto neighbour = [&](int from, int step) -> QChar {
        for (int k = from + step; k >= 0 && k < tokens.size(); k += step)
            if (!tokens[k].letter.isNull() && tokens[k].letter != QLatin1Char('a')) return tokens[k].letter;
        return QChar();
    };
    for (int k = 0; k < tokens.size(); ++k)
        if (tokens[k].letter == QLatin1Char('m') && tokens[k].count <= 2)
            tokens[k].minute = neighbour(k, -1) == QLatin1Char('h') || neighbour(k, 1) == QLatin1Char('s');
    return tokens;
}

QString formatDateWith(const Date& d, const QString& fmt, int firstDayOfWeek, int firstWeekOfYear);

QString generalDate(const Date& d) { return d.text(); }

QString formatDateWith(const Date& d, const QString& fmt, int firstDayOfWeek, int firstWeekOfYear) {
    const QList<DateToken> tokens = dateTokens(fmt);
    bool twelveHour = false;
    for (const auto& t : tokens)
        if (t.letter == QLatin1Char('a')) twelveHour = true;
    const int hour = d.hour();
    QString out;
    for (const auto& t : tokens) {
        if (t.letter.isNull()) {
            out += t.text;
            continue;
        }
        switch (t.letter.unicode()) {
        case 'a': {
            const bool pm = hour >= 12;
            const QString& w = t.text;
            if (w.size() == 3) {  // A/P in the case written
                const QChar letter = pm ? w[2] : w[0];
                out += letter;
            } else if (w.size() == 5) {  // AM/PM in the case written
                out += pm ? w.mid(3, 2) : w.left(2);
            } else {
                out += pm ? QStringLiteral("PM") : QStringLiteral("AM");
            }
            break;
        }
        case 'c':
            out += generalDate(d);
            break;
        case 'd':
            if (t.count == 1) out += QString::number(d.day());
            else if (t.count == 2) out += pad2(d.day());
            else if (t.count == 3) out += QString::fromLatin1(kDayNames[d.weekday() - 1]).left(3);
            else if (t.count == 4) out += QString::fromLatin1(kDayNames[d.weekday() - 1]);
            else if (t.count == 5) out += formatDateWith(d, QStringLiteral("yyyy-mm-dd"), firstDayOfWeek, firstWeekOfYear);
            else out += formatDateWith(d, QStringLiteral("yyyy年m月d日"), firstDayOfWeek, firstWeekOfYear);
            break;
        case 'w':
            out += QString::number(t.count == 1 ? weekday(d, firstDayOfWeek) : weekOfYear(d, firstDayOfWeek, firstWeekOfYear));
            break;
        case 'm':
            if (t.minute) out += t.count == 1 ? QString::number(d.minute()) : pad2(d.minute());
            else if (t.count == 1) out += QString::number(d.month());
            else if (t.count == 2) out += pad2(d.month());
            else if (t.count == 3) out += QString::fromLatin1(kMonthNames[d.month() - 1]).left(3);
            else out += QString::fromLatin1(kMonthNames[d.month() - 1]);
            break;
        case 'q':
            out += QString::number((d.month() - 1) / 3 + 1);
            break;
        case 'y':
            if (t.count == 1) out += QString::number(d.dayOfYear());
            else if (t.count <= 3) out += pad2(d.year() % 100);
            else out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            break;
        case 'h': {
            int h = hour;
            if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
            out += t.count == 1 ? QString::number(h) : pad2(h);
            break;
        }
        case 'n':
            out += t.count == 1 ? QString::number(d.minute()) : pad2(d.minute());
            break;
        case 's':
            out += t.count == 1 ? QString::number(d.second()) : pad2(d.second());
            break;
        case 't':
            if (t.count >= 5) out += d.timeText();
            else out += QString(t.count, QLatin1Char('t'));
            break;
        default:
            break;
        }
    }
    return out;
}

// ---- numbers ----

// A non-negative number rounded half away from zero to `decimals` places, as digit strings: the
// whole part without leading zeros ("" for 0) and exactly `decimals` fraction digits.
struct Digits {
    QString whole;
    QString fraction;
};

Digits roundDecimal(double a, int decimals) {
    if (a == 0 || !std::isfinite(a)) return {QString(), QString(decimals, QLatin1Char('0'))};
    const QString e = QString::number(a, 'e', 14);  // 15 significant digits, as the runtime keeps
    const int ePos = static_cast<int>(e.indexOf(QLatin1Char('e')));
    const int exponent = e.mid(ePos + 1).toInt();
    QString m = e.left(ePos);
    m.remove(QLatin1Char('.'));
    int point = exponent + 1;  // digits before the decimal point
    if (point <= 0) {
        m.prepend(QString(-point, QLatin1Char('0')));
        point = 0;
    }
    if (m.size() < point) m.append(QString(point - m.size(), QLatin1Char('0')));
    const int keep = point + decimals;
    if (m.size() > keep) {
        const bool up = m[keep] >= QLatin1Char('5');
        m.truncate(keep);
        if (up) {
            int k = keep - 1;
            while (k >= 0 && m[k] == QLatin1Char('9')) m[k--] = QLatin1Char('0');
            if (k < 0) {
                m.prepend(QLatin1Char('1'));
                ++point;
            } else {
                m[k] = QChar(m[k].unicode() + 1);
            }
        }
    } else {
        m.append(QString(keep - m.size(), QLatin1Char('0')));
    }
    QString whole = m.left(point);
    while (whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    return {whole, m.mid(point)};
}

enum class NumTok { Zero, Hash, Point, Comma, Percent, Exponent, Literal };
struct NumToken {
    NumTok kind;
    QString text;  // literal text; for Exponent the marker ("E+", "e-" ...)
};

QList<NumToken> numberTokens(const QString& fmt) {
    QList<NumToken> tokens;
    auto literal = [&](const QString& s) {
        if (!tokens.isEmpty() && tokens.back().kind == NumTok::Literal) tokens.back().text += s;
        else tokens.append({NumTok::Literal, s});
    };
    bool seenPoint = false;
    for (int i = 0; i < fmt.size(); ++i) {
        const QChar c = fmt[i];
        if (c == QLatin1Char('"')) {
            const int end = static_cast<int>(fmt.indexOf(QLatin1Char('"'), i + 1));
            const int stop = end < 0 ? static_cast<int>(fmt.size()) : end;
            literal(fmt.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < fmt.size()) literal(fmt.mid(++i, 1));
        } else if (c == QLatin1Char('0')) {
            tokens.append({NumTok::Zero, {}});
        } else if (c == QLatin1Char('#')) {
            tokens.append({NumTok::Hash, {}});
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            tokens.append({NumTok::Point, {}});
        } else if (c == QLatin1Char(',')) {
            tokens.append({NumTok::Comma, {}});
        } else if (c == QLatin1Char('%')) {
            tokens.append({NumTok::Percent, {}});
            literal(QStringLiteral("%"));
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < fmt.size() &&
                   (fmt[i + 1] == QLatin1Char('+') || fmt[i + 1] == QLatin1Char('-'))) {
            tokens.append({NumTok::Exponent, fmt.mid(i, 2)});
            ++i;
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

bool isDigitToken(const NumToken& t) { return t.kind == NumTok::Zero || t.kind == NumTok::Hash; }

// One number section applied to a non-negative value.
QString formatNumberSection(double a, const QString& fmt) {
    const QList<NumToken> tokens = numberTokens(fmt);
    int pointAt = -1, expAt = -1;
    for (int k = 0; k < tokens.size(); ++k) {
        if (tokens[k].kind == NumTok::Point && pointAt < 0 && expAt < 0) pointAt = k;
        if (tokens[k].kind == NumTok::Exponent && expAt < 0) expAt = k;
    }
    const int intEnd = pointAt >= 0 ? pointAt : (expAt >= 0 ? expAt : static_cast<int>(tokens.size()));
    const int fracEnd = expAt >= 0 ? expAt : static_cast<int>(tokens.size());

    // Integer placeholders, the mandatory ones (from the first 0 on), grouping and scaling commas.
    int intPlaces = 0, intMandatory = 0, lastIntDigit = -1, firstIntDigit = -1;
    for (int k = 0; k < intEnd; ++k)
        if (isDigitToken(tokens[k])) {
            if (firstIntDigit < 0) firstIntDigit = k;
            lastIntDigit = k;
            ++intPlaces;
            if (tokens[k].kind == NumTok::Zero || intMandatory > 0) ++intMandatory;
        }
    bool grouping = false;
    int scale = 0;
    QList<bool> commaShown(tokens.size(), false);
    for (int k = 0; k < intEnd; ++k) {
        if (tokens[k].kind != NumTok::Comma) continue;
        if (firstIntDigit >= 0 && k > firstIntDigit && k < lastIntDigit) grouping = true;
        else if (firstIntDigit >= 0 && k > lastIntDigit) ++scale;
        else commaShown[k] = true;
    }
    int percent = 0;
    for (const auto& t : tokens)
        if (t.kind == NumTok::Percent) ++percent;
    QList<int> fracKinds;  // the decimal placeholders in order (Zero or Hash)
    for (int k = pointAt + 1; pointAt >= 0 && k < fracEnd; ++k)
        if (isDigitToken(tokens[k])) fracKinds.append(tokens[k].kind == NumTok::Zero ? 1 : 0);
    int expDigits = 0;
    for (int k = expAt + 1; expAt >= 0 && k < tokens.size(); ++k)
        if (tokens[k].kind == NumTok::Zero) ++expDigits;

    double v = a * std::pow(100.0, percent) / std::pow(1000.0, scale);
    int exponent = 0;
    const int decimals = static_cast<int>(fracKinds.size());
    Digits digits;
    if (expAt >= 0) {
        const int lead = std::max(1, intPlaces);
        if (v != 0) {
            exponent = static_cast<int>(std::floor(std::log10(v))) - (lead - 1);
            digits = roundDecimal(v / std::pow(10.0, exponent), decimals);
            if (digits.whole.size() > lead) {  // rounding carried into a new digit
                ++exponent;
                digits = roundDecimal(v / std::pow(10.0, exponent), decimals);
            } else if (digits.whole.size() < lead && digits.whole.size() > 0 && lead > 1) {
                --exponent;
                digits = roundDecimal(v / std::pow(10.0, exponent), decimals);
            }
        } else {
            digits = roundDecimal(0, decimals);
        }
    } else {
        digits = roundDecimal(v, decimals);
    }

    QString whole = digits.whole;
    if (whole.size() < intMandatory) whole.prepend(QString(intMandatory - whole.size(), QLatin1Char('0')));
    if (grouping)
        for (int k = static_cast<int>(whole.size()) - 3; k > 0; k -= 3) whole.insert(k, QLatin1Char(','));

    QString out;
    int intSeen = 0, fracSeen = 0;
    for (int k = 0; k < tokens.size(); ++k) {
        const NumToken& t = tokens[k];
        switch (t.kind) {
        case NumTok::Literal:
            out += t.text;
            break;
        case NumTok::Comma:
            if (commaShown[k]) out += QLatin1Char(',');
            break;
        case NumTok::Percent:
            break;
        case NumTok::Point:
            if (k == pointAt) out += QLatin1Char('.');
            break;
        case NumTok::Exponent: {
            if (k != expAt) break;
            out += t.text[0];
            if (exponent < 0) out += QLatin1Char('-');
            else if (t.text[1] == QLatin1Char('+')) out += QLatin1Char('+');
            out += QStringLiteral("%1").arg(std::abs(exponent), std::max(1, expDigits), 10, QLatin1Char('0'));
            break;
        }
        case NumTok::Zero:
        case NumTok::Hash:
            if (k < intEnd) {
                // Digits right-aligned on the placeholders; the first one takes any excess.
                if (grouping) {
                    if (intSeen == 0) out += whole;
                } else {
                    const int index = static_cast<int>(whole.size()) - intPlaces + intSeen;
                    if (intSeen == 0 && index > 0) out += whole.left(index + 1);
                    else if (index >= 0) out += whole[index];
                }
                ++intSeen;
            } else if (k < fracEnd) {
                const int i = fracSeen++;
                bool restZero = true;
                for (int j = i; j < digits.fraction.size(); ++j)
                    if (digits.fraction[j] != QLatin1Char('0')) restZero = false;
                if (fracKinds[i] == 1 || !restZero) out += digits.fraction[i];
            }
            // Exponent placeholders are written with the exponent.
            break;
        }
    }
    return out;
}

bool allZeroDigits(const QString& s) {
    for (QChar c : s)
        if (c.isDigit() && c != QLatin1Char('0')) return false;
    return true;
}

QString formatNumber(double v, const QString& fmt) {
    const QStringList secs = sections(fmt);
    if (v == 0 && secs.size() >= 3 && !secs[2].isEmpty()) return formatNumberSection(0, secs[2]);
    if (v < 0 && secs.size() >= 2 && !secs[1].isEmpty()) return formatNumberSection(-v, secs[1]);
    const QString body = formatNumberSection(std::fabs(v), secs[0]);
    // A negative number that rounds to zero shows no sign.
    return v < 0 && !allZeroDigits(body) ? QLatin1Char('-') + body : body;
}

// ---- text ----

QString formatText(const QString& value, const QString& fmt) {
    const QStringList secs = sections(fmt);
    const QString section = value.isEmpty() && secs.size() >= 2 ? secs[1] : secs[0];
    int places = 0;
    bool leftToRight = false;
    int caseMode = 0;  // 1 lower, 2 upper
    for (QChar c : bareText(section)) {
        if (c == QLatin1Char('@') || c == QLatin1Char('&')) ++places;
        else if (c == QLatin1Char('!')) leftToRight = true;
        else if (c == QLatin1Char('<')) caseMode = 1;
        else if (c == QLatin1Char('>')) caseMode = 2;
    }
    QString text = caseMode == 1 ? value.toLower() : caseMode == 2 ? value.toUpper() : value;
    // Characters beyond the placeholders stay together at the filled side's far end.
    const int excess = std::max(0, static_cast<int>(text.size()) - places);
    int next = leftToRight ? 0 : static_cast<int>(text.size()) - places;  // index into text for the first placeholder
    QString out;
    int seen = 0;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"')) {
            const int end = static_cast<int>(section.indexOf(QLatin1Char('"'), i + 1));
            const int stop = end < 0 ? static_cast<int>(section.size()) : end;
            out += section.mid(i + 1, stop - i - 1);
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < section.size()) out += section[++i];
        } else if (c == QLatin1Char('@') || c == QLatin1Char('&')) {
            if (!leftToRight && seen == 0 && excess > 0) out += text.left(excess);
            const int index = next + seen;
            if (index >= 0 && index < text.size()) out += text[index];
            else if (c == QLatin1Char('@')) out += QLatin1Char(' ');
            ++seen;
            if (leftToRight && seen == places && excess > 0) out += text.mid(places);
        } else if (c == QLatin1Char('!') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            // flags only
        } else {
            out += c;
        }
    }
    if (places == 0) out += text;
    return out;
}

QString namedPattern(const QString& fmt) {
    for (const auto& n : kNamedFormats)
        if (fmt.compare(QString::fromUtf16(n.name), Qt::CaseInsensitive) == 0) return QString::fromUtf16(n.pattern);
    return fmt;
}

bool numericValue(const Variant& value, double* out) {
    switch (value.type()) {
    case Variant::Type::Bool:
    case Variant::Type::Int:
    case Variant::Type::Long:
    case Variant::Type::Double:
    case Variant::Type::Empty:
        *out = value.toDouble();
        return true;
    case Variant::Type::String:
        return numberFromText(value.toString(), out);
    default:
        return false;
    }
}

bool isNamedFormat(const QString& trimmed) {
    auto same = [&](const char16_t* name) { return trimmed.compare(QStringView(name), Qt::CaseInsensitive) == 0; };
    if (same(u"General Number") || same(u"General Date")) return true;
    for (const auto& n : kNamedFormats)
        if (same(n.name)) return true;
    for (const auto& t : kTruthFormats)
        if (same(t.name)) return true;
    return false;
}

// Every quote closes and every backslash escapes a character.
bool quotesAndEscapesClose(const QString& fmt) {
    bool quoted = false;
    for (int i = 0; i < fmt.size(); ++i) {
        if (fmt[i] == QLatin1Char('"')) quoted = !quoted;
        else if (!quoted && fmt[i] == QLatin1Char('\\') && ++i >= fmt.size()) return false;
    }
    return !quoted;
}

bool isLatinLetter(QChar c) { return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')); }

bool dateTokensReadable(const QString& bare) {
    const QString lower = bare.toLower();
    for (int i = 0; i < lower.size();) {
        bool marker = false;
        for (const char* m : {"am/pm", "a/p", "ampm"})
            if (lower.mid(i, static_cast<qsizetype>(std::strlen(m))) == QLatin1String(m)) {
                i += static_cast<int>(std::strlen(m));
                marker = true;
                break;
            }
        if (marker) continue;
        const QChar c = lower[i];
        int run = 1;
        while (i + run < lower.size() && lower[i + run] == c) ++run;
        if (isLatinLetter(c) && !QStringLiteral("dwmqyhnsct").contains(c)) return false;
        if (c == QLatin1Char('t') && run < 5) return false;
        i += run;
    }
    return true;
}

bool numberPlaceholdersReadable(const QString& bare) {
    for (int i = 0; i < bare.size(); ++i) {
        const QChar c = bare[i];
        if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && i + 1 < bare.size() &&
            (bare[i + 1] == QLatin1Char('+') || bare[i + 1] == QLatin1Char('-'))) {
            ++i;
            continue;
        }
        if (isLatinLetter(c)) return false;
    }
    return true;
}

bool textPlaceholdersReadable(const QString& bare) {
    for (QChar c : bare)
        if (isLatinLetter(c)) return false;
    return true;
}

}  // namespace

bool formatIsReadable(const QString& fmt) {
    const QString trimmed = fmt.trimmed();
    if (trimmed.isEmpty() || isNamedFormat(trimmed)) return true;
    if (!quotesAndEscapesClose(fmt) || sections(fmt).size() > 4) return false;
    const QString bare = bareText(fmt);
    if (isDateFormat(fmt)) return dateTokensReadable(bare);
    if (isTextFormat(fmt)) return textPlaceholdersReadable(bare);
    return numberPlaceholdersReadable(bare);
}

QString format(const Variant& value, const QString& fmtIn, int firstDayOfWeek, int firstWeekOfYear) {
    const QString trimmed = fmtIn.trimmed();
    if (value.isNull()) {
        const QStringList secs = sections(fmtIn);
        return secs.size() >= 4 ? formatNumberSection(0, secs[3]) : QString();
    }
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0) {
        if (value.type() == Variant::Type::Date || trimmed.isEmpty()) return value.toString();
        double v = 0;
        return numericValue(value, &v) ? numberText(v) : value.toString();
    }
    if (trimmed.compare(QLatin1String("General Date"), Qt::CaseInsensitive) == 0) {
        Date d;
        if (value.type() == Variant::Type::String && !Date::parse(value.toString(), &d)) return value.toString();
        return generalDate(value.toDate());
    }
    for (const auto& t : kTruthFormats)
        if (trimmed.compare(QString::fromUtf16(t.name), Qt::CaseInsensitive) == 0) {
            double v = 0;
            if (!numericValue(value, &v)) return value.toString();
            return QString::fromUtf16(v != 0 ? t.yes : t.no);
        }

    const QString fmt = namedPattern(fmtIn);
    if (isDateFormat(fmt)) {
        Date d;
        double v = 0;
        if (value.type() == Variant::Type::Date) d = value.toDate();
        else if (value.type() == Variant::Type::String && Date::parse(value.toString(), &d)) {
        } else if (numericValue(value, &v)) d = Date(v);
        else return value.toString();
        return formatDateWith(d, fmt, firstDayOfWeek, firstWeekOfYear);
    }
    if (isTextFormat(fmt)) return formatText(value.isEmpty() ? QString() : value.toString(), fmt);
    double v = 0;
    if (value.type() == Variant::Type::Date) v = value.toDate().serial();
    else if (!numericValue(value, &v)) return value.toString();
    return formatNumber(v, fmt);
}

}  // namespace vb
