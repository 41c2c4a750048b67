#include "lensmodel.h"

#include <cmath>
#include <iostream>

namespace
{

double imageDistance(double flength, double x)
{
    return 1.0 / (1.0 / flength - 1.0 / x);
}

double midpoint(double lo, double hi)
{
    return lo + (hi - lo) * 0.5;
}

// blur(x, 1) with vs and dif^2 computed once by the caller.
double diffractedBlur(const LensModel &m, double x, double vs, double dif2)
{
    const double v = imageDistance(m.flength, x);
    const double b = std::fabs(v - vs) * m.adia / v;
    return std::sqrt(b * b + dif2) / m.coc;
}

// The edge of the sharp zone, with the diffraction disc, between lo and hi
// to within 10 mm: the near edge has the sharp side at hi, the far edge at
// lo. A probe of exactly 1 (or NaN) counts as blurred.
double diffractedEdge(const LensModel &m, double lo, double hi, bool nearEdge)
{
    if (!((hi - lo) > 10.0))
        return midpoint(lo, hi);

    const double vs = imageDistance(m.flength, m.fdist);
    const double dif2 = m.dif * m.dif;
    do {
        const double mid = midpoint(lo, hi);
        const bool sharp = diffractedBlur(m, mid, vs, dif2) < 1.0;
        if (sharp == nearEdge)
            hi = mid;
        else
            lo = mid;
    } while ((hi - lo) > 10.0);
    return midpoint(lo, hi);
}

} // namespace

std::ostream *LensModel::trace = &std::cout;

void LensModel::init(double fdist, double apature, double flength, double coc)
{
    this->fdist = fdist;
    this->apature = apature;
    this->flength = flength;
    this->coc = coc;
    adia = flength / apature;
    dif = flength * AiryPerFNumber / adia;
    if (trace == nullptr)
        return;
    *trace << "init - fdist: " << this->fdist << " apature: " << this->apature
           << " flength: " << this->flength << " coc: " << this->coc << " adia: " << adia
           << " dif: " << dif << "\n";
}

double LensModel::hyperfocal() const
{
    return flength * flength / (apature * coc);
}

double LensModel::nearLimit() const
{
    const double h0 = hyperfocal();
    return fdist * h0 / (h0 + (fdist - flength));
}

double LensModel::farLimit() const
{
    const double h0 = hyperfocal();
    if ((fdist - flength) < h0)
        return fdist * h0 / (h0 - (fdist - flength));
    // Also reached when the comparison fails on a NaN.
    return InfiniteFarLimit;
}

double LensModel::blur(double x, int withDiffraction) const
{
    const double v = imageDistance(flength, x);
    const double vs = imageDistance(flength, fdist);
    double b = std::fabs(v - vs) * adia / v;
    if (withDiffraction != 0)
        b = std::sqrt(b * b + dif * dif);
    return b / coc;
}

double LensModel::scale() const
{
    return std::fabs(flength - fdist) / flength;
}

double LensModel::hyperfocalDiffraction()
{
    const double saved = fdist;
    double lo = 0.01;
    double hi = Infinity;

    // With the focus right at the probe point only diffraction is left.
    fdist = 9999999.99;
    const double u0 = blur(Infinity, 1);
    if (!(u0 < 1.0)) {
        fdist = saved;
        return -1.0;
    }

    do {
        const double mid = midpoint(lo, hi);
        fdist = mid;
        const double u = blur(Infinity, 1);
        // A probe of exactly 1 counts as sharp; NaN counts as blurred.
        if (!(u <= 1.0))
            lo = mid;
        else
            hi = mid;
    } while (std::fabs(hi - lo) > 1.0);

    const double result = midpoint(lo, hi);
    fdist = saved;
    return result;
}

LensModel::Limits LensModel::limits(bool withDiffraction) const
{
    if (withDiffraction)
        return {nearLimitDiffraction(), farLimitDiffraction()};
    return {nearLimit(), farLimit()};
}

double LensModel::hyperfocal(bool withDiffraction)
{
    return withDiffraction ? hyperfocalDiffraction() : hyperfocal();
}

bool LensModel::hasHyperfocal(double hyperfocal)
{
    return hyperfocal >= 0 && std::isfinite(hyperfocal);
}

double LensModel::nearLimitDiffraction() const
{
    return diffractedEdge(*this, 1.0, fdist, true);
}

double LensModel::farLimitDiffraction() const
{
    return diffractedEdge(*this, fdist, Infinity, false);
}
