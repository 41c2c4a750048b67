#include "doffigures.h"

#include "optics/lensmodel.h"

#include <limits>

namespace
{

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

DofFigures withLimits(const LensModel &lens, bool diffraction)
{
    DofFigures f;
    f.flength = lens.flength;
    f.apature = lens.apature;
    f.fdist = lens.fdist;
    f.coc = lens.coc;
    f.diffraction = diffraction;
    f.hyperfocal = f.blurAtInfinity = f.scale = NaN;
    const LensModel::Limits limits = lens.limits(diffraction);
    f.nearLimit = limits.nearLimit;
    const double far = limits.farLimit;
    // The legend shows every far limit beyond 10 km as infinite.
    f.farLimit = far > LensModel::Infinity ? std::numeric_limits<double>::infinity() : far;
    return f;
}

} // namespace

DofFigures DofFigures::compute(double flength, double apature, double fdist, double coc,
                               bool diffraction)
{
    LensModel lens;
    lens.init(fdist, apature, flength, coc);
    DofFigures f = withLimits(lens, diffraction);
    const double h = lens.hyperfocal(diffraction);
    f.hyperfocal = LensModel::hasHyperfocal(h) ? h : NaN;
    f.blurAtInfinity = lens.blur(LensModel::Infinity, diffraction ? 1 : 0);
    f.scale = lens.scale();
    return f;
}

DofFigures DofFigures::limits(double flength, double apature, double fdist, double coc,
                              bool diffraction)
{
    LensModel lens;
    lens.init(fdist, apature, flength, coc);
    return withLimits(lens, diffraction);
}
