#include "modelcheck.h"

#include "optics/lensmodel.h"
#include "planning/exactdof.h"

#include <cmath>

namespace ModelCheck
{

namespace
{

double dioptres(double distance)
{
    return distance < LensModel::Infinity ? 1.0 / distance : 0.0;
}

} // namespace

bool differs(double shownNear, double shownFar, double exactNear, double exactFar, double tolerance)
{
    const double shown = dioptres(shownNear) - dioptres(shownFar);
    const double exact = dioptres(exactNear) - dioptres(exactFar);
    // Written so that a NaN counts as apart.
    return !(std::fabs(shown - exact) <= tolerance * exact);
}

Finding check(const LensModel &lens, bool diffraction, double tolerance)
{
    const double focus = lens.fdist;
    const ExactDof::Figures exact =
        ExactDof::limits(lens.flength, lens.apature, focus, lens.coc, true);
    if (!exact.valid)
        return Finding::Fair;
    const double exactNear = exact.sharp ? exact.nearLimit : focus;
    const double exactFar = exact.sharp ? exact.farLimit : focus;

    const LensModel::Limits shown = lens.limits(diffraction);
    if (!differs(shown.nearLimit, shown.farLimit, exactNear, exactFar, tolerance))
        return Finding::Fair;
    // Farther out the working f-number is the marked one, and what is left
    // is the diffraction the window leaves out or counts too small.
    return exact.magnification < CloseRange ? Finding::Diffraction : Finding::Close;
}

} // namespace ModelCheck
