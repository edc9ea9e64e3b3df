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
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
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
    prose.remove(QLatin1Char('\n'));
    EXPECT_GE(prose.size(), 1500);
    EXPECT_EQ(firstForeignCharacter(prose), QString());
}

// The explanations state the brightness grades and the four transformations of their stars; those
// statements must agree with the rule tables the chart is drawn from.
class AnnotationsAgainstRules : public BuiltAnnotations {
protected:
    static QString starOfRow(int i) {
        QString name = QString::fromUtf16(windows::kStarPicks[i]);
        if (name.endsWith(QLatin1Char('A'))) name.chop(1);
        return name;
    }
    QString readable(int id) { return core::UnscrambleText(stored(QStringLiteral("saveM"), id).text()); }
    static rulesdb::TableData rules(const QString& table) {
        QString error;
        const auto data = rulesdb::readCsv(testenv::sourceDir() + QStringLiteral("/data/rules/") + table + QStringLiteral(".csv"), &error);
        EXPECT_TRUE(data) << error.toStdString();
        return data.value_or(rulesdb::TableData{});
    }
};

TEST_F(AnnotationsAgainstRules, BrightnessAsTheBrightnessTableGradesIt) {
    static const QString grades = QStringLiteral("庙旺得利平不陷");
    // "依《紫微斗数全书》所定亮度，紫微于丑、寅、午、未为庙，…，辰落陷，…。"
    static const QRegularExpression clause(QStringLiteral("^(?:\\S\\S于)?([子丑寅卯辰巳午未申酉戌亥、]+)(?:皆?为(庙|旺|得|利|平|不)|落(陷))$"));
    // The stars whose grades the books give differently (data/rules/README.md) say so; others may too.
    static const QSet<QString> disputed{"紫微", "太阳", "太阴", "巨门", "天相", "天梁", "擎羊"};
    static const QRegularExpression schoolsDiffer(QStringLiteral("不一|不同|出入"));
    int graded = 0;
    for (const QStringList& row : rules(QStringLiteral("XMiao99")).rows) {
        const QString star = row.value(0);
        int i = 0;
        while (i < int(windows::kStarPicks.size()) && starOfRow(i) != star) ++i;
        if (i == int(windows::kStarPicks.size())) continue;  // graded, but not in the list (地空)
        SCOPED_TRACE(star.toStdString());
        // The one sentence that grades the star, and the grades it states.
        QStringList gradeSentences;
        QStringList stated(7);
        for (const QString& sentence : readable(i + 1).split(QChar(u'。'))) {
            bool grading = false;
            for (const QString& part : sentence.split(QRegularExpression(QStringLiteral("[，；]")))) {
                const auto m = clause.match(part);
                if (!m.hasMatch()) continue;
                grading = true;
                const QString grade = m.captured(2).isEmpty() ? m.captured(3) : m.captured(2);
                stated[grades.indexOf(grade)] += QString(m.captured(1)).remove(QChar(u'、'));
            }
            if (grading) gradeSentences.append(sentence);
        }
        ASSERT_EQ(gradeSentences.size(), 1) << "states its grades in one sentence";
        EXPECT_TRUE(gradeSentences[0].contains(QStringLiteral("全书"))) << "names the school the grades follow";
        if (disputed.contains(star)) {
            EXPECT_TRUE(gradeSentences[0].contains(schoolsDiffer)) << "does not say the schools differ";
        }
        for (int g = 0; g < 7; ++g) {
            QString want = row.value(1 + g), got = stated[g];
            std::sort(want.begin(), want.end());
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, want) << "grade " << QString(grades[g]).toStdString();
        }
        ++graded;
    }
    EXPECT_EQ(graded, 26);
}

TEST_F(AnnotationsAgainstRules, UngradedStarsAreTheOnesTheBrightnessTableLeavesOut) {
    // "恩光……本身无庙陷可言": only a star without a row of grades may be said to have none.
    static const QRegularExpression noGrades(QStringLiteral("不论庙陷|不分庙陷|无庙陷|没有庙陷"));
    QSet<QString> graded;
    for (const QStringList& row : rules(QStringLiteral("XMiao99")).rows) graded.insert(row.value(0));
    int ungraded = 0;
    for (int i = 0; i < int(windows::kStarPicks.size()); ++i) {
        if (!readable(i + 1).contains(noGrades)) continue;
        EXPECT_FALSE(graded.contains(starOfRow(i))) << starOfRow(i).toStdString() << " is graded";
        ++ungraded;
    }
    EXPECT_GE(ungraded, 15);
}

TEST_F(AnnotationsAgainstRules, TransformationsAsTheStemTableGivesThem) {
    static const QString stems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
    QHash<QString, QStringList> byWord;  // 化禄 → the star of each stem
    QSet<QString> transformed;
    for (const QStringList& row : rules(QStringLiteral("GanXiZx15_2")).rows) {
        byWord.insert(row.value(0), row.mid(1, 10));
        for (const QString& star : row.mid(1, 10)) transformed.insert(star);
    }
    ASSERT_EQ(byWord.size(), 4);
    // "壬年左辅化科", "己年化禄" in a star's row; "甲年破军，" in the rows of the transformations.
    static const QRegularExpression ofStar(QStringLiteral("([甲乙丙丁戊己庚辛壬癸])年([^\\s年，。、；与]{2})?化([禄权科忌])"));
    static const QRegularExpression ofWord(QStringLiteral("([甲乙丙丁戊己庚辛壬癸])年([^\\s年，。、；]{2})[，。]"));
    // "不化禄权科忌", "不入四化", "与四化无涉", "十干四化不及七杀", "铃星本身不化，"; not "天梁不化忌".
    static const QRegularExpression neverTransforms(
        QStringLiteral("(?:不入|没有)四化|与四化无涉|四化不及|不化(?:禄权科忌)?[，。（]"));
    int checked = 0, untransformed = 0;
    for (int i = 0; i < int(windows::kStarPicks.size()); ++i) {
        const QString name = starOfRow(i);
        const QString text = readable(i + 1);
        SCOPED_TRACE(name.toStdString());
        const bool isWord = name.startsWith(QChar(u'化'));
        auto it = (isWord ? ofWord : ofStar).globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            const QString word = isWord ? name : QStringLiteral("化") + m.captured(3);
            const QString star = isWord || !m.captured(2).isEmpty() ? m.captured(2) : name;
            EXPECT_EQ(byWord.value(word).value(stems.indexOf(m.captured(1))), star) << m.captured(0).toStdString();
            ++checked;
        }
        if (text.contains(neverTransforms)) {
            EXPECT_FALSE(transformed.contains(name)) << "said never to transform";
            ++untransformed;
        }
    }
    EXPECT_GE(checked, 40 + 30);
    EXPECT_GE(untransformed, 15);
}

TEST(AnnotationNotice, IsProseOfItsOwn) {
    const QString notice = QString::fromUtf16(windows::kAnnotationNotice);
    EXPECT_GE(notice.size(), 20);
    EXPECT_LE(notice.size(), 200);
    EXPECT_EQ(firstForeignCharacter(notice), QString());
    EXPECT_EQ(vb::fromCp936(vb::toCp936(notice)), notice) << "the code page the program's texts go through";
}

}  // namespace
