// Jet SQL: the rewriting for SQLite and the statement texts the program runs, exactly as it writes them.
#include "dao_fixture.h"

#include "platform/dao/jet_sql.h"

using namespace daotest;
using dao::DBEngine::defaultWorkspace;

namespace {

TEST(JetSqlTranslation, RewritesJetFormsAndLeavesLiteralsAlone) {
    struct Case {
        const char* jet;
        const char* sqlite;
    };
    const Case cases[] = {
        {"WHERE  ID=5or id=6or id=7  ORDER BY ID ", "WHERE  ID=5 or id=6 or id=7  ORDER BY ID "},
        {"where [id]<17and  [id]>2", "where [id]<17 and  [id]>2"},
        {"x=1.5e3and y", "x=1.5e3 and y"},
        {"Count(iif([Ldays]=30and not [shifouCF], 1,null))",
         "count(*) FILTER (WHERE ([Ldays]=30 and not [shifouCF]))"},
        {"Count(iif(a, b, null))", "Count((CASE WHEN a THEN b ELSE null END))"},  // b may be Null
        {"Count(iif(a, 1, 0))", "Count((CASE WHEN a THEN 1 ELSE 0 END))"},
        {"Count(iif(a, 1, null) + 1)", "Count((CASE WHEN a THEN 1 ELSE null END) + 1)"},
        {"iif(a, iif(b, 1, 2), 3)", "(CASE WHEN a THEN (CASE WHEN b THEN 1 ELSE 2 END) ELSE 3 END)"},
        {"WHERE x LIKE \"a*\"", "WHERE x LIKE 'a%'"},
        {"WHERE flag = True or other = FALSE", "WHERE flag = -1 or other = 0"},
        {"SELECT t.true FROM t", "SELECT t.true FROM t"},
        {"WHERE name = \"it's\"", "WHERE name = 'it''s'"},
        {"WHERE s = 'a \"b\" 2or True'", "WHERE s = 'a \"b\" 2or True'"},
        {"WHERE d = #2000-01-01#", "WHERE d = 36526"},
        {"WHERE d > #1/2/2000 12:00 PM#", "WHERE d > 36527.5"},
        {"SELECT a & 'x' & b", "SELECT a || 'x' || b"},
        {"WHERE a LIKE 'ab*c?'", "WHERE a LIKE 'ab%c_'"},
        {"SELECT DISTINCTROW a FROM t", "SELECT  a FROM t"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dao::detail::translateJetSql(QString::fromUtf8(c.jet)).sql, QString::fromUtf8(c.sqlite)) << c.jet;
}

TEST(JetSqlTranslation, CreateTableMapsTheEngineTypes) {
    const auto st = dao::detail::translateJetSql(
        "CREATE TABLE CodeFiles (ID COUNTER, CodeID LONG, Description TEXT(50), File LONGBINARY, "
        "Notes MEMO WITH COMPRESSION, CONSTRAINT pk PRIMARY KEY (ID))");
    EXPECT_EQ(st.sql,
              QStringLiteral("CREATE TABLE CodeFiles (ID INTEGER PRIMARY KEY AUTOINCREMENT, CodeID LONG, Description "
                             "TEXT(50) COLLATE NOCASE, File BLOB, Notes LONGTEXT COLLATE NOCASE )"));
    EXPECT_EQ(dao::detail::translateJetSql("CREATE TABLE b (ID AUTOINCREMENT(1,1) PRIMARY KEY NOT NULL, x TEXT)").sql,
              QStringLiteral("CREATE TABLE b (ID INTEGER PRIMARY KEY AUTOINCREMENT  NOT NULL, x TEXT COLLATE NOCASE)"));
}

// A rule database with the program's tables, made the way the build makes it.
class JetSqlTest : public DaoTest {
protected:
    void SetUp() override {
        QStringList s = {
            "CREATE TABLE Calendar (ID LONG PRIMARY KEY, Nian SMALLINT, JieqiMonth SMALLINT, JieqiDay SMALLINT, "
            "JieqiHour SMALLINT, JieqiMinute SMALLINT, JieqiNday SMALLINT, ZhongqiDay SMALLINT, ZhongqiHour SMALLINT, "
            "ZhongqiMinute SMALLINT, Lmonth SMALLINT, Ldays SMALLINT, LdaysA SMALLINT, LeapFlag YESNO, shifouCF YESNO, "
            "thisyearjqd SMALLINT, thisyearjqh SMALLINT, thisyearjqm SMALLINT)",
            "CREATE TABLE AmingshG (y TEXT(1), a TEXT(2), b TEXT(2), c TEXT(2), d TEXT(2), e TEXT(2), f TEXT(2), "
            "g TEXT(2), h TEXT(2), i TEXT(2), j TEXT(2), k TEXT(2), l TEXT(2))",
            "CREATE TABLE Ddwxjbiao (n TEXT(1), a TEXT(3), b TEXT(3), c TEXT(3), d TEXT(3), e TEXT(3), f TEXT(3), "
            "g TEXT(3), h TEXT(3), i TEXT(3), j TEXT(3), k TEXT(3), l TEXT(3))",
            "CREATE TABLE XMiao99 (s TEXT(2), a TEXT(12), b TEXT(12), c TEXT(12), d TEXT(12), e TEXT(12), f TEXT(12), "
            "g TEXT(12))",
            "CREATE TABLE saveM (id LONG, description MEMO)",
            "CREATE TABLE zs (a MEMO)",
            "CREATE TABLE bazizhishi (id LONG, content MEMO)",
            "INSERT INTO AmingshG VALUES ('正','寅寅','卯丑','辰子','巳亥','午戌','未酉','申申','酉未','戌午','亥巳','子辰','丑卯')",
            "INSERT INTO Ddwxjbiao VALUES ('甲','水二局','水二局','火六局','火六局','木三局','木三局','土五局','土五局',"
            "'金四局','金四局','火六局','火六局')",
            "INSERT INTO XMiao99 VALUES ('紫微','午','子寅','','','','','')",
            "INSERT INTO saveM VALUES (59, 'fifty-nine')",
            "INSERT INTO saveM VALUES (60, 'sixty')",
            "INSERT INTO zs VALUES ('reading text')",
            "INSERT INTO bazizhishi VALUES (58, 'knowledge')",
        };
        // Months 2..9: alternating lengths, one leap month, one month with a further month, one repeat.
        struct Row {
            int id, lmonth, ldays, ldaysA;
            bool leap, repeat;
        };
        const Row rows[] = {{2, 1, 29, 0, false, false}, {3, 2, 30, 0, false, false}, {4, 3, 29, 0, false, false},
                            {5, 4, 30, 29, false, false}, {6, 4, 29, 0, true, false},  {7, 5, 30, 0, false, true},
                            {8, 6, 29, 30, false, false}, {9, 7, 30, 0, false, false}};
        for (const auto& r : rows)
            s.append(QStringLiteral("INSERT INTO Calendar (ID, Nian, JieqiMonth, JieqiDay, JieqiHour, JieqiMinute, "
                                    "JieqiNday, ZhongqiDay, ZhongqiHour, ZhongqiMinute, Lmonth, Ldays, LdaysA, LeapFlag, "
                                    "shifouCF, thisyearjqd, thisyearjqh, thisyearjqm) VALUES (%1, 1882, %1, 6, 1, 2, 18, "
                                    "21, 3, 4, %2, %3, %4, %5, %6, 4, 5, 6)")
                         .arg(r.id)
                         .arg(r.lmonth)
                         .arg(r.ldays)
                         .arg(r.ldaysA)
                         .arg(r.leap ? "True" : "False")
                         .arg(r.repeat ? "True" : "False"));
        make("zodazire.mdb", s, QStringLiteral("QuietLoom")).close();
    }

    dao::Database open() const {
        return defaultWorkspace().openDatabase(path("zodazire.mdb"), false, false, "; pwd=QuietLoom ");
    }
};

TEST_F(JetSqlTest, CalendarRowsByTheGluedKeyList) {
    const int id = 5;
    const QString sql = "SELECT Nian , JieqiMonth,JieqiDay,Lmonth," + QString(" JieqiNday , JieqiHour , JieqiMinute,ZhongqiDay,") +
                        "ZhongqiMinute, ZhongqiHour, Ldays, thisyearjqd,thisyearjqh, thisyearjqm, LdaysA," +
                        "LeapFlag FROM Calendar WHERE  ID=" + QString::number(id - 1) + "or id=" + QString::number(id) +
                        "or id=" + QString::number(id + 1) + "  ORDER BY ID ";
    dao::Recordset rs = open().openRecordset(sql, dao::dbOpenSnapshot);
    QList<int> months;
    for (; !rs.eof(); rs.moveNext()) {
        months.append(rs["JieqiMonth"].toInt());
        EXPECT_EQ(rs["jieqimonth"].type(), vb::Variant::Type::Int);
        EXPECT_EQ(rs["LeapFlag"].type(), vb::Variant::Type::Bool);
        EXPECT_EQ(rs["ThisyearJQD"].toInt(), 4);
    }
    EXPECT_EQ(months, QList<int>({4, 5, 6}));
    rs.moveFirst();
    rs.moveNext();
    rs.moveNext();
    EXPECT_TRUE(rs["LeapFlag"].toBool());
}

TEST_F(JetSqlTest, CalendarCountingQueryWithIif) {
    const int id = 9;
    const QString sql = "Select Count(*) as TotalCount, " + QString("Count(iif([Ldays]=29 and not [shifouCF], 1,null)) as tCount, ") +
                        "Count(iif([Ldays]=30and not [shifouCF], 1,null)) as pCount ," +
                        "Count(iif([Ldaysa]=30, 1,null)) as qCount ," + "Count(iif([leapflag], 1,null)) as qqCount ," +
                        "Count(iif([Ldaysa]=29, 1,null)) as rCount " + "From calendar where [id]<" + QString::number(id) +
                        "and  [id]>2";
    dao::Recordset rs = open().openRecordset(sql, dao::dbOpenSnapshot);
    // Rows 3..8: lengths 30,29,30,29(leap),30(repeat),29; further months 29 (row 5) and 30 (row 8).
    EXPECT_EQ(rs.field(0).value().toLong(), 6);
    EXPECT_EQ(rs.field(1).value().toLong(), 3);  // t: 29 days, not repeated (rows 4, 6, 8)
    EXPECT_EQ(rs.field(2).value().toLong(), 2);  // p: 30 days, not repeated (rows 3, 5)
    EXPECT_EQ(rs.field(3).value().toLong(), 1);  // q
    EXPECT_EQ(rs.field(4).value().toLong(), 1);  // qq
    EXPECT_EQ(rs.field(5).value().toLong(), 1);  // r
    EXPECT_EQ(rs["tCount"].toLong(), 3);
}

TEST_F(JetSqlTest, RuleTableTextsRunAsWritten) {
    struct Case {
        const char* sql;
        const char* field;
        const char* expected;  // nullptr: no row
    };
    const Case cases[] = {
        {"SELECT Y, A,b,c,d,e,f,g,h,i,j,k,l FROM AmingshG WHERE y='正'", "l", "丑卯"},
        {"SELECT Y, A,b,c,d,e,f,g,h,i,j,k,l FROM AmingshG WHERE y='正'", "A", "寅寅"},
        {"SELECT n, A,b,c,d,e,f,g,h,i,j,k,l FROM Ddwxjbiao  WHERE n='甲'", "c", "火六局"},
        {"SELECT n, A,b,c,d,e,f,g,h,i,j,k,l FROM Ddwxjbiao  WHERE n='乙'", "c", nullptr},
        {"SELECT b FROM XMiao99 WHERE s='紫微'", "B", "子寅"},
        {"SELECT description FROM savem WHERE id =59", "Description", "fifty-nine"},
        {"SELECT description FROM saveM WHERE id =60", "description", "sixty"},
        {"SELECT a FROM zs  ", "a", "reading text"},
        {"SELECT content FROM bazizhishi WHERE id=58", "content", "knowledge"},
    };
    dao::Database db = open();
    for (const auto& c : cases) {
        dao::Recordset rs = db.openRecordset(QString::fromUtf8(c.sql), dao::dbOpenSnapshot);
        if (!c.expected) {
            EXPECT_TRUE(rs.eof()) << c.sql;
            // Reading the first row without an end test fails as the engine fails.
            EXPECT_EQ(errorOf([&] { rs[QString::fromLatin1(c.field)]; }), dao::kNoCurrentRecord);
            continue;
        }
        ASSERT_FALSE(rs.eof()) << c.sql;
        EXPECT_EQ(rs[QString::fromLatin1(c.field)].toString(), QString::fromUtf8(c.expected)) << c.sql;
    }
}

TEST_F(JetSqlTest, StatementFailuresGiveTheEngineNumbers) {
    dao::Database db = open();
    struct Case {
        const char* sql;
        int error;
    };
    const Case cases[] = {
        {"select version from CodeDBVersion", dao::kCouldNotFindObject},
        {"codefiles", dao::kCouldNotFindObject},
        {"SELECT nosuch FROM zs", dao::kTooFewParameters},
        {"select * from codeitems where id = ", dao::kSyntaxError},
        {"SELECT a FROM zs; SELECT a FROM zs", dao::kCharactersAfterEnd},
        {"DELETE FROM zs", dao::kInvalidOperation},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { db.openRecordset(QString::fromUtf8(c.sql), dao::dbOpenSnapshot); }), c.error) << c.sql;
    EXPECT_EQ(errorTextOf([&] { db.openRecordset("select version from CodeDBVersion"); }),
              QStringLiteral("The database engine cannot find the input table or query 'CodeDBVersion'.  Make sure it "
                             "exists and that its name is spelled correctly."));
}

TEST_F(JetSqlTest, WorkDatabaseTablesAreCreatedWhenMissing) {
    dao::Database db = make("dirovovivov.mdb", {});
    if (errorOf([&] { db.openRecordset("codefiles", dao::dbOpenTable).close(); }) == dao::kCouldNotFindObject)
        db.execute("CREATE TABLE CodeFiles (ID COUNTER, CodeID LONG, Description TEXT(50), File LONGBINARY, "
                   "OrigDateTime DATETIME, DateAdded DATETIME)");
    EXPECT_EQ(errorOf([&] { db.openRecordset("codefiles", dao::dbOpenTable).close(); }), 0);
    if (errorOf([&] { db.openRecordset("select version from CodeDBVersion"); }) == dao::kCouldNotFindObject)
        db.execute("CREATE TABLE CodeDBVersion (Version TEXT)");
    dao::Recordset rs = db.openRecordset("select version from CodeDBVersion");
    EXPECT_TRUE(rs.bof() && rs.eof());
    rs.addNew();
    rs.setValue("version", vb::Variant("1.0.0"));
    rs.update();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs["Version"].toString(), QStringLiteral("1.0.0"));
    EXPECT_EQ(errorOf([&] { db.execute("CREATE TABLE codefiles (x TEXT)"); }), dao::kTableExists);
}

}  // namespace
