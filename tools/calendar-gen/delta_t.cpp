#include "tools/calendar-gen/delta_t.h"

#include <array>
#include <cmath>
#include <utility>

namespace calgen {

namespace {

double poly(double t, std::initializer_list<double> c) {
    double v = 0;
    double p = 1;
    for (double k : c) {
        v += k * p;
        p *= t;
    }
    return v;
}

// From 2005 on the polynomial of the Espenak–Meeus set runs ahead of the Earth (by 2024 it is five
// seconds too large), so the measured values of the IERS take over: ΔT at the start of each year,
// then held at the last value, which the rotation has stayed near since 2019.
constexpr std::array<std::pair<double, double>, 23> kMeasured{{
    {2005, 64.69}, {2006, 64.85}, {2007, 65.15}, {2008, 65.46}, {2009, 65.78}, {2010, 66.07},
    {2011, 66.32}, {2012, 66.60}, {2013, 66.91}, {2014, 67.28}, {2015, 67.64}, {2016, 68.10},
    {2017, 68.59}, {2018, 68.97}, {2019, 69.22}, {2020, 69.36}, {2021, 69.36}, {2022, 69.29},
    {2023, 69.20}, {2024, 69.18}, {2025, 69.14}, {2026, 69.11}, {2027, 69.20},
}};

double measured(double y) {
    if (y >= kMeasured.back().first) return kMeasured.back().second;
    for (std::size_t i = 1; i < kMeasured.size(); ++i) {
        if (y < kMeasured[i].first) {
            const auto [y0, v0] = kMeasured[i - 1];
            const auto [y1, v1] = kMeasured[i];
            return v0 + (v1 - v0) * (y - y0) / (y1 - y0);
        }
    }
    return kMeasured.back().second;
}

}  // namespace

double deltaTSeconds(double y) {
    // Espenak and Meeus, Five Millennium Canon of Solar Eclipses (2006).
    if (y < 1900) return poly(y - 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174});
    if (y < 1920) return poly(y - 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
    if (y < 1941) return poly(y - 1920, {21.20, 0.84493, -0.076100, 0.0020936});
    if (y < 1961) return poly(y - 1950, {29.07, 0.407, -1.0 / 233, 1.0 / 2547});
    if (y < 1986) return poly(y - 1975, {45.45, 1.067, -1.0 / 260, -1.0 / 718});
    if (y < 2005) return poly(y - 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    return measured(y);
}

double decimalYear(double jd) { return 2000.0 + (jd - 2451544.5) / 365.2425; }

}  // namespace calgen
