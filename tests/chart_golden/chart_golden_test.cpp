// Six complete charts worked out by hand from the rules (README.md here), each compared whole with
// the chart that tools/chartdump builds for the same birth.
#include "tests/support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct GoldenChart {
    const char* file;
    const char* birth[5];  // year pillar, lunar month, lunar day, hour branch, sex
};

// One per bureau (金四局 twice), both sexes, yang and yin years, the life palace at 子 and at 亥.
const GoldenChart kCharts[] = {
    {"water_jiazi_male", {"甲子", "正月", "初一", "寅", "男"}},
    {"earth_yichou_female", {"乙丑", "二月", "十五", "辰", "女"}},
    {"wood_gengchen_female", {"庚辰", "七月", "十六", "寅", "女"}},
    {"metal_xinsi_male", {"辛巳", "八月", "廿五", "寅", "男"}},
    {"fire_wuwu_male", {"戊午", "腊月", "三十", "未", "男"}},
    {"metal_renshen_female", {"壬申", "九月", "十三", "亥", "女"}},
};

std::string text(const QJsonValue& v) {
    if (v.isString()) return '"' + v.toString().toStdString() + '"';
    if (v.isArray()) return QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact).toStdString();
    if (v.isObject()) return QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact).toStdString();
    return v.isUndefined() ? "(missing)" : QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}

// Every place where the two differ, by its path, so that a failure names the palace and the star.
void collectDifferences(const QJsonValue& expected, const QJsonValue& actual, const std::string& path,
                        std::vector<std::string>& out) {
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject e = expected.toObject(), a = actual.toObject();
        QStringList keys = e.keys();
        for (const QString& k : a.keys())
            if (!keys.contains(k)) keys << k;
        for (const QString& k : keys) collectDifferences(e.value(k), a.value(k), path + "." + k.toStdString(), out);
        return;
    }
    if (expected.isArray() && actual.isArray() && expected.toArray().size() == actual.toArray().size()) {
        const QJsonArray e = expected.toArray(), a = actual.toArray();
        for (int i = 0; i < e.size(); ++i) {
            // Palaces are named by their branch, list items by position.
            const QString branch = e[i].toObject().value(QStringLiteral("branch")).toString();
            collectDifferences(e[i], a[i], path + "[" + (branch.isEmpty() ? std::to_string(i) : branch.toStdString()) + "]", out);
        }
        return;
    }
    if (expected != actual) out.push_back(path + ": expected " + text(expected) + ", built " + text(actual));
}

void PrintTo(const GoldenChart& c, std::ostream* os) { *os << c.file; }

class GoldenCharts : public ::testing::TestWithParam<GoldenChart> {};

TEST_P(GoldenCharts, ChartdumpBuildsTheHandWorkedChart) {
    const GoldenChart& c = GetParam();
    QFile file(testenv::sourceDir() + QStringLiteral("/tests/chart_golden/%1.json").arg(QString::fromUtf8(c.file)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QJsonParseError parseError;
    const QJsonDocument golden = QJsonDocument::fromJson(file.readAll(), &parseError);
    ASSERT_TRUE(golden.isObject()) << parseError.errorString().toStdString();

    QStringList args{QStringLiteral("--lunar")};
    for (const char* part : c.birth) args << QString::fromUtf8(part);
    args << QStringLiteral("--db") << testenv::programDir() + QStringLiteral("/zodazire.mdb");
    QProcess dump;
    dump.start(testenv::programDir() + QStringLiteral("/chartdump"), args);
    ASSERT_TRUE(dump.waitForFinished(30000)) << dump.errorString().toStdString();
    EXPECT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
    const QJsonDocument built = QJsonDocument::fromJson(dump.readAllStandardOutput(), &parseError);
    ASSERT_TRUE(built.isObject()) << parseError.errorString().toStdString();

    std::vector<std::string> differences;
    collectDifferences(golden.object(), built.object(), "chart", differences);
    std::string all;
    for (const std::string& d : differences) all += d + "\n";
    EXPECT_TRUE(differences.empty()) << differences.size() << " differences:\n" << all;
}

INSTANTIATE_TEST_SUITE_P(HandWorked, GoldenCharts, ::testing::ValuesIn(kCharts),
                         [](const ::testing::TestParamInfo<GoldenChart>& info) { return std::string(info.param.file); });

}  // namespace
