#include "tools/calendar-gen/astro_events.h"

#include "tools/calendar-gen/civil_time.h"
#include "tools/calendar-gen/ephemeris.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace calgen {

namespace {

// Secant iteration on an angle that grows at about `rate` degrees a day; converges to a tenth of a
// millisecond.
double solve(const std::function<double(double)>& f, double t0, double rate) {
    double t = t0;
    double ft = f(t);
    double step = -ft / rate;
    for (int i = 0; i < 60; ++i) {
        const double next = t + step;
        const double fnext = f(next);
        if (std::fabs(step) < 1e-9) return next;
        const double slope = (fnext - ft) / (next - t);
        t = next;
        ft = fnext;
        step = -ft / (slope > 0 ? slope : rate);
    }
    throw std::runtime_error("solar or lunar longitude did not converge");
}

double julianDay(int year, int month, int day) { return static_cast<double>(dayNumber({year, month, day})) - 0.5; }

}  // namespace

double solarLongitudeMoment(double angle, double guessJde) {
    return solve([angle](double t) { return angleDifference(apparentSolarLongitude(t), angle); }, guessJde, 0.9856);
}

double jieMoment(int year, int month) {
    return solarLongitudeMoment(std::fmod(285.0 + 30.0 * (month - 1), 360.0), julianDay(year, month, 6));
}

double zhongqiMoment(int year, int month) {
    return solarLongitudeMoment(std::fmod(300.0 + 30.0 * (month - 1), 360.0), julianDay(year, month, 21));
}

std::vector<double> newMoons(double fromJde, double toJde) {
    // Mean new moons (Meeus 49.1) as starting points.
    constexpr double kEpoch = 2451550.09766;
    constexpr double kSynodic = 29.530588861;
    std::vector<double> out;
    for (double k = std::floor((fromJde - kEpoch) / kSynodic) - 1;; k += 1) {
        const double mean = kEpoch + kSynodic * k;
        if (mean > toJde + kSynodic) break;
        const double t = solve(
            [](double x) { return angleDifference(apparentLunarLongitude(x), apparentSolarLongitude(x)); }, mean, 12.19);
        if (t >= fromJde && t <= toJde) {
            if (!out.empty() && t - out.back() < 25.0) throw std::runtime_error("new moon found twice");
            out.push_back(t);
        }
    }
    return out;
}

}  // namespace calgen
