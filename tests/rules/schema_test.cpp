// Every authored table against its declared schema, and the built rule database against the files.
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "tests/rules/rule_table.h"
#include "tests/support/test_env.h"
#include "tools/rulesdb/table_schema.h"

#include <gtest/gtest.h>

namespace {

class AuthoredTable : public ::testing::TestWithParam<QString> {};

TEST_P(AuthoredTable, MatchesItsSchema) {
    const QString name = GetParam();
    QString error;
    const auto schema = rulesdb::readSchema(ruletest::schemaPath(name), &error);
    ASSERT_TRUE(schema) << error.toStdString();
    EXPECT_EQ(schema->table, name) << "the schema file is named after its table";
    const auto data = rulesdb::readCsv(ruletest::csvPath(name), &error);
    ASSERT_TRUE(data) << error.toStdString();
    const QStringList problems = rulesdb::checkTable(*schema, *data);
    EXPECT_TRUE(problems.isEmpty()) << problems.mid(0, 20).join('\n').toStdString();
}

TEST_P(AuthoredTable, IsInTheBuiltRuleDatabaseRowForRow) {
    const QString name = GetParam();
    QString error;
    const auto schema = rulesdb::readSchema(ruletest::schemaPath(name), &error);
    const auto data = rulesdb::readCsv(ruletest::csvPath(name), &error);
    ASSERT_TRUE(schema && data) << error.toStdString();

    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(
        testenv::programDir() + "/zodazire.mdb", false, false, core::ruleConnect());
    dao::Recordset rs = db.openRecordset("SELECT * FROM " + name, dao::dbOpenSnapshot);
    int row = 0;
    for (; !rs.eof(); rs.moveNext(), ++row) {
        ASSERT_LT(row, data->rows.size());
        for (int c = 0; c < schema->columns.size(); ++c) {
            const auto& col = schema->columns[c];
            const vb::Variant v = rs[col.name];
            const QString& cell = data->rows[row].value(c);
            if (col.type == "text" || col.type == "memo") {
                EXPECT_EQ(v.text(), cell) << name.toStdString() << " row " << row + 1 << " " << col.name.toStdString();
            } else if (!cell.isEmpty()) {
                EXPECT_DOUBLE_EQ(v.toDouble(), cell.toDouble()) << name.toStdString() << " row " << row + 1;
            }
        }
    }
    EXPECT_EQ(row, data->rows.size()) << "rows come back in the order they were authored";
    rs.close();
    db.close();
}

INSTANTIATE_TEST_SUITE_P(Tables, AuthoredTable, ::testing::ValuesIn(ruletest::tableNames()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(AuthoredTable);

TEST(SchemaCheck, ReportsEveryKindOfFault) {
    rulesdb::TableSchema schema;
    schema.table = "T";
    schema.key = {"y"};
    schema.rows = 3;
    schema.columns = {{"y", "text", 1, 0, "", false, {}, {}},
                      {"a", "text", 2, 0, rulesdb::expandCharClass("branch"), false, {}, {}},
                      {"n", "long", 0, 0, "", true, 1, 12}};
    rulesdb::TableData data;
    data.header = {"y", "a", "n"};
    data.rows = {{"正", "子丑", "1"}, {"正", "子", "13"}, {"二", "子x", ""}};
    const QStringList problems = rulesdb::checkTable(schema, data);
    const QString all = problems.join('\n');
    EXPECT_TRUE(all.contains("duplicate key")) << all.toStdString();
    EXPECT_TRUE(all.contains("width 1")) << all.toStdString();
    EXPECT_TRUE(all.contains("out of range")) << all.toStdString();
    EXPECT_TRUE(all.contains("not allowed")) << all.toStdString();
    EXPECT_EQ(problems.size(), 4) << all.toStdString();

    data.header = {"y", "n", "a"};
    EXPECT_TRUE(rulesdb::checkTable(schema, data).join('\n').contains("header"));
}

}  // namespace
