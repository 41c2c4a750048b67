#include "focusplanner.h"

#include "exactdof.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace FocusPlanner
{

double rounded(double value, int digits, bool up)
{
    if (!(value > 0) || !std::isfinite(value))
        return value;
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - digits + 1);
    return (up ? std::ceil(value / unit) : std::floor(value / unit)) * unit;
}

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

// The largest third stop below limit.
double largestStopBelow(double limit)
{
    double best = 0.0;
    for (const double stop : thirdStops()) {
        if (stop < limit)
            best = stop;
    }
    return best;
}

// The camera of a stack: beta of a frame as a function of its sensor
// position, which sets the magnification and so the working f-number.
struct StackLens {
    double flength;
    double fNumber;
    double coc;
    double pupil;
    bool diffraction;

    double magnification(double vs) const { return (vs - flength) / flength; }
    double workingFNumber(double vs) const
    {
        return ExactDof::workingFNumber(fNumber, magnification(vs), pupil);
    }
    double beta(double vs) const
    {
        const double budget = diffraction ? ExactDof::defocusBudget(coc, workingFNumber(vs)) : coc;
        return budget * fNumber / flength;
    }
};

// Bisects [lo, hi] for the edge where ok() turns true, ok(hi) being true and
// ok(lo) false, down to neighbouring doubles; returns the bracket.
template <typename Ok> std::pair<double, double> edge(double lo, double hi, Ok ok)
{
    for (int i = 0; i < 200; ++i) {
        const double mid = lo + (hi - lo) * 0.5;
        if (!(mid > lo && mid < hi))
            break;
        if (ok(mid))
            hi = mid;
        else
            lo = mid;
    }
    return {lo, hi};
}

// The farthest-focused frame whose near limit still reaches image distance
// target: the smallest vs with vs / (1 - beta(vs)) >= target. beta shrinks
// as vs grows, so vs lies between target (1 - beta(F)) and target; the
// caller makes sure that diffraction leaves a budget up to target.
double frameReaching(const StackLens &lens, double target)
{
    const auto reaches = [&](double vs) {
        const double beta = lens.beta(vs);
        return beta >= 1.0 || vs >= target * (1.0 - beta);
    };
    const double lo = std::max(lens.flength, target * (1.0 - lens.beta(lens.flength)));
    if (reaches(lo))
        return lo;
    // vs -> target (1 - beta(vs)) descends from target through frames that
    // all reach it, to the edge; it converges within a few steps unless
    // diffraction nearly fills the CoC, where bisection finishes.
    double vs = target;
    for (int i = 0; i < 16; ++i) {
        const double beta = lens.beta(vs);
        if (!(beta < 1.0))
            break;
        const double next = target * (1.0 - beta);
        if (!(next > lo))
            break;
        if (!(next < vs))
            return vs;
        vs = next;
    }
    return edge(lo, vs, reaches).second;
}

// The nearest-focused frame whose far limit still reaches image distance
// target: the largest vs with vs / (1 + beta(vs)) <= target, searched
// between lo, which reaches it, and hi, which does not.
double frameEndingAt(const StackLens &lens, double target, double lo, double hi)
{
    const auto fallsShort = [&](double vs) { return vs > target * (1.0 + lens.beta(vs)); };
    return edge(lo, hi, fallsShort).first;
}

// A frame's zone in ln v, held to the range's length: a longer zone
// covers the range on its own, and the cap keeps an overlap taken from it
// finite.
double zoneIn(double beta, double rangeLength)
{
    const double zone = beta < 1.0 ? std::log1p(beta) - std::log1p(-beta) : Infinite;
    return std::min(zone, rangeLength);
}

// Frames chained from vNear, each reaching back into its nearer
// neighbour's zone by the fraction overlap of that zone, until one covers
// vFar or limit frames are spent. Returns the sensor positions; covers
// tells whether the last one reaches vFar.
std::vector<double> chain(const StackLens &lens, double vNear, double vFar, double rangeLength,
                          double overlap, int limit, bool &covers)
{
    std::vector<double> sensors;
    covers = false;
    double target = vNear;
    const double tolerance = rangeLength * CoverTolerance;
    while (int(sensors.size()) < limit) {
        const double vs = frameReaching(lens, target);
        sensors.push_back(vs);
        const double beta = lens.beta(vs);
        const double farEnd = vs / (1.0 + beta);
        if (std::log(farEnd / vFar) <= tolerance) {
            covers = true;
            break;
        }
        target = farEnd * std::exp(overlap * zoneIn(beta, rangeLength));
    }
    return sensors;
}

Frame frameAt(const StackLens &lens, double vs)
{
    const double beta = lens.beta(vs);
    const double flength = lens.flength;
    const double nearLimit = beta < 1.0 ? objectDistance(flength, vs / (1.0 - beta)) : flength;
    return {objectDistance(flength, vs),
            vs,
            nearLimit,
            objectDistance(flength, vs / (1.0 + beta)),
            lens.magnification(vs),
            lens.workingFNumber(vs),
            std::numeric_limits<double>::quiet_NaN()};
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

// The range's ends exactly, and each frame's step from its predecessor.
void finish(StackPlan &plan, double nearDist, double farDist)
{
    if (plan.frames.size() > 1) {
        plan.frames.front().nearLimit = nearDist;
        plan.frames.back().farLimit = farDist;
    }
    for (std::size_t i = 1; i < plan.frames.size(); ++i)
        plan.frames[i].step = plan.frames[i].focus - plan.frames[i - 1].focus;
}

// Each frame's budget depends on its focus, so frames are placed one after
// another: the fewest come from chaining them at the asked overlap, and the
// overlap is then raised, the same for every neighbour, until the last
// frame ends at far instead of beyond it.
StackPlan &stackWithDiffraction(StackPlan &plan, const StackLens &lens, double vNear, double vFar,
                                double nearDist, double farDist, double overlap)
{
    const double harmonic = harmonicMean(vNear, vFar);
    const double q = (vNear - vFar) / (vNear + vFar);
    bool covers = false;
    std::vector<double> sensors =
        chain(lens, vNear, vFar, plan.rangeLength, overlap, MaxFrames + 1, covers);
    if (!covers) {
        plan.status = StackPlan::Status::TooManyFrames;
        return plan;
    }
    plan.status = StackPlan::Status::Ok;
    plan.beta = lens.beta(sensors.front());
    plan.zoneLength = zoneIn(plan.beta, Infinite);

    const int n = int(sensors.size());
    if (n == 1) {
        // As the optimum focuses, where that frame covers the range.
        const double vs = lens.beta(harmonic) >= q ? harmonic : sensors.front();
        plan.frames.push_back(frameAt(lens, vs));
        finish(plan, nearDist, farDist);
        return plan;
    }

    double lo = overlap;
    double hi = 1.0;
    for (int i = 0; i < 60 && hi - lo > 1e-12; ++i) {
        const double mid = lo + (hi - lo) * 0.5;
        bool midCovers = false;
        const std::vector<double> trial =
            chain(lens, vNear, vFar, plan.rangeLength, mid, n, midCovers);
        if (midCovers) {
            lo = mid;
            sensors = trial;
        } else {
            hi = mid;
        }
    }
    plan.overlap = lo;
    // The last frame moves nearer until its far limit is far itself; it
    // then shares more with its neighbour, never less.
    const double previous = sensors[sensors.size() - 2];
    if (sensors.back() < previous)
        sensors.back() = frameEndingAt(lens, vFar, sensors.back(), previous);
    plan.frames.reserve(sensors.size());
    for (const double vs : sensors)
        plan.frames.push_back(frameAt(lens, vs));
    finish(plan, nearDist, farDist);
    return plan;
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

OptimumPlan optimum(double flength, double nearDist, double farDist, double coc, double pupil)
{
    OptimumPlan plan;
    double vNear = 0.0;
    double vFar = 0.0;
    if (!imageRange(flength, nearDist, farDist, coc, vNear, vFar) || !isPositive(pupil))
        return plan;

    const double k = AiryPerFNumber;
    plan.valid = true;
    plan.sensor = harmonicMean(vNear, vFar);
    plan.focus = objectDistance(flength, plan.sensor);
    plan.magnification = ExactDof::magnification(flength, plan.focus);
    const double g = ExactDof::workingFNumber(1.0, plan.magnification, pupil);
    plan.workingFactor = g;
    plan.q = (vNear - vFar) / (vNear + vFar);

    // F Q: the defocus disc at both ends times the f-number; k g N is the
    // diffraction disc.
    const double fq = flength * plan.q;
    const double kg = k * g;
    plan.bestFNumber = std::sqrt(fq / kg);
    // Defocus and diffraction are equal at N*, each sqrt(F Q k g).
    plan.bestBlur = std::sqrt(2.0 * fq * kg) / coc;

    // Worst blur <= 1 is (k g)^2 x^2 - c^2 x + (F Q)^2 <= 0 for x = N^2. The
    // discriminant is factored so that it turns negative exactly when
    // c^2 < 2 k g F Q, that is when even N* is too blurred.
    const double c2 = coc * coc;
    const double disc = (c2 - 2.0 * kg * fq) * (c2 + 2.0 * kg * fq);
    plan.hasSharpRange = disc >= 0.0;
    if (plan.hasSharpRange) {
        const double larger = c2 + std::sqrt(disc);
        plan.sharpTo = std::sqrt(larger / (2.0 * kg * kg));
        // The roots multiply to (F Q / k g)^2: the smaller one without the
        // cancellation of c^2 - sqrt(disc).
        plan.sharpFrom = plan.sharpTo > 0.0 ? fq / (kg * plan.sharpTo) : 0.0;
    }

    plan.smallestCoc = std::sqrt(2.0 * kg * fq);
    // N* renders a range sharp while 2 k g' F Q' <= c^2, g' belonging to the
    // range's own focus. With near kept, Q' = q gives the focus v_near
    // (1 - q) and g' = g0 - h q; with far kept, v_far (1 + q) and
    // g' = g1 + h1 q. Each edge is the smallest positive root.
    const double r = c2 / (2.0 * k * flength);
    const double g0 = ExactDof::workingFNumber(1.0, vNear / flength - 1.0, pupil);
    const double h0 = vNear / (flength * pupil);
    const double disc0 = g0 * g0 - 4.0 * h0 * r;
    const double qFar = disc0 >= 0.0 ? 2.0 * r / (g0 + std::sqrt(disc0)) : Infinite;
    plan.farthestFar =
        qFar < 1.0 ? objectDistance(flength, vNear * (1.0 - qFar) / (1.0 + qFar)) : Infinite;
    const double g1 = ExactDof::workingFNumber(1.0, vFar / flength - 1.0, pupil);
    const double h1 = vFar / (flength * pupil);
    const double qNear = 2.0 * r / (g1 + std::sqrt(g1 * g1 + 4.0 * h1 * r));
    plan.nearestNear =
        qNear < 1.0 ? objectDistance(flength, vFar * (1.0 + qNear) / (1.0 - qNear)) : flength;

    plan.stops.reserve(thirdStops().size());
    for (const double stop : thirdStops())
        plan.stops.push_back({stop, std::hypot(fq / stop, kg * stop) / coc});
    return plan;
}

StackPlan stack(double flength, double fNumber, double nearDist, double farDist, double coc,
                bool diffraction, double overlap, double pupil)
{
    StackPlan plan;
    double vNear = 0.0;
    double vFar = 0.0;
    if (!imageRange(flength, nearDist, farDist, coc, vNear, vFar) || !isPositive(fNumber) ||
        !isPositive(pupil) || !(overlap >= 0.0 && overlap < 1.0))
        return plan;

    const StackLens lens{flength, fNumber, coc, pupil, diffraction};
    // Diffraction is largest at the near end, where the lens is extended
    // most.
    plan.nearMagnification = ExactDof::magnification(flength, nearDist);
    plan.nearWorkingFNumber = ExactDof::workingFNumber(fNumber, plan.nearMagnification, pupil);
    plan.diffractionLimit = ExactDof::largestSharpFNumber(coc, plan.nearMagnification, pupil);
    plan.suggestedFNumber = largestStopBelow(plan.diffractionLimit);
    if (diffraction && !(AiryPerFNumber * plan.nearWorkingFNumber < coc)) {
        plan.status = StackPlan::Status::DiffractionExceedsCoc;
        return plan;
    }
    plan.rangeLength = std::log(vNear / vFar);
    if (diffraction)
        return stackWithDiffraction(plan, lens, vNear, vFar, nearDist, farDist, overlap);

    // Without diffraction every frame has the same budget.
    const double beta = coc * fNumber / flength;
    plan.beta = beta;
    plan.zoneLength = beta < 1.0 ? std::log1p(beta) - std::log1p(-beta) : Infinite;

    const int n = frameCount(plan.zoneLength, plan.rangeLength, overlap);
    if (n == 0) {
        plan.status = StackPlan::Status::TooManyFrames;
        return plan;
    }
    plan.status = StackPlan::Status::Ok;

    if (n == 1) {
        plan.frames.push_back(frameAt(lens, harmonicMean(vNear, vFar)));
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
        plan.frames.push_back(frameAt(lens, vs));
    }
    finish(plan, nearDist, farDist);
    // Neighbours are span / (n - 1) apart; whatever of a zone that leaves
    // over is shared.
    plan.overlap = 1.0 + span / ((n - 1) * plan.zoneLength);
    return plan;
}

} // namespace FocusPlanner
