#include "platform/dao/engine_objects.h"
#include "platform/dao/jet_errors.h"

#include <algorithm>
#include <atomic>

namespace dao {

namespace {
const QString kWorkspace = QStringLiteral("DAO.Workspace");

Workspace::Impl& need(const std::shared_ptr<Workspace::Impl>& impl) {
    if (!impl) vb::raise(vb::kObjectNotSet);
    return *impl;
}

QByteArray savepoint(const char* verb, int workspace, int level) {
    return QByteArray(verb) + " veyra_trans_" + QByteArray::number(workspace) + '_' + QByteArray::number(level);
}

std::atomic<int> nextWorkspaceId{1};
}  // namespace

void Workspace::Impl::checkOpen() const {
    if (closed) raiseJet(kObjectClosed, kWorkspace);
}

void Workspace::Impl::join(const std::shared_ptr<detail::Connection>& connection) {
    if (depth == 0 || std::find(inTransaction.begin(), inTransaction.end(), connection) != inTransaction.end()) return;
    for (int level = 1; level <= depth; ++level) connection->exec(savepoint("SAVEPOINT", id, level).constData(), kWorkspace);
    inTransaction.push_back(connection);
}

void Workspace::Impl::endTransactions() {
    if (depth == 0) return;
    for (auto& c : inTransaction) {
        try {
            c->exec((savepoint("ROLLBACK TO", id, 1) + "; " + savepoint("RELEASE", id, 1)).constData(), kWorkspace);
        } catch (const vb::Error&) {
            // The transaction is gone already (SQLite rolls back on some failures).
        }
    }
    inTransaction.clear();
    depth = 0;
}

Database Workspace::openDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect) {
    auto& ws = need(impl_);
    ws.checkOpen();
    auto connection = detail::Connection::acquire(path);
    if (connection->hasPassword() && !connection->passwordMatches(detail::passwordFromConnect(connect)))
        raiseJet(kNotAValidPassword, kWorkspace);
    if (connection->exclusive || (exclusive && connection->users > 0)) raiseJet(kFileAlreadyInUse, kWorkspace, path);

    auto db = std::make_shared<Database::Impl>();
    db->connection = connection;
    db->workspace = impl_;
    db->name = path;
    db->readOnly = readOnly;
    db->exclusive = exclusive;
    ++connection->users;
    if (exclusive) connection->exclusive = true;
    ws.join(connection);
    detail::pruneExpired(ws.databases);
    ws.databases.push_back(db);
    return Database(db);
}

void Workspace::beginTrans() {
    auto& ws = need(impl_);
    ws.checkOpen();
    std::vector<std::shared_ptr<detail::Connection>> fresh;
    for (auto& weak : ws.databases) {
        auto db = weak.lock();
        if (!db || !db->open) continue;
        const auto& c = db->connection;
        if (std::find(ws.inTransaction.begin(), ws.inTransaction.end(), c) == ws.inTransaction.end() &&
            std::find(fresh.begin(), fresh.end(), c) == fresh.end())
            fresh.push_back(c);
    }
    ++ws.depth;
    for (auto& c : ws.inTransaction) c->exec(savepoint("SAVEPOINT", ws.id, ws.depth).constData(), kWorkspace);
    for (auto& c : fresh) ws.join(c);
}

void Workspace::commitTrans() {
    auto& ws = need(impl_);
    ws.checkOpen();
    if (ws.depth == 0) raiseJet(kNoTransaction, kWorkspace);
    for (auto& c : ws.inTransaction) c->exec(savepoint("RELEASE", ws.id, ws.depth).constData(), kWorkspace);
    if (--ws.depth == 0) ws.inTransaction.clear();
}

void Workspace::rollback() {
    auto& ws = need(impl_);
    ws.checkOpen();
    if (ws.depth == 0) raiseJet(kNoTransaction, kWorkspace);
    for (auto& c : ws.inTransaction)
        c->exec((savepoint("ROLLBACK TO", ws.id, ws.depth) + "; " + savepoint("RELEASE", ws.id, ws.depth)).constData(),
                kWorkspace);
    if (--ws.depth == 0) ws.inTransaction.clear();
}

void Workspace::close() {
    if (!impl_ || impl_->isDefault || impl_->closed) return;
    impl_->endTransactions();
    for (auto& weak : impl_->databases)
        if (auto db = weak.lock()) db->close();
    impl_->databases.clear();
    impl_->closed = true;
}

namespace DBEngine {

Workspace defaultWorkspace() {
    // Lives for the whole program, past static destruction of the databases held in globals.
    static auto* workspace = new std::shared_ptr<Workspace::Impl>([] {
        auto ws = std::make_shared<Workspace::Impl>();
        ws->isDefault = true;
        return ws;
    }());
    return Workspace(*workspace);
}

Workspace createWorkspace(const QString&, const QString&, const QString&) {
    // Users and their passwords have no meaning here: every workspace may open every file.
    auto ws = std::make_shared<Workspace::Impl>();
    ws->id = nextWorkspaceId++;
    return Workspace(ws);
}

void idle(int) { detail::Connection::releaseAllLocks(); }

Database createDatabase(const QString& path, const QString& password) {
    detail::Connection::createFile(path, password);
    return defaultWorkspace().openDatabase(path, false, false,
                                           password.isEmpty() ? QString() : QStringLiteral(";pwd=") + password);
}

void closeIdleHandles() { detail::Connection::closeIdle(); }

}  // namespace DBEngine
}  // namespace dao
