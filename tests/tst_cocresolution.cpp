#include "calc/cocresolution.h"
#include "presets/cocpresets.h"

#include <QtTest>

#include <cmath>

// Choosing a circle of confusion from what a user gives, without any
// command line: sensor names, the ways that exclude each other, and a
// camera source supplied by the caller.
class TestCocResolution : public QObject
{
    Q_OBJECT

private slots:
    void sensorNames_data();
    void sensorNames();
    void combinations_data();
    void combinations();
    void eachWayGivesItsFormula();
    void unreadableNumbersAreNotReportedTwice();
    void cameraSourcePlugsIn();
    void unavailableFinderIsMarked();
};

using Request = CocResolution::Request;
Q_DECLARE_METATYPE(CocResolution::Request)

// A name matches when it is an index or a piece of exactly one format name.
void TestCocResolution::sensorNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("problemPart");
    QTest::newRow("index") << "3" << 3 << "";
    QTest::newRow("leading zeros") << "0007" << 7 << "";
    QTest::newRow("last index") << "13" << 13 << "";
    QTest::newRow("index past the table") << "14" << -1 << "outside 0 to 13";
    QTest::newRow("index too large for int") << "99999999999" << -1 << "outside 0 to 13";
    QTest::newRow("piece, any case") << "four thirds" << 7 << "";
    QTest::newRow("padded") << "  6x6 " << 0 << "";
    QTest::newRow("ambiguous") << "APS" << -1 << "matches 3 formats";
    QTest::newRow("unknown") << "Super 35" << -1 << "matches no sensor format";
    QTest::newRow("empty") << "" << -1 << "matches no sensor format";
}

void TestCocResolution::sensorNames()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, problemPart);
    const CocResolution::SensorMatch m = CocResolution::matchSensor(text);
    QCOMPARE(m.index, index);
    if (problemPart.isEmpty())
        QVERIFY(m.problem.isEmpty());
    else
        QVERIFY2(m.problem.contains(problemPart), qPrintable(m.problem));
}

// Only one way of giving the CoC at a time; helpers need their main option.
void TestCocResolution::combinations_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("problem");
    Request r;
    QTest::newRow("nothing") << r << "";
    r = {};
    r.coc = 0.03;
    r.sensor = QStringLiteral("3");
    QTest::newRow("coc and sensor") << r
                                    << "--coc and --sensor are different ways to give the CoC; "
                                       "use one";
    r = {};
    r.sensor = QStringLiteral("3");
    r.camera = QStringLiteral("Nikon D850");
    QTest::newRow("sensor and camera") << r
                                       << "--sensor and --camera are different ways to give "
                                          "the CoC; use one";
    r = {};
    r.megaPixels = 21;
    QTest::newRow("megapixels alone") << r << "--megapixels needs --sensor or --camera";
    r.camera = QStringLiteral("D850");
    QTest::newRow("megapixels with camera") << r << "";
    r = {};
    r.form = QStringLiteral("4:3");
    QTest::newRow("form alone") << r << "--form needs --view-distance";
    r = {};
    r.imageWidth = 300;
    QTest::newRow("width alone") << r << "--image-width needs --view-distance";
    r = {};
    r.viewDistance = 250;
    QTest::newRow("distance alone") << r << "--view-distance needs --image-width";
}

void TestCocResolution::combinations()
{
    QFETCH(Request, request);
    QFETCH(QString, problem);
    QCOMPARE(CocResolution::combinationProblem(request), problem);
    const CocResolution::Result r = CocResolution::resolve(request, [](const QString &) {
        return CocResolution::CameraMatch{CocPresets::FullFrameDiagonal, "Camera", QString()};
    });
    QCOMPARE(r.problem, problem);
    QCOMPARE(std::isnan(r.mm), !problem.isEmpty());
}

// Each way gives the preset formula, and the default is the window's.
void TestCocResolution::eachWayGivesItsFormula()
{
    QCOMPARE(CocResolution::resolve({}).mm, CocResolution::DefaultCoc);
    QCOMPARE(CocResolution::resolve({}).source, QStringLiteral("default"));

    Request r;
    r.coc = 0.021;
    QCOMPARE(CocResolution::resolve(r).mm, 0.021);

    r = {};
    r.sensor = QStringLiteral("1.6");
    const double diagonal = CocPresets::sensorDiagonal(6);
    QCOMPARE(CocResolution::resolve(r).mm, CocPresets::cocFromCropFactor(diagonal));
    r.megaPixels = 24;
    const CocResolution::Result withPixels = CocResolution::resolve(r);
    QCOMPARE(withPixels.mm, CocPresets::cocFromPixelSize(diagonal, 24e6));
    QCOMPARE(withPixels.source, QStringLiteral("1.6 APS-C (3:2), 24 million pixels"));

    r = {};
    r.viewDistance = 500;
    r.imageWidth = 300;
    r.form = QStringLiteral("4:3");
    const CocResolution::Result viewed = CocResolution::resolve(r);
    QCOMPARE(viewed.mm, CocPresets::cocFromViewDistance(500, 300, 1));
    QCOMPARE(viewed.source, QStringLiteral("viewed from 500 at a width of 300, 4:3"));
    r.form = QStringLiteral("16:9");
    QCOMPARE(CocResolution::resolve(r).problem,
             QStringLiteral("--form: '16:9' is not one of 3:2, 4:3"));
}

// A number the reader could not read (NaN) gives no CoC and no second
// message: the reader has said what was wrong.
void TestCocResolution::unreadableNumbersAreNotReportedTwice()
{
    Request r;
    r.coc = std::nan("");
    QVERIFY(std::isnan(CocResolution::resolve(r).mm));
    QVERIFY(CocResolution::resolve(r).problem.isEmpty());
    r = {};
    r.sensor = QStringLiteral("3");
    r.megaPixels = std::nan("");
    QVERIFY(std::isnan(CocResolution::resolve(r).mm));
    QVERIFY(CocResolution::resolve(r).problem.isEmpty());
    r = {};
    r.viewDistance = std::nan("");
    r.imageWidth = 300;
    QVERIFY(std::isnan(CocResolution::resolve(r).mm));
    QVERIFY(CocResolution::resolve(r).problem.isEmpty());
}

// A camera is found by the caller's finder; its diagonal goes through the
// same pixel-size rule as a sensor format, and its problems come back as
// they are.
void TestCocResolution::cameraSourcePlugsIn()
{
    const auto finder = [](const QString &text) {
        if (text == QLatin1String("Test Camera"))
            return CocResolution::CameraMatch{28.0, QStringLiteral("Maker Test Camera"), QString()};
        return CocResolution::CameraMatch{0, QString(), QStringLiteral("--camera: no such camera")};
    };
    Request r;
    r.camera = QStringLiteral("Test Camera");
    const CocResolution::Result found = CocResolution::resolve(r, finder);
    QCOMPARE(found.mm, CocPresets::cocFromCropFactor(28.0));
    QCOMPARE(found.source, QStringLiteral("Maker Test Camera"));
    r.megaPixels = 45;
    QCOMPARE(CocResolution::resolve(r, finder).mm, CocPresets::cocFromPixelSize(28.0, 45e6));
    QCOMPARE(CocResolution::resolve(r, finder).source,
             QStringLiteral("Maker Test Camera, 45 million pixels"));
    r.megaPixels.reset();

    r.camera = QStringLiteral("Other");
    QCOMPARE(CocResolution::resolve(r, finder).problem, QStringLiteral("--camera: no such camera"));
    QVERIFY(!CocResolution::resolve(r, finder).unavailable);
    QVERIFY(!CocResolution::resolve(r).problem.isEmpty());
}

// A finder without its database says so, and the result keeps the mark, so
// that the caller can tell a failing machine from a wrong name.
void TestCocResolution::unavailableFinderIsMarked()
{
    const auto finder = [](const QString &) {
        return CocResolution::CameraMatch{0, QString(), QStringLiteral("no database"), true};
    };
    Request r;
    r.camera = QStringLiteral("Nikon D850");
    const CocResolution::Result result = CocResolution::resolve(r, finder);
    QCOMPARE(result.problem, QStringLiteral("no database"));
    QVERIFY(result.unavailable);
    QVERIFY(std::isnan(result.mm));
}

QTEST_GUILESS_MAIN(TestCocResolution)
#include "tst_cocresolution.moc"
