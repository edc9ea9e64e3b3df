// Snapshots share one prepared statement per shape: the numbers a WHERE clause compares are bound,
// and nothing else of the text may change meaning on the way.
#include "dao_fixture.h"

#include "platform/dao/statement_shape.h"

using namespace daotest;

namespace {

TEST(StatementShape, TakesOnlyTheComparedWholeNumbersOfTheWhereClause) {
    struct Case {
        const char* jet;
        const char* shape;  // "" when nothing is taken
        QList<int> numbers;
    };
    const Case cases[] = {
        {"SELECT a FROM Calendar WHERE  ID=4or id=5or id=6  ORDER BY ID ",
         "SELECT a FROM Calendar WHERE  ID=? or id=? or id=?  ORDER BY ID ", {4, 5, 6}},
        {"Select Count(iif([Ldays]=29 and not [shifouCF], 1,null)) as t From calendar where [id]<1790and  [id]>2",
         "Select Count(iif([Ldays]=29 and not [shifouCF], 1,null)) as t From calendar where [id]<? and  [id]>?", {1790, 2}},
        {"SELECT b FROM t WHERE a >= 3 AND a <= 9 AND c <> 1 AND d != 2 AND e == 7",
         "SELECT b FROM t WHERE a >= ? AND a <= ? AND c <> ? AND d != ? AND e == ?", {3, 9, 1, 2, 7}},
        {"SELECT b FROM t WHERE (a = 1 OR (a > 2)) ORDER BY 1", "SELECT b FROM t WHERE (a = ? OR (a > ?)) ORDER BY 1", {1, 2}},
        // Numbers that are not a plain compared whole number stay as written.
        {"SELECT b FROM t WHERE a = 1.5 OR a = 2e3 OR a = 0x1F OR a = .5", "", {}},
        {"SELECT b FROM t WHERE a = -1 OR a IN (1, 2) OR a BETWEEN 3 AND 4 OR a + 5 > b", "", {}},
        {"SELECT b FROM t WHERE a = 9999999999", "", {}},
        {"SELECT b FROM t WHERE a << 2 > b >> 3", "", {}},
        {"SELECT b FROM t WHERE a = 3 .x", "", {}},
        // Literals, quoted names, dates and comments are read as the lexer reads them.
        {"SELECT b FROM t WHERE s = 'where x=1' AND n = \"a=2\" AND [c=3] = 4 AND d = #1/2/2000#",
         "SELECT b FROM t WHERE s = 'where x=1' AND n = \"a=2\" AND [c=3] = ? AND d = #1/2/2000#", {4}},
        {"SELECT b FROM t WHERE a = 5 -- b = 6\n AND c = /* d = 7 */ 8",
         "SELECT b FROM t WHERE a = ? -- b = 6\n AND c = /* d = 7 */ 8", {5}},  // a comment between: left
        // Only the WHERE clause: the select list names the columns, GROUP BY and HAVING stay.
        {"SELECT a=1 AS x, (SELECT c FROM u WHERE d=2) FROM t", "", {}},
        {"SELECT a FROM t WHERE b=1 GROUP BY a HAVING count(*)>2", "SELECT a FROM t WHERE b=? GROUP BY a HAVING count(*)>2", {1}},
        {"SELECT a FROM t WHERE b IN (SELECT c FROM u WHERE d=3 ORDER BY 1) AND e=4",
         "SELECT a FROM t WHERE b IN (SELECT c FROM u WHERE d=? ORDER BY 1) AND e=?", {3, 4}},
        // Statements with parameters of their own, and statements other than SELECT, are left alone.
        {"SELECT a FROM t WHERE b=1 AND c=?", "", {}},
        {"UPDATE t SET a=1 WHERE b=2", "", {}},
        {"DELETE FROM t WHERE b=2", "", {}},
        {"codefiles", "", {}},
    };
    for (const auto& c : cases) {
        const auto shape = dao::detail::shapeOf(QString::fromUtf8(c.jet));
        EXPECT_EQ(shape.text, QString::fromUtf8(c.shape)) << c.jet;
        QList<int> numbers;
        for (const auto& v : shape.numbers) numbers.append(v.toInt());
        EXPECT_EQ(numbers, c.numbers) << c.jet;
    }
}

// Every statement reads through its shape as a snapshot and as written through a dynaset; both
// must give the same rows, including where a number meets a text column.
class SharedShapeTest : public DaoTest {
protected:
    void SetUp() override {
        db_ = make("shape.mdb", {"CREATE TABLE t (id LONG, n LONG, s TEXT(10), r DOUBLE)",
                                 "INSERT INTO t VALUES (1, 10, '5', 0.5)", "INSERT INTO t VALUES (2, 20, '05', 2)",
                                 "INSERT INTO t VALUES (3, 30, 'x', 3.0)", "INSERT INTO t VALUES (4, NULL, '', 4.5)"});
    }
    void TearDown() override {
        db_.close();
        DaoTest::TearDown();
    }

    QStringList rows(const QString& sql, int type) {
        dao::Recordset rs = db_.openRecordset(sql, type);
        QStringList out;
        for (; !rs.eof(); rs.moveNext()) {
            QString row;
            for (int i = 0; i < rs.fieldCount(); ++i) row += rs.field(i).value().text() + QLatin1Char('|');
            out.append(row);
        }
        return out;
    }

    dao::Database db_;
};

TEST_F(SharedShapeTest, SnapshotsOfEveryNumberReadWhatTheTextSays) {
    const char* const statements[] = {
        "SELECT id FROM t WHERE id=%1 ORDER BY id",
        "SELECT id, n FROM t WHERE n>%1 ORDER BY id",
        "SELECT id FROM t WHERE s=%1 ORDER BY id",        // text column against a number
        "SELECT id FROM t WHERE r<=%1 ORDER BY id",       // real column against a whole number
        "SELECT count(*) AS c FROM t WHERE id<%1and id>1",
    };
    for (const char* st : statements) {
        for (int k : {0, 1, 2, 3, 5, 20}) {
            const QString sql = QString::fromUtf8(st).arg(k);
            const QStringList asWritten = rows(sql, dao::dbOpenDynaset);
            EXPECT_EQ(rows(sql, dao::dbOpenSnapshot), asWritten) << sql.toStdString();
            EXPECT_EQ(rows(sql, dao::dbOpenSnapshot), asWritten) << "again: " << sql.toStdString();
        }
    }
    EXPECT_EQ(rows("SELECT id FROM t WHERE s=5", dao::dbOpenSnapshot), QStringList{"1|"});
    EXPECT_EQ(rows("SELECT count(*) AS c FROM t WHERE id<4and id>1", dao::dbOpenSnapshot), QStringList{"2|"});
}

TEST_F(SharedShapeTest, AFaultyStatementIsReportedAsWritten) {
    EXPECT_EQ(errorOf([&] { db_.openRecordset("SELECT id FROM nosuch WHERE id=1", dao::dbOpenSnapshot); }),
              dao::kCouldNotFindObject);
    EXPECT_EQ(errorTextOf([&] { db_.openRecordset("SELECT id FROM nosuch WHERE id=1", dao::dbOpenSnapshot); }),
              errorTextOf([&] { db_.openRecordset("SELECT id FROM nosuch WHERE id=1", dao::dbOpenDynaset); }));
    EXPECT_EQ(rows("SELECT id FROM t WHERE id=1", dao::dbOpenSnapshot), QStringList{"1|"}) << "the handle still works";
}

}  // namespace
