#include "app/graph.h"
#include "app/mainwin.h"
#include "coutcapture.h"
#include "recordingdevice.h"

#include <QAccessible>
#include <QtTest>

#include <algorithm>

#include <memory>

// The main window as a screen reader sees it through Qt's accessibility
// interfaces: the name each input is announced by, and the diagram's
// description, which has to say what its legends say.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void labelledControlsAnnounceTheirLabel();
    void cameraFieldsCarryTheirCamera_data();
    void cameraFieldsCarryTheirCamera();
    void everyInputHasAToolTip();
    void resultsAreDescribed();
    void everyShownControlHasAWordyName();
    void diagramIsANamedChart();
    void descriptionHoldsLegendFigures();
    void descriptionIsWhatTheLegendShows();
    void descriptionFollowsChange_data();
    void descriptionFollowsChange();
    void tabReachesDiagramAfterTheForm();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();

private:
    QAccessibleInterface *face(QObject *o) const;
    QString description() const;

    std::unique_ptr<CoutCapture> quiet;
    std::unique_ptr<mainWin> w;
};

namespace
{

// The legend example of the diagram's drawing: 50 mm at f/8, focused at 3 m
// with a CoC of 0.03 mm, without diffraction.
void setExampleCamera(mainWin &w)
{
    w.c1_flength->setValue(50);
    w.c1_apature->setValue(8);
    w.c1_fdist->setValue(3);
    w.c1_coc->setValue(0.03);
    w.c1_calcDef->setChecked(false);
}

bool hasLetter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

} // namespace

void TestAccessibility::init()
{
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void TestAccessibility::cleanup()
{
    w.reset();
    quiet.reset();
}

QAccessibleInterface *TestAccessibility::face(QObject *o) const
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    if (!iface)
        qWarning("no accessible interface for %s", qPrintable(o->objectName()));
    return iface;
}

QString TestAccessibility::description() const
{
    QAccessibleInterface *iface = face(w->diagram);
    return iface ? iface->text(QAccessible::Description) : QString();
}

// A control with a label is labelled by it, and announced by the label's
// text: as its name, or for a combo box, whose name on Linux is its current
// choice, as the first label it is labelled by. Both cameras' fields carry
// the same labels, so their names say the camera instead ("Camera 1 focus
// distance"), and the label stays the relation a screen reader reads.
void TestAccessibility::labelledControlsAnnounceTheirLabel()
{
    int checked = 0;
    for (QLabel *label : w->findChildren<QLabel *>()) {
        if (!label->buddy())
            continue;
        ++checked;
        const QString text = face(label)->text(QAccessible::Name);
        QAccessibleInterface *control = face(label->buddy());
        QVERIFY(control);
        const auto labels = control->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), text);
        const QString object = label->buddy()->objectName();
        QString announced = control->text(QAccessible::Name);
        if (control->role() == QAccessible::ComboBox) {
            announced = labels.first().first->text(QAccessible::Name);
            QCOMPARE(control->text(QAccessible::Value),
                     qobject_cast<QComboBox *>(label->buddy())->currentText());
        } else if (object.startsWith(QLatin1String("c1_")) ||
                   object.startsWith(QLatin1String("c2_"))) {
            const QString camera = QStringLiteral("Camera %1 ").arg(object.at(1));
            QVERIFY2(announced.startsWith(camera), qPrintable(object + ": " + announced));
            continue;
        }
        QVERIFY2(announced == text, qPrintable(object + ": " + announced));
    }
    QCOMPARE(checked, 23);
}

void TestAccessibility::cameraFieldsCarryTheirCamera_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");

    const char *const rows[][2] = {
        {"fdist", "focus distance"},
        {"apature", "f-number"},
        {"flength", "focal length"},
        {"coc", "circle of confusion"},
        {"calcDef", "calc with diffraction"},
        {"set_Hyper", "set to hyperfocal"},
        {"distD", "view distance"},
        {"widthD", "image width"},
        {"setCOCCF", "set CoC by crop factor"},
        {"setCOCPS", "set CoC by pixel size"},
        {"setCOCVD", "set CoC by view distance"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// Each camera's twin fields are told apart by name: "Camera 1 ..." and
// "Camera 2 ...", never the same.
void TestAccessibility::cameraFieldsCarryTheirCamera()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    QStringList names;
    for (const char *camera : {"1", "2"}) {
        QWidget *widget = w->findChild<QWidget *>(QStringLiteral("c%1_").arg(camera) + field);
        QVERIFY(widget);
        names << face(widget)->text(QAccessible::Name);
        QCOMPARE(names.last(), QStringLiteral("Camera %1 ").arg(camera) + name);
    }
    QVERIFY(names.first() != names.last());
}

// Every input tells what it is when the mouse rests on it; the camera's
// inputs name their camera, and the number fields give their unit and range.
void TestAccessibility::everyInputHasAToolTip()
{
    int checked = 0;
    for (QWidget *widget : w->centralWidget()->findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractSpinBox *>(widget) && !qobject_cast<QAbstractButton *>(widget) &&
            !qobject_cast<QComboBox *>(widget) && !qobject_cast<QAbstractSlider *>(widget) &&
            !qobject_cast<QGroupBox *>(widget))
            continue;
        const QString object = widget->objectName();
        if (object.isEmpty() || object.startsWith(QLatin1String("qt_")) ||
            object.startsWith(QLatin1String("gb")))
            continue;
        ++checked;
        const QString tip = widget->toolTip();
        QVERIFY2(tip.size() > 20, qPrintable(object + ": " + tip));
        // c1_fdist, boxC1 and checkBox_2 belong to camera 1.
        QChar camera;
        if (object.startsWith(QLatin1String("c1_")) || object.startsWith(QLatin1String("c2_")))
            camera = object.at(1);
        else if (object.startsWith(QLatin1String("boxC")))
            camera = object.back();
        else if (object.startsWith(QLatin1String("checkBox")))
            camera = object == QLatin1String("checkBox_2") ? QChar('1') : QChar('2');
        if (!camera.isNull())
            QVERIFY2(tip.contains(QStringLiteral("camera ") + camera, Qt::CaseInsensitive),
                     qPrintable(object + ": " + tip));
        if (auto *box = qobject_cast<QDoubleSpinBox *>(widget))
            QVERIFY2(tip.contains(QString::number(box->maximum(), 'g', 6)),
                     qPrintable(object + ": " + tip));
    }
    // 18 inputs of each camera (its box and lock included), the three copy
    // buttons and the six diagram controls.
    QCOMPARE(checked, 2 * 18 + 3 + 6);
}

// The results a screen reader cannot see: each hyperfocal button describes
// its camera and distance, the scale labels what their numbers mean.
void TestAccessibility::resultsAreDescribed()
{
    w->c1_flength->setValue(24);
    w->c1_apature->setValue(8);
    w->c1_coc->setValue(0.03);
    // F^2 / (N c) = 576 / 0.24 mm = 2.4 m.
    QCOMPARE(face(w->c1_set_Hyper)->text(QAccessible::Description),
             QString("Camera 1: Set to hyperfocal (2.4m)"));
    QVERIFY(face(w->c2_set_Hyper)->text(QAccessible::Description).startsWith("Camera 2: "));
    w->qxscale->setValue(41);
    QCOMPARE(face(w->qxscaled)->text(QAccessible::Description),
             QString("One pixel of the diagram spans 10 mm of distance."));
    w->qyscale->setValue(20);
    QCOMPARE(face(w->qyscaled)->text(QAccessible::Description),
             QString("A blur of one CoC (U = 1) is 20 pixels high."));
}

// Whatever the user can reach is announced with words, not arrows alone.
void TestAccessibility::everyShownControlHasAWordyName()
{
    static const QAccessible::Role controls[] = {
        QAccessible::SpinBox,  QAccessible::Slider,   QAccessible::ScrollBar,
        QAccessible::CheckBox, QAccessible::ComboBox, QAccessible::RadioButton,
        QAccessible::Button,
    };
    int checked = 0;
    for (QWidget *widget : w->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface *iface = face(widget);
        if (!iface || std::find(std::begin(controls), std::end(controls), iface->role()) ==
                          std::end(controls))
            continue;
        ++checked;
        QString name = iface->text(QAccessible::Name);
        const auto labels = iface->relations(QAccessible::Label);
        if (iface->role() == QAccessible::ComboBox && !labels.isEmpty())
            name = labels.first().first->text(QAccessible::Name);
        QVERIFY2(hasLetter(name), qPrintable(widget->objectName() + ": " + name));
    }
    QVERIFY(checked >= 30);
}

// The diagram is a chart that Tab reaches.
void TestAccessibility::diagramIsANamedChart()
{
    QAccessibleInterface *iface = face(w->diagram);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), QString("Blur diagram"));
    QCOMPARE(iface->role(), QAccessible::Chart);
    QVERIFY(!iface->state().invisible);
    QVERIFY(iface->state().focusable);
}

// The figures of the legend example, one camera shown.
void TestAccessibility::descriptionHoldsLegendFigures()
{
    w->boxC2->setChecked(false);
    setExampleCamera(*w);
    QCOMPARE(description(), QString("Camera 1: 50mm f/8 - Dist.: 3m - CoC: 0.0300mm; "
                                    "Uz(inf): 3.53 - DOF: [2.34 - 4.19m] - Scale: 1:59"));
}

// With both cameras and diffraction on, every legend line drawn is in the
// description, camera 1 first.
void TestAccessibility::descriptionIsWhatTheLegendShows()
{
    w->c1_calcDef->setChecked(true);
    w->c2_apature->setValue(16);
    const QString text = description();

    RecordingDevice device(w->diagram->width(), w->diagram->height());
    {
        QPainter painter(&device);
        w->diagram->drawDiagram(painter);
    }
    QStringList legend;
    for (const auto &t : device.record().texts)
        if (t.text.startsWith(QLatin1String("Camera ")) ||
            t.text.contains(QLatin1String("mm f/")) || t.text.contains(QLatin1String("DOF:")))
            legend << t.text;
    QCOMPARE(legend.size(), 6);
    int from = 0;
    for (const QString &line : legend) {
        const int at = text.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(line + " not in: " + text));
        from = at + line.size();
    }
    QCOMPARE(text.count(QLatin1Char('\n')), 1);
}

void TestAccessibility::descriptionFollowsChange_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("gone");

    const struct {
        const char *name, *expected, *gone;
    } rows[] = {
        {"aperture", "f/5.6 - Dist.: 3m", "f/8 -"},
        {"focus", "Dist.: 10m", "Dist.: 3m"},
        {"focal length", "35mm f/8", "50mm f/8"},
        {"diffraction", "Camera 1:", "DOF: [2.34 - 4.19m]"},
        {"camera 1 off", "Camera 2:", "Camera 1:"},
        {"both off", "No camera is shown.", "Camera"},
    };
    int change = 0;
    for (const auto &row : rows)
        QTest::newRow(row.name) << change++ << row.expected << row.gone;
}

// Each change of an input that the legend shows reaches the description.
void TestAccessibility::descriptionFollowsChange()
{
    QFETCH(int, change);
    QFETCH(QString, expected);
    QFETCH(QString, gone);

    setExampleCamera(*w);
    const QString before = description();
    switch (change) {
    case 0:
        w->c1_apature->setValue(5.6);
        break;
    case 1:
        w->c1_fdist->setValue(10);
        break;
    case 2:
        w->c1_flength->setValue(35);
        break;
    case 3:
        w->c1_calcDef->setChecked(true);
        break;
    case 4:
        w->boxC1->setChecked(false);
        break;
    case 5:
        w->boxC1->setChecked(false);
        w->boxC2->setChecked(false);
        break;
    }
    const QString after = description();
    QVERIFY(after != before);
    QVERIFY2(after.contains(expected), qPrintable(after));
    QVERIFY2(!after.contains(gone), qPrintable(after));
}

// Tab passes through the form's own order first and ends on the diagram,
// whose description a screen reader then reads.
void TestAccessibility::tabReachesDiagramAfterTheForm()
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->DSB_leftBorder->setFocus();
    QStringList order;
    for (int i = 0; i < 60 && !w->diagram->hasFocus(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QVERIFY2(w->diagram->hasFocus(), qPrintable(order.join(' ')));
    const QStringList formStart = {"distanceCam", "qxscale",  "qyscale",      "boxC1",
                                   "boxC2",       "c1_fdist", "c1_set_Hyper", "c2_fdist"};
    QCOMPARE(order.mid(0, formStart.size()), formStart);
    // The diagram is the one stop without an object name.
    QCOMPARE(order.count(QString()), 1);
    QTest::keyClick(w->diagram, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->DSB_leftBorder);
}

void TestAccessibility::enterPressesFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");

    QTest::newRow("Return") << "c1_set_Hyper" << int(Qt::Key_Return) << 0 << 1;
    QTest::newRow("keypad Enter") << "cpR" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Ctrl+Return stays free")
        << "swpLR" << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
}

// Return and Enter press a focused button as Space does: the buttons that
// act on release as well as those that act on a click.
void TestAccessibility::enterPressesFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto *b = w->findChild<QPushButton *>(button);
    QVERIFY(b);
    QSignalSpy released(b, &QPushButton::released);
    QSignalSpy clicked(b, &QPushButton::clicked);
    QTest::keyClick(b, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTEST(int(released.count()), "presses");
    QTEST(int(clicked.count()), "presses");
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
