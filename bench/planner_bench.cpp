// Times what one change of an input costs the planner's Best aperture page:
// the planning, the result texts, the chart's description and its repaint,
// with the window shown at its default size. The goal is a frame, 16 ms.

#include "optics/lensmodel.h"
#include "planner/bestaperturepage.h"
#include "planner/chartview.h"
#include "planner/commoninputs.h"
#include "planner/focusstackpage.h"
#include "planner/plannerwindow.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

constexpr int Samples = 201;
constexpr double GoalMillis = 16.0;

double medianMillis(const std::function<void(int)> &work)
{
    std::vector<double> times;
    times.reserve(Samples);
    for (int i = 0; i < Samples; ++i) {
        QElapsedTimer timer;
        timer.start();
        work(i);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + Samples / 2, times.end());
    return times[Samples / 2];
}

void report(const char *what, double millis)
{
    std::printf("%-52s %8.3f ms  %s\n", what, millis,
                millis <= GoalMillis ? "within 16 ms" : "OVER 16 ms");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LensModel::trace = nullptr;
    QCoreApplication::setOrganizationName(QStringLiteral("VorelBench"));
    // The window remembers its inputs: in the bench's own settings, never
    // the user's.
    QStandardPaths::setTestModeEnabled(true);
    PlannerWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "planner_bench: the window was never shown\n");
        return 1;
    }
    QDoubleSpinBox *nearBox = window.inputs()->nearBox();
    ChartView *chart = window.bestAperture()->chart();
    std::printf("window %dx%d, chart %dx%d, %d samples each, medians\n", window.width(),
                window.height(), chart->width(), chart->height(), Samples);

    // Alternate between two values, so that every sample is a real change.
    const auto change = [&](int i) { nearBox->setValue(i % 2 ? 1.5 : 1.6); };
    report("change of Near distance, without the repaint", medianMillis(change));
    report("the same with the chart repainted", medianMillis([&](int i) {
               change(i);
               chart->repaint();
           }));
    report("Best aperture page alone, with its repaint", medianMillis([&](int i) {
               PlannerInputs in = window.inputs()->values();
               in.nearDist = i % 2 ? 1500 : 1600;
               window.bestAperture()->recompute(in);
               chart->repaint();
           }));

    // A long macro stack: the Focus stack page fills its table anew.
    FocusStackPage *stack = window.focusStack();
    window.pages()->setCurrentWidget(stack);
    window.inputs()->focalBox()->setValue(100);
    window.inputs()->cocBox()->setValue(0.01);
    window.inputs()->farBox()->setValue(3);
    window.inputs()->nearBox()->setValue(0.3);
    stack->apertureBox()->setValue(2.8);
    std::printf("a stack of %d frames:\n", int(stack->plan().frames.size()));
    report("change of Aperture, the stack replanned and repainted", medianMillis([&](int i) {
               stack->apertureBox()->setValue(i % 2 ? 2.8 : 2.9);
               stack->repaint();
           }));
    window.pages()->setCurrentWidget(window.bestAperture());
    report("with that stack out of view, a change of Near distance", medianMillis([&](int i) {
               nearBox->setValue(i % 2 ? 0.3 : 0.31);
               chart->repaint();
           }));
    return 0;
}
