#include "focusplanner.h"

#include "exactdof.h"
#include "optics/numbercheck.h"

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

using NumberCheck::positiveFinite;

// The blur cone converges from the exit pupil, so image-side distances are
// measured from there: u = v - F (1 - P), F P for an object at infinity. A
// point imaged at u blurs to P D |u - us| / u with the sensor at us, and the
// cone's f-number us / (P D) is the working f-number. At P = 1 u is v.
double pupilOffset(double flength, double pupil)
{
    return flength * (1.0 - pupil);
}

// Checks the preconditions, written so that a NaN anywhere fails, and finds
// the image distances of both ends from the exit pupil. Extreme magnitudes
// can still round them to zero or infinity; those are refused too, so that
// no later step divides by zero.
bool imageRange(double flength, double nearDist, double farDist, double coc, double pupil,
                double &uNear, double &uFar)
{
    if (!(positiveFinite(flength) && positiveFinite(coc) && positiveFinite(pupil) &&
          std::isfinite(nearDist) && nearDist > flength && farDist > nearDist))
        return false;
    const double offset = pupilOffset(flength, pupil);
    uNear = imageDistance(flength, nearDist) - offset;
    uFar = imageDistance(flength, farDist) - offset;
    // Distances so close that their image distances coincide are no range.
    return positiveFinite(uNear) && positiveFinite(uFar) && std::isfinite(uNear) && uNear > uFar;
}

// Where the sensor sits to split the blur evenly between both ends.
double harmonicMean(double uNear, double uFar)
{
    return 2.0 * uNear * uFar / (uNear + uFar);
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
// position us (from the exit pupil), which sets the magnification and so
// the working f-number. A frame is sharp from us / (1 + beta) to
// us / (1 - beta), beta being the budget over the exit pupil's diameter.
struct StackLens {
    double flength;
    double fNumber;
    double coc;
    double pupil;
    bool diffraction;

    double offset() const { return pupilOffset(flength, pupil); }
    // The sensor position of a focus at infinity.
    double atInfinity() const { return flength - offset(); }
    double lensDistance(double u) const { return u + offset(); }
    double magnification(double us) const { return (us + offset() - flength) / flength; }
    double workingFNumber(double us) const
    {
        return ExactDof::workingFNumber(fNumber, magnification(us), pupil);
    }
    double beta(double us) const
    {
        const double budget = diffraction ? ExactDof::defocusBudget(coc, workingFNumber(us)) : coc;
        return budget * fNumber / (flength * pupil);
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
// target: the smallest us with us / (1 - beta(us)) >= target. beta shrinks
// as us grows, so us lies between target (1 - beta(F P)) and target; the
// caller makes sure that diffraction leaves a budget up to target.
double frameReaching(const StackLens &lens, double target)
{
    const auto reaches = [&](double us) {
        const double beta = lens.beta(us);
        return beta >= 1.0 || us >= target * (1.0 - beta);
    };
    const double lo = std::max(lens.atInfinity(), target * (1.0 - lens.beta(lens.atInfinity())));
    if (reaches(lo))
        return lo;
    // us -> target (1 - beta(us)) descends from target through frames that
    // all reach it, to the edge; it converges within a few steps unless
    // diffraction nearly fills the CoC, where bisection finishes.
    double us = target;
    for (int i = 0; i < 16; ++i) {
        const double beta = lens.beta(us);
        if (!(beta < 1.0))
            break;
        const double next = target * (1.0 - beta);
        if (!(next > lo))
            break;
        if (!(next < us))
            return us;
        us = next;
    }
    return edge(lo, us, reaches).second;
}

// The nearest-focused frame whose far limit still reaches image distance
// target: the largest us with us / (1 + beta(us)) <= target, searched
// between lo, which reaches it, and hi, which does not.
double frameEndingAt(const StackLens &lens, double target, double lo, double hi)
{
    const auto fallsShort = [&](double us) { return us > target * (1.0 + lens.beta(us)); };
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

// Frames chained from uNear, each reaching back into its nearer
// neighbour's zone by the fraction overlap of that zone, until one covers
// uFar or limit frames are spent. Returns the sensor positions; covers
// tells whether the last one reaches uFar.
std::vector<double> chain(const StackLens &lens, double uNear, double uFar, double rangeLength,
                          double overlap, int limit, bool &covers)
{
    std::vector<double> sensors;
    covers = false;
    double target = uNear;
    const double tolerance = rangeLength * CoverTolerance;
    while (int(sensors.size()) < limit) {
        const double us = frameReaching(lens, target);
        sensors.push_back(us);
        const double beta = lens.beta(us);
        const double farEnd = us / (1.0 + beta);
        if (std::log(farEnd / uFar) <= tolerance) {
            covers = true;
            break;
        }
        target = farEnd * std::exp(overlap * zoneIn(beta, rangeLength));
    }
    return sensors;
}

Frame frameAt(const StackLens &lens, double us)
{
    const double beta = lens.beta(us);
    const double flength = lens.flength;
    const double nearLimit =
        beta < 1.0 ? objectDistance(flength, lens.lensDistance(us / (1.0 - beta))) : flength;
    return {objectDistance(flength, lens.lensDistance(us)),
            lens.lensDistance(us),
            nearLimit,
            objectDistance(flength, lens.lensDistance(us / (1.0 + beta))),
            lens.magnification(us),
            lens.workingFNumber(us),
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
StackPlan &stackWithDiffraction(StackPlan &plan, const StackLens &lens, double uNear, double uFar,
                                double nearDist, double farDist, double overlap)
{
    const double harmonic = harmonicMean(uNear, uFar);
    const double q = (uNear - uFar) / (uNear + uFar);
    bool covers = false;
    std::vector<double> sensors =
        chain(lens, uNear, uFar, plan.rangeLength, overlap, MaxFrames + 1, covers);
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
        const double us = lens.beta(harmonic) >= q ? harmonic : sensors.front();
        plan.frames.push_back(frameAt(lens, us));
        finish(plan, nearDist, farDist);
        return plan;
    }

    double lo = overlap;
    double hi = 1.0;
    for (int i = 0; i < 60 && hi - lo > 1e-12; ++i) {
        const double mid = lo + (hi - lo) * 0.5;
        bool midCovers = false;
        const std::vector<double> trial =
            chain(lens, uNear, uFar, plan.rangeLength, mid, n, midCovers);
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
        sensors.back() = frameEndingAt(lens, uFar, sensors.back(), previous);
    plan.frames.reserve(sensors.size());
    for (const double us : sensors)
        plan.frames.push_back(frameAt(lens, us));
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
    double uNear = 0.0;
    double uFar = 0.0;
    if (!imageRange(flength, nearDist, farDist, coc, pupil, uNear, uFar))
        return plan;

    const double k = AiryPerFNumber;
    const double offset = pupilOffset(flength, pupil);
    plan.valid = true;
    plan.sensor = harmonicMean(uNear, uFar) + offset;
    plan.focus = objectDistance(flength, plan.sensor);
    plan.magnification = ExactDof::magnification(flength, plan.focus);
    const double g = ExactDof::workingFNumber(1.0, plan.magnification, pupil);
    plan.workingFactor = g;
    plan.q = (uNear - uFar) / (uNear + uFar);

    // P F Q: the defocus disc at both ends, P D Q, times the f-number; k g N
    // is the diffraction disc.
    const double fq = pupil * flength * plan.q;
    const double kg = k * g;
    plan.bestFNumber = std::sqrt(fq / kg);
    // Defocus and diffraction are equal at N*, each sqrt(P F Q k g).
    plan.bestBlur = std::sqrt(2.0 * fq * kg) / coc;

    // Worst blur <= 1 is (k g)^2 x^2 - c^2 x + (P F Q)^2 <= 0 for x = N^2.
    // The discriminant is factored so that it turns negative exactly when
    // c^2 < 2 k g P F Q, that is when even N* is too blurred.
    const double c2 = coc * coc;
    const double disc = (c2 - 2.0 * kg * fq) * (c2 + 2.0 * kg * fq);
    plan.hasSharpRange = disc >= 0.0;
    if (plan.hasSharpRange) {
        const double larger = c2 + std::sqrt(disc);
        plan.sharpTo = std::sqrt(larger / (2.0 * kg * kg));
        // The roots multiply to (P F Q / k g)^2: the smaller one without the
        // cancellation of c^2 - sqrt(disc).
        plan.sharpFrom = plan.sharpTo > 0.0 ? fq / (kg * plan.sharpTo) : 0.0;
    }

    plan.smallestCoc = std::sqrt(2.0 * kg * fq);
    // N* renders a range sharp while 2 k g' P F Q' <= c^2, g' belonging to
    // the range's own focus. With near kept, Q' = q gives the focus
    // u_near (1 - q) and g' = g0 - h0 q; with far kept, u_far (1 + q) and
    // g' = g1 + h1 q. Each edge is the smallest positive root.
    const double r = c2 / (2.0 * k * flength * pupil);
    const double g0 =
        ExactDof::workingFNumber(1.0, ExactDof::magnification(flength, nearDist), pupil);
    const double h0 = uNear / (flength * pupil);
    const double disc0 = g0 * g0 - 4.0 * h0 * r;
    const double qFar = disc0 >= 0.0 ? 2.0 * r / (g0 + std::sqrt(disc0)) : Infinite;
    plan.farthestFar = qFar < 1.0
                           ? objectDistance(flength, uNear * (1.0 - qFar) / (1.0 + qFar) + offset)
                           : Infinite;
    const double g1 =
        ExactDof::workingFNumber(1.0, ExactDof::magnification(flength, farDist), pupil);
    const double h1 = uFar / (flength * pupil);
    const double qNear = 2.0 * r / (g1 + std::sqrt(g1 * g1 + 4.0 * h1 * r));
    plan.nearestNear = qNear < 1.0
                           ? objectDistance(flength, uFar * (1.0 + qNear) / (1.0 - qNear) + offset)
                           : flength;

    plan.stops.reserve(thirdStops().size());
    for (const double stop : thirdStops())
        plan.stops.push_back({stop, std::hypot(fq / stop, kg * stop) / coc});
    return plan;
}

namespace
{

// What every plan shares: the checks, the lens, and the diffraction at the
// near end, where the lens is extended most. False when the plan goes no
// further (invalid input, or diffraction filling the CoC).
bool begin(StackPlan &plan, double flength, double fNumber, double nearDist, double farDist,
           double coc, bool diffraction, double overlap, double pupil, double &uNear, double &uFar)
{
    if (!imageRange(flength, nearDist, farDist, coc, pupil, uNear, uFar) ||
        !positiveFinite(fNumber) || !(overlap >= 0.0 && overlap < 1.0))
        return false;
    plan.nearMagnification = ExactDof::magnification(flength, nearDist);
    plan.nearWorkingFNumber = ExactDof::workingFNumber(fNumber, plan.nearMagnification, pupil);
    plan.diffractionLimit = ExactDof::largestSharpFNumber(coc, plan.nearMagnification, pupil);
    plan.suggestedFNumber = largestStopBelow(plan.diffractionLimit);
    plan.rangeLength = std::log(uNear / uFar);
    if (diffraction && !(AiryPerFNumber * plan.nearWorkingFNumber < coc)) {
        plan.status = StackPlan::Status::DiffractionExceedsCoc;
        return false;
    }
    return true;
}

// The rail plan from frame 1, whose sensor sits at us from the exit pupil:
// every frame has its zone, shifted by equal steps of (1 - overlap) of it
// until a far limit reaches farDist.
StackPlan &railFrom(StackPlan &plan, const StackLens &lens, double us, double farDist,
                    double overlap)
{
    const Frame first = frameAt(lens, us);
    plan.beta = lens.beta(us);
    plan.zoneLength = zoneIn(plan.beta, Infinite);
    plan.railMagnification = first.magnification;
    plan.railWorkingFNumber = first.workingFNumber;
    plan.overlap = overlap;
    const double zone = first.farLimit - first.nearLimit;
    plan.railZone = zone;
    int n = 1;
    double step = 0.0;
    if (first.farLimit < farDist * (1.0 - CoverTolerance)) {
        step = (1.0 - overlap) * zone;
        const double estimate = std::ceil((farDist - first.farLimit) / step);
        if (!(estimate <= MaxFrames - 1.0)) {
            plan.status = StackPlan::Status::TooManyFrames;
            return plan;
        }
        n = 1 + std::max(1, int(estimate));
        // Rounding must neither leave the far end out nor add a frame that
        // an exact fit does without.
        if (n > 2 && first.farLimit + (n - 2) * step >= farDist * (1.0 - CoverTolerance))
            --n;
        else if (first.farLimit + (n - 1) * step < farDist * (1.0 - CoverTolerance))
            ++n;
        if (n > MaxFrames) {
            plan.status = StackPlan::Status::TooManyFrames;
            return plan;
        }
    } else {
        plan.overlap = 0.0;
    }
    plan.status = StackPlan::Status::Ok;
    plan.frames.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        Frame f = first;
        f.focus += i * step;
        f.nearLimit += i * step;
        f.farLimit += i * step;
        f.step = i == 0 ? std::numeric_limits<double>::quiet_NaN() : step;
        plan.frames.push_back(f);
    }
    return plan;
}

} // namespace

StackPlan stack(double flength, double fNumber, double nearDist, double farDist, double coc,
                bool diffraction, double overlap, double pupil)
{
    StackPlan plan;
    double uNear = 0.0;
    double uFar = 0.0;
    if (!begin(plan, flength, fNumber, nearDist, farDist, coc, diffraction, overlap, pupil, uNear,
               uFar))
        return plan;
    const StackLens lens{flength, fNumber, coc, pupil, diffraction};
    if (diffraction)
        return stackWithDiffraction(plan, lens, uNear, uFar, nearDist, farDist, overlap);

    // Without diffraction every frame has the same budget.
    const double beta = lens.beta(uNear);
    plan.beta = beta;
    plan.zoneLength = beta < 1.0 ? std::log1p(beta) - std::log1p(-beta) : Infinite;

    const int n = frameCount(plan.zoneLength, plan.rangeLength, overlap);
    if (n == 0) {
        plan.status = StackPlan::Status::TooManyFrames;
        return plan;
    }
    plan.status = StackPlan::Status::Ok;

    if (n == 1) {
        plan.frames.push_back(frameAt(lens, harmonicMean(uNear, uFar)));
        return plan;
    }

    // Frame 1's near limit sits at near and frame n's far limit at far; with
    // more than one frame both sensor positions lie beyond F P (1 + beta).
    const double first = uNear * (1.0 - beta);
    const double last = uFar * (1.0 + beta);
    const double logFirst = std::log(first);
    const double span = std::log(last) - logFirst;
    plan.frames.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double us = std::exp(logFirst + span * i / (n - 1));
        if (i == 0)
            us = first;
        else if (i == n - 1)
            us = last;
        plan.frames.push_back(frameAt(lens, us));
    }
    finish(plan, nearDist, farDist);
    // Neighbours are span / (n - 1) apart; whatever of a zone that leaves
    // over is shared.
    plan.overlap = 1.0 + span / ((n - 1) * plan.zoneLength);
    return plan;
}

StackPlan railStack(double flength, double fNumber, double nearDist, double farDist, double coc,
                    bool diffraction, double overlap, double pupil)
{
    StackPlan plan;
    double uNear = 0.0;
    double uFar = 0.0;
    if (!begin(plan, flength, fNumber, nearDist, farDist, coc, diffraction, overlap, pupil, uNear,
               uFar))
        return plan;
    const StackLens lens{flength, fNumber, coc, pupil, diffraction};
    railFrom(plan, lens, frameReaching(lens, uNear), farDist, overlap);
    if (!plan.frames.empty())
        plan.frames.front().nearLimit = nearDist;
    return plan;
}

double nearLimitAtMagnification(double flength, double fNumber, double magnification, double coc,
                                bool diffraction, double pupil)
{
    if (!positiveFinite(magnification))
        return std::numeric_limits<double>::quiet_NaN();
    const ExactDof::Figures f =
        ExactDof::limits(flength, fNumber, ExactDof::focusAtMagnification(flength, magnification),
                         coc, diffraction, pupil);
    return f.sharp ? f.nearLimit : std::numeric_limits<double>::quiet_NaN();
}

StackPlan railStackAtMagnification(double flength, double fNumber, double magnification,
                                   double depth, double coc, bool diffraction, double overlap,
                                   double pupil)
{
    StackPlan plan;
    const double nearDist =
        nearLimitAtMagnification(flength, fNumber, magnification, coc, diffraction, pupil);
    double uNear = 0.0;
    double uFar = 0.0;
    if (!positiveFinite(depth))
        return plan;
    if (std::isnan(nearDist)) {
        // Diffraction alone fills the CoC at that magnification: the plan
        // says so with the figures of that focus.
        const double focus = ExactDof::focusAtMagnification(flength, magnification);
        begin(plan, flength, fNumber, focus, focus + depth, coc, diffraction, overlap, pupil, uNear,
              uFar);
        if (plan.status != StackPlan::Status::DiffractionExceedsCoc)
            plan.status = StackPlan::Status::InvalidInput;
        return plan;
    }
    // The frame at that magnification is sharp, even where the near limit
    // in front of it would not be on its own.
    if (!begin(plan, flength, fNumber, nearDist, nearDist + depth, coc, diffraction, overlap, pupil,
               uNear, uFar) &&
        plan.status != StackPlan::Status::DiffractionExceedsCoc)
        return plan;
    const StackLens lens{flength, fNumber, coc, pupil, diffraction};
    // The lens at exactly that magnification: us = F (m + P).
    railFrom(plan, lens, flength * (magnification + pupil), nearDist + depth, overlap);
    return plan;
}

} // namespace FocusPlanner
