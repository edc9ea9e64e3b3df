#include "platform/dao/engine_objects.h"
#include "platform/dao/jet_errors.h"

#include <sqlite3.h>

namespace dao {

namespace {
const QString kDatabase = QStringLiteral("DAO.Database");

Database::Impl& need(const std::shared_ptr<Database::Impl>& impl) {
    if (!impl) vb::raise(vb::kObjectNotSet);
    return *impl;
}
}  // namespace

Database::Impl::~Impl() { close(); }

void Database::Impl::checkOpen() const {
    if (!open) raiseJet(kObjectClosed, kDatabase);
}

void Database::Impl::close() {
    if (!open) return;
    open = false;
    for (auto& weak : recordsets)
        if (auto rs = weak.lock()) rs->close();
    recordsets.clear();
    --connection->users;
    if (exclusive) connection->exclusive = false;
    connection.reset();
}

bool Database::isOpen() const { return impl_ && impl_->open; }

QString Database::name() const { return need(impl_).name; }

Recordset Database::openRecordset(const QString& sql, int type, const QList<vb::Variant>& params) {
    need(impl_);
    return Recordset(detail::openRecordset(impl_, sql, type, params));
}

void Database::execute(const QString& sql, const QList<vb::Variant>& params) {
    auto& d = need(impl_);
    d.checkOpen();
    auto& connection = *d.connection;
    auto st = connection.prepare(sql, kDatabase);
    sqlite3_stmt* stmt = st->get();
    if (st->jet().kind == detail::StatementKind::Select || sqlite3_column_count(stmt) > 0)
        raiseJet(kCannotExecuteSelect, kDatabase);
    if ((d.readOnly || connection.readOnly()) && !sqlite3_stmt_readonly(stmt)) raiseJet(kCouldNotUpdate, kDatabase);
    {
        detail::StatementUse use(stmt);
        detail::bindParameters(stmt, params, kDatabase);
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE) detail::raiseSqlite(connection.db(), rc, kDatabase, sql, connection.path());
    }
    d.recordsAffected = st->jet().kind == detail::StatementKind::Dml ? sqlite3_changes(connection.db()) : 0;
    // Cached statements may describe the old schema.
    if (st->jet().kind == detail::StatementKind::Ddl) connection.clearStatements();
}

int Database::recordsAffected() const {
    auto& d = need(impl_);
    d.checkOpen();
    return d.recordsAffected;
}

QStringList Database::tableNames() const {
    auto& d = need(impl_);
    d.checkOpen();
    auto st = d.connection->prepareNative(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                       "AND name NOT LIKE 'MSys%' ORDER BY name COLLATE NOCASE"),
        kDatabase);
    detail::StatementUse use(st->get());
    QStringList names;
    int rc;
    while ((rc = sqlite3_step(st->get())) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st->get(), 0))));
    if (rc != SQLITE_DONE) detail::raiseSqlite(d.connection->db(), rc, kDatabase);
    return names;
}

bool Database::hasTable(const QString& name) const {
    auto& d = need(impl_);
    d.checkOpen();
    auto st = d.connection->prepareNative(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE"), kDatabase);
    detail::StatementUse use(st->get());
    detail::bindParameters(st->get(), {vb::Variant(name)}, kDatabase);
    const int rc = sqlite3_step(st->get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) detail::raiseSqlite(d.connection->db(), rc, kDatabase);
    return rc == SQLITE_ROW;
}

void Database::close() {
    if (impl_) impl_->close();
}

}  // namespace dao
