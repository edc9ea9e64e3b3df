#pragma once
// Four Pillars lookups of the chart window: hidden stems and their weights, the twelve life stages,
// number/name conversions for stems, branches, months, palaces and days, the nayin of a pair, the void
// branches of a pair, the month name of a jie term and the pair of a minor-luck year.
//
// Every argument is matched as exact text of the whole value (no trimming, no partial match); anything
// that is not in a table gives the empty text or 0 and never an error. The chart window forwards its
// public members to these.
#include <QString>

#include <cstdint>

namespace fourpillars {

// Hidden stems of a branch as stored (丑 "癸辛己"), and their weights, three characters per stem in
// the same order (丑 "0.30.20.5").
QString DiZhiDunChang(const QString& branch);
QString Wangdu(const QString& branch);

// The life stage (长生 … 养) of `stem` at `branch`.
QString TwelveStageName(const QString& stem, const QString& branch);

// 1 甲 … 10 癸; 1 子 … 12 亥 and back.
QString XuHaoToTianGuan(int16_t number);
QString XuHaoToDiZhi(int16_t number);
int16_t DiZhiToXuHao(const QString& branch);

// The month number of a month branch, the 寅 month first (寅 1 … 丑 12).
int16_t YueZhi2YueShu(const QString& branch);

// "Ｏ" 0, 一 … 十二 1 … 12; 0 for anything else.
int16_t YS2ALaBo(const QString& numeral);

// 1 一 … 10 十, 11 十一 … 20 二十, 21 廿一 … 30 三十, 31 三一.
QString DayNumberName(int16_t number);

// The nayin of a pair of the sixty ("甲子" 海中金).
QString SiZhuNaYin(const QString& pair);

// Palace numbers counted backwards from 子 (子 1, 亥 2 … 丑 12) and back.
int16_t MingGongZ2S(const QString& branch);
QString MingGongS2Z(int16_t number);

// The two void branches of a pair's decade, one blank between ("己亥" "辰 巳").
QString VoidBranches(const QString& pair);

// The month (正月 … 腊月) a jie term opens; empty for the qi terms.
QString SolarTermToMonthName(const QString& term);

// The pair of a minor-luck year from a stem number and a branch number. The stem number is reduced
// modulo 10 in the caller's variable; the branch number is left as it is. A negative remainder leaves
// that half of the pair out.
QString GetXiaoyunGZ(int32_t& stemNumber, const int32_t& branchNumber);

}  // namespace fourpillars
