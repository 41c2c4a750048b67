#include "framing.h"
#include "optics/numbercheck.h"

#include <cmath>
#include <limits>

namespace
{

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Pi = 3.14159265358979323846;

using NumberCheck::positiveFinite;

// 0 < F < s, s possibly infinite.
bool focusable(double flength, double focus)
{
    return positiveFinite(flength) && !std::isnan(focus) && focus > flength;
}

} // namespace

double Framing::Frame::diagonal() const
{
    return std::hypot(width, height);
}

bool Framing::Frame::valid() const
{
    return positiveFinite(width) && positiveFinite(height);
}

Framing::Frame Framing::frameOf(double diagonal, double aspect)
{
    if (!positiveFinite(diagonal) || !positiveFinite(aspect))
        return {NaN, NaN};
    const double height = diagonal / std::sqrt(aspect * aspect + 1.0);
    return {height * aspect, height};
}

double Framing::magnification(double flength, double focus)
{
    if (!focusable(flength, focus))
        return NaN;
    if (std::isinf(focus))
        return 0.0;
    return flength / (focus - flength);
}

double Framing::angleOfView(double flength, double focus, double side)
{
    const double m = magnification(flength, focus);
    if (std::isnan(m) || !positiveFinite(side))
        return NaN;
    // v = F s / (s - F) = F (1 + m), which stays finite at infinity.
    const double v = flength * (1.0 + m);
    return 2.0 * std::atan(side / (2.0 * v)) * 180.0 / Pi;
}

Framing::Figures Framing::compute(double flength, double focus, const Frame &frame)
{
    Figures f;
    const double m = magnification(flength, focus);
    if (std::isnan(m) || !frame.valid()) {
        f.magnification = f.horizontalDeg = f.verticalDeg = f.diagonalDeg = NaN;
        f.fieldWidth = f.fieldHeight = NaN;
        return f;
    }
    f.valid = true;
    f.magnification = m;
    f.horizontalDeg = angleOfView(flength, focus, frame.width);
    f.verticalDeg = angleOfView(flength, focus, frame.height);
    f.diagonalDeg = angleOfView(flength, focus, frame.diagonal());
    const double inf = std::numeric_limits<double>::infinity();
    f.fieldWidth = m > 0 ? frame.width / m : inf;
    f.fieldHeight = m > 0 ? frame.height / m : inf;
    return f;
}

double Framing::backgroundBlur(double flength, double fNumber, double focus, double background,
                               double pupil)
{
    const double m = magnification(flength, focus);
    if (std::isnan(m) || !positiveFinite(fNumber) || !positiveFinite(pupil) ||
        std::isnan(background))
        return NaN;
    const double pupilOffset = flength * (1.0 - 1.0 / pupil);
    const double fromPupil = background - pupilOffset;
    if (!(fromPupil > 0))
        return NaN;
    const double aperture = flength / fNumber;
    if (std::isinf(background))
        return std::isinf(focus) ? 0.0 : aperture * m;
    if (std::isinf(focus))
        return NaN;
    return aperture * m * std::fabs(background - focus) / fromPupil;
}

double Framing::focusAtSameMagnification(double flength, double focus, double newFlength)
{
    if (!focusable(flength, focus) || std::isinf(focus) || !positiveFinite(newFlength))
        return NaN;
    return newFlength * (1.0 + (focus - flength) / flength);
}

double Framing::focusForField(double flength, double side, double field)
{
    if (!positiveFinite(flength) || !positiveFinite(side) || !positiveFinite(field))
        return NaN;
    return flength * (1.0 + field / side);
}
