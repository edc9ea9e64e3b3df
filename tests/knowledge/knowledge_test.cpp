// The knowledge articles (data/knowledge/<id>.txt, table bazizhishi): every id the window reads is
// there once, in Chinese and of article length, no paragraph stands in two articles, the built rule
// database holds them as written, and wherever an article states a table that the program computes,
// the two agree.
#include "calendar/calendar_engine.h"
#include "calendar/calendar_host.h"
#include "calendar/sexagenary.h"
#include "core/conversions.h"
#include "platform/dao/dao.h"
#include "tests/support/test_env.h"
#include "tools/rulesdb/table_schema.h"
#include "windows/four_pillars.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString kStemClass = QStringLiteral("[甲乙丙丁戊己庚辛壬癸]");
const QString kBranchClass = QStringLiteral("[子丑寅卯辰巳午未申酉戌亥]");
const QString kStems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
const QString kBranches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");

QString knowledgeDir() { return testenv::sourceDir() + QStringLiteral("/data/knowledge"); }

// The ids the knowledge window reads: 1 … 71 without 50, 51, 52.
QList<int> windowIds() {
    QList<int> ids;
    for (int id = 1; id <= 71; ++id)
        if (id < 50 || id > 52) ids.append(id);
    return ids;
}

// Every article by id, as the build reads them.
const QMap<int, QString>& articles() {
    static const QMap<int, QString> texts = [] {
        QMap<int, QString> m;
        QString error;
        const auto schema = rulesdb::readSchema(knowledgeDir() + QStringLiteral("/bazizhishi.schema.json"), &error);
        if (!schema) return m;
        const auto data = rulesdb::readTextFiles(*schema, knowledgeDir(), &error);
        if (!data) return m;
        for (const QStringList& row : data->rows) m.insert(row.value(0).toInt(), row.value(1));
        return m;
    }();
    return texts;
}

// The lines of article `id` that match `pattern` in full, as their captures.
QList<QStringList> tableLines(int id, const QString& pattern) {
    const QRegularExpression re(QStringLiteral("^") + pattern + QStringLiteral("$"));
    QList<QStringList> rows;
    for (const QString& line : articles().value(id).split(QLatin1Char('\n'))) {
        const auto m = re.match(line.trimmed());
        if (m.hasMatch()) rows.append(m.capturedTexts().mid(1));
    }
    return rows;
}

bool isChinese(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3000 && u <= 0x303F) || (u >= 0xFF00 && u <= 0xFFEF) ||
           u == 0x2014 || u == 0x2026 || u == 0x201C || u == 0x201D || u == 0x00B7;
}

TEST(KnowledgeArticles, TheTableHoldsExactlyTheIdsTheWindowReads) {
    QString error;
    const auto schema = rulesdb::readSchema(knowledgeDir() + QStringLiteral("/bazizhishi.schema.json"), &error);
    ASSERT_TRUE(schema) << error.toStdString();
    EXPECT_EQ(schema->table, "bazizhishi");
    const auto data = rulesdb::readTextFiles(*schema, knowledgeDir(), &error);
    ASSERT_TRUE(data) << error.toStdString();
    const QStringList problems = rulesdb::checkTable(*schema, *data);
    EXPECT_TRUE(problems.isEmpty()) << problems.mid(0, 20).join('\n').toStdString();

    QList<int> missing;
    for (int id : windowIds())
        if (!articles().contains(id)) missing.append(id);
    QStringList missingText;
    for (int id : missing) missingText << QString::number(id);
    EXPECT_TRUE(missing.isEmpty()) << "no article for ids " << missingText.join(' ').toStdString();
    for (auto it = articles().cbegin(); it != articles().cend(); ++it)
        EXPECT_TRUE(windowIds().contains(it.key())) << "id " << it.key() << " is never read";
}

TEST(KnowledgeArticles, EachIsAChineseTextOfArticleLength) {
    for (auto it = articles().cbegin(); it != articles().cend(); ++it) {
        const QString text = it.value().trimmed();
        EXPECT_GE(text.size(), 600) << "id " << it.key();
        EXPECT_LE(text.size(), 3000) << "id " << it.key();
        int visible = 0, chinese = 0;
        for (QChar c : text) {
            if (c.isSpace()) continue;
            ++visible;
            if (isChinese(c)) ++chinese;
        }
        EXPECT_GE(chinese * 5, visible * 4) << "id " << it.key() << ": " << chinese << " of " << visible
                                             << " characters are Chinese";
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << "id " << it.key() << " is not clean UTF-8";
    }
}

TEST(KnowledgeArticles, NoParagraphStandsInTwoArticles) {
    // Short lines (headings such as "一、概说") may repeat; a paragraph may not.
    QHash<QString, int> seen;
    for (auto it = articles().cbegin(); it != articles().cend(); ++it) {
        QSet<QString> own;
        for (const QString& line : it.value().split(QLatin1Char('\n'))) {
            const QString p = line.trimmed();
            if (p.size() < 8 || own.contains(p)) continue;
            own.insert(p);
            const auto other = seen.constFind(p);
            EXPECT_TRUE(other == seen.cend()) << "ids " << (other == seen.cend() ? 0 : other.value()) << " and "
                                              << it.key() << " share \"" << p.toStdString() << "\"";
            seen.insert(p, it.key());
        }
    }
}

TEST(KnowledgeArticles, TheBuiltRuleDatabaseServesEachArticleAsWritten) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(
        testenv::programDir() + QStringLiteral("/zodazire.mdb"), false, false, QStringLiteral("; pwd=QuietLoom "));
    for (int id : windowIds()) {
        if (!articles().contains(id)) continue;  // reported by the presence test
        dao::Recordset rs = db.openRecordset(QStringLiteral("SELECT content FROM bazizhishi WHERE id=%1").arg(id),
                                             dao::dbOpenSnapshot);
        ASSERT_FALSE(rs.eof()) << "id " << id;
        EXPECT_EQ(rs[QStringLiteral("content")].text(), articles().value(id)) << "id " << id;
        rs.moveNext();
        EXPECT_TRUE(rs.eof()) << "id " << id << " has more than one row";
        rs.close();
    }
    db.close();
}

TEST(KnowledgeTables, NayinArticleAgreesWithSiZhuNaYin) {
    // 甲子乙丑：海中金
    const auto rows = tableLines(4, QStringLiteral("(%1%2)(%1%2)：(\\S{3})").arg(kStemClass, kBranchClass));
    ASSERT_EQ(rows.size(), 30);
    QSet<QString> pairs;
    for (const QStringList& r : rows) {
        EXPECT_EQ(fourpillars::SiZhuNaYin(r[0]), r[2]) << r[0].toStdString();
        EXPECT_EQ(fourpillars::SiZhuNaYin(r[1]), r[2]) << r[1].toStdString();
        pairs << r[0] << r[1];
    }
    EXPECT_EQ(pairs.size(), 60) << "every pair of the sixty once";
}

TEST(KnowledgeTables, MonthPillarArticleAgreesWithTheCalendarEngine) {
    // 甲己年：丙寅 丁卯 … 丁丑
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    const QStringList numbers{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二"};
    const auto rows = tableLines(6, QStringLiteral("(%1)(%1)年：(.+)").arg(kStemClass));
    ASSERT_EQ(rows.size(), 5);
    QSet<QString> stems;
    for (const QStringList& r : rows) {
        const QStringList pillars = r[2].split(QLatin1Char(' '));
        ASSERT_EQ(pillars.size(), 12) << r[2].toStdString();
        for (const QString& stem : {r[0], r[1]}) {
            stems << stem;
            for (int k = 0; k < 12; ++k)
                EXPECT_EQ(engine.NianShangQiYue(stem, numbers[k]), pillars[k]) << stem.toStdString() << " month " << k + 1;
        }
    }
    EXPECT_EQ(stems.size(), 10);

    // 正月建寅：立春至惊蛰
    const auto months = tableLines(6, QStringLiteral("(\\S{2})建(%1)：(\\S{2})至(\\S{2})").arg(kBranchClass));
    ASSERT_EQ(months.size(), 12);
    for (int i = 0; i < months.size(); ++i) {
        const QStringList& m = months[i];
        EXPECT_EQ(fourpillars::SolarTermToMonthName(m[2]), m[0]) << m[2].toStdString();
        EXPECT_EQ(fourpillars::YueZhi2YueShu(m[1]), core::LunarMonthToNumber(m[0])) << m[1].toStdString();
        EXPECT_EQ(m[3], months[(i + 1) % months.size()][2]) << "a month lasts until the next jie";
    }
}

TEST(KnowledgeTables, HourPillarArticleAgreesWithTheCalendarEngine) {
    // 甲己日：甲子 乙丑 … 乙亥
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    const auto rows = tableLines(8, QStringLiteral("(%1)(%1)日：(.+)").arg(kStemClass));
    ASSERT_EQ(rows.size(), 5);
    for (const QStringList& r : rows) {
        const QStringList pillars = r[2].split(QLatin1Char(' '));
        ASSERT_EQ(pillars.size(), 12) << r[2].toStdString();
        for (const QString& stem : {r[0], r[1]}) {
            host.setCaption(calendar::CalendarCaption::Label5, stem + QStringLiteral("子日"));
            engine.FillHourPillars(calendar::BirthMoment{vb::Date::fromParts(2000, 1, 1), 12, 0});
            const QStringList entries = host.listEntries(calendar::CalendarList::HourPillars);
            ASSERT_EQ(entries.size(), 12);
            for (int k = 0; k < 12; ++k) EXPECT_EQ(entries[k].left(2), pillars[k]) << stem.toStdString() << " hour " << k;
        }
    }
}

TEST(KnowledgeTables, HiddenStemArticleAgreesWithDiZhiDunChang) {
    // 丑藏：己0.5、癸0.3、辛0.2
    const auto rows = tableLines(11, QStringLiteral("(%1)藏：(.+)").arg(kBranchClass));
    ASSERT_EQ(rows.size(), 12);
    const QRegularExpression item(QStringLiteral("^(%1)(\\d\\.\\d)$").arg(kStemClass));
    QSet<QString> branches;
    for (const QStringList& r : rows) {
        branches << r[0];
        QMap<QString, QString> written;
        for (const QString& part : r[1].split(QStringLiteral("、"))) {
            const auto m = item.match(part);
            ASSERT_TRUE(m.hasMatch()) << r[0].toStdString() << ": " << part.toStdString();
            written.insert(m.captured(1), m.captured(2));
        }
        QMap<QString, QString> program;
        const QString stems = fourpillars::DiZhiDunChang(r[0]);
        const QString weights = fourpillars::Wangdu(r[0]);
        for (int i = 0; i < stems.size(); ++i) program.insert(stems.mid(i, 1), weights.mid(3 * i, 3));
        EXPECT_EQ(written, program) << r[0].toStdString();
    }
    EXPECT_EQ(branches.size(), 12);
}

TEST(KnowledgeTables, TwelveStagesArticleAgreesWithTwelveStageName) {
    // 甲干：长生亥 沐浴子 … 养戌
    const auto rows = tableLines(12, QStringLiteral("(%1)干：(.+)").arg(kStemClass));
    ASSERT_EQ(rows.size(), 10);
    const QRegularExpression item(QStringLiteral("^(\\S{1,2})(%1)$").arg(kBranchClass));
    QSet<QString> stems;
    for (const QStringList& r : rows) {
        stems << r[0];
        const QStringList parts = r[1].split(QLatin1Char(' '));
        ASSERT_EQ(parts.size(), 12) << r[0].toStdString();
        QSet<QString> branches;
        for (const QString& part : parts) {
            const auto m = item.match(part);
            ASSERT_TRUE(m.hasMatch()) << r[0].toStdString() << ": " << part.toStdString();
            EXPECT_EQ(fourpillars::TwelveStageName(r[0], m.captured(2)), m.captured(1))
                << r[0].toStdString() << " at " << m.captured(2).toStdString();
            branches << m.captured(2);
        }
        EXPECT_EQ(branches.size(), 12) << r[0].toStdString();
    }
    EXPECT_EQ(stems.size(), 10);
}

TEST(KnowledgeTables, TenGodArticleAgreesWithTianGanTouChu) {
    // 甲日见：甲比肩 乙劫财 … 癸正印; the engine gives the one-character forms.
    const QHash<QString, QString> shortName{{"比肩", "比"}, {"劫财", "劫"}, {"食神", "食"}, {"伤官", "伤"},
                                            {"偏财", "财"}, {"正财", "才"}, {"七杀", "杀"}, {"正官", "官"},
                                            {"偏印", "枭"}, {"正印", "印"}};
    const auto rows = tableLines(71, QStringLiteral("(%1)日见：(.+)").arg(kStemClass));
    ASSERT_EQ(rows.size(), 10);
    const QRegularExpression item(QStringLiteral("^(%1)(\\S{2})$").arg(kStemClass));
    QSet<QString> days;
    for (const QStringList& r : rows) {
        days << r[0];
        const QStringList parts = r[1].split(QLatin1Char(' '));
        ASSERT_EQ(parts.size(), 10) << r[0].toStdString();
        for (const QString& part : parts) {
            const auto m = item.match(part);
            ASSERT_TRUE(m.hasMatch()) << r[0].toStdString() << ": " << part.toStdString();
            ASSERT_TRUE(shortName.contains(m.captured(2))) << part.toStdString();
            EXPECT_EQ(calendar::CalendarEngine::TianGanTouChu(r[0], m.captured(1)), shortName.value(m.captured(2)))
                << r[0].toStdString() << " sees " << part.toStdString();
        }
    }
    EXPECT_EQ(days.size(), 10);
}

TEST(KnowledgeTables, WorkedChartsFollowTheFiveTigersAndTheFiveRats) {
    // A chart written out as "庚午年、甲申月、丁巳日、丙午时" must be one that can occur: its month pillar
    // the engine's for the year stem, its hour pillar the engine's for the day stem.
    calendar::MemoryCalendarHost host;
    calendar::CalendarEngine engine(host);
    const QStringList numbers{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二"};
    const QString pillar = QStringLiteral("(%1%2)").arg(kStemClass, kBranchClass);
    const QRegularExpression chart(QStringLiteral("%1年、%1月、%1日、%1时").arg(pillar));
    int charts = 0;
    for (auto it = articles().cbegin(); it != articles().cend(); ++it) {
        for (auto m = chart.globalMatch(it.value()); m.hasNext();) {
            const auto c = m.next();
            ++charts;
            const QString year = c.captured(1), month = c.captured(2), day = c.captured(3), hour = c.captured(4);
            const int monthNumber = fourpillars::YueZhi2YueShu(month.mid(1));
            EXPECT_EQ(engine.NianShangQiYue(year.left(1), numbers[monthNumber - 1]), month)
                << "id " << it.key() << ": " << c.captured(0).toStdString();
            host.setCaption(calendar::CalendarCaption::Label5, day + QStringLiteral("日"));
            engine.FillHourPillars(calendar::BirthMoment{vb::Date::fromParts(2000, 1, 1), 12, 0});
            const QStringList hours = host.listEntries(calendar::CalendarList::HourPillars);
            ASSERT_EQ(hours.size(), 12);
            EXPECT_EQ(hours[fourpillars::DiZhiToXuHao(hour.mid(1)) - 1].left(2), hour)
                << "id " << it.key() << ": " << c.captured(0).toStdString();
            for (const QString& p : {year, day})
                EXPECT_EQ(calendar::stemPosition(p.left(1)) % 2, calendar::branchPosition(p.mid(1)) % 2)
                    << "id " << it.key() << ": " << p.toStdString() << " is no pair of the sixty";
        }
    }
    EXPECT_GT(charts, 0);
}

// The sex a text states, if it states one only.
enum class Sex { Unstated, Man, Woman };
Sex statedSex(const QString& text) {
    const bool man = text.contains(QStringLiteral("男命")), woman = text.contains(QStringLiteral("女命"));
    return man == woman ? Sex::Unstated : man ? Sex::Man : Sex::Woman;
}

TEST(KnowledgeTables, WrittenLuckPillarsStepFromTheMonthPillar) {
    // Luck pillars step one pair at a time from the month pillar: forward for a man born in a yang year
    // or a woman born in a yin year, backward otherwise. A chart's luck is read over its first eight
    // steps (as the article on luck pillars lists them), so every pillar an article names as a luck
    // pillar of its worked chart must be one of those steps, in the direction of the sex the text
    // states (either, where it states none); a list "依次为" is those steps in order.
    constexpr int kSteps = 8;
    const QString pillar = QStringLiteral("(%1%2)").arg(kStemClass, kBranchClass);
    const QRegularExpression chart(QStringLiteral("%1年、%1月、%1日、%1时").arg(pillar));
    // A pair standing alone: not part of a run such as "壬癸亥子".
    const QRegularExpression lone(QStringLiteral("(?<![%1%2])%3(?![%1%2])").arg(kStems, kBranches, pillar));
    const QRegularExpression sentenceEnd(QStringLiteral("[。；]"));
    int named = 0;
    QSet<int> articlesWithLuck;
    for (auto it = articles().cbegin(); it != articles().cend(); ++it) {
        QString month;
        bool yangYear = false;
        Sex chartSex = Sex::Unstated;
        for (const QString& paragraph : it.value().split(QLatin1Char('\n'))) {
            const auto c = chart.match(paragraph);
            if (c.hasMatch()) {
                month = c.captured(2);
                yangYear = calendar::stemPosition(c.captured(1).left(1)) % 2 == 0;
                chartSex = statedSex(paragraph);
            }
            if (month.isEmpty()) continue;
            for (const QString& sentence : paragraph.split(sentenceEnd)) {
                const bool aboutLuck = sentence.contains(QChar(u'运')) && !sentence.contains(QStringLiteral("小运")) &&
                                       !sentence.contains(QStringLiteral("行年"));
                Sex sex = statedSex(sentence);
                if (sex == Sex::Unstated) sex = statedSex(paragraph);
                if (sex == Sex::Unstated) sex = chartSex;
                int listed = 0;
                for (auto m = lone.globalMatch(sentence); m.hasNext();) {
                    const auto p = m.next();
                    const QString pair = p.captured(1);
                    const int s = calendar::stemPosition(pair.left(1)), b = calendar::branchPosition(pair.mid(1));
                    if (s % 2 != b % 2) continue;  // no pair of the sixty ("乙寅" inside "甲乙寅卯")
                    const int from = std::max(0, int(p.capturedStart()) - 2);
                    const QString before = sentence.mid(from, p.capturedStart() - from);
                    const QString after = sentence.mid(p.capturedEnd(), 2);
                    // The chart's own pillars ("庚子月", "月柱庚子"), years and decades are no luck pillars.
                    if ((!after.isEmpty() && QStringLiteral("年月日时旬").contains(after[0])) ||
                        before.endsWith(QChar(u'柱')) || before == QStringLiteral("流年") || after == QStringLiteral("流年"))
                        continue;
                    if (!aboutLuck && !before.endsWith(QChar(u'交'))) continue;
                    const QString where = QStringLiteral("id %1: %2 in \"%3\"").arg(it.key()).arg(pair, sentence);
                    int forward = 0, backward = 0;
                    const int ms = calendar::stemPosition(month.left(1)), mb = calendar::branchPosition(month.mid(1));
                    for (int k = 1; k <= kSteps; ++k) {
                        if (calendar::pillarAt(ms + k, mb + k) == pair) forward = k;
                        if (calendar::pillarAt(ms - k, mb - k) == pair) backward = k;
                    }
                    const bool goesForward = yangYear == (sex == Sex::Man);
                    const int step = sex == Sex::Unstated ? std::max(forward, backward) : goesForward ? forward : backward;
                    EXPECT_GT(step, 0) << where.toStdString() << " is not within " << kSteps << " steps of the month pillar "
                                       << month.toStdString();
                    if (sentence.contains(QStringLiteral("依次"))) {
                        EXPECT_EQ(step, ++listed) << where.toStdString() << ": the list skips or reorders steps";
                    }
                    ++named;
                    articlesWithLuck.insert(it.key());
                }
            }
        }
    }
    EXPECT_GE(named, 30);
    for (int id : {16, 61, 63, 65, 68}) EXPECT_TRUE(articlesWithLuck.contains(id)) << "id " << id << " names no luck pillar";
}

TEST(KnowledgeTables, VoidBranchArticleAgreesWithVoidBranches) {
    // 甲子旬：戌亥空
    const auto rows = tableLines(42, QStringLiteral("(甲%1)旬：(%1)(%1)空").arg(kBranchClass));
    ASSERT_EQ(rows.size(), 6);
    QSet<QString> heads;
    for (const QStringList& r : rows) {
        heads << r[0];
        EXPECT_EQ(fourpillars::VoidBranches(r[0]), r[1] + QLatin1Char(' ') + r[2]) << r[0].toStdString();
    }
    EXPECT_EQ(heads, (QSet<QString>{"甲子", "甲戌", "甲申", "甲午", "甲辰", "甲寅"}));
}

}  // namespace
