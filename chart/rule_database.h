#pragma once
// How every chart step reads the rule database: it opens `zodazire.mdb` for itself through a new
// workspace, reads its table through snapshot recordsets and closes everything at its end; nothing
// stays open between steps or lookups. Cells of a row are joined in column order into the row string
// and read back by position.
#include "core/rule_database.h"
#include "platform/dao/dao.h"

#include <QString>

namespace chart {

// One opening of the rule database (core::OpenRuleDatabase): a new workspace (no name, user "admin",
// empty password) and the database in it, not exclusive, not read-only. Both are closed when the
// object ends.
class RuleDatabase {
public:
    RuleDatabase();
    ~RuleDatabase();
    RuleDatabase(const RuleDatabase&) = delete;
    RuleDatabase& operator=(const RuleDatabase&) = delete;

    // A snapshot recordset of the statement.
    dao::Recordset snapshot(const QString& sql);

    // Closes the workspace now; errors pass to the caller (the destructor swallows them).
    void close();

private:
    dao::Workspace workspace_;
    dao::Database database_;
    bool open_ = false;
};

// A key value between single quotes, as the statements put it (a quote inside is doubled).
QString quoted(const QString& key);

// The text of a field, "" for Null.
QString fieldText(const dao::Recordset& rs, const QString& column);

// The row string of the current row: the cells of `columnCount` columns named a, b, c … joined in
// column order (12 columns a … l, or 10 columns a … j).
QString rowString(const dao::Recordset& rs, int columnCount = 12);
// The same for numbered columns: prefix + 1 … prefix + count ("a1" … "a15").
QString numberedRowString(const dao::Recordset& rs, const QString& prefix, int count);
// The name of the k-th lettered column (1 = "a").
QString columnLetter(int k);

// Mid$(text, start, length): `length` characters from the 1-based `start` (fewer at the end, "" past
// it). A start below 1 or a negative length raises 5 (Invalid procedure call or argument).
QString mid(const QString& text, int start, int length = 1);

// The cell of width `width` that begins the k-th (1-based) column of a row string.
inline QString cell(const QString& rowString, int k, int width = 1) { return mid(rowString, (k - 1) * width + 1, width); }

// Palace index of a branch character: BranchToIndex − 1; −1 for a text that is not a branch.
int palaceOfBranch(const QString& branch);

}  // namespace chart
