#include "equivalence.h"

#include <cmath>
#include <limits>

namespace
{

bool isPositive(double x)
{
    return std::isfinite(x) && x > 0.0;
}

} // namespace

Equivalence Equivalence::of(double flength, double fNumber, double coc, double diagonal,
                            double otherDiagonal)
{
    Equivalence e;
    if (!(isPositive(flength) && isPositive(fNumber) && isPositive(coc) && isPositive(diagonal) &&
          isPositive(otherDiagonal))) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        e.ratio = e.flength = e.fNumber = e.coc = nan;
        return e;
    }
    e.ratio = otherDiagonal / diagonal;
    e.flength = flength * e.ratio;
    e.fNumber = fNumber * e.ratio;
    e.coc = coc * e.ratio;
    e.valid = isPositive(e.flength) && isPositive(e.fNumber) && isPositive(e.coc);
    return e;
}
