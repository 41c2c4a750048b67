#include "app/mainwin.h"
#include "coutcapture.h"
#include "planning/modelcheck.h"

#include <QStatusBar>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

// The status bar's note where the window's fixed model is more than 10 % off
// the exact depth of field. Whether a setting is off is worked out here from
// the textbook formulas: the window's closed form s H / (H +- (s - F)) with
// H = F^2 / (N c), against the thin-lens limits F (1 + m) / (m +- c' N / F)
// with m = F / (s - F), the working f-number Ne = N (1 + m) and the defocus
// budget c' = sqrt(c^2 - (0.001342 Ne)^2) that the Airy disc leaves. Depths
// are compared in dioptres, 1 / near - 1 / far.
class TestModelNote : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void differsInDioptres_data();
    void differsInDioptres();
    void startsWithoutNote();
    void noteFollowsSettings_data();
    void noteFollowsSettings();
    void saidOnce();
    void takenBackWhenFair();
    void othersMessageStays();
    void hiddenCameraSaysNothing();
    void onlyTheStatusBarChanges();

private:
    void setCamera1(double flength, double aperture, double focus, double coc, bool diffraction);
    QString status() const { return w->statusBar()->currentMessage(); }

    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<mainWin> w;
};

namespace
{

constexpr double Inf = std::numeric_limits<double>::infinity();

// 1 / near - 1 / far in 1/mm; 0 where nothing is sharp.
double windowDioptres(double f, double n, double s, double c)
{
    const double h = f * f / (n * c);
    const double near = s * h / (h + (s - f));
    const double far = (s - f) < h ? s * h / (h - (s - f)) : Inf;
    return 1 / near - 1 / far;
}

double exactDioptres(double f, double n, double s, double c)
{
    const double m = f / (s - f);
    const double airy = 0.001342 * n * (1 + m);
    if (airy >= c)
        return 0;
    const double beta = std::sqrt(c * c - airy * airy) * n / f;
    const double near = f * (1 + m) / (m + beta);
    const double far = m > beta ? f * (1 + m) / (m - beta) : Inf;
    return 1 / near - 1 / far;
}

bool closedFormIsOff(double f, double n, double s, double c)
{
    const double shown = windowDioptres(f, n, s, c);
    const double exact = exactDioptres(f, n, s, c);
    return std::fabs(shown - exact) > 0.1 * exact;
}

} // namespace

void TestModelNote::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    w->boxC2->setChecked(false);
}

void TestModelNote::cleanup()
{
    w.reset();
    quiet.reset();
}

void TestModelNote::setCamera1(double flength, double aperture, double focus, double coc,
                               bool diffraction)
{
    w->c1_flength->setValue(flength);
    w->c1_apature->setValue(aperture);
    w->c1_coc->setValue(coc);
    w->c1_fdist->setValue(focus);
    w->c1_calcDef->setChecked(diffraction);
}

void TestModelNote::differsInDioptres_data()
{
    QTest::addColumn<double>("shownNear");
    QTest::addColumn<double>("shownFar");
    QTest::addColumn<double>("exactNear");
    QTest::addColumn<double>("exactFar");
    QTest::addColumn<bool>("differs");

    // 24 mm f/8 at 2.4 m, CoC 0.03: 1/1206 - 1/240000 against 1/1247 -
    // 1/31643 is 7 % apart, though the far limits are eight times apart.
    QTest::newRow("near hyperfocal") << 1206.0 << 240000.0 << 1247.0 << 31643.0 << false;
    QTest::newRow("1:1 searched") << 125.969 << 134.768 << 129.916 << 130.084 << true;
    QTest::newRow("10 km is infinity") << 1000.0 << 10000000.0 << 1000.0 << Inf << false;
    QTest::newRow("11 % deeper") << 1000.0 << 2000.0 << 1000.0 << 1000.0 / (1 - 0.5 / 1.11) << true;
    QTest::newRow("9 % deeper") << 1000.0 << 2000.0 << 1000.0 << 1000.0 / (1 - 0.5 / 1.09) << false;
    QTest::newRow("zone where none is") << 3995.0 << 4005.0 << 4000.0 << 4000.0 << true;
    QTest::newRow("none on both sides") << 4000.0 << 4000.0 << 4000.0 << 4000.0 << false;
}

// Depths of field are compared in dioptres, relative to the exact one.
void TestModelNote::differsInDioptres()
{
    QFETCH(double, shownNear);
    QFETCH(double, shownFar);
    QFETCH(double, exactNear);
    QFETCH(double, exactFar);
    QTEST(ModelCheck::differs(shownNear, shownFar, exactNear, exactFar), "differs");
}

// 85 mm f/1.2 and 135 mm f/2 at 4 m are well within the model: no note.
void TestModelNote::startsWithoutNote()
{
    mainWin fresh;
    const double c = fresh.c1_coc->value();
    QVERIFY(!closedFormIsOff(85, 1.2, 4000, c));
    QVERIFY(!closedFormIsOff(135, 2, 4000, fresh.c2_coc->value()));
    QCOMPARE(fresh.statusBar()->currentMessage(), QString());
}

void TestModelNote::noteFollowsSettings_data()
{
    QTest::addColumn<double>("flength");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("focus");
    QTest::addColumn<double>("coc");
    QTest::addColumn<bool>("diffraction");
    // "" for no note, else the words the note has for its cause.
    QTest::addColumn<QString>("cause");

    QTest::newRow("hyperfocal f/8, CoC 0.03") << 24.0 << 8.0 << 2.4 << 0.03 << false << "";
    QTest::newRow("portrait f/2.8") << 85.0 << 2.8 << 3.0 << 0.03 << false << "";
    QTest::newRow("f/8, CoC of 21 MP")
        << 50.0 << 8.0 << 3.0 << 0.0128 << false << "with diffraction counted";
    // Counted with the marked f-number, the Airy disc is 2 % short at 1:58.
    QTest::newRow("f/8, CoC of 21 MP, searched") << 50.0 << 8.0 << 3.0 << 0.0128 << true << "";
    QTest::newRow("f/16, Airy disc over the CoC")
        << 50.0 << 16.0 << 4.0 << 0.0128 << false << "with diffraction counted";
    QTest::newRow("1:1 f/2 closed form") << 65.0 << 2.0 << 0.13 << 0.03 << false << "";
    QTest::newRow("1:1 f/11 closed form")
        << 65.0 << 11.0 << 0.13 << 0.03 << false << "at this close range";
    // The window's search steps 10 mm; the exact zone is 0.17 mm deep.
    QTest::newRow("1:1 f/4 searched")
        << 65.0 << 4.0 << 0.13 << 0.015 << true << "at this close range";
}

// The note appears exactly where the figures are more than 10 % off, says
// which camera and why, and names the planner.
void TestModelNote::noteFollowsSettings()
{
    QFETCH(double, flength);
    QFETCH(double, aperture);
    QFETCH(double, focus);
    QFETCH(double, coc);
    QFETCH(bool, diffraction);
    QFETCH(QString, cause);

    if (!diffraction)
        QCOMPARE(closedFormIsOff(flength, aperture, focus * 1000, coc), !cause.isEmpty());
    setCamera1(flength, aperture, focus, coc, diffraction);
    if (cause.isEmpty()) {
        QCOMPARE(status(), QString());
        return;
    }
    QVERIFY2(status().startsWith("Camera 1: "), qPrintable(status()));
    QVERIFY2(status().contains(cause), qPrintable(status()));
    QVERIFY2(status().contains("more than 10 %"), qPrintable(status()));
    QVERIFY2(status().endsWith("Vorel Planner gives the exact figures."), qPrintable(status()));
}

// While the figures stay off, the note is not repeated at every change; it
// comes back only after they have been fair in between.
void TestModelNote::saidOnce()
{
    setCamera1(50, 8, 3, 0.0128, false);
    QVERIFY(!status().isEmpty());
    w->statusBar()->clearMessage();
    w->c1_apature->setValue(9);
    w->c1_fdist->setValue(3.5);
    QCOMPARE(status(), QString());

    w->c1_coc->setValue(0.03);
    w->c1_apature->setValue(2.8);
    QCOMPARE(status(), QString());
    w->c1_coc->setValue(0.0128);
    w->c1_apature->setValue(8);
    QVERIFY(status().contains("Vorel Planner"));
}

// A note that no longer holds goes away.
void TestModelNote::takenBackWhenFair()
{
    setCamera1(65, 4, 0.13, 0.015, true);
    QVERIFY(status().contains("close range"));
    w->c1_fdist->setValue(4);
    w->c1_flength->setValue(85);
    w->c1_apature->setValue(2.8);
    w->c1_coc->setValue(0.03);
    w->c1_calcDef->setChecked(false);
    QCOMPARE(status(), QString());
}

// Another message that replaced the note is not cleared in its stead.
void TestModelNote::othersMessageStays()
{
    setCamera1(50, 8, 3, 0.0128, false);
    QVERIFY(!status().isEmpty());
    w->statusBar()->showMessage("Something else");
    w->c1_coc->setValue(0.03);
    w->c1_apature->setValue(2.8);
    QCOMPARE(status(), QString("Something else"));
}

// A camera that is not shown has no figures to be off.
void TestModelNote::hiddenCameraSaysNothing()
{
    w->boxC1->setChecked(false);
    setCamera1(65, 11, 0.13, 0.03, false);
    QCOMPARE(status(), QString());
    w->boxC1->setChecked(true);
    QVERIFY(status().contains("Camera 1"));
}

// The note touches nothing but the status bar: the window above it looks
// exactly as it does with the note taken away.
void TestModelNote::onlyTheStatusBarChanges()
{
    w->resize(1212, 650);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    setCamera1(65, 11, 0.13, 0.03, false);
    QVERIFY(!status().isEmpty());
    const QImage withNote = w->centralWidget()->grab().toImage();
    const QRect statusArea = w->statusBar()->geometry();
    w->statusBar()->clearMessage();
    QCOMPARE(w->statusBar()->geometry(), statusArea);
    QCOMPARE(w->centralWidget()->grab().toImage(), withNote);
}

QTEST_MAIN(TestModelNote)
#include "tst_modelnote.moc"
