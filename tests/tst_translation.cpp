#include "app/graph.h"
#include "app/mainwin.h"
#include "app/translations.h"
#include "coutcapture.h"
#include "diagram/diagrammath.h"
#include "dialogcatcher.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The window's language follows the locale: German texts under a German
// locale, and exactly the source texts under the C and English locales.
class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase();

    void onlyGermanHasTranslation_data();
    void onlyGermanHasTranslation();
    void formFollowsLocale_data();
    void formFollowsLocale();
    void hyperfocalButtonFollowsLocale();
    void legendFollowsLocale_data();
    void legendFollowsLocale();
    void germanDiagramTextsFitTheirSpace_data();
    void germanDiagramTextsFitTheirSpace();
    void warningFollowsLocale_data();
    void warningFollowsLocale();
    void standardButtonsInGerman();
    void accessibleTextsFollowLocale_data();
    void accessibleTextsFollowLocale();
    void tipsAndCameraNamesFollowLocale_data();
    void tipsAndCameraNamesFollowLocale();
};

namespace
{

const QLocale German(QLocale::German, QLocale::Germany);

bool useLocale(const QLocale &locale)
{
    return installTranslations(*QCoreApplication::instance(), locale);
}

// A window built after the locale is installed, as at start-up.
std::unique_ptr<mainWin> freshWindow()
{
    CoutCapture quiet;
    return std::make_unique<mainWin>();
}

// The legend texts of the examples, and the distance axis's title.
QString legendText(const QString &which)
{
    using namespace DiagramMath;
    if (which == "title")
        return cameraTitle(2);
    if (which == "settings")
        return settingsText(50, 8, 3000, 0.03);
    if (which == "limits")
        return limitsText(3.53, 2340, 4190, 59);
    if (which == "infinite")
        return limitsText(0.5, 1500, 99999001, 29);
    return QCoreApplication::translate("graph", "Distance [m]");
}

} // namespace

void TestTranslation::cleanupTestCase()
{
    useLocale(QLocale::c());
}

void TestTranslation::onlyGermanHasTranslation_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("found");

    QTest::newRow("de_DE") << German << true;
    QTest::newRow("de_AT") << QLocale(QLocale::German, QLocale::Austria) << true;
    QTest::newRow("C") << QLocale::c() << false;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << false;
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << false;
}

// Every German locale finds the built-in translation; any other locale finds
// none, and the texts stay those of the source.
void TestTranslation::onlyGermanHasTranslation()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, found);
    QCOMPARE(useLocale(locale), found);
    QCOMPARE(QCoreApplication::translate("mainWin", "Open"), QString(found ? "Öffnen" : "Open"));
}

void TestTranslation::formFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("expected");

    // Object name, combo-box entry (-1: the text or title), German, source.
    const struct {
        const char *object;
        int item;
        const char *german;
        const char *source;
    } rows[] = {
        {"label_3", -1, "Linker Rand", "Left Border"},
        {"distanceCam", -1, "Abstand ab Kamera", "Distance from Camera"},
        {"boxC1", -1, "Kamera 1", "Camera 1"},
        {"label_23", -1, "Zerstreuungskreis", "Circel of Confusion"},
        {"gbC2_2", -1, "Zerstreuungskreis nach Pixelgröße", "Set CoC by Pixelsize"},
        {"c1_calcDef", -1, "Mit Beugung rechnen", "Calc with diffraction"},
        {"menuFile", -1, "Datei", "File"},
        {"actionSave_as", -1, "Speichern unter", "Save as"},
        {"c1_cocSet", 2, "Nach Betrachtungsabstand", "Set by view distace"},
        {"c2_quality", 1, "6 Mio. Pixel", "6 Mill. Pixel"},
        {"c1_crop", 3, "1.0 Vollformat (3:2)", "1.0 Full Frame (3:2)"},
        {"c2_cropC", 13, "1/3\" (4:3) ", "1/3\" (4:3) "},
    };
    for (const auto &row : rows) {
        const QString item = row.item < 0 ? QString() : QString("[%1]").arg(row.item);
        QTest::addRow("de %s%s", row.object, qPrintable(item))
            << German << row.object << row.item << QString::fromUtf8(row.german);
        QTest::addRow("C %s%s", row.object, qPrintable(item))
            << QLocale::c() << row.object << row.item << QString::fromUtf8(row.source);
    }
}

// The form takes its labels, titles, menus and choice lists from the
// translation installed when the window is built.
void TestTranslation::formFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, object);
    QFETCH(int, item);
    QFETCH(QString, expected);

    useLocale(locale);
    const auto w = freshWindow();
    QObject *target = w->findChild<QObject *>(object);
    QVERIFY(target != nullptr);
    QString shown;
    if (item >= 0)
        shown = qobject_cast<QComboBox *>(target)->itemText(item);
    else if (auto *box = qobject_cast<QGroupBox *>(target))
        shown = box->title();
    else if (auto *menu = qobject_cast<QMenu *>(target))
        shown = menu->title();
    else
        shown = target->property("text").toString();
    QCOMPARE(shown, expected);
}

// The texts written while the window runs follow the locale too.
void TestTranslation::hyperfocalButtonFollowsLocale()
{
    useLocale(German);
    auto w = freshWindow();
    QVERIFY2(w->c1_set_Hyper->text().startsWith("Auf hyperfokale Distanz ("),
             qPrintable(w->c1_set_Hyper->text()));
    useLocale(QLocale::c());
    w = freshWindow();
    QVERIFY2(w->c1_set_Hyper->text().startsWith("Set to hyperfocal ("),
             qPrintable(w->c1_set_Hyper->text()));
}

void TestTranslation::legendFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de title") << German << "title"
                              << "Kamera 2:";
    QTest::newRow("de settings") << German << "settings"
                                 << "50mm f/8 - Entf.: 3m - CoC: 0.0300mm";
    QTest::newRow("de limits") << German << "limits"
                               << "Uz(∞): 3.53 - ST: [2.34 - 4.19m] - Maßstab: 1:59";
    QTest::newRow("de infinite") << German << "infinite"
                                 << "Uz(∞): 0.5 - ST: [1.50 - ∞ m] - Maßstab: 1:29";
    QTest::newRow("de axis") << German << "axis"
                             << "Abstand [m]";
    QTest::newRow("C title") << QLocale::c() << "title"
                             << "Camera 2:";
    QTest::newRow("C settings") << QLocale::c() << "settings"
                                << "50mm f/8 - Dist.: 3m - CoC: 0.0300mm";
    QTest::newRow("C limits") << QLocale::c() << "limits"
                              << "Uz(inf): 3.53 - DOF: [2.34 - 4.19m] - Scale: 1:59";
    QTest::newRow("C infinite") << QLocale::c() << "infinite"
                                << "Uz(inf): 0.5 - DOF: [1.50 - inf. m] - Scale: 1:29";
    QTest::newRow("C axis") << QLocale::c() << "axis"
                            << "Distance [m]";
}

// The legend and the axis title of the diagram follow the locale.
void TestTranslation::legendFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    useLocale(locale);
    QCOMPARE(legendText(text), expected);
}

void TestTranslation::germanDiagramTextsFitTheirSpace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("space");

    // The legend lines get 244 pixels; the axis title starts 62 pixels
    // before the widget's right edge.
    QTest::newRow("settings") << "settings" << 244;
    QTest::newRow("limits") << "limits" << 244;
    QTest::newRow("infinite") << "infinite" << 244;
    QTest::newRow("axis") << "axis" << 62;
}

// German texts of the diagram are drawn in full at the diagram's 8-point
// font, for the typical values of the examples above.
void TestTranslation::germanDiagramTextsFitTheirSpace()
{
    QFETCH(QString, text);
    QFETCH(int, space);
    useLocale(German);
    const QString shown = legendText(text);
    const int width = QFontMetrics(QFont("Arial", 8)).horizontalAdvance(shown);
    QVERIFY2(width <= space, qPrintable(QString("%1: %2 px").arg(shown).arg(width)));
}

void TestTranslation::warningFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de") << German
                        << "Die Datei %1 kann nicht gelesen werden:\n"
                           "Die Datei enthält 10 Bytes; eine Projektdatei hat 158.";
    QTest::newRow("C") << QLocale::c()
                       << "Cannot read file %1:\nThe file holds 10 bytes; a project file has 158.";
}

// A broken project file is reported in the language of the locale, the
// reader's reason included.
void TestTranslation::warningFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    useLocale(locale);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = dir.filePath("short.vlp");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(10, '\0'));
    file.close();

    const auto w = freshWindow();
    DialogCatcher catcher;
    QVERIFY(!w->loadProject(name));
    QCOMPARE(catcher.texts, QStringList{expected.arg(QDir::toNativeSeparators(name))});
}

// Qt's own dialog texts come in German too where the system has them.
void TestTranslation::standardButtonsInGerman()
{
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(qtTranslations + "/qtbase_de.qm"))
        QSKIP("Qt's German translation is not installed (Debian: qt6-translations-l10n)");
    useLocale(German);
    QMessageBox box;
    QCOMPARE(box.addButton(QMessageBox::Cancel)->text(), QString("Abbrechen"));
    useLocale(QLocale::c());
    QMessageBox english;
    QCOMPARE(english.addButton(QMessageBox::Cancel)->text(), QString("Cancel"));
}

void TestTranslation::accessibleTextsFollowLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("swapName");
    QTest::addColumn<QString>("descriptionStart");
    QTest::addColumn<QString>("noCamera");

    QTest::newRow("de") << German << QString::fromUtf8("Unschärfediagramm") << "Kameras tauschen"
                        << "Kamera 1: 85mm f/1.2 - Entf.: 4m"
                        << "Keine Kamera wird gezeigt.";
    QTest::newRow("C") << QLocale::c() << "Blur diagram"
                       << "Swap cameras"
                       << "Camera 1: 85mm f/1.2 - Dist.: 4m"
                       << "No camera is shown.";
}

// What a screen reader reads of the window is in the window's language: the
// diagram's name and description and the names given in the form.
void TestTranslation::accessibleTextsFollowLocale()
{
    QFETCH(QLocale, locale);
    useLocale(locale);
    const auto w = freshWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QAccessibleInterface *diagram = QAccessible::queryAccessibleInterface(w->diagram);
    QVERIFY(diagram);
    QTEST(diagram->text(QAccessible::Name), "name");
    QTEST(QAccessible::queryAccessibleInterface(w->swpLR)->text(QAccessible::Name), "swapName");
    QFETCH(QString, descriptionStart);
    const QString description = diagram->text(QAccessible::Description);
    QVERIFY2(description.startsWith(descriptionStart), qPrintable(description));
    {
        CoutCapture quiet;
        w->boxC1->setChecked(false);
        w->boxC2->setChecked(false);
    }
    QTEST(diagram->text(QAccessible::Description), "noCamera");
}

void TestTranslation::tipsAndCameraNamesFollowLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("focusName");
    QTest::addColumn<QString>("apertureName");
    QTest::addColumn<QString>("focusTip");

    QTest::newRow("de") << German << "Kamera 1 Entfernung"
                        << "Kamera 2 Blendenzahl"
                        << "Entfernung, auf die Kamera 1 fokussiert";
    QTest::newRow("C") << QLocale::c() << "Camera 1 focus distance"
                       << "Camera 2 f-number"
                       << "Focus distance of camera 1";
}

// The names a screen reader announces for each camera's fields and the
// inputs' tool tips are in the window's language.
void TestTranslation::tipsAndCameraNamesFollowLocale()
{
    QFETCH(QLocale, locale);
    useLocale(locale);
    const auto w = freshWindow();
    QTEST(QAccessible::queryAccessibleInterface(w->c1_fdist)->text(QAccessible::Name), "focusName");
    QTEST(QAccessible::queryAccessibleInterface(w->c2_apature)->text(QAccessible::Name),
          "apertureName");
    QFETCH(QString, focusTip);
    QVERIFY2(w->c1_fdist->toolTip().startsWith(focusTip), qPrintable(w->c1_fdist->toolTip()));
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
