#include "diagram/diagrammath.h"

#include <QtTest>

#include <cmath>
#include <limits>

// The arithmetic behind the diagram: grid rules, labels, pixel rows, the
// sharp zone and the legend texts.
class TestDiagramMath : public QObject
{
    Q_OBJECT

private slots:
    void gridStepFollowsVerticalScale_data();
    void gridStepFollowsVerticalScale();
    void distanceGridFollowsHorizontalScale_data();
    void distanceGridFollowsHorizontalScale();
    void gridLineWhereMultipleIsPassed_data();
    void gridLineWhereMultipleIsPassed();
    void labelRule_data();
    void labelRule();
    void pixelRowTruncatesAndClamps_data();
    void pixelRowTruncatesAndClamps();
    void sharpZoneTracking_data();
    void sharpZoneTracking();
    void settingsText_data();
    void settingsText();
    void blurAtInfinityShown_data();
    void blurAtInfinityShown();
    void scaleRoundsHalfUp_data();
    void scaleRoundsHalfUp();
    void limitsText_data();
    void limitsText();
    void cameraTitle();
};

void TestDiagramMath::gridStepFollowsVerticalScale_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("step");
    const int ks[] = {1, 2, 3, 6, 7, 11, 12, 50, 51, 100};
    const double steps[] = {10, 10, 5, 5, 2.5, 2.5, 1, 1, 0.5, 0.5};
    for (int i = 0; i < 10; ++i)
        QTest::addRow("K=%d", ks[i]) << ks[i] << steps[i];
}

void TestDiagramMath::gridStepFollowsVerticalScale()
{
    QFETCH(int, k);
    QFETCH(double, step);
    QCOMPARE(DiagramMath::gridStep(k), step);
}

void TestDiagramMath::distanceGridFollowsHorizontalScale_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("divisor");
    QTest::newRow("S=1") << 1 << 10 << 10;
    QTest::newRow("S=2") << 2 << 100 << 10;
    QTest::newRow("S=5") << 5 << 100 << 10;
    QTest::newRow("S=6") << 6 << 500 << 10;
    QTest::newRow("S=11") << 11 << 500 << 10;
    QTest::newRow("S=12") << 12 << 1000 << 1;
    QTest::newRow("S=50") << 50 << 1000 << 1;
}

void TestDiagramMath::distanceGridFollowsHorizontalScale()
{
    QFETCH(int, s);
    QFETCH(int, period);
    QFETCH(int, divisor);
    const DiagramMath::DistanceGrid grid = DiagramMath::distanceGrid(s);
    QCOMPARE(grid.period, period);
    QCOMPARE(grid.divisor, divisor);
}

void TestDiagramMath::gridLineWhereMultipleIsPassed_data()
{
    QTest::addColumn<qint64>("prev");
    QTest::addColumn<qint64>("cur");
    QTest::addColumn<int>("period");
    QTest::addColumn<bool>("line");
    QTest::newRow("2008 passes 2000") << qint64(1992) << qint64(2008) << 1000 << true;
    QTest::newRow("exactly on 3000") << qint64(2984) << qint64(3000) << 1000 << true;
    QTest::newRow("starting on 3000") << qint64(3000) << qint64(3016) << 1000 << false;
    QTest::newRow("within a metre") << qint64(2008) << qint64(2024) << 1000 << false;
    QTest::newRow("10 mm period") << qint64(1009) << qint64(1010) << 10 << true;
    // Far beyond 32-bit range once multiplied for the label rule.
    QTest::newRow("99 km") << qint64(99998999) << qint64(99999010) << 1000 << true;
}

void TestDiagramMath::gridLineWhereMultipleIsPassed()
{
    QFETCH(qint64, prev);
    QFETCH(qint64, cur);
    QFETCH(int, period);
    QFETCH(bool, line);
    QCOMPARE(DiagramMath::hasGridLine(prev, cur, period), line);
}

void TestDiagramMath::labelRule_data()
{
    QTest::addColumn<qint64>("cur");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<bool>("labelled");
    QTest::addColumn<QString>("label");
    QTest::newRow("whole metres, truncated") << qint64(2008) << 1 << true << "2";
    QTest::newRow("whole metres, 3 m") << qint64(3000) << 1 << true << "3";
    QTest::newRow("tenths, on 1.1 m") << qint64(1100) << 10 << true << "1.1";
    QTest::newRow("tenths, 1.2 m plus 5 mm") << qint64(1205) << 10 << true << "1.2";
    QTest::newRow("tenths, 10 mm past") << qint64(5510) << 10 << false << "5.5";
    QTest::newRow("tenths, 1.01 m") << qint64(1010) << 10 << false << "1";
    QTest::newRow("tenths, 99 km") << qint64(99999000) << 10 << true << "99999";
}

void TestDiagramMath::labelRule()
{
    QFETCH(qint64, cur);
    QFETCH(int, divisor);
    QFETCH(bool, labelled);
    QFETCH(QString, label);
    QCOMPARE(DiagramMath::isLabelled(cur, divisor), labelled);
    QCOMPARE(DiagramMath::distanceLabel(cur, divisor), label);
}

void TestDiagramMath::pixelRowTruncatesAndClamps_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<double>("u");
    QTest::addColumn<int>("row");
    // Y0 = 300, K = 2, height 330: rows held within [-1320, 1650].
    QTest::newRow("on the axis") << 0.0 << 300;
    QTest::newRow("U = 1") << 1.0 << 298;
    QTest::newRow("truncated") << 10.3 << 279;
    QTest::newRow("toward zero below 0") << 160.3 << -20;
    QTest::newRow("negative U") << -2.0 << 304;
    QTest::newRow("huge") << 1e300 << -1320;
    QTest::newRow("infinite") << inf << -1320;
    QTest::newRow("minus infinite") << -inf << 1650;
    QTest::newRow("undefined goes up") << std::nan("") << -1320;
}

void TestDiagramMath::pixelRowTruncatesAndClamps()
{
    QFETCH(double, u);
    QFETCH(int, row);
    QCOMPARE(DiagramMath::pixelRow(300, 2, u, 330), row);
}

void TestDiagramMath::sharpZoneTracking_data()
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<QVector<double>>("samples");
    QTest::addColumn<bool>("hasStart");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("sharp from column 0") << QVector<double>{1.0, 0.5, 2.0, 3.0} << true << 0 << 2;
    QTest::newRow("sharp to the end") << QVector<double>{3.0, 2.0, 0.9, 0.2} << true << 1 << 99999;
    QTest::newRow("inside") << QVector<double>{3.0, 1.0, 0.5, 1.5} << true << 0 << 3;
    QTest::newRow("never sharp") << QVector<double>{3.0, 2.0, 1.01, 4.0} << false << 0 << 99999;
    QTest::newRow("all sharp") << QVector<double>{0.1, 0.2} << true << 0 << 99999;
    QTest::newRow("single sharp sample") << QVector<double>{0.5} << true << 0 << 99999;
    QTest::newRow("undefined counts as blurred")
        << QVector<double>{nan, 0.5, nan} << true << 0 << 2;
    QTest::newRow("later crossing wins") << QVector<double>{0.5, 2, 0.5, 2} << true << 1 << 3;
    // Distance 0 gives -inf; distances inside the focal length give U < 0.
    QTest::newRow("minus infinity counts as blurred")
        << QVector<double>{-inf, 4, 0.5} << true << 1 << 99999;
    QTest::newRow("inside the focal length counts as blurred")
        << QVector<double>{-3.0, -0.5, 2.0, 0.5, 0.0} << true << 2 << 99999;
}

void TestDiagramMath::sharpZoneTracking()
{
    QFETCH(QVector<double>, samples);
    QFETCH(bool, hasStart);
    QFETCH(int, start);
    QFETCH(int, end);
    const DiagramMath::SharpZone zone =
        DiagramMath::sharpZone(std::vector<double>(samples.begin(), samples.end()));
    QCOMPARE(zone.hasStart, hasStart);
    if (hasStart)
        QCOMPARE(zone.start, start);
    QCOMPARE(zone.end, end);
}

void TestDiagramMath::settingsText_data()
{
    QTest::addColumn<double>("flength");
    QTest::addColumn<double>("apature");
    QTest::addColumn<double>("fdist");
    QTest::addColumn<double>("coc");
    QTest::addColumn<QString>("text");
    QTest::newRow("example") << 50.0 << 8.0 << 3000.0 << 0.03
                             << "50mm f/8 - Dist.: 3m - CoC: 0.0300mm";
    QTest::newRow("fractions") << 85.0 << 1.2 << 4250.0 << 0.0128
                               << "85mm f/1.2 - Dist.: 4.25m - CoC: 0.0128mm";
    QTest::newRow("g6 exponent") << 5000.0 << 64.0 << 99999000.0 << 10.0
                                 << "5000mm f/64 - Dist.: 99999m - CoC: 10.0000mm";
    QTest::newRow("focus 0") << 1.0 << 0.7 << 0.0 << 0.0001
                             << "1mm f/0.7 - Dist.: 0m - CoC: 0.0001mm";
}

void TestDiagramMath::settingsText()
{
    QFETCH(double, flength);
    QFETCH(double, apature);
    QFETCH(double, fdist);
    QFETCH(double, coc);
    QFETCH(QString, text);
    QCOMPARE(DiagramMath::settingsText(flength, apature, fdist, coc), text);
}

void TestDiagramMath::blurAtInfinityShown_data()
{
    QTest::addColumn<double>("u");
    QTest::addColumn<QString>("shown");
    QTest::newRow("truncated, not rounded") << 9.999 << "9.99";
    QTest::newRow("3.5389") << 3.5389 << "3.53";
    QTest::newRow("whole below 10") << 2.0 << "2";
    QTest::newRow("floored from 10") << 12.7 << "12";
    QTest::newRow("exactly 10") << 10.0 << "10";
    QTest::newRow("large") << 1234567.9 << "1.23457e+06";
}

void TestDiagramMath::blurAtInfinityShown()
{
    QFETCH(double, u);
    QFETCH(QString, shown);
    QCOMPARE(QString::number(DiagramMath::shownBlurAtInfinity(u), 'g', 6), shown);
}

void TestDiagramMath::scaleRoundsHalfUp_data()
{
    QTest::addColumn<double>("fdist");
    QTest::addColumn<double>("flength");
    QTest::addColumn<QString>("shown");
    QTest::newRow("example 1:59") << 3000.0 << 50.0 << "59";
    QTest::newRow("half rounds up") << 250.0 << 100.0 << "2";
    QTest::newRow("just below half") << 249.0 << 100.0 << "1";
    QTest::newRow("focus inside focal length") << 0.0 << 85.0 << "1";
    QTest::newRow("a million in exponent form") << 1000001.0 << 1.0 << "1e+06";
}

void TestDiagramMath::scaleRoundsHalfUp()
{
    QFETCH(double, fdist);
    QFETCH(double, flength);
    QFETCH(QString, shown);
    QCOMPARE(QString::number(DiagramMath::shownScale(fdist, flength), 'g', 6), shown);
}

void TestDiagramMath::limitsText_data()
{
    QTest::addColumn<double>("uInf");
    QTest::addColumn<double>("nearLimit");
    QTest::addColumn<double>("farLimit");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("text");
    QTest::newRow("example") << 3.53 << 2341.2 << 4189.9 << 59.0
                             << "Uz(inf): 3.53 - DOF: [2.34 - 4.19m] - Scale: 1:59";
    QTest::newRow("infinite far limit") << 0.5 << 3000.0 << 99999001.0 << 20.0
                                        << "Uz(inf): 0.5 - DOF: [3.00 - inf. m] - Scale: 1:20";
    QTest::newRow("exactly 10 km is finite") << 1.0 << 5000.0 << 10000000.0 << 1.0
                                             << "Uz(inf): 1 - DOF: [5.00 - 10000.00m] - Scale: 1:1";
    QTest::newRow("scale of a million")
        << 12.0 << 1.0 << 2.0 << 1000000.0 << "Uz(inf): 12 - DOF: [0.00 - 0.00m] - Scale: 1:1e+06";
}

void TestDiagramMath::limitsText()
{
    QFETCH(double, uInf);
    QFETCH(double, nearLimit);
    QFETCH(double, farLimit);
    QFETCH(double, scale);
    QFETCH(QString, text);
    QCOMPARE(DiagramMath::limitsText(uInf, nearLimit, farLimit, scale), text);
}

// The title text carries the camera number and a colon.
void TestDiagramMath::cameraTitle()
{
    QCOMPARE(DiagramMath::cameraTitle(1), QString("Camera 1:"));
    QCOMPARE(DiagramMath::cameraTitle(2), QString("Camera 2:"));
}

QTEST_GUILESS_MAIN(TestDiagramMath)
#include "tst_diagrammath.moc"
