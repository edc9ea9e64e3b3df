#include "platform/dao/connection.h"

#include "platform/dao/dao.h"
#include "platform/dao/file_claim.h"
#include "platform/dao/jet_errors.h"
#include "platform/dao/name_match.h"
#include "platform/dao/statement_shape.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dao::detail {

namespace {
const QString kEngine = QStringLiteral("DAO.DBEngine");
// Prepared statements kept per handle: more than one chart build and one month of the calendar use
// together (about 90), so that repeating them never prepares again.
constexpr int kStatementCacheSize = 256;
// Translated statement texts, by their Jet text, for every handle of the thread.
constexpr int kTranslationCacheSize = 2048;
// Handles kept open after their last user closed: enough for the rule database, the work database
// and the copies the program makes of it.
constexpr size_t kRecentHandles = 8;
constexpr int kBusyTimeoutMs = 3000;
constexpr int kApplicationId = 0x56594A54;  // marks files made by this engine

QByteArray passwordHash(const QByteArray& salt, const QString& password) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(salt);
    h.addData(password.toUtf8());
    return h.result();
}

[[noreturn]] void raiseForErrno(int err, const QString& path) {
    switch (err) {
    case ENOENT:
    case ENOTDIR: raiseJet(kCouldNotFindFile, kEngine, path);
    case EACCES:
    case EPERM:
    case EROFS: raiseJet(kCannotOpenFile, kEngine, path);
    case ENOSPC: raiseJet(kDiskFull, kEngine);
    case EIO: raiseJet(kDiskIOError, kEngine);
    default: raiseJet(kNotAValidPath, kEngine, path);
    }
}
}  // namespace

// ---- statements ----

namespace {
// The translation is a function of the text alone; a statement that falls out of one handle's cache,
// or is prepared on another handle, is not translated again.
const JetStatement& translated(const QString& jetSql) {
    thread_local QHash<QString, JetStatement> cache;
    auto found = cache.constFind(jetSql);
    if (found != cache.constEnd()) return found.value();
    JetStatement jet = translateJetSql(jetSql);
    if (cache.size() >= kTranslationCacheSize) cache.clear();
    return cache.insert(jetSql, std::move(jet)).value();
}
}  // namespace

Statement::~Statement() { sqlite3_finalize(stmt_); }

const std::shared_ptr<const Columns>& Statement::columns() {
    if (columns_) return columns_;
    auto cols = std::make_shared<Columns>();
    const int n = sqlite3_column_count(stmt_);
    cols->reserve(n);
    for (int i = 0; i < n; ++i) {
        ColumnInfo c;
        c.column = QString::fromUtf8(sqlite3_column_name(stmt_, i));
        c.table = QString::fromUtf8(sqlite3_column_table_name(stmt_, i));
        c.origin = QString::fromUtf8(sqlite3_column_origin_name(stmt_, i));
        c.type = fieldTypeFromDeclared(sqlite3_column_decltype(stmt_, i));
        c.name = c.column;
        cols->push_back(std::move(c));
    }
    // Two fields of one name are told apart by their tables ("Bookmarks.Description").
    for (auto& c : *cols) {
        int same = 0;
        for (const auto& d : *cols) same += sameName(c.column, d.column);
        if (same > 1 && !c.table.isEmpty()) c.name = c.table + QLatin1Char('.') + c.column;
    }
    columns_ = std::move(cols);
    return columns_;
}

StatementUse::~StatementUse() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

// ---- the registry of handles ----

struct Registry {
    std::mutex mutex;
    std::map<std::pair<quint64, quint64>, std::weak_ptr<Connection>> byFile;
    // The handle last found for a path as spelled. While that handle holds its shared lock (until the
    // event loop next runs) and has written nothing, the path is taken to name the same file without
    // asking the file system.
    QHash<QString, std::weak_ptr<Connection>> byPath;
    std::deque<std::shared_ptr<Connection>> recent;

    static Registry& instance() {
        // Never destroyed: databases held in globals may close after static destruction began.
        static Registry* registry = new Registry;
        return *registry;
    }

    void touch(const std::shared_ptr<Connection>& c) {
        for (auto it = recent.begin(); it != recent.end(); ++it) {
            if (*it == c) {
                if (it != recent.begin()) {
                    recent.erase(it);
                    recent.push_front(c);
                }
                return;
            }
        }
        recent.push_front(c);
    }
};

std::shared_ptr<Connection> Connection::acquire(const QString& path) {
    Registry& r = Registry::instance();
    {
        std::lock_guard lock(r.mutex);
        const auto known = r.byPath.constFind(path);
        if (known != r.byPath.constEnd()) {
            // Only for a file this handle never wrote: the program replaces the files it writes (a
            // compaction, a restored copy) and opens them again at once.
            auto c = known.value().lock();
            if (c && c->held_ && sqlite3_total_changes64(c->db_) == 0) {
                r.touch(c);
                return c;
            }
        }
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0) raiseForErrno(path.isEmpty() ? ENOENT : errno, path);
    if (S_ISDIR(st.st_mode)) raiseJet(kNotAValidPath, kEngine, path);
    // A pipe, a device or a socket would block the open or never end a read: only files are databases.
    if (!S_ISREG(st.st_mode)) raiseJet(kUnrecognizedDatabaseFormat, kEngine, path);
    const std::pair<quint64, quint64> key{quint64(st.st_dev), quint64(st.st_ino)};

    std::shared_ptr<Connection> evicted;  // closed outside the lock
    {
        std::lock_guard lock(r.mutex);
        auto found = r.byFile.find(key);
        if (found != r.byFile.end()) {
            if (auto c = found->second.lock()) {
                r.touch(c);
                r.byPath.insert(path, c);
                return c;
            }
        }
    }

    // Claimed before SQLite opens it: a process replacing the file alone is waited for, and the file
    // it put in place is opened instead.
    auto claim = std::make_unique<FileClaim>();
    if (!claim->take(native, key.first, key.second)) return acquire(path);

    // A SQLite file starts with its magic text; an empty file would pass as an empty database.
    {
        // Not blocking, should the file have been swapped for a pipe since it was looked at.
        const int fd = claim->fd() >= 0 ? claim->fd() : ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) raiseForErrno(errno, path);
        char header[16] = {};
        const ssize_t got = ::pread(fd, header, sizeof header, 0);
        if (fd != claim->fd()) ::close(fd);
        if (got != ssize_t(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
            raiseJet(kUnrecognizedDatabaseFormat, kEngine, path);
    }

    std::shared_ptr<Connection> c(new Connection);
    c->claim_ = std::move(claim);
    c->path_ = path;
    c->device_ = key.first;
    c->inode_ = key.second;
    c->readOnly_ = ::access(native.constData(), W_OK) != 0;
    const QByteArray absolute = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    const int flags = c->readOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(absolute.constData(), &c->db_, flags, nullptr);
    if (rc != SQLITE_OK) raiseSqlite(c->db_, rc, kEngine, QString(), path);
    sqlite3_extended_result_codes(c->db_, 1);
    sqlite3_busy_timeout(c->db_, kBusyTimeoutMs);

    // The first read of the schema tells a database from another file.
    {
        auto probe = c->prepareNative(
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='MSysPassword'"), kEngine);
        StatementUse use(probe->get());
        rc = sqlite3_step(probe->get());
        if (rc != SQLITE_ROW) raiseSqlite(c->db_, rc, kEngine, QString(), path);
        const bool hasPassword = sqlite3_column_int(probe->get(), 0) > 0;
        sqlite3_reset(probe->get());
        if (hasPassword) {
            // A password table whose password cannot be read protects nothing: such a file is refused
            // as one opened with a wrong password, never taken as a file without one.
            c->passwordUnreadable_ = true;
            try {
                auto read = c->prepareNative(QStringLiteral("SELECT salt, hash FROM MSysPassword LIMIT 1"), kEngine);
                StatementUse use2(read->get());
                if (sqlite3_step(read->get()) == SQLITE_ROW) {
                    c->salt_ = readColumn(read->get(), 0, FieldKind::Binary).toBytes();
                    c->hash_ = readColumn(read->get(), 1, FieldKind::Binary).toBytes();
                    c->passwordUnreadable_ = c->salt_.isEmpty() || c->hash_.isEmpty();
                }
            } catch (const vb::Error&) {
            }
        }
    }
    c->clearStatements();
    // Rollback journal: a file always holds every committed write and nothing beside it.
    if (!c->readOnly_) sqlite3_exec(c->db_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);

    std::lock_guard lock(r.mutex);
    auto found = r.byFile.find(key);
    if (found != r.byFile.end()) {
        if (auto other = found->second.lock()) {
            // The other handle's SQLite locks on the file would go with this claim's descriptor.
            c->claim_->keepOpen();
            r.touch(other);
            r.byPath.insert(path, other);
            return other;
        }
    }
    if (r.byFile.size() > 4 * kRecentHandles) std::erase_if(r.byFile, [](const auto& e) { return e.second.expired(); });
    if (r.byPath.size() > 4 * int(kRecentHandles)) r.byPath.removeIf([](const auto& e) { return e.value().expired(); });
    r.byFile[key] = c;
    r.byPath.insert(path, c);
    r.touch(c);
    if (r.recent.size() > kRecentHandles) {
        evicted = std::move(r.recent.back());
        r.recent.pop_back();
    }
    return c;
}

void Connection::releaseAllLocks() {
    Registry& r = Registry::instance();
    std::vector<std::shared_ptr<Connection>> live;
    {
        std::lock_guard lock(r.mutex);
        for (auto& [key, weak] : r.byFile)
            if (auto c = weak.lock()) live.push_back(std::move(c));
    }
    for (auto& c : live) c->releaseLock();
}

void Connection::closeIdle() {
    Registry& r = Registry::instance();
    std::deque<std::shared_ptr<Connection>> closing;
    {
        std::lock_guard lock(r.mutex);
        closing.swap(r.recent);
    }
}

void Connection::forgetPath(const QString& path) {
    Registry& r = Registry::instance();
    std::lock_guard lock(r.mutex);
    r.byPath.remove(path);
}

void Connection::createFile(const QString& path, const QString& password) {
    forgetPath(path);
    const QByteArray native = QFile::encodeName(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (path.isEmpty() || !QFileInfo(folder).isDir()) raiseJet(kNotAValidPath, kEngine, path.isEmpty() ? path : folder);
    const int fd = ::open(native.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) raiseJet(kDatabaseExists, kEngine);
        raiseForErrno(errno, path);
    }
    ::close(fd);

    sqlite3* db = nullptr;
    try {
        int rc = sqlite3_open_v2(QFile::encodeName(QFileInfo(path).absoluteFilePath()).constData(), &db,
                                 SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) raiseSqlite(db, rc, kEngine, QString(), path);
        const QByteArray setup = QByteArrayLiteral("PRAGMA journal_mode=DELETE; PRAGMA application_id=") +
                                 QByteArray::number(kApplicationId) + "; PRAGMA user_version=1;";
        rc = sqlite3_exec(db, setup.constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) raiseSqlite(db, rc, kEngine, QString(), path);
        if (!password.trimmed().isEmpty()) {
            rc = sqlite3_exec(db, "CREATE TABLE MSysPassword (salt BLOB NOT NULL, hash BLOB NOT NULL)", nullptr, nullptr,
                              nullptr);
            if (rc != SQLITE_OK) raiseSqlite(db, rc, kEngine, QString(), path);
            QByteArray salt(16, '\0');
            QRandomGenerator::system()->generate(salt.begin(), salt.end());
            const QByteArray hash = passwordHash(salt, password.trimmed());
            sqlite3_stmt* insert = nullptr;
            rc = sqlite3_prepare_v2(db, "INSERT INTO MSysPassword (salt, hash) VALUES (?, ?)", -1, &insert, nullptr);
            if (rc == SQLITE_OK) {
                sqlite3_bind_blob(insert, 1, salt.constData(), int(salt.size()), SQLITE_TRANSIENT);
                sqlite3_bind_blob(insert, 2, hash.constData(), int(hash.size()), SQLITE_TRANSIENT);
                rc = sqlite3_step(insert);
                sqlite3_finalize(insert);
                if (rc == SQLITE_DONE) rc = SQLITE_OK;
            }
            if (rc != SQLITE_OK) raiseSqlite(db, rc, kEngine, QString(), path);
        }
        sqlite3_close(db);
    } catch (...) {
        sqlite3_close(db);
        ::unlink(native.constData());
        throw;
    }
}

Connection::~Connection() {
    clearStatements();
    for (sqlite3_stmt* st : {exclusiveMode_, normalMode_, touch_, dataVersion_}) sqlite3_finalize(st);
    // A statement still alive keeps SQLite's descriptor and locks open past the close.
    if (claim_ && sqlite3_next_stmt(db_, nullptr)) claim_->keepOpen();
    sqlite3_close_v2(db_);
}

bool Connection::holdAlone() {
    releaseLock();
    return claim_ && claim_->alone();
}

void Connection::share() {
    if (claim_) claim_->shared();
}

void Connection::runPragma(sqlite3_stmt*& stmt, const char* sql) {
    if (!stmt && sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) return;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
    }
    sqlite3_reset(stmt);
}

void Connection::holdLock() {
    // Only inside a transaction-free read: a commit in exclusive mode would leave its journal behind.
    if (held_ || !sqlite3_get_autocommit(db_)) return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return;
    runPragma(exclusiveMode_, "PRAGMA locking_mode=EXCLUSIVE");
    // Take the shared lock now: from here until it is let go no other connection can commit.
    runPragma(touch_, "SELECT 1 FROM sqlite_master LIMIT 1");
    held_ = true;
    QMetaObject::invokeMethod(
        app, [self = weak_from_this()] {
            if (auto c = self.lock()) c->releaseLock();
        },
        Qt::QueuedConnection);
}

void Connection::releaseLock() {
    if (!held_) return;
    held_ = false;
    keptCheckedWhileHeld_ = false;
    runPragma(normalMode_, "PRAGMA locking_mode=NORMAL");
    // In normal mode the next access ends with the lock let go; a running transaction lets it go at its end.
    if (sqlite3_get_autocommit(db_)) runPragma(touch_, "SELECT 1 FROM sqlite_master LIMIT 1");
}

bool Connection::passwordMatches(const QString& password) const {
    // The rule database is opened for every lookup with the same password: hash it once.
    if (matchedPassword_ && *matchedPassword_ == password) return true;
    const QByteArray h = passwordHash(salt_, password);
    if (h.size() != hash_.size()) return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < h.size(); ++i) diff |= static_cast<unsigned char>(h[i] ^ hash_[i]);
    if (diff != 0) return false;
    matchedPassword_ = password;
    return true;
}

std::shared_ptr<Statement> Connection::prepare(const QString& jetSql, const QString& source) {
    return lookup(jetSql, false, source);
}

std::shared_ptr<Statement> Connection::prepareShared(const QString& jetSql, const QString& source,
                                                     QList<vb::Variant>* numbers) {
    numbers->clear();
    if (byText_.contains(jetSql)) return lookup(jetSql, false, source);
    StatementShape shape = shapeOf(jetSql);
    if (shape.text.isEmpty()) return lookup(jetSql, false, source);
    std::shared_ptr<Statement> st;
    try {
        st = lookup(shape.text, false, source);
    } catch (const vb::Error&) {
        // A faulty statement is reported in the words of the text as written.
        return lookup(jetSql, false, source);
    }
    *numbers = std::move(shape.numbers);
    return st;
}

std::shared_ptr<Statement> Connection::prepareNative(const QString& sql, const QString& source) {
    return lookup(sql, true, source);
}

std::shared_ptr<Statement> Connection::lookup(const QString& text, bool native, const QString& source) {
    const QString key = native ? QLatin1Char('\x01') + text : text;
    auto found = byText_.find(key);
    if (found != byText_.end()) {
        auto it = found.value();
        if (it != lru_.begin()) lru_.splice(lru_.begin(), lru_, it);
        if (sqlite3_stmt_readonly(it->second->get())) holdLock();
        else releaseLock();
        return it->second;
    }
    JetStatement jet;
    if (native) {
        jet.sql = text;
        jet.kind = StatementKind::Other;
    } else {
        jet = translated(text);
    }
    const QByteArray utf8 = jet.sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK) raiseSqlite(db_, rc, source, text, path_);
    if (!stmt) raiseJet(kInvalidSqlStatement, source);
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') {
            sqlite3_finalize(stmt);
            raiseJet(kCharactersAfterEnd, source);
        }
    }
    if (sqlite3_stmt_readonly(stmt)) holdLock();
    else releaseLock();
    auto entry = std::make_shared<Statement>(stmt, std::move(jet));
    if (entry->jet().kind == StatementKind::Ddl) return entry;  // the schema changes under it: not kept
    lru_.emplace_front(key, entry);
    byText_.insert(key, lru_.begin());
    if (lru_.size() > kStatementCacheSize) {
        byText_.remove(lru_.back().first);
        lru_.pop_back();
    }
    return entry;
}

void Connection::exec(const char* sql, const QString& source) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raiseSqlite(db_, rc, source, QString::fromUtf8(sql), path_);
}

void Connection::clearStatements() {
    byText_.clear();
    lru_.clear();
    kept_.clear();
}

namespace {
// Bounds of what a handle keeps: the rule lookups read a row or a small table each.
constexpr int kMaxKeptStatements = 512;
constexpr size_t kMaxKeptRows = 256;
}  // namespace

bool Connection::keptRowsValid() {
    if (!sqlite3_get_autocommit(db_)) return false;
    // While the shared lock is held only this handle can change the file, and its own writes show in
    // its change count: the file's version need not be asked again.
    if (held_ && keptCheckedWhileHeld_) {
        if (sqlite3_total_changes64(db_) == keptChanges_) return true;
        kept_.clear();
        keptChanges_ = sqlite3_total_changes64(db_);
        return true;
    }
    if (!dataVersion_ &&
        sqlite3_prepare_v3(db_, "PRAGMA data_version", -1, SQLITE_PREPARE_PERSISTENT, &dataVersion_, nullptr) != SQLITE_OK)
        return false;
    qint64 version = -1;
    if (sqlite3_step(dataVersion_) == SQLITE_ROW) version = sqlite3_column_int64(dataVersion_, 0);
    sqlite3_reset(dataVersion_);
    if (version < 0) return false;
    const qint64 changes = sqlite3_total_changes64(db_);
    if (changes != keptChanges_ || version != keptDataVersion_) {
        kept_.clear();
        keptChanges_ = changes;
        keptDataVersion_ = version;
    }
    keptCheckedWhileHeld_ = held_;
    return true;
}

std::shared_ptr<const SnapshotRows> Connection::keptRows(const QString& sql) {
    if (kept_.isEmpty()) return nullptr;
    // A read like any other: it holds the shared lock until the event loop next runs.
    holdLock();
    if (!keptRowsValid()) return nullptr;
    return kept_.value(sql);
}

void Connection::keepRows(const QString& sql, std::shared_ptr<const SnapshotRows> rows) {
    if (rows->rows.size() > kMaxKeptRows || !keptRowsValid()) return;
    if (kept_.size() >= kMaxKeptStatements) kept_.clear();
    kept_.insert(sql, std::move(rows));
}

QString passwordFromConnect(const QString& connect) {
    for (const QString& part : connect.split(QLatin1Char(';'))) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (part.left(eq).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return QString();
}

}  // namespace dao::detail
