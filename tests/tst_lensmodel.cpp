#include "coutcapture.h"
#include "optics/lensmodel.h"

#include <QtTest>

#include <cmath>

static LensModel lens(double s, double n, double f, double c)
{
    CoutCapture quiet;
    LensModel m;
    m.init(s, n, f, c);
    return m;
}

class TestLensModel : public QObject
{
    Q_OBJECT

private slots:
    void initDerivesFieldsAndTraces_data();
    void initDerivesFieldsAndTraces();
    void closedForm_data();
    void closedForm();
    void farLimitSentinel_data();
    void farLimitSentinel();
    void nearLimitAtHyperfocalIsHalf();
    void scaleIsSymmetric();
    void diffractionSearches_data();
    void diffractionSearches();
    void hyperfocalDiffractionRestoresFocus_data();
    void hyperfocalDiffractionRestoresFocus();
    void searchesOfNanFocusTerminate();
};

void TestLensModel::initDerivesFieldsAndTraces_data()
{
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("adia");
    QTest::addColumn<double>("dif");
    QTest::addColumn<QString>("trace");

    QTest::newRow("85mm f/1.2") << 4000.0 << 1.2 << 85.0 << 0.0128 << 70.833333333 << 0.0016104
                                << "init - fdist: 4000 apature: 1.2 flength: 85 coc: 0.0128 "
                                   "adia: 70.8333 dif: 0.0016104\n";
    QTest::newRow("50mm f/2") << 3000.0 << 2.0 << 50.0 << 0.03 << 25.0 << 0.002684
                              << "init - fdist: 3000 apature: 2 flength: 50 coc: 0.03 adia: 25 "
                                 "dif: 0.002684\n";
    // Six significant digits, exponent notation where %g would use it.
    QTest::newRow("far focus") << 470377.6 << 16.0 << 5000.0 << 0.0001 << 312.5 << 0.021472
                               << "init - fdist: 470378 apature: 16 flength: 5000 coc: 0.0001 "
                                  "adia: 312.5 dif: 0.021472\n";
}

void TestLensModel::initDerivesFieldsAndTraces()
{
    QFETCH(double, s);
    QFETCH(double, n);
    QFETCH(double, f);
    QFETCH(double, c);
    QFETCH(double, adia);
    QFETCH(double, dif);
    QFETCH(QString, trace);

    CoutCapture capture;
    LensModel m;
    m.init(s, n, f, c);
    QCOMPARE(m.getFdist(), s);
    QCOMPARE(m.getApature(), n);
    QCOMPARE(m.getFlength(), f);
    QCOMPARE(m.getCoc(), c);
    QVERIFY(std::fabs(m.adia - adia) < 1e-8);
    QVERIFY(std::fabs(m.dif - dif) < 1e-12);
    QCOMPARE(QString::fromStdString(capture.text()), trace);
}

void TestLensModel::closedForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    const LensModel m = lens(4000, 1.2, 85, 0.0128);
    QTest::newRow("hyperfocal") << m.hyperfocal() << 470377.604 << 0.001;
    QTest::newRow("near") << m.nearLimit() << 3966.98 << 0.01;
    QTest::newRow("far") << m.farLimit() << 4033.57 << 0.01;
    QTest::newRow("blur at focus") << m.blur(4000, 0) << 0.0 << 0.0;
    QTest::newRow("blur at focus, diffraction") << m.blur(4000, 1) << 0.1258125 << 1e-7;
    QTest::newRow("blur at 10 km") << m.blur(10000000, 0) << 120.099 << 0.001;
    QTest::newRow("scale") << m.scale() << 46.0588 << 0.0001;
    // Diffraction adds in quadrature: sqrt(120.099^2 + 0.1258^2).
    QTest::newRow("blur at 10 km, diffraction")
        << m.blur(10000000, 1) << std::hypot(m.blur(10000000, 0), 0.1258125) << 1e-9;
    const LensModel w = lens(3000, 8, 50, 0.03);
    QTest::newRow("legend example near") << w.nearLimit() << 2340.0 << 5.0;
    QTest::newRow("legend example far") << w.farLimit() << 4190.0 << 5.0;
    QTest::newRow("legend example blur at 10 km") << w.blur(10000000, 0) << 3.53 << 0.01;
}

void TestLensModel::closedForm()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    QVERIFY2(std::fabs(value - expected) <= tolerance, qPrintable(QString::number(value, 'g', 12)));
}

void TestLensModel::farLimitSentinel_data()
{
    QTest::addColumn<double>("offset");
    QTest::addColumn<bool>("infinite");

    QTest::newRow("just inside") << -1.0 << false;
    QTest::newRow("exactly at H0") << 0.0 << true;
    QTest::newRow("beyond H0") << 1000.0 << true;
}

// A focus at or beyond H0 + F puts the far limit at infinity.
void TestLensModel::farLimitSentinel()
{
    QFETCH(double, offset);
    QFETCH(bool, infinite);
    // F^2 / (N c) = 2500 / (2 * 0.25) = 5000 exactly.
    const LensModel m = lens(5000 + 50 + offset, 2, 50, 0.25);
    QCOMPARE(m.hyperfocal(), 5000.0);
    QCOMPARE(m.farLimit() == LensModel::InfiniteFarLimit, infinite);
    QVERIFY(m.farLimit() > 0);
}

void TestLensModel::nearLimitAtHyperfocalIsHalf()
{
    const LensModel m = lens(5050, 2, 50, 0.25);
    QCOMPARE(m.nearLimit(), 5050.0 / 2);
}

void TestLensModel::scaleIsSymmetric()
{
    QCOMPARE(lens(150, 2, 50, 0.03).scale(), 2.0);
    QCOMPARE(lens(-50, 2, 50, 0.03).scale(), 2.0);
    // A NaN focus gives the sentinel, not a NaN limit.
    QCOMPARE(lens(std::nan(""), 2, 50, 0.03).farLimit(), LensModel::InfiniteFarLimit);
}

void TestLensModel::diffractionSearches_data()
{
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("hyper");
    QTest::addColumn<double>("nearD");
    QTest::addColumn<double>("farD");
    // Half a unit of the last digit the expected value is given with.
    QTest::addColumn<double>("tol");

    QTest::newRow("85mm f/1.2") << 4000.0 << 1.2 << 85.0 << 0.0128 << 452762.6 << 3964.85 << 4033.37
                                << 0.005;
    // Diffraction alone exceeds the CoC: about 10 mm of depth around the focus.
    QTest::newRow("50mm f/16") << 4000.0 << 16.0 << 50.0 << 0.0128 << -1.0 << 3996.09 << 4004.77
                               << 0.005;
    QTest::newRow("far limit at infinity")
        << 600000.0 << 1.2 << 85.0 << 0.0128 << 452762.6 << -2.0 << 9999995.5 << 0.05;
    QTest::newRow("50mm f/22 wide CoC")
        << 4000.0 << 22.0 << 50.0 << 0.03 << -2.0 << -2.0 << 4910.39 << 0.005;
    // Too close to probe: the midpoint of the interval at once.
    QTest::newRow("focus 11 mm") << 11.0 << 2.0 << 5.0 << 0.03 << -2.0 << 6.0 << -2.0 << 0.0;
    QTest::newRow("focus 9,999,990 mm")
        << 9999990.0 << 2.0 << 50.0 << 0.03 << -2.0 << -2.0 << 9999995.0 << 0.0;
}

// Expected values of -2 are not checked for that row.
void TestLensModel::diffractionSearches()
{
    QFETCH(double, s);
    QFETCH(double, n);
    QFETCH(double, f);
    QFETCH(double, c);
    QFETCH(double, hyper);
    QFETCH(double, nearD);
    QFETCH(double, farD);
    QFETCH(double, tol);

    LensModel m = lens(s, n, f, c);
    if (hyper != -2.0) {
        const double h = m.hyperfocalDiffraction();
        QVERIFY2(std::fabs(h - hyper) <= 0.05, qPrintable(QString::number(h, 'f', 3)));
    }
    if (nearD != -2.0) {
        const double near = m.nearLimitDiffraction();
        QVERIFY2(std::fabs(near - nearD) <= tol, qPrintable(QString::number(near, 'f', 3)));
    }
    if (farD != -2.0) {
        const double far = m.farLimitDiffraction();
        QVERIFY2(std::fabs(far - farD) <= tol, qPrintable(QString::number(far, 'f', 3)));
    }
}

void TestLensModel::hyperfocalDiffractionRestoresFocus_data()
{
    QTest::addColumn<double>("n");
    QTest::newRow("result found") << 1.2;
    QTest::newRow("no hyperfocal distance") << 16.0;
}

void TestLensModel::hyperfocalDiffractionRestoresFocus()
{
    QFETCH(double, n);
    LensModel m = lens(4000, n, 50, 0.0128);
    m.hyperfocalDiffraction();
    QCOMPARE(m.getFdist(), 4000.0);
}

// NaN inputs end every search at once or within its usual number of steps.
void TestLensModel::searchesOfNanFocusTerminate()
{
    LensModel m = lens(std::nan(""), 2, 50, 0.03);
    QVERIFY(std::isnan(m.nearLimitDiffraction()));
    QVERIFY(std::isnan(m.farLimitDiffraction()));
    LensModel inside = lens(4000, 2, 5000, 0.03);
    QVERIFY(std::isfinite(inside.nearLimitDiffraction()));
    QVERIFY(std::isfinite(inside.farLimitDiffraction()));
}

QTEST_GUILESS_MAIN(TestLensModel)
#include "tst_lensmodel.moc"
