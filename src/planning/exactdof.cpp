#include "exactdof.h"

#include "optics/lensmodel.h"
#include "optics/numbercheck.h"

#include <cmath>
#include <limits>

namespace ExactDof
{

namespace
{

constexpr double K = LensModel::AiryPerFNumber;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinite = std::numeric_limits<double>::infinity();

using NumberCheck::positiveFinite;

} // namespace

double magnification(double flength, double focus)
{
    if (std::isinf(focus) && focus > 0.0)
        return 0.0;
    if (!(focus > flength))
        return Infinite;
    return flength / (focus - flength);
}

double focusAtMagnification(double flength, double magnification)
{
    return flength * (1.0 + 1.0 / magnification);
}

double workingFNumber(double fNumber, double magnification, double pupil)
{
    return fNumber * (1.0 + magnification / pupil);
}

double defocusBudget(double coc, double workingFNumber)
{
    const double d = K * workingFNumber;
    // Factored, so that it is exactly 0 where the disc equals the CoC.
    return d < coc ? std::sqrt((coc - d) * (coc + d)) : 0.0;
}

double largestSharpFNumber(double coc, double magnification, double pupil)
{
    return coc / (K * (1.0 + magnification / pupil));
}

double focusForInfinity(double flength, double fNumber, double coc, bool diffraction, double pupil)
{
    if (!diffraction)
        return flength * flength / (fNumber * coc) + flength;
    // The far limit is infinite while m F / N <= c'(m). Squared, the edge is
    // a m^2 + b m - c0 = 0 with a single positive root when c0 > 0.
    const double kn = K * fNumber;
    const double c0 = (coc - kn) * (coc + kn);
    if (!(c0 > 0.0))
        return NaN;
    const double a = (flength / fNumber) * (flength / fNumber) + (kn / pupil) * (kn / pupil);
    const double b = 2.0 * kn * kn / pupil;
    // The positive root without the cancellation of -b + sqrt(...).
    const double m = 2.0 * c0 / (b + std::sqrt(b * b + 4.0 * a * c0));
    return flength + flength / m;
}

Figures limits(double flength, double fNumber, double focus, double coc, bool diffraction,
               double pupil)
{
    Figures f;
    f.sharp = false;
    f.magnification = f.workingFNumber = f.budget = f.nearLimit = f.farLimit = f.hyperfocal =
        f.focusForInfinity = f.largestSharpFNumber = f.blurAtInfinity = NaN;
    if (!(positiveFinite(flength) && positiveFinite(fNumber) && positiveFinite(coc) &&
          positiveFinite(pupil) && focus > flength))
        return f;
    f.valid = true;

    const double m = magnification(flength, focus);
    f.magnification = m;
    f.workingFNumber = workingFNumber(fNumber, m, pupil);
    f.hyperfocal = flength * flength / (fNumber * coc);
    f.budget = diffraction ? defocusBudget(coc, f.workingFNumber) : coc;
    if (!(f.budget > 0.0))
        return f;
    f.sharp = true;
    const double beta = f.budget * fNumber / flength;
    // The blur cone spreads from the exit pupil, P D wide and F (m + P) in
    // front of the sensor; measured from there, a point imaged at v blurs to
    // P D |v - vs| / (v - F (1 - P)). Solved for the budget, the limits are
    // F (1 + m -/+ beta q) / (m +/- beta) with q = 1/P - 1, the near one
    // reaching the lens once beta >= P. At P = 1 the pupils sit at the
    // principal planes and q is 0.
    const double q = 1.0 / pupil - 1.0;
    f.nearLimit = beta < pupil ? flength * (1.0 + m - beta * q) / (m + beta) : flength;
    f.farLimit = m > beta ? flength * (1.0 + m + beta * q) / (m - beta) : Infinite;
    return f;
}

Figures compute(double flength, double fNumber, double focus, double coc, bool diffraction,
                double pupil)
{
    Figures f = limits(flength, fNumber, focus, coc, diffraction, pupil);
    if (!f.valid)
        return f;
    f.focusForInfinity = focusForInfinity(flength, fNumber, coc, diffraction, pupil);
    f.largestSharpFNumber = largestSharpFNumber(coc, f.magnification, pupil);

    // The defocus disc at infinity is m F / N: the image sits m F in front
    // of the sensor, and the cone there is D / F wide per unit of length.
    const double defocusAtInfinity = f.magnification * flength / fNumber;
    const double dif = diffraction ? K * f.workingFNumber : 0.0;
    f.blurAtInfinity = std::hypot(defocusAtInfinity, dif) / coc;
    return f;
}

} // namespace ExactDof
