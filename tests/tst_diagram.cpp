#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"
#include "recordingdevice.h"

#include <QtTest>

#include <cmath>
#include <memory>

// The blur diagram as drawn: grid, labels, axes, curves, sharp zones and
// legends, checked primitive by primitive on a recording device.
class TestDiagram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void widgetSitsInFrame();
    void workedExampleVerticalGrid();
    void workedExampleHorizontalGrid();
    void axesArrowsAndReferenceLine();
    void titlesAndFonts();
    void curveFollowsBlur_data();
    void curveFollowsBlur();
    void band_data();
    void band();
    void bothCamerasOffDrawNoCamera();
    void legendPlacement_data();
    void legendPlacement();
    void legendTexts_data();
    void legendTexts();
    void diffractionLegendUsesSearches();
    void legendLinesAreNeverCutOff_data();
    void legendLinesAreNeverCutOff();
    void grownLegendStaysInNarrowDiagram();
    void verticalGridAtScale_data();
    void verticalGridAtScale();
    void horizontalGridAtScale_data();
    void horizontalGridAtScale();
    void noLabelInLastSixtyPixels();
    void resizeMovesAxesNotScale();
    void tinyPlot_data();
    void tinyPlot();
    void extremeSamplesStayInRowRange_data();
    void extremeSamplesStayInRowRange();
    void paintingIsIdempotent();

private:
    struct Drawing {
        std::vector<RecordingEngine::Line> lines;
        std::vector<RecordingEngine::Rect> rects;
        std::vector<RecordingEngine::Text> texts;

        std::vector<QLine> linesIn(const QColor &colour) const;
        std::vector<int> verticalGridColumns() const;
        QStringList textsIn(const QColor &colour) const;
        // Distance labels whose centred text sits over column x (its left end
        // lies at most 15 pixels left of it).
        QStringList labelsAt(int x, int y0) const;
        std::vector<RecordingEngine::Rect> bands() const;
        std::vector<RecordingEngine::Rect> legendBoxes() const;
    };
    Drawing draw(int width = 800, int height = 400);
    void camerasOn(bool one, bool two);
    QImage render(int width, int height);

    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<mainWin> w;
    std::unique_ptr<graph> g;
};

namespace
{
const QColor Green(0, 127, 0);
const QColor Blue(0, 0, 127);
const QColor Black(0, 0, 0);
const QColor Grey(200, 200, 200);
constexpr int L = 30;
constexpr int R = 10;
constexpr int T = 10;
constexpr int B = 30;

bool sameRgb(const QColor &a, const QColor &b)
{
    return a.rgb() == b.rgb();
}
} // namespace

std::vector<QLine> TestDiagram::Drawing::linesIn(const QColor &colour) const
{
    std::vector<QLine> out;
    for (const auto &l : lines)
        if (l.pen.color() == colour)
            out.push_back(l.line);
    return out;
}

std::vector<int> TestDiagram::Drawing::verticalGridColumns() const
{
    std::vector<int> columns;
    for (const QLine &l : linesIn(Grey))
        if (l.x1() == l.x2())
            columns.push_back(l.x1() - L);
    return columns;
}

QStringList TestDiagram::Drawing::textsIn(const QColor &colour) const
{
    QStringList out;
    for (const auto &t : texts)
        if (t.pen.color() == colour)
            out << t.text;
    return out;
}

QStringList TestDiagram::Drawing::labelsAt(int x, int y0) const
{
    QStringList out;
    for (const auto &t : texts)
        if (t.pos.x() >= x - 15 && t.pos.x() <= x && t.pos.y() > y0 + 5 && t.pos.y() <= y0 + 17)
            out << t.text;
    return out;
}

std::vector<RecordingEngine::Rect> TestDiagram::Drawing::bands() const
{
    std::vector<RecordingEngine::Rect> out;
    for (const auto &r : rects)
        if (r.pen.color().alpha() == 0)
            out.push_back(r);
    return out;
}

std::vector<RecordingEngine::Rect> TestDiagram::Drawing::legendBoxes() const
{
    std::vector<RecordingEngine::Rect> out;
    for (const auto &r : rects)
        if (r.pen.color() == Black)
            out.push_back(r);
    return out;
}

void TestDiagram::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    // A diagram of its own, outside any layout, so its size is the test's.
    g = std::make_unique<graph>();
    g->setMainWin(w.get());
}

void TestDiagram::cleanup()
{
    g.reset();
    w.reset();
    quiet.reset();
}

TestDiagram::Drawing TestDiagram::draw(int width, int height)
{
    g->resize(width, height);
    RecordingDevice device(width, height);
    {
        QPainter painter(&device);
        g->drawDiagram(painter);
    }
    RecordingEngine &r = device.record();
    return {r.lines, r.rects, r.texts};
}

void TestDiagram::camerasOn(bool one, bool two)
{
    w->boxC1->setChecked(one);
    w->boxC2->setChecked(two);
}

QImage TestDiagram::render(int width, int height)
{
    g->resize(width, height);
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    g->drawDiagram(painter);
    return image;
}

// The window's own diagram lives in the frame, through a layout without
// spacing, and paints nothing behind the drawing itself.
void TestDiagram::widgetSitsInFrame()
{
    QCOMPARE(w->diagram->parentWidget(), w->frame);
    auto *layout = qobject_cast<QGridLayout *>(w->frame->layout());
    QVERIFY(layout);
    QCOMPARE(layout->spacing(), 0);
    QCOMPARE(w->diagram->win, w.get());
    QVERIFY(!w->diagram->autoFillBackground());
}

// Form defaults: S = 16, LB = 1 m, lines at columns 63, 125, 188 with 2, 3, 4.
void TestDiagram::workedExampleVerticalGrid()
{
    const Drawing d = draw();
    const std::vector<int> columns = d.verticalGridColumns();
    QVERIFY(columns.size() >= 3);
    QCOMPARE(columns[0], 63);
    QCOMPARE(columns[1], 125);
    QCOMPARE(columns[2], 188);
    const int y0 = 400 - B;
    for (const QLine &l : d.linesIn(Grey))
        if (l.x1() == l.x2()) {
            QCOMPARE(l.y1(), y0 + 3);
            QCOMPARE(l.y2(), T + 10);
        }
    QCOMPARE(d.labelsAt(L + 63, y0), QStringList{"2"});
    QCOMPARE(d.labelsAt(L + 125, y0), QStringList{"3"});
    QCOMPARE(d.labelsAt(L + 188, y0), QStringList{"4"});
}

// K = 2: a line every 10 units, 20 pixels apart, up to 94 % of the plot.
void TestDiagram::workedExampleHorizontalGrid()
{
    camerasOn(false, false);
    const Drawing d = draw();
    const int y0 = 400 - B;
    std::vector<int> rows;
    for (const QLine &l : d.linesIn(Grey))
        if (l.y1() == l.y2()) {
            QCOMPARE(l.x1(), L - 3);
            QCOMPARE(l.x2(), 800 - R - 5);
            rows.push_back(l.y1());
        }
    // Plot height 360: Umax = 169.2, so 0 ... 160.
    QCOMPARE(int(rows.size()), 17);
    for (int n = 0; n < 17; ++n)
        QCOMPARE(rows[n], y0 - 20 * n);
    const QStringList texts = d.textsIn(Black);
    for (int n = 0; n < 17; ++n)
        QVERIFY2(texts.contains(QString::number(10 * n)), qPrintable(QString::number(10 * n)));
    QVERIFY(!texts.contains("170"));
}

void TestDiagram::axesArrowsAndReferenceLine()
{
    const Drawing d = draw();
    const std::vector<QLine> black = d.linesIn(Black);
    const int y0 = 370;
    const QLine expected[] = {
        {L, y0, 790, y0},      {790, y0, 780, y0 - 5}, {790, y0, 780, y0 + 5},  {L, y0, L, T},
        {L, T, L - 5, T + 10}, {L, T, L + 5, T + 10},  {L, y0 - 2, 785, y0 - 2}};
    for (const QLine &e : expected)
        QVERIFY2(
            std::find(black.begin(), black.end(), e) != black.end(),
            qPrintable(QString("%1,%2 %3,%4").arg(e.x1()).arg(e.y1()).arg(e.x2()).arg(e.y2())));
    QCOMPARE(int(black.size()), 7);
}

// Axis titles, the two-coloured title, and the fonts they use.
void TestDiagram::titlesAndFonts()
{
    const Drawing d = draw();
    auto find = [&d](const QString &text) {
        for (const auto &t : d.texts)
            if (t.text == text)
                return t;
        return RecordingEngine::Text{};
    };
    QCOMPARE(find("U  [-]").pos, QPointF(2, 12));
    QCOMPARE(find("z").pos, QPointF(9, 14));
    QCOMPARE(find("Distance [m]").pos, QPointF(800 - 62, 400 - 12));
    const auto v = find("V");
    QCOMPARE(v.pos, QPointF(390, 12));
    QVERIFY(sameRgb(v.pen.color(), Blue));
    QCOMPARE(v.font.family(), QString("Arial"));
    QCOMPARE(v.font.pointSize(), 10);
    const auto rest = find("orel");
    QCOMPARE(rest.pos, QPointF(398, 12));
    QVERIFY(sameRgb(rest.pen.color(), Black));
    QCOMPARE(find("Distance [m]").font.pointSize(), 8);
    QCOMPARE(find("Camera 1:").font.pointSize(), 8);
    QCOMPARE(find("Camera 1:").font.family(), QString("Arial"));
}

void TestDiagram::curveFollowsBlur_data()
{
    QTest::addColumn<int>("camera");
    QTest::addColumn<bool>("diffraction");
    QTest::newRow("camera 1") << 1 << false;
    QTest::newRow("camera 2") << 2 << false;
    QTest::newRow("camera 1, diffraction") << 1 << true;
    QTest::newRow("camera 2, diffraction") << 2 << true;
}

// One segment per column from the lens's own blur values.
void TestDiagram::curveFollowsBlur()
{
    QFETCH(int, camera);
    QFETCH(bool, diffraction);
    (camera == 1 ? w->c1_calcDef : w->c2_calcDef)->setChecked(diffraction);
    (camera == 1 ? w->c1_apature : w->c2_apature)->setValue(16);
    const LensModel &lens = camera == 1 ? w->c1_lens : w->c2_lens;
    const Drawing d = draw();
    const std::vector<QLine> curve = d.linesIn(camera == 1 ? Green : Blue);
    const int pw = 800 - L - R;
    QCOMPARE(int(curve.size()), pw - 1);
    auto row = [&lens, diffraction](int c) {
        return int(std::trunc(370 - 2 * lens.blur(1000 + 16 * c, diffraction ? 1 : 0)));
    };
    for (int c = 1; c < pw; ++c)
        QCOMPARE(curve[c - 1], QLine(L + c - 1, row(c - 1), L + c, row(c)));
}

void TestDiagram::band_data()
{
    QTest::addColumn<double>("fdist");
    QTest::addColumn<double>("flength");
    QTest::addColumn<double>("apature");
    QTest::addColumn<double>("coc");
    QTest::addColumn<QString>("kind");
    QTest::newRow("from column 0") << 1.0 << 85.0 << 1.2 << 0.0128 << "start";
    QTest::newRow("to the right edge") << 10.0 << 50.0 << 16.0 << 0.03 << "open";
    QTest::newRow("inside") << 4.0 << 85.0 << 8.0 << 0.03 << "inside";
    QTest::newRow("none") << 4.0 << 85.0 << 1.2 << 0.0001 << "none";
}

// The band covers the sampled sharp zone; it runs on past the widget while
// the curve stays sharp.
void TestDiagram::band()
{
    QFETCH(double, fdist);
    QFETCH(double, flength);
    QFETCH(double, apature);
    QFETCH(double, coc);
    QFETCH(QString, kind);
    camerasOn(true, false);
    w->c1_fdist->setValue(fdist);
    w->c1_flength->setValue(flength);
    w->c1_apature->setValue(apature);
    w->c1_coc->setValue(coc);
    const Drawing d = draw();
    const auto bands = d.bands();
    if (kind == "none") {
        QCOMPARE(int(bands.size()), 0);
        return;
    }
    QCOMPARE(int(bands.size()), 1);
    const RecordingEngine::Rect band = bands[0];
    QCOMPARE(band.brush.color(), QColor(0, 127, 0, 20));
    QCOMPARE(band.brush.style(), Qt::SolidPattern);
    QCOMPARE(band.rect.y(), T + 10);
    QCOMPARE(band.rect.height(), 400 - T - B - 10);

    int firstSharp = -1;
    int firstBlurredAfter = -1;
    for (int c = 0; c < 760; ++c) {
        const bool sharp = w->c1_lens.blur(1000 + 16 * c, 0) <= 1;
        if (sharp && firstSharp < 0)
            firstSharp = c;
        if (!sharp && firstSharp >= 0 && firstBlurredAfter < 0)
            firstBlurredAfter = c;
    }
    QVERIFY(firstSharp >= 0);
    if (kind == "start") {
        QCOMPARE(firstSharp, 0);
        QCOMPARE(band.rect.x(), L);
    } else {
        QVERIFY(firstSharp > 0);
        QCOMPARE(band.rect.x(), L + firstSharp - 1);
    }
    if (kind == "open") {
        QCOMPARE(firstBlurredAfter, -1);
        QCOMPARE(band.rect.x() + band.rect.width(), L + 99999);
    } else {
        QVERIFY(firstBlurredAfter > 0);
        QCOMPARE(band.rect.x() + band.rect.width(), L + firstBlurredAfter);
    }
}

// Without cameras only titles, grid, labels, axes and U = 1 remain.
void TestDiagram::bothCamerasOffDrawNoCamera()
{
    camerasOn(false, false);
    const Drawing d = draw();
    QVERIFY(d.linesIn(Green).empty());
    QVERIFY(d.linesIn(Blue).empty());
    QVERIFY(d.rects.empty());
    for (const auto &t : d.texts)
        QVERIFY(!t.text.contains("Camera") && !t.text.contains("DOF"));
    QVERIFY(!d.linesIn(Grey).empty());
    QCOMPARE(int(d.linesIn(Black).size()), 7);
}

void TestDiagram::legendPlacement_data()
{
    QTest::addColumn<bool>("one");
    QTest::addColumn<bool>("two");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<QList<int>>("cameras");
    QTest::newRow("both, stacked") << true << true << QList<int>{17, 54} << QList<int>{1, 2};
    QTest::newRow("only camera 1") << true << false << QList<int>{17} << QList<int>{1};
    QTest::newRow("only camera 2 on top") << false << true << QList<int>{17} << QList<int>{2};
}

void TestDiagram::legendPlacement()
{
    QFETCH(bool, one);
    QFETCH(bool, two);
    QFETCH(QList<int>, tops);
    QFETCH(QList<int>, cameras);
    camerasOn(one, two);
    const Drawing d = draw();
    const auto boxes = d.legendBoxes();
    QCOMPARE(int(boxes.size()), tops.size());
    for (int i = 0; i < tops.size(); ++i) {
        QCOMPARE(boxes[i].rect, QRect(800 - R - 320, tops[i], 320, 32));
        QCOMPARE(boxes[i].pen.color().alpha(), 255);
        const QColor shade = cameras[i] == 1 ? QColor(0, 127, 0, 20) : QColor(0, 0, 127, 20);
        QCOMPARE(boxes[i].brush.color(), shade);
    }
    // Each legend's title sits on its box's first line.
    for (int i = 0; i < tops.size(); ++i) {
        const QString title = QString("Camera %1:").arg(cameras[i]);
        bool found = false;
        for (const auto &t : d.texts)
            if (t.text == title) {
                found = true;
                QVERIFY(t.pos.y() > tops[i] && t.pos.y() <= tops[i] + 20);
                QVERIFY(t.pos.x() >= 800 - R - 312);
            }
        QVERIFY(found);
    }
}

void TestDiagram::legendTexts_data()
{
    QTest::addColumn<int>("camera");
    QTest::addColumn<double>("fdist");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("limits");
    QTest::newRow("camera 1") << 1 << 4.0 << "85mm f/1.2 - Dist.: 4m - CoC: 0.0128mm"
                              << "Uz(inf): 120 - DOF: [3.97 - 4.03m] - Scale: 1:46";
    QTest::newRow("camera 2") << 2 << 4.0 << "135mm f/2 - Dist.: 4m - CoC: 0.0128mm"
                              << "Uz(inf): 184 - DOF: [3.98 - 4.02m] - Scale: 1:29";
    QTest::newRow("infinite far limit") << 1 << 500.0 << "85mm f/1.2 - Dist.: 500m - CoC: 0.0128mm"
                                        << "Uz(inf): 0.89 - DOF: [242.39 - inf. m] - Scale: 1:5881";
}

void TestDiagram::legendTexts()
{
    QFETCH(int, camera);
    QFETCH(double, fdist);
    QFETCH(QString, settings);
    QFETCH(QString, limits);
    (camera == 1 ? w->c1_fdist : w->c2_fdist)->setValue(fdist);
    const Drawing d = draw();
    const QStringList texts = d.textsIn(Black);
    QVERIFY2(texts.contains(settings), qPrintable(texts.join(" | ")));
    QVERIFY2(texts.contains(limits), qPrintable(texts.join(" | ")));
}

// With diffraction the limits come from the searches, not the closed form.
void TestDiagram::diffractionLegendUsesSearches()
{
    camerasOn(true, false);
    w->c1_flength->setValue(50);
    w->c1_apature->setValue(22);
    w->c1_coc->setValue(0.03);
    w->c1_fdist->setValue(3);
    const QString without = draw().textsIn(Black).filter("DOF").value(0);
    w->c1_calcDef->setChecked(true);
    const QString with = draw().textsIn(Black).filter("DOF").value(0);
    const LensModel &lens = w->c1_lens;
    const QString dof = QString("DOF: [%1 - %2m]")
                            .arg(lens.nearLimitDiffraction() / 1000, 0, 'f', 2)
                            .arg(lens.farLimitDiffraction() / 1000, 0, 'f', 2);
    QVERIFY2(with.contains(dof), qPrintable(with + " / " + dof));
    QVERIFY(with != without);
}

void TestDiagram::legendLinesAreNeverCutOff_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QList<double>>("camera"); // focal length, f-number, focus (m), CoC
    QTest::addColumn<QString>("expected");

    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char *name;
        QList<double> camera;
        const char *expected;
    } rows[] = {
        {"30 mm at 30 m", {30, 1.6, 30, 0.0128}, "1:999"},
        {"600 mm at 30 m", {600, 4, 30, 0.03}, "1:49"},
        {"600 mm at 99999 m", {600, 0.7, 99999, 0.0001}, "1:166664"},
        {"5000 mm at 12345.67 m", {5000, 0.7, 12345.67, 0.0001}, "1:2468"},
    };
    for (const auto &row : rows) {
        QTest::addRow("C, %s", row.name) << QLocale::c() << row.camera << row.expected;
        QTest::addRow("de, %s", row.name) << german << row.camera << row.expected;
    }
}

// Every legend line is drawn whole inside its box, however long its
// numbers; the box grows to the left for it, in the window and at the
// size that render draws.
void TestDiagram::legendLinesAreNeverCutOff()
{
    QFETCH(QLocale, locale);
    QFETCH(QList<double>, camera);
    QFETCH(QString, expected);

    QTranslator german;
    if (locale.language() == QLocale::German) {
        QVERIFY(german.load(locale, "vorel", "_", ":/i18n"));
        QCoreApplication::installTranslator(&german);
    }
    w->c2_flength->setValue(camera[0]);
    w->c2_apature->setValue(camera[1]);
    w->c2_fdist->setValue(camera[2]);
    w->c2_coc->setValue(camera[3]);
    w->c1_flength->setValue(camera[0]);
    w->c1_apature->setValue(camera[1]);
    w->c1_fdist->setValue(camera[2]);
    w->c1_coc->setValue(camera[3]);

    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    for (graph *diagram : {w->diagram, g.get()}) {
        const QSize size = diagram == g.get() ? QSize(1174, 316) : diagram->size();
        RecordingDevice device(size.width(), size.height());
        {
            QPainter painter(&device);
            diagram->drawDiagram(painter, size);
        }
        const RecordingEngine &r = device.record();
        Drawing d{r.lines, r.rects, r.texts};
        const auto boxes = d.legendBoxes();
        QCOMPARE(int(boxes.size()), 2);
        int checked = 0;
        for (const auto &t : r.texts) {
            const QRectF extent(t.pos.x(), t.pos.y() - 10,
                                QFontMetricsF(t.font, &device).horizontalAdvance(t.text), 10);
            for (const auto &box : boxes) {
                if (!box.rect.contains(t.pos.toPoint()))
                    continue;
                ++checked;
                QVERIFY2(t.clip.isNull() ||
                             (t.clip.left() <= extent.left() && t.clip.right() >= extent.right()),
                         qPrintable(t.text));
                QVERIFY2(extent.left() >= box.rect.left() && extent.right() <= box.rect.right(),
                         qPrintable(t.text));
                // The box keeps its right edge and stays within the diagram.
                QCOMPARE(box.rect.right(), size.width() - R - 1);
                QVERIFY(box.rect.left() >= 0);
            }
        }
        QCOMPARE(checked, 6);
        QVERIFY(d.textsIn(Black).filter(expected).size() == 2);
    }
    QCoreApplication::removeTranslator(&german);
}

// In a diagram too narrow for the grown box, the box reaches the left edge
// and no further.
void TestDiagram::grownLegendStaysInNarrowDiagram()
{
    w->c1_flength->setValue(5000);
    w->c1_apature->setValue(0.7);
    w->c1_fdist->setValue(12345.67);
    w->c1_coc->setValue(0.0001);
    camerasOn(true, false);
    const Drawing d = draw(350, 200);
    const auto boxes = d.legendBoxes();
    QCOMPARE(int(boxes.size()), 1);
    QCOMPARE(boxes[0].rect.left(), 0);
    QCOMPARE(boxes[0].rect.right(), 350 - R - 1);
}

void TestDiagram::verticalGridAtScale_data()
{
    QTest::addColumn<int>("xscale");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("label");
    QTest::newRow("S=1 every 10 mm, unlabelled") << 50 << 10 << "";
    QTest::newRow("S=1 labelled every 100 mm") << 50 << 100 << "1.1";
    QTest::newRow("S=5 every 100 mm") << 46 << 20 << "1.1";
    QTest::newRow("S=11 at 1.5 m") << 40 << 46 << "1.5";
    QTest::newRow("S=11, 10 mm past 5.5 m") << 40 << 410 << "";
    QTest::newRow("S=12 every metre") << 39 << 84 << "2";
    QTest::newRow("S=50 every metre") << 1 << 20 << "2";
}

// A grid line at the column where a multiple of the period is passed, and
// a label only where the label rule allows.
void TestDiagram::verticalGridAtScale()
{
    QFETCH(int, xscale);
    QFETCH(int, column);
    QFETCH(QString, label);
    w->qxscale->setValue(xscale);
    const Drawing d = draw();
    const std::vector<int> columns = d.verticalGridColumns();
    QVERIFY(std::find(columns.begin(), columns.end(), column) != columns.end());
    QVERIFY(std::find(columns.begin(), columns.end(), column - 1) == columns.end());
    const QStringList labels = d.labelsAt(L + column, 370);
    QCOMPARE(labels, label.isEmpty() ? QStringList() : QStringList{label});
}

void TestDiagram::horizontalGridAtScale_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("secondRow");
    QTest::addColumn<QString>("label");
    QTest::newRow("K=1") << 1 << 360 << "10";
    QTest::newRow("K=3") << 3 << 355 << "5";
    QTest::newRow("K=7") << 7 << 352 << "2.5";
    QTest::newRow("K=12") << 12 << 358 << "1";
    QTest::newRow("K=51") << 51 << 344 << "0.5";
}

void TestDiagram::horizontalGridAtScale()
{
    QFETCH(int, k);
    QFETCH(int, secondRow);
    QFETCH(QString, label);
    w->qyscale->setValue(k);
    const Drawing d = draw();
    std::vector<int> rows;
    for (const QLine &l : d.linesIn(Grey))
        if (l.y1() == l.y2())
            rows.push_back(l.y1());
    QVERIFY(rows.size() >= 2);
    QCOMPARE(rows[0], 370);
    QCOMPARE(rows[1], secondRow);
    QVERIFY(d.textsIn(Black).contains(label));
    // The U = 1 line follows the scale.
    const std::vector<QLine> black = d.linesIn(Black);
    QVERIFY(std::find(black.begin(), black.end(), QLine(L, 370 - k, 785, 370 - k)) != black.end());
}

// The last 60 pixels of the axis stay free of labels for "Distance [m]".
void TestDiagram::noLabelInLastSixtyPixels()
{
    const Drawing d = draw();
    const std::vector<int> columns = d.verticalGridColumns();
    QVERIFY(std::find(columns.begin(), columns.end(), 688) != columns.end());
    QVERIFY(std::find(columns.begin(), columns.end(), 750) != columns.end());
    QCOMPARE(d.labelsAt(L + 688, 370), QStringList{"12"});
    QCOMPARE(d.labelsAt(L + 750, 370), QStringList());
}

// A new size moves axes and shows more distance; the scale stays.
void TestDiagram::resizeMovesAxesNotScale()
{
    for (const QSize size : {QSize(400, 300), QSize(1000, 500)}) {
        const Drawing d = draw(size.width(), size.height());
        const int y0 = size.height() - B;
        const std::vector<QLine> black = d.linesIn(Black);
        QVERIFY(std::find(black.begin(), black.end(), QLine(L, y0, size.width() - R, y0)) !=
                black.end());
        const std::vector<int> columns = d.verticalGridColumns();
        QCOMPARE(columns.front(), 63);
        // One line per whole metre passed, at 16 mm per column.
        const int pw = size.width() - L - R;
        QCOMPARE(int(columns.size()), (1000 + (pw - 1) * 16) / 1000 - 1);
        QCOMPARE(int(d.linesIn(Green).size()), size.width() - L - R - 1);
    }
}

void TestDiagram::tinyPlot_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("verticalGrid");
    QTest::addColumn<bool>("horizontalGrid");
    QTest::newRow("plot 1 pixel wide") << 41 << 300 << false << true;
    QTest::newRow("plot 0 pixels wide") << 40 << 300 << false << true;
    QTest::newRow("plot 0 pixels high") << 400 << 40 << true << false;
    QTest::newRow("no plot at all") << 10 << 10 << false << false;
}

// Without width: no vertical grid and no curve, but the band still shows a
// sharp first sample. Without height: no horizontal grid.
void TestDiagram::tinyPlot()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, verticalGrid);
    QFETCH(bool, horizontalGrid);
    camerasOn(true, false);
    w->c1_fdist->setValue(1.0);
    const Drawing d = draw(width, height);
    bool anyVertical = false;
    bool anyHorizontal = false;
    for (const QLine &l : d.linesIn(Grey)) {
        anyVertical |= l.x1() == l.x2();
        anyHorizontal |= l.y1() == l.y2();
    }
    QCOMPARE(anyVertical, verticalGrid);
    QCOMPARE(anyHorizontal, horizontalGrid);
    if (!verticalGrid)
        QVERIFY(d.linesIn(Green).empty());
    QCOMPARE(int(d.bands().size()), 1);
    QCOMPARE(d.bands()[0].rect.x(), L);
}

void TestDiagram::extremeSamplesStayInRowRange_data()
{
    QTest::addColumn<double>("fdist");
    QTest::addColumn<double>("flength");
    QTest::addColumn<double>("border");
    QTest::addColumn<int>("yscale");
    QTest::newRow("focus 0") << 0.0 << 85.0 << 1.0 << 100;
    QTest::newRow("border inside the focal length") << 4.0 << 5000.0 << 1.0 << 100;
    QTest::newRow("border on the focal length") << 4.0 << 1000.0 << 1.0 << 100;
    QTest::newRow("far border") << 99999.0 << 1.0 << 99999.0 << 1;
}

// Samples at or inside the focal length stay within a few heights of the
// widget; an undefined one is drawn at the top and never counts as sharp.
void TestDiagram::extremeSamplesStayInRowRange()
{
    QFETCH(double, fdist);
    QFETCH(double, flength);
    QFETCH(double, border);
    QFETCH(int, yscale);
    camerasOn(true, false);
    w->c1_flength->setValue(flength);
    w->DSB_leftBorder->setMinimum(0);
    w->DSB_leftBorder->setValue(border);
    w->c1_fdist->setValue(fdist);
    w->qyscale->setValue(yscale);
    const Drawing d = draw();
    const std::vector<QLine> curve = d.linesIn(Green);
    QCOMPARE(int(curve.size()), 759);
    for (const QLine &l : curve) {
        QVERIFY(l.y1() >= -4 * 400 && l.y1() <= 5 * 400);
        QVERIFY(l.y2() >= -4 * 400 && l.y2() <= 5 * 400);
    }
}

// Two paints without a change give the same pixels.
void TestDiagram::paintingIsIdempotent()
{
    const QImage first = render(600, 300);
    const QImage second = render(600, 300);
    QCOMPARE(first, second);
    QCOMPARE(first.pixelColor(5, 295), QColor(Qt::white));
}

QTEST_MAIN(TestDiagram)
#include "tst_diagram.moc"
