// Checks the main window form on its own: object tree, layouts, ranges,
// texts, choice lists, menus and tab order as setupUi() builds them.

#include "ui_mainwin.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QtTest>

#include <memory>

namespace
{

struct FormObject {
    const char *name;
    const char *className;
    const char *parent;
};

// Every named object of the form, in the order setupUi() creates it.
const FormObject formObjects[] = {
    {"actionNew", "QAction", "mainWin"},
    {"actionOpen", "QAction", "mainWin"},
    {"actionSave", "QAction", "mainWin"},
    {"actionSave_as", "QAction", "mainWin"},
    {"actionQuit", "QAction", "mainWin"},
    {"actionHelp", "QAction", "mainWin"},
    {"actionAbout", "QAction", "mainWin"},
    {"actionExport_to_Image", "QAction", "mainWin"},
    {"actionTutorial", "QAction", "mainWin"},
    {"centralwidget", "QWidget", "mainWin"},
    {"vboxLayout", "QVBoxLayout", "centralwidget"},
    {"frame", "QFrame", "centralwidget"},
    {"hboxLayout", "QHBoxLayout", "vboxLayout"},
    {"DSB_leftBorder", "QDoubleSpinBox", "centralwidget"},
    {"label_3", "QLabel", "centralwidget"},
    {"distanceCam", "QRadioButton", "centralwidget"},
    {"distanceFP", "QRadioButton", "centralwidget"},
    {"label_2", "QLabel", "centralwidget"},
    {"qxscale", "QSlider", "centralwidget"},
    {"qxscaled", "QLabel", "centralwidget"},
    {"label_24", "QLabel", "centralwidget"},
    {"qyscale", "QSlider", "centralwidget"},
    {"qyscaled", "QLabel", "centralwidget"},
    {"SB_leftBorder", "QScrollBar", "centralwidget"},
    {"hboxLayout1", "QHBoxLayout", "vboxLayout"},

    {"boxC1", "QGroupBox", "centralwidget"},
    {"vboxLayout1", "QVBoxLayout", "boxC1"},
    {"hboxLayout2", "QHBoxLayout", "vboxLayout1"},
    {"gridLayout", "QGridLayout", "hboxLayout2"},
    {"label_20", "QLabel", "boxC1"},
    {"c1_fdist", "QDoubleSpinBox", "boxC1"},
    {"label_21", "QLabel", "boxC1"},
    {"c1_apature", "QDoubleSpinBox", "boxC1"},
    {"label_22", "QLabel", "boxC1"},
    {"c1_flength", "QDoubleSpinBox", "boxC1"},
    {"label_23", "QLabel", "boxC1"},
    {"c1_coc", "QDoubleSpinBox", "boxC1"},
    {"c1_set_Hyper", "QPushButton", "boxC1"},
    {"c1_calcDef", "QCheckBox", "boxC1"},
    {"c1_cocSet", "QComboBox", "boxC1"},
    {"checkBox_2", "QCheckBox", "boxC1"},
    {"gbC1_1", "QGroupBox", "boxC1"},
    {"vboxLayout2", "QVBoxLayout", "gbC1_1"},
    {"hboxLayout3", "QHBoxLayout", "vboxLayout2"},
    {"label", "QLabel", "gbC1_1"},
    {"c1_cropC", "QComboBox", "gbC1_1"},
    {"c1_setCOCCF", "QPushButton", "gbC1_1"},
    {"gbC1_2", "QGroupBox", "boxC1"},
    {"vboxLayout3", "QVBoxLayout", "gbC1_2"},
    {"hboxLayout4", "QHBoxLayout", "vboxLayout3"},
    {"label_14", "QLabel", "gbC1_2"},
    {"c1_crop", "QComboBox", "gbC1_2"},
    {"hboxLayout5", "QHBoxLayout", "hboxLayout4"},
    {"label_16", "QLabel", "gbC1_2"},
    {"c1_quality", "QComboBox", "gbC1_2"},
    {"c1_setCOCPS", "QPushButton", "gbC1_2"},
    {"gbC1_3", "QGroupBox", "boxC1"},
    {"vboxLayout4", "QVBoxLayout", "gbC1_3"},
    {"hboxLayout6", "QHBoxLayout", "vboxLayout4"},
    {"label_17", "QLabel", "gbC1_3"},
    {"c1_distD", "QDoubleSpinBox", "gbC1_3"},
    {"hboxLayout7", "QHBoxLayout", "hboxLayout6"},
    {"label_19", "QLabel", "gbC1_3"},
    {"c1_formD", "QComboBox", "gbC1_3"},
    {"label_18", "QLabel", "gbC1_3"},
    {"c1_widthD", "QDoubleSpinBox", "gbC1_3"},
    {"c1_setCOCVD", "QPushButton", "gbC1_3"},

    {"vboxLayout5", "QVBoxLayout", "hboxLayout1"},
    {"cpR", "QPushButton", "centralwidget"},
    {"cpL", "QPushButton", "centralwidget"},
    {"swpLR", "QPushButton", "centralwidget"},

    {"boxC2", "QGroupBox", "centralwidget"},
    {"vboxLayout6", "QVBoxLayout", "boxC2"},
    {"hboxLayout8", "QHBoxLayout", "vboxLayout6"},
    {"gridLayout1", "QGridLayout", "hboxLayout8"},
    {"label_4", "QLabel", "boxC2"},
    {"c2_fdist", "QDoubleSpinBox", "boxC2"},
    {"label_5", "QLabel", "boxC2"},
    {"c2_apature", "QDoubleSpinBox", "boxC2"},
    {"label_6", "QLabel", "boxC2"},
    {"c2_flength", "QDoubleSpinBox", "boxC2"},
    {"label_7", "QLabel", "boxC2"},
    {"c2_coc", "QDoubleSpinBox", "boxC2"},
    {"c2_set_Hyper", "QPushButton", "boxC2"},
    {"c2_calcDef", "QCheckBox", "boxC2"},
    {"c2_cocSet", "QComboBox", "boxC2"},
    {"checkBox", "QCheckBox", "boxC2"},
    {"gbC2_1", "QGroupBox", "boxC2"},
    {"vboxLayout7", "QVBoxLayout", "gbC2_1"},
    {"hboxLayout9", "QHBoxLayout", "vboxLayout7"},
    {"label_15", "QLabel", "gbC2_1"},
    {"c2_cropC", "QComboBox", "gbC2_1"},
    {"c2_setCOCCF", "QPushButton", "gbC2_1"},
    {"gbC2_2", "QGroupBox", "boxC2"},
    {"vboxLayout8", "QVBoxLayout", "gbC2_2"},
    {"hboxLayout10", "QHBoxLayout", "vboxLayout8"},
    {"label_8", "QLabel", "gbC2_2"},
    {"c2_crop", "QComboBox", "gbC2_2"},
    {"hboxLayout11", "QHBoxLayout", "hboxLayout10"},
    {"label_9", "QLabel", "gbC2_2"},
    {"c2_quality", "QComboBox", "gbC2_2"},
    {"c2_setCOCPS", "QPushButton", "gbC2_2"},
    {"gbC2_3", "QGroupBox", "boxC2"},
    {"vboxLayout9", "QVBoxLayout", "gbC2_3"},
    {"hboxLayout12", "QHBoxLayout", "vboxLayout9"},
    {"label_11", "QLabel", "gbC2_3"},
    {"c2_distD", "QDoubleSpinBox", "gbC2_3"},
    {"hboxLayout13", "QHBoxLayout", "hboxLayout12"},
    {"label_13", "QLabel", "gbC2_3"},
    {"c2_formD", "QComboBox", "gbC2_3"},
    {"label_12", "QLabel", "gbC2_3"},
    {"c2_widthD", "QDoubleSpinBox", "gbC2_3"},
    {"c2_setCOCVD", "QPushButton", "gbC2_3"},
    {"hboxLayout14", "QHBoxLayout", "vboxLayout9"},

    {"menubar", "QMenuBar", "mainWin"},
    {"menuFile", "QMenu", "menubar"},
    {"menuHelp", "QMenu", "menubar"},
    {"statusbar", "QStatusBar", "mainWin"},
};

const QStringList sensorFormats = {
    "56x56mm 6x6",     "48x35mm Digital-MF", "45x30mm Leica S", "1.0 Full Frame (3:2)",
    "1.3 APS-H (3:2)", "1.5 APS-C (3:2)",    "1.6 APS-C (3:2)", "2.0 Four Thirds (4:3)",
    "2/3\" (4:3)",     "1/1.8\" (4:3)",      "1/2.5\" (4:3)",   "1/2.7\" (4:3)",
    "1/3.2\" (4:3)",   "1/3\" (4:3) ",
};
const QStringList pixelCounts = {
    "Standard",       "6 Mill. Pixel",  "8 Mill. Pixel",  "10 Mill. Pixel",
    "12 Mill. Pixel", "15 Mill. Pixel", "21 Mill. Pixel", "32 Mill. Pixel",
};

// Spacers are named by their size hint, grid cells by position (span only when not 1 x 1).
QString describe(QLayout *layout, int index)
{
    QLayoutItem *item = layout->itemAt(index);
    QString text;
    if (QWidget *widget = item->widget())
        text = widget->objectName();
    else if (QLayout *child = item->layout())
        text = child->objectName();
    else
        text = QStringLiteral("spacer %1x%2")
                   .arg(item->sizeHint().width())
                   .arg(item->sizeHint().height());
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        text += QStringLiteral("@%1,%2").arg(row).arg(column);
        if (rowSpan != 1 || columnSpan != 1)
            text += QStringLiteral(" span %1x%2").arg(rowSpan).arg(columnSpan);
    }
    return text;
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void objects_data();
    void objects();
    void creationOrder_data();
    void creationOrder();
    void layoutItems_data();
    void layoutItems();
    void spacersExpandHorizontally();
    void window();

    void spinBoxes_data();
    void spinBoxes();
    void sliders_data();
    void sliders();
    void comboBoxes_data();
    void comboBoxes();
    void texts_data();
    void texts();
    void buttonStates_data();
    void buttonStates();
    void groupBoxes_data();
    void groupBoxes();
    void label24_data();
    void label24();
    void menus_data();
    void menus();
    void actionNewIsInNoMenu();
    void tabOrder_data();
    void tabOrder();
    void buddies_data();
    void buddies();
    void accessibleNames_data();
    void accessibleNames();

    void focusPlaneUnchecksCamera();
    void uncheckedCameraDisablesItsInputs_data();
    void uncheckedCameraDisablesItsInputs();
    void spinBoxesRoundAndClamp_data();
    void spinBoxesRoundAndClamp();

private:
    QObject *object(const QString &name) const;
    template <class T> T *get(const QString &name) const
    {
        auto *result = qobject_cast<T *>(object(name));
        if (!result)
            qWarning("form object %s missing or of the wrong class", qPrintable(name));
        return result;
    }

    std::unique_ptr<QMainWindow> win;
    Ui_mainWin ui;
};

// A fresh form for every test row, so value changes never leak between cases.
void TestForm::init()
{
    win = std::make_unique<QMainWindow>();
    ui.setupUi(win.get());
}

void TestForm::cleanup()
{
    win.reset();
}

QObject *TestForm::object(const QString &name) const
{
    if (name == win->objectName())
        return win.get();
    const auto found = win->findChildren<QObject *>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

void TestForm::objects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    for (const FormObject &o : formObjects)
        QTest::newRow(o.name) << o.name << o.className << o.parent;
}

// Each name exists exactly once, with the right class and parent.
void TestForm::objects()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QCOMPARE(win->findChildren<QObject *>(name).size(), 1);
    QObject *o = object(name);
    QCOMPARE(o->metaObject()->className(), className);
    QVERIFY(o->parent());
    QCOMPARE(o->parent()->objectName(), parent);
}

void TestForm::creationOrder_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QStringList>("children");
    QStringList parents;
    QHash<QString, QStringList> children;
    for (const FormObject &o : formObjects) {
        if (!children.contains(o.parent))
            parents << o.parent;
        children[o.parent] << o.name;
    }
    for (const QString &p : parents)
        QTest::newRow(qPrintable(p)) << p << children.value(p);
}

// The form's objects appear among their parent's children in creation order.
void TestForm::creationOrder()
{
    QFETCH(QString, parent);
    QFETCH(QStringList, children);
    QStringList actual;
    for (const QObject *child : object(parent)->children())
        if (children.contains(child->objectName()))
            actual << child->objectName();
    QCOMPARE(actual, children);
}

void TestForm::layoutItems_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("items");
    const QString spacer = "spacer 40x20";

    QTest::newRow("central") << "vboxLayout"
                             << QStringList{"frame", "hboxLayout", "SB_leftBorder", "hboxLayout1"};
    QTest::newRow("diagram controls")
        << "hboxLayout"
        << QStringList{"DSB_leftBorder", "label_3", spacer,    "distanceCam", "distanceFP",
                       spacer,           "label_2", "qxscale", "qxscaled",    spacer,
                       "label_24",       "qyscale", "qyscaled"};
    QTest::newRow("camera row") << "hboxLayout1"
                                << QStringList{"spacer 16x183", "boxC1", "vboxLayout5", "boxC2",
                                               "spacer 16x177"};
    QTest::newRow("copy buttons") << "vboxLayout5" << QStringList{"cpR", "cpL", "swpLR"};

    QTest::newRow("boxC1") << "vboxLayout1"
                           << QStringList{"hboxLayout2", "gbC1_1", "gbC1_2", "gbC1_3"};
    QTest::newRow("boxC1 grid row") << "hboxLayout2" << QStringList{"gridLayout"};
    QTest::newRow("boxC1 grid") << "gridLayout"
                                << QStringList{
                                       "label_20@0,0",   "c1_fdist@0,1",  "label_21@1,0",
                                       "c1_apature@1,1", "label_22@2,0",  "c1_flength@2,1",
                                       "label_23@3,0",   "c1_coc@3,1",    "c1_set_Hyper@0,2",
                                       "c1_calcDef@1,2", "c1_cocSet@3,2", "checkBox_2@2,2"};
    QTest::newRow("gbC1_1") << "vboxLayout2" << QStringList{"hboxLayout3"};
    QTest::newRow("gbC1_1 row") << "hboxLayout3"
                                << QStringList{"label", "c1_cropC", spacer, "c1_setCOCCF"};
    QTest::newRow("gbC1_2") << "vboxLayout3" << QStringList{"hboxLayout4"};
    QTest::newRow("gbC1_2 row") << "hboxLayout4"
                                << QStringList{"label_14", "c1_crop", spacer, "hboxLayout5"};
    QTest::newRow("gbC1_2 quality")
        << "hboxLayout5" << QStringList{"label_16", "c1_quality", spacer, "c1_setCOCPS"};
    QTest::newRow("gbC1_3") << "vboxLayout4" << QStringList{"hboxLayout6"};
    QTest::newRow("gbC1_3 row") << "hboxLayout6"
                                << QStringList{"label_17", "c1_distD",  spacer, "hboxLayout7",
                                               "label_18", "c1_widthD", spacer, "c1_setCOCVD"};
    QTest::newRow("gbC1_3 form") << "hboxLayout7" << QStringList{"label_19", "c1_formD", spacer};

    QTest::newRow("boxC2") << "vboxLayout6"
                           << QStringList{"hboxLayout8", "gbC2_1", "gbC2_2", "gbC2_3"};
    QTest::newRow("boxC2 grid row") << "hboxLayout8" << QStringList{"gridLayout1"};
    QTest::newRow("boxC2 grid") << "gridLayout1"
                                << QStringList{
                                       "label_4@0,0",    "c2_fdist@0,1",  "label_5@1,0",
                                       "c2_apature@1,1", "label_6@2,0",   "c2_flength@2,1",
                                       "label_7@3,0",    "c2_coc@3,1",    "c2_set_Hyper@0,2",
                                       "c2_calcDef@1,2", "c2_cocSet@3,2", "checkBox@2,2"};
    QTest::newRow("gbC2_1") << "vboxLayout7" << QStringList{"hboxLayout9"};
    QTest::newRow("gbC2_1 row") << "hboxLayout9"
                                << QStringList{"label_15", "c2_cropC", spacer, "c2_setCOCCF"};
    QTest::newRow("gbC2_2") << "vboxLayout8" << QStringList{"hboxLayout10"};
    QTest::newRow("gbC2_2 row") << "hboxLayout10"
                                << QStringList{"label_8", "c2_crop", spacer, "hboxLayout11"};
    QTest::newRow("gbC2_2 quality")
        << "hboxLayout11" << QStringList{"label_9", "c2_quality", spacer, "c2_setCOCPS"};
    QTest::newRow("gbC2_3") << "vboxLayout9" << QStringList{"hboxLayout12", "hboxLayout14"};
    QTest::newRow("gbC2_3 row") << "hboxLayout12"
                                << QStringList{"label_11", "c2_distD",  spacer, "hboxLayout13",
                                               "label_12", "c2_widthD", spacer, "c2_setCOCVD"};
    QTest::newRow("gbC2_3 form") << "hboxLayout13" << QStringList{"label_13", "c2_formD", spacer};
    QTest::newRow("gbC2_3 empty") << "hboxLayout14" << QStringList{};
}

void TestForm::layoutItems()
{
    QFETCH(QString, layout);
    QFETCH(QStringList, items);
    auto *l = get<QLayout>(layout);
    QVERIFY(l);
    QStringList actual;
    for (int i = 0; i < l->count(); ++i)
        actual << describe(l, i);
    QCOMPARE(actual, items);
}

// All 17 spacers push sideways only.
void TestForm::spacersExpandHorizontally()
{
    int spacers = 0;
    for (const FormObject &o : formObjects) {
        auto *layout = qobject_cast<QLayout *>(object(o.name));
        if (!layout)
            continue;
        for (int i = 0; i < layout->count(); ++i) {
            if (QSpacerItem *spacer = layout->itemAt(i)->spacerItem()) {
                ++spacers;
                QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
                QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
            }
        }
    }
    QCOMPARE(spacers, 17);
}

void TestForm::window()
{
    QCOMPARE(win->objectName(), QString("mainWin"));
    QCOMPARE(win->size(), QSize(1212, 650));
    QCOMPARE(win->windowTitle(), QString("MainWindow"));
    QCOMPARE(win->centralWidget(), ui.centralwidget);
    QCOMPARE(win->menuBar(), ui.menubar);
    QCOMPARE(win->statusBar(), ui.statusbar);
    QCOMPARE(ui.menubar->geometry(), QRect(0, 0, 1212, 22));
    QVERIFY(win->findChildren<QToolBar *>().isEmpty());

    QCOMPARE(ui.frame->frameShape(), QFrame::StyledPanel);
    QCOMPARE(ui.frame->frameShadow(), QFrame::Raised);
    QCOMPARE(ui.frame->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(ui.frame->sizePolicy().verticalPolicy(), QSizePolicy::MinimumExpanding);
    QVERIFY(ui.frame->children().isEmpty());
    QCOMPARE(ui.vboxLayout5->sizeConstraint(), QLayout::SetMaximumSize);
}

void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("accelerated");

    const QString none;
    QTest::newRow("DSB_leftBorder")
        << "DSB_leftBorder" << none << " m" << 2 << 0.0 << 99999.0 << 0.1 << 1.0 << true;
    QTest::newRow("c1_fdist") << "c1_fdist" << none << " m" << 2 << 0.0 << 99999.0 << 0.1 << 4.0
                              << true;
    QTest::newRow("c2_fdist") << "c2_fdist" << none << " m" << 2 << 0.0 << 99999.0 << 0.1 << 4.0
                              << true;
    QTest::newRow("c1_apature") << "c1_apature"
                                << "f/" << none << 1 << 0.7 << 64.0 << 0.1 << 1.2 << false;
    QTest::newRow("c2_apature") << "c2_apature"
                                << "f/" << none << 1 << 0.7 << 64.0 << 0.1 << 2.0 << false;
    QTest::newRow("c1_flength") << "c1_flength" << none << " mm" << 0 << 1.0 << 5000.0 << 5.0
                                << 85.0 << false;
    QTest::newRow("c2_flength") << "c2_flength" << none << " mm" << 0 << 1.0 << 5000.0 << 5.0
                                << 135.0 << false;
    QTest::newRow("c1_coc") << "c1_coc" << none << " mm" << 4 << 0.0001 << 10.0 << 0.001 << 0.0125
                            << false;
    QTest::newRow("c2_coc") << "c2_coc" << none << " mm" << 4 << 0.0001 << 10.0 << 0.001 << 0.0125
                            << false;
    QTest::newRow("c1_distD") << "c1_distD" << none << none << 2 << 0.0 << 99999.0 << 1.0 << 0.0
                              << false;
    QTest::newRow("c2_distD") << "c2_distD" << none << none << 2 << 0.0 << 99999.0 << 1.0 << 0.0
                              << false;
    QTest::newRow("c1_widthD") << "c1_widthD" << none << none << 2 << 0.0 << 99999.0 << 1.0 << 0.0
                               << false;
    QTest::newRow("c2_widthD") << "c2_widthD" << none << none << 2 << 0.0 << 99999.0 << 1.0 << 0.0
                               << false;
}

void TestForm::spinBoxes()
{
    QFETCH(QString, name);
    auto *box = get<QDoubleSpinBox>(name);
    QVERIFY(box);
    QTEST(box->prefix(), "prefix");
    QTEST(box->suffix(), "suffix");
    QTEST(box->decimals(), "decimals");
    QTEST(box->minimum(), "minimum");
    QTEST(box->maximum(), "maximum");
    QTEST(box->singleStep(), "step");
    QTEST(box->value(), "value");
    QTEST(box->isAccelerated(), "accelerated");
}

void TestForm::sliders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");

    QTest::newRow("qxscale") << "qxscale" << 1 << 50 << 35;
    QTest::newRow("qyscale") << "qyscale" << 1 << 100 << 2;
    QTest::newRow("SB_leftBorder") << "SB_leftBorder" << 0 << 99 << 0;
}

// Horizontal, with the given range and the toolkit's steps of 1 and 10.
void TestForm::sliders()
{
    QFETCH(QString, name);
    auto *slider = get<QAbstractSlider>(name);
    QVERIFY(slider);
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QTEST(slider->minimum(), "minimum");
    QTEST(slider->maximum(), "maximum");
    QTEST(slider->value(), "value");
    QCOMPARE(slider->singleStep(), 1);
    QCOMPARE(slider->pageStep(), 10);
}

void TestForm::comboBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");

    const QStringList forms = {"3:2", "4:3"};
    QTest::newRow("c1_cocSet") << "c1_cocSet"
                               << QStringList{"Set by crop factor", "Set by pixel size",
                                              "Set by view distace"}
                               << 0;
    QTest::newRow("c2_cocSet") << "c2_cocSet"
                               << QStringList{"Set by crop factor", "Set by pixel size",
                                              "Set by view distance"}
                               << 0;
    QTest::newRow("c1_cropC") << "c1_cropC" << sensorFormats << 6;
    QTest::newRow("c2_cropC") << "c2_cropC" << sensorFormats << 6;
    QTest::newRow("c1_crop") << "c1_crop" << sensorFormats << 3;
    QTest::newRow("c2_crop") << "c2_crop" << sensorFormats << 3;
    QTest::newRow("c1_quality") << "c1_quality" << pixelCounts << 6;
    QTest::newRow("c2_quality") << "c2_quality" << pixelCounts << 6;
    QTest::newRow("c1_formD") << "c1_formD" << forms << 0;
    QTest::newRow("c2_formD") << "c2_formD" << forms << 0;
}

void TestForm::comboBoxes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(int, index);
    auto *box = get<QComboBox>(name);
    QVERIFY(box);
    QStringList actual;
    for (int i = 0; i < box->count(); ++i)
        actual << box->itemText(i);
    QCOMPARE(actual, items);
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(box->currentText(), items.value(index));
    QVERIFY(!box->isEditable());
}

void TestForm::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    const char *const rows[][2] = {
        {"label_3", "Left Border"},
        {"distanceCam", "Distance from Camera"},
        {"distanceFP", "Distance from focus plane"},
        {"label_2", "Distance scale"},
        {"qxscaled", "100"},
        {"qyscaled", "1000"},
        {"cpR", "--->"},
        {"cpL", "<---"},
        {"swpLR", "<--->"},
        {"label_20", "Focus"},
        {"label_21", "Apature"},
        {"label_22", "Focal length"},
        {"label_23", "Circel of Confusion"},
        {"label_4", "Focus"},
        {"label_5", "Apature"},
        {"label_6", "Focal length"},
        {"label_7", "Circel of Confusion"},
        {"c1_set_Hyper", "Set to hyperfocal"},
        {"c2_set_Hyper", "Set to hyperfocal"},
        {"c1_calcDef", "Calc with diffraction"},
        {"c2_calcDef", "Calc with diffraction"},
        {"checkBox_2", "Lock Magnification"},
        {"checkBox", "Lock magnification"},
        {"label", "Crop factor"},
        {"label_15", "Crop factor"},
        {"label_14", "Crop factor"},
        {"label_8", "Sensor format"},
        {"label_16", "Quality"},
        {"label_9", "Quality"},
        {"label_17", "View distance"},
        {"label_11", "View distance"},
        {"label_19", "Form Factor"},
        {"label_13", "Form Factor"},
        {"label_18", "Image width"},
        {"label_12", "Image width"},
        {"c1_setCOCCF", "Set"},
        {"c2_setCOCCF", "Set"},
        {"c1_setCOCPS", "Set"},
        {"c2_setCOCPS", "Set"},
        {"c1_setCOCVD", "Set"},
        {"c2_setCOCVD", "Set"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestForm::texts()
{
    QFETCH(QString, name);
    QObject *o = object(name);
    QVERIFY(o);
    QTEST(o->property("text").toString(), "text");
}

void TestForm::buttonStates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("distanceCam") << "distanceCam" << true << true;
    QTest::newRow("distanceFP") << "distanceFP" << false << false;
    QTest::newRow("c1_calcDef") << "c1_calcDef" << false << true;
    QTest::newRow("c2_calcDef") << "c2_calcDef" << false << true;
    QTest::newRow("checkBox_2") << "checkBox_2" << false << true;
    QTest::newRow("checkBox") << "checkBox" << false << true;
}

void TestForm::buttonStates()
{
    QFETCH(QString, name);
    auto *button = get<QAbstractButton>(name);
    QVERIFY(button);
    QVERIFY(button->isCheckable());
    QTEST(button->isChecked(), "checked");
    QTEST(button->isEnabled(), "enabled");
}

void TestForm::groupBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<int>("maximumHeight");

    const int unlimited = QWIDGETSIZE_MAX;
    QTest::newRow("boxC1") << "boxC1"
                           << "Camera 1" << true << false << 200;
    QTest::newRow("boxC2") << "boxC2"
                           << "Camera 2" << true << false << 200;
    QTest::newRow("gbC1_1") << "gbC1_1"
                            << "Set Coc by crop factor" << false << true << 100;
    QTest::newRow("gbC1_2") << "gbC1_2"
                            << "Set CoC by pixel size" << false << true << 100;
    QTest::newRow("gbC1_3") << "gbC1_3"
                            << "Set CoC by view distance" << false << true << unlimited;
    QTest::newRow("gbC2_1") << "gbC2_1"
                            << "Set CoC by crop factor" << false << true << unlimited;
    QTest::newRow("gbC2_2") << "gbC2_2"
                            << "Set CoC by Pixelsize" << false << true << unlimited;
    QTest::newRow("gbC2_3") << "gbC2_3"
                            << "Set CoC by view distance" << false << true << unlimited;
}

// Camera boxes start checked; every box is still visible (the window hides the presets later).
void TestForm::groupBoxes()
{
    QFETCH(QString, name);
    QFETCH(bool, checkable);
    QFETCH(int, maximumHeight);
    auto *box = get<QGroupBox>(name);
    QVERIFY(box);
    QTEST(box->title(), "title");
    QCOMPARE(box->isCheckable(), checkable);
    QCOMPARE(box->isChecked(), checkable);
    QTEST(box->isFlat(), "flat");
    QCOMPARE(box->minimumSize(), QSize(0, 0));
    QCOMPARE(box->maximumSize(), QSize(QWIDGETSIZE_MAX, maximumHeight));
    QVERIFY(!box->isHidden());
}

void TestForm::label24_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<double>("pointSize");

    QTest::newRow("U") << "U" << 8.0;
    QTest::newRow("z") << "z" << 6.0;
    QTest::newRow("-Scale") << "-Scale" << 8.0;
}

// The vertical scale label reads "Uz-Scale" with a smaller z, in one paragraph without margins.
void TestForm::label24()
{
    QFETCH(QString, fragment);
    QFETCH(double, pointSize);
    QVERIFY(Qt::mightBeRichText(ui.label_24->text()));
    QTextDocument doc;
    doc.setHtml(ui.label_24->text());
    QCOMPARE(doc.toPlainText(), QString("Uz-Scale"));
    QCOMPARE(doc.blockCount(), 1);
    const QTextBlock block = doc.firstBlock();
    QCOMPARE(block.blockFormat().topMargin(), 0.0);
    QCOMPARE(block.blockFormat().bottomMargin(), 0.0);
    QCOMPARE(block.blockFormat().leftMargin(), 0.0);
    QCOMPARE(block.blockFormat().rightMargin(), 0.0);
    QCOMPARE(block.blockFormat().textIndent(), 0.0);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().text() == fragment) {
            const QTextCharFormat format = it.fragment().charFormat();
            QCOMPARE(format.fontPointSize(), pointSize);
            QVERIFY(format.fontFamilies().toStringList().contains("MS Shell Dlg 2"));
            return;
        }
    }
    QFAIL("fragment not found");
}

void TestForm::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("File") << "menuFile"
                          << "File"
                          << QStringList{"actionOpen", "actionSave", "actionSave_as",
                                         "actionExport_to_Image", "actionQuit"}
                          << QStringList{"Open", "Save", "Save as", "Export to image", "Quit"};
    QTest::newRow("Help") << "menuHelp"
                          << "Help" << QStringList{"actionHelp", "actionTutorial", "actionAbout"}
                          << QStringList{"Help", "Tutorial", "About"};
}

// Exactly these entries in this order: no separators, shortcuts or extra actions.
void TestForm::menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, actions);
    QFETCH(QStringList, texts);
    auto *m = get<QMenu>(menu);
    QVERIFY(m);
    QTEST(m->title(), "title");
    QStringList names, actual;
    for (const QAction *a : m->actions()) {
        names << a->objectName();
        actual << a->text();
        QVERIFY(a->shortcut().isEmpty());
    }
    QCOMPARE(names, actions);
    QCOMPARE(actual, texts);
    const QList<QAction *> bar = {ui.menuFile->menuAction(), ui.menuHelp->menuAction()};
    QCOMPARE(ui.menubar->actions(), bar);
}

void TestForm::actionNewIsInNoMenu()
{
    QCOMPARE(ui.actionNew->text(), QString("New"));
    QVERIFY(ui.actionNew->associatedObjects().isEmpty());
}

void TestForm::tabOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");

    const QStringList chain = {
        "DSB_leftBorder", "distanceCam", "distanceFP", "qxscale",      "qyscale",
        "boxC1",          "boxC2",       "c1_fdist",   "c1_set_Hyper", "c2_fdist",
        "c2_set_Hyper",   "c1_apature",  "c2_apature", "c1_flength",   "c2_flength",
        "c1_coc",         "c2_coc",      "c1_crop",    "c1_quality",   "c2_crop",
        "c2_quality",     "c1_formD",    "c1_widthD",  "c2_formD",     "c2_widthD",
    };
    for (int i = 0; i + 1 < chain.size(); ++i)
        QTest::newRow(qPrintable(chain[i] + " -> " + chain[i + 1])) << chain[i] << chain[i + 1];
}

// Tab leads from one listed widget straight to the next: the next widget in the focus
// chain that takes tab focus, not counting the first one's own inner parts.
void TestForm::tabOrder()
{
    QFETCH(QString, from);
    auto *first = get<QWidget>(from);
    QVERIFY(first);
    QWidget *next = first->nextInFocusChain();
    while (next != first && (first->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus)))
        next = next->nextInFocusChain();
    QTEST(next->objectName(), "to");
}

void TestForm::buddies_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("buddy");

    const char *const rows[][2] = {
        {"label_3", "DSB_leftBorder"}, {"label_2", "qxscale"},     {"label_24", "qyscale"},
        {"label_20", "c1_fdist"},      {"label_21", "c1_apature"}, {"label_22", "c1_flength"},
        {"label_23", "c1_coc"},        {"label_4", "c2_fdist"},    {"label_5", "c2_apature"},
        {"label_6", "c2_flength"},     {"label_7", "c2_coc"},      {"label", "c1_cropC"},
        {"label_14", "c1_crop"},       {"label_16", "c1_quality"}, {"label_17", "c1_distD"},
        {"label_19", "c1_formD"},      {"label_18", "c1_widthD"},  {"label_15", "c2_cropC"},
        {"label_8", "c2_crop"},        {"label_9", "c2_quality"},  {"label_11", "c2_distD"},
        {"label_13", "c2_formD"},      {"label_12", "c2_widthD"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// Each label names the control beside it, so that a screen reader announces
// the control by the label's text.
void TestForm::buddies()
{
    QFETCH(QString, label);
    auto *l = get<QLabel>(label);
    QVERIFY(l);
    QVERIFY(l->buddy());
    QTEST(l->buddy()->objectName(), "buddy");
}

void TestForm::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");

    const char *const rows[][2] = {
        {"qyscale", "Uz-Scale"},
        {"SB_leftBorder", "Left Border"},
        {"c1_cocSet", "Set CoC by"},
        {"c2_cocSet", "Set CoC by"},
        {"cpR", "Copy camera 1 to camera 2"},
        {"cpL", "Copy camera 2 to camera 1"},
        {"swpLR", "Swap cameras"},
        // A panel inside a camera box would otherwise be announced by the
        // camera box's title.
        {"gbC1_1", "Set Coc by crop factor"},
        {"gbC1_2", "Set CoC by pixel size"},
        {"gbC1_3", "Set CoC by view distance"},
        {"gbC2_1", "Set CoC by crop factor"},
        {"gbC2_2", "Set CoC by Pixelsize"},
        {"gbC2_3", "Set CoC by view distance"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

// Controls without a plain-text label of their own are named after what
// they stand beside or do.
void TestForm::accessibleNames()
{
    QFETCH(QString, name);
    auto *w = get<QWidget>(name);
    QVERIFY(w);
    QTEST(w->accessibleName(), "accessibleName");
}

// The two distance modes share a parent and exclude each other.
void TestForm::focusPlaneUnchecksCamera()
{
    ui.distanceFP->setChecked(true);
    QVERIFY(!ui.distanceCam->isChecked());
}

void TestForm::uncheckedCameraDisablesItsInputs_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("own");
    QTest::addColumn<QStringList>("other");

    QTest::newRow("boxC1") << "boxC1"
                           << QStringList{"c1_fdist", "c1_coc",     "c1_cocSet",  "checkBox_2",
                                          "c1_cropC", "c1_quality", "c1_setCOCVD"}
                           << QStringList{"c2_fdist", "c2_cropC", "cpL", "DSB_leftBorder"};
    QTest::newRow("boxC2") << "boxC2"
                           << QStringList{"c2_fdist", "c2_coc",     "c2_cocSet",  "checkBox",
                                          "c2_cropC", "c2_quality", "c2_setCOCVD"}
                           << QStringList{"c1_fdist", "c1_cropC", "cpR", "qxscale"};
}

void TestForm::uncheckedCameraDisablesItsInputs()
{
    QFETCH(QString, box);
    QFETCH(QStringList, own);
    QFETCH(QStringList, other);
    get<QGroupBox>(box)->setChecked(false);
    for (const QString &name : own)
        QVERIFY2(!get<QWidget>(name)->isEnabled(), qPrintable(name));
    for (const QString &name : other)
        QVERIFY2(get<QWidget>(name)->isEnabled(), qPrintable(name));
}

void TestForm::spinBoxesRoundAndClamp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("expected");

    QTest::newRow("CoC below minimum") << "c1_coc" << 0.00001 << 0.0001;
    QTest::newRow("CoC to 4 decimals") << "c1_coc" << 0.012829 << 0.0128;
    QTest::newRow("CoC above maximum") << "c2_coc" << 12.5 << 10.0;
    QTest::newRow("focal length rounds") << "c1_flength" << 84.6 << 85.0;
    QTest::newRow("focal length at least 1") << "c1_flength" << 0.0 << 1.0;
    QTest::newRow("focal length at most 5000") << "c2_flength" << 6000.0 << 5000.0;
    QTest::newRow("aperture above maximum") << "c1_apature" << 100.0 << 64.0;
    QTest::newRow("aperture below minimum") << "c2_apature" << 0.5 << 0.7;
    QTest::newRow("aperture to 1 decimal") << "c1_apature" << 2.84 << 2.8;
    QTest::newRow("focus to 2 decimals") << "c1_fdist" << 7.264 << 7.26;
    QTest::newRow("focus above maximum") << "c2_fdist" << 123456.0 << 99999.0;
    QTest::newRow("focus not negative") << "c1_fdist" << -1.0 << 0.0;
    QTest::newRow("view distance to 2 decimals") << "c1_distD" << 250.456 << 250.46;
    QTest::newRow("left border to 2 decimals") << "DSB_leftBorder" << 2.345678 << 2.35;
}

void TestForm::spinBoxesRoundAndClamp()
{
    QFETCH(QString, name);
    QFETCH(double, input);
    auto *box = get<QDoubleSpinBox>(name);
    QVERIFY(box);
    box->setValue(input);
    QTEST(box->value(), "expected");
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
