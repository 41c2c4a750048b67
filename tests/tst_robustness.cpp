#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"

#include <QtTest>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

// Random changes of every connected control, each followed by a paint of the
// shown window: nothing may crash or trip the sanitizers, whatever the
// values (ends of the ranges included).
class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void randomChangesPaintCleanly();
};

namespace
{

constexpr quint32 Seed = 20240604;
constexpr int Steps = 2000;

// The step under way, reported when a sanitizer aborts the run.
volatile std::sig_atomic_t currentStep = -1;

extern "C" void reportStep(int)
{
    char line[64];
    const int n =
        std::snprintf(line, sizeof line, "aborted at seed %u, step %d\n", Seed, int(currentStep));
    if (n > 0)
        (void)!write(STDERR_FILENO, line, std::size_t(n));
    std::signal(SIGABRT, SIG_DFL);
    std::raise(SIGABRT);
}

// A value in [lo, hi]: often an end, otherwise spread evenly or, to reach
// the small values of wide ranges, evenly on a log scale.
double pick(QRandomGenerator &rng, double lo, double hi)
{
    const int kind = rng.bounded(6);
    if (kind == 0)
        return lo;
    if (kind == 1)
        return hi;
    if (kind <= 3 || lo <= 0) {
        if (kind == 2 && lo <= 0)
            return rng.bounded(10.0);
        return lo + rng.bounded(hi - lo);
    }
    return lo * std::pow(hi / lo, rng.bounded(1.0));
}

void spin(QRandomGenerator &rng, QDoubleSpinBox *box)
{
    box->setValue(pick(rng, box->minimum(), box->maximum()));
}

void slider(QRandomGenerator &rng, QAbstractSlider *s)
{
    const int kind = rng.bounded(4);
    s->setValue(kind == 0   ? s->minimum()
                : kind == 1 ? s->maximum()
                            : s->minimum() + rng.bounded(s->maximum() - s->minimum() + 1));
}

void toggle(QRandomGenerator &rng, QAbstractButton *b)
{
    b->setChecked(rng.bounded(2) == 1);
}

} // namespace

void TestRobustness::randomChangesPaintCleanly()
{
    CoutCapture quiet;
    mainWin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QRandomGenerator rng(Seed);
    qInfo("seed %u, %d steps", Seed, Steps);
    // No painter or layout complaint either (the offscreen platform has one
    // of its own about size hints).
    QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support)"));
    std::signal(SIGABRT, reportStep);

    const std::vector<std::function<void()>> changes = {
        [&] { spin(rng, w.c1_fdist); },
        [&] { spin(rng, w.c2_fdist); },
        [&] { spin(rng, w.c1_apature); },
        [&] { spin(rng, w.c2_apature); },
        [&] { spin(rng, w.c1_flength); },
        [&] { spin(rng, w.c2_flength); },
        [&] { spin(rng, w.c1_coc); },
        [&] { spin(rng, w.c2_coc); },
        [&] { spin(rng, w.DSB_leftBorder); },
        [&] { slider(rng, w.SB_leftBorder); },
        [&] { slider(rng, w.qxscale); },
        [&] { slider(rng, w.qyscale); },
        [&] { toggle(rng, w.c1_calcDef); },
        [&] { toggle(rng, w.c2_calcDef); },
        [&] { w.boxC1->setChecked(rng.bounded(2) == 1); },
        [&] { w.boxC2->setChecked(rng.bounded(2) == 1); },
        [&] { (rng.bounded(2) ? w.distanceFP : w.distanceCam)->setChecked(true); },
        [&] { w.c1_cocSet->setCurrentIndex(rng.bounded(3)); },
        [&] { w.c2_cocSet->setCurrentIndex(rng.bounded(3)); },
        [&] { w.c1_set_Hyper->click(); },
        [&] { w.c2_set_Hyper->click(); },
        [&] { w.copyL(); },
        [&] { w.copyR(); },
        [&] { w.swapLR(); },
        [&] { w.setC1CocPS(); },
        [&] { w.setC2CocCF(); },
    };

    for (int step = 0; step < Steps; ++step) {
        currentStep = step;
        const int which = rng.bounded(int(changes.size()));
        changes[which]();
        w.repaint();
        // The paint must leave the diagram where the window shows it.
        if (w.diagram->win != &w || w.diagram->width() <= 0)
            QFAIL(
                qPrintable(QString("seed %1, step %2, change %3").arg(Seed).arg(step).arg(which)));
    }
    std::signal(SIGABRT, SIG_DFL);
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
