#include "app/mainwin.h"
#include "coutcapture.h"
#include "diagram/graph.h"
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

    void inputsAnnouncedByLabel_data();
    void inputsAnnouncedByLabel();
    void choicesAnnouncedByLabel_data();
    void choicesAnnouncedByLabel();
    void everyShownControlHasAWordyName();
    void presetPanelsNamedByTitle_data();
    void presetPanelsNamedByTitle();
    void diagramIsNamed();
    void descriptionHoldsLegendFigures();
    void descriptionIsWhatTheLegendShows();
    void descriptionFollowsChange_data();
    void descriptionFollowsChange();
    void valueSetThroughInterfaceReachesDiagram();
    void tabReachesDiagramAfterTheForm();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();
    void modifiedEnterPressesNothing();

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

void TestAccessibility::inputsAnnouncedByLabel_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("name");

    const char *const rows[][2] = {
        {"DSB_leftBorder", "Left Border"},
        {"qxscale", "Distance scale"},
        {"qyscale", "Uz-Scale"},
        {"SB_leftBorder", "Left Border"},
        {"c1_fdist", "Focus"},
        {"c1_apature", "Apature"},
        {"c1_flength", "Focal length"},
        {"c1_coc", "Circel of Confusion"},
        {"c2_fdist", "Focus"},
        {"c2_apature", "Apature"},
        {"c2_flength", "Focal length"},
        {"c2_coc", "Circel of Confusion"},
        {"c1_distD", "View distance"},
        {"c1_widthD", "Image width"},
        {"c2_distD", "View distance"},
        {"c2_widthD", "Image width"},
        {"c1_calcDef", "Calc with diffraction"},
        {"c2_calcDef", "Calc with diffraction"},
        {"checkBox_2", "Lock Magnification"},
        {"checkBox", "Lock magnification"},
        {"boxC1", "Camera 1"},
        {"boxC2", "Camera 2"},
        {"cpR", "Copy camera 1 to camera 2"},
        {"cpL", "Copy camera 2 to camera 1"},
        {"swpLR", "Swap cameras"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// Spin boxes, sliders and check boxes carry their label's text as their name.
void TestAccessibility::inputsAnnouncedByLabel()
{
    QFETCH(QString, input);
    auto *widget = w->findChild<QWidget *>(input);
    QVERIFY(widget);
    QAccessibleInterface *iface = face(widget);
    QVERIFY(iface);
    QTEST(iface->text(QAccessible::Name), "name");
}

void TestAccessibility::choicesAnnouncedByLabel_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("label");

    const char *const rows[][2] = {
        {"c1_cropC", "Crop factor"}, {"c1_crop", "Crop factor"},  {"c1_quality", "Quality"},
        {"c1_formD", "Form Factor"}, {"c2_cropC", "Crop factor"}, {"c2_crop", "Sensor format"},
        {"c2_quality", "Quality"},   {"c2_formD", "Form Factor"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// A combo box's name is its current choice on Linux; the screen reader
// announces it by the label it is labelled by, which must come first.
void TestAccessibility::choicesAnnouncedByLabel()
{
    QFETCH(QString, input);
    auto *box = w->findChild<QComboBox *>(input);
    QVERIFY(box);
    // The panels are hidden until their CoC method is chosen.
    box->parentWidget()->show();
    QAccessibleInterface *iface = face(box);
    QVERIFY(iface);
    const auto labels = iface->relations(QAccessible::Label);
    QVERIFY(!labels.isEmpty());
    QTEST(labels.first().first->text(QAccessible::Name), "label");
    QCOMPARE(iface->text(QAccessible::Value), box->currentText());
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

void TestAccessibility::presetPanelsNamedByTitle_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("title");

    const char *const rows[][2] = {
        {"gbC1_1", "Set Coc by crop factor"},   {"gbC1_2", "Set CoC by pixel size"},
        {"gbC1_3", "Set CoC by view distance"}, {"gbC2_1", "Set CoC by crop factor"},
        {"gbC2_2", "Set CoC by Pixelsize"},     {"gbC2_3", "Set CoC by view distance"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// A CoC panel is announced by its own title, not its camera's, and its
// "Set" button is labelled by that panel.
void TestAccessibility::presetPanelsNamedByTitle()
{
    QFETCH(QString, panel);
    QFETCH(QString, title);
    auto *box = w->findChild<QGroupBox *>(panel);
    QVERIFY(box);
    QCOMPARE(box->title(), title);
    QAccessibleInterface *iface = face(box);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), title);
    auto *set = box->findChild<QPushButton *>();
    QVERIFY(set);
    QCOMPARE(set->text(), QString("Set"));
    QStringList labels;
    for (const auto &relation : face(set)->relations(QAccessible::Label))
        labels << relation.first->text(QAccessible::Name);
    QVERIFY2(labels.contains(title), qPrintable(labels.join('|')));
}

void TestAccessibility::diagramIsNamed()
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

    QTest::newRow("aperture") << 0 << "f/5.6 - Dist.: 3m"
                              << "f/8 -";
    QTest::newRow("focus") << 1 << "Dist.: 10m"
                           << "Dist.: 3m";
    QTest::newRow("focal length") << 2 << "35mm f/8"
                                  << "50mm f/8";
    QTest::newRow("diffraction") << 3 << "Camera 1:"
                                 << "DOF: [2.34 - 4.19m]";
    QTest::newRow("camera 1 off") << 4 << "Camera 2:"
                                  << "Camera 1:";
    QTest::newRow("both off") << 5 << "No camera is shown."
                              << "Camera";
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

// A screen reader that sets a value through the value interface sees the
// diagram follow, as a typed value would make it.
void TestAccessibility::valueSetThroughInterfaceReachesDiagram()
{
    QAccessibleInterface *iface = face(w->c1_fdist);
    QVERIFY(iface);
    QAccessibleValueInterface *value = iface->valueInterface();
    QVERIFY(value);
    value->setCurrentValue(2.5);
    QCOMPARE(w->c1_fdist->value(), 2.5);
    QVERIFY2(description().contains("Dist.: 2.5m"), qPrintable(description()));
    QCOMPARE(value->currentValue().toDouble(), 2.5);
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

    QTest::newRow("hyperfocal, Return") << "c1_set_Hyper" << int(Qt::Key_Return);
    QTest::newRow("hyperfocal, keypad Enter") << "c1_set_Hyper" << int(Qt::Key_Enter);
    QTest::newRow("copy right") << "cpR" << int(Qt::Key_Return);
    QTest::newRow("swap") << "swpLR" << int(Qt::Key_Return);
}

// Return and Enter press a focused button as Space does, including the
// buttons that act on release.
void TestAccessibility::enterPressesFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    auto *b = w->findChild<QPushButton *>(button);
    QVERIFY(b);
    w->c1_fdist->setValue(3);
    w->c2_fdist->setValue(5);
    QSignalSpy released(b, &QPushButton::released);
    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(b, Qt::Key(key), modifiers);
    QCOMPARE(released.count(), 1);
    if (button == "c1_set_Hyper")
        QVERIFY(w->c1_fdist->value() > 100);
    else if (button == "cpR")
        QCOMPARE(w->c2_fdist->value(), 3.0);
    else
        QCOMPARE(w->c1_fdist->value(), 5.0);
}

// Ctrl+Return stays free for shortcuts and presses no button.
void TestAccessibility::modifiedEnterPressesNothing()
{
    QSignalSpy released(w->swpLR, &QPushButton::released);
    QTest::keyClick(w->swpLR, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(released.count(), 0);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
