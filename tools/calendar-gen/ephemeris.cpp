#include "tools/calendar-gen/ephemeris.h"

#include <libnova/libnova.h>

#include <cmath>
#include <numbers>

namespace calgen {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kArcsec = kDeg / 3600.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kLightKmPerDay = 299792.458 * 86400.0;

struct Ecliptic {
    double lon;  // radians
    double lat;
};

// Precession in ecliptic coordinates from the J2000 frame to the mean ecliptic and equinox of date
// (Lieske et al. 1977 with J2000 as starting epoch; Meeus, Astronomical Algorithms, 21.5–21.7).
Ecliptic precessFromJ2000(double jde, Ecliptic p) {
    const double t = (jde - kJ2000) / 36525.0;
    const double eta = (47.0029 * t - 0.03302 * t * t + 0.000060 * t * t * t) * kArcsec;
    const double bigPi = 174.876384 * kDeg + (-869.8089 * t + 0.03536 * t * t) * kArcsec;
    const double prec = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcsec;
    const double a = std::cos(eta) * std::cos(p.lat) * std::sin(bigPi - p.lon) - std::sin(eta) * std::sin(p.lat);
    const double b = std::cos(p.lat) * std::cos(bigPi - p.lon);
    const double c = std::cos(eta) * std::sin(p.lat) + std::sin(eta) * std::cos(p.lat) * std::sin(bigPi - p.lon);
    return {prec + bigPi - std::atan2(a, b), std::asin(c)};
}

double nutationInLongitudeDeg(double jde) {
    // libnova keeps the last nutation and hands it out again for any day within 0.1 of it, which
    // would make a moment depend on what was computed before it. A call a day away first makes it
    // compute the value for `jde` itself.
    ln_nutation n;
    ln_get_nutation(jde + 1.0, &n);
    ln_get_nutation(jde, &n);
    return n.longitude;
}

double normalise(double deg) {
    double v = std::fmod(deg, 360.0);
    if (v < 0) v += 360.0;
    return v;
}

}  // namespace

double apparentSolarLongitude(double jde) {
    ln_helio_posn sun;
    ln_get_solar_geom_coords(jde, &sun);  // geometric, J2000 frame, degrees and AU
    const Ecliptic ofDate = precessFromJ2000(jde, {sun.L * kDeg, sun.B * kDeg});
    const double aberration = 20.4898 / 3600.0 / sun.R;
    return normalise(ofDate.lon / kDeg + nutationInLongitudeDeg(jde) - aberration);
}

double apparentLunarLongitude(double jde) {
    ln_rect_posn moon;
    ln_get_lunar_geo_posn(jde, &moon, 0.0);  // geometric, J2000 frame, km; full series
    const double distance = std::sqrt(moon.X * moon.X + moon.Y * moon.Y + moon.Z * moon.Z);
    // Seen where it was when the light left it.
    ln_get_lunar_geo_posn(jde - distance / kLightKmPerDay, &moon, 0.0);
    const Ecliptic j2000{std::atan2(moon.Y, moon.X), std::atan2(moon.Z, std::hypot(moon.X, moon.Y))};
    const Ecliptic ofDate = precessFromJ2000(jde, j2000);
    return normalise(ofDate.lon / kDeg + nutationInLongitudeDeg(jde));
}

double angleDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

}  // namespace calgen
