#include "planning/exactdof.h"
#include "planning/focusplanner.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

using FocusPlanner::StackPlan;
using Status = FocusPlanner::StackPlan::Status;

static constexpr double Inf = std::numeric_limits<double>::infinity();
static constexpr double K = 0.001342;

static double thinLensV(double f, double x)
{
    return 1.0 / (1.0 / f - 1.0 / x);
}

// Image distance measured from the exit pupil, which sits p f in front of
// the focal plane.
static double pupilV(double f, double x, double p)
{
    return (std::isinf(x) ? f : thinLensV(f, x)) - f * (1.0 - p);
}

// The blur model with the diffraction disc of the working f-number
// N (1 + m / p) at the focus, written out from the textbook formulas: the
// defocus disc is the cone from the exit pupil (p f / N wide) cut by the
// sensor.
static double workingBlur(double focus, double n, double f, double c, double x, bool diffraction,
                          double p = 1.0)
{
    const double vs = std::isinf(focus) ? f : thinLensV(f, focus);
    const double v = std::isinf(x) ? f : thinLensV(f, x);
    const double defocus = std::fabs(v - vs) * (p * f / n) / pupilV(f, x, p);
    const double ne = n * (1.0 + (vs / f - 1.0) / p);
    const double airy = diffraction ? K * ne : 0.0;
    return std::sqrt(defocus * defocus + airy * airy) / c;
}

// One request per data row; the optimum ignores n, diffraction and overlap.
struct Shot {
    double f, n, nearDist, farDist, c;
    bool diffraction;
    double overlap;
};
Q_DECLARE_METATYPE(Shot)

#define COMPARE_REL(actual, expected, tolerance)                                                   \
    QVERIFY2(std::fabs((actual) - (expected)) <= (tolerance)*std::fabs(expected),                  \
             qPrintable(QString("%1 instead of %2")                                                \
                            .arg(double(actual), 0, 'g', 17)                                       \
                            .arg(double(expected), 0, 'g', 17)))

class TestPlanning : public QObject
{
    Q_OBJECT

private slots:
    void exactLimitsFollowFormulas_data();
    void exactLimitsFollowFormulas();
    void diffractionNeverDeepensField();
    void depthFollowsExitPupil_data();
    void depthFollowsExitPupil();
    void optimumAgreesWithLensModel_data();
    void optimumAgreesWithLensModel();
    void stackLimitsAreSharpAndMinimal_data();
    void stackLimitsAreSharpAndMinimal();
    void railStepsAreEqualAndCover_data();
    void railStepsAreEqualAndCover();
    void exactFitAddsNoFrame_data();
    void exactFitAddsNoFrame();
    void diffractionBeyondCocSuggestsStop_data();
    void diffractionBeyondCocSuggestsStop();
    void absurdOrInvalidRequestsAreReported();
};

// One camera for the closed forms.
struct Camera {
    double f, n, focus, c;
    bool diffraction;
    double pupil;
};
Q_DECLARE_METATYPE(Camera)

void TestPlanning::exactLimitsFollowFormulas_data()
{
    QTest::addColumn<Camera>("cam");
    QTest::newRow("65mm 1:1 f/5") << Camera{65, 5, 130, 0.015, true, 1};
    QTest::newRow("65mm 1:1 f/11: nothing sharp") << Camera{65, 11, 130, 0.015, true, 1};
    QTest::newRow("65mm 1:1 f/11 without") << Camera{65, 11, 130, 0.015, false, 1};
    QTest::newRow("100mm 1:2 f/8 P 0.6") << Camera{100, 8, 300, 0.03, true, 0.6};
    QTest::newRow("100mm 2:1 f/4 P 2") << Camera{100, 4, 150, 0.03, true, 2};
    QTest::newRow("24mm f/8 2.4 m") << Camera{24, 8, 2400, 0.03, false, 1};
    QTest::newRow("24mm f/8 2 m") << Camera{24, 8, 2000, 0.03, true, 1};
    QTest::newRow("24mm f/32 10 m: nothing sharp") << Camera{24, 32, 10000, 0.03, true, 1};
    QTest::newRow("50mm f/16 10 m P 0.5") << Camera{50, 16, 10000, 0.03, true, 0.5};
    QTest::newRow("24mm f/11 at infinity") << Camera{24, 11, Inf, 0.03, true, 1};
}

// The limits are the textbook's s H / (H +- (s - F)) with H = F^2 / (N c')
// where the pupils sit at the principal planes (P = 1), c' from the working
// f-number N (1 + m / P), and the blur there is exactly 1, just inside less
// and just outside more: no search tolerance. Where diffraction fills the CoC nothing is sharp,
// and c / (k (1 + m / P)) is the f-number that would be. The focus for
// infinity is F^2 / (N c') + F with c' at that focus; its far limit is
// infinite, just nearer it is not.
void TestPlanning::exactLimitsFollowFormulas()
{
    QFETCH(Camera, cam);
    const auto [f, n, s, c, diffraction, p] = cam;
    const ExactDof::Figures fig = ExactDof::compute(f, n, s, c, diffraction, p);
    QVERIFY(fig.valid);
    const double m = std::isinf(s) ? 0.0 : f / (s - f);
    const double ne = n * (1 + m / p);
    COMPARE_REL(fig.workingFNumber, ne, 1e-15);
    COMPARE_REL(fig.hyperfocal, f * f / (n * c), 1e-15);
    COMPARE_REL(fig.largestSharpFNumber, c / (K * (1 + m / p)), 1e-12);
    const double budget2 = diffraction ? c * c - K * ne * K * ne : c * c;
    QCOMPARE(fig.sharp, budget2 > 0);
    if (!fig.sharp) {
        QVERIFY(std::isnan(fig.nearLimit) && std::isnan(fig.farLimit));
    } else {
        const double h = f * f / (n * std::sqrt(budget2));
        const double far = s - f < h ? s * h / (h - (s - f)) : Inf;
        if (p == 1.0) {
            COMPARE_REL(fig.nearLimit, std::isinf(s) ? h : s * h / (h + (s - f)), 1e-12);
            if (std::isinf(far))
                QVERIFY(std::isinf(fig.farLimit));
            else
                COMPARE_REL(fig.farLimit, far, 1e-12);
        }
        // A point at infinity blurs to m F / N whatever the pupils.
        QCOMPARE(std::isinf(fig.farLimit), m * f / n <= std::sqrt(budget2));
        for (const double limit : {fig.nearLimit, fig.farLimit}) {
            if (!std::isfinite(limit))
                continue;
            COMPARE_REL(workingBlur(s, n, f, c, limit, diffraction, p), 1.0, 1e-8);
            const double in = limit < s ? limit * (1 + 1e-6) : limit * (1 - 1e-6);
            const double out = limit < s ? limit * (1 - 1e-6) : limit * (1 + 1e-6);
            QVERIFY(workingBlur(s, n, f, c, in, diffraction, p) < 1.0);
            QVERIFY(workingBlur(s, n, f, c, out, diffraction, p) > 1.0);
        }
    }
    const double fi = fig.focusForInfinity;
    // Without a budget even at infinity, no focus keeps infinity sharp.
    QCOMPARE(std::isnan(fi), diffraction && K * n >= c);
    if (std::isnan(fi))
        return;
    const double neAt = n * (1 + f / (fi - f) / p);
    COMPARE_REL(fi, f * f / (n * (diffraction ? std::sqrt(c * c - K * neAt * K * neAt) : c)) + f,
                1e-9);
    QVERIFY(std::isinf(ExactDof::compute(f, n, fi * (1 + 1e-9), c, diffraction, p).farLimit));
    QVERIFY(std::isfinite(ExactDof::compute(f, n, fi * (1 - 1e-6), c, diffraction, p).farLimit));
}

// Over a few thousand random cameras, macro to landscape, adding the
// diffraction disc never moves a limit outwards, never deepens the field
// and never brings the focus for infinity nearer.
void TestPlanning::diffractionNeverDeepensField()
{
    QRandomGenerator random(14);
    const auto logUniform = [&](double lo, double hi) {
        return lo * std::pow(hi / lo, random.generateDouble());
    };
    int sharpCases = 0;
    for (int i = 0; i < 4000; ++i) {
        const double f = logUniform(8, 800), n = logUniform(1, 64), c = logUniform(0.002, 0.1);
        const double p = logUniform(0.2, 5);
        const double s = i % 50 == 0 ? Inf : f * (1 + 1 / logUniform(1e-5, 5));
        const ExactDof::Figures plain = ExactDof::compute(f, n, s, c, false, p);
        const ExactDof::Figures dif = ExactDof::compute(f, n, s, c, true, p);
        QVERIFY2(plain.valid && dif.valid && plain.sharp, qPrintable(QString::number(i)));
        if (!dif.sharp)
            continue;
        ++sharpCases;
        QVERIFY2(
            dif.nearLimit >= plain.nearLimit && dif.farLimit <= plain.farLimit &&
                !(dif.depth() > plain.depth()) && !(dif.focusForInfinity < plain.focusForInfinity),
            qPrintable(QString("F %1 N %2 c %3 P %4 s %5").arg(f).arg(n).arg(c).arg(p).arg(s)));
    }
    QVERIFY(sharpCases > 1000);
}

void TestPlanning::depthFollowsExitPupil_data()
{
    QTest::addColumn<Camera>("cam");
    QTest::addColumn<double>("magnification");
    QTest::newRow("100mm 1:1 f/8 P 2") << Camera{100, 8, 0, 0.03, false, 2} << 1.0;
    QTest::newRow("100mm 1:1 f/8 P 0.5") << Camera{100, 8, 0, 0.03, false, 0.5} << 1.0;
    QTest::newRow("100mm 1:1 f/8 P 1") << Camera{100, 8, 0, 0.03, false, 1} << 1.0;
    QTest::newRow("10mm objective 20x P 2") << Camera{10, 1.4, 0, 0.0374, false, 2} << 20.0;
    QTest::newRow("65mm 1:2 P 3") << Camera{65, 5.6, 0, 0.02, false, 3} << 0.5;
    QTest::newRow("50mm 1:10 P 0.7") << Camera{50, 4, 0, 0.03, false, 0.7} << 0.1;
}

// The close-up depth of field with the pupil magnification, as published:
// 2 N c (1 + m / P) / (m^2 - (N c / F)^2).
void TestPlanning::depthFollowsExitPupil()
{
    QFETCH(Camera, cam);
    QFETCH(double, magnification);
    const double f = cam.f, n = cam.n, c = cam.c, p = cam.pupil, m = magnification;
    const ExactDof::Figures fig = ExactDof::compute(f, n, f * (1 + 1 / m), c, false, p);
    QVERIFY(fig.sharp);
    const double beta = n * c / f;
    COMPARE_REL(fig.depth(), 2 * n * c * (1 + m / p) / (m * m - beta * beta), 1e-9);
}

void TestPlanning::optimumAgreesWithLensModel_data()
{
    QTest::addColumn<Shot>("shot");
    QTest::addColumn<double>("pupil");
    QTest::addColumn<bool>("sharp");
    QTest::newRow("50mm 3-10 m") << Shot{50, 0, 3000, 10000, 0.03, true, 0} << 1.0 << true;
    QTest::newRow("24mm 1 m-inf") << Shot{24, 0, 1000, Inf, 0.03, true, 0} << 1.0 << true;
    QTest::newRow("100mm macro") << Shot{100, 0, 300, 320, 0.02, true, 0} << 1.0 << false;
    QTest::newRow("100mm 1:1") << Shot{100, 0, 200, 200.5, 0.03, true, 0} << 1.0 << true;
    QTest::newRow("100mm 1:1 f/41.6 too small")
        << Shot{100, 0, 200, 210, 0.03, true, 0} << 1.0 << false;
    QTest::newRow("100mm 1:1 P 0.5") << Shot{100, 0, 200, 210, 0.03, true, 0} << 0.5 << false;
    QTest::newRow("65mm 2:1 P 2") << Shot{65, 0, 95, 97, 0.015, true, 0} << 2.0 << false;
    QTest::newRow("600mm 20 m-inf") << Shot{600, 0, 20000, Inf, 0.03, true, 0} << 1.0 << false;
}

// Focus at the harmonic mean; the predicted worst blur is the working
// f-number's blur at both ends, smallest at N*; the sharp interval ends at
// blur 1; what would help brings the best blur down to exactly 1.
void TestPlanning::optimumAgreesWithLensModel()
{
    QFETCH(Shot, shot);
    QFETCH(double, pupil);
    QFETCH(bool, sharp);
    const double f = shot.f, nearDist = shot.nearDist, farDist = shot.farDist, c = shot.c;
    const FocusPlanner::OptimumPlan plan = FocusPlanner::optimum(f, nearDist, farDist, c, pupil);
    QVERIFY(plan.valid);
    // The sensor halves the blur between both ends in distances from the
    // exit pupil.
    const double un = pupilV(f, nearDist, pupil), uf = pupilV(f, farDist, pupil);
    const double us = 2.0 / (1.0 / un + 1.0 / uf);
    const double vs = us + f * (1.0 - pupil);
    COMPARE_REL(thinLensV(f, plan.focus), vs, 1e-12);
    const double g = 1.0 + (vs / f - 1.0) / pupil;
    COMPARE_REL(plan.bestFNumber, std::sqrt(pupil * f * (un - uf) / (un + uf) / (K * g)), 1e-12);
    const auto blur = [&](double n, double x) {
        return workingBlur(plan.focus, n, f, c, x, true, pupil);
    };
    for (const double x : {nearDist, farDist})
        COMPARE_REL(blur(plan.bestFNumber, x), plan.bestBlur, 1e-9);
    QCOMPARE(int(plan.stops.size()), 37);
    for (const FocusPlanner::StopBlur &s : plan.stops) {
        COMPARE_REL(blur(s.fNumber, nearDist), s.worstBlur, 1e-9);
        QVERIFY(s.worstBlur >= plan.bestBlur * (1.0 - 1e-12));
    }
    QCOMPARE(plan.hasSharpRange, sharp);
    if (sharp) {
        COMPARE_REL(blur(plan.sharpFrom, nearDist), 1.0, 1e-9);
        COMPARE_REL(blur(plan.sharpTo, farDist), 1.0, 1e-9);
    } else {
        using FocusPlanner::optimum;
        COMPARE_REL(optimum(f, nearDist, farDist, plan.smallestCoc, pupil).bestBlur, 1.0, 1e-9);
        COMPARE_REL(optimum(f, nearDist, plan.farthestFar, c, pupil).bestBlur, 1.0, 1e-9);
        COMPARE_REL(optimum(f, plan.nearestNear, farDist, c, pupil).bestBlur, 1.0, 1e-9);
    }
}

void TestPlanning::stackLimitsAreSharpAndMinimal_data()
{
    QTest::addColumn<Shot>("shot");
    QTest::addColumn<double>("pupil");
    QTest::newRow("macro") << Shot{100, 8, 300, 400, 0.03, false, 0.1} << 1.0;
    QTest::newRow("macro diffraction") << Shot{100, 8, 300, 400, 0.03, true, 0.1} << 1.0;
    QTest::newRow("1:1 diffraction") << Shot{100, 8, 200, 210, 0.03, true, 0.1} << 1.0;
    QTest::newRow("1:1 retrofocus") << Shot{100, 11, 200, 210, 0.03, true, 0.2} << 2.0;
    QTest::newRow("1:1 telephoto") << Shot{100, 5.6, 200, 205, 0.03, true, 0.0} << 0.5;
    QTest::newRow("65mm P 2") << Shot{65, 5.6, 120, 125, 0.02, false, 0.1} << 2.0;
    QTest::newRow("65mm P 2 diffraction") << Shot{65, 5.6, 120, 125, 0.02, true, 0.1} << 2.0;
    QTest::newRow("objective P 3") << Shot{20, 2.8, 24, 24.5, 0.02, true, 0.2} << 3.0;
    QTest::newRow("to inf diffraction") << Shot{24, 11, 300, Inf, 0.03, true, 0.1} << 1.0;
    QTest::newRow("overlap 0") << Shot{100, 4, 500, 2000, 0.02, false, 0.0} << 1.0;
    QTest::newRow("overlap 0.9") << Shot{50, 5.6, 1000, 5000, 0.03, true, 0.9} << 1.0;
    QTest::newRow("one frame to inf") << Shot{24, 8, 2000, Inf, 0.03, false, 0.1} << 1.0;
    QTest::newRow("one frame") << Shot{50, 11, 3000, 5000, 0.03, true, 0.5} << 1.0;
    QTest::newRow("one frame to inf diffraction") << Shot{24, 8, 2000, Inf, 0.03, true, 0.1} << 1.0;
}

// Every limit has blur 1; the ends are the range's; neighbours overlap
// enough; one frame fewer could not cover; one frame focuses as the optimum.
void TestPlanning::stackLimitsAreSharpAndMinimal()
{
    QFETCH(Shot, shot);
    const auto [f, n, nearDist, farDist, c, diffraction, overlap] = shot;
    QFETCH(double, pupil);
    const StackPlan plan =
        FocusPlanner::stack(f, n, nearDist, farDist, c, diffraction, overlap, pupil);
    QCOMPARE(plan.status, Status::Ok);
    const auto &frames = plan.frames;
    // A frame's zone in ln u, from the budget at its own working f-number,
    // over the exit pupil's diameter.
    const auto zoneOf = [&](const FocusPlanner::Frame &fr) {
        const double ne = n * (1.0 + (thinLensV(f, fr.focus) / f - 1.0) / pupil);
        const double beta =
            (diffraction ? std::sqrt(c * c - K * ne * K * ne) : c) * n / (f * pupil);
        return std::log((1 + beta) / (1 - beta));
    };
    const auto u = [&](double x) { return pupilV(f, x, pupil); };
    const double range = std::log(u(nearDist) / u(farDist));
    for (const FocusPlanner::Frame &fr : frames) {
        for (const double limit : {fr.nearLimit, fr.farLimit}) {
            if (std::isfinite(limit))
                COMPARE_REL(workingBlur(fr.focus, n, f, c, limit, diffraction, pupil), 1.0, 1e-9);
        }
    }
    const std::size_t count = frames.size();
    QVERIFY(count > 0);
    QVERIFY(std::isnan(frames[0].step));
    for (std::size_t i = 1; i < count; ++i)
        QCOMPARE(frames[i].step, frames[i].focus - frames[i - 1].focus);
    if (count == 1) {
        QVERIFY(range <= zoneOf(frames[0]));
        COMPARE_REL(frames[0].focus, FocusPlanner::optimum(f, nearDist, farDist, c, pupil).focus,
                    1e-12);
        return;
    }
    QCOMPARE(frames.front().nearLimit, nearDist);
    QCOMPARE(frames.back().farLimit, farDist);
    // Zones grow with distance. With equal zones count - 1 frames fall
    // short; otherwise the overlap raised above the asked one must not add
    // up to a whole frame's advance, or a frame could go.
    const double longest = zoneOf(frames.back());
    if (!diffraction)
        QVERIFY((count - 1) * longest - (count - 2) * overlap * longest < range);
    double shared = 0;
    for (std::size_t i = 0; i + 1 < count; ++i)
        shared += zoneOf(frames[i]);
    QVERIFY(plan.overlap >= overlap);
    QVERIFY((plan.overlap - overlap) * shared < (1 - overlap) * longest);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const double shared = std::log(u(frames[i + 1].nearLimit) / u(frames[i].farLimit));
        const double zone = std::min(zoneOf(frames[i]), zoneOf(frames[i + 1]));
        QVERIFY(shared >= overlap * zone * (1 - 1e-9) - 1e-15);
    }
}

void TestPlanning::railStepsAreEqualAndCover_data()
{
    QTest::addColumn<Shot>("shot");
    QTest::addColumn<double>("pupil");
    QTest::newRow("100mm 0.3-0.32 m") << Shot{100, 8, 300, 320, 0.03, false, 0.1} << 1.0;
    QTest::newRow("diffraction") << Shot{100, 8, 300, 320, 0.03, true, 0.1} << 1.0;
    QTest::newRow("1:1 P 2") << Shot{100, 5.6, 200, 205, 0.03, true, 0.25} << 2.0;
    QTest::newRow("P 0.5 no overlap") << Shot{100, 11, 200, 210, 0.03, false, 0.0} << 0.5;
    QTest::newRow("one frame") << Shot{50, 11, 3000, 3100, 0.03, false, 0.1} << 1.0;
}

// The lens keeps frame 1's setting: one magnification, frame 1's near limit
// at near, zones shifted by equal steps of (1 - overlap) of the zone, the
// last far limit at or beyond far and the one before it short of far. Seen
// from where each frame is taken, its limits blur to exactly 1.
void TestPlanning::railStepsAreEqualAndCover()
{
    QFETCH(Shot, shot);
    QFETCH(double, pupil);
    const auto [f, n, nearDist, farDist, c, diffraction, overlap] = shot;
    const StackPlan plan =
        FocusPlanner::railStack(f, n, nearDist, farDist, c, diffraction, overlap, pupil);
    QCOMPARE(plan.status, Status::Ok);
    const auto &frames = plan.frames;
    QVERIFY(!frames.empty());
    const double s1 = frames[0].focus;
    const double m = f / (s1 - f);
    COMPARE_REL(plan.railMagnification, m, 1e-12);
    COMPARE_REL(plan.railWorkingFNumber, n * (1 + m / pupil), 1e-12);
    QCOMPARE(frames[0].nearLimit, nearDist);
    const double zone = frames[0].farLimit - frames[0].nearLimit;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double moved = frames[i].focus - s1;
        COMPARE_REL(moved, i * (1 - overlap) * zone, 1e-9);
        if (i > 0)
            COMPARE_REL(frames[i].step, (1 - overlap) * zone, 1e-12);
        COMPARE_REL(frames[i].magnification, m, 1e-12);
        for (const double limit : {frames[i].nearLimit, frames[i].farLimit})
            COMPARE_REL(workingBlur(s1, n, f, c, limit - moved, diffraction, pupil), 1.0, 1e-8);
    }
    QVERIFY(frames.back().farLimit >= farDist * (1 - 1e-12));
    if (frames.size() > 1)
        QVERIFY(frames[frames.size() - 2].farLimit < farDist);

    // A subject 5 mm deep at exactly that magnification starts at frame 1's
    // near limit there.
    const StackPlan deep =
        FocusPlanner::railStackAtMagnification(f, n, m, 5.0, c, diffraction, overlap, pupil);
    QCOMPARE(deep.status, Status::Ok);
    QCOMPARE(deep.railMagnification, m);
    COMPARE_REL(
        workingBlur(deep.frames[0].focus, n, f, c, deep.frames[0].nearLimit, diffraction, pupil),
        1.0, 1e-8);
    QVERIFY(deep.frames.back().farLimit >= deep.frames[0].nearLimit + 5.0 - 1e-9);
}

void TestPlanning::exactFitAddsNoFrame_data()
{
    QTest::addColumn<double>("overlap");
    QTest::addColumn<int>("count");
    QTest::newRow("1 frame") << 0.1 << 1;
    QTest::newRow("2 frames no overlap") << 0.0 << 2;
    QTest::newRow("3 frames half overlap") << 0.5 << 3;
    QTest::newRow("5 frames 0.75 overlap") << 0.75 << 5;
}

// A range that n frames span exactly takes n frames, a bit more takes n + 1.
void TestPlanning::exactFitAddsNoFrame()
{
    QFETCH(double, overlap);
    QFETCH(int, count);
    const double f = 24.0, n = 2.8, c = 0.03, nearDist = 150.0, beta = c * n / f;
    const double range = std::log((1 + beta) / (1 - beta)) * (count - (count - 1) * overlap);
    const auto farFor = [&](double ln) {
        return 1.0 / (1.0 / f - 1.0 / (thinLensV(f, nearDist) / std::exp(ln)));
    };
    QCOMPARE(
        int(FocusPlanner::stack(f, n, nearDist, farFor(range), c, false, overlap).frames.size()),
        count);
    QCOMPARE(int(FocusPlanner::stack(f, n, nearDist, farFor(range * 1.000001), c, false, overlap)
                     .frames.size()),
             count + 1);
}

void TestPlanning::diffractionBeyondCocSuggestsStop_data()
{
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("suggested");
    QTest::newRow("f/32 c 0.03") << 32.0 << 0.03 << 20.0;
    QTest::newRow("f/16 c 0.0128") << 16.0 << 0.0128 << 9.0;
    QTest::newRow("at the limit") << 22.0 << K * (22.0 * (1 + 50.0 / 950.0)) << 20.0;
    QTest::newRow("f/22 c 0.03 at the marked limit") << 22.0 << K * 22.0 << 20.0;
    QTest::newRow("not even f/1") << 2.0 << 0.001 << 0.0;
}

// Diffraction alone at or over the CoC at the near end's working f-number:
// no frames, the limit c / (k (1 + m)) and the largest third stop below it,
// which does plan.
void TestPlanning::diffractionBeyondCocSuggestsStop()
{
    QFETCH(double, n);
    QFETCH(double, c);
    QFETCH(double, suggested);
    const StackPlan plan = FocusPlanner::stack(50.0, n, 1000.0, 2000.0, c, true, 0.1);
    QCOMPARE(plan.status, Status::DiffractionExceedsCoc);
    QVERIFY(plan.frames.empty());
    const double m = 50.0 / (1000.0 - 50.0);
    COMPARE_REL(plan.nearMagnification, m, 1e-12);
    COMPARE_REL(plan.nearWorkingFNumber, n * (1 + m), 1e-12);
    COMPARE_REL(plan.diffractionLimit, c / (K * (1 + m)), 1e-12);
    QCOMPARE(plan.suggestedFNumber, suggested);
    if (suggested > 0)
        QCOMPARE(FocusPlanner::stack(50.0, suggested, 1000.0, 2000.0, c, true, 0.1).status,
                 Status::Ok);
    QCOMPARE(FocusPlanner::stack(50.0, n, 1000.0, 2000.0, c, false, 0.1).status, Status::Ok);
}

// Millions of frames are refused, not allocated; inputs outside the
// preconditions give an invalid plan.
void TestPlanning::absurdOrInvalidRequestsAreReported()
{
    using FocusPlanner::stack;
    QCOMPARE(stack(100.0, 1.0, 101.0, Inf, 0.0001, false, 0.1).status, Status::TooManyFrames);
    QCOMPARE(stack(50.0, 8.0, 1000.0, 2000.0, 0.03, false, 1.0).status, Status::InvalidInput);
    QCOMPARE(stack(50.0, 8.0, 50.0, 2000.0, 0.03, false, 0.1).status, Status::InvalidInput);
    QCOMPARE(stack(50.0, std::nan(""), 100.0, 200.0, 0.03, false, 0.1).status,
             Status::InvalidInput);
    QVERIFY(!FocusPlanner::optimum(50.0, 2000.0, 1000.0, 0.03).valid);
    QVERIFY(!FocusPlanner::optimum(50.0, 1000.0, 2000.0, 0.0).valid);
}

QTEST_GUILESS_MAIN(TestPlanning)
#include "tst_planning.moc"
