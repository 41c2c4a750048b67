// Times the diagram and the recomputation pass with the window shown at its
// form size, and the floor that the diagram's drawing cannot go below: the
// same segments and legend texts drawn by a bare painter. Given the path of
// vorel-calc, it also times that program's commands as whole processes.

#include "app/graph.h"
#include "app/mainwin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// Wall time of one run of vorel-calc, start to exit, in milliseconds.
double runMillis(const QString &program, const QStringList &arguments)
{
    // Output goes where a timed command's goes, to /dev/null, so that the
    // figure is the program's and not this process's reading of a pipe.
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "vorel_bench: %s %s failed: %s\n", qPrintable(program),
                     qPrintable(arguments.join(' ')), process.readAllStandardError().constData());
        std::exit(1);
    }
    return timer.nsecsElapsed() / 1e6;
}

// vorel-calc as a user meets it: whole processes. Each command is timed
// against a reference command in back-to-back pairs; the figures are the
// medians of the single times and of the ratios.
// bare is a QCoreApplication that prints one line: the floor of any Qt Core
// program's start, against which the commands that draw nothing are judged.
void benchCalc(const QString &calc, const QString &bare, const QString &project,
               const QString &outDir)
{
    constexpr int Runs = 41;
    QStringList stops;
    for (const char *n :
         {"1",   "1.1", "1.2", "1.4", "1.6", "1.8", "2",  "2.2", "2.5", "2.8", "3.2", "3.5", "4",
          "4.5", "5",   "5.6", "6.3", "7.1", "8",   "9",  "10",  "11",  "13",  "14",  "16",  "18",
          "20",  "22",  "25",  "29",  "32",  "36",  "40", "45",  "51",  "57",  "64"})
        stops << QString::fromLatin1(n);
    QStringList distances;
    for (int i = 0; i < 100; ++i)
        distances << QString::number(0.5 + i * 0.5);
    const QStringList version = {"--version"};
    const QStringList dof = {"dof", "--focal", "85", "--aperture",
                             "1.2", "--focus", "4",  "--diffraction"};
    const QStringList table = {
        "table",       "--focal",           "50",           "--apertures", stops.join(','),
        "--distances", distances.join(','), "--diffraction"};
    const QStringList show = {"show", project};
    const QStringList png = {"render", project, outDir + "/bench.png"};
    const QStringList svg = {"render", project, outDir + "/bench.svg"};

    auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    auto pairWith = [&](const char *what, const QString &referenceProgram,
                        const QStringList &reference, const QStringList &work) {
        std::vector<double> refTimes, workTimes, ratios;
        for (int i = 0; i < Runs; ++i) {
            const double r = runMillis(referenceProgram, reference);
            const double w = runMillis(calc, work);
            refTimes.push_back(r);
            workTimes.push_back(w);
            ratios.push_back(w / r);
        }
        std::printf("%-40s %8.1f ms, reference %8.1f ms, ratio %5.2f\n", what, median(workTimes),
                    median(refTimes), median(ratios));
    };
    auto pair = [&](const char *what, const QStringList &reference, const QStringList &work) {
        pairWith(what, calc, reference, work);
    };
    std::printf("\nvorel-calc processes, %d pairs each, medians:\n", Runs);
    if (!bare.isEmpty()) {
        QStringList dofPlain = dof;
        dofPlain.removeAll(QStringLiteral("--diffraction"));
        QStringList tableJson = table;
        tableJson << QStringLiteral("--format") << QStringLiteral("json");
        QStringList tableJsonPlain = tableJson;
        tableJsonPlain.removeAll(QStringLiteral("--diffraction"));
        // The goals: dof <= 1.2 x and the JSON table with diffraction
        // <= 1.5 x the bare program.
        pairWith("dof / bare Qt Core program", bare, {}, dofPlain);
        pairWith("dof --diffraction / bare", bare, {}, dof);
        pairWith("table 100 x 37 JSON, diffraction / bare", bare, {}, tableJson);
        pairWith("table 100 x 37 JSON / bare", bare, {}, tableJsonPlain);
        pairWith("--version / bare", bare, {}, version);
    }
    // --camera against the same dof without it, the goal <= 2 x: the
    // camera database's cache in a folder of the benchmark's own, filled by
    // a first run as a user's first --camera would fill it.
    {
        qputenv("VOREL_CACHE_DIR", QFile::encodeName(outDir + "/camera-cache"));
        QStringList dofPlain = dof;
        dofPlain.removeAll(QStringLiteral("--diffraction"));
        const QStringList dofCamera = dofPlain + QStringList{"--camera", "Nikon D850"};
        runMillis(calc, dofCamera);
        pair("dof --camera \"Nikon D850\" / dof", dofPlain, dofCamera);
        pair("dof --camera \"A7 III\" / dof", dofPlain,
             dofPlain + QStringList{"--camera", "A7 III"});
    }
    // One photo against a plain dof (goal: <= 3 x), for a file with a crop
    // factor of its own and for one that needs the camera database; and
    // against ExifTool reading the same file, where it is installed.
    QStringList dofPlain = dof;
    dofPlain.removeAll(QStringLiteral("--diffraction"));
    const QString photos = QStringLiteral(VOREL_BENCH_PHOTOS);
    const QString nikon = photos + QStringLiteral("/NikonD70.jpg");
    const QString canon = photos + QStringLiteral("/Canon1DmkIII.jpg");
    pair("photo NikonD70.jpg / dof", dofPlain, {"photo", nikon});
    pair("photo Canon1DmkIII.jpg / dof", dofPlain, {"photo", canon});
    if (!outDir.isEmpty()) {
        // A Nikon D850 photo with no crop factor of its own: the crop
        // factor comes from the camera database.
        const QString stripped = outDir + QStringLiteral("/database.jpg");
        QFile::copy(photos + QStringLiteral("/Pentax.jpg"), stripped);
        QFile::setPermissions(stripped, QFile::ReadOwner | QFile::WriteOwner);
        try {
            auto image = Exiv2::ImageFactory::open(QFile::encodeName(stripped).toStdString());
            image->readMetadata();
            Exiv2::ExifData exif;
            exif["Exif.Image.Make"] = "NIKON CORPORATION";
            exif["Exif.Image.Model"] = "NIKON D850";
            exif["Exif.Photo.FocalLength"] = Exiv2::URational(50, 1);
            exif["Exif.Photo.FNumber"] = Exiv2::URational(8, 1);
            exif["Exif.Photo.SubjectDistance"] = Exiv2::URational(3, 1);
            image->setExifData(exif);
            image->writeMetadata();
            pair("photo needing the camera database / dof", dofPlain, {"photo", stripped});
        } catch (const Exiv2::AnyError &) {
        }
    }
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (!exiftool.isEmpty()) {
        pairWith("photo NikonD70.jpg / exiftool on it", exiftool, {nikon}, {"photo", nikon});
        pairWith("photo Canon1DmkIII.jpg / exiftool on it", exiftool, {canon}, {"photo", canon});
    } else {
        std::printf("exiftool not installed: no comparison with it\n");
    }
    pair("dof --diffraction / --version", version, dof);
    pair("table 100 x 37, diffraction / --version", version, table);
    pair("render to PNG / show", show, png);
    pair("render to SVG / show", show, svg);
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
    const int columns = size.width() - DiagramPainter::LeftMargin - DiagramPainter::RightMargin;
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

    // With the path of vorel-calc as its argument, time that program too;
    // a second argument names the bare Qt Core program to compare with.
    if (argc > 1) {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("bench.vlp"));
        std::cout.rdbuf(sink.rdbuf());
        const bool saved = w.saveProject(project);
        std::cout.rdbuf(out);
        if (!saved)
            return 1;
        benchCalc(QString::fromLocal8Bit(argv[1]),
                  argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(), project, dir.path());
    }
    return 0;
}
