#include "app/mainwin.h"
#include "coutcapture.h"
#include "presets/cocpresets.h"

#include <QtTest>

#include <cmath>
#include <memory>

// Sensor tables and the CoC and hyperfocal setters, for both cameras.
class TestPresets : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tables_data();
    void tables();
    void equivalentScale();
    void cropFactor_data();
    void cropFactor();
    void pixelSize_data();
    void pixelSize();
    void viewDistance_data();
    void viewDistance();
    void viewDistanceRefusesNonPositiveResult_data();
    void viewDistanceRefusesNonPositiveResult();
    void unknownSensorFormatKeepsCoc();
    void unchangedResultDoesNotRecompute();
    void hyperfocal_data();
    void hyperfocal();

private:
    struct Controls {
        QDoubleSpinBox *coc;
        QDoubleSpinBox *fdist;
        QComboBox *cropC, *crop, *quality, *formD;
        QDoubleSpinBox *distD, *widthD;
        QPushButton *cf, *ps, *vd;
    };
    Controls controls(int cam) const;
    // Gives the other camera different choices, so that reading the wrong
    // camera's controls shows.
    void scrambleOther(int cam);

    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
};

void TestPresets::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
}

void TestPresets::cleanup()
{
    w.reset();
    quiet.reset();
}

TestPresets::Controls TestPresets::controls(int cam) const
{
    if (cam == 0)
        return {w->c1_coc,      w->c1_fdist,    w->c1_cropC,   w->c1_crop,
                w->c1_quality,  w->c1_formD,    w->c1_distD,   w->c1_widthD,
                w->c1_setCOCCF, w->c1_setCOCPS, w->c1_setCOCVD};
    return {w->c2_coc,   w->c2_fdist,  w->c2_cropC,    w->c2_crop,     w->c2_quality, w->c2_formD,
            w->c2_distD, w->c2_widthD, w->c2_setCOCCF, w->c2_setCOCPS, w->c2_setCOCVD};
}

void TestPresets::scrambleOther(int cam)
{
    const Controls o = controls(1 - cam);
    o.cropC->setCurrentIndex(0);
    o.crop->setCurrentIndex(13);
    o.quality->setCurrentIndex(0);
    o.formD->setCurrentIndex(1);
    o.distD->setValue(1000);
    o.widthD->setValue(1);
}

void TestPresets::tables_data()
{
    QTest::addColumn<bool>("diagonal");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("expected");

    QTest::newRow("diagonal full frame") << true << 3 << 43.26661531;
    QTest::newRow("diagonal 1/3.2") << true << 12 << 6.0;
    QTest::newRow("diagonal 1/3") << true << 13 << 5.684012667;
    QTest::newRow("pixels standard") << false << 0 << 4170000.0;
    QTest::newRow("pixels below list") << false << -1 << 4170000.0;
    QTest::newRow("pixels above list") << false << 8 << 4170000.0;
    QTest::newRow("pixels 10 million") << false << 3 << 10000000.0;
    QTest::newRow("pixels 32 million") << false << 7 << 32000000.0;
}

void TestPresets::tables()
{
    QFETCH(bool, diagonal);
    QFETCH(int, index);
    QFETCH(double, expected);
    QCOMPARE(diagonal ? w->getDiag(index) : w->getMPixel(index), expected);
}

void TestPresets::equivalentScale()
{
    // The table never reads outside itself.
    QVERIFY(std::isnan(w->getDiag(-1)));
    QVERIFY(std::isnan(w->getDiag(14)));
    for (int i = 1; i < CocPresets::FormatCount; ++i)
        QVERIFY(w->getDiag(i) < w->getDiag(i - 1));

    w->c1_crop->setCurrentIndex(6);
    QVERIFY(std::fabs(w->getEqScale(0) - 74.69) < 0.005);
    // Camera 2: 135 mm at 4 m on full frame.
    QVERIFY(std::fabs(w->getEqScale(1) - (4000.0 - 135) / 135) < 1e-9);
}

void TestPresets::cropFactor_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("coc");
    const double expected[] = {0.0527, 0.0395, 0.0360, 0.0288, 0.0229, 0.0188, 0.0178,
                               0.0144, 0.0073, 0.0059, 0.0048, 0.0045, 0.0040, 0.0038};
    for (int cam = 0; cam < 2; ++cam)
        for (int i = 0; i < 14; ++i)
            QTest::addRow("camera %d, format %d", cam + 1, i) << cam << i << expected[i];
}

void TestPresets::cropFactor()
{
    QFETCH(int, cam);
    QFETCH(int, format);
    QFETCH(double, coc);
    scrambleOther(cam);
    const Controls c = controls(cam);
    const double other = controls(1 - cam).coc->value();
    c.cropC->setCurrentIndex(format);
    c.quality->setCurrentIndex(7); // not read by this preset
    emit c.cf->released();
    QCOMPARE(c.coc->value(), coc);
    QCOMPARE(controls(1 - cam).coc->value(), other);
}

void TestPresets::pixelSize_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("quality");
    QTest::addColumn<double>("coc");
    for (int cam = 0; cam < 2; ++cam) {
        QTest::addRow("camera %d, full frame, 21 MP", cam + 1) << cam << 3 << 6 << 0.0128;
        QTest::addRow("camera %d, full frame, Standard", cam + 1) << cam << 3 << 0 << 0.0288;
        QTest::addRow("camera %d, full frame, 6 MP", cam + 1) << cam << 3 << 1 << 0.0240;
        QTest::addRow("camera %d, APS-C 1.6, 6 MP", cam + 1) << cam << 6 << 1 << 0.0148;
    }
}

void TestPresets::pixelSize()
{
    QFETCH(int, cam);
    QFETCH(int, format);
    QFETCH(int, quality);
    QFETCH(double, coc);
    scrambleOther(cam);
    const Controls c = controls(cam);
    c.coc->setValue(1.0);
    c.crop->setCurrentIndex(format);
    c.quality->setCurrentIndex(quality);
    emit c.ps->released();
    QCOMPARE(c.coc->value(), coc);
}

void TestPresets::viewDistance_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("form");
    QTest::addColumn<double>("coc");
    for (int cam = 0; cam < 2; ++cam) {
        QTest::addRow("camera %d, 250/300 3:2", cam + 1) << cam << 250.0 << 300.0 << 0 << 0.0200;
        QTest::addRow("camera %d, 250/300 4:3", cam + 1) << cam << 250.0 << 300.0 << 1 << 0.0192;
        QTest::addRow("camera %d, 50/30 3:2", cam + 1) << cam << 50.0 << 30.0 << 0 << 0.0400;
        // Far too small a result is clamped to the box's minimum.
        QTest::addRow("camera %d, tiny", cam + 1) << cam << 0.01 << 99999.0 << 0 << 0.0001;
    }
}

void TestPresets::viewDistance()
{
    QFETCH(int, cam);
    QFETCH(double, distance);
    QFETCH(double, width);
    QFETCH(int, form);
    QFETCH(double, coc);
    scrambleOther(cam);
    const Controls c = controls(cam);
    c.distD->setValue(distance);
    c.widthD->setValue(width);
    c.formD->setCurrentIndex(form);
    emit c.vd->released();
    QCOMPARE(c.coc->value(), coc);
}

void TestPresets::viewDistanceRefusesNonPositiveResult_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("message");
    for (int cam = 0; cam < 2; ++cam) {
        QTest::addRow("camera %d, both zero", cam + 1)
            << cam << 0.0 << 0.0 << "Image width must be greater than 0";
        QTest::addRow("camera %d, width zero", cam + 1)
            << cam << 250.0 << 0.0 << "Image width must be greater than 0";
        QTest::addRow("camera %d, distance zero", cam + 1)
            << cam << 0.0 << 300.0 << "View distance must be greater than 0";
    }
}

// A division by zero is not clamped into the box: the CoC stays and the
// status bar says why.
void TestPresets::viewDistanceRefusesNonPositiveResult()
{
    QFETCH(int, cam);
    QFETCH(double, distance);
    QFETCH(double, width);
    QFETCH(QString, message);
    const Controls c = controls(cam);
    c.coc->setValue(0.0321);
    c.distD->setValue(distance);
    c.widthD->setValue(width);
    emit c.vd->released();
    QCOMPARE(c.coc->value(), 0.0321);
    QCOMPARE(w->statusbar->currentMessage(), message);
    // A later successful set clears the message.
    c.distD->setValue(250);
    c.widthD->setValue(300);
    emit c.vd->released();
    QCOMPARE(c.coc->value(), 0.02);
    QVERIFY(w->statusbar->currentMessage().isEmpty());
}

void TestPresets::unknownSensorFormatKeepsCoc()
{
    w->c1_cropC->clear();
    w->c1_setCOCCF->released();
    QCOMPARE(w->c1_coc->value(), 0.0128);
    QVERIFY(!w->statusbar->currentMessage().isEmpty());
}

void TestPresets::unchangedResultDoesNotRecompute()
{
    CoutCapture capture;
    w->setC1CocPS(); // 0.0128 already shown
    w->setC2CocPS();
    QCOMPARE(capture.count("init - "), 0);
    w->c1_setCOCCF->released(); // 0.0178: one pass
    QCOMPARE(capture.count("init - "), 2);
}

void TestPresets::hyperfocal_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<double>("n");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("coc");
    QTest::addColumn<bool>("diffraction");
    QTest::addColumn<double>("focus");
    for (int cam = 0; cam < 2; ++cam) {
        QTest::addRow("camera %d, closed form", cam + 1)
            << cam << 1.2 << 85.0 << 0.0128 << false << 470.38;
        QTest::addRow("camera %d, diffraction", cam + 1)
            << cam << 1.2 << 85.0 << 0.0128 << true << 452.76;
        QTest::addRow("camera %d, clamped", cam + 1)
            << cam << 0.7 << 5000.0 << 0.0001 << false << 99999.0;
        // No hyperfocal distance: the focus stays where it was.
        QTest::addRow("camera %d, none", cam + 1) << cam << 16.0 << 50.0 << 0.0128 << true << 4.0;
    }
}

void TestPresets::hyperfocal()
{
    QFETCH(int, cam);
    QFETCH(double, n);
    QFETCH(double, f);
    QFETCH(double, coc);
    QFETCH(bool, diffraction);
    QFETCH(double, focus);
    QDoubleSpinBox *fdist = controls(cam).fdist;
    (cam == 0 ? w->c1_apature : w->c2_apature)->setValue(n);
    (cam == 0 ? w->c1_flength : w->c2_flength)->setValue(f);
    controls(cam).coc->setValue(coc);
    (cam == 0 ? w->c1_calcDef : w->c2_calcDef)->setChecked(diffraction);
    const double otherFocus = controls(1 - cam).fdist->value();
    (cam == 0 ? w->c1_set_Hyper : w->c2_set_Hyper)->click();
    QCOMPARE(fdist->value(), focus);
    QCOMPARE(controls(1 - cam).fdist->value(), otherFocus);
}

QTEST_MAIN(TestPresets)
#include "tst_presets.moc"
