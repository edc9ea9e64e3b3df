#include "platform/dao/engine_objects.h"
#include "platform/dao/jet_errors.h"

#include <QCryptographicHash>

#include <sqlite3.h>

#include <cstring>
#include <memory>

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

bool Database::hasPassword() const {
    auto& d = need(impl_);
    d.checkOpen();
    return d.connection->hasPassword();
}

namespace {
QString quotedName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

void addNumber(QCryptographicHash& h, qint64 n) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((static_cast<quint64>(n) >> (8 * i)) & 0xFF);
    h.addData(QByteArrayView(bytes, 8));
}

void addBytes(QCryptographicHash& h, const void* data, int size) {
    addNumber(h, size);
    if (size > 0) h.addData(QByteArrayView(static_cast<const char*>(data), size));
}
}  // namespace

QByteArray Database::tableDigest(const QString& table, const QStringList& orderBy) const {
    auto& d = need(impl_);
    d.checkOpen();
    if (!hasTable(table)) raiseJet(kCouldNotFindObject, kDatabase, table);
    QString sql = QStringLiteral("SELECT * FROM ") + quotedName(table);
    QStringList order;
    for (const QString& c : orderBy) order << quotedName(c);
    sql += QStringLiteral(" ORDER BY ") + (order.isEmpty() ? QStringLiteral("rowid") : order.join(QLatin1Char(',')));
    // Not kept: a digest is taken once, and its text would only crowd out the readers' statements.
    sqlite3* db = d.connection->db();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, &sqlite3_finalize);
    if (rc != SQLITE_OK) detail::raiseSqlite(db, rc, kDatabase, sql, d.connection->path());

    QCryptographicHash h(QCryptographicHash::Sha256);
    const int columns = sqlite3_column_count(raw);
    addNumber(h, columns);
    for (int i = 0; i < columns; ++i) {
        const QByteArray name = QByteArray(sqlite3_column_name(raw, i)).toLower();
        addBytes(h, name.constData(), int(name.size()));
    }
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        h.addData(QByteArrayView("R", 1));
        for (int i = 0; i < columns; ++i) {
            const int type = sqlite3_column_type(raw, i);
            addNumber(h, type);
            switch (type) {
            case SQLITE_INTEGER: addNumber(h, sqlite3_column_int64(raw, i)); break;
            case SQLITE_FLOAT: {
                const double v = sqlite3_column_double(raw, i);
                qint64 bits = 0;
                std::memcpy(&bits, &v, sizeof bits);
                addNumber(h, bits);
                break;
            }
            case SQLITE_TEXT: {
                const unsigned char* text = sqlite3_column_text(raw, i);
                addBytes(h, text, sqlite3_column_bytes(raw, i));
                break;
            }
            case SQLITE_BLOB: {
                const void* blob = sqlite3_column_blob(raw, i);
                addBytes(h, blob, sqlite3_column_bytes(raw, i));
                break;
            }
            default: break;
            }
        }
    }
    if (rc != SQLITE_DONE) detail::raiseSqlite(db, rc, kDatabase, sql, d.connection->path());
    return h.result();
}

void Database::close() {
    if (impl_) impl_->close();
}

}  // namespace dao
