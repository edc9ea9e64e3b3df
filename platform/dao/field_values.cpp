#include "platform/dao/field_values.h"

#include "platform/dao/dao.h"

#include <sqlite3.h>

#include <array>
#include <cmath>
#include <cstring>

namespace dao::detail {

namespace {
struct DeclaredType {
    const char* name;
    FieldKind kind;
};
constexpr std::array kDeclaredTypes{
    DeclaredType{"BIT", FieldKind::Bool},          DeclaredType{"YESNO", FieldKind::Bool},
    DeclaredType{"BOOLEAN", FieldKind::Bool},      DeclaredType{"BOOL", FieldKind::Bool},
    DeclaredType{"LOGICAL", FieldKind::Bool},      DeclaredType{"LOGICAL1", FieldKind::Bool},
    DeclaredType{"SMALLINT", FieldKind::Int16},    DeclaredType{"SHORT", FieldKind::Int16},
    DeclaredType{"INTEGER2", FieldKind::Int16},    DeclaredType{"INT2", FieldKind::Int16},
    DeclaredType{"BYTE", FieldKind::Int16},        DeclaredType{"TINYINT", FieldKind::Int16},
    DeclaredType{"INTEGER1", FieldKind::Int16},    DeclaredType{"INTEGER", FieldKind::Int32},
    DeclaredType{"INT", FieldKind::Int32},         DeclaredType{"LONG", FieldKind::Int32},
    DeclaredType{"INTEGER4", FieldKind::Int32},    DeclaredType{"INT4", FieldKind::Int32},
    DeclaredType{"COUNTER", FieldKind::Int32},     DeclaredType{"AUTOINCREMENT", FieldKind::Int32},
    DeclaredType{"AUTONUMBER", FieldKind::Int32},  DeclaredType{"IDENTITY", FieldKind::Int32},
    DeclaredType{"MEDIUMINT", FieldKind::Int32},   DeclaredType{"BIGINT", FieldKind::Int32},
    DeclaredType{"DOUBLE", FieldKind::Double},     DeclaredType{"REAL", FieldKind::Double},
    DeclaredType{"FLOAT", FieldKind::Double},      DeclaredType{"FLOAT8", FieldKind::Double},
    DeclaredType{"FLOAT4", FieldKind::Double},     DeclaredType{"SINGLE", FieldKind::Double},
    DeclaredType{"NUMBER", FieldKind::Double},     DeclaredType{"NUMERIC", FieldKind::Double},
    DeclaredType{"DECIMAL", FieldKind::Double},    DeclaredType{"CURRENCY", FieldKind::Double},
    DeclaredType{"MONEY", FieldKind::Double},      DeclaredType{"IEEEDOUBLE", FieldKind::Double},
    DeclaredType{"IEEESINGLE", FieldKind::Double}, DeclaredType{"DATETIME", FieldKind::Date},
    DeclaredType{"DATE", FieldKind::Date},         DeclaredType{"TIME", FieldKind::Date},
    DeclaredType{"TIMESTAMP", FieldKind::Date},    DeclaredType{"TEXT", FieldKind::Text},
    DeclaredType{"VARCHAR", FieldKind::Text},      DeclaredType{"CHAR", FieldKind::Text},
    DeclaredType{"NVARCHAR", FieldKind::Text},     DeclaredType{"NCHAR", FieldKind::Text},
    DeclaredType{"CHARACTER", FieldKind::Text},    DeclaredType{"MEMO", FieldKind::Text},
    DeclaredType{"LONGTEXT", FieldKind::Text},     DeclaredType{"LONGCHAR", FieldKind::Text},
    DeclaredType{"NOTE", FieldKind::Text},         DeclaredType{"STRING", FieldKind::Text},
    DeclaredType{"ALPHANUMERIC", FieldKind::Text}, DeclaredType{"CLOB", FieldKind::Text},
    DeclaredType{"HYPERLINK", FieldKind::Text},    DeclaredType{"NTEXT", FieldKind::Text},
    DeclaredType{"LONGBINARY", FieldKind::Binary}, DeclaredType{"BLOB", FieldKind::Binary},
    DeclaredType{"IMAGE", FieldKind::Binary},      DeclaredType{"BINARY", FieldKind::Binary},
    DeclaredType{"VARBINARY", FieldKind::Binary},  DeclaredType{"OLEOBJECT", FieldKind::Binary},
    DeclaredType{"GENERAL", FieldKind::Binary},
};

bool isNameChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; }

QString textOf(sqlite3_stmt* stmt, int col) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, col));
}

QByteArray bytesOf(sqlite3_stmt* stmt, int col) {
    const void* blob = sqlite3_column_blob(stmt, col);
    return QByteArray(static_cast<const char*>(blob), sqlite3_column_bytes(stmt, col));
}

vb::Variant number(sqlite3_stmt* stmt, int col) {
    if (sqlite3_column_type(stmt, col) == SQLITE_INTEGER) return vb::Variant(static_cast<long long>(sqlite3_column_int64(stmt, col)));
    return vb::Variant(sqlite3_column_double(stmt, col));
}

vb::Variant storedAsIs(sqlite3_stmt* stmt, int col) {
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return number(stmt, col);
    case SQLITE_TEXT: return vb::Variant(textOf(stmt, col));
    case SQLITE_BLOB: return vb::Variant(bytesOf(stmt, col));
    default: return vb::Variant::null();
    }
}
}  // namespace

FieldType fieldTypeFromDeclared(const char* declared) {
    FieldType t;
    if (!declared) return t;
    while (*declared == ' ') ++declared;
    size_t n = 0;
    while (isNameChar(declared[n])) ++n;
    for (const auto& d : kDeclaredTypes) {
        if (std::strlen(d.name) == n && qstrnicmp(declared, d.name, n) == 0) {
            t.kind = d.kind;
            break;
        }
    }
    if (t.kind == FieldKind::Text) {
        const char* p = declared + n;
        while (*p == ' ') ++p;
        if (*p == '(') t.width = std::atoi(p + 1);
    }
    return t;
}

vb::Variant readColumn(sqlite3_stmt* stmt, int col, FieldKind kind) {
    const int stored = sqlite3_column_type(stmt, col);
    if (stored == SQLITE_NULL) return vb::Variant::null();
    const bool numeric = stored == SQLITE_INTEGER || stored == SQLITE_FLOAT;
    switch (kind) {
    case FieldKind::Any: return storedAsIs(stmt, col);
    case FieldKind::Bool:
        if (numeric) return vb::Variant(sqlite3_column_double(stmt, col) != 0);
        return storedAsIs(stmt, col);
    case FieldKind::Int16:
        if (stored == SQLITE_INTEGER) {
            const sqlite3_int64 v = sqlite3_column_int64(stmt, col);
            if (v >= INT16_MIN && v <= INT16_MAX) return vb::Variant(static_cast<int16_t>(v));
        }
        return storedAsIs(stmt, col);
    case FieldKind::Int32:
        if (stored == SQLITE_FLOAT) {
            const double d = sqlite3_column_double(stmt, col);
            if (d == std::trunc(d) && std::fabs(d) < 2147483648.0) return vb::Variant(static_cast<int>(d));
        }
        return storedAsIs(stmt, col);
    case FieldKind::Double:
        if (numeric) return vb::Variant(sqlite3_column_double(stmt, col));
        return storedAsIs(stmt, col);
    case FieldKind::Date:
        if (numeric) return vb::Variant(vb::Date(sqlite3_column_double(stmt, col)));
        if (stored == SQLITE_TEXT) {
            vb::Date d;
            const QString text = textOf(stmt, col);
            if (vb::Date::parse(text, &d)) return vb::Variant(d);
            return vb::Variant(text);
        }
        return storedAsIs(stmt, col);
    case FieldKind::Text:
        if (stored == SQLITE_FLOAT) return vb::Variant(vb::numberText(sqlite3_column_double(stmt, col)));
        return vb::Variant(textOf(stmt, col));
    case FieldKind::Binary:
        return vb::Variant(bytesOf(stmt, col));
    }
    return storedAsIs(stmt, col);
}

int bindValue(sqlite3_stmt* stmt, int index, const vb::Variant& value) {
    using T = vb::Variant::Type;
    switch (value.type()) {
    case T::Empty:
    case T::Null: return sqlite3_bind_null(stmt, index);
    case T::Bool: return sqlite3_bind_int(stmt, index, value.toBool() ? -1 : 0);
    case T::Int:
    case T::Long: return sqlite3_bind_int64(stmt, index, value.toLong());
    case T::Double: return sqlite3_bind_double(stmt, index, value.toDouble());
    case T::Date: return sqlite3_bind_double(stmt, index, value.toDate().serial());
    case T::String: {
        const QByteArray utf8 = value.toString().toUtf8();
        return sqlite3_bind_text64(stmt, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case T::Bytes: {
        const QByteArray bytes = value.toBytes();
        if (bytes.isEmpty()) return sqlite3_bind_zeroblob(stmt, index, 0);
        return sqlite3_bind_blob64(stmt, index, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
    }
    }
    return sqlite3_bind_null(stmt, index);
}

vb::Variant convertForField(const vb::Variant& value, const FieldType& type) {
    if (value.isNull() || value.isEmpty()) return vb::Variant::null();
    try {
        switch (type.kind) {
        case FieldKind::Any: return value;
        case FieldKind::Bool: return vb::Variant(value.toBool());
        case FieldKind::Int16: return vb::Variant(value.toInt());
        case FieldKind::Int32: return vb::Variant(value.toLong());
        case FieldKind::Double: return vb::Variant(value.toDouble());
        case FieldKind::Date: return vb::Variant(value.toDate());
        case FieldKind::Binary: return vb::Variant(value.toBytes());
        case FieldKind::Text: {
            const QString text = value.toString();
            if (type.width > 0 && text.size() > type.width) raiseJet(kFieldTooSmall, QStringLiteral("DAO.Field"));
            return vb::Variant(text);
        }
        }
    } catch (const vb::Error& e) {
        if (e.number() == kFieldTooSmall) throw;
        raiseJet(kDataTypeConversion, QStringLiteral("DAO.Field"));
    }
    return value;
}

}  // namespace dao::detail
