#include "tests/library/library_fixture.h"

#include "core/globals.h"
#include "core/settings.h"
#include "platform/dao/dao.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/folders.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>

void LibraryWindowTest::TearDown() {
    stop();
    if (core::gWorkDB.isOpen()) core::gWorkDB.close();
    core::gWorkDB = dao::Database();
}

library::FrmCodeLib& LibraryWindowTest::start() { return forms::defaultInstance<library::FrmCodeLib>(); }

library::FrmCodeLib& LibraryWindowTest::startWithoutLibrary() {
    start();  // the first start sets LastDB to the default library
    stop();
    const QString empty = dataPath(QStringLiteral("empty/"));
    QDir().mkpath(empty);
    setSetting(QStringLiteral("LastDB"), empty);
    dialogs_.answer(forms::DialogAnswer::cancel());
    return start();
}

void LibraryWindowTest::stop() {
    if (auto* w = forms::loadedInstance<library::FrmCodeLib>()) w->Unload(forms::vbAppTaskManager);
    forms::unloadAll(forms::vbFormCode);
    forms::deleteUnloadedForms();
}

QString LibraryWindowTest::dataPath(const QString& name) { return vb::joinPath(vb::dataFolder(), name); }

QString LibraryWindowTest::setting(const QString& key) { return core::settingText(key, QStringLiteral("<absent>")); }

void LibraryWindowTest::setSetting(const QString& key, const QString& value) { core::saveSetting(key, vb::Variant(value)); }

int LibraryWindowTest::rowCount(const QString& database, const QString& table) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(database);
    dao::Recordset rs = db.openRecordset(QStringLiteral("select count(*) as n from ") + table, dao::dbOpenSnapshot);
    const int n = rs.value(QStringLiteral("n")).toLong();
    rs.close();
    db.close();
    return n;
}

bool LibraryWindowTest::integrityOk(const QString& database) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt* st = nullptr;
    bool ok = sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
              sqlite3_step(st) == SQLITE_ROW &&
              QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
    sqlite3_finalize(st);
    // A file with no tables passes the check: a work database has its items table.
    ok = ok && sqlite3_prepare_v2(db, "SELECT count(*) FROM codeitems", -1, &st, nullptr) == SQLITE_OK &&
         sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}
