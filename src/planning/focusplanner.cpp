#include "focusplanner.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace FocusPlanner
{

namespace
{

constexpr double Infinite = std::numeric_limits<double>::infinity();

// A stack that falls short of the range by no more than this fraction
// covers it: rounding in the logarithms must not add a frame to an exact fit.
constexpr double CoverTolerance = 1e-12;

bool isPositive(double x)
{
    return std::isfinite(x) && x > 0.0;
}

// Checks the preconditions, written so that a NaN anywhere fails, and finds
// the image distances of both ends. Extreme magnitudes can still round the
// image distances to zero or infinity; those are refused too, so that no
// later step divides by zero.
bool imageRange(double flength, double nearDist, double farDist, double coc, double &vNear,
                double &vFar)
{
    if (!(isPositive(flength) && isPositive(coc) && std::isfinite(nearDist) && nearDist > flength &&
          farDist > nearDist))
        return false;
    vNear = imageDistance(flength, nearDist);
    vFar = imageDistance(flength, farDist);
    // Distances so close that their image distances coincide are no range.
    return isPositive(vNear) && isPositive(vFar) && vNear > vFar;
}

// Where the sensor sits to split the blur evenly between both ends.
double harmonicMean(double vNear, double vFar)
{
    return 2.0 * vNear * vFar / (vNear + vFar);
}

// The largest third stop at which diffraction alone stays below the CoC.
double largestStopBelowDiffractionLimit(double coc)
{
    double best = 0.0;
    for (const double stop : thirdStops()) {
        if (AiryPerFNumber * stop < coc)
            best = stop;
    }
    return best;
}

// Fewest frames of zone length ell, overlapping by the fraction o, that
// span range: n ell - (n - 1) o ell >= range. 0 when more than MaxFrames.
int frameCount(double ell, double range, double o)
{
    const auto covers = [&](int n) {
        return ell * (n - (n - 1) * o) >= range * (1.0 - CoverTolerance);
    };
    if (covers(1))
        return 1;
    const double step = (1.0 - o) * ell;
    if (!(step > 0.0))
        return 0;
    const double estimate = std::ceil((range - o * ell) / step);
    if (!(estimate <= MaxFrames + 1.0))
        return 0;
    // The estimate can be off by one either way from rounding.
    int n = std::max(2, static_cast<int>(estimate));
    if (n > 2 && covers(n - 1))
        --n;
    else if (!covers(n))
        ++n;
    return n <= MaxFrames ? n : 0;
}

} // namespace

const std::vector<double> &thirdStops()
{
    static const std::vector<double> stops = {
        1, 1.1, 1.2, 1.4, 1.6, 1.8, 2,  2.2, 2.5, 2.8, 3.2, 3.5, 4,  4.5, 5,  5.6, 6.3, 7.1, 8,
        9, 10,  11,  13,  14,  16,  18, 20,  22,  25,  29,  32,  36, 40,  45, 51,  57,  64};
    return stops;
}

double imageDistance(double flength, double x)
{
    if (std::isinf(x) && x > 0.0)
        return flength;
    if (!(x > flength))
        return Infinite;
    // The same as 1 / (1/F - 1/x), without the cancellation close to F.
    return flength * x / (x - flength);
}

double objectDistance(double flength, double v)
{
    if (!(v > flength))
        return Infinite;
    return flength * v / (v - flength);
}

OptimumPlan optimum(double flength, double nearDist, double farDist, double coc)
{
    OptimumPlan plan;
    double vNear = 0.0;
    double vFar = 0.0;
    if (!imageRange(flength, nearDist, farDist, coc, vNear, vFar))
        return plan;

    const double k = AiryPerFNumber;
    plan.valid = true;
    plan.sensor = harmonicMean(vNear, vFar);
    plan.focus = objectDistance(flength, plan.sensor);
    plan.q = (vNear - vFar) / (vNear + vFar);

    // F Q: the defocus disc at both ends times the f-number.
    const double fq = flength * plan.q;
    plan.bestFNumber = std::sqrt(fq / k);
    // Defocus and diffraction are equal at N*, each sqrt(F Q k).
    plan.bestBlur = std::sqrt(2.0 * fq * k) / coc;

    // Worst blur <= 1 is k^2 x^2 - c^2 x + (F Q)^2 <= 0 for x = N^2. The
    // discriminant is factored so that it turns negative exactly when
    // c^2 < 2 k F Q, that is when even N* is too blurred.
    const double c2 = coc * coc;
    const double disc = (c2 - 2.0 * k * fq) * (c2 + 2.0 * k * fq);
    plan.hasSharpRange = disc >= 0.0;
    if (plan.hasSharpRange) {
        const double larger = c2 + std::sqrt(disc);
        plan.sharpTo = std::sqrt(larger / (2.0 * k * k));
        // The roots multiply to (F Q / k)^2: the smaller one without the
        // cancellation of c^2 - sqrt(disc).
        plan.sharpFrom = plan.sharpTo > 0.0 ? fq / (k * plan.sharpTo) : 0.0;
    }

    plan.smallestCoc = std::sqrt(2.0 * k * fq);
    // The largest Q that N* renders sharp, applied to either end.
    const double qMax = c2 / (2.0 * k) / flength;
    if (qMax < 1.0) {
        plan.farthestFar = objectDistance(flength, vNear * (1.0 - qMax) / (1.0 + qMax));
        plan.nearestNear = objectDistance(flength, vFar * (1.0 + qMax) / (1.0 - qMax));
    } else {
        plan.farthestFar = Infinite;
        plan.nearestNear = flength;
    }

    plan.stops.reserve(thirdStops().size());
    for (const double stop : thirdStops())
        plan.stops.push_back({stop, std::hypot(fq / stop, k * stop) / coc});
    return plan;
}

StackPlan stack(double flength, double fNumber, double nearDist, double farDist, double coc,
                bool diffraction, double overlap)
{
    StackPlan plan;
    double vNear = 0.0;
    double vFar = 0.0;
    if (!imageRange(flength, nearDist, farDist, coc, vNear, vFar) || !isPositive(fNumber) ||
        !(overlap >= 0.0 && overlap < 1.0))
        return plan;

    const double dif = AiryPerFNumber * fNumber;
    plan.diffractionLimit = coc / AiryPerFNumber;
    plan.suggestedFNumber = largestStopBelowDiffractionLimit(coc);
    if (diffraction && dif >= coc) {
        plan.status = StackPlan::Status::DiffractionExceedsCoc;
        return plan;
    }

    // The defocus disc each frame may spend at its limits.
    const double budget = diffraction ? std::sqrt((coc - dif) * (coc + dif)) : coc;
    const double beta = budget * fNumber / flength;
    plan.beta = beta;
    plan.zoneLength = beta < 1.0 ? std::log1p(beta) - std::log1p(-beta) : Infinite;
    plan.rangeLength = std::log(vNear / vFar);

    const int n = frameCount(plan.zoneLength, plan.rangeLength, overlap);
    if (n == 0) {
        plan.status = StackPlan::Status::TooManyFrames;
        return plan;
    }
    plan.status = StackPlan::Status::Ok;

    if (n == 1) {
        const double vs = harmonicMean(vNear, vFar);
        const double nearLimit = beta < 1.0 ? objectDistance(flength, vs / (1.0 - beta)) : flength;
        plan.frames.push_back({objectDistance(flength, vs), vs, nearLimit,
                               objectDistance(flength, vs / (1.0 + beta))});
        return plan;
    }

    // Frame 1's near limit sits at near and frame n's far limit at far; with
    // more than one frame both sensor positions lie beyond F (1 + beta).
    const double first = vNear * (1.0 - beta);
    const double last = vFar * (1.0 + beta);
    const double logFirst = std::log(first);
    const double span = std::log(last) - logFirst;
    plan.frames.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double vs = std::exp(logFirst + span * i / (n - 1));
        if (i == 0)
            vs = first;
        else if (i == n - 1)
            vs = last;
        plan.frames.push_back({objectDistance(flength, vs), vs,
                               objectDistance(flength, vs / (1.0 - beta)),
                               objectDistance(flength, vs / (1.0 + beta))});
    }
    plan.frames.front().nearLimit = nearDist;
    plan.frames.back().farLimit = farDist;
    // Neighbours are span / (n - 1) apart; whatever of a zone that leaves
    // over is shared.
    plan.overlap = 1.0 + span / ((n - 1) * plan.zoneLength);
    return plan;
}

} // namespace FocusPlanner
