#pragma once
// Field values between SQLite and vb::Variant: the declared column type decides the Variant type.
#include "platform/vb/variant.h"

#include <QString>

struct sqlite3_stmt;

namespace dao::detail {

enum class FieldKind { Any, Bool, Int16, Int32, Double, Date, Text, Binary };

struct FieldType {
    FieldKind kind = FieldKind::Any;
    int width = 0;  // characters a sized text column holds; 0 when unbounded
};

// From a declared type such as "TEXT(50)", "COUNTER", "DATETIME", "LONGBINARY" (nullptr: none).
FieldType fieldTypeFromDeclared(const char* declared);

// Column `col` of the current row of `stmt` as the Variant of `kind`.
vb::Variant readColumn(sqlite3_stmt* stmt, int col, FieldKind kind);

// Binds `value` to parameter `index` (1-based): Null/Empty as NULL, booleans as -1/0, dates as their
// serial, text as text, bytes as a blob.
int bindValue(sqlite3_stmt* stmt, int index, const vb::Variant& value);

// The value a field of `type` holds after `value` is assigned to it: converted as the engine
// converts (3421 when it does not convert, 3163 when text is wider than the column).
vb::Variant convertForField(const vb::Variant& value, const FieldType& type);

}  // namespace dao::detail
