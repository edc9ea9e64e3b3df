#include "tools/calendar-gen/almanac_corrections.h"

#include <array>

namespace calgen {

namespace {

// The astronomical new moons of these months fall a few minutes before midnight at the Beijing
// meridian (1887-03-24 23:55, 1906-04-23 23:52 local mean time); the almanacs put them after.
constexpr std::array kCorrections{
    AlmanacCorrection{1887, 3, false, {1887, 3, 25}, "《大清光绪十三年岁次丁亥时宪书》：二月大，三月小，三月初一日己丑"},
    AlmanacCorrection{1906, 4, false, {1906, 4, 24}, "《大清光绪三十二年岁次丙午时宪书》：三月大，四月小，四月初一日戊戌"},
};

}  // namespace

std::span<const AlmanacCorrection> almanacCorrections() { return kCorrections; }

int applyAlmanacCorrections(LunarMonths& months) {
    int moved = 0;
    for (const AlmanacCorrection& c : kCorrections) {
        const int index = months.find(c.lunarYear, c.month, c.leap);
        if (index < 0) continue;
        months.moveFirstDay(index, dayNumber(c.firstDay));
        ++moved;
    }
    return moved;
}

}  // namespace calgen
