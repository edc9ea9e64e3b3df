// The annotation texts as the chart window reads them: every row it can ask for is in the built rule
// database, unscrambles to the authored text, reads as Chinese prose of a sensible length and says
// something of its own; the pick lists and the rows stay in step.
#include "core/conversions.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "platform/vb/codepage936.h"
#include "tests/support/test_env.h"
#include "tools/rulesdb/table_schema.h"
#include "windows/chart_annotations.h"

#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

#include <utility>

namespace {

QString sourceFolder() { return testenv::sourceDir() + QStringLiteral("/data/annotations"); }

// Han characters and the full-width punctuation of ordinary prose.
bool isProseCharacter(QChar c) {
    static const QString punctuation = QStringLiteral("，。、；：？！“”‘’（）《》—…·");
    return (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) || punctuation.contains(c);
}

QString firstForeignCharacter(const QString& text) {
    for (QChar c : text)
        if (!isProseCharacter(c)) return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return QString();
}

// The authored rows of a table, by id.
QHash<int, QString> authoredRows(const QString& table) {
    QString error;
    const auto data = rulesdb::readCsv(sourceFolder() + QLatin1Char('/') + table + QStringLiteral(".csv"), &error);
    EXPECT_TRUE(data) << error.toStdString();
    QHash<int, QString> rows;
    if (data)
        for (const QStringList& row : data->rows) rows.insert(row.value(0).toInt(), row.value(1));
    return rows;
}

class BuiltAnnotations : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = dao::DBEngine::defaultWorkspace().openDatabase(
            testenv::programDir() + QLatin1Char('/') + QString::fromUtf16(core::kRuleDatabaseName), false, false,
            QString::fromUtf16(core::kRuleConnect));
    }
    void TearDown() override { db_.close(); }

    // The stored description of a row, as the window queries it; Null when the row is missing.
    vb::Variant stored(const QString& table, int id) {
        dao::Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT description FROM %1 WHERE id =%2").arg(table).arg(id), dao::dbOpenSnapshot);
        const vb::Variant v = rs.eof() ? vb::Variant::null() : rs[QStringLiteral("Description")];
        rs.close();
        return v;
    }

    // Every row 1..count of `table` against its source; returns the readable texts.
    QStringList checkRows(const QString& table, int count) {
        const QHash<int, QString> authored = authoredRows(table);
        EXPECT_EQ(authored.size(), count) << table.toStdString();
        QStringList texts;
        for (int id = 1; id <= count; ++id) {
            SCOPED_TRACE(QStringLiteral("%1 row %2").arg(table).arg(id).toStdString());
            const vb::Variant v = stored(table, id);
            if (v.isNull()) {
                ADD_FAILURE() << "missing";
                continue;
            }
            const QString text = core::UnscrambleText(v.text());
            EXPECT_NE(v.text(), text) << "stored readable, not scrambled";
            EXPECT_EQ(text, authored.value(id)) << "does not read back as authored";
            EXPECT_GE(text.size(), 150);
            EXPECT_LE(text.size(), 500);
            EXPECT_EQ(firstForeignCharacter(text), QString()) << text.toStdString();
            texts.append(text);
        }
        return texts;
    }

    dao::Database db_;
};

TEST(AnnotationSources, MatchTheirSchemas) {
    for (const char* table : {"saveM", "saveY", "zs"}) {
        SCOPED_TRACE(table);
        QString error;
        const QString base = sourceFolder() + QLatin1Char('/') + QLatin1String(table);
        const auto schema = rulesdb::readSchema(base + QStringLiteral(".schema.json"), &error);
        ASSERT_TRUE(schema) << error.toStdString();
        const auto data = rulesdb::readCsv(base + QStringLiteral(".csv"), &error);
        ASSERT_TRUE(data) << error.toStdString();
        const QStringList problems = rulesdb::checkTable(*schema, *data);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    }
}

// Rows 1..58 follow the star list, so each must be about the star at its position; 59 and 60 are the
// fallbacks, which name no star of their own.
TEST_F(BuiltAnnotations, EveryStarRowAndBothFallbacksReadBack) {
    const QStringList texts = checkRows(QStringLiteral("saveM"), windows::kStarFallbackRow);
    ASSERT_EQ(texts.size(), 60);
    for (int i = 0; i < int(windows::kStarPicks.size()); ++i) {
        QString name = QString::fromUtf16(windows::kStarPicks[i]);
        if (name.endsWith(QLatin1Char('A'))) name.chop(1);
        EXPECT_TRUE(texts[i].startsWith(name)) << "row " << i + 1 << " is not about " << name.toStdString();
    }
}

TEST_F(BuiltAnnotations, EveryPalaceRowReadsBack) {
    const QStringList texts = checkRows(QStringLiteral("saveY"), int(windows::kPalacePicks.size()));
    ASSERT_EQ(texts.size(), 11);
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = QString::fromUtf16(windows::kPalacePicks[i]);
        EXPECT_TRUE(texts[i].startsWith(name)) << "row " << i + 1 << " is not about " << name.toStdString();
    }
}

TEST_F(BuiltAnnotations, NoTwoExplanationsAlike) {
    QStringList all;
    for (const auto& [table, count] : {std::pair{"saveM", 60}, std::pair{"saveY", 11}})
        for (int id = 1; id <= count; ++id) all.append(core::UnscrambleText(stored(QLatin1String(table), id).text()));
    QHash<QString, int> seen;
    // A shared opening sentence is as bad as a shared row: compare the first 40 characters too.
    QHash<QString, int> openings;
    for (int i = 0; i < all.size(); ++i) {
        EXPECT_FALSE(seen.contains(all[i])) << "rows " << seen.value(all[i]) + 1 << " and " << i + 1 << " are the same";
        EXPECT_FALSE(openings.contains(all[i].left(40))) << "rows " << openings.value(all[i].left(40)) + 1 << " and "
                                                         << i + 1 << " open alike";
        seen.insert(all[i], i);
        openings.insert(all[i].left(40), i);
    }
}

TEST_F(BuiltAnnotations, KnowledgeTextIsOnePlainRow) {
    dao::Recordset rs = db_.openRecordset(QStringLiteral("SELECT a FROM zs  "), dao::dbOpenSnapshot);
    ASSERT_FALSE(rs.eof());
    const QString text = rs[QStringLiteral("a")].text();
    rs.moveNext();
    EXPECT_TRUE(rs.eof()) << "one row";
    rs.close();

    QFile source(sourceFolder() + QStringLiteral("/zs.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(text, QString::fromUtf8(source.readAll()).chopped(1)) << "stored plain, as authored";
    QString prose = text;
    prose.remove(QLatin1Char('\n')).remove(QChar(0x3000));
    EXPECT_GE(prose.size(), 1500);
    EXPECT_EQ(firstForeignCharacter(prose), QString());
}

TEST(AnnotationNotice, IsProseOfItsOwn) {
    const QString notice = QString::fromUtf16(windows::kAnnotationNotice);
    EXPECT_GE(notice.size(), 20);
    EXPECT_LE(notice.size(), 200);
    EXPECT_EQ(firstForeignCharacter(notice), QString());
    EXPECT_EQ(vb::fromCp936(vb::toCp936(notice)), notice) << "the code page the program's texts go through";
}

}  // namespace
