#include "app/mainwin.h"
#include "coutcapture.h"
#include "project/projectfile.h"

#include <QStatusBar>
#include <QtTest>

#include <cmath>
#include <memory>

// The window's framing: "Lock magnification" holds F / (s - F) while the
// focal length changes, driven through the spin boxes as a user would, and
// File > "Same framing as camera 1" focuses camera 2 for camera 1's field.
// Expected focus distances come from s' = F' (1 + (s - F) / F) and from the
// field w (s - F) / F, written out here.
class TestFraming : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockHoldsMagnification_data();
    void lockHoldsMagnification();
    void untickedNeverMoves();
    void repeatedChangesDoNotDrift();
    void handSetFocusRebases();
    void tickingTakesTheCurrentBase();
    void focusBeyondTheBoxStopsAndSays();
    void copyTakesValuesAsTheyAre();
    void projectLoadIsNotMovedByTheLock();
    void sameFramingActionInFileMenu();
    void sameFraming_data();
    void sameFraming();
    void sameFramingWithoutFocus();

private:
    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
};

namespace
{

// The lock's rule, s' = F' (1 + (s - F) / F), in metres.
double heldFocus(double f, double sMetres, double newF)
{
    return newF * (1 + (sMetres * 1000 - f) / f) / 1000;
}

double rounded2(double x)
{
    return std::round(x * 100) / 100;
}

} // namespace

void TestFraming::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
}

void TestFraming::cleanup()
{
    w.reset();
    quiet.reset();
}

void TestFraming::lockHoldsMagnification_data()
{
    QTest::addColumn<int>("camera");
    QTest::addColumn<double>("flength");
    QTest::addColumn<double>("focus");
    QTest::addColumn<double>("newFlength");
    QTest::newRow("50 mm at 3 m to 100 mm") << 0 << 50.0 << 3.0 << 100.0;
    QTest::newRow("85 mm at 2 m to 35 mm") << 0 << 85.0 << 2.0 << 35.0;
    QTest::newRow("camera 2, 135 mm at 10 m to 200 mm") << 1 << 135.0 << 10.0 << 200.0;
}

void TestFraming::lockHoldsMagnification()
{
    QFETCH(int, camera);
    QFETCH(double, flength);
    QFETCH(double, focus);
    QFETCH(double, newFlength);
    QDoubleSpinBox *fl = camera == 0 ? w->c1_flength : w->c2_flength;
    QDoubleSpinBox *fd = camera == 0 ? w->c1_fdist : w->c2_fdist;
    QCheckBox *lock = camera == 0 ? w->checkBox_2 : w->checkBox;
    fl->setValue(flength);
    fd->setValue(focus);
    lock->setChecked(true);
    fl->setValue(newFlength);
    QCOMPARE(fd->value(), rounded2(heldFocus(flength, focus, newFlength)));
    // The window recomputed with the moved focus.
    QCOMPARE((camera == 0 ? w->c1_lens : w->c2_lens).getFdist(), fd->value() * 1000);
}

// Unticked, a focal length change leaves every focus where it was.
void TestFraming::untickedNeverMoves()
{
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(3);
    w->c2_fdist->setValue(7.25);
    w->checkBox->setChecked(true); // camera 2's lock does not hold camera 1
    for (double f : {100.0, 20.0, 300.0, 50.0}) {
        w->c1_flength->setValue(f);
        QCOMPARE(w->c1_fdist->value(), 3.0);
    }
    QCOMPARE(w->c2_fdist->value(), 7.25);
}

// The base is kept unrounded: out and back many times ends where it began.
void TestFraming::repeatedChangesDoNotDrift()
{
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(3.33);
    w->checkBox_2->setChecked(true);
    for (int i = 0; i < 20; ++i) {
        w->c1_flength->setValue(35);
        QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(50, 3.33, 35)));
        w->c1_flength->setValue(85);
        QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(50, 3.33, 85)));
    }
    w->c1_flength->setValue(50);
    QCOMPARE(w->c1_fdist->value(), 3.33);
}

void TestFraming::handSetFocusRebases()
{
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(3);
    w->checkBox_2->setChecked(true);
    w->c1_flength->setValue(100);
    QCOMPARE(w->c1_fdist->value(), 6.0);
    // Typed into the box: the new magnification is held from here on.
    w->c1_fdist->selectAll();
    QTest::keyClicks(w->c1_fdist, "4");
    QTest::keyClick(w->c1_fdist, Qt::Key_Enter);
    QCOMPARE(w->c1_fdist->value(), 4.0);
    w->c1_flength->setValue(200);
    QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(100, 4, 200)));
    // The hyperfocal button sets the focus too.
    w->c1_set_Hyper->click();
    const double hyper = w->c1_fdist->value();
    w->c1_flength->setValue(100);
    QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(200, hyper, 100)));
}

// Ticking takes the values shown at that moment, not those of an earlier tick.
void TestFraming::tickingTakesTheCurrentBase()
{
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(3);
    w->checkBox_2->setChecked(true);
    w->checkBox_2->setChecked(false);
    w->c1_flength->setValue(25);
    QCOMPARE(w->c1_fdist->value(), 3.0);
    w->checkBox_2->setChecked(true);
    w->c1_flength->setValue(50);
    QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(25, 3, 50)));
}

void TestFraming::focusBeyondTheBoxStopsAndSays()
{
    w->c1_flength->setValue(1000);
    w->c1_fdist->setValue(60000);
    w->checkBox_2->setChecked(true);
    w->statusBar()->clearMessage();
    w->c1_flength->setValue(2000); // would need about 120 km
    QCOMPARE(w->c1_fdist->value(), w->c1_fdist->maximum());
    const QString message = w->statusBar()->currentMessage();
    QVERIFY2(message.contains("Camera 1") && message.contains("99999.00"), qPrintable(message));
    // The base survives the stop: back at 1000 mm the focus is 60 km again.
    w->c1_flength->setValue(1000);
    QCOMPARE(w->c1_fdist->value(), 60000.0);
}

// A copy sets focus and focal length: camera 1 ends as camera 2 was, and
// its lock holds the copied magnification afterwards.
void TestFraming::copyTakesValuesAsTheyAre()
{
    w->checkBox_2->setChecked(true);
    w->c2_fdist->setValue(2.5);
    w->c2_flength->setValue(35);
    w->copyL();
    QCOMPARE(w->c1_fdist->value(), 2.5);
    QCOMPARE(w->c1_flength->value(), 35.0);
    w->c1_flength->setValue(70);
    QCOMPARE(w->c1_fdist->value(), rounded2(heldFocus(35, 2.5, 70)));
}

void TestFraming::projectLoadIsNotMovedByTheLock()
{
    ProjectFile p;
    p.cameras[0].fdist = 1.5;
    p.cameras[0].flength = 200;
    p.cameras[1].fdist = 8;
    p.cameras[1].flength = 24;
    w->checkBox_2->setChecked(true);
    w->checkBox->setChecked(true);
    w->applyProject(p, QStringLiteral("x.vlp"));
    QCOMPARE(w->c1_fdist->value(), 1.5);
    QCOMPARE(w->c1_flength->value(), 200.0);
    QCOMPARE(w->c2_fdist->value(), 8.0);
    QCOMPARE(w->c2_flength->value(), 24.0);
    // The lock state is the window's, not the file's.
    QVERIFY(w->checkBox_2->isChecked());
}

void TestFraming::sameFramingActionInFileMenu()
{
    QVERIFY(w->actionSame_framing);
    QCOMPARE(w->actionSame_framing->text(), QString("Same framing as camera 1"));
    QVERIFY(w->menuFile->actions().contains(w->actionSame_framing));
    // The form's own entries keep their order around it.
    QList<QAction *> others = w->menuFile->actions();
    others.removeAll(w->actionSame_framing);
    const QList<QAction *> form = {w->actionOpen, w->actionSave, w->actionSave_as,
                                   w->actionExport_to_Image, w->actionQuit};
    QCOMPARE(others, form);
}

void TestFraming::sameFraming_data()
{
    QTest::addColumn<int>("crop1");
    QTest::addColumn<int>("crop2");
    QTest::addColumn<double>("diag1");
    QTest::addColumn<double>("diag2");
    QTest::addColumn<double>("coc1");
    QTest::addColumn<double>("coc2");
    // Crop-factor panels set the CoC: frames in proportion to the diagonals
    // (full frame 43.27 mm, APS-C 1.6 26.68 mm, Four Thirds 21.64 mm).
    QTest::newRow("full frame and APS-C 1.6") << 3 << 6 << 43.26661531 << 26.68107944 << 0.0 << 0.0;
    QTest::newRow("Four Thirds and full frame")
        << 7 << 3 << 21.64000924 << 43.26661531 << 0.0 << 0.0;
    // CoCs typed in: frames in proportion to the CoCs.
    QTest::newRow("typed CoCs") << -1 << -1 << 0.0 << 0.0 << 0.03 << 0.02;
}

void TestFraming::sameFraming()
{
    QFETCH(int, crop1);
    QFETCH(int, crop2);
    QFETCH(double, diag1);
    QFETCH(double, diag2);
    QFETCH(double, coc1);
    QFETCH(double, coc2);
    if (crop1 >= 0) {
        w->c1_cropC->setCurrentIndex(crop1);
        w->c2_cropC->setCurrentIndex(crop2);
        w->c1_setCOCCF->click();
        w->c2_setCOCCF->click();
    } else {
        w->c1_coc->setValue(coc1);
        w->c2_coc->setValue(coc2);
        diag1 = coc1;
        diag2 = coc2;
    }
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(3);
    w->c2_flength->setValue(85);
    w->checkBox->setChecked(true);
    w->actionSame_framing->trigger();
    // Field at the subject w1 (s1 - F1) / F1 = w2 (s2 - F2) / F2.
    const double field = diag1 * (3000.0 - 50) / 50;
    const double s2 = 85 * (1 + field / diag2) / 1000;
    QCOMPARE(w->c2_fdist->value(), rounded2(s2));
    // A set focus: camera 2's lock holds the new framing.
    w->c2_flength->setValue(170);
    QCOMPARE(w->c2_fdist->value(), rounded2(heldFocus(85, rounded2(s2), 170)));
}

void TestFraming::sameFramingWithoutFocus()
{
    w->c1_flength->setValue(50);
    w->c1_fdist->setValue(0.05);
    w->c2_fdist->setValue(4);
    w->actionSame_framing->trigger();
    QCOMPARE(w->c2_fdist->value(), 4.0);
    QVERIFY(w->statusBar()->currentMessage().contains("Camera 1"));
}

QTEST_MAIN(TestFraming)
#include "tst_framing.moc"
