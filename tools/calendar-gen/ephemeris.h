#pragma once
// Apparent geocentric ecliptic longitudes of the Sun and the Moon, referred to the true equinox and
// ecliptic of date, in degrees 0 ≤ λ < 360. `jde` is a Julian ephemeris day (dynamical time).
//
// libnova gives the geometric positions (VSOP87 for the Earth, ELP 2000-82B for the Moon) in the
// mean ecliptic and equinox of J2000, and its own "apparent" solar longitude adds nutation but stays
// in that frame and takes the aberration 360 times too small. So the positions are taken
// geometric from libnova, and precession to the date, nutation in longitude and aberration (the
// Sun's −20.4898″/R; the Moon's light time) are applied here.

namespace calgen {

double apparentSolarLongitude(double jde);
double apparentLunarLongitude(double jde);

// The angle a − b folded into −180 < d ≤ 180.
double angleDifference(double a, double b);

}  // namespace calgen
