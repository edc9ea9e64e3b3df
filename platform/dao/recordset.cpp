#include "platform/dao/engine_objects.h"
#include "platform/dao/jet_errors.h"
#include "platform/dao/name_match.h"

#include <sqlite3.h>

#include <cstring>

namespace dao {

namespace {
const QString kRecordset = QStringLiteral("DAO.Recordset");
const QString kField = QStringLiteral("DAO.Field");

QString quoted(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

template <typename P>
auto& need(const P& impl) {
    if (!impl) vb::raise(vb::kObjectNotSet);
    return *impl;
}
}  // namespace

// ---- Recordset::Impl ----

void Recordset::Impl::checkOpen() const {
    if (!open) raiseJet(kObjectClosed, kRecordset);
}

void Recordset::Impl::checkCurrent() const {
    if (bof || eof || current < 0 || current >= int(rows.size())) raiseJet(kNoCurrentRecord, kRecordset);
    if (rows[current].deleted) raiseJet(kRecordDeleted, kRecordset);
}

const vb::Variant& Recordset::Impl::value(int field) const {
    checkOpen();
    if (editMode != dbEditNone) return pending[field];
    checkCurrent();
    return rows[current].values[field];
}

vb::Variant& Recordset::Impl::pendingValue(int field) {
    checkOpen();
    if (editMode == dbEditNone) raiseJet(kUpdateWithoutAddNewOrEdit, kField);
    return pending[field];
}

bool Recordset::Impl::refresh(Row& row) {
    if (!updatable() || row.deleted) return !row.deleted;
    QString sql = QStringLiteral("SELECT ");
    for (size_t i = 0; i < columns->size(); ++i) {
        if (i) sql += QLatin1Char(',');
        sql += quoted((*columns)[i].origin);
    }
    sql += QStringLiteral(" FROM ") + quoted(table) + QStringLiteral(" WHERE rowid=?");
    auto& connection = *database->connection;
    auto st = connection.prepareNative(sql, kRecordset);
    detail::StatementUse use(st->get());
    sqlite3_bind_int64(st->get(), 1, row.rowid);
    const int rc = sqlite3_step(st->get());
    if (rc == SQLITE_DONE) {
        row.deleted = true;
        return false;
    }
    if (rc != SQLITE_ROW) detail::raiseSqlite(connection.db(), rc, kRecordset, sql, connection.path());
    for (size_t i = 0; i < columns->size(); ++i)
        row.values[i] = detail::readColumn(st->get(), int(i), (*columns)[i].type.kind);
    return true;
}

void Recordset::Impl::arrive(int row) {
    current = row;
    bof = eof = false;
    visited = std::max(visited, row + 1);
}

void Recordset::Impl::close() {
    open = false;
    rows.clear();
    pending.clear();
    editMode = dbEditNone;
}

// ---- opening ----

namespace detail {

void bindParameters(sqlite3_stmt* stmt, const QList<vb::Variant>& params, const QString& source) {
    const int wanted = sqlite3_bind_parameter_count(stmt);
    if (params.size() < wanted) raiseJet(kTooFewParameters, source, QString::number(wanted - params.size()));
    if (params.size() > wanted) raiseJet(kInvalidArgument, source);
    for (int i = 0; i < wanted; ++i) {
        const int rc = bindValue(stmt, i + 1, params[i]);
        if (rc != SQLITE_OK) raiseSqlite(sqlite3_db_handle(stmt), rc, source);
    }
}

namespace {
// The keyed form of a plain SELECT whose fields all come straight from one table, or null.
std::shared_ptr<Statement> keyedStatement(Connection& connection, Statement& st) {
    if (st.keyedTried) return st.keyed;
    st.keyedTried = true;
    const auto& cols = *st.columns();
    if (cols.empty()) return nullptr;
    const QString table = cols.front().table;
    for (const auto& c : cols)
        if (c.table.isEmpty() || c.origin.isEmpty() || c.table.compare(table, Qt::CaseInsensitive) != 0) return nullptr;
    try {
        auto keyed = connection.prepareNative(st.jet().keyedSql, kRecordset);
        if (sqlite3_column_count(keyed->get()) != int(cols.size()) + 1 ||
            QString::fromUtf8(sqlite3_column_table_name(keyed->get(), 0)).compare(table, Qt::CaseInsensitive) != 0)
            return nullptr;
        st.keyed = std::move(keyed);
        st.keyedTable = table;
    } catch (const vb::Error&) {
        // Not one table's rows (a join, for one): the recordset is read only.
    }
    return st.keyed;
}
}  // namespace

std::shared_ptr<Recordset::Impl> openRecordset(const std::shared_ptr<Database::Impl>& database, const QString& source,
                                               int type, const QList<vb::Variant>& params) {
    database->checkOpen();
    Connection& connection = *database->connection;
    QString table;
    QString sql = source;
    const bool named = isTableName(source, &table);
    if (named) sql = QStringLiteral("SELECT * FROM [") + table + QLatin1Char(']');

    // A snapshot of a statement without parameters can come from what the handle kept, without
    // looking the statement up at all.
    const bool keepable = (type == dbOpenSnapshot || type == dbOpenForwardOnly) && params.isEmpty();
    auto rs = std::make_shared<Recordset::Impl>();
    rs->database = database;
    rs->type = type;
    rs->tableType = named && type == dbOpenTable;
    if (auto kept = keepable ? connection.keptRows(sql) : nullptr) {
        rs->columns = kept->columns;
        rs->rows.reserve(kept->rows.size());
        for (const auto& values : kept->rows) rs->rows.push_back(Recordset::Impl::Row{0, values, false, false});
    } else {
        // A snapshot runs the statement of its shape: the row it names is bound, not prepared anew.
        QList<vb::Variant> numbers;
        auto st = keepable ? connection.prepareShared(sql, kRecordset, &numbers) : connection.prepare(sql, kRecordset);
        if (st->jet().kind != StatementKind::Select || sqlite3_column_count(st->get()) == 0)
            raiseJet(kInvalidOperation, kRecordset);
        rs->columns = st->columns();

        std::shared_ptr<Statement> run = st;
        const bool wantsUpdates = (type == dbOpenDynaset || type == dbOpenTable) && !database->readOnly &&
                                  !connection.readOnly() && st->jet().plainSelect;
        if (wantsUpdates) {
            if (auto keyed = keyedStatement(connection, *st)) {
                run = keyed;
                rs->table = st->keyedTable;
            }
        }
        const int offset = run == st ? 0 : 1;
        const int columns = int(rs->columns->size());
        sqlite3_stmt* stmt = run->get();
        StatementUse use(stmt);
        bindParameters(stmt, keepable ? numbers : params, kRecordset);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            Recordset::Impl::Row row;
            if (offset) row.rowid = sqlite3_column_int64(stmt, 0);
            row.values.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row.values.push_back(readColumn(stmt, i + offset, (*rs->columns)[i].type.kind));
            rs->rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) raiseSqlite(connection.db(), rc, kRecordset, source, connection.path());
        if (keepable && offset == 0 && !rs->updatable()) {
            auto rows = std::make_shared<SnapshotRows>();
            rows->columns = rs->columns;
            rows->rows.reserve(rs->rows.size());
            for (const auto& row : rs->rows) rows->rows.push_back(row.values);
            connection.keepRows(sql, std::move(rows));
        }
    }
    const int n = int(rs->columns->size());

    rs->fields.reserve(n);
    for (int i = 0; i < n; ++i) rs->fields.push_back(Field::Impl{rs.get(), i});
    if (!rs->rows.empty()) rs->arrive(0);
    pruneExpired(database->recordsets);
    database->recordsets.push_back(rs);
    return rs;
}

}  // namespace detail

// ---- Field ----

QString Field::name() const {
    const auto& f = need(impl_);
    f.recordset->checkOpen();
    return (*f.recordset->columns)[f.index].name;
}

vb::Variant Field::value() const {
    const auto& f = need(impl_);
    return f.recordset->value(f.index);
}

void Field::setValue(const vb::Variant& v) {
    const auto& f = need(impl_);
    vb::Variant& slot = f.recordset->pendingValue(f.index);
    slot = detail::convertForField(v, (*f.recordset->columns)[f.index].type);
    f.recordset->dirty[f.index] = 1;
}

void Field::appendChunk(const QByteArray& chunk) {
    const auto& f = need(impl_);
    vb::Variant& slot = f.recordset->pendingValue(f.index);
    if ((*f.recordset->columns)[f.index].type.kind == detail::FieldKind::Text) {
        QString text = slot.isNull() ? QString() : slot.toString();
        text.append(QString::fromUtf16(reinterpret_cast<const char16_t*>(chunk.constData()), chunk.size() / 2));
        slot = vb::Variant(text);
    } else {
        QByteArray bytes = slot.isNull() || slot.isEmpty() ? QByteArray() : slot.toBytes();
        bytes.append(chunk);
        slot = vb::Variant(bytes);
    }
    f.recordset->dirty[f.index] = 1;
}

void Field::appendChunk(const QString& text) {
    const auto& f = need(impl_);
    if ((*f.recordset->columns)[f.index].type.kind != detail::FieldKind::Text) {
        appendChunk(vb::Variant(text).toBytes());
        return;
    }
    vb::Variant& slot = f.recordset->pendingValue(f.index);
    slot = vb::Variant((slot.isNull() || slot.isEmpty() ? QString() : slot.toString()) + text);
    f.recordset->dirty[f.index] = 1;
}

QByteArray Field::getChunk(qint64 offset, qint64 bytes) const {
    const vb::Variant v = value();
    if (offset < 0 || bytes < 0) raiseJet(kInvalidArgument, kField);
    if (v.isNull()) return QByteArray();
    const QByteArray all = v.toBytes();
    if (offset >= all.size()) return QByteArray();
    return all.mid(offset, bytes);
}

qint64 Field::fieldSize() const {
    const vb::Variant v = value();
    return v.isNull() ? 0 : v.toBytes().size();
}

// ---- Recordset ----

bool Recordset::isOpen() const { return impl_ && impl_->open; }

bool Recordset::eof() const {
    need(impl_).checkOpen();
    return impl_->eof;
}

bool Recordset::bof() const {
    need(impl_).checkOpen();
    return impl_->bof;
}

namespace {
// The next row from `from` in direction `step` that still exists, or -1 / size when there is none.
int seekLive(Recordset::Impl& rs, int from, int step) {
    const int n = int(rs.rows.size());
    for (int i = from; i >= 0 && i < n; i += step)
        if (rs.refresh(rs.rows[i])) return i;
    return step > 0 ? n : -1;
}

void cancelEdit(Recordset::Impl& rs) {
    rs.editMode = dbEditNone;
    rs.pending.clear();
    rs.dirty.clear();
}
}  // namespace

void Recordset::moveFirst() {
    auto& rs = need(impl_);
    rs.checkOpen();
    cancelEdit(rs);
    const int i = seekLive(rs, 0, 1);
    if (i >= int(rs.rows.size())) raiseJet(kNoCurrentRecord, kRecordset);
    rs.arrive(i);
}

void Recordset::moveLast() {
    auto& rs = need(impl_);
    rs.checkOpen();
    cancelEdit(rs);
    const int i = seekLive(rs, int(rs.rows.size()) - 1, -1);
    if (i < 0) raiseJet(kNoCurrentRecord, kRecordset);
    rs.arrive(i);
    rs.visited = int(rs.rows.size());
}

void Recordset::moveNext() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (rs.eof) raiseJet(kNoCurrentRecord, kRecordset);
    cancelEdit(rs);
    const int i = seekLive(rs, rs.bof ? 0 : rs.current + 1, 1);
    if (i >= int(rs.rows.size())) {
        rs.current = int(rs.rows.size());
        rs.eof = true;
        rs.bof = false;
        rs.visited = int(rs.rows.size());
    } else {
        rs.arrive(i);
    }
}

void Recordset::movePrevious() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (rs.bof) raiseJet(kNoCurrentRecord, kRecordset);
    cancelEdit(rs);
    const int i = seekLive(rs, rs.eof ? int(rs.rows.size()) - 1 : rs.current - 1, -1);
    if (i < 0) {
        rs.current = -1;
        rs.bof = true;
        rs.eof = false;
    } else {
        rs.arrive(i);
    }
}

int Recordset::recordCount() const {
    const auto& rs = need(impl_);
    rs.checkOpen();
    const bool known = rs.type != dbOpenDynaset || rs.tableType;
    int count = 0;
    for (int i = 0; i < int(rs.rows.size()); ++i)
        if (!rs.rows[i].deleted && (known || i < rs.visited || rs.rows[i].added)) ++count;
    return count;
}

int Recordset::fieldCount() const {
    const auto& rs = need(impl_);
    rs.checkOpen();
    return int(rs.fields.size());
}

Field Recordset::field(int index) const {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (index < 0 || index >= int(rs.fields.size())) raiseJet(kItemNotFound, kRecordset);
    return Field(std::shared_ptr<Field::Impl>(impl_, &rs.fields[index]));
}

Field Recordset::field(const QString& name) const {
    auto& rs = need(impl_);
    rs.checkOpen();
    const auto& cols = *rs.columns;
    int found = -1;
    for (int i = 0; i < int(cols.size()) && found < 0; ++i)
        if (detail::sameName(cols[i].name, name)) found = i;
    // "Table.Field" for a field that needs no qualification, and the plain name of a qualified one.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    for (int i = 0; i < int(cols.size()) && found < 0; ++i) {
        if (dot > 0) {
            if (detail::sameName(cols[i].column, QStringView(name).mid(dot + 1)) &&
                detail::sameName(cols[i].table, QStringView(name).left(dot)))
                found = i;
        } else if (detail::sameName(cols[i].column, name)) {
            found = i;
        }
    }
    if (found < 0) raiseJet(kItemNotFound, kRecordset);
    return Field(std::shared_ptr<Field::Impl>(impl_, &rs.fields[found]));
}

void Recordset::addNew() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (!rs.updatable()) raiseJet(kCouldNotUpdate, kRecordset);
    rs.pending.assign(rs.columns->size(), vb::Variant::null());
    rs.dirty.assign(rs.columns->size(), 0);
    rs.editMode = dbEditAdd;
}

void Recordset::edit() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (!rs.updatable()) raiseJet(kCouldNotUpdate, kRecordset);
    cancelEdit(rs);
    rs.checkCurrent();
    if (!rs.refresh(rs.rows[rs.current])) raiseJet(kRecordDeleted, kRecordset);
    rs.pending = rs.rows[rs.current].values;
    rs.dirty.assign(rs.columns->size(), 0);
    rs.editMode = dbEditInProgress;
}

void Recordset::update() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (rs.editMode == dbEditNone) raiseJet(kUpdateWithoutAddNewOrEdit, kRecordset);
    const auto& cols = *rs.columns;
    // Chunks bypass the width check of an assignment.
    for (size_t i = 0; i < cols.size(); ++i)
        if (rs.dirty[i] && cols[i].type.kind == detail::FieldKind::Text && cols[i].type.width > 0 &&
            !rs.pending[i].isNull() && rs.pending[i].toString().size() > cols[i].type.width)
            raiseJet(kFieldTooSmall, kRecordset);

    QStringList names;
    QList<vb::Variant> values;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (!rs.dirty[i]) continue;
        names.append(quoted(cols[i].origin));
        values.append(rs.pending[i]);
    }
    auto& connection = *rs.database->connection;
    QString sql;
    if (rs.editMode == dbEditAdd) {
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(rs.table));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i) marks.append(QStringLiteral("?"));
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(rs.table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
    } else if (!names.isEmpty()) {
        sql = QStringLiteral("UPDATE %1 SET %2=? WHERE rowid=?").arg(quoted(rs.table), names.join(QStringLiteral("=?,")));
        values.append(vb::Variant(static_cast<long long>(rs.rows[rs.current].rowid)));
    }
    if (!sql.isEmpty()) {
        auto st = connection.prepareNative(sql, kRecordset);
        detail::StatementUse use(st->get());
        detail::bindParameters(st->get(), values, kRecordset);
        const int rc = sqlite3_step(st->get());
        if (rc != SQLITE_DONE) detail::raiseSqlite(connection.db(), rc, kRecordset, sql, connection.path());
        if (rs.editMode != dbEditAdd && sqlite3_changes(connection.db()) == 0) raiseJet(kRecordDeleted, kRecordset);
    }
    if (rs.editMode == dbEditAdd) {
        Impl::Row row;
        row.rowid = sqlite3_last_insert_rowid(connection.db());
        row.values = rs.pending;
        row.added = true;
        rs.refresh(row);
        row.deleted = false;
        rs.rows.push_back(std::move(row));
        rs.lastModified = int(rs.rows.size()) - 1;
        if (rs.eof && !rs.bof) rs.current = int(rs.rows.size());
    } else {
        rs.refresh(rs.rows[rs.current]);
        rs.lastModified = rs.current;
    }
    cancelEdit(rs);
}

void Recordset::cancelUpdate() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (rs.editMode == dbEditNone) raiseJet(kUpdateWithoutAddNewOrEdit, kRecordset);
    cancelEdit(rs);
}

void Recordset::deleteCurrent() {
    auto& rs = need(impl_);
    rs.checkOpen();
    if (!rs.updatable()) raiseJet(kCouldNotUpdate, kRecordset);
    cancelEdit(rs);
    rs.checkCurrent();
    auto& connection = *rs.database->connection;
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoted(rs.table));
    auto st = connection.prepareNative(sql, kRecordset);
    detail::StatementUse use(st->get());
    sqlite3_bind_int64(st->get(), 1, rs.rows[rs.current].rowid);
    const int rc = sqlite3_step(st->get());
    if (rc != SQLITE_DONE) detail::raiseSqlite(connection.db(), rc, kRecordset, sql, connection.path());
    rs.rows[rs.current].deleted = true;
}

int Recordset::editMode() const {
    const auto& rs = need(impl_);
    rs.checkOpen();
    return rs.editMode;
}

namespace {
QByteArray bookmarkOf(int row) {
    const qint32 r = row;
    return QByteArray(reinterpret_cast<const char*>(&r), sizeof r);
}
}  // namespace

QByteArray Recordset::bookmark() const {
    const auto& rs = need(impl_);
    rs.checkOpen();
    rs.checkCurrent();
    return bookmarkOf(rs.current);
}

void Recordset::setBookmark(const QByteArray& bookmark) {
    auto& rs = need(impl_);
    rs.checkOpen();
    qint32 row = -1;
    if (bookmark.size() == sizeof row) std::memcpy(&row, bookmark.constData(), sizeof row);
    if (row < 0 || row >= int(rs.rows.size())) raiseJet(kNotAValidBookmark, kRecordset);
    cancelEdit(rs);
    if (!rs.refresh(rs.rows[row])) raiseJet(kRecordDeleted, kRecordset);
    rs.arrive(row);
}

QByteArray Recordset::lastModified() const {
    const auto& rs = need(impl_);
    rs.checkOpen();
    if (rs.lastModified < 0) raiseJet(kNoCurrentRecord, kRecordset);
    return bookmarkOf(rs.lastModified);
}

void Recordset::close() {
    if (impl_) impl_->close();
}

}  // namespace dao
