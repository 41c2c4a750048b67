#include "equivalence.h"
#include "optics/numbercheck.h"

#include <cmath>
#include <limits>

namespace
{

using NumberCheck::positiveFinite;

} // namespace

Equivalence Equivalence::of(double flength, double fNumber, double coc, double diagonal,
                            double otherDiagonal)
{
    Equivalence e;
    if (!(positiveFinite(flength) && positiveFinite(fNumber) && positiveFinite(coc) &&
          positiveFinite(diagonal) && positiveFinite(otherDiagonal))) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        e.ratio = e.flength = e.fNumber = e.coc = nan;
        return e;
    }
    e.ratio = otherDiagonal / diagonal;
    e.flength = flength * e.ratio;
    e.fNumber = fNumber * e.ratio;
    e.coc = coc * e.ratio;
    e.valid = positiveFinite(e.flength) && positiveFinite(e.fNumber) && positiveFinite(e.coc);
    return e;
}
