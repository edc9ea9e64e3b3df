#include "calendar/sexagenary.h"

#include "core/conversions.h"

#include <array>

namespace calendar {

namespace {

// Each name covers two consecutive pillars of the sixty, from 甲子 乙丑 on.
constexpr std::array<const char16_t*, 30> kNayin{
    u"海中金", u"炉中火", u"大林木", u"路旁土", u"剑锋金", u"山头火", u"涧下水", u"城墙土", u"白蜡金", u"杨柳木",
    u"泉中水", u"屋上土", u"霹雷火", u"松柏木", u"长流水", u"沙中金", u"山下火", u"平地木", u"壁上土", u"金箔金",
    u"佛灯火", u"天河水", u"大驿土", u"钗钏金", u"桑松木", u"大溪水", u"沙中土", u"天上火", u"石榴木", u"大海水"};

constexpr std::array<const char16_t*, 12> kAnimals{u"鼠", u"牛", u"虎", u"兔", u"龙", u"蛇",
                                                   u"马", u"羊", u"猴", u"鸡", u"狗", u"猪"};

}  // namespace

int wrap(int value, int cycle) { return ((value % cycle) + cycle) % cycle; }

QString stemAt(int position) { return core::StemName(wrap(position, 10) + 1); }
QString branchAt(int position) { return core::BranchName(wrap(position, 12) + 1); }
QString pillarAt(int stem, int branch) { return stemAt(stem) + branchAt(branch); }

int stemPosition(const QString& stem) { return core::StemToIndex(stem) - 1; }
int branchPosition(const QString& branch) { return core::BranchToIndex(branch) - 1; }

QString nayin(int stem, int branch) {
    // The place in the sixty is ≡ stem (mod 10) and ≡ branch (mod 12).
    const int place = wrap(6 * wrap(stem, 10) - 5 * wrap(branch, 12), 60);
    return QString::fromUtf16(kNayin[static_cast<std::size_t>(place / 2)]);
}

QString zodiacAnimal(int branch) { return QString::fromUtf16(kAnimals[static_cast<std::size_t>(wrap(branch, 12))]); }

}  // namespace calendar
