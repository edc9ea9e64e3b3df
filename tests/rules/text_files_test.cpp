// Tables whose rows are text files (the knowledge articles): how the build reads a folder of them.
#include "tests/support/qt_print.h"
#include "tools/rulesdb/table_schema.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

rulesdb::TableSchema articleSchema() {
    rulesdb::TableSchema s;
    s.table = "bazizhishi";
    s.key = {"id"};
    s.files = "*.txt";
    s.columns = {{"id", "long", 0, 0, "", false, 1, 71}, {"content", "memo", 0, 0, "", false, {}, {}}};
    return s;
}

TEST(TextFileTable, OneRowPerFileInNumericOrderWithPlainLineEnds) {
    QTemporaryDir dir;
    write(dir.filePath("10.txt"), "十\r\n第二段\r\n");
    write(dir.filePath("2.txt"), "二\n");
    write(dir.filePath("1.txt"), "一\n\n");
    write(dir.filePath("notes.md"), "not a row");
    QString error;
    const auto data = rulesdb::readTextFiles(articleSchema(), dir.path(), &error);
    ASSERT_TRUE(data) << error.toStdString();
    EXPECT_EQ(data->header, (QStringList{"id", "content"}));
    ASSERT_EQ(data->rows.size(), 3);
    EXPECT_EQ(data->rows[0], (QStringList{"1", "一\n"})) << "only the final line end goes";
    EXPECT_EQ(data->rows[1], (QStringList{"2", "二"}));
    EXPECT_EQ(data->rows[2], (QStringList{"10", "十\n第二段"}));
    EXPECT_TRUE(rulesdb::checkTable(articleSchema(), *data).isEmpty());
}

TEST(TextFileTable, RefusesAByteOrderMarkAndChecksTheIds) {
    QTemporaryDir dir;
    write(dir.filePath("3.txt"), "\xEF\xBB\xBF三");
    QString error;
    EXPECT_FALSE(rulesdb::readTextFiles(articleSchema(), dir.path(), &error));
    EXPECT_TRUE(error.contains("byte-order mark")) << error.toStdString();

    QTemporaryDir other;
    write(other.filePath("72.txt"), "过界");
    write(other.filePath("x.txt"), "无号");
    const auto data = rulesdb::readTextFiles(articleSchema(), other.path(), &error);
    ASSERT_TRUE(data);
    const QString problems = rulesdb::checkTable(articleSchema(), *data).join('\n');
    EXPECT_TRUE(problems.contains("out of range")) << problems.toStdString();
    EXPECT_TRUE(problems.contains("not a number")) << problems.toStdString();
}

TEST(TextFileTable, SchemaNamesTheFilesAndTwoColumns) {
    QTemporaryDir dir;
    write(dir.filePath("t.schema.json"),
          R"({"table": "t", "files": "*.txt", "columns": [{"name": "id", "type": "long"}, {"name": "content", "type": "memo"}]})");
    QString error;
    const auto schema = rulesdb::readSchema(dir.filePath("t.schema.json"), &error);
    ASSERT_TRUE(schema) << error.toStdString();
    EXPECT_EQ(schema->files, "*.txt");
    write(dir.filePath("5.txt"), "五");
    const auto data = rulesdb::readRows(*schema, dir.filePath("t.schema.json"), &error);
    ASSERT_TRUE(data) << error.toStdString();
    EXPECT_EQ(data->rows, (QList<QStringList>{{"5", "五"}}));

    write(dir.filePath("u.schema.json"), R"({"table": "u", "files": "*.txt", "columns": [{"name": "id"}]})");
    EXPECT_FALSE(rulesdb::readSchema(dir.filePath("u.schema.json"), &error));
    EXPECT_TRUE(error.contains("two columns")) << error.toStdString();
}

}  // namespace
