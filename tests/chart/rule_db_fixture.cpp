#include "tests/chart/rule_db_fixture.h"

#include "chart/rule_database.h"
#include "tests/support/test_env.h"

#include <QFile>

namespace charttest {

void makeRuleDatabase(const QString& path, const QStringList& tables) {
    dao::DBEngine::createDatabase(path, QStringLiteral("QuietLoom")).close();
    dao::Workspace ws = dao::DBEngine::createWorkspace(QString(), QStringLiteral("admin"), QString());
    dao::Database db = ws.openDatabase(path, false, false, QString::fromUtf16(chart::kRuleConnect));
    ws.beginTrans();  // one write to disk instead of one per row
    for (const QString& table : tables) {
        QFile f(testenv::sourceDir() + QStringLiteral("/data/rules/") + table + QStringLiteral(".csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << table.toStdString();
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList header = lines.takeFirst().split(QLatin1Char(','));
        QStringList defs, marks;
        for (const QString& c : header) {
            defs << QStringLiteral("[%1] TEXT").arg(c);
            marks << QStringLiteral("?");
        }
        db.execute(QStringLiteral("CREATE TABLE [%1] (%2)").arg(table, defs.join(QStringLiteral(", "))));
        const QString insert = QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(table, marks.join(QStringLiteral(", ")));
        for (const QString& line : lines) {
            QList<vb::Variant> values;
            for (const QString& cell : line.split(QLatin1Char(','))) values.append(vb::Variant(cell));
            db.execute(insert, values);
        }
    }
    ws.commitTrans();
    ws.close();
}

void RuleDbFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.path() + QStringLiteral("/zodazire.mdb");
    makeRuleDatabase(path_, {QStringLiteral("AmingshG"), QStringLiteral("Ddwxjbiao"), QStringLiteral("Bdseg"),
                             QStringLiteral("Cdsegtgb"), QStringLiteral("XMiao99"), QStringLiteral("GanXiZx15_2")});
    chart::setRuleDatabasePath(path_);
}

void RuleDbFixture::TearDown() { chart::setRuleDatabasePath(QString()); }

void RuleDbFixture::execute(const QStringList& statements) {
    dao::Workspace ws = dao::DBEngine::createWorkspace(QString(), QStringLiteral("admin"), QString());
    dao::Database db = ws.openDatabase(path_, false, false, QString::fromUtf16(chart::kRuleConnect));
    for (const QString& s : statements) db.execute(s);
    ws.close();
}

}  // namespace charttest
