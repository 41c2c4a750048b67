#include "app/mainwin.h"
#include "calc/calcapp.h"
#include "calc/jsonwriter.h"
#include "calccall.h"
#include "coutcapture.h"
#include "diagram/diagrammath.h"
#include "optics/lensmodel.h"
#include "planning/doffigures.h"
#include "planning/exactdof.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <limits>

// vorel-calc: its figures against the window's, the CoC options, the JSON
// documents, the refusal of bad input and the program as a process.
class TestCalc : public QObject
{
    Q_OBJECT

private slots:
    void dofMatchesLensModel_data();
    void dofMatchesLensModel();
    void asWindowEqualsTheWindow_data();
    void asWindowEqualsTheWindow();
    void exactDofByDefault();
    void tableIsExactUnlessAsWindow();
    void closeRangeTexts();
    void cocWays_data();
    void cocWays();
    void defaultCocIsTheWindows();
    void jsonKeys_data();
    void jsonKeys();
    void jsonContents();
    void jsonIsQtsIndentedForm_data();
    void jsonIsQtsIndentedForm();
    void jsonWriterMatchesQt_data();
    void jsonWriterMatchesQt();
    void showHoldsWhatTheWindowSaved();
    void showBrokenFileGivesTheWindowsReason_data();
    void showBrokenFileGivesTheWindowsReason();
    void badInputIsRefused_data();
    void badInputIsRefused();
    void helpAndVersion_data();
    void helpAndVersion();
    void optimumAdviceHoldsWhenFollowed();
    void tableCsvReadsBackAsJson();
    void tablePrintFormats_data();
    void tablePrintFormats();
    void tableTextIsAligned();
    void asProcess_data();
    void asProcess();
    void dofFraming_data();
    void dofFraming();
    void dofFramingText();
    void framingNeedsAFrame();
    void tableCellsHaveFraming();
};

namespace
{

using Result = CalcCall;

Result call(const QStringList &arguments)
{
    return callCalc(arguments);
}

QJsonObject jsonOf(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
}

QJsonObject callJson(QStringList arguments)
{
    const Result r = call(arguments << "--format"
                                    << "json");
    return r.status == 0 && r.err.isEmpty() ? jsonOf(r.out) : QJsonObject();
}

// A command line written as one string; no argument holds a blank.
QStringList words(const char *line)
{
    return QString::fromLatin1(line).split(' ', Qt::SkipEmptyParts);
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

const QStringList DofKeys =
    sorted({"focal_mm", "aperture", "focus_m", "coc_mm", "diffraction", "hyperfocal_m", "near_m",
            "far_m", "depth_m", "blur_at_infinity", "scale"});

// A limit in metres; null where the window's legend shows "inf.".
QJsonValue limit(double mm)
{
    return mm > LensModel::Infinity ? QJsonValue() : QJsonValue(mm / 1000);
}

// null where the window's button shows no hyperfocal distance.
QJsonValue hyperfocal(double mm)
{
    return LensModel::hasHyperfocal(mm) ? QJsonValue(mm / 1000) : QJsonValue();
}

} // namespace

void TestCalc::dofMatchesLensModel_data()
{
    QTest::addColumn<double>("focal");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("focus");
    QTest::addColumn<double>("coc");
    QTest::addColumn<bool>("diffraction");
    QTest::addColumn<bool>("farIsNull");
    QTest::addColumn<bool>("hyperfocalIsNull");
    QTest::newRow("50 f/2.8 3 m") << 50.0 << 2.8 << 3.0 << 0.0128 << false << false << false;
    QTest::newRow("50 f/8 beyond hyperfocal")
        << 50.0 << 8.0 << 30.0 << 0.0128 << false << true << false;
    QTest::newRow("200 f/5.6 10 m") << 200.0 << 5.6 << 10.0 << 0.03 << false << false << false;
    QTest::newRow("24 f/8 2 m diffraction")
        << 24.0 << 8.0 << 2.0 << 0.0128 << true << false << false;
    QTest::newRow("100 f/11 5 m diffraction")
        << 100.0 << 11.0 << 5.0 << 0.03 << true << false << false;
    QTest::newRow("50 f/16 diffraction exceeds CoC")
        << 50.0 << 16.0 << 3.0 << 0.0128 << true << false << true;
}

// dof --as-window gives the window's figures, by the lens model's own
// functions.
void TestCalc::dofMatchesLensModel()
{
    QFETCH(double, focal);
    QFETCH(double, aperture);
    QFETCH(double, focus);
    QFETCH(double, coc);
    QFETCH(bool, diffraction);
    QFETCH(bool, farIsNull);
    QFETCH(bool, hyperfocalIsNull);

    QStringList args = QString("dof --as-window --focal %1 --aperture %2 --focus %3 --coc %4")
                           .arg(focal)
                           .arg(aperture)
                           .arg(focus)
                           .arg(coc)
                           .split(' ');
    if (diffraction)
        args << "--diffraction";
    const QJsonObject o = callJson(args);
    QCOMPARE(sorted(o.keys()), DofKeys);

    CoutCapture quiet;
    LensModel lens;
    lens.init(focus * 1000, aperture, focal, coc);
    const double h = diffraction ? lens.hyperfocalDiffraction() : lens.hyperfocal();
    const double nearLimit = diffraction ? lens.nearLimitDiffraction() : lens.nearLimit();
    const double farLimit = diffraction ? lens.farLimitDiffraction() : lens.farLimit();

    QCOMPARE(o["focal_mm"].toDouble(), focal);
    QCOMPARE(o["aperture"].toDouble(), aperture);
    QCOMPARE(o["focus_m"].toDouble(), focus);
    QCOMPARE(o["coc_mm"].toDouble(), coc);
    QCOMPARE(o["diffraction"].toBool(), diffraction);
    QCOMPARE(o["hyperfocal_m"], hyperfocal(h));
    QCOMPARE(o["hyperfocal_m"].isNull(), hyperfocalIsNull);
    QCOMPARE(o["near_m"], limit(nearLimit));
    QCOMPARE(o["far_m"], limit(farLimit));
    QCOMPARE(o["far_m"].isNull(), farIsNull);
    QCOMPARE(o["depth_m"], farIsNull ? QJsonValue() : QJsonValue((farLimit - nearLimit) / 1000));
    QCOMPARE(o["blur_at_infinity"].toDouble(), lens.blur(LensModel::Infinity, diffraction));
    QCOMPARE(o["scale"].toDouble(), lens.scale());
}

namespace
{

struct Camera {
    double focal, aperture, focus, coc;
    bool diffraction;
};

QStringList dofArgs(const Camera &c)
{
    return QString("dof --focal %1 --aperture %2 --focus %3 --coc %4%5")
        .arg(c.focal)
        .arg(c.aperture)
        .arg(c.focus)
        .arg(c.coc)
        .arg(c.diffraction ? " --diffraction" : "")
        .split(' ');
}

} // namespace
Q_DECLARE_METATYPE(Camera)

void TestCalc::asWindowEqualsTheWindow_data()
{
    QTest::addColumn<Camera>("cam");
    // The cameras of the window's own tests, and those of show's above.
    QTest::newRow("85 f/1.2 4 m") << Camera{85, 1.2, 4, 0.0128, false};
    QTest::newRow("135 f/2 4 m diffraction") << Camera{135, 2, 4, 0.0128, true};
    QTest::newRow("50 f/16 no hyperfocal") << Camera{50, 16, 4, 0.0128, true};
    QTest::newRow("85 f/64 no hyperfocal") << Camera{85, 64, 4, 0.0128, true};
    QTest::newRow("85 f/5.6 4.25 m diffraction") << Camera{85, 5.6, 4.25, 0.0301, true};
    QTest::newRow("35 f/11 12.5 m") << Camera{35, 11, 12.5, 0.02, false};
}

// dof --as-window gives what the window shows for the same camera: the
// hyperfocal button's text and the legend's line, figure for figure.
void TestCalc::asWindowEqualsTheWindow()
{
    QFETCH(Camera, cam);
    CoutCapture quiet;
    mainWin w;
    w.c1_flength->setValue(cam.focal);
    w.c1_apature->setValue(cam.aperture);
    w.c1_fdist->setValue(cam.focus);
    w.c1_coc->setValue(cam.coc);
    w.c1_calcDef->setChecked(cam.diffraction);
    w.run();
    QCOMPARE(w.c1_fdist->value(), cam.focus);

    const QJsonObject o = callJson(dofArgs(cam) << "--as-window");
    QCOMPARE(sorted(o.keys()), DofKeys);
    const QJsonValue h = o["hyperfocal_m"];
    QCOMPARE(w.c1_set_Hyper->text(),
             h.isNull() ? QString("Set to hyperfocal (none)")
                        : QString("Set to hyperfocal (%1m)").arg(h.toDouble(), 0, 'f', 1));
    using namespace DiagramMath;
    const LensModel &lens = w.c1_lens;
    const LensModel::Limits limits = lens.limits(cam.diffraction);
    const auto mm = [](const QJsonValue &m) {
        return m.isNull() ? LensModel::InfiniteFarLimit : m.toDouble() * 1000;
    };
    QCOMPARE(limitsText(shownBlurAtInfinity(o["blur_at_infinity"].toDouble()), mm(o["near_m"]),
                        mm(o["far_m"]), shownScale(o["focus_m"].toDouble() * 1000, cam.focal)),
             limitsText(shownBlurAtInfinity(lens.blur(LensModel::Infinity, cam.diffraction)),
                        limits.nearLimit, limits.farLimit, shownScale(lens.fdist, lens.flength)));
    QCOMPARE(mm(o["near_m"]), limits.nearLimit);
}

// Without --as-window dof gives the exact figures with their own keys;
// --magnification M focuses at F (1 + 1 / M); nothing sharp gives nulls.
void TestCalc::exactDofByDefault()
{
    const QJsonObject byFocus = callJson(words("dof --focal 100 --aperture 8 --focus 0.3 --coc "
                                               "0.03 --diffraction --pupil-magnification 0.5"));
    QCOMPARE(sorted(byFocus.keys()),
             sorted(DofKeys + QStringList{"sharp", "working_aperture", "magnification",
                                          "focus_for_infinity_m"}));
    const ExactDof::Figures e = ExactDof::compute(100, 8, 300, 0.03, true, 0.5);
    QCOMPARE(byFocus["working_aperture"].toDouble(), e.workingFNumber);
    QCOMPARE(byFocus["near_m"].toDouble(), e.nearLimit / 1000);
    QCOMPARE(byFocus["focus_for_infinity_m"].toDouble(), e.focusForInfinity / 1000);
    const QJsonObject byMagnification =
        callJson(words("dof --focal 100 --aperture 8 --magnification 0.5 --coc 0.03 --diffraction "
                       "--pupil-magnification 0.5"));
    QCOMPARE(byMagnification["magnification"].toDouble(), 0.5);
    QVERIFY(std::fabs(byMagnification["far_m"].toDouble() / e.farLimit * 1000 - 1) < 1e-12);

    const QJsonObject none =
        callJson(words("dof --focal 65 --aperture 11 --focus 0.13 --coc 0.015 --diffraction"));
    QVERIFY(!none["sharp"].toBool());
    QVERIFY(none["near_m"].isNull() && none["far_m"].isNull() && none["depth_m"].isNull());
    QCOMPARE(none["working_aperture"].toDouble(), 22.0);
}

// A table's cells are dof's: exact, null and not sharp where diffraction
// fills the CoC, and the window's searched limits with --as-window.
void TestCalc::tableIsExactUnlessAsWindow()
{
    const QStringList line =
        words("table --focal 100 --coc 0.03 --apertures 8,16 --distances 0.3,5 --diffraction");
    const QJsonObject exact = callJson(line);
    QVERIFY(!exact["cells"][0][1]["sharp"].toBool());
    QVERIFY(exact["cells"][0][1]["near_m"].isNull());
    QCOMPARE(exact["cells"][1][0]["far_m"],
             callJson(words(
                 "dof --focal 100 --coc 0.03 --aperture 8 --focus 5 --diffraction"))["far_m"]);
    QVERIFY(call(line).out.contains("not sharp"));

    CoutCapture quiet;
    const QJsonObject cell = callJson(line + QStringList{"--as-window"})["cells"][0][1].toObject();
    QCOMPARE(sorted(cell.keys()), QStringList({"far_m", "near_m"}));
    QCOMPARE(cell["near_m"].toDouble(),
             DofFigures::limits(100, 16, 300, 0.03, true).nearLimit / 1000);
}

// The texts say which distance is which, what the working f-number is,
// and how far each frame's focus moves.
void TestCalc::closeRangeTexts()
{
    const QString dof = call(words("dof --focal 24 --aperture 8 --coc 0.03 --focus 2.4")).out;
    QVERIFY(dof.contains(QRegularExpression("Hyperfocal distance +2.4 m\nFocus for infinity +2.424 "
                                            "m\n(.*\n)*Far limit +240 m\n")));
    QVERIFY(dof.contains("hyperfocal distance is the window's F^2/(N c); focused at the focus "
                         "for infinity, the far limit reaches infinity."));
    const QString optimum = call(words("optimum --focal 100 --near 0.2 --far 0.21 --coc 0.03")).out;
    QVERIFY(optimum.contains(QRegularExpression("Best aperture +f/29.8 \\(working f/58.2 at")));
    // A refocusing plan's step is the focus's change, a rail plan's the
    // camera's move; the first frame has none, the next one in mm.
    for (const char *plan : {"", "--rail"}) {
        const QStringList stack = call(words("stack --focal 100 --aperture 8 --near 0.3 --far 0.32 "
                                             "--coc 0.03 --diffraction ") +
                                       words(plan))
                                      .out.split('\n');
        const qsizetype header = stack.indexOf(QRegularExpression(".*Far +(Focus|Rail) step$"));
        QVERIFY2(header > 0 && header + 2 < stack.size(), qPrintable(stack.join('\n')));
        QCOMPARE(stack[header].endsWith("Rail step"), *plan != 0);
        QVERIFY(stack[header + 1].endsWith(" m") && stack[header + 2].endsWith(" mm"));
    }
}

void TestCalc::cocWays_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("coc");
    auto diagonal = &CocPresets::sensorDiagonal;
    auto crop = [](int index) {
        return CocPresets::cocFromCropFactor(CocPresets::sensorDiagonal(index));
    };
    QTest::newRow("default") << QStringList{} << 0.0128;
    QTest::newRow("index 3") << words("--sensor 3") << crop(3);
    QTest::newRow("full frame") << QStringList{"--sensor", "full frame"} << crop(3);
    QTest::newRow("1.6") << words("--sensor 1.6") << crop(6);
    QTest::newRow("four thirds") << QStringList{"--sensor", "Four Thirds"} << crop(7);
    QTest::newRow("6x6") << words("--sensor 6x6") << crop(0);
    QTest::newRow("index with leading zeros") << words("--sensor 0007") << crop(7);
    // Not the window's rounded 0.0128.
    QTest::newRow("21 MP unrounded")
        << words("--sensor 3 --megapixels 21") << CocPresets::cocFromPixelSize(diagonal(3), 21e6);
    QTest::newRow("16.5 MP") << words("--sensor 5 --megapixels 16.5")
                             << CocPresets::cocFromPixelSize(diagonal(5), 16.5e6);
    QTest::newRow("view 3:2") << words("--view-distance 250 --image-width 300")
                              << CocPresets::cocFromViewDistance(250, 300, 0);
    QTest::newRow("view 4:3") << words("--view-distance 250 --image-width 300 --form 4:3")
                              << CocPresets::cocFromViewDistance(250, 300, 1);
}

// Each way of giving the CoC uses the window's formula, unrounded, and the
// figures are computed with it.
void TestCalc::cocWays()
{
    QFETCH(QStringList, options);
    QFETCH(double, coc);
    const QJsonObject o = callJson(words("dof --focal 50 --aperture 8 --focus 3") + options);
    QCOMPARE(o["coc_mm"].toDouble(), coc);
    QCOMPARE(o["hyperfocal_m"].toDouble(), 50.0 * 50 / (8 * coc) / 1000);
    // Full frame's diagonal over 1500, scaled by distance over image
    // diagonal; the window's factor for this holds eight digits.
    if (options.contains("--view-distance")) {
        const double diagonal = options.contains("4:3") ? 375 : 100 * std::sqrt(13.0);
        QVERIFY(std::fabs(coc / (250 * CocPresets::FullFrameDiagonal / 1500 / diagonal) - 1) <
                1e-8);
    }
}

// Without a CoC option, the CoC is the one the window starts with.
void TestCalc::defaultCocIsTheWindows()
{
    CoutCapture quiet;
    const mainWin w;
    QCOMPARE(w.c1_coc->value(), 0.0128);
    QCOMPARE(callJson(words("optimum --focal 50 --near 2 --far 5"))["coc_mm"].toDouble(),
             w.c1_coc->value());
}

void TestCalc::jsonKeys_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("keys");
    const QStringList optimum = words("focal_mm coc_mm near_m far_m focus_m magnification "
                                      "best_aperture working_aperture best_worst_blur "
                                      "sharp_apertures stops");
    QTest::newRow("table") << words("table --focal 50")
                           << words("focal_mm coc_mm diffraction apertures distances_m cells");
    QTest::newRow("optimum, none sharp")
        << words("optimum --focal 50 --near 2 --far inf") << optimum;
    QTest::newRow("optimum, sharp range")
        << words("optimum --focal 50 --near 3 --far 4 --coc 0.03") << optimum;
    QTest::newRow("stack")
        << words("stack --focal 50 --aperture 8 --near 2 --far inf --diffraction")
        << words("focal_mm aperture coc_mm diffraction pupil_magnification overlap rail near_m "
                 "far_m count frames");
    QTest::newRow("stack on a rail")
        << words("stack --focal 100 --aperture 8 --magnification 1 --depth 5 --coc 0.03 --rail")
        << words("focal_mm aperture coc_mm diffraction pupil_magnification overlap rail near_m "
                 "far_m count frames magnification working_aperture zone_mm");
}

// Each command's JSON document has exactly the documented keys.
void TestCalc::jsonKeys()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, keys);
    QCOMPARE(sorted(callJson(args).keys()), sorted(keys));
}

void TestCalc::jsonIsQtsIndentedForm_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("dof") << words("dof --focal 50 --aperture 8 --focus 3 --diffraction");
    QTest::newRow("optimum") << words("optimum --focal 50 --near 3 --far 4 --coc 0.03");
    QTest::newRow("stack") << words("stack --focal 100 --aperture 8 --near 0.3 --far 0.32");
    QTest::newRow("table, one cell") << words("table --focal 50 --apertures 8 --distances 2");
    // Far limits beyond the hyperfocal distance are null; very large ones
    // are written in exponent form.
    QTest::newRow("table, framing")
        << words("table --focal 50 --apertures 2,8 --distances 3,100 --sensor 3 --background inf");
    QTest::newRow("table, diffraction")
        << words("table --focal 600 --apertures 1.4,4,11,32 --distances 3,100,900,1000 "
                 "--coc 0.0015 --diffraction");
}

// Every document is byte for byte what Qt writes for the document it reads
// back as: the keys in QJsonObject's order, the numbers in their shortest
// exact form, the indentation Qt's. The table writes its document as it
// goes, the others through QJsonDocument.
void TestCalc::jsonIsQtsIndentedForm()
{
    QFETCH(QStringList, args);
    const Result r = call(args << "--format"
                               << "json");
    QCOMPARE(r.status, 0);
    const QByteArray bytes = r.out.toUtf8();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(bytes, doc.toJson(QJsonDocument::Indented));
}

void TestCalc::jsonWriterMatchesQt_data()
{
    QTest::addColumn<QJsonValue>("document");
    QTest::newRow("empty object") << QJsonValue(QJsonObject());
    QTest::newRow("empty array") << QJsonValue(QJsonArray());
    QTest::newRow("empty containers inside")
        << QJsonValue(QJsonObject{{"a", QJsonArray()}, {"b", QJsonObject()}, {"c", false}});
    QTest::newRow("numbers") << QJsonValue(
        QJsonArray{0.1 + 0.2, -0.0, 1e-5, 1e21, 123456789012.0, 9007199254740993.0, 5e-324,
                   1.7976931348623157e308, -2.5, QJsonValue(), true});
    // Qt writes whole numbers up to 2^53 with all their digits, larger ones
    // as their shortest digits padded with zeros.
    QTest::newRow("whole numbers")
        << QJsonValue(QJsonArray{1e5, -1e14, 1e15, 9007199254740992.0, 1e16, 1e19});
    QTest::newRow("large numbers") << QJsonValue(
        QJsonArray{999999999999999.9, 1e15, 61436581489475472.0, 1152921504606846976.0,
                   -2.1847062606175414e17, 1.7466200739866581e20, 1e21});
    // JSON has no infinity and no NaN: Qt writes null for them, as the
    // figures' unreached limits are written.
    QTest::newRow("not finite") << QJsonValue(QJsonArray{
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), 1.5});
    QTest::newRow("not finite keys")
        << QJsonValue(QJsonObject{{"far_m", std::numeric_limits<double>::infinity()},
                                  {"step_mm", std::numeric_limits<double>::quiet_NaN()}});
    // Doubles of every magnitude, and metres to the millimetre, as a
    // table's cells hold them.
    QRandomGenerator random(14);
    QJsonArray randomNumbers;
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = std::pow(10.0, random.bounded(60.0) - 30);
        randomNumbers << (i % 2 ? magnitude : std::round(magnitude * 1000) / 1000);
    }
    QTest::newRow("random numbers") << QJsonValue(randomNumbers);
    QTest::newRow("strings and keys")
        << QJsonValue(QJsonObject{{QString::fromUtf8("Sch\u00e4rfe \"1\"\n"),
                                   QString::fromUtf8("a/b\\c\t\x01\x1f\x7f \u2028 \U0001F4F7")}});
    QTest::newRow("nested") << QJsonValue(QJsonArray{QJsonArray{QJsonObject{{"x", 1}}}, 2});
}

// The writer, fed a document value by value, writes what QJsonDocument
// writes for it.
void TestCalc::jsonWriterMatchesQt()
{
    QFETCH(QJsonValue, document);
    JsonWriter writer;
    const std::function<void(const QJsonValue &)> write = [&](const QJsonValue &v) {
        if (v.isObject()) {
            writer.beginObject();
            const QJsonObject o = v.toObject();
            for (auto it = o.begin(); it != o.end(); ++it) {
                writer.key(it.key());
                write(it.value());
            }
            writer.endObject();
        } else if (v.isArray()) {
            writer.beginArray();
            for (const QJsonValue &item : v.toArray())
                write(item);
            writer.endArray();
        } else if (v.isDouble()) {
            writer.number(v.toDouble());
        } else if (v.isBool()) {
            writer.boolean(v.toBool());
        } else if (v.isString()) {
            writer.string(v.toString());
        } else {
            writer.null();
        }
    };
    write(document);
    const QJsonDocument expected = document.isObject() ? QJsonDocument(document.toObject())
                                                       : QJsonDocument(document.toArray());
    QCOMPARE(writer.take(), expected.toJson(QJsonDocument::Indented));
}

// The arrays hold what their keys promise: the default table's grid, the
// optimum's stops and sharp interval, and one frame per count.
void TestCalc::jsonContents()
{
    const QJsonObject table = callJson(words("table --focal 50"));
    QCOMPARE(table["apertures"].toArray().size(), 9);
    QCOMPARE(table["distances_m"].toArray().size(), 14);
    QCOMPARE(table["cells"].toArray().size(), 14);
    for (const QJsonValue &row : table["cells"].toArray()) {
        QCOMPARE(row.toArray().size(), 9);
        QCOMPARE(sorted(row.toArray().first().toObject().keys()),
                 QStringList({"far_m", "near_m", "sharp"}));
    }
    // The cell at 3 m and f/8 is dof's near and far limit.
    const QJsonObject cell = table["cells"][5][5].toObject();
    const QJsonObject dof = callJson(words("dof --focal 50 --aperture 8 --focus 3"));
    QCOMPARE(cell["near_m"], dof["near_m"]);
    QCOMPARE(cell["far_m"], dof["far_m"]);

    // A long lens's table leaves out the default distances it cannot focus on.
    const QJsonObject tele = callJson(words("table --focal 600"));
    QCOMPARE(tele["distances_m"].toArray().size(), 13);
    QCOMPARE(tele["distances_m"][0].toDouble(), 0.7);
    QCOMPARE(tele["cells"].toArray().size(), 13);

    const QJsonObject none = callJson(words("optimum --focal 50 --near 2 --far inf"));
    QVERIFY(none["sharp_apertures"].isNull());
    QVERIFY(none["far_m"].isNull());
    QCOMPARE(none["stops"].toArray().size(), 37);
    QCOMPARE(none["stops"][36]["aperture"].toDouble(), 64.0);
    const QJsonObject sharp = callJson(words("optimum --focal 50 --near 3 --far 4 --coc 0.03"));
    const QJsonObject range = sharp["sharp_apertures"].toObject();
    QCOMPARE(sorted(range.keys()), QStringList({"from", "to"}));
    QVERIFY(range["from"].toDouble() < sharp["best_aperture"].toDouble());
    QVERIFY(sharp["best_aperture"].toDouble() < range["to"].toDouble());

    const QJsonObject stack = callJson(words("stack --focal 50 --aperture 8 --near 2 --far inf"));
    const QJsonArray frames = stack["frames"].toArray();
    QCOMPARE(stack["count"].toInt(), frames.size());
    QVERIFY(frames.size() > 1);
    QCOMPARE(frames.first()["near_m"].toDouble(), 2.0);
    QVERIFY(frames.last()["far_m"].isNull());
    QCOMPARE(sorted(frames.first().toObject().keys()),
             QStringList({"far_m", "focus_m", "magnification", "near_m", "working_aperture"}));
    // Every later frame tells how far its focus moved from the one before.
    for (int i = 1; i < frames.size(); ++i) {
        QCOMPARE(sorted(frames[i].toObject().keys()),
                 QStringList({"far_m", "focus_m", "magnification", "near_m", "step_mm",
                              "working_aperture"}));
        if (!frames[i]["focus_m"].isNull())
            QCOMPARE(frames[i]["step_mm"].toDouble(),
                     (frames[i]["focus_m"].toDouble() - frames[i - 1]["focus_m"].toDouble()) *
                         1000);
    }
}

// show prints what a project saved by the window holds, with the figures
// the window computes for each camera.
void TestCalc::showHoldsWhatTheWindowSaved()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath("saved.vlp");
    CoutCapture quiet;
    mainWin w;
    w.c1_flength->setValue(85);
    w.c1_fdist->setValue(4.25);
    w.c1_apature->setValue(5.6);
    w.c1_coc->setValue(0.0301);
    w.c1_calcDef->setChecked(true);
    w.c2_flength->setValue(35);
    w.c2_fdist->setValue(12.5);
    w.c2_apature->setValue(11);
    w.c2_coc->setValue(0.02);
    w.boxC2->setChecked(false);
    w.DSB_leftBorder->setValue(2.5);
    w.distanceFP->setChecked(true);
    w.qxscale->setValue(12);
    w.qyscale->setValue(40);
    w.run();
    QVERIFY(w.saveProject(name));

    const QJsonObject o = callJson({"show", name});
    QCOMPARE(sorted(o.keys()), sorted({"file", "left_border_m", "distance_scale", "blur_scale",
                                       "from_camera", "cameras"}));
    QCOMPARE(o["file"].toString(), name);
    QCOMPARE(o["left_border_m"].toDouble(), w.DSB_leftBorder->value());
    QCOMPARE(o["distance_scale"].toInt(), w.qxscale->value());
    QCOMPARE(o["blur_scale"].toInt(), w.qyscale->value());
    QCOMPARE(o["from_camera"].toBool(), w.distanceCam->isChecked());
    QCOMPARE(o["cameras"].toArray().size(), 2);
    const LensModel *lenses[2] = {&w.c1_lens, &w.c2_lens};
    const QCheckBox *calcDefs[2] = {w.c1_calcDef, w.c2_calcDef};
    const QGroupBox *boxes[2] = {w.boxC1, w.boxC2};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject cam = o["cameras"][i].toObject();
        QCOMPARE(sorted(cam.keys()), sorted(DofKeys + QStringList{"enabled"}));
        QCOMPARE(cam["enabled"].toBool(), boxes[i]->isChecked());
        LensModel lens = *lenses[i];
        const bool diffraction = calcDefs[i]->isChecked();
        QCOMPARE(cam["diffraction"].toBool(), diffraction);
        QCOMPARE(cam["focal_mm"].toDouble(), lens.getFlength());
        QCOMPARE(cam["aperture"].toDouble(), lens.getApature());
        QCOMPARE(cam["focus_m"].toDouble(), lens.getFdist() / 1000);
        QCOMPARE(cam["coc_mm"].toDouble(), lens.getCoc());
        QCOMPARE(cam["hyperfocal_m"],
                 hyperfocal(diffraction ? lens.hyperfocalDiffraction() : lens.hyperfocal()));
        QCOMPARE(cam["near_m"],
                 limit(diffraction ? lens.nearLimitDiffraction() : lens.nearLimit()));
        QCOMPARE(cam["far_m"], limit(diffraction ? lens.farLimitDiffraction() : lens.farLimit()));
        QCOMPARE(cam["blur_at_infinity"].toDouble(), lens.blur(LensModel::Infinity, diffraction));
    }
    QCOMPARE(o["cameras"][0]["focal_mm"].toDouble(), 85.0);
    QVERIFY(!o["cameras"][1]["enabled"].toBool());
}

void TestCalc::showBrokenFileGivesTheWindowsReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("10 bytes") << QByteArray(10, 'x');
    QTest::newRow("missing") << QByteArray();
}

// A file the window refuses is refused with the reason of its warning.
void TestCalc::showBrokenFileGivesTheWindowsReason()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString name = dir.filePath("broken.vlp");
    if (!bytes.isNull()) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString reason;
    QVERIFY(!ProjectFile().load(name, &reason));
    const Result r = call({"show", name});
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, QString("vorel-calc: show: cannot read file %1: %2\n").arg(name, reason));
}

void TestCalc::badInputIsRefused_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("named");
    const char *dof = "dof --focal 50 --aperture 8 ";
    const char *stack = "stack --aperture 8 --focal 50 --near 1 --far 2 ";
    struct Row {
        const char *name;
        QString args;
        const char *named;
    };
    const Row rows[] = {
        {"unknown command", "frobnicate", "frobnicate"},
        {"unknown option", dof + QString("--focus 3 --bogus"), "--bogus"},
        {"option before command", "--bogus dof", "--bogus"},
        {"missing option", "dof --aperture 8 --focus 3", "--focal"},
        {"missing value", dof + QString("--focus"), "--focus"},
        {"no number", dof + QString("--focus three"), "--focus"},
        {"decimal comma", "dof --focal 50 --aperture 2,8 --focus 3", "--aperture"},
        {"nan", dof + QString("--focus nan"), "--focus"},
        {"inf focal", "dof --focal inf --aperture 8 --focus 3", "--focal"},
        {"inf focus", dof + QString("--focus inf"), "--focus"},
        {"focus beyond doubles", dof + QString("--focus 1e306"), "--focus"},
        {"far beyond doubles", "stack --aperture 8 --focal 50 --near 1 --far 1e306", "--far"},
        {"table distance beyond doubles", "table --focal 50 --distances 1,1e306", "--distances"},
        {"coc too small to compute", dof + QString("--focus 3 --coc 1e-320"), "CoC"},
        {"aperture too small to compute", "dof --focal 50 --aperture 1e-300 --focus 3",
         "--aperture"},
        {"list aperture too small to compute", "table --focal 50 --apertures 8,1e-300",
         "--apertures"},
        {"zero focal", "table --focal 0", "--focal"},
        {"negative aperture", "dof --focal 50 --aperture -2 --focus 3", "--aperture"},
        {"zero in a list", "table --focal 50 --apertures 2,0", "--apertures"},
        {"zero coc", dof + QString("--focus 3 --coc 0"), "--coc"},
        {"negative coc", dof + QString("--focus 3 --coc -0.01"), "--coc"},
        {"focus at focal length", dof + QString("--focus 0.05"), "--focus"},
        {"focus inside", dof + QString("--focus 0.01"), "--focus"},
        {"table distance inside", "table --focal 50 --distances 1,0.02", "--distances"},
        {"near beyond far", "optimum --focal 50 --near 5 --far 2", "--near"},
        {"near at far", "optimum --focal 50 --near 2 --far 2", "--near"},
        {"near inf", "optimum --focal 50 --near inf --far inf", "--near"},
        {"unknown sensor", dof + QString("--focus 3 --sensor super35"), "--sensor"},
        {"ambiguous sensor", dof + QString("--focus 3 --sensor APS-C"), "--sensor"},
        {"sensor index 14", dof + QString("--focus 3 --sensor 14"), "--sensor"},
        {"two CoC ways", dof + QString("--focus 3 --coc 0.02 --sensor 3"), "--sensor"},
        {"megapixels alone", dof + QString("--focus 3 --megapixels 21"), "--megapixels"},
        {"zero megapixels", dof + QString("--focus 3 --sensor 3 --megapixels 0"), "--megapixels"},
        {"view distance alone", dof + QString("--focus 3 --view-distance 250"), "--image-width"},
        {"form 16:9", dof + QString("--focus 3 --view-distance 2 --image-width 3 --form 16:9"),
         "--form"},
        {"overlap 1", stack + QString("--overlap 1"), "--overlap"},
        {"overlap -0.1", stack + QString("--overlap -0.1"), "--overlap"},
        {"diffraction beyond coc", "stack --aperture 16 --diffraction --focal 50 --near 1 --far 2",
         "--aperture"},
        {"dof csv", dof + QString("--focus 3 --format csv"), "--format"},
        {"stack markdown", stack + QString("--format markdown"), "--format"},
        {"unreadable project", "show /nonexistent/p.vlp", "/nonexistent/p.vlp"},
        {"show without file", "show", "PROJECT.vlp"},
        {"stray argument", dof + QString("--focus 3 extra"), "extra"},
        {"option twice", dof + QString("--focus 3 --focal 35"), "--focal"},
        {"help for no command", "help nosuch", "nosuch"},
        {"line break in a value", dof + QString("--focus 3\nx"), "--focus"},
        {"list too long", "table --focal 50 --apertures " + QString("8,").repeated(1000) + "8",
         "--apertures"},
        {"range too narrow", "optimum --focal 50 --near 1000000 --far 1000000.0001", "--near"},
        {"focus and magnification", dof + QString("--focus 3 --magnification 0.5"),
         "--magnification"},
        {"neither focus nor magnification", QString(dof).trimmed(), "--focus"},
        {"zero magnification", dof + QString("--magnification 0"), "--magnification"},
        {"magnification beyond doubles", dof + QString("--magnification 1e300"), "--magnification"},
        {"pupil magnification 0.05", dof + QString("--focus 3 --pupil-magnification 0.05"),
         "--pupil-magnification"},
        {"pupil magnification 11", stack + QString("--pupil-magnification 11"),
         "--pupil-magnification"},
        {"pupil magnification as window", "table --focal 50 --as-window --pupil-magnification 2",
         "--pupil-magnification"},
        {"frame without height", dof + QString("--focus 3 --frame 36"), "--frame"},
        {"frame of words", dof + QString("--focus 3 --frame axb"), "--frame"},
        {"frame zero wide", dof + QString("--focus 3 --frame 0x24"), "--frame"},
        {"frame negative", dof + QString("--focus 3 --frame 36x-24"), "--frame"},
        {"frame of a kilometre", dof + QString("--focus 3 --frame 1e6x24"), "--frame"},
        {"frame inf", "table --focal 50 --frame infx24", "--frame"},
        {"background inside", dof + QString("--focus 3 --background 0.02"), "--background"},
        {"background no number", dof + QString("--focus 3 --background far"), "--background"},
        {"background twice", dof + QString("--focus 3 --background 5 --background 6"),
         "--background"},
        {"table background nan", "table --focal 50 --background nan", "--background"},
        {"working f/32 at 1:1",
         "stack --focal 100 --aperture 16 --near 0.2 --far 0.21 --coc 0.03 --diffraction",
         "working f/32 at 1:1"},
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << row.args << QString(row.named);
}

// Bad input: status 2, one line on standard error naming the argument,
// nothing on standard output.
void TestCalc::badInputIsRefused()
{
    QFETCH(QString, args);
    QFETCH(QString, named);
    const Result r = call(args.split(' '));
    QCOMPARE(r.status, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("vorel-calc:"), qPrintable(r.err));
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY(r.err.endsWith('\n'));
    QVERIFY2(r.err.contains(named), qPrintable(r.err));
}

void TestCalc::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("--help") << words("--help") << "Commands:";
    QTest::newRow("-h") << words("-h") << "Commands:";
    QTest::newRow("help") << words("help") << "Commands:";
    QTest::newRow("--version") << words("--version") << "vorel-calc";
    QTest::newRow("help dof") << words("help dof") << "--diffraction";
    QTest::newRow("dof --help") << words("dof --help") << "--diffraction";
    QTest::newRow("help table") << words("help table") << "html";
}

// Help and version succeed on standard output.
void TestCalc::helpAndVersion()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const Result r = call(args);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QVERIFY2(r.out.contains(says), qPrintable(r.out));
}

// What optimum says would help does help when taken at its word: its
// figures are rounded towards the safe side.
void TestCalc::optimumAdviceHoldsWhenFollowed()
{
    const Result r = call(words("optimum --focal 50 --near 2 --far 20 --coc 0.03"));
    QCOMPARE(r.status, 0);
    const QRegularExpressionMatch m =
        QRegularExpression("at least ([0-9.]+) mm, or a shorter range: 2 m to at most ([0-9.]+) "
                           "m, or from ([0-9.]+) m to 20 m")
            .match(r.out);
    QVERIFY2(m.hasMatch(), qPrintable(r.out));
    const QStringList followed[] = {
        words("optimum --focal 50 --near 2 --far 20 --coc") << m.captured(1),
        words("optimum --focal 50 --near 2 --coc 0.03 --far") << m.captured(2),
        words("optimum --focal 50 --far 20 --coc 0.03 --near") << m.captured(3),
    };
    for (const QStringList &args : followed) {
        const QJsonObject o = callJson(args);
        QVERIFY2(o["sharp_apertures"].isObject(), qPrintable(args.join(' ')));
        QVERIFY(o["best_worst_blur"].toDouble() <= 1);
    }
}

// The CSV table has a header and one row per distance, with the JSON's
// numbers exactly ("inf" where JSON has null).
void TestCalc::tableCsvReadsBackAsJson()
{
    const QStringList args = words("table --focal 50 --coc 0.02");
    const QJsonObject o = callJson(args);
    const Result r = call(args + QStringList{"--format", "csv"});
    QCOMPARE(r.status, 0);
    QStringList lines = r.out.split("\r\n");
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 15);
    const QStringList header = lines.takeFirst().split(',');
    QCOMPARE(header.size(), 1 + 2 * 9);
    QCOMPARE(header[0], QString("focus_m"));
    QCOMPARE(header[1], QString("f/1.4 near_m"));
    QCOMPARE(header[18], QString("f/22 far_m"));
    bool sawInfinity = false;
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList fields = lines[row].split(',');
        QCOMPARE(fields.size(), header.size());
        QCOMPARE(fields[0].toDouble(), o["distances_m"][row].toDouble());
        for (int col = 0; col < 9; ++col) {
            const QJsonObject cell = o["cells"][row][col].toObject();
            QCOMPARE(fields[1 + 2 * col].toDouble(), cell["near_m"].toDouble());
            const QString far = fields[2 + 2 * col];
            sawInfinity = sawInfinity || far == "inf";
            if (far == "inf")
                QVERIFY(cell["far_m"].isNull());
            else
                QCOMPARE(far.toDouble(), cell["far_m"].toDouble());
        }
    }
    QVERIFY(sawInfinity);
}

void TestCalc::tablePrintFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("holds");
    QTest::newRow("markdown") << "markdown" << QStringList{"| Focus | f/1.4 |", "\n| --- | ---: |"};
    QTest::newRow("html") << "html"
                          << QStringList{"<!DOCTYPE html>", "@page", "<table>", "</table>",
                                         "</html>\n"};
}

// Markdown has its header rule; HTML is one complete page for print.
void TestCalc::tablePrintFormats()
{
    QFETCH(QString, format);
    QFETCH(QStringList, holds);
    const Result r = call({"table", "--focal", "50", "--format", format});
    QCOMPARE(r.status, 0);
    for (const QString &piece : holds)
        QVERIFY2(r.out.contains(piece), qPrintable(piece));
    QCOMPARE(r.out.count("<tr>"), format == "html" ? 15 : 0);
}

// The text table's rows line up: with the numbers right-aligned, every
// line of it ends in the same column.
void TestCalc::tableTextIsAligned()
{
    const Result r = call(words("table --focal 50 --apertures 2,8,16"));
    QCOMPARE(r.status, 0);
    QStringList lines = r.out.section("\n\n", 1).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 15);
    QVERIFY(lines[0].startsWith("Focus"));
    for (const QString &line : lines)
        QCOMPARE(line.size(), lines[0].size());
}

void TestCalc::asProcess_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("german");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    const char *dof = "dof --focal 50 --aperture 2.8 --focus 3";
    QTest::newRow("dof json") << words(dof) + words("--format json --diffraction") << false << 0
                              << "\"aperture\": 2.8";
    QTest::newRow("table json") << words("table --focal 50 --format json") << false << 0
                                << "\"cells\"";
    QTest::newRow("dof text, German locale") << words(dof) << true << 0 << "f/2.8";
    QTest::newRow("table csv, German locale")
        << words("table --focal 50 --format csv") << true << 0 << "\r\n0.5,0.4";
    QTest::newRow("bad call") << words("dof --focal 0") << false << 2 << "";
    QTest::newRow("version") << words("--version") << false << 0 << "vorel-calc 0.";
}

// The program itself: results alone on standard output, without the lens
// model's trace, numbers in the C locale whatever the user's locale. The
// commands that draw nothing start no GUI: a platform that does not exist
// would stop any QGuiApplication at once.
void TestCalc::asProcess()
{
    QFETCH(QStringList, args);
    QFETCH(bool, german);
    QFETCH(int, status);
    QFETCH(QString, says);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "no-such-platform");
    if (german) {
        env.insert("LC_ALL", "de_DE.UTF-8");
        env.insert("LANG", "de_DE.UTF-8");
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VOREL_CALC_BINARY), args);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY(!out.contains("init - "));
    if (status != 0) {
        QCOMPARE(out, QString());
        QVERIFY(err.startsWith("vorel-calc:"));
        QCOMPARE(err.count('\n'), 1);
        return;
    }
    QCOMPARE(err, QString());
    QVERIFY2(out.contains(says), qPrintable(out));
    if (args.contains("json"))
        QVERIFY(!jsonOf(out).isEmpty());
    if (german && !args.contains("csv"))
        QVERIFY(!out.contains(QRegularExpression("[0-9],[0-9]")));
}

// The framing figures against the thin-lens formulas: v = F s / (s - F),
// angle 2 atan(w / 2v), field w (s - F) / F, and the blur disc
// (F / N) m |D - s| / (D - e) with m = F / (s - F) and e = F (1 - 1/P).
void TestCalc::dofFraming_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("p");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("50 mm f/2 at 3 m, 36x24, background 10 m")
        << "dof --focal 50 --aperture 2 --focus 3 --coc 0.03 --frame 36x24 --background 10" << 50.0
        << 2.0 << 3000.0 << 36.0 << 24.0 << 10000.0 << 1.0;
    // Full frame from the sensor preset: 43.2666 mm diagonal, 3:2.
    QTest::newRow("85 mm f/1.4 at 2 m, full frame preset, background 6 m")
        << "dof --focal 85 --aperture 1.4 --focus 2 --sensor 3 --background 6" << 85.0 << 1.4
        << 2000.0 << 43.26661531 * 3 / std::sqrt(13.0) << 43.26661531 * 2 / std::sqrt(13.0)
        << 6000.0 << 1.0;
    QTest::newRow("Four Thirds preset, 4:3, background at infinity")
        << "dof --focal 25 --aperture 4 --focus 1.5 --sensor 7 --background inf" << 25.0 << 4.0
        << 1500.0 << 21.64000924 * 0.8 << 21.64000924 * 0.6 << inf << 1.0;
    QTest::newRow("telephoto pupil 0.5, background 4 m")
        << "dof --focal 200 --aperture 4 --focus 3 --frame 36x24 --background 4 "
           "--pupil-magnification 0.5"
        << 200.0 << 4.0 << 3000.0 << 36.0 << 24.0 << 4000.0 << 0.5;
    QTest::newRow("window's figures, --frame")
        << "dof --focal 35 --aperture 8 --focus 5 --frame 23.5x15.6 --background 20 --as-window"
        << 35.0 << 8.0 << 5000.0 << 23.5 << 15.6 << 20000.0 << 1.0;
}

void TestCalc::dofFraming()
{
    QFETCH(QString, args);
    QFETCH(double, f);
    QFETCH(double, n);
    QFETCH(double, s);
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, d);
    QFETCH(double, p);
    const QJsonObject o = callJson(args.split(' '));
    QVERIFY(!o.isEmpty());
    const double v = f * s / (s - f);
    const double m = f / (s - f);
    const double deg = 180 / M_PI;
    const QJsonObject fov = o["field_of_view_deg"].toObject();
    QVERIFY(qFuzzyCompare(fov["horizontal"].toDouble(), 2 * std::atan(w / (2 * v)) * deg));
    QVERIFY(qFuzzyCompare(fov["vertical"].toDouble(), 2 * std::atan(h / (2 * v)) * deg));
    QVERIFY(
        qFuzzyCompare(fov["diagonal"].toDouble(), 2 * std::atan(std::hypot(w, h) / (2 * v)) * deg));
    const QJsonObject field = o["field_m"].toObject();
    QVERIFY(qFuzzyCompare(field["width"].toDouble(), w * (s - f) / f / 1000));
    QVERIFY(qFuzzyCompare(field["height"].toDouble(), h * (s - f) / f / 1000));
    const double e = f * (1 - 1 / p);
    const double blur = std::isinf(d) ? f / n * m : f / n * m * std::fabs(d - s) / (d - e);
    QVERIFY2(qFuzzyCompare(o["background_blur_mm"].toDouble(), blur),
             qPrintable(QString::number(o["background_blur_mm"].toDouble(), 'g', 17)));
    QVERIFY(qFuzzyCompare(o["background_blur_percent"].toDouble(), 100 * blur / w));
}

// The text shows the same figures, rounded for people; the done-when
// figures of 50 mm f/2 at 3 m.
void TestCalc::dofFramingText()
{
    const Result r = call(
        words("dof --focal 50 --aperture 2 --focus 3 --coc 0.03 --frame 36x24 --background 10"));
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QString::fromUtf8("Field of view         38.99° horizontal, 26.56° "
                                              "vertical, 46.10° diagonal\n")),
             qPrintable(r.out));
    QVERIFY(r.out.contains("Field at the subject  2.124 x 1.416 m\n"));
    QVERIFY(
        r.out.contains("Background blur       0.2966 mm at 10 m, 0.8239 % of the frame's width\n"));
    QVERIFY(r.out.contains("Frame                 36 x 24 mm\n"));
}

// Without a frame there is no field of view; a background's disc in mm
// needs none.
void TestCalc::framingNeedsAFrame()
{
    const QJsonObject none = callJson(words("dof --focal 50 --aperture 2 --focus 3 --coc 0.03"));
    QCOMPARE(sorted(none.keys()), sorted(words("focal_mm aperture focus_m coc_mm diffraction sharp "
                                               "working_aperture magnification hyperfocal_m "
                                               "focus_for_infinity_m near_m far_m depth_m "
                                               "blur_at_infinity scale")));
    const QJsonObject blurOnly =
        callJson(words("dof --focal 50 --aperture 2 --focus 3 --coc 0.03 --background 10"));
    QVERIFY(blurOnly.contains("background_blur_mm"));
    QVERIFY(!blurOnly.contains("background_blur_percent"));
    QVERIFY(!blurOnly.contains("field_of_view_deg"));
}

// Each table cell carries the dof figures of its focus and f-number.
void TestCalc::tableCellsHaveFraming()
{
    const QJsonObject t = callJson(
        words("table --focal 50 --apertures 2,8 --distances 3,10 --frame 36x24 --background 20"));
    const QJsonArray rows = t["cells"].toArray();
    QCOMPARE(rows.size(), 2);
    const double focus[2] = {3000, 10000};
    const double apertures[2] = {2, 8};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            const QJsonObject cell = rows[r].toArray()[c].toObject();
            const double s = focus[r];
            const double m = 50 / (s - 50);
            QVERIFY(qFuzzyCompare(cell["field_m"].toObject()["width"].toDouble(),
                                  36 * (s - 50) / 50 / 1000));
            const double blur = 50 / apertures[c] * m * (20000 - s) / 20000;
            QVERIFY(qFuzzyCompare(cell["background_blur_mm"].toDouble(), blur));
            QVERIFY(cell.contains("near_m") && cell.contains("sharp"));
        }
    }
    // The printed tables have no room for them, and say so.
    const Result printed = call(words("table --focal 50 --frame 36x24 --format csv"));
    QCOMPARE(printed.status, 0);
    QVERIFY2(printed.err.contains("--format json only"), qPrintable(printed.err));
    // Without a frame or background, cells stay as they were.
    const QJsonObject plain = callJson(words("table --focal 50 --apertures 2 --distances 3"));
    QCOMPARE(sorted(plain["cells"].toArray()[0].toArray()[0].toObject().keys()),
             sorted(words("far_m near_m sharp")));
}

QTEST_MAIN(TestCalc)
#include "tst_calc.moc"
