#include "tests/calendar/rule_database.h"

#include "platform/dao/dao.h"
#include "platform/vb/folders.h"
#include "tests/calendar/calendar_table.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

namespace caltest {

namespace {

QString makeFromCsv() {
    const QString folder = testenv::userRoot() + QStringLiteral("/calendar-rules");
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/zodazire.mdb");
    if (QFileInfo::exists(path)) return folder;

    QFile f(calendarCsvPath());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList header = lines.takeFirst().trimmed().split(QLatin1Char(','));
    QStringList defs, marks;
    for (const QString& name : header) {
        defs << QStringLiteral("[%1] %2").arg(name, name == QLatin1String("ID") ? QStringLiteral("LONG") : QStringLiteral("SHORT"));
        marks << QStringLiteral("?");
    }
    dao::DBEngine::createDatabase(path, QStringLiteral("QuietLoom")).close();
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    dao::Database db = ws.openDatabase(path, false, false, QStringLiteral("; pwd=QuietLoom "));
    db.execute(QStringLiteral("CREATE TABLE Calendar (%1)").arg(defs.join(QStringLiteral(", "))));
    const QString insert = QStringLiteral("INSERT INTO Calendar VALUES (%1)").arg(marks.join(QStringLiteral(", ")));
    ws.beginTrans();
    for (const QString& line : lines) {
        QList<vb::Variant> values;
        for (const QString& cell : line.trimmed().split(QLatin1Char(','))) values << vb::Variant(cell.toInt());
        db.execute(insert, values);
    }
    ws.commitTrans();
    db.close();
    return folder;
}

}  // namespace

QString useRuleDatabase() {
    const QString built = testenv::programDir();
    const QString folder = QFileInfo::exists(built + QStringLiteral("/zodazire.mdb")) ? built : makeFromCsv();
    vb::setProgramFolder(folder);
    return folder;
}

}  // namespace caltest
