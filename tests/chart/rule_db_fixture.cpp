#include "tests/chart/rule_db_fixture.h"

#include "chart/rule_database.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "tests/support/test_env.h"

#include <QFile>

namespace charttest {

void RuleDbFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.path() + QStringLiteral("/zodazire.mdb");
    const QString built = testenv::programDir() + QStringLiteral("/zodazire.mdb");
    ASSERT_TRUE(QFile::copy(built, path_)) << "no rule database at " << built.toStdString();
    core::setRuleDatabasePath(path_);
}

void RuleDbFixture::TearDown() { core::setRuleDatabasePath(QString()); }

void RuleDbFixture::execute(const QStringList& statements) {
    dao::Workspace ws = dao::DBEngine::createWorkspace(QString(), QStringLiteral("admin"), QString());
    dao::Database db = ws.openDatabase(path_, false, false, QString::fromUtf16(core::kRuleConnect));
    for (const QString& s : statements) db.execute(s);
    ws.close();
}

}  // namespace charttest
