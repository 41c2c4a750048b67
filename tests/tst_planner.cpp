// The planner as its users meet it: through the accessibility interfaces a
// screen reader uses, with the figures of the planning code that vorel-calc
// prints, and in both languages at its default size.

#include "optics/lensmodel.h"
#include "planner/bestaperturepage.h"
#include "planner/camerabox.h"
#include "planner/cameralist.h"
#include "planner/chartview.h"
#include "planner/commoninputs.h"
#include "planner/focusstackpage.h"
#include "planner/photopage.h"
#include "planner/plannercharts.h"
#include "planner/plannerprint.h"
#include "planner/plannerwindow.h"
#include "planner/samepicturepage.h"
#include "planning/doffigures.h"
#include "planning/equivalence.h"
#include "presets/cocpresets.h"
#include "recordingdevice.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>
#include <QUrl>

#include <cmath>
#include <limits>

namespace
{

constexpr double Infinite = std::numeric_limits<double>::infinity();

// What a screen reader hears for a widget: its name and its value.
QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        return QString();
    const auto labels = iface->relations(QAccessible::Label);
    if (!labels.isEmpty())
        return labels.first().first->text(QAccessible::Name);
    return iface->text(QAccessible::Name);
}

QString accessibleValue(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        return QString();
    if (QAccessibleValueInterface *value = iface->valueInterface())
        return value->currentValue().toString();
    return iface->text(QAccessible::Value);
}

QString accessibleDescriptionOf(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Description) : QString();
}

// What a screen reader announces a field by: its name or, for a combo box
// on Linux, where Qt names it by its current text, the label that labels it.
bool announcedAs(QAccessibleInterface *iface, const QString &name)
{
    if (iface->text(QAccessible::Name) == name)
        return true;
    const auto labels = iface->relations(QAccessible::Label);
    for (const auto &label : labels) {
        if (label.first->text(QAccessible::Name) == name)
            return true;
    }
    return false;
}

// Finds a field in the accessibility tree by what it is announced as, as a
// screen reader's user searches for it.
QAccessibleInterface *findByName(QAccessibleInterface *root, const QString &name)
{
    if (!root)
        return nullptr;
    // A label bears the name of its field too; the field is what is meant.
    if (!root->state().invisible && root->role() != QAccessible::StaticText &&
        announcedAs(root, name))
        return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface *found = findByName(root->child(i), name))
            return found;
    }
    return nullptr;
}

QString valueOf(PlannerWindow &window, const QString &name)
{
    QAccessibleInterface *found = findByName(QAccessible::queryAccessibleInterface(&window), name);
    return found ? found->text(QAccessible::Value) : QStringLiteral("<no %1>").arg(name);
}

void setRange(CommonInputs *in, double focal, double coc, double nearMetres, double farMetres)
{
    in->focalBox()->setValue(focal);
    in->cocBox()->setValue(coc);
    in->nearBox()->setValue(nearMetres);
    in->farInfinityBox()->setChecked(std::isinf(farMetres));
    if (!std::isinf(farMetres))
        in->farBox()->setValue(farMetres);
}

QJsonObject calcJson(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(VOREL_CALC_BINARY), args + QStringList{"--format", "json"});
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QJsonObject();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QString calcLine(const QStringList &args, const QString &key)
{
    QProcess process;
    process.start(QStringLiteral(VOREL_CALC_BINARY), args);
    process.waitForFinished(10000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed();
    }
    return QString();
}

// The figure at the start of a text such as "3 m" or "2.98 ft".
double leadingNumber(const QString &text)
{
    return text.section(QLatin1Char(' '), 0, 0).toDouble();
}

// Puts the planner's German texts in place for as long as it lives; an
// empty language leaves the source texts.
class Language
{
public:
    explicit Language(const QString &language)
    {
        if (language.isEmpty())
            return;
        loaded = translator.load(QLocale(language), "vorel-planner", "_", ":/i18n") &&
                 QCoreApplication::installTranslator(&translator);
    }
    ~Language() { QCoreApplication::removeTranslator(&translator); }
    bool loaded = true;

private:
    QTranslator translator;
};

} // namespace

class TestPlanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void bestApertureAsCalcGivesIt();
    void stackFramesAsPlanned();
    void everyShownFieldHasAName();
    void boldNamesInTheTree();
    void resultsAreReadOnlyValues();
    void labelsHaveBuddiesAndDistinctMnemonics_data();
    void labelsHaveBuddiesAndDistinctMnemonics();
    void nothingSharpSaysWhatWouldDo_data();
    void nothingSharpSaysWhatWouldDo();
    void badRangeSaysWhy();
    void cameraRefillsCoc();
    void cameraTypedAndEnter_data();
    void cameraTypedAndEnter();
    void unknownCameraKeepsTheCoc();
    void feetAreRemembered();
    void chartsDescribeInNumbers();
    void chartsDrawAtAnySize_data();
    void chartsDrawAtAnySize();
    void stackToInfinity();
    void chartsExport_data();
    void chartsExport();
    void stackCsv();
    void macroRangeTypedAndKeptAcrossUnits();
    void railStepsInMillimetresOrMicrometres_data();
    void railStepsInMillimetresOrMicrometres();
    void apertureStepsByThirdStops_data();
    void apertureStepsByThirdStops();
    void typedMagnificationSetsNear();
    void shortRangeAxisHasLabels();
    void stackDiffractionSaysWhy();
    void equivalentCameraSameDepth_data();
    void equivalentCameraSameDepth();
    void equivalenceRefusesNonsense();
    void sameFramingSideBySide_data();
    void sameFramingSideBySide();
    void sameFramingEquivalentKeepsTheView();
    void sameFramingBackgroundInFeet();
    void photoFillsInputsAndSavesProject();
    void photoOfAnUnknownCamera();
    void unreadablePhotoChangesNothing();
    void photosThroughTheReader();
    void hiddenPagesCatchUpWhenShown();
    void tabOrderReachesEveryInput();
    void roundedSafely_data();
    void roundedSafely();
    void distancesInUnits_data();
    void distancesInUnits();
    void startPageByName();
    void enterWorksTheKeyboard();
    void fitsAtDefaultSize_data();
    void fitsAtDefaultSize();
    void labelsFitAtHalfScreen_data();
    void labelsFitAtHalfScreen();
    void inputsRestoredAfterRestart_data();
    void inputsRestoredAfterRestart();
    void badSettingsLeaveDefaults();
    void pagesPrintToPdf_data();
    void pagesPrintToPdf();
    void longStackPrintsOverSheets();
    void printedSheetsHoldThePage();
    void chartPointsShowFigures_data();
    void chartPointsShowFigures();
    void chartTooltipOverAPoint();
    void shiftF10OpensContextMenu_data();
    void shiftF10OpensContextMenu();
    void everyInputHasATooltip_data();
    void everyInputHasATooltip();
    void germanFormatsAndPhotoWords();
    void catalogueFullyTranslated();

private:
    QTemporaryDir settingsDir;
};

void TestPlanner::initTestCase()
{
    LensModel::trace = nullptr;
    // Figures compared with vorel-calc's, which always writes C-locale numbers.
    QLocale::setDefault(QLocale::c());
    // The settings of the tests, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    // The cameras of the fixtures, not whatever the machine has installed.
    qputenv("VOREL_CAMERA_DATABASE", VOREL_CAMERA_FIXTURES);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("VorelTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_planner"));
}

void TestPlanner::init()
{
    QSettings().clear();
}

// Focal length 24, CoC 0.03, near 1.5 m, far at infinity: the window reads
// what vorel-calc optimum prints.
void TestPlanner::bestApertureAsCalcGivesIt()
{
    PlannerWindow window;
    window.show();
    setRange(window.inputs(), 24, 0.03, 1.5, Infinite);

    const QStringList args = {"optimum", "--focal", "24",    "--near", "1.5",
                              "--far",   "inf",     "--coc", "0.03"};
    const QJsonObject calc = calcJson(args);
    QVERIFY(!calc.isEmpty());
    const QString focus = valueOf(window, "Focus distance");
    QVERIFY2(focus.endsWith(" m"), qPrintable(focus));
    QVERIFY(std::abs(leadingNumber(focus) - calc["focus_m"].toDouble()) < 0.0005);
    QCOMPARE(valueOf(window, "Best aperture"), calcLine(args, "Best aperture"));
    QCOMPARE(valueOf(window, "Sharp apertures"), calcLine(args, "Sharp apertures"));

    // And from the planning code itself.
    const FocusPlanner::OptimumPlan plan = FocusPlanner::optimum(24, 1500, Infinite, 0.03);
    QVERIFY(valueOf(window, "Best aperture")
                .startsWith("f/" + QString::number(plan.bestFNumber, 'g', 3) + " (working f/"));
}

// 100 mm, f/8, 0.3 to 0.32 m, CoC 0.03, diffraction: Frames is the count of
// the planning code's stack, which vorel-calc stack prints too.
void TestPlanner::stackFramesAsPlanned()
{
    PlannerWindow window;
    window.show();
    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    FocusStackPage *page = window.focusStack();
    page->apertureBox()->setValue(8);
    page->diffractionBox()->setChecked(true);
    window.pages()->setCurrentWidget(page);

    const FocusPlanner::StackPlan plan =
        FocusStackPage::planFor(window.inputs()->values(), page->settings());
    QCOMPARE(plan.status, FocusPlanner::StackPlan::Status::Ok);
    QVERIFY(plan.frames.size() > 1);
    QCOMPARE(valueOf(window, "Frames"), QString::number(plan.frames.size()));
    QCOMPARE(page->table()->rowCount(), int(plan.frames.size()));

    const QJsonObject calc = calcJson({"stack", "--focal", "100", "--aperture", "8", "--near",
                                       "0.3", "--far", "0.32", "--coc", "0.03", "--diffraction"});
    QCOMPARE(valueOf(window, "Frames"), QString::number(calc["count"].toInt()));

    // The pupil magnification reaches the planning code.
    page->pupilBox()->setValue(0.5);
    const FocusPlanner::StackPlan pupil =
        FocusPlanner::stack(100, 8, 300, 320, 0.03, true, 0.1, 0.5);
    QCOMPARE(page->plan().frames.size(), pupil.frames.size());
    QCOMPARE(page->plan().frames.front().focus, pupil.frames.front().focus);
    QVERIFY(page->plan().frames.front().workingFNumber != plan.frames.front().workingFNumber);
    QCOMPARE(valueOf(window, "Frames"), QString::number(pupil.frames.size()));

    // A change of any input updates the count at once.
    page->diffractionBox()->setChecked(false);
    const FocusPlanner::StackPlan without =
        FocusStackPage::planFor(window.inputs()->values(), page->settings());
    QCOMPARE(valueOf(window, "Frames"), QString::number(without.frames.size()));
}

// Every input and result a user can reach is announced by a name.
void TestPlanner::everyShownFieldHasAName()
{
    PlannerWindow window;
    window.show();
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        const QList<QWidget *> widgets = window.findChildren<QWidget *>();
        for (QWidget *w : widgets) {
            if (!w->isVisible())
                continue;
            // The line edit inside a spin box is the box itself to a screen
            // reader, and so are the parts of a table; the typing field of a
            // combo box is a field of its own and needs the name too.
            if (qobject_cast<QTableWidget *>(w->parentWidget()))
                continue;
            if (qobject_cast<QLineEdit *>(w) && qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
                continue;
            const bool field = qobject_cast<QAbstractSpinBox *>(w) ||
                               qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractButton *>(w) ||
                               qobject_cast<QLineEdit *>(w) || qobject_cast<QTableWidget *>(w) ||
                               qobject_cast<ChartView *>(w);
            if (field && !qobject_cast<QTabBar *>(w->parentWidget()))
                QVERIFY2(!accessibleName(w).isEmpty(),
                         qPrintable(QStringLiteral("%1 on page %2")
                                        .arg(w->metaObject()->className())
                                        .arg(page)));
        }
    }
}

// The names people are told to listen for, exactly.
void TestPlanner::boldNamesInTheTree()
{
    PlannerWindow window;
    window.show();
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    const QStringList common = {"Camera",        "Focal length", "Circle of confusion",
                                "Near distance", "Far distance", "Far at infinity"};
    for (const QString &name : common)
        QVERIFY2(findByName(root, name), qPrintable(name));
    for (const char *name : {"Focus distance", "Best aperture", "Sharp apertures"})
        QVERIFY2(findByName(root, name), qPrintable(name));
    window.pages()->setCurrentWidget(window.focusStack());
    for (const char *name :
         {"Aperture", "Overlap", "Include diffraction", "Pupil magnification", "Frames"})
        QVERIFY2(findByName(root, name), qPrintable(name));
}

// Results are read-only lines whose text is the value, to select and copy.
void TestPlanner::resultsAreReadOnlyValues()
{
    PlannerWindow window;
    BestAperturePage *page = window.bestAperture();
    for (QLineEdit *line : {page->focusField(), page->bestField(), page->sharpField()}) {
        QVERIFY(line->isReadOnly());
        QCOMPARE(accessibleValue(line), line->text());
        QVERIFY(!line->text().isEmpty());
    }
}

// Every label with a mnemonic leads to its field, and no two mnemonics
// that are active together share a letter.
void TestPlanner::labelsHaveBuddiesAndDistinctMnemonics_data()
{
    fitsAtDefaultSize_data();
}

void TestPlanner::labelsHaveBuddiesAndDistinctMnemonics()
{
    QFETCH(QString, language);
    const Language texts(language);
    QVERIFY(texts.loaded);
    PlannerWindow window;
    window.show();
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        QMap<QChar, QString> used;
        const auto take = [&](const QString &text) {
            const int at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size())
                return;
            const QChar key = text.at(at + 1).toLower();
            QVERIFY2(!used.contains(key), qPrintable(text + " and " + used.value(key)));
            used.insert(key, text);
        };
        for (int i = 0; i < window.pages()->count(); ++i)
            take(window.pages()->tabText(i));
        for (QAction *menu : window.menuBar()->actions())
            take(menu->text());
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (!label->isVisible() || !label->text().contains('&'))
                continue;
            QVERIFY2(label->buddy(), qPrintable(label->text()));
            take(label->text());
        }
        for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
            if (button->isVisible())
                take(button->text());
        }
    }
}

void TestPlanner::nothingSharpSaysWhatWouldDo_data()
{
    QTest::addColumn<double>("focal");
    QTest::addColumn<double>("coc");
    QTest::addColumn<double>("nearM");
    QTest::addColumn<double>("farM");
    QTest::newRow("50 mm, 2 to 10 m") << 50.0 << 0.0288 << 2.0 << 10.0;
    QTest::newRow("100 mm, 1 m to infinity") << 100.0 << 0.03 << 1.0 << Infinite;
    QTest::newRow("24 mm, 0.3 m to infinity") << 24.0 << 0.02 << 0.3 << Infinite;
}

// Where no f-number is sharp, the result says so and its advice, taken as
// written, makes the range sharp.
void TestPlanner::nothingSharpSaysWhatWouldDo()
{
    QFETCH(double, focal);
    QFETCH(double, coc);
    QFETCH(double, nearM);
    QFETCH(double, farM);
    PlannerWindow window;
    setRange(window.inputs(), focal, coc, nearM, farM);
    const QString text = window.bestAperture()->sharpField()->text();
    QVERIFY2(text.startsWith("Nothing is sharp at any f-number: a CoC of at least "),
             qPrintable(text));
    QVERIFY(text.endsWith(" would do"));

    const double advisedCoc = text.section("at least ", 1).section(" mm", 0, 0).toDouble();
    QVERIFY(FocusPlanner::optimum(focal, nearM * 1000, farM * 1000, advisedCoc).hasSharpRange);
    const QString distance = text.section(" distance of ", 1).section(' ', 0, 0);
    const double advised = distance.toDouble() * 1000;
    QVERIFY2(advised > 0, qPrintable(text));
    const bool far = text.contains("far distance");
    const FocusPlanner::OptimumPlan fixed =
        far ? FocusPlanner::optimum(focal, nearM * 1000, advised, coc)
            : FocusPlanner::optimum(focal, advised, farM * 1000, coc);
    QVERIFY2(fixed.hasSharpRange, qPrintable(text));
}

// A range that cannot be planned is no crash and no figure, but a reason.
void TestPlanner::badRangeSaysWhy()
{
    PlannerWindow window;
    window.showPage("stack");
    setRange(window.inputs(), 35, 0.03, 5, 3);
    QCOMPARE(window.bestAperture()->focusField()->text(), QString("none"));
    QVERIFY(window.bestAperture()->problemLabel()->text().contains("far distance"));
    QCOMPARE(window.focusStack()->framesField()->text(), QString("none"));
    QCOMPARE(window.focusStack()->table()->rowCount(), 0);
    setRange(window.inputs(), 200, 0.03, 0.1, 3);
    QVERIFY(window.bestAperture()->problemLabel()->text().contains("focal length"));
}

// Choosing a camera refills the CoC by the crop-factor rule; the CoC stays
// the user's to change until the camera changes again.
void TestPlanner::cameraRefillsCoc()
{
    PlannerWindow window;
    CommonInputs *in = window.inputs();
    QComboBox *camera = in->cameraBox();
    const int apsc = camera->findText("1.5 APS-C (3:2)");
    QVERIFY(apsc >= 0);
    camera->setCurrentIndex(apsc);
    QCOMPARE(in->cocBox()->value(),
             std::round(CocPresets::cocFromCropFactor(CocPresets::sensorDiagonal(5)) * 1e4) / 1e4);
    in->cocBox()->setValue(0.05);
    QCOMPARE(in->values().coc, 0.05);
    camera->setCurrentIndex(camera->findText("2.0 Four Thirds (4:3)"));
    QCOMPARE(in->cocBox()->value(),
             std::round(CocPresets::cocFromCropFactor(CocPresets::sensorDiagonal(7)) * 1e4) / 1e4);
    // Type-ahead finds a format from any part of its name.
    const auto firstOffered = [camera](const QString &text) {
        camera->lineEdit()->clear();
        QTest::keyClicks(camera->lineEdit(), text);
        const QAbstractItemModel *offered = camera->completer()->model();
        return offered->rowCount() > 0 ? offered->index(0, 0).data().toString() : QString();
    };
    QCOMPARE(firstOffered("four"), QString("2.0 Four Thirds (4:3)"));
    // The database's cameras are there too, after the formats.
    const QString d70 = firstOffered("d70");
    QVERIFY2(d70.endsWith("D70"), qPrintable(d70));
    QVERIFY(camera->findText(d70) >= CocPresets::FormatCount);
    camera->setCurrentIndex(camera->findText(d70));
    QCOMPARE(
        in->cocBox()->value(),
        std::round(CocPresets::cocFromCropFactor(CocPresets::FullFrameDiagonal / 1.525) * 1e4) /
            1e4);
}

// Enter takes the camera the search picks, which the completion list
// offers first: the exact model before those that hold it in part.
void TestPlanner::cameraTypedAndEnter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("camera");
    QTest::addColumn<double>("crop");
    QTest::newRow("D3, not the EOS D30") << "D3"
                                         << "Nikon D3" << 1.0;
    QTest::newRow("A7, not the PowerShot A70") << "A7"
                                               << "Sony Alpha 7" << 1.0;
    QTest::newRow("a format") << "four thirds"
                              << "2.0 Four Thirds (4:3)" << 2.0;
}

void TestPlanner::cameraTypedAndEnter()
{
    QFETCH(QString, typed);
    QFETCH(QString, camera);
    QFETCH(double, crop);
    PlannerWindow window;
    window.show();
    CommonInputs *in = window.inputs();
    QComboBox *box = in->cameraBox();
    box->lineEdit()->setFocus();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), typed);
    QCOMPARE(box->completer()->model()->index(0, 0).data().toString(), camera);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->currentText(), camera);
    QCOMPARE(box->lineEdit()->text(), camera);
    QCOMPARE(in->cocBox()->value(),
             std::round(CocPresets::cocFromCropFactor(CocPresets::FullFrameDiagonal / crop) * 1e4) /
                 1e4);
    QVERIFY(in->cameraProblemLabel()->isHidden());
}

// A name that matches nothing stays in the box, and the row says that the
// camera and the CoC are as they were.
void TestPlanner::unknownCameraKeepsTheCoc()
{
    PlannerWindow window;
    window.show();
    CommonInputs *in = window.inputs();
    QComboBox *box = in->cameraBox();
    const QString before = box->currentText();
    in->cocBox()->setValue(0.021);
    box->lineEdit()->setFocus();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "qwertz");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->lineEdit()->text(), QString("qwertz"));
    QCOMPARE(box->currentText(), QString("qwertz"));
    QCOMPARE(box->itemText(box->currentIndex()), before);
    QCOMPARE(in->cocBox()->value(), 0.021);
    QVERIFY(!in->cameraProblemLabel()->isHidden());
    QVERIFY2(in->cameraProblemLabel()->text().contains("qwertz"),
             qPrintable(in->cameraProblemLabel()->text()));
}

// Feet convert the shown distances, keep the planned ones, and are still
// chosen in the next window.
void TestPlanner::feetAreRemembered()
{
    {
        PlannerWindow window;
        setRange(window.inputs(), 24, 0.03, 1.5, Infinite);
        const double focusMm = window.bestAperture()->plan().focus;
        window.inputs()->setUnit(PlannerText::Unit::Feet);
        QCOMPARE(window.inputs()->nearBox()->value(), std::round(1500 / 304.8 * 1000) / 1000);
        QVERIFY(window.inputs()->nearBox()->suffix().endsWith("ft"));
        const QString focus = window.bestAperture()->focusField()->text();
        QVERIFY2(focus.endsWith(" ft"), qPrintable(focus));
        QVERIFY(std::abs(leadingNumber(focus) * 304.8 - focusMm) < 0.01 * focusMm);
    }
    PlannerWindow again;
    QCOMPARE(again.inputs()->unit(), PlannerText::Unit::Feet);
    QVERIFY(again.bestAperture()->focusField()->text().endsWith(" ft"));
}

// The charts tell a screen reader what they show, in numbers.
void TestPlanner::chartsDescribeInNumbers()
{
    PlannerWindow window;
    window.showPage("stack");
    setRange(window.inputs(), 24, 0.03, 1.5, Infinite);
    const FocusPlanner::OptimumPlan &plan = window.bestAperture()->plan();
    const QString blur = accessibleDescriptionOf(window.bestAperture()->chart());
    QVERIFY(blur.contains("f/1: "));
    QVERIFY(blur.contains("f/64: "));
    QVERIFY(blur.contains("Best aperture f/" + QString::number(plan.bestFNumber, 'g', 3)));
    // Every stop, the axis's ends, the best aperture and the sharp range.
    QVERIFY(plan.hasSharpRange);
    QCOMPARE(blur.count(QStringLiteral("f/")), int(plan.stops.size()) + 5);

    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    const QString zones = accessibleDescriptionOf(window.focusStack()->chart());
    const int frames = int(window.focusStack()->plan().frames.size());
    QVERIFY2(zones.contains(QStringLiteral("%1 frames").arg(frames)), qPrintable(zones));
    QCOMPARE(zones.count(QStringLiteral("focused at")), frames);

    // A long stack is told in part, not as thousands of zones.
    window.focusStack()->apertureBox()->setValue(2);
    setRange(window.inputs(), 100, 0.01, 0.3, 3);
    const int many = int(window.focusStack()->plan().frames.size());
    QVERIFY(many > 100);
    const QString some = accessibleDescriptionOf(window.focusStack()->chart());
    QCOMPARE(some.count(QStringLiteral("focused at")), 100);
    QVERIFY2(some.contains(QStringLiteral("and %1 frames more").arg(many - 100)),
             qPrintable(some.right(80)));
}

void TestPlanner::chartsDrawAtAnySize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("a pixel") << QSize(1, 1);
    QTest::newRow("nothing") << QSize(0, 0);
    QTest::newRow("a strip") << QSize(3000, 12);
    QTest::newRow("a column") << QSize(12, 3000);
}

// Both charts, planned or not, one frame or many, draw at any size and
// leave the painter as they found it.
void TestPlanner::chartsDrawAtAnySize()
{
    QFETCH(QSize, size);
    const std::vector<FocusPlanner::OptimumPlan> optima = {
        FocusPlanner::optimum(24, 1500, Infinite, 0.03),
        FocusPlanner::optimum(50, 2000, 10000, 0.01), FocusPlanner::OptimumPlan()};
    const std::vector<FocusPlanner::StackPlan> stacks = {
        FocusPlanner::stack(100, 8, 300, 320, 0.03, true, 0.1),
        FocusPlanner::stack(24, 8, 3000, Infinite, 0.03, false, 0.1),
        FocusPlanner::stack(24, 11, 500, Infinite, 0.03, false, 0.1), FocusPlanner::StackPlan()};
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QTransform before = painter.transform();
    for (const FocusPlanner::OptimumPlan &plan : optima) {
        PlannerCharts::drawBlur(painter, size, plan);
        QVERIFY(!PlannerCharts::describeBlur(plan).isEmpty());
    }
    for (const FocusPlanner::StackPlan &plan : stacks) {
        PlannerCharts::drawStack(painter, size, plan, 300, Infinite, PlannerText::Unit::Feet);
        QVERIFY(
            !PlannerCharts::describeStack(plan, 300, Infinite, PlannerText::Unit::Feet).isEmpty());
    }
    QCOMPARE(painter.transform(), before);
    QCOMPARE(painter.pen().color(), QPen().color());
}

// A stack out to infinity ends in a frame sharp to infinity, and says so.
void TestPlanner::stackToInfinity()
{
    PlannerWindow window;
    window.showPage("stack");
    setRange(window.inputs(), 24, 0.03, 0.5, Infinite);
    FocusStackPage *page = window.focusStack();
    page->apertureBox()->setValue(8);
    const FocusPlanner::StackPlan &plan = page->plan();
    QCOMPARE(plan.status, FocusPlanner::StackPlan::Status::Ok);
    QVERIFY(std::isinf(plan.frames.back().farLimit));
    const int last = page->table()->rowCount() - 1;
    QCOMPARE(page->table()->item(last, 2)->text(), QString("infinity"));
    QVERIFY(page->csv().trimmed().section('\n', -1).contains(",inf,"));
    QVERIFY(accessibleDescriptionOf(page->chart()).contains("to infinity"));
}

void TestPlanner::chartsExport_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("png") << "png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "pdf" << QByteArray("%PDF");
}

// Both charts export through the diagram's writer, in each format.
void TestPlanner::chartsExport()
{
    QFETCH(QString, suffix);
    QFETCH(QByteArray, start);
    PlannerWindow window;
    window.showPage("stack");
    window.show();
    QTemporaryDir dir;
    for (ChartView *chart : {window.bestAperture()->chart(), window.focusStack()->chart()}) {
        const QString name = dir.filePath("chart." + suffix);
        QString whyNot;
        QVERIFY2(chart->exportTo(name, &whyNot), qPrintable(whyNot));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(start.size()) == start);
    }
    QString whyNot;
    QVERIFY(!window.bestAperture()->chart()->exportTo(dir.filePath("no/such/chart.png"), &whyNot));
    QVERIFY(!whyNot.isEmpty());
}

// The frame table as CSV: a header, one line per frame with its figures,
// nearest first, the rail steps adding up to the focus travel.
void TestPlanner::stackCsv()
{
    PlannerWindow window;
    window.showPage("stack");
    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    FocusStackPage *page = window.focusStack();
    const FocusPlanner::StackPlan &plan = page->plan();
    // vorel-calc's CSV: lines end in CR LF.
    const QString csv = page->csv();
    QVERIFY(csv.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), int(plan.frames.size()) + 1);
    QCOMPARE(lines.first(), QString("frame,focus_m,near_m,far_m,step_mm"));
    double travel = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(',');
        QCOMPARE(cells.size(), 5);
        QCOMPARE(cells[0].toInt(), i);
        QVERIFY(std::abs(cells[1].toDouble() * 1000 - plan.frames[size_t(i - 1)].focus) < 1e-4);
        // The first frame has no step; the others move the focus.
        QCOMPARE(cells[4].isEmpty(), i == 1);
        travel += cells[4].toDouble();
    }
    QVERIFY(std::abs(travel - (plan.frames.back().focus - plan.frames.front().focus)) < 1e-4);

    QTemporaryDir dir;
    QString whyNot;
    QVERIFY(page->writeCsv(dir.filePath("frames.csv"), &whyNot));
    QFile file(dir.filePath("frames.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), page->csv());
    QVERIFY(!page->writeCsv(dir.filePath("missing/frames.csv"), &whyNot));
    QVERIFY(!whyNot.isEmpty());
}

// At an f-number where diffraction alone fills the CoC there is no stack;
// the page names the f-numbers that work.
void TestPlanner::stackDiffractionSaysWhy()
{
    PlannerWindow window;
    window.showPage("stack");
    setRange(window.inputs(), 100, 0.01, 0.3, 0.32);
    FocusStackPage *page = window.focusStack();
    page->diffractionBox()->setChecked(true);
    page->apertureBox()->setValue(16);
    QCOMPARE(page->framesField()->text(), QString("none"));
    const QString why = accessibleDescriptionOf(page->chart());
    const double works = page->plan().suggestedFNumber;
    QVERIFY(works > 0 && works < 16);
    QVERIFY2(why.contains("diffraction alone") &&
                 why.contains("up to " + PlannerText::fNumber(works)),
             qPrintable(why));
}

void TestPlanner::equivalentCameraSameDepth_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("full frame to APS-C") << 3 << 5;
    QTest::newRow("full frame to 6x6") << 3 << 0;
    QTest::newRow("Four Thirds to full frame") << 7 << 3;
}

// The second camera's settings give the first's angle of view (focal
// length over diagonal) and, at the same focus, the same sharp zone.
void TestPlanner::equivalentCameraSameDepth()
{
    QFETCH(int, first);
    QFETCH(int, second);
    PlannerWindow window;
    window.showPage("same");
    window.inputs()->cameraBox()->setCurrentIndex(first);
    setRange(window.inputs(), 50, window.inputs()->cocBox()->value(), 2, 10);
    SamePicturePage *page = window.samePicture();
    page->secondCameraBox()->setCurrentIndex(second);
    page->apertureBox()->setValue(4);
    const Equivalence &e = page->equivalence();
    QVERIFY(e.valid);
    const double d1 = CocPresets::sensorDiagonal(first);
    const double d2 = CocPresets::sensorDiagonal(second);
    QVERIFY(std::abs(50 / d1 - e.flength / d2) < 1e-12);
    const double coc = window.inputs()->values().coc;
    const DofFigures a = DofFigures::limits(50, 4, 4000, coc, false);
    const DofFigures b = DofFigures::limits(e.flength, e.fNumber, 4000, e.coc, false);
    QVERIFY(std::abs(a.nearLimit - b.nearLimit) < 0.02 * a.nearLimit);
    QVERIFY(std::abs(a.farLimit - b.farLimit) < 0.05 * a.farLimit);
    QVERIFY(page->fNumberField()->text().startsWith("f/"));
    QVERIFY(page->secondZoneField()->text().contains(" to "));
}

void TestPlanner::equivalenceRefusesNonsense()
{
    QVERIFY(!Equivalence::of(50, 8, 0.03, 43.3, 0).valid);
    QVERIFY(!Equivalence::of(50, std::nan(""), 0.03, 43.3, 28).valid);
    QVERIFY(!Equivalence::of(50, 8, 0.03, Infinite, 28).valid);
    QVERIFY(std::isnan(Equivalence::of(-50, 8, 0.03, 43.3, 28).flength));
}

void TestPlanner::sameFramingSideBySide_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<double>("focal2");
    QTest::addColumn<double>("n2");
    QTest::addColumn<double>("behindMetres");
    QTest::newRow("full frame 50 mm to APS-C 85 mm f/2.8") << 3 << 5 << 85.0 << 2.8 << 5.0;
    QTest::newRow("full frame 50 mm to full frame 135 mm f/8") << 3 << 3 << 135.0 << 8.0 << 30.0;
    QTest::newRow("Four Thirds to 6x6") << 7 << 0 << 80.0 << 4.0 << 2.0;
}

// The second camera frames the first camera's field width at the subject:
// w1 (s1 - F1) / F1 = w2 (s2 - F2) / F2, the frames w = d a / sqrt(a^2 + 1)
// of each format's diagonal d and form a; field of view 2 atan(w / 2v),
// v = F s / (s - F); the background's disc (F / N) m |D - s| / D with D the
// subject's distance plus the background's behind it.
void TestPlanner::sameFramingSideBySide()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(double, focal2);
    QFETCH(double, n2);
    QFETCH(double, behindMetres);
    PlannerWindow window;
    window.showPage("same");
    window.inputs()->cameraBox()->setCurrentIndex(first);
    setRange(window.inputs(), 50, window.inputs()->cocBox()->value(), 2, 10);
    SamePicturePage *page = window.samePicture();
    page->secondCameraBox()->setCurrentIndex(second);
    page->apertureBox()->setValue(4);
    page->framingFocalBox()->setValue(focal2);
    page->framingApertureBox()->setValue(n2);
    page->backgroundBox()->setValue(behindMetres);

    const auto width = [](int format) {
        const double aspects[] = {1, 48.0 / 35, 1.5, 1.5, 1.5, 1.5, 1.5, 4.0 / 3};
        const double a = aspects[format];
        return CocPresets::sensorDiagonal(format) * a / std::sqrt(a * a + 1);
    };
    const double w1 = width(first);
    const double w2 = width(second);
    const double s1 = window.bestAperture()->plan().focus;
    const double s2 = focal2 * (1 + w1 * (s1 - 50) / 50 / w2);
    using F = SamePicturePage::Figure;
    const auto text = [page](int camera, F figure) {
        return page->framingField(camera, figure)->text();
    };
    QVERIFY2(text(1, F::Focus).startsWith(PlannerText::distance(s2, PlannerText::Unit::Metres)),
             qPrintable(text(1, F::Focus)));
    QVERIFY(text(0, F::Focus).startsWith(PlannerText::distance(s1, PlannerText::Unit::Metres)));
    const double deg = 180 / M_PI;
    const double v2 = focal2 * s2 / (s2 - focal2);
    QVERIFY2(text(1, F::FieldOfView)
                 .startsWith(PlannerText::number(2 * std::atan(w2 / (2 * v2)) * deg, 3) + "°"),
             qPrintable(text(1, F::FieldOfView)));
    // The same field width at the subject on both.
    const QString field = PlannerText::distance(w1 * (s1 - 50) / 50, PlannerText::Unit::Metres, 3);
    QVERIFY(text(0, F::Field).startsWith(field));
    QVERIFY2(text(1, F::Field).startsWith(field), qPrintable(text(1, F::Field)));
    const double behind = behindMetres * 1000;
    const double blur1 = 50 / 4.0 * (50 / (s1 - 50)) * behind / (s1 + behind);
    const double blur2 = focal2 / n2 * (focal2 / (s2 - focal2)) * behind / (s2 + behind);
    QVERIFY2(text(0, F::BackgroundBlur).startsWith(PlannerText::number(blur1, 3) + " mm"),
             qPrintable(text(0, F::BackgroundBlur)));
    QVERIFY(text(1, F::BackgroundBlur).contains(PlannerText::number(100 * blur2 / w2, 3) + " %"));
    const DofFigures dof = DofFigures::limits(focal2, n2, s2, page->equivalence().coc, false);
    QVERIFY(text(1, F::DepthOfField)
                .startsWith(PlannerText::distance(dof.nearLimit, PlannerText::Unit::Metres)));
    // The chart says the same figures in words.
    const QString described = accessibleDescriptionOf(page->blurChart());
    QVERIFY2(described.contains(PlannerText::number(100 * blur1 / w1, 3)) &&
                 described.contains(PlannerText::number(100 * blur2 / w2, 3)),
             qPrintable(described));
    QImage image(480, 220, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PlannerCharts::drawBackgroundBlur(painter, image.size(), {50, 4, s1, w1}, {focal2, n2, s2, w2},
                                      behind, PlannerText::Unit::Metres);
    painter.end();
    // Both curves are drawn: pixels of a blue and of an orange line.
    int blue = 0;
    int orange = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 80;
            orange += c.red() > 150 && c.blue() < 80;
        }
    QVERIFY(blue > 50);
    QVERIFY(orange > 50);
}

// At its minimum ("equivalent") the second camera takes the equivalent
// focal length: the same field at the subject from the same place.
void TestPlanner::sameFramingEquivalentKeepsTheView()
{
    PlannerWindow window;
    window.showPage("same");
    setRange(window.inputs(), 50, window.inputs()->cocBox()->value(), 2, 10);
    SamePicturePage *page = window.samePicture();
    QCOMPARE(page->framingFocalBox()->value(), page->framingFocalBox()->minimum());
    QCOMPARE(page->framingFocalBox()->text(), QString("equivalent"));
    using F = SamePicturePage::Figure;
    QCOMPARE(page->framingField(1, F::Field)->text(), page->framingField(0, F::Field)->text());
    // Standing in the same place: s2 = s1 - F1 + F2 with F2 the equivalent.
    const double s1 = window.bestAperture()->plan().focus;
    QVERIFY(page->framingField(1, F::Focus)
                ->text()
                .startsWith(PlannerText::distance(s1 - 50 + page->equivalence().flength,
                                                  PlannerText::Unit::Metres)));
    // Without a range to plan there is no focus, and nothing to show.
    setRange(window.inputs(), 50, window.inputs()->cocBox()->value(), 10, 2);
    QCOMPARE(page->framingField(1, F::Focus)->text(), QString("none"));
}

// The background distance keeps its place when the unit changes.
void TestPlanner::sameFramingBackgroundInFeet()
{
    PlannerWindow window;
    window.showPage("same");
    SamePicturePage *page = window.samePicture();
    page->backgroundBox()->setValue(3.05);
    window.inputs()->setUnit(PlannerText::Unit::Feet);
    QCOMPARE(page->backgroundBox()->value(), std::round(3050 / 304.8 * 100) / 100);
    QVERIFY(page->backgroundBox()->suffix().contains("ft"));
}

// A photo's settings and depth of field; used, they fill the inputs, and
// saved, they make a project the main window reads.
void TestPlanner::photoFillsInputsAndSavesProject()
{
    PlannerWindow window;
    PhotoPage *page = window.photo();
    page->setReader([](const QString &name) {
        PhotoFacts facts;
        facts.fileName = name;
        facts.camera =
            name.contains("second") ? QString("2.0 Four Thirds (4:3)") : QString("1.5 APS-C (3:2)");
        facts.settings.cropFactor = CocPresets::FullFrameDiagonal /
                                    (CocPresets::sensorDiagonal(name.contains("second") ? 7 : 5));
        facts.settings.focalLength = 35;
        facts.settings.fNumber = 5.6;
        facts.settings.focusDistance = 3;
        return facts;
    });
    QVERIFY(page->open("first.jpg"));
    QVERIFY(page->settingsField()->text().contains("f/5.6"));
    const DofFigures f = DofFigures::limits(
        35, 5.6, 3000, CocPresets::cocFromCropFactor(CocPresets::sensorDiagonal(5)), false);
    QVERIFY2(page->dofField()->text().startsWith(
                 PlannerText::distance(f.nearLimit, PlannerText::Unit::Metres)),
             qPrintable(page->dofField()->text()));

    emit page->settingsChosen(page->photos().last());
    const PlannerInputs in = window.inputs()->values();
    QCOMPARE(in.camera, QString("1.5 APS-C (3:2)"));
    QCOMPARE(in.flength, 35.0);
    QCOMPARE(window.focusStack()->apertureBox()->value(), 5.6);
    QVERIFY(std::abs(in.nearDist - f.nearLimit) < 10);

    QVERIFY(page->open("second.jpg"));
    QTemporaryDir dir;
    QString whyNot;
    QVERIFY2(page->saveProject(dir.filePath("photos.vlp"), &whyNot), qPrintable(whyNot));
    ProjectFile p;
    QVERIFY2(p.load(dir.filePath("photos.vlp"), &whyNot), qPrintable(whyNot));
    // The latest photo, shown first, is camera 1; the one before, camera 2.
    QVERIFY(p.cameras[0].enabled && p.cameras[1].enabled);
    QCOMPARE(p.cameras[0].crop, 7);
    QCOMPARE(p.cameras[1].crop, 5);
    QCOMPARE(p.cameras[1].flength, 35.0);
    QCOMPARE(p.cameras[1].fdist, 3.0);
    QVERIFY(!page->saveProject(dir.filePath("none/photos.vlp"), &whyNot));
}

// A camera the list cannot name: the CoC of the photo's own crop factor,
// by the rule d / 1502.9 (a 3:2 image of 4.17 million pixels), not the
// previous camera's; what the photo lacked is named.
void TestPlanner::photoOfAnUnknownCamera()
{
    PlannerWindow window;
    PhotoPage *page = window.photo();
    const double diagonal = 43.26661531 / (24 / 6.9);
    page->setReader([diagonal](const QString &name) {
        PhotoFacts facts;
        facts.fileName = name;
        facts.camera = QStringLiteral("Google Pixel 8 Pro");
        facts.settings.cropFactor = CocPresets::FullFrameDiagonal / (diagonal);
        facts.settings.focalLength = 6.9;
        facts.settings.fNumber = 1.68;
        return facts;
    });
    QVERIFY(page->open("phone.jpg"));
    emit page->settingsChosen(page->photos().last());
    const double rule = diagonal / std::sqrt((6255000.0 + 2780000.0) / 4);
    QCOMPARE(window.inputs()->values().coc, std::round(rule * 1e4) / 1e4);
    const QString note = page->problemLabel()->text();
    QVERIFY2(note.contains("camera") && note.contains("focus distance"), qPrintable(note));

    QTemporaryDir dir;
    QString whyNot;
    QVERIFY(page->saveProject(dir.filePath("phone.vlp"), &whyNot));
    QVERIFY2(page->problemLabel()->text().contains("missing: focus distance"),
             qPrintable(page->problemLabel()->text()));
}

// A photo that cannot be read leaves the page as it was and says why.
void TestPlanner::unreadablePhotoChangesNothing()
{
    PhotoPage page;
    QVERIFY(!page.open("/no/such/photo.jpg"));
    QVERIFY(page.photos().isEmpty());
    QVERIFY(page.problemLabel()->text().contains("photo.jpg"));
    page.setReader([](const QString &name) {
        PhotoFacts facts;
        facts.fileName = name;
        return facts;
    });
    QVERIFY(!page.open("bare.jpg"));
    QVERIFY(page.photos().isEmpty());
    QString whyNot;
    QTemporaryDir dir;
    QVERIFY(!page.saveProject(dir.filePath("empty.vlp"), &whyNot));
    QVERIFY(!QFile::exists(dir.filePath("empty.vlp")));
}

// A page out of view is brought up to date when it is shown, so that a
// change on the Best aperture page never waits for a long stack.
void TestPlanner::hiddenPagesCatchUpWhenShown()
{
    PlannerWindow window;
    window.show();
    window.showPage("stack");
    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    const QString before = window.focusStack()->framesField()->text();
    window.showPage("best");
    window.focusStack()->apertureBox()->setValue(16);
    window.inputs()->farBox()->setValue(0.34);
    window.showPage("stack");
    const FocusPlanner::StackPlan now =
        FocusStackPage::planFor(window.inputs()->values(), window.focusStack()->settings());
    QVERIFY(QString::number(now.frames.size()) != before);
    QCOMPARE(window.focusStack()->framesField()->text(), QString::number(now.frames.size()));
    QCOMPARE(window.focusStack()->table()->rowCount(), int(now.frames.size()));
}

// Real photos through the photo reader: their settings, their depth of
// field where they say where they were focused, their camera chosen by
// the database's name.
void TestPlanner::photosThroughTheReader()
{
    PlannerWindow window;
    PhotoPage *page = window.photo();
    QVERIFY2(page->open(VOREL_TEST_PHOTOS "/NikonD70.jpg"),
             qPrintable(page->problemLabel()->text()));
    const QString settings = page->settingsField()->text();
    QVERIFY2(settings.contains("Nikon") && settings.contains("56 mm at f/5"), qPrintable(settings));
    QVERIFY2(settings.contains("focused at 0.63"), qPrintable(settings));
    QVERIFY(page->dofField()->text().contains(" to "));
    emit page->settingsChosen(page->photos().last());
    const PlannerInputs in = window.inputs()->values();
    QCOMPARE(in.camera, page->photos().last().camera);
    QVERIFY(std::abs(in.diagonal - CocPresets::FullFrameDiagonal / 1.525) < 1e-9);
    QCOMPARE(in.flength, 56.0);

    QVERIFY(page->open(VOREL_TEST_PHOTOS "/Pentax.jpg"));
    QVERIFY2(page->dofField()->text().startsWith("unknown"), qPrintable(page->dofField()->text()));
    QVERIFY(page->secondField()->text().contains("56 mm"));

    // A photo dropped on the page opens as one opened by the dialog.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(VOREL_TEST_PHOTOS "/OlympusE1.jpg")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &drop);
    QVERIFY2(page->settingsField()->text().contains("20 mm at f/4.5"),
             qPrintable(page->settingsField()->text()));
    QVERIFY2(page->secondField()->text().startsWith("PENTAX K10D, 10 mm"),
             qPrintable(page->secondField()->text()));

    QVERIFY(!page->open(VOREL_TEST_PHOTOS "/README.md"));
    QCOMPARE(page->photos().size(), 2);
    QVERIFY(page->problemLabel()->text().contains("README.md"));
}

// With the keyboard alone, Tab reaches every common input and every input
// of the page in view.
void TestPlanner::tabOrderReachesEveryInput()
{
    PlannerWindow window;
    window.show();
    window.pages()->setCurrentWidget(window.focusStack());
    QVERIFY(QTest::qWaitForWindowActive(&window) || true);
    CommonInputs *in = window.inputs();
    QList<QWidget *> wanted = {in->cameraBox(),
                               in->focalBox(),
                               in->cocBox(),
                               in->nearBox(),
                               in->farBox(),
                               in->farInfinityBox(),
                               in->unitBox(),
                               window.focusStack()->apertureBox(),
                               window.focusStack()->overlapBox(),
                               window.focusStack()->diffractionBox(),
                               window.focusStack()->pupilBox(),
                               window.focusStack()->framesField()};
    QWidget *w = in->cameraBox();
    for (int steps = 0; steps < 200 && !wanted.isEmpty(); ++steps) {
        wanted.removeAll(w);
        if (w->focusProxy())
            wanted.removeAll(w->focusProxy());
        for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
            wanted.removeAll(p);
        w = w->nextInFocusChain();
    }
    QVERIFY2(wanted.isEmpty(),
             qPrintable(wanted.isEmpty() ? QString() : wanted.first()->accessibleName()));
}

void TestPlanner::roundedSafely_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("text");
    QTest::newRow("CoC up") << 0.04012 << 2 << true << "0.041";
    QTest::newRow("far down") << 7.19 << 2 << false << "7.1";
    QTest::newRow("three digits up") << 6.771 << 3 << true << "6.78";
    QTest::newRow("three digits down") << 21.19 << 3 << false << "21.1";
    QTest::newRow("a decade up") << 9.96 << 2 << true << "10";
}

// Advice is rounded so that, followed to the letter, it works.
void TestPlanner::roundedSafely()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(bool, up);
    QFETCH(QString, text);
    QCOMPARE(up ? PlannerText::upward(value, digits) : PlannerText::downward(value, digits), text);
    const double r = FocusPlanner::rounded(value, digits, up);
    QVERIFY(up ? r >= value : r <= value);
}

void TestPlanner::distancesInUnits_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<bool>("feet");
    QTest::addColumn<QString>("text");
    QTest::newRow("metres") << 2976.0 << false << "2.976 m";
    QTest::newRow("feet") << 3048.0 << true << "10 ft";
    QTest::newRow("infinity") << Infinite << true << "infinity";
    QTest::newRow("not a number") << std::nan("") << false << "-";
}

void TestPlanner::distancesInUnits()
{
    QFETCH(double, mm);
    QFETCH(bool, feet);
    QFETCH(QString, text);
    const PlannerText::Unit unit = feet ? PlannerText::Unit::Feet : PlannerText::Unit::Metres;
    QCOMPARE(PlannerText::distance(mm, unit), text);
    if (std::isfinite(mm))
        QCOMPARE(PlannerText::fromUnit(PlannerText::toUnit(mm, unit), unit), mm);
}

// The program's --page names the tabs in their order; others are refused.
void TestPlanner::startPageByName()
{
    PlannerWindow window;
    QCOMPARE(PlannerWindow::pageNames().size(), window.pages()->count());
    QVERIFY(window.showPage("stack"));
    QCOMPARE(window.pages()->currentWidget(), window.focusStack());
    QVERIFY(window.showPage("same"));
    QCOMPARE(window.pages()->currentWidget(), window.samePicture());
    QVERIFY(!window.showPage("Stack"));
    QCOMPARE(window.pages()->currentWidget(), window.samePicture());
}

// Enter takes a typed camera and presses the focused button.
void TestPlanner::enterWorksTheKeyboard()
{
    PlannerWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QComboBox *camera = window.inputs()->cameraBox();
    camera->setFocus();
    camera->lineEdit()->selectAll();
    QTest::keyClicks(camera->lineEdit(), "four");
    QTest::keyClick(camera->lineEdit(), Qt::Key_Return);
    QCOMPARE(camera->currentText(), QString("2.0 Four Thirds (4:3)"));
    QCOMPARE(window.inputs()->values().diagonal, CocPresets::sensorDiagonal(7));

    // A tab's mnemonic shows its page; a label's goes to its field.
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(window.pages()->currentWidget(), window.focusStack());
    QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier);
    QVERIFY(window.focusStack()->overlapBox()->hasFocus());
    QApplication::clipboard()->clear();
    QPushButton *copy = nullptr;
    for (QPushButton *b : window.focusStack()->findChildren<QPushButton *>()) {
        if (b->text().contains("table"))
            copy = b;
    }
    QVERIFY(copy);
    copy->setFocus();
    QTest::keyClick(copy, Qt::Key_Return);
    QCOMPARE(QApplication::clipboard()->text(), window.focusStack()->csv());
}

void TestPlanner::fitsAtDefaultSize_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "";
    QTest::newRow("German") << "de";
}

// Every label, button, box and tab shows its whole text at the window's
// default size, in both languages.
void TestPlanner::fitsAtDefaultSize()
{
    QFETCH(QString, language);
    const Language texts(language);
    QVERIFY(texts.loaded);
    PlannerWindow window;
    window.show();
    QVERIFY(window.minimumSizeHint().width() <= window.width());
    QVERIFY(window.minimumSizeHint().height() <= window.height());
    if (!language.isEmpty())
        QCOMPARE(window.pages()->tabText(0), QString("&Beste Blende"));
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        QCoreApplication::processEvents();
        for (QWidget *w : window.findChildren<QWidget *>()) {
            if (!w->isVisible())
                continue;
            if (qobject_cast<QLabel *>(w) && qobject_cast<QLabel *>(w)->wordWrap())
                continue;
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                qobject_cast<QAbstractSpinBox *>(w))
                QVERIFY2(w->width() >= w->sizeHint().width(),
                         qPrintable(QStringLiteral("%1 \"%2\": %3 < %4")
                                        .arg(w->metaObject()->className(), accessibleName(w))
                                        .arg(w->width())
                                        .arg(w->sizeHint().width())));
        }
        QTabBar *bar = window.pages()->findChild<QTabBar *>();
        QVERIFY(bar->sizeHint().width() <= bar->width());
    }
}

// Tenths of a millimetre can be typed, and a change of unit there and back
// keeps the distances, not their rounded figures: the plan stays the same.
void TestPlanner::macroRangeTypedAndKeptAcrossUnits()
{
    PlannerWindow window;
    window.showPage("stack");
    CommonInputs *in = window.inputs();
    window.focusStack()->apertureBox()->setValue(2.8);
    setRange(in, 100, 0.01, 1, 2);
    for (auto [box, text] :
         {std::pair{in->nearBox(), "0.2000"}, std::pair{in->farBox(), "0.2005"}}) {
        box->selectAll();
        QTest::keyClicks(box, QLocale().toString(QString(text).toDouble(), 'f', 4));
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QCOMPARE(in->values().nearDist, 200.0);
    QCOMPARE(in->values().farDist, 200.5);
    const std::size_t frames = window.focusStack()->plan().frames.size();
    QVERIFY(frames > 1);
    in->setUnit(PlannerText::Unit::Feet);
    in->setUnit(PlannerText::Unit::Metres);
    in->setUnit(PlannerText::Unit::Feet);
    QCOMPARE(in->values().nearDist, 200.0);
    QCOMPARE(window.focusStack()->plan().frames.size(), frames);
    in->setUnit(PlannerText::Unit::Metres);
    QCOMPARE(in->values().farDist, 200.5);
    QCOMPARE(window.focusStack()->plan().frames.size(), frames);
}

void TestPlanner::railStepsInMillimetresOrMicrometres_data()
{
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("coc");
    QTest::addColumn<double>("far");
    QTest::addColumn<QString>("unit");
    QTest::newRow("f/8, mm") << 8.0 << 0.03 << 0.205 << "mm";
    QTest::newRow("f/2, µm") << 2.0 << 0.01 << 0.2005 << "µm";
}

// On a rail every step is 0.9 of the one zone, 2 N c (1 + m) / (m^2 -
// (N c / F)^2) at frame 1's magnification, shown in mm, or µm below 0.1 mm.
void TestPlanner::railStepsInMillimetresOrMicrometres()
{
    QFETCH(double, aperture);
    QFETCH(double, coc);
    QFETCH(double, far);
    QFETCH(QString, unit);
    PlannerWindow window;
    window.showPage("stack");
    FocusStackPage *page = window.focusStack();
    page->planBox()->setCurrentIndex(1);
    page->apertureBox()->setValue(aperture);
    setRange(window.inputs(), 100, coc, 0.2, far);
    const FocusPlanner::StackPlan &plan = page->plan();
    QVERIFY(plan.frames.size() > 1);
    const double m = plan.frames.front().magnification;
    const double beta = aperture * coc / 100;
    const double zone = 2 * aperture * coc * (1 + m) / (m * m - beta * beta);
    const QString cell = page->table()->item(1, 3)->text();
    QVERIFY2(cell.endsWith(" " + unit), qPrintable(cell));
    const double shown = QLocale().toDouble(cell.section(' ', 0, 0)) / (unit == "µm" ? 1000 : 1);
    QVERIFY2(std::abs(shown - 0.9 * zone) < 0.9 * zone * 1e-3, qPrintable(cell));
    QVERIFY(page->workingApertureField()->text().contains(PlannerText::ratio(m)));
}

void TestPlanner::apertureStepsByThirdStops_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("to");
    QTest::newRow("f/8 up") << 8.0 << 1 << 9.0;
    QTest::newRow("f/8 up three") << 8.0 << 3 << 11.0;
    QTest::newRow("f/8 down") << 8.0 << -1 << 7.1;
    QTest::newRow("between, up") << 8.5 << 1 << 9.0;
    QTest::newRow("between, down") << 8.5 << -1 << 8.0;
    QTest::newRow("past f/64") << 64.0 << 1 << 256.0;
}

// The arrows follow the lens's third stops; any f-number can still be typed.
void TestPlanner::apertureStepsByThirdStops()
{
    QFETCH(double, from);
    QFETCH(int, steps);
    QFETCH(double, to);
    FocusStackPage page;
    QDoubleSpinBox *box = page.apertureBox();
    box->setValue(from);
    box->stepBy(steps);
    QCOMPARE(box->value(), to);
    box->selectAll();
    QTest::keyClicks(box, QLocale().toString(7.3));
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(box->value(), 7.3);
}

// A magnification typed on the stack page sets the near distance to frame
// 1's near limit at it: F (1 + m) / (m + N c / F).
void TestPlanner::typedMagnificationSetsNear()
{
    PlannerWindow window;
    window.showPage("stack");
    FocusStackPage *page = window.focusStack();
    page->planBox()->setCurrentIndex(1);
    page->apertureBox()->setValue(8);
    setRange(window.inputs(), 100, 0.03, 0.15, 0.25);
    page->magnificationBox()->setValue(1);
    const double nearMm = 100 * 2 / (1 + 8 * 0.03 / 100);
    QVERIFY(std::abs(window.inputs()->values().nearDist - nearMm) < 1e-9);
    QVERIFY(std::abs(page->plan().frames.front().magnification - 1) < 1e-9);
    QCOMPARE(page->magnificationBox()->value(), 1.0);
}

// A range of half a millimetre still gets distance labels on its axis.
void TestPlanner::shortRangeAxisHasLabels()
{
    const FocusPlanner::StackPlan plan = FocusPlanner::stack(100, 8, 200, 200.5, 0.03, false, 0.1);
    RecordingDevice device(600, 300);
    {
        QPainter painter(&device);
        PlannerCharts::drawStack(painter, QSize(600, 300), plan, 200, 200.5,
                                 PlannerText::Unit::Metres);
    }
    int labels = 0;
    for (const auto &t : device.record().texts) {
        bool number = false;
        const double v = QLocale().toDouble(t.text, &number);
        if (number && v >= 0.199 && v <= 0.2015)
            ++labels;
    }
    QVERIFY(labels >= 3);
}

QTEST_MAIN(TestPlanner)
#include "tst_planner.moc"

namespace
{

// The input of that accessible name on a page of the window ("common" for
// the inputs above the pages).
QWidget *inputNamed(PlannerWindow &window, const QString &page, const QString &name)
{
    QWidget *root = window.inputs();
    if (page == "stack")
        root = window.focusStack();
    else if (page == "same")
        root = window.samePicture();
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (w->accessibleName() == name &&
            (qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
             qobject_cast<QCheckBox *>(w)))
            return w;
    }
    return nullptr;
}

// An input's value as a number: a box's figure, a choice's index, a check
// box's 1 or 0.
double inputValue(QWidget *w)
{
    if (auto *box = qobject_cast<QDoubleSpinBox *>(w))
        return box->value();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentIndex();
    return qobject_cast<QCheckBox *>(w)->isChecked() ? 1 : 0;
}

void setInputValue(QWidget *w, double value)
{
    if (auto *box = qobject_cast<QDoubleSpinBox *>(w))
        box->setValue(value);
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->setCurrentIndex(int(value));
    else
        qobject_cast<QCheckBox *>(w)->setChecked(value != 0);
}

// The pages of a PDF file, counted by their page objects.
int pdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

QByteArray printToPdf(PlannerWindow &window, const QString &fileName, int page, int *pages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    *pages = window.print(printer, page);
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every text the chart shows for a point somewhere on it, the mouse moved
// over the whole chart in steps finer than the reach.
QSet<QString> textsUnderTheMouse(ChartView *chart)
{
    QSet<QString> texts;
    for (int y = 0; y < chart->height(); y += 2) {
        for (int x = 0; x < chart->width(); x += 2) {
            const QString text = chart->pointAt(QPoint(x, y));
            if (!text.isEmpty())
                texts.insert(text);
        }
    }
    return texts;
}

// Figures as the C locale writes them with three significant digits.
QString g3(double value)
{
    return QString::number(value, 'g', 3);
}

} // namespace

void TestPlanner::labelsFitAtHalfScreen_data()
{
    fitsAtDefaultSize_data();
}

// At half of a 1366 px screen, 683 px, no label is cut on any page, and
// the window can be made that narrow; in both languages.
void TestPlanner::labelsFitAtHalfScreen()
{
    QFETCH(QString, language);
    const Language texts(language);
    QVERIFY(texts.loaded);
    PlannerWindow window;
    window.resize(683, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.width(), 683);
    QVERIFY2(window.minimumSizeHint().width() <= 683,
             qPrintable(QString::number(window.minimumSizeHint().width())));
    // Nor is any page taller than a 1366 x 768 screen leaves below its
    // panels: a page with more scrolls.
    QVERIFY2(window.minimumSizeHint().height() <= 700,
             qPrintable(QString::number(window.minimumSizeHint().height())));
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        QCoreApplication::processEvents();
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (!label->isVisible())
                continue;
            // A wrapped label shows its whole text at the height it is
            // given for its width.
            const bool fits = label->wordWrap()
                                  ? label->heightForWidth(label->width()) <= label->height()
                                  : label->sizeHint().width() <= label->width();
            QVERIFY2(fits, qPrintable(QStringLiteral("page %1, \"%2\": %3 wide, %4 high")
                                          .arg(page)
                                          .arg(label->text())
                                          .arg(label->width())
                                          .arg(label->height())));
        }
        for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
            if (button->isVisible() && !qobject_cast<QTabBar *>(button->parentWidget()))
                QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        }
        QTabBar *bar = window.pages()->findChild<QTabBar *>();
        QVERIFY(bar->sizeHint().width() <= bar->width());
    }
}

void TestPlanner::inputsRestoredAfterRestart_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("value");
    QTest::newRow("camera") << "common"
                            << "Camera" << 6.0;
    QTest::newRow("focal length") << "common"
                                  << "Focal length" << 85.0;
    QTest::newRow("CoC") << "common"
                         << "Circle of confusion" << 0.0123;
    QTest::newRow("near") << "common"
                          << "Near distance" << 3.25;
    QTest::newRow("far") << "common"
                         << "Far distance" << 42.5;
    QTest::newRow("far at infinity") << "common"
                                     << "Far at infinity" << 1.0;
    QTest::newRow("units") << "common"
                           << "Units" << 1.0;
    QTest::newRow("plan") << "stack"
                          << "Plan" << 1.0;
    QTest::newRow("stack aperture") << "stack"
                                    << "Aperture" << 11.0;
    QTest::newRow("overlap") << "stack"
                             << "Overlap" << 25.0;
    QTest::newRow("diffraction") << "stack"
                                 << "Include diffraction" << 1.0;
    QTest::newRow("pupil") << "stack"
                           << "Pupil magnification" << 0.6;
    QTest::newRow("second camera") << "same"
                                   << "Second camera" << 8.0;
    QTest::newRow("same aperture") << "same"
                                   << "Aperture" << 5.6;
    QTest::newRow("framing focal") << "same"
                                   << "Second camera's focal length" << 50.0;
    QTest::newRow("framing f-number") << "same"
                                      << "Second camera's f-number" << 4.0;
    QTest::newRow("background") << "same"
                                << "Background behind the subject" << 12.5;
}

// An input changed in one session is there in the next, the other inputs
// at their defaults.
void TestPlanner::inputsRestoredAfterRestart()
{
    QFETCH(QString, page);
    QFETCH(QString, name);
    QFETCH(double, value);
    double before = 0;
    {
        PlannerWindow window;
        window.show();
        QWidget *input = inputNamed(window, page, name);
        QVERIFY2(input, qPrintable(name));
        before = inputValue(input);
        QVERIFY(before != value);
        setInputValue(input, value);
        QCOMPARE(inputValue(input), value);
        window.close();
    }
    PlannerWindow again;
    QWidget *input = inputNamed(again, page, name);
    QCOMPARE(inputValue(input), value);
    // The CoC follows a remembered camera, as when it was chosen.
    if (name == "Camera")
        QCOMPARE(again.inputs()->cocBox()->value(),
                 std::round(again.inputs()->cameraBox()->camera().coc() * 10000) / 10000);
    // Stored where the tests keep their settings, not the user's.
    QVERIFY(QSettings().fileName().startsWith(settingsDir.path()));
}

// Settings that are no numbers, or out of range, leave the inputs at their
// defaults rather than at nonsense.
void TestPlanner::badSettingsLeaveDefaults()
{
    PlannerInputs defaults;
    FocusStackPage::Settings stackDefaults;
    {
        PlannerWindow window;
        defaults = window.inputs()->values();
        stackDefaults = window.focusStack()->settings();
    }
    QSettings().clear();
    {
        QSettings bad;
        bad.setValue("camera", "No such camera");
        bad.setValue("focalLength", "long");
        bad.setValue("coc", -1);
        bad.setValue("nearMm", "nan");
        bad.setValue("farMm", 1e30);
        bad.setValue("stack/aperture", 1e9);
        bad.setValue("stack/overlap", -5);
        bad.setValue("same/backgroundMm", "inf");
    }
    PlannerWindow window;
    const PlannerInputs in = window.inputs()->values();
    QCOMPARE(in.camera, defaults.camera);
    QCOMPARE(in.flength, defaults.flength);
    QCOMPARE(in.coc, defaults.coc);
    QCOMPARE(in.nearDist, defaults.nearDist);
    QCOMPARE(in.farDist, defaults.farDist);
    QCOMPARE(window.focusStack()->settings().fNumber, stackDefaults.fNumber);
    QCOMPARE(window.focusStack()->settings().overlap, stackDefaults.overlap);
    QCOMPARE(window.samePicture()->backgroundBox()->value(), 5.0);
}

void TestPlanner::pagesPrintToPdf_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("chart");
    QTest::addColumn<bool>("table");
    QTest::newRow("best") << "best" << true << false;
    QTest::newRow("stack") << "stack" << true << true;
    QTest::newRow("photo") << "photo" << false << false;
    QTest::newRow("same") << "same" << true << false;
}

// Each page prints, as Print does after its dialog, to a PDF file: its
// inputs and results by name, its chart, its table.
void TestPlanner::pagesPrintToPdf()
{
    QFETCH(QString, page);
    QFETCH(bool, chart);
    QFETCH(bool, table);
    PlannerWindow window;
    window.show();
    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    QVERIFY(window.showPage(page));
    const int index = window.pages()->currentIndex();

    const Printout p = window.printout();
    QVERIFY(p.title.contains(window.pages()->tabText(index).remove('&')));
    QVERIFY(p.fields.contains({"Focal length", window.inputs()->focalBox()->text()}));
    QVERIFY(p.fields.contains({"Far distance", window.inputs()->farBox()->text()}));
    QCOMPARE(bool(p.chart), chart);
    QCOMPARE(!p.headers.isEmpty(), table);
    if (table) {
        QCOMPARE(p.rows.size(), window.focusStack()->table()->rowCount());
        QCOMPARE(p.rows.first().first(), window.focusStack()->table()->item(0, 0)->text());
        QVERIFY(p.fields.contains({"Frames", window.focusStack()->framesField()->text()}));
    }

    QTemporaryDir dir;
    const QString name = dir.filePath(page + ".pdf");
    int pages = 0;
    const QByteArray pdf = printToPdf(window, name, -1, &pages);
    QVERIFY(QFile::exists(name));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pages, 1);
    QCOMPARE(pdfPages(pdf), pages);
}

// A stack of hundreds of frames prints its table over as many sheets as it
// needs; a page out of view is printed up to date.
void TestPlanner::longStackPrintsOverSheets()
{
    PlannerWindow window;
    window.focusStack()->apertureBox()->setValue(2);
    setRange(window.inputs(), 100, 0.01, 0.3, 3);
    const int stackPage = window.pages()->indexOf(window.focusStack());
    QTemporaryDir dir;
    int pages = 0;
    const QByteArray pdf = printToPdf(window, dir.filePath("stack.pdf"), stackPage, &pages);
    const int frames = int(window.focusStack()->plan().frames.size());
    QVERIFY(frames > 100);
    QCOMPARE(window.printout(stackPage).rows.size(), frames);
    // Ten-point rows on an A4 sheet: fewer than 80 to a sheet.
    QVERIFY2(pages >= 1 + frames / 80, qPrintable(QString::number(pages)));
    QCOMPARE(pdfPages(pdf), pages);
    QVERIFY(pdf.startsWith("%PDF"));

    // A device that cannot be painted on prints nothing.
    QPrinter closed;
    closed.setOutputFormat(QPrinter::PdfFormat);
    closed.setOutputFileName(dir.filePath("no/such/folder/stack.pdf"));
    QCOMPARE(window.print(closed, stackPage), 0);
}

void TestPlanner::chartPointsShowFigures_data()
{
    QTest::addColumn<QString>("chart");
    QTest::newRow("worst blur") << "best";
    QTest::newRow("sharp zones") << "stack";
}

// Over the chart's points the mouse finds each point's figures, and no
// point is out of its reach: the blur at every third stop, the focus and
// zone of every frame.
void TestPlanner::chartPointsShowFigures()
{
    QFETCH(QString, chart);
    PlannerWindow window;
    window.showPage(chart);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setRange(window.inputs(), 100, 0.03, 0.3, 0.32);
    QSet<QString> expected;
    ChartView *view = nullptr;
    if (chart == "best") {
        view = window.bestAperture()->chart();
        for (const FocusPlanner::StopBlur &s : FocusPlanner::optimum(100, 300, 320, 0.03).stops)
            expected.insert(
                QStringLiteral("f/%1: worst blur %2 CoC").arg(g3(s.fNumber), g3(s.worstBlur)));
        QVERIFY(expected.size() > 10);
    } else {
        view = window.focusStack()->chart();
        const FocusPlanner::StackPlan plan = window.focusStack()->plan();
        const auto metres = [](double mm) { return QString::number(mm / 1000, 'g', 4) + " m"; };
        for (size_t i = 0; i < plan.frames.size(); ++i)
            expected.insert(QStringLiteral("Frame %1: focused at %2, sharp from %3 to %4")
                                .arg(i + 1)
                                .arg(metres(plan.frames[i].focus), metres(plan.frames[i].nearLimit),
                                     metres(plan.frames[i].farLimit)));
        QVERIFY(expected.size() > 1);
    }
    QVERIFY(view->width() > 200);
    QCOMPARE(textsUnderTheMouse(view), expected);
    // Far from any point, none.
    QVERIFY(view->pointAt(QPoint(0, 0)).isEmpty());
}

// The background-blur chart's points lie on its curves, and the mouse over
// one shows it as a tooltip; away from the points the chart's summary.
void TestPlanner::chartTooltipOverAPoint()
{
    PlannerWindow window;
    window.showPage("same");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setRange(window.inputs(), 50, 0.03, 2, 10);
    ChartView *view = window.samePicture()->blurChart();
    // The page scrolls: the chart brought into view, as a user scrolls to it.
    QWidget *up = view->parentWidget();
    while (up && !qobject_cast<QScrollArea *>(up))
        up = up->parentWidget();
    QVERIFY(up);
    static_cast<QScrollArea *>(up)->ensureWidgetVisible(view, 0, 0);
    QVERIFY(!view->visibleRegion().isEmpty());
    const QSet<QString> texts = textsUnderTheMouse(view);
    int first = 0;
    int second = 0;
    for (const QString &text : texts) {
        first += text.startsWith("First camera: background ");
        second += text.startsWith("Second camera: background ");
        QVERIFY2(text.endsWith(" % of the frame width"), qPrintable(text));
    }
    QVERIFY(first > 20 && second > 20);

    QPoint over(-1, -1);
    for (int y = 0; y < view->height() && over.x() < 0; ++y) {
        for (int x = view->width() / 2; x < view->width() && over.x() < 0; ++x) {
            if (!view->pointAt(QPoint(x, y)).isEmpty())
                over = QPoint(x, y);
        }
    }
    QVERIFY(over.x() >= 0);
    QHelpEvent help(QEvent::ToolTip, over, view->mapToGlobal(over));
    QCoreApplication::sendEvent(view, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), view->pointAt(over));
    QToolTip::hideText();
    QHelpEvent away(QEvent::ToolTip, QPoint(0, 0), view->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::sendEvent(view, &away);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), view->accessibleDescription());
    QToolTip::hideText();

    // Moving the mouse onto a point shows its figures at once, and off
    // the points again hides them.
    QTest::mouseMove(view, QPoint(1, 1));
    QTest::mouseMove(view, over);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), view->pointAt(over));
    QTest::mouseMove(view, QPoint(1, 1));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestPlanner::shiftF10OpensContextMenu_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("action");
    QTest::newRow("chart") << "chart"
                           << "&Export chart...";
    QTest::newRow("result") << "result"
                            << "&Copy";
}

// Shift+F10 opens the context menu of the widget with the focus, once, as
// the Menu key does: the chart's export, a result's copy.
void TestPlanner::shiftF10OpensContextMenu()
{
    QFETCH(QString, widget);
    QFETCH(QString, action);
    PlannerWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *target = widget == "chart" ? static_cast<QWidget *>(window.bestAperture()->chart())
                                        : window.bestAperture()->bestField();
    target->setFocus();
    QVERIFY(target->hasFocus());
    QStringList offered;
    int menus = 0;
    // The menu runs its own loop: it is read and closed from within it.
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            ++menus;
            for (QAction *a : menu->actions())
                offered << a->text();
            menu->close();
        }
    });
    watch.start(10);
    QTest::keyClick(target, Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(menus, 1);
    watch.stop();
    QVERIFY2(offered.join('|').contains(action), qPrintable(offered.join('|')));
    // Shift+F10 alone, not F10.
    watch.start(10);
    QTest::keyClick(target, Qt::Key_F10);
    QTest::qWait(50);
    watch.stop();
    QCOMPARE(menus, 1);
}

void TestPlanner::everyInputHasATooltip_data()
{
    fitsAtDefaultSize_data();
}

// Every input on every page says in a tooltip what it is, a number box
// its range with its unit; in German the tooltips are German.
void TestPlanner::everyInputHasATooltip()
{
    QFETCH(QString, language);
    QMap<QString, QString> english;
    {
        PlannerWindow window;
        for (QWidget *w : window.findChildren<QWidget *>())
            english.insert(w->accessibleName(), w->toolTip());
    }
    const Language texts(language);
    QVERIFY(texts.loaded);
    PlannerWindow window;
    window.show();
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        for (QWidget *w : window.findChildren<QWidget *>()) {
            const bool input = qobject_cast<QAbstractSpinBox *>(w) ||
                               qobject_cast<QComboBox *>(w) || qobject_cast<QCheckBox *>(w) ||
                               qobject_cast<QPushButton *>(w);
            if (!input || !w->isVisible())
                continue;
            const QString tip = w->toolTip();
            QVERIFY2(tip.size() > 20,
                     qPrintable(QStringLiteral("%1 \"%2\" on page %3")
                                    .arg(w->metaObject()->className(), w->accessibleName())
                                    .arg(page)));
            if (auto *box = qobject_cast<QDoubleSpinBox *>(w)) {
                const QString unit = box->suffix().trimmed();
                QVERIFY2(tip.contains(QString::number(box->maximum(), 'g', 6) + box->suffix()),
                         qPrintable(tip));
                QVERIFY2(tip.contains(QString::number(box->minimum(), 'g', 6)), qPrintable(tip));
                if (!unit.isEmpty())
                    QVERIFY2(tip.contains(unit), qPrintable(tip));
            }
            if (!language.isEmpty() && !w->accessibleName().isEmpty())
                QVERIFY2(tip != english.value(w->accessibleName()), qPrintable(tip));
        }
    }
    // The distances' tooltips follow the unit.
    window.inputs()->setUnit(PlannerText::Unit::Feet);
    QVERIFY(window.inputs()->nearBox()->toolTip().contains(" ft"));
    QVERIFY(!window.inputs()->nearBox()->toolTip().contains(" m."));
}

// In German the sensor formats, the photo reader's reasons and the source
// of a photo's focus distance are German, while the camera stays the
// entry of its untranslated name.
void TestPlanner::germanFormatsAndPhotoWords()
{
    const Language texts("de");
    QVERIFY(texts.loaded);
    PlannerWindow window;
    CameraBox *camera = window.inputs()->cameraBox();
    QCOMPARE(camera->itemText(CameraList::defaultIndex()), QString("1.0 Vollformat (3:2)"));
    QCOMPARE(window.inputs()->values().camera, QString("1.0 Full Frame (3:2)"));
    QVERIFY(window.inputs()->setCamera("1.0 Full Frame (3:2)"));
    QCOMPARE(camera->matches("voll").value(0), CameraList::defaultIndex());
    QCOMPARE(camera->matches("full").value(0), CameraList::defaultIndex());

    PhotoPage *page = window.photo();
    QVERIFY(!page->open("/no/such/photo.jpg"));
    QVERIFY2(page->problemLabel()->text().contains("keine solche Datei"),
             qPrintable(page->problemLabel()->text()));
    QVERIFY(!page->open(VOREL_TEST_PHOTOS "/README.md"));
    QVERIFY2(page->problemLabel()->text().contains("kein Foto"),
             qPrintable(page->problemLabel()->text()));
    QVERIFY(page->open(VOREL_TEST_PHOTOS "/NikonD70.jpg"));
    const QString settings = page->settingsField()->text();
    QVERIFY2(settings.contains("Fokus aus: Nikon-Fokusabstand"), qPrintable(settings));
    QVERIFY2(!settings.contains("focus"), qPrintable(settings));
}

// Every text of the planner's catalogue has its German translation.
void TestPlanner::catalogueFullyTranslated()
{
    QFile ts(VOREL_PLANNER_TS);
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QString catalogue = QString::fromUtf8(ts.readAll());
    QVERIFY(catalogue.count("<message") > 250);
    QCOMPARE(catalogue.count("type=\"unfinished\""), 0);
    QCOMPARE(catalogue.count("<translation></translation>"), 0);
}

// On paper, a long stack's sheets hold the title, every field's name and
// value, the chart and every row of the table, with the table's header on
// each sheet and nothing beyond a sheet's edge.
void TestPlanner::printedSheetsHoldThePage()
{
    PlannerWindow window;
    window.showPage("stack");
    window.focusStack()->apertureBox()->setValue(2);
    setRange(window.inputs(), 100, 0.01, 0.3, 3);
    const Printout printout = window.printout();
    QVERIFY(printout.rows.size() > 100);

    // An A4 sheet in points.
    const QSizeF a4(595, 842);
    RecordingDevice device(int(a4.width()), int(a4.height()) * 100);
    QPainter painter(&device);
    int sheet = 0;
    const int sheets = PlannerPrint::paint(
        painter, a4, [&] { ++sheet; }, printout);
    painter.end();
    QCOMPARE(sheets, sheet + 1);
    QVERIFY(sheets >= 3);

    QStringList all;
    for (const RecordingEngine::Text &t : device.record().texts) {
        QVERIFY2(t.pos.y() >= 0 && t.pos.y() <= a4.height(), qPrintable(t.text));
        all << t.text;
    }
    QVERIFY(all.contains(printout.title));
    for (const auto &[name, value] : printout.fields) {
        QVERIFY2(all.contains(name), qPrintable(name));
        QVERIFY2(all.contains(value) || value.size() > 40, qPrintable(value));
    }
    // The chart's axis title, then every frame's focus in its row.
    QVERIFY(all.contains("distance (m)"));
    for (const QStringList &row : printout.rows)
        QVERIFY2(all.contains(row.first()), qPrintable(row.first()));
    // The header once on every sheet that holds the table.
    QCOMPARE(all.count(printout.headers.first()), sheets);
}
