#pragma once
// The moments, in dynamical time (Julian ephemeris days), at which the Sun's apparent longitude
// reaches an angle and at which the apparent longitudes of Moon and Sun agree.

#include <vector>

namespace calgen {

// The moment nearest `guessJde` (within about ten days) at which the Sun's apparent longitude is
// `angle` degrees.
double solarLongitudeMoment(double angle, double guessJde);

// Solar term of a Gregorian month: the jie at 285° + 30°(m − 1), the zhongqi at 300° + 30°(m − 1).
double jieMoment(int year, int month);
double zhongqiMoment(int year, int month);

// Every new moon (conjunction in apparent longitude) from `fromJde` to `toJde`, in order.
std::vector<double> newMoons(double fromJde, double toJde);

}  // namespace calgen
