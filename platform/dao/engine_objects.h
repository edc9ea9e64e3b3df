#pragma once
// The objects behind the handles of dao.h.
#include "platform/dao/connection.h"
#include "platform/dao/dao.h"

#include <memory>
#include <vector>

namespace dao {

struct Field::Impl {
    Recordset::Impl* recordset;
    int index;
};

struct Workspace::Impl {
    int id = 0;
    bool isDefault = false;
    bool closed = false;
    std::vector<std::weak_ptr<Database::Impl>> databases;
    int depth = 0;  // nested BeginTrans
    // Handles in the running transaction; kept open until it ends.
    std::vector<std::shared_ptr<detail::Connection>> inTransaction;

    void checkOpen() const;
    // Brings a handle into the running transaction at every nesting level.
    void join(const std::shared_ptr<detail::Connection>& connection);
    void endTransactions();
};

struct Database::Impl {
    std::shared_ptr<detail::Connection> connection;
    std::weak_ptr<Workspace::Impl> workspace;
    QString name;
    bool readOnly = false;
    bool exclusive = false;
    bool open = true;
    int recordsAffected = 0;
    std::vector<std::weak_ptr<Recordset::Impl>> recordsets;

    ~Impl();
    void checkOpen() const;
    void close();
};

struct Recordset::Impl {
    struct Row {
        qint64 rowid = 0;
        std::vector<vb::Variant> values;
        bool deleted = false;
        bool added = false;
    };

    std::shared_ptr<Database::Impl> database;
    std::shared_ptr<const detail::Columns> columns;
    std::vector<Field::Impl> fields;
    std::vector<Row> rows;
    int type = dbOpenSnapshot;
    bool open = true;
    QString table;        // the table an updatable recordset writes to; empty when read only
    bool tableType = false;
    int current = -1;
    bool bof = true, eof = true;
    int editMode = dbEditNone;
    std::vector<vb::Variant> pending;
    std::vector<char> dirty;
    int lastModified = -1;
    int visited = 0;      // rows [0, visited) have been current

    bool updatable() const { return !table.isEmpty(); }
    void checkOpen() const;
    void checkCurrent() const;
    const vb::Variant& value(int field) const;
    vb::Variant& pendingValue(int field);
    void arrive(int row);
    bool refresh(Row& row);
    void close();
};

}  // namespace dao

namespace dao::detail {

// Binds `params` to the `?` placeholders of `stmt` (3061 when too few are given).
void bindParameters(sqlite3_stmt* stmt, const QList<vb::Variant>& params, const QString& source);

// Runs `source` (a statement or a table name) and reads its rows.
std::shared_ptr<Recordset::Impl> openRecordset(const std::shared_ptr<Database::Impl>& database, const QString& source,
                                               int type, const QList<vb::Variant>& params);

// Drops the expired entries of a list of weak references once it has grown.
template <typename T>
void pruneExpired(std::vector<std::weak_ptr<T>>& list) {
    if (list.size() >= 16) std::erase_if(list, [](const auto& w) { return w.expired(); });
}

}  // namespace dao::detail
