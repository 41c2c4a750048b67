#include "doffigures.h"

#include "optics/lensmodel.h"

#include <limits>

DofFigures DofFigures::compute(double flength, double apature, double fdist, double coc,
                               bool diffraction)
{
    DofFigures f;
    f.flength = flength;
    f.apature = apature;
    f.fdist = fdist;
    f.coc = coc;
    f.diffraction = diffraction;

    LensModel lens;
    lens.init(fdist, apature, flength, coc);
    const int withDiffraction = diffraction ? 1 : 0;
    const double h = diffraction ? lens.hyperfocalDiffraction() : lens.hyperfocal();
    f.hyperfocal = LensModel::hasHyperfocal(h) ? h : std::numeric_limits<double>::quiet_NaN();
    f.nearLimit = diffraction ? lens.nearLimitDiffraction() : lens.nearLimit();
    const double far = diffraction ? lens.farLimitDiffraction() : lens.farLimit();
    // The legend shows every far limit beyond 10 km as infinite.
    f.farLimit = far > LensModel::Infinity ? std::numeric_limits<double>::infinity() : far;
    f.blurAtInfinity = lens.blur(LensModel::Infinity, withDiffraction);
    f.scale = lens.scale();
    return f;
}
