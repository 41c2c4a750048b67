// Times the diagram and the recomputation pass with the window shown at its
// form size, and the floor that the diagram's drawing cannot go below: the
// same segments and legend texts drawn by a bare painter.

#include "app/mainwin.h"
#include "diagram/graph.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <sstream>
#include <vector>

namespace
{

constexpr int Samples = 201;

// Median of Samples timings of one call, in microseconds.
double medianMicros(const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(Samples);
    for (int i = 0; i < Samples; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + Samples / 2, times.end());
    return times[Samples / 2];
}

// Median over Samples of the ratio of two calls timed back to back, so that
// both see the same state of a noisy machine.
double medianRatio(const std::function<void()> &a, const std::function<void()> &b)
{
    std::vector<double> ratios;
    ratios.reserve(Samples);
    for (int i = 0; i < Samples; ++i) {
        QElapsedTimer timer;
        timer.start();
        a();
        const qint64 ta = timer.nsecsElapsed();
        timer.restart();
        b();
        ratios.push_back(double(ta) / double(timer.nsecsElapsed()));
    }
    std::nth_element(ratios.begin(), ratios.begin() + Samples / 2, ratios.end());
    return ratios[Samples / 2];
}

void report(const char *what, double micros)
{
    std::printf("%-58s %10.1f us\n", what, micros);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The lens model's trace lines would swamp the figures.
    std::ostringstream sink;
    std::streambuf *const out = std::cout.rdbuf(sink.rdbuf());

    mainWin w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        std::cout.rdbuf(out);
        std::fprintf(stderr, "vorel_bench: the window was never shown\n");
        return 1;
    }
    graph *diagram = w.diagram;
    const QSize size = diagram->size();
    const QImage::Format screenFormat = diagram->grab().toImage().format();
    auto nothing = [] {};
    auto clearSink = [&sink] { sink.str(std::string()); };

    std::printf("window %dx%d, diagram %dx%d, %d samples each, medians\n", w.width(), w.height(),
                size.width(), size.height(), Samples);

    QImage screenImage(size, screenFormat);
    QImage exportImage(size, QImage::Format_ARGB32);
    auto drawInto = [diagram](QImage &image) {
        image.fill(QColor(220, 220, 220));
        QPainter painter(&image);
        diagram->drawDiagram(painter);
    };
    const double drawScreen = medianMicros(nothing, [&] { drawInto(screenImage); });
    const double drawExport = medianMicros(nothing, [&] { drawInto(exportImage); });
    // Where the time goes: the frame alone (titles, grid, labels, axes).
    w.boxC1->setChecked(false);
    w.boxC2->setChecked(false);
    const double drawFrame = medianMicros(nothing, [&] { drawInto(screenImage); });
    w.boxC1->setChecked(true);
    w.boxC2->setChecked(true);

    // The floor: both cameras' segments and six legend texts, nothing else.
    const int columns = size.width() - diagram->leftMargin - diagram->rightMargin;
    std::vector<QLine> segments;
    for (int cam = 0; cam < 2; ++cam)
        for (int c = 1; c < columns; ++c) {
            auto row = [&](int x) {
                return int(size.height() / 2 + (size.height() / 3) * std::sin(x / (40.0 + cam)));
            };
            segments.emplace_back(30 + c - 1, row(c - 1), 30 + c, row(c));
        }
    const QStringList texts = {"Camera 1:",
                               "85mm f/1.2 - Dist.: 4m - CoC: 0.0128mm",
                               "Uz(inf): 120 - DOF: [3.97 - 4.03m] - Scale: 1:46",
                               "Camera 2:",
                               "135mm f/2 - Dist.: 4m - CoC: 0.0128mm",
                               "Uz(inf): 184 - DOF: [3.98 - 4.02m] - Scale: 1:29"};
    auto floorInto = [&](QImage &image) {
        image.fill(QColor(220, 220, 220));
        QPainter painter(&image);
        QPen pen(QColor(0, 127, 0));
        pen.setWidth(0);
        painter.setPen(pen);
        painter.setFont(QFont(QStringLiteral("Arial"), 8));
        for (const QLine &l : segments)
            painter.drawLines(&l, 1);
        for (int i = 0; i < texts.size(); ++i)
            painter.drawText(QRect(size.width() - 270, 17 + 14 * i, 244, 20),
                             Qt::AlignLeft | Qt::AlignVCenter, texts[i]);
    };
    const double floorScreen = medianMicros(nothing, [&] { floorInto(screenImage); });
    const double floorExport = medianMicros(nothing, [&] { floorInto(exportImage); });
    const double ratioScreen =
        medianRatio([&] { drawInto(screenImage); }, [&] { floorInto(screenImage); });
    const double ratioExport =
        medianRatio([&] { drawInto(exportImage); }, [&] { floorInto(exportImage); });

    // run() after a focus change: recompute and repaint the whole window.
    bool flip = false;
    auto focusChange = [&] {
        flip = !flip;
        w.c1_fdist->setValue(flip ? 4.01 : 4.0);
    };
    const double runPlain = medianMicros(clearSink, focusChange);
    w.c1_calcDef->setChecked(true);
    w.c2_calcDef->setChecked(true);
    const double runDiffraction = medianMicros(clearSink, focusChange);
    w.c1_calcDef->setChecked(false);
    w.c2_calcDef->setChecked(false);

    // Two cameras that differ in all four values, so that a copy makes four
    // passes and a swap eight.
    auto differ = [&] {
        w.c1_fdist->setValue(4.0);
        w.c1_apature->setValue(1.2);
        w.c1_flength->setValue(85);
        w.c1_coc->setValue(0.0128);
        w.c2_fdist->setValue(6.0);
        w.c2_apature->setValue(5.6);
        w.c2_flength->setValue(200);
        w.c2_coc->setValue(0.02);
        clearSink();
    };
    const double copy = medianMicros(differ, [&] { w.copyR(); });
    const double swap = medianMicros(differ, [&] { w.swapLR(); });

    std::cout.rdbuf(out);
    std::printf("screen image format %d, export format %d\n", int(screenFormat),
                int(QImage::Format_ARGB32));
    report("drawDiagram, screen format", drawScreen);
    report("drawDiagram, export format (ARGB32)", drawExport);
    report("drawDiagram, both cameras off, screen format", drawFrame);
    report("floor (bare segments and legend texts), screen format", floorScreen);
    report("floor (bare segments and legend texts), export format", floorExport);
    std::printf("%-58s %10.2f\n", "drawDiagram / floor, screen format (paired)", ratioScreen);
    std::printf("%-58s %10.2f\n", "drawDiagram / floor, export format (paired)", ratioExport);
    report("run() after a focus change, both cameras", runPlain);
    report("run() after a focus change, both cameras, diffraction", runDiffraction);
    report("copyR() (four values, four passes)", copy);
    report("swapLR() (four pairs, eight passes)", swap);
    return 0;
}
