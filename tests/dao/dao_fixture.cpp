#include "tests/support/error_number.h"
#include "dao_fixture.h"

namespace daotest {

dao::Database DaoTest::make(const QString& name, const QStringList& statements, const QString& password) const {
    dao::Database db = dao::DBEngine::createDatabase(path(name), password);
    for (const QString& s : statements) db.execute(s);
    return db;
}

QString errorTextOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::Error& e) {
        return e.description();
    }
    return QString();
}

}  // namespace daotest
