// The tables of the life and body palaces, the bureau, the palace names and stems, the brightness
// grades and the four transformations, checked against the rules they are authored from and against
// each other.
#include "tests/rules/rule_table.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using ruletest::Table;

const QString kBranches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
const QString kStems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");
const QString kMonthKeys = QStringLiteral("正二三四五六七八九十冬腊");
const QString kGrades = QStringLiteral("庙旺得利平不陷");
const QStringList kPalaceNames = QStringLiteral("命宫 兄弟 夫妻 子女 财帛 疾厄 迁移 交友 官禄 田宅 福德 父母").split(' ');
const QStringList kMajorStars =
    QStringLiteral("紫微 天机 太阳 武曲 天同 廉贞 天府 太阴 贪狼 巨门 天相 天梁 七杀 破军").split(' ');

int branchAt(const QString& cell, int i = 0) { return kBranches.indexOf(cell.mid(i, 1)); }
QString branch(int palace) { return kBranches.mid(((palace % 12) + 12) % 12, 1); }
QString column(int k) { return QString(QChar(u'a' + k)); }

Table load(const char* name) {
    bool ok = false;
    Table t = ruletest::loadTable(QString::fromUtf8(name), &ok);
    EXPECT_TRUE(ok) << name;
    return t;
}

// 纳音 by the counting rule: stems 甲乙 1 … 壬癸 5, branches 子丑午未 1, 寅卯申酉 2, 辰巳戌亥 3; the
// sum, less 5 when above 5, gives 1 木, 2 金, 3 水, 4 火, 5 土.
QString nayinBureau(int stem, int branch) {
    const int branchNumber = (branch % 6) / 2 + 1;
    int sum = stem / 2 + 1 + branchNumber;
    if (sum > 5) sum -= 5;
    static const QStringList bureaus{"木三局", "金四局", "水二局", "火六局", "土五局"};
    return bureaus[sum - 1];
}

TEST(LifePalaceTable, CountsTheMonthFromYinThenTheHourBackForLifeAndForwardForBody) {
    const Table t = load("AmingshG");
    ASSERT_EQ(t.rows.size(), 12);
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(t.cell(m, "y"), kMonthKeys.mid(m, 1)) << "rows in month order";
        const int monthPalace = 2 + m;  // 正月 at 寅
        for (int h = 0; h < 12; ++h) {
            const QString cell = t.cell(m, column(h));
            SCOPED_TRACE(QStringLiteral("%1月 %2时 %3").arg(kMonthKeys[m]).arg(kBranches[h]).arg(cell).toStdString());
            EXPECT_EQ(cell.mid(0, 1), branch(monthPalace - h));
            EXPECT_EQ(cell.mid(1, 1), branch(monthPalace + h));
        }
        // Hours 子 and 午 put life and body in one palace; the others never do.
        for (int h = 0; h < 12; ++h) {
            const QString cell = t.cell(m, column(h));
            EXPECT_EQ(cell[0] == cell[1], h == 0 || h == 6) << cell.toStdString();
        }
    }
    EXPECT_EQ(t.cell(0, "a"), "寅寅");
    EXPECT_EQ(t.cell(11, "l"), "寅子");  // 腊月 at 丑; the hour 亥 back to 寅, forward to 子
}

TEST(PalaceStemTable, RunsTheFiveTigersFromYin) {
    const Table t = load("Cdsegtgb");
    ASSERT_EQ(t.rows.size(), 10);
    const QString yinStems = QStringLiteral("丙戊庚壬甲");  // 甲己 丙寅, 乙庚 戊寅, 丙辛 庚寅, 丁壬 壬寅, 戊癸 甲寅
    for (int s = 0; s < 10; ++s) {
        SCOPED_TRACE(kStems.mid(s, 1).toStdString());
        EXPECT_EQ(t.cell(s, "n"), kStems.mid(s, 1));
        EXPECT_EQ(t.rowString(s), t.rowString((s + 5) % 10)) << "a stem and its partner five on share the stems";
        EXPECT_EQ(t.cell(s, "c"), yinStems.mid(s % 5, 1));
        for (int b = 3; b < 14; ++b) {
            const int previous = kStems.indexOf(t.cell(s, column((b - 1) % 12)));
            EXPECT_EQ(kStems.indexOf(t.cell(s, column(b % 12))), (previous + 1) % 10) << "stems run on from 寅";
        }
        for (int b = 0; b < 12; ++b)
            EXPECT_EQ(kStems.indexOf(t.cell(s, column(b))) % 2, b % 2) << "each palace a sexagenary pair";
    }
}

TEST(BureauTable, IsTheNayinOfTheLifePalacesStemAndBranchInAll120Cases) {
    const Table bureau = load("Ddwxjbiao");
    const Table stems = load("Cdsegtgb");
    ASSERT_EQ(bureau.rows.size(), 10);
    for (int s = 0; s < 10; ++s) {
        const int stemRow = stems.findRow("n", kStems.mid(s, 1));
        ASSERT_GE(stemRow, 0);
        EXPECT_EQ(bureau.cell(s, "n"), kStems.mid(s, 1));
        for (int b = 0; b < 12; ++b) {
            const int palaceStem = kStems.indexOf(stems.cell(stemRow, column(b)));
            EXPECT_EQ(bureau.cell(s, column(b)), nayinBureau(palaceStem, b))
                << kStems.mid(s, 1).toStdString() << " year, life palace " << kStems.mid(palaceStem, 1).toStdString()
                << kBranches.mid(b, 1).toStdString();
        }
    }
    // Worked by hand: 甲 year, life palace 子 is 丙子 涧下水, 寅 丙寅 炉中火; 癸 year, 亥 is 癸亥 大海水.
    EXPECT_EQ(bureau.cell(0, "a"), "水二局");
    EXPECT_EQ(bureau.cell(0, "c"), "火六局");
    EXPECT_EQ(bureau.cell(9, "l"), "水二局");
    EXPECT_EQ(bureau.cell(4, "g"), "火六局");  // 戊 year: 甲寅 … 戊午 天上火
}

TEST(PalaceNameTable, CountsTheTwelvePalacesBackwardFromTheLifePalace) {
    const Table t = load("Bdseg");
    ASSERT_EQ(t.rows.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(t.cell(i, "s"), kPalaceNames[i]);
        for (int life = 0; life < 12; ++life) EXPECT_EQ(t.cell(i, column(life)), branch(life - i));
    }
    // Each column names every palace once; 迁移 faces the life palace, 财帛 and 官禄 are its trines.
    for (int life = 0; life < 12; ++life) {
        QSet<QString> seen;
        for (int i = 0; i < 12; ++i) seen.insert(t.cell(i, column(life)));
        EXPECT_EQ(seen.size(), 12);
        EXPECT_EQ(branchAt(t.cell(t.findRow("s", "迁移"), column(life))), (life + 6) % 12);
        EXPECT_EQ(branchAt(t.cell(t.findRow("s", "财帛"), column(life))), (life + 8) % 12);
        EXPECT_EQ(branchAt(t.cell(t.findRow("s", "官禄"), column(life))), (life + 4) % 12);
    }
}

// The grade of each branch for a star: "" where none, and a branch under two grades is a fault.
QStringList gradesOf(const Table& t, int row, QString* fault) {
    QStringList byBranch(12);
    for (int g = 0; g < 7; ++g)
        for (QChar ch : t.cell(row, column(g))) {
            const int b = kBranches.indexOf(ch);
            if (b < 0 || !byBranch[b].isEmpty()) {
                *fault += QString(ch);
            } else {
                byBranch[b] = kGrades.mid(g, 1);
            }
        }
    return byBranch;
}

TEST(BrightnessTable, GradesEveryBranchOnceAndEveryMajorStarEverywhere) {
    const Table t = load("XMiao99");
    QSet<QString> stars;
    for (int r = 0; r < t.rows.size(); ++r) {
        const QString star = t.cell(r, "s");
        EXPECT_FALSE(stars.contains(star)) << star.toStdString();
        stars.insert(star);
        QString fault;
        const QStringList grades = gradesOf(t, r, &fault);
        EXPECT_TRUE(fault.isEmpty()) << star.toStdString() << " lists " << fault.toStdString() << " twice";
        if (kMajorStars.contains(star)) {
            EXPECT_FALSE(grades.contains(QString())) << star.toStdString() << " is graded in every palace";
        }
    }
    for (const QString& s : kMajorStars) EXPECT_TRUE(stars.contains(s)) << s.toStdString();
    for (const QString& s : QStringLiteral("文昌 文曲 左辅 右弼 天魁 天钺 禄存 擎羊 陀罗 火星 铃星 地空 地劫").split(' '))
        EXPECT_TRUE(stars.contains(s)) << s.toStdString();

    // Spot checks of the convention: 太阳 bright by day, dark at night; 天机 庙 in 子午; 太阴 庙 in 亥.
    const QStringList sun = [&] { QString f; return gradesOf(t, t.findRow("s", "太阳"), &f); }();
    EXPECT_EQ(sun[3], "庙");
    EXPECT_EQ(sun[0], "陷");
    const QStringList moon = [&] { QString f; return gradesOf(t, t.findRow("s", "太阴"), &f); }();
    EXPECT_EQ(moon[11], "庙");
    EXPECT_EQ(moon[6], "不");
}

// A star that stands only on some branches must be graded wherever a placing table can put it.
TEST(BrightnessTable, GradesTheStemStarsWhereverTheStemTablePlacesThem) {
    bool ok = false;
    const Table placing = ruletest::loadTable("GanXiZx15_1", &ok);
    if (!ok) GTEST_SKIP() << "no stem-star table";
    const Table t = load("XMiao99");
    for (const char* name : {"禄存", "擎羊", "陀罗", "天魁", "天钺"}) {
        const int row = t.findRow("s", QString::fromUtf8(name));
        ASSERT_GE(row, 0) << name;
        QString fault;
        const QStringList grades = gradesOf(t, row, &fault);
        const int placed = placing.findRow("y", QString::fromUtf8(name));
        ASSERT_GE(placed, 0) << name;
        for (int s = 0; s < 10; ++s) {
            const int b = branchAt(placing.cell(placed, column(s)));
            ASSERT_GE(b, 0);
            EXPECT_FALSE(grades[b].isEmpty()) << name << " for a " << kStems.mid(s, 1).toStdString() << " year";
        }
    }
}

TEST(FourTransformationTable, GivesFourDistinctGradedStarsToEveryStem) {
    const Table t = load("GanXiZx15_2");
    const Table grades = load("XMiao99");
    ASSERT_EQ(t.rows.size(), 4);
    const QStringList words{"化禄", "化权", "化科", "化忌"};
    for (int r = 0; r < 4; ++r) EXPECT_EQ(t.cell(r, "s"), words[r]);
    for (int s = 0; s < 10; ++s) {
        QSet<QString> stars;
        for (int r = 0; r < 4; ++r) {
            const QString star = t.rowString(r).mid(2 * s, 2);
            stars.insert(star);
            EXPECT_GE(grades.findRow("s", star), 0) << star.toStdString() << " has a brightness row";
        }
        EXPECT_EQ(stars.size(), 4) << "a star takes one transformation per stem";
    }
    // The convention of the four disputed stems.
    auto stemColumn = [&](int s) {
        QStringList c;
        for (int r = 0; r < 4; ++r) c << t.rowString(r).mid(2 * s, 2);
        return c.join(' ');
    };
    EXPECT_EQ(stemColumn(0), "廉贞 破军 武曲 太阳");
    EXPECT_EQ(stemColumn(4), "贪狼 太阴 右弼 天机");
    EXPECT_EQ(stemColumn(6), "太阳 武曲 太阴 天同");
    EXPECT_EQ(stemColumn(8), "天梁 紫微 左辅 武曲");
}

}  // namespace
