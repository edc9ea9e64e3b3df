#pragma once
// ΔT = TT − UT in seconds, the clock error of the Earth's rotation, for turning the dynamical time of
// the ephemerides into civil time.

namespace calgen {

// `year` is a decimal year (2000.0 is the start of 2000). Valid 1860 to 2040.
double deltaTSeconds(double year);

// Decimal year of a Julian day.
double decimalYear(double jd);

}  // namespace calgen
