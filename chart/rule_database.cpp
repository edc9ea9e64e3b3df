#include "chart/rule_database.h"

#include "core/conversions.h"
#include "core/rule_database.h"
#include "platform/vb/error.h"

namespace chart {

RuleDatabase::RuleDatabase() {
    workspace_ = dao::DBEngine::createWorkspace(QString(), QStringLiteral("admin"), QString());
    open_ = true;
    try {
        database_ = core::OpenRuleDatabase(workspace_);
    } catch (...) {
        close();
        throw;
    }
}

RuleDatabase::~RuleDatabase() {
    try {
        close();
    } catch (...) {
        // A failure to close is no failure of the lookup that is ending.
    }
}

void RuleDatabase::close() {
    if (!open_) return;
    open_ = false;
    database_ = dao::Database();
    workspace_.close();
}

dao::Recordset RuleDatabase::snapshot(const QString& sql) { return database_.openRecordset(sql, dao::dbOpenSnapshot); }

QString quoted(const QString& key) {
    QString k = key;
    k.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + k + QLatin1Char('\'');
}

QString fieldText(const dao::Recordset& rs, const QString& column) { return rs.value(column).text(); }

QString columnLetter(int k) { return QString(QChar(u'a' + (k - 1))); }

QString rowString(const dao::Recordset& rs, int columnCount) {
    QString s;
    for (int k = 1; k <= columnCount; ++k) s += fieldText(rs, columnLetter(k));
    return s;
}

QString numberedRowString(const dao::Recordset& rs, const QString& prefix, int count) {
    QString s;
    for (int k = 1; k <= count; ++k) s += fieldText(rs, prefix + QString::number(k));
    return s;
}

QString mid(const QString& text, int start, int length) {
    if (start < 1 || length < 0)
        vb::raise(vb::kInvalidProcedureCall, QStringLiteral("Mid"));
    if (start > text.size()) return QString();
    return text.mid(start - 1, length);
}

int palaceOfBranch(const QString& branch) { return core::BranchToIndex(branch) - 1; }

}  // namespace chart
