#include "platform/dao/jet_sql.h"

#include "platform/dao/sql_lexer.h"
#include "platform/vb/date.h"

#include <QRegularExpression>

#include <array>

namespace dao::detail {

namespace {

Token word(const QString& text) { return Token{TokenKind::Word, text}; }

// #m/d/yyyy [h:mm[:ss] [AM|PM]]# (the engine's order) or #yyyy-mm-dd [hh:mm[:ss]]#.
bool parseJetDate(const QString& literal, double* serial) {
    const QString body = literal.mid(1, literal.size() - 2).trimmed();
    vb::Date d;
    if (vb::Date::parse(body, &d)) {
        *serial = d.serial();
        return true;
    }
    static const QRegularExpression us(QStringLiteral(
        R"(^(\d{1,2})/(\d{1,2})/(\d{2,4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*([AaPp][Mm])?)?$)"));
    const auto m = us.match(body);
    if (!m.hasMatch()) return false;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() <= 2) year += year < 30 ? 2000 : 1900;
    const int month = m.captured(1).toInt(), day = m.captured(2).toInt();
    if (!QDate::isValid(year, month, day)) return false;
    int hour = m.captured(4).toInt();
    const QString ampm = m.captured(7).toUpper();
    if (ampm == QLatin1String("PM") && hour < 12) hour += 12;
    if (ampm == QLatin1String("AM") && hour == 12) hour = 0;
    *serial = vb::Date::fromParts(year, month, day, hour, m.captured(5).toInt(), m.captured(6).toInt()).serial();
    return true;
}

QString quoteText(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

// Splits tokens [begin, end) at the commas of nesting depth 0.
QList<std::pair<int, int>> splitAtCommas(const Tokens& t, int begin, int end) {
    QList<std::pair<int, int>> parts;
    int depth = 0, start = begin;
    for (int i = begin; i < end; ++i) {
        if (t[i].isSymbol('(')) ++depth;
        else if (t[i].isSymbol(')')) --depth;
        else if (depth == 0 && t[i].isSymbol(',')) {
            parts.append({start, i});
            start = i + 1;
        }
    }
    parts.append({start, end});
    return parts;
}

int previousSolid(const Tokens& t, int from) {
    int i = from;
    while (i >= 0 && t[i].kind == TokenKind::Space) --i;
    return i;
}

// The general rewrite of tokens [begin, end) into `out`.
void rewrite(const Tokens& t, int begin, int end, Tokens& out) {
    for (int i = begin; i < end; ++i) {
        const Token& tok = t[i];
        switch (tok.kind) {
        case TokenKind::Word: {
            const int next = nextSolid(t, i + 1);
            const int prev = previousSolid(t, i - 1);
            const bool qualified = prev >= begin && t[prev].isSymbol('.');
            // Count(iif(c, literal, Null)) counts the rows where c holds: as a filtered count(*), the
            // aggregate runs only for those rows instead of for every row.
            if (tok.isWord("count") && !qualified && next < end && t[next].isSymbol('(')) {
                const int close = matchingParen(t, next);
                const int inner = nextSolid(t, next + 1);
                const int open = inner < end ? nextSolid(t, inner + 1) : end;
                if (close > 0 && close < end && inner < close && t[inner].isWord("iif") && open < close &&
                    t[open].isSymbol('(') && matchingParen(t, open) == previousSolid(t, close - 1)) {
                    auto args = splitAtCommas(t, open + 1, matchingParen(t, open));
                    for (auto& [b, e] : args) {
                        while (b < e && t[b].kind == TokenKind::Space) ++b;
                        while (e > b && t[e - 1].kind == TokenKind::Space) --e;
                    }
                    const auto single = [&](const std::pair<int, int>& a) { return a.second - a.first == 1; };
                    if (args.size() == 3 && single(args[1]) && single(args[2]) && t[args[2].first].isWord("null") &&
                        (t[args[1].first].kind == TokenKind::Number || t[args[1].first].kind == TokenKind::String)) {
                        out.append(word(QStringLiteral("count(*) FILTER (WHERE (")));
                        rewrite(t, args[0].first, args[0].second, out);
                        out.append(word(QStringLiteral("))")));
                        i = close;
                        break;
                    }
                }
            }
            if (tok.isWord("iif") && !qualified && next < end && t[next].isSymbol('(')) {
                const int close = matchingParen(t, next);
                if (close > 0 && close < end) {
                    auto args = splitAtCommas(t, next + 1, close);
                    for (auto& [b, e] : args) {
                        while (b < e && t[b].kind == TokenKind::Space) ++b;
                        while (e > b && t[e - 1].kind == TokenKind::Space) --e;
                    }
                    if (args.size() == 3) {
                        out.append(Token{TokenKind::Symbol, QStringLiteral("(")});
                        out.append(word(QStringLiteral("CASE WHEN ")));
                        rewrite(t, args[0].first, args[0].second, out);
                        out.append(word(QStringLiteral(" THEN ")));
                        rewrite(t, args[1].first, args[1].second, out);
                        out.append(word(QStringLiteral(" ELSE ")));
                        rewrite(t, args[2].first, args[2].second, out);
                        out.append(word(QStringLiteral(" END")));
                        out.append(Token{TokenKind::Symbol, QStringLiteral(")")});
                        i = close;
                        break;
                    }
                }
            }
            const bool called = next < end && (t[next].isSymbol('(') || t[next].isSymbol('.'));
            if (!qualified && !called && tok.isWord("true")) {
                out.append(Token{TokenKind::Number, QStringLiteral("-1")});
            } else if (!qualified && !called && tok.isWord("false")) {
                out.append(Token{TokenKind::Number, QStringLiteral("0")});
            } else if (tok.isWord("distinctrow")) {
                // Jet's row-level DISTINCT: every table row is distinct already.
            } else if (tok.isWord("like") && next < end &&
                       (t[next].kind == TokenKind::String || t[next].kind == TokenKind::DoubleQuoted)) {
                out.append(tok);
                for (int k = i + 1; k < next; ++k) out.append(t[k]);
                QString pattern = t[next].text.mid(1, t[next].text.size() - 2);
                pattern.replace(t[next].kind == TokenKind::String ? QLatin1String("''") : QLatin1String("\"\""),
                                t[next].kind == TokenKind::String ? QLatin1String("'") : QLatin1String("\""));
                pattern.replace(QLatin1Char('*'), QLatin1Char('%')).replace(QLatin1Char('?'), QLatin1Char('_'));
                out.append(Token{TokenKind::String, quoteText(pattern)});
                i = next;
            } else {
                out.append(tok);
            }
            break;
        }
        case TokenKind::DoubleQuoted: {
            QString text = nameOf(tok);
            text.replace(QLatin1String("\"\""), QLatin1String("\""));
            out.append(Token{TokenKind::String, quoteText(text)});
            break;
        }
        case TokenKind::DateLiteral: {
            double serial = 0;
            if (parseJetDate(tok.text, &serial))
                out.append(Token{TokenKind::Number, QString::number(serial, 'g', 17)});
            else
                out.append(tok);
            break;
        }
        case TokenKind::Symbol:
            if (tok.isSymbol('&')) out.append(Token{TokenKind::Symbol, QStringLiteral("||")});
            else out.append(tok);
            break;
        default: out.append(tok);
        }
    }
}

// ---- DDL ----

struct TypeMapping {
    const char* jet;
    const char* sqlite;  // nullptr: keep the written type
    bool text;
};
constexpr std::array kDdlTypes{
    TypeMapping{"TEXT", nullptr, true},          TypeMapping{"VARCHAR", nullptr, true},
    TypeMapping{"CHAR", nullptr, true},          TypeMapping{"NVARCHAR", nullptr, true},
    TypeMapping{"NCHAR", nullptr, true},         TypeMapping{"CHARACTER", nullptr, true},
    TypeMapping{"LONGTEXT", nullptr, true},      TypeMapping{"LONGCHAR", nullptr, true},
    TypeMapping{"MEMO", "LONGTEXT", true},       TypeMapping{"NOTE", "LONGTEXT", true},
    TypeMapping{"HYPERLINK", "LONGTEXT", true},  TypeMapping{"STRING", "VARCHAR", true},
    TypeMapping{"ALPHANUMERIC", "VARCHAR", true},
    TypeMapping{"LONGBINARY", "BLOB", false},    TypeMapping{"BINARY", "BLOB", false},
    TypeMapping{"VARBINARY", "BLOB", false},     TypeMapping{"IMAGE", "BLOB", false},
    TypeMapping{"OLEOBJECT", "BLOB", false},     TypeMapping{"GENERAL", "BLOB", false},
};

bool isCounterType(const Token& t) {
    return t.isWord("counter") || t.isWord("autoincrement") || t.isWord("identity") || t.isWord("autonumber");
}

// One column definition [begin, end): returns its rewritten tokens; sets *counter for an autonumber.
Tokens columnDefinition(const Tokens& t, int begin, int end, QString* counterName) {
    Tokens out;
    const int nameAt = nextSolid(t, begin);
    const int typeAt = nextSolid(t, nameAt + 1);
    if (nameAt >= end || typeAt >= end || t[typeAt].kind != TokenKind::Word) {
        for (int i = begin; i < end; ++i) out.append(t[i]);
        return out;
    }
    for (int i = begin; i < typeAt; ++i) out.append(t[i]);
    int rest = typeAt + 1;
    const int afterType = nextSolid(t, rest);
    const bool sized = afterType < end && t[afterType].isSymbol('(');
    const int sizeEnd = sized ? matchingParen(t, afterType) : -1;
    bool hasCollate = false;
    for (int i = rest; i < end; ++i) hasCollate = hasCollate || t[i].isWord("collate");

    if (isCounterType(t[typeAt])) {
        *counterName = nameOf(t[nameAt]);
        out.append(word(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")));
        if (sizeEnd > 0) rest = sizeEnd + 1;
        // The autonumber is the key already: drop a PRIMARY KEY (and its CONSTRAINT name) written after it.
        for (int i = rest; i < end; ++i) {
            if (t[i].isWord("constraint")) {
                const int n = nextSolid(t, i + 1), p = nextSolid(t, n + 1);
                if (p < end && t[p].isWord("primary")) {
                    i = nextSolid(t, p + 1);
                    continue;
                }
            }
            if (t[i].isWord("primary")) {
                i = nextSolid(t, i + 1);
                continue;
            }
            out.append(t[i]);
        }
        return out;
    }
    const QString type = t[typeAt].text.toUpper();
    const TypeMapping* mapping = nullptr;
    for (const auto& m : kDdlTypes)
        if (type == QLatin1String(m.jet)) mapping = &m;
    if (!mapping) {
        for (int i = typeAt; i < end; ++i) out.append(t[i]);
        return out;
    }
    out.append(mapping->sqlite ? word(QString::fromLatin1(mapping->sqlite)) : t[typeAt]);
    const bool keepSize = mapping->text && sizeEnd > 0;
    if (keepSize)
        for (int i = rest; i <= sizeEnd; ++i) out.append(t[i]);
    if (sizeEnd > 0) rest = sizeEnd + 1;
    if (mapping->text && !hasCollate) out.append(word(QStringLiteral(" COLLATE NOCASE")));
    for (int i = rest; i < end; ++i) {
        // Jet's Unicode compression has no meaning here.
        if (t[i].isWord("with")) {
            const int n = nextSolid(t, i + 1);
            if (n < end && (t[n].isWord("compression") || t[n].isWord("comp"))) {
                i = n;
                continue;
            }
        }
        out.append(t[i]);
    }
    return out;
}

// A table constraint "[CONSTRAINT x] PRIMARY KEY (col)" on the autonumber alone.
bool isCounterKeyConstraint(const Tokens& t, int begin, int end, const QStringList& counters) {
    int i = nextSolid(t, begin);
    if (i < end && t[i].isWord("constraint")) i = nextSolid(t, nextSolid(t, i + 1) + 1);
    if (i >= end || !t[i].isWord("primary")) return false;
    const int open = nextSolid(t, nextSolid(t, i + 1) + 1);
    if (open >= end || !t[open].isSymbol('(')) return false;
    const int col = nextSolid(t, open + 1);
    const int close = nextSolid(t, col + 1);
    return close < end && t[close].isSymbol(')') && counters.contains(nameOf(t[col]), Qt::CaseInsensitive);
}

bool startsTableConstraint(const Tokens& t, int begin, int end) {
    const int i = nextSolid(t, begin);
    return i < end && (t[i].isWord("constraint") || t[i].isWord("primary") || t[i].isWord("unique") ||
                       t[i].isWord("foreign") || t[i].isWord("check"));
}

Tokens createTable(const Tokens& t) {
    int open = -1;
    for (int i = 0; i < t.size() && open < 0; ++i)
        if (t[i].isSymbol('(')) open = i;
    const int close = open < 0 ? -1 : matchingParen(t, open);
    if (close < 0) return t;

    struct Item {
        Tokens tokens;
        bool counterKey = false;  // a table constraint naming the autonumber as key
    };
    QList<Item> items;
    QStringList counters;
    const auto parts = splitAtCommas(t, open + 1, close);
    for (const auto& [b, e] : parts) {
        if (startsTableConstraint(t, b, e)) {
            items.append({Tokens(t.mid(b, e - b))});
            continue;
        }
        QString counter;
        items.append({columnDefinition(t, b, e, &counter)});
        if (!counter.isEmpty()) counters.append(counter);
    }
    for (qsizetype k = 0; k < items.size(); ++k)
        items[k].counterKey = startsTableConstraint(t, parts[k].first, parts[k].second) &&
                              isCounterKeyConstraint(t, parts[k].first, parts[k].second, counters);

    Tokens out(t.mid(0, open + 1));
    bool first = true;
    for (const Item& item : items) {
        if (item.counterKey) continue;  // the autonumber is the key already
        if (!first) out.append(Token{TokenKind::Symbol, QStringLiteral(",")});
        out.append(item.tokens);
        first = false;
    }
    out.append(t.mid(close));
    return out;
}

Tokens alterTable(const Tokens& t) {
    // ALTER TABLE x ADD [COLUMN] definition
    for (int i = 0; i < t.size(); ++i) {
        if (!t[i].isWord("add")) continue;
        int def = nextSolid(t, i + 1);
        if (def < t.size() && t[def].isWord("column")) def = nextSolid(t, def + 1);
        QString counter;
        Tokens out(t.mid(0, i + 1));
        out.append(word(QStringLiteral(" COLUMN ")));
        out.append(columnDefinition(t, def, t.size(), &counter));
        return out;
    }
    return t;
}

// True when the top level of a SELECT has no clause that merges or invents rows.
bool rowsAreTableRows(const Tokens& t) {
    int depth = 0;
    int froms = 0;
    for (const Token& tok : t) {
        if (tok.isSymbol('(')) ++depth;
        else if (tok.isSymbol(')')) --depth;
        else if (depth == 0) {
            if (tok.isWord("distinct") || tok.isWord("group") || tok.isWord("union") || tok.isWord("intersect") ||
                tok.isWord("except") || tok.isWord("having") || tok.isWord("with") || tok.isWord("values"))
                return false;
            if (tok.isWord("from")) ++froms;
        }
    }
    return froms == 1;
}

}  // namespace

JetStatement translateJetSql(const QString& jetSql) {
    const Tokens in = tokenize(jetSql);
    Tokens t;
    t.reserve(in.size());
    rewrite(in, 0, int(in.size()), t);

    JetStatement st;
    const int first = nextSolid(t, 0);
    const Token lead = first < t.size() ? t[first] : Token{TokenKind::Space, QString()};
    if (lead.isWord("select")) {
        st.kind = StatementKind::Select;
        st.plainSelect = rowsAreTableRows(t);
        if (st.plainSelect) {
            Tokens keyed(t.mid(0, first + 1));
            int rest = first + 1;
            const int next = nextSolid(t, rest);
            if (next < t.size() && t[next].isWord("all")) {
                keyed.append(t.mid(rest, next + 1 - rest));
                rest = next + 1;
            }
            keyed.append(word(QStringLiteral(" rowid,")));
            keyed.append(t.mid(rest));
            st.keyedSql = joinTokens(keyed);
        }
    } else if (lead.isWord("insert") || lead.isWord("update") || lead.isWord("delete") || lead.isWord("replace")) {
        st.kind = StatementKind::Dml;
    } else if (lead.isWord("create") || lead.isWord("drop") || lead.isWord("alter")) {
        st.kind = StatementKind::Ddl;
        const int second = nextSolid(t, first + 1);
        if (second < t.size() && t[second].isWord("table")) {
            if (lead.isWord("create")) t = createTable(t);
            else if (lead.isWord("alter")) t = alterTable(t);
        }
    }
    st.sql = joinTokens(t);
    return st;
}

bool isTableName(const QString& source, QString* name) {
    // Statements have blanks; a bracketed name may have them too.
    const QString trimmed = source.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        for (QChar c : trimmed)
            if (c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char('*')) return false;
    const Tokens t = tokenize(trimmed);
    if (t.size() != 1) return false;
    const Token& tok = t[0];
    if (tok.kind == TokenKind::Word) {
        static const char* const kStatements[] = {"select", "insert", "update", "delete", "create", "drop",
                                                  "alter", "transform", "parameters", "with", "pragma"};
        for (const char* k : kStatements)
            if (tok.isWord(k)) return false;
    } else if (tok.kind != TokenKind::Bracketed && tok.kind != TokenKind::Backticked) {
        return false;
    }
    *name = nameOf(tok);
    return true;
}

}  // namespace dao::detail
