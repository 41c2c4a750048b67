#include "coutcapture.h"
#include "optics/lensmodel.h"
#include "planning/focusplanner.h"

#include <QtTest>

#include <cmath>
#include <limits>

using FocusPlanner::StackPlan;
using Status = FocusPlanner::StackPlan::Status;

static constexpr double Inf = std::numeric_limits<double>::infinity();
static constexpr double K = 0.001342;

// The lens model's blur at x for one camera, the reference for every limit.
static double lensBlur(double focus, double n, double f, double c, double x, bool diffraction)
{
    CoutCapture quiet;
    LensModel m;
    m.init(focus, n, f, c);
    return m.blur(x, diffraction ? 1 : 0);
}

static double thinLensV(double f, double x)
{
    return 1.0 / (1.0 / f - 1.0 / x);
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
    void optimumAgreesWithLensModel_data();
    void optimumAgreesWithLensModel();
    void stackLimitsAreSharpAndMinimal_data();
    void stackLimitsAreSharpAndMinimal();
    void exactFitAddsNoFrame_data();
    void exactFitAddsNoFrame();
    void diffractionBeyondCocSuggestsStop_data();
    void diffractionBeyondCocSuggestsStop();
    void absurdOrInvalidRequestsAreReported();
};

void TestPlanning::optimumAgreesWithLensModel_data()
{
    QTest::addColumn<Shot>("shot");
    QTest::addColumn<bool>("sharp");
    QTest::newRow("50mm 3-10 m") << Shot{50, 0, 3000, 10000, 0.03, true, 0} << true;
    QTest::newRow("24mm 1 m-inf") << Shot{24, 0, 1000, Inf, 0.03, true, 0} << true;
    QTest::newRow("100mm macro") << Shot{100, 0, 300, 320, 0.02, true, 0} << false;
    QTest::newRow("600mm 20 m-inf") << Shot{600, 0, 20000, Inf, 0.03, true, 0} << false;
}

// Focus at the harmonic mean; the predicted worst blur is the lens model's at
// both ends, smallest at N*; the sharp interval ends at blur 1; what would
// help brings the best blur down to exactly 1.
void TestPlanning::optimumAgreesWithLensModel()
{
    QFETCH(Shot, shot);
    QFETCH(bool, sharp);
    const double f = shot.f, nearDist = shot.nearDist, farDist = shot.farDist, c = shot.c;
    const FocusPlanner::OptimumPlan plan = FocusPlanner::optimum(f, nearDist, farDist, c);
    QVERIFY(plan.valid);
    const double vn = thinLensV(f, nearDist), vf = thinLensV(f, farDist);
    COMPARE_REL(thinLensV(f, plan.focus), 2.0 / (1.0 / vn + 1.0 / vf), 1e-12);
    COMPARE_REL(plan.bestFNumber, std::sqrt(f * (vn - vf) / (vn + vf) / K), 1e-12);
    for (const double x : {nearDist, farDist})
        COMPARE_REL(lensBlur(plan.focus, plan.bestFNumber, f, c, x, true), plan.bestBlur, 1e-9);
    QCOMPARE(int(plan.stops.size()), 37);
    for (const FocusPlanner::StopBlur &s : plan.stops) {
        COMPARE_REL(lensBlur(plan.focus, s.fNumber, f, c, nearDist, true), s.worstBlur, 1e-9);
        QVERIFY(s.worstBlur >= plan.bestBlur * (1.0 - 1e-12));
    }
    QCOMPARE(plan.hasSharpRange, sharp);
    if (sharp) {
        COMPARE_REL(lensBlur(plan.focus, plan.sharpFrom, f, c, nearDist, true), 1.0, 1e-9);
        COMPARE_REL(lensBlur(plan.focus, plan.sharpTo, f, c, farDist, true), 1.0, 1e-9);
    } else {
        COMPARE_REL(FocusPlanner::optimum(f, nearDist, farDist, plan.smallestCoc).bestBlur, 1.0,
                    1e-9);
        COMPARE_REL(FocusPlanner::optimum(f, nearDist, plan.farthestFar, c).bestBlur, 1.0, 1e-9);
        COMPARE_REL(FocusPlanner::optimum(f, plan.nearestNear, farDist, c).bestBlur, 1.0, 1e-9);
    }
}

void TestPlanning::stackLimitsAreSharpAndMinimal_data()
{
    QTest::addColumn<Shot>("shot");
    QTest::newRow("macro") << Shot{100, 8, 300, 400, 0.03, false, 0.1};
    QTest::newRow("macro diffraction") << Shot{100, 8, 300, 400, 0.03, true, 0.1};
    QTest::newRow("to inf diffraction") << Shot{24, 11, 300, Inf, 0.03, true, 0.1};
    QTest::newRow("overlap 0") << Shot{100, 4, 500, 2000, 0.02, false, 0.0};
    QTest::newRow("overlap 0.9") << Shot{50, 5.6, 1000, 5000, 0.03, true, 0.9};
    QTest::newRow("one frame to inf") << Shot{24, 8, 2000, Inf, 0.03, false, 0.1};
    QTest::newRow("one frame") << Shot{50, 11, 3000, 5000, 0.03, true, 0.5};
}

// Every limit has blur 1; the ends are the range's; neighbours overlap
// enough; one frame fewer could not cover; one frame focuses as the optimum.
void TestPlanning::stackLimitsAreSharpAndMinimal()
{
    QFETCH(Shot, shot);
    const auto [f, n, nearDist, farDist, c, diffraction, overlap] = shot;
    const StackPlan plan = FocusPlanner::stack(f, n, nearDist, farDist, c, diffraction, overlap);
    QCOMPARE(plan.status, Status::Ok);
    const auto &frames = plan.frames;
    const double beta = (diffraction ? std::sqrt(c * c - K * n * K * n) : c) * n / f;
    const double zone = std::log((1 + beta) / (1 - beta));
    const double range = std::log(thinLensV(f, nearDist) / thinLensV(f, farDist));
    for (const FocusPlanner::Frame &fr : frames) {
        for (const double limit : {fr.nearLimit, fr.farLimit}) {
            if (std::isfinite(limit))
                COMPARE_REL(lensBlur(fr.focus, n, f, c, limit, diffraction), 1.0, 1e-9);
        }
    }
    const std::size_t count = frames.size();
    if (count == 1) {
        QVERIFY(range <= zone);
        COMPARE_REL(frames[0].focus, FocusPlanner::optimum(f, nearDist, farDist, c).focus, 1e-12);
        return;
    }
    QCOMPARE(frames.front().nearLimit, nearDist);
    QCOMPARE(frames.back().farLimit, farDist);
    QVERIFY((count - 1) * zone - (count - 2) * overlap * zone < range);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const double shared =
            std::log(thinLensV(f, frames[i + 1].nearLimit) / thinLensV(f, frames[i].farLimit));
        QVERIFY(shared >= overlap * zone * (1 - 1e-9) - 1e-15);
    }
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
    QTest::newRow("f/32 c 0.03") << 32.0 << 0.03 << 22.0;
    QTest::newRow("f/16 c 0.0128") << 16.0 << 0.0128 << 9.0;
    QTest::newRow("at the limit") << 22.0 << K * 22.0 << 20.0;
    QTest::newRow("not even f/1") << 2.0 << 0.001 << 0.0;
}

// Diffraction alone at or over the CoC: no frames, the limit c / k and the
// largest third stop below it, which does plan.
void TestPlanning::diffractionBeyondCocSuggestsStop()
{
    QFETCH(double, n);
    QFETCH(double, c);
    QFETCH(double, suggested);
    const StackPlan plan = FocusPlanner::stack(50.0, n, 1000.0, 2000.0, c, true, 0.1);
    QCOMPARE(plan.status, Status::DiffractionExceedsCoc);
    QVERIFY(plan.frames.empty());
    COMPARE_REL(plan.diffractionLimit, c / K, 1e-12);
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
