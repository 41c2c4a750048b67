#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

// The main window as controller: start-up state, run(), copy and swap, and
// the left-border controls.
class TestMainWin : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpState();
    void startUpWritesSixTraceLines();
    void cocPanelFollowsMethod_data();
    void cocPanelFollowsMethod();
    void leftBorderFloor_data();
    void leftBorderFloor();
    void sliderLabelsFollowSliders();
    void copyRight();
    void copyLeft();
    void swapTwiceRestores();
    void swapExchangesAllFour();
    void scrollBarMovesLeftBorderOnly();
    void hyperfocalButtonWithoutHyperfocalDistance();
    void disabledHyperfocalButtonComesBack();
    void switchedOffCameraKeepsHyperfocalOff_data();
    void switchedOffCameraKeepsHyperfocalOff();
    void quitEndsProcessAtOnce();
    void groupSeparatorIsNoNumber_data();
    void groupSeparatorIsNoNumber();

private:
    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
};

void TestMainWin::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
}

void TestMainWin::cleanup()
{
    w.reset();
    quiet.reset();
}

void TestMainWin::startUpState()
{
    QCOMPARE(w->windowTitle(), QString("Vorel"));
    QCOMPARE(w->version, QString("0.02beta"));
    QVERIFY(w->fileName.isEmpty());
    QVERIFY(w->diagram != nullptr);
    QCOMPARE(w->diagram->parentWidget(), w->frame);
    // The pixel-size preset replaces the form's 0.0125 mm.
    QCOMPARE(w->c1_coc->value(), 0.0128);
    QCOMPARE(w->c2_coc->value(), 0.0128);
    QCOMPARE(w->c1_set_Hyper->text(), QString("Set to hyperfocal (470.4m)"));
    QCOMPARE(w->c2_set_Hyper->text(), QString("Set to hyperfocal (711.9m)"));
    QVERIFY(!w->gbC1_1->isHidden());
    QVERIFY(w->gbC1_2->isHidden());
    QVERIFY(w->gbC1_3->isHidden());
    QVERIFY(!w->gbC2_1->isHidden());
    QVERIFY(w->gbC2_2->isHidden());
    QVERIFY(w->gbC2_3->isHidden());
    QCOMPARE(w->qxscaled->text(), QString("35"));
    QCOMPARE(w->qyscaled->text(), QString("2"));
    QCOMPARE(w->DSB_leftBorder->minimum(), 0.27);
    QCOMPARE(w->DSB_leftBorder->value(), 1.0);
    QCOMPARE(w->SB_leftBorder->minimum(), 1);
    QCOMPARE(w->SB_leftBorder->maximum(), 1000);
    QCOMPARE(w->SB_leftBorder->value(), 1);
    // The records match the form.
    QCOMPARE(w->c1_lens.getFdist(), 4000.0);
    QCOMPARE(w->c2_lens.getFlength(), 135.0);
}

// Two CoC presets that change the value, then the explicit run(): three
// passes of two cameras each.
void TestMainWin::startUpWritesSixTraceLines()
{
    CoutCapture capture;
    mainWin fresh;
    QCOMPARE(capture.count("init - fdist: "), 6);
    QCOMPARE(capture.count("\n"), 6);
}

void TestMainWin::cocPanelFollowsMethod_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<int>("method");
    for (int cam = 0; cam < 2; ++cam)
        for (int method : {2, 1, 0})
            QTest::addRow("camera %d, method %d", cam + 1, method) << cam << method;
}

void TestMainWin::cocPanelFollowsMethod()
{
    QFETCH(int, cam);
    QFETCH(int, method);
    QComboBox *box = cam == 0 ? w->c1_cocSet : w->c2_cocSet;
    QGroupBox *panels[2][3] = {{w->gbC1_1, w->gbC1_2, w->gbC1_3},
                               {w->gbC2_1, w->gbC2_2, w->gbC2_3}};
    box->setCurrentIndex(method == 0 ? 2 : 0);
    box->setCurrentIndex(method);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(panels[cam][i]->isHidden(), i != method);
    // The other camera keeps its crop-factor panel.
    QVERIFY(!panels[1 - cam][0]->isHidden());
}

void TestMainWin::leftBorderFloor_data()
{
    QTest::addColumn<double>("border");
    QTest::addColumn<double>("f1");
    QTest::addColumn<double>("f2");
    QTest::addColumn<double>("minimum");

    QTest::newRow("camera 2 sets last") << 1.0 << 85.0 << 135.0 << 0.27;
    QTest::newRow("camera 2 too long") << 1.0 << 85.0 << 600.0 << 0.17;
    // Equal is not greater: the floor that was there stays.
    QTest::newRow("border exactly 2f") << 0.5 << 250.0 << 600.0 << 0.17;
    QTest::newRow("border just above 2f") << 0.5 << 249.0 << 600.0 << 0.5;
    // 4.03 * 1000 is slightly above 4030 in binary.
    QTest::newRow("border exactly 2f, rounding") << 4.03 << 2015.0 << 5000.0 << 0.17;
}

void TestMainWin::leftBorderFloor()
{
    QFETCH(double, border);
    QFETCH(double, f1);
    QFETCH(double, f2);
    QFETCH(double, minimum);
    w->c2_flength->setValue(f2);
    w->DSB_leftBorder->setValue(border);
    w->c1_flength->setValue(f1);
    QCOMPARE(w->DSB_leftBorder->minimum(), minimum);
    QCOMPARE(w->DSB_leftBorder->value(), border);
}

void TestMainWin::sliderLabelsFollowSliders()
{
    w->qxscale->setValue(50);
    w->qyscale->setValue(100);
    QCOMPARE(w->qxscaled->text(), QString("50"));
    QCOMPARE(w->qyscaled->text(), QString("100"));
}

void TestMainWin::copyRight()
{
    w->c1_coc->setValue(0.0125);
    w->c2_calcDef->setChecked(true);
    w->copyR();
    QCOMPARE(w->c2_fdist->value(), 4.0);
    QCOMPARE(w->c2_apature->value(), 1.2);
    QCOMPARE(w->c2_flength->value(), 85.0);
    QCOMPARE(w->c2_coc->value(), 0.0125);
    QVERIFY(w->c2_calcDef->isChecked());
    // The last pass saw the final state.
    QCOMPARE(w->c2_lens.getFlength(), 85.0);
    QCOMPARE(w->c2_lens.getCoc(), 0.0125);
}

void TestMainWin::copyLeft()
{
    w->c2_fdist->setValue(12.34);
    w->copyL();
    QCOMPARE(w->c1_fdist->value(), 12.34);
    QCOMPARE(w->c1_apature->value(), 2.0);
    QCOMPARE(w->c1_flength->value(), 135.0);
    QCOMPARE(w->c1_coc->value(), 0.0128);
    QCOMPARE(w->c1_lens.getFdist(), 12340.0);
}

void TestMainWin::swapTwiceRestores()
{
    w->c1_fdist->setValue(2.5);
    w->c2_coc->setValue(0.03);
    const QList<double> before = {
        w->c1_fdist->value(), w->c1_apature->value(), w->c1_flength->value(), w->c1_coc->value(),
        w->c2_fdist->value(), w->c2_apature->value(), w->c2_flength->value(), w->c2_coc->value()};
    w->swapLR();
    w->swapLR();
    const QList<double> after = {
        w->c1_fdist->value(), w->c1_apature->value(), w->c1_flength->value(), w->c1_coc->value(),
        w->c2_fdist->value(), w->c2_apature->value(), w->c2_flength->value(), w->c2_coc->value()};
    QCOMPARE(after, before);
}

void TestMainWin::swapExchangesAllFour()
{
    w->c1_fdist->setValue(2.5);
    w->c2_coc->setValue(0.03);
    w->swpLR->released();
    QCOMPARE(w->c1_fdist->value(), 4.0);
    QCOMPARE(w->c2_fdist->value(), 2.5);
    QCOMPARE(w->c1_apature->value(), 2.0);
    QCOMPARE(w->c2_apature->value(), 1.2);
    QCOMPARE(w->c1_flength->value(), 135.0);
    QCOMPARE(w->c2_flength->value(), 85.0);
    QCOMPARE(w->c1_coc->value(), 0.03);
    QCOMPARE(w->c2_coc->value(), 0.0128);
    QCOMPARE(w->c1_lens.getCoc(), 0.03);
    QCOMPARE(w->c2_lens.getFlength(), 85.0);
}

void TestMainWin::scrollBarMovesLeftBorderOnly()
{
    w->SB_leftBorder->setValue(37);
    QCOMPARE(w->DSB_leftBorder->value(), 37.0);
    w->DSB_leftBorder->setValue(2.5);
    QCOMPARE(w->SB_leftBorder->value(), 37);
}

// Diffraction alone exceeds the CoC: no distance to show or to focus on.
void TestMainWin::hyperfocalButtonWithoutHyperfocalDistance()
{
    w->c1_flength->setValue(50);
    w->c1_apature->setValue(16);
    w->c1_calcDef->setChecked(true);
    QCOMPARE(w->c1_set_Hyper->text(), QString("Set to hyperfocal (none)"));
    QVERIFY(!w->c1_set_Hyper->isEnabled());
    w->setC1Hyper();
    QCOMPARE(w->c1_fdist->value(), 4.0);
    // Camera 2 is unaffected.
    QVERIFY(w->c2_set_Hyper->isEnabled());
}

void TestMainWin::disabledHyperfocalButtonComesBack()
{
    w->c1_apature->setValue(64);
    w->c1_calcDef->setChecked(true);
    QVERIFY(!w->c1_set_Hyper->isEnabled());
    w->c1_calcDef->setChecked(false);
    QVERIFY(w->c1_set_Hyper->isEnabled());
    QVERIFY(w->c1_set_Hyper->text().startsWith("Set to hyperfocal ("));
    QVERIFY(w->c1_set_Hyper->text().endsWith("m)"));
}

void TestMainWin::switchedOffCameraKeepsHyperfocalOff_data()
{
    QTest::addColumn<int>("cam");
    QTest::addColumn<bool>("byKeyboard");

    for (int cam = 0; cam < 2; ++cam) {
        QTest::addRow("camera %d, setChecked", cam + 1) << cam << false;
        QTest::addRow("camera %d, space on the box", cam + 1) << cam << true;
    }
}

// While its group box is unchecked a camera's hyperfocal button stays off,
// whatever run() passes follow; its text is still refreshed, and checking
// the box brings the button back.
void TestMainWin::switchedOffCameraKeepsHyperfocalOff()
{
    QFETCH(int, cam);
    QFETCH(bool, byKeyboard);

    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QGroupBox *box = cam == 0 ? w->boxC1 : w->boxC2;
    QPushButton *button = cam == 0 ? w->c1_set_Hyper : w->c2_set_Hyper;
    QDoubleSpinBox *flength = cam == 0 ? w->c1_flength : w->c2_flength;
    QDoubleSpinBox *otherFocus = cam == 0 ? w->c2_fdist : w->c1_fdist;
    QVERIFY(button->isEnabled());

    if (byKeyboard) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    } else {
        box->setChecked(false);
    }
    QVERIFY(!box->isChecked());
    QVERIFY(!button->isEnabled());

    otherFocus->setValue(7.5);
    w->qxscale->setValue(20);
    QVERIFY(!button->isEnabled());
    const QString before = button->text();
    flength->setValue(flength->value() + 10);
    QVERIFY(button->text() != before);
    QVERIFY(!button->isEnabled());

    box->setChecked(true);
    QVERIFY(button->isEnabled());
    QVERIFY(button->text().endsWith("m)"));
}

// File > Quit ends the process with status 0 from inside the slot. The test
// runs itself as a child process that triggers the action.
void TestMainWin::quitEndsProcessAtOnce()
{
    if (qEnvironmentVariableIsSet("VOREL_QUIT_CHILD")) {
        w->actionQuit->trigger();
        QFAIL("quit() returned");
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VOREL_QUIT_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"quitEndsProcessAtOnce"});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(!child.readAllStandardOutput().contains("quit() returned"));
}

void TestMainWin::groupSeparatorIsNoNumber_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<double>("meant");

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const char *box : {"c1_apature", "c2_fdist", "c1_coc", "DSB_leftBorder"}) {
        const bool coc = QByteArray(box) == "c1_coc";
        const QString c = coc ? "0,028" : "2,8";
        const QString d = coc ? "0.028" : "2.8";
        const double meant = coc ? 0.028 : 2.8;
        QTest::addRow("C, %s", box) << QLocale::c() << box << c << d << meant;
        QTest::addRow("en, %s", box) << english << box << c << d << meant;
        QTest::addRow("de, %s", box) << german << box << d << c << meant;
    }
}

// The other language's decimal mark is the locale's group separator: the
// typed text stays unacceptable, never ten (or a thousand) times the number
// meant. The locale's own mark still works.
void TestMainWin::groupSeparatorIsNoNumber()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, decimal);
    QFETCH(double, meant);

    const QLocale previous;
    QLocale::setDefault(locale);
    w = std::make_unique<mainWin>();
    QLocale::setDefault(previous);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    auto *spin = w->findChild<QDoubleSpinBox *>(box);
    QVERIFY(spin);
    auto *edit = spin->findChild<QLineEdit *>();
    spin->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    // The digits before the separator count as typed (keyboard tracking);
    // nothing after it does.
    QVERIFY2(!spin->hasAcceptableInput(), qPrintable(edit->text()));
    QVERIFY2(spin->value() < meant, qPrintable(QString::number(spin->value())));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY2(spin->value() < meant, qPrintable(QString::number(spin->value())));

    edit->selectAll();
    QTest::keyClicks(edit, decimal);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(spin->value(), meant);
}

QTEST_MAIN(TestMainWin)
#include "tst_mainwin.moc"
