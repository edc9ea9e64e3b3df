// A rule-database lookup as every chart step makes it: open with the password, one single-row
// snapshot query, close. Goal: under 20 µs.
#include "platform/dao/dao.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString makeRuleDatabase(const QTemporaryDir& dir) {
    const QString path = dir.path() + QStringLiteral("/zodazire.mdb");
    dao::Database db = dao::DBEngine::createDatabase(path, QStringLiteral("QuietLoom"));
    db.execute("CREATE TABLE AmingshG (y TEXT(1), a TEXT(2), b TEXT(2), c TEXT(2), d TEXT(2), e TEXT(2), f TEXT(2), "
               "g TEXT(2), h TEXT(2), i TEXT(2), j TEXT(2), k TEXT(2), l TEXT(2))");
    const QString months = QStringLiteral("正二三四五六七八九十冬腊");
    const QString branches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
    for (int m = 0; m < 12; ++m) {
        QList<vb::Variant> row{vb::Variant(QString(months[m]))};
        for (int h = 0; h < 12; ++h) row.append(vb::Variant(QString(branches[(m + h) % 12]) + branches[(m + 2 * h) % 12]));
        db.execute("INSERT INTO AmingshG VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)", row);
    }
    return path;
}

void BM_RuleLookup(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeRuleDatabase(dir);
    const QString sql = QStringLiteral("SELECT Y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM AmingshG WHERE y=") +
                        QStringLiteral("'正'");
    for (auto _ : state) {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, "; pwd=QuietLoom ");
        dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot);
        benchmark::DoNotOptimize(rs["l"]);
        rs.close();
        db.close();
    }
}
BENCHMARK(BM_RuleLookup)->Unit(benchmark::kMicrosecond);

// The same lookup as the first of an event: the event loop has run since the last one, so the
// handle takes its read lock anew.
void BM_RuleLookupAfterEventLoop(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeRuleDatabase(dir);
    const QString sql = QStringLiteral("SELECT Y, A,b,c,d,e,f,g,h,i,j,k,l FROM AmingshG WHERE y='正'");
    for (auto _ : state) {
        QCoreApplication::processEvents();
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, "; pwd=QuietLoom ");
        dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot);
        benchmark::DoNotOptimize(rs["l"]);
        rs.close();
        db.close();
    }
}
BENCHMARK(BM_RuleLookupAfterEventLoop)->Unit(benchmark::kMicrosecond);

}  // namespace
