#include "app/mainwin.h"
#include "coutcapture.h"
#include "dialogcatcher.h"
#include "filesizelimit.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"

#include <QMessageBox>
#include <QtTest>

#include <cstring>
#include <memory>
#include <unistd.h>

// Project files: the byte layout, save and load through the window, the
// titles and names, and files that are broken or cannot be written.
class TestProject : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultStateBytes();
    void fieldAtOffset_data();
    void fieldAtOffset();
    void saveThenLoadRestoresEveryStoredControl();
    void loadLeavesUnstoredControls();
    void loadTraceLines();
    void choiceListsMatchForm();
    void asWindowHoldsWhatTheWindowShows();
    void acceptedVariants_data();
    void acceptedVariants();
    void longerFileLoadsFirstRecord();
    void leftBorderComesBackAsSaved_data();
    void leftBorderComesBackAsSaved();
    void brokenFileLeavesWindowUntouched_data();
    void brokenFileLeavesWindowUntouched();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void failedWriteKeepsOldFile();
    void saveInReadOnlyFolder_data();
    void saveInReadOnlyFolder();
    void cameraOffInFileKeepsHyperfocalOff();
    void saveToRememberedName();
    void cancelledSaveDialogWritesNothing();
    void cancelledSaveAsEmptiesName();
    void cancelledOpenEmptiesNameKeepsTitle();
    void fuzzInputs_data();
    void fuzzInputs();

private:
    // Every control a project stores, plus the ones it must not touch, as
    // text, so that a difference shows in the failure message.
    QStringList state(const mainWin &win) const;
    void setNonDefaults(mainWin &win);
    QByteArray savedBytes(mainWin &win);
    QString path(const QString &name) const { return dir->filePath(name); }
    static void writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<mainWin> w;
    std::unique_ptr<CoutCapture> quiet;
};

namespace
{

void putDouble(QByteArray &bytes, int offset, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToBigEndian(bits, bytes.data() + offset);
}

void putInt(QByteArray &bytes, int offset, qint32 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

double getDouble(const QByteArray &bytes, int offset)
{
    const quint64 bits = qFromBigEndian<quint64>(bytes.constData() + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QStringList withoutLensTrace(const std::string &text)
{
    QStringList lines = QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &line) { return line.startsWith("init - "); });
    return lines;
}

} // namespace

void TestProject::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    quiet = std::make_unique<CoutCapture>();
    w = std::make_unique<mainWin>();
}

void TestProject::cleanup()
{
    w.reset();
    quiet.reset();
    dir.reset();
}

QStringList TestProject::state(const mainWin &win) const
{
    QStringList s;
    auto add = [&s](const QString &name, const QVariant &value) {
        s << name + "=" + value.toString();
    };
    add("lb", win.DSB_leftBorder->value());
    add("distCam", win.distanceCam->isChecked());
    add("distFP", win.distanceFP->isChecked());
    add("xscale", win.qxscale->value());
    add("yscale", win.qyscale->value());
    add("boxC1", win.boxC1->isChecked());
    add("boxC2", win.boxC2->isChecked());
    for (const char *prefix : {"c1_", "c2_"}) {
        for (const char *spin : {"fdist", "apature", "flength", "coc", "distD", "widthD"}) {
            const QString name = QString(prefix) + spin;
            add(name, win.findChild<QDoubleSpinBox *>(name)->value());
        }
        for (const char *combo : {"crop", "quality", "formD", "cocSet", "cropC"}) {
            const QString name = QString(prefix) + combo;
            add(name, win.findChild<QComboBox *>(name)->currentIndex());
        }
        const QString calcDef = QString(prefix) + "calcDef";
        add(calcDef, win.findChild<QCheckBox *>(calcDef)->isChecked());
    }
    add("lock1", win.checkBox_2->isChecked());
    add("lock2", win.checkBox->isChecked());
    add("scroll", win.SB_leftBorder->value());
    add("title", win.windowTitle());
    add("fileName", win.fileName);
    return s;
}

void TestProject::setNonDefaults(mainWin &win)
{
    win.c1_flength->setValue(200);
    win.c2_flength->setValue(35);
    win.DSB_leftBorder->setValue(2.5);
    win.distanceFP->setChecked(true);
    win.qxscale->setValue(12);
    win.qyscale->setValue(40);
    win.boxC1->setChecked(false);
    win.c1_fdist->setValue(7.25);
    win.c1_apature->setValue(5.6);
    win.c1_coc->setValue(0.0301);
    win.c1_calcDef->setChecked(true);
    win.c1_crop->setCurrentIndex(9);
    win.c1_quality->setCurrentIndex(2);
    win.c1_distD->setValue(30.5);
    win.c1_formD->setCurrentIndex(1);
    win.c1_widthD->setValue(45.75);
    win.c2_fdist->setValue(12.5);
    win.c2_apature->setValue(11);
    win.c2_coc->setValue(0.02);
    win.c2_calcDef->setChecked(true);
    win.c2_crop->setCurrentIndex(13);
    win.c2_quality->setCurrentIndex(7);
    win.c2_distD->setValue(60);
    win.c2_formD->setCurrentIndex(1);
    win.c2_widthD->setValue(20.5);
}

QByteArray TestProject::savedBytes(mainWin &win)
{
    const QString name = path("state.vlp");
    if (!win.saveProject(name))
        return QByteArray();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestProject::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A saved default state is 158 bytes: version 1.0 first, reserved fields
// zero, distance measured from the camera.
void TestProject::defaultStateBytes()
{
    const QByteArray bytes = savedBytes(*w);
    QCOMPARE(bytes.size(), 158);
    QCOMPARE(bytes.left(8).toHex(' '), QByteArray("3f f0 00 00 00 00 00 00"));
    QCOMPARE(bytes.mid(68, 4), QByteArray(4, '\0'));
    QCOMPARE(bytes.mid(134, 4), QByteArray(4, '\0'));
    QCOMPARE(int(bytes.at(16)), 1);
    QCOMPARE(int(bytes.at(17)), 0);
    QCOMPARE(w->windowTitle(), "Mivoka " + path("state.vlp"));
}

void TestProject::fieldAtOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<char>("type");
    QTest::addColumn<double>("expected");

    QTest::newRow("version") << 0 << 'd' << 1.0;
    QTest::newRow("left border") << 8 << 'd' << 2.5;
    QTest::newRow("distance from camera") << 16 << 'b' << 0.0;
    QTest::newRow("distance from focus plane") << 17 << 'b' << 1.0;
    QTest::newRow("x scale") << 18 << 'i' << 12.0;
    QTest::newRow("y scale") << 22 << 'i' << 40.0;
    QTest::newRow("c1 takes part") << 26 << 'b' << 0.0;
    QTest::newRow("c1 fdist") << 27 << 'd' << 7.25;
    QTest::newRow("c1 apature") << 35 << 'd' << 5.6;
    QTest::newRow("c1 flength") << 43 << 'd' << 200.0;
    QTest::newRow("c1 coc") << 51 << 'd' << 0.0301;
    QTest::newRow("c1 diffraction") << 59 << 'b' << 1.0;
    QTest::newRow("c1 crop") << 60 << 'i' << 9.0;
    QTest::newRow("c1 quality") << 64 << 'i' << 2.0;
    QTest::newRow("c1 reserved") << 68 << 'i' << 0.0;
    QTest::newRow("c1 distD") << 72 << 'd' << 30.5;
    QTest::newRow("c1 formD") << 80 << 'i' << 1.0;
    QTest::newRow("c1 widthD") << 84 << 'd' << 45.75;
    QTest::newRow("c2 takes part") << 92 << 'b' << 1.0;
    QTest::newRow("c2 fdist") << 93 << 'd' << 12.5;
    QTest::newRow("c2 apature") << 101 << 'd' << 11.0;
    QTest::newRow("c2 flength") << 109 << 'd' << 35.0;
    QTest::newRow("c2 coc") << 117 << 'd' << 0.02;
    QTest::newRow("c2 diffraction") << 125 << 'b' << 1.0;
    QTest::newRow("c2 crop") << 126 << 'i' << 13.0;
    QTest::newRow("c2 quality") << 130 << 'i' << 7.0;
    QTest::newRow("c2 reserved") << 134 << 'i' << 0.0;
    QTest::newRow("c2 distD") << 138 << 'd' << 60.0;
    QTest::newRow("c2 formD") << 146 << 'i' << 1.0;
    QTest::newRow("c2 widthD") << 150 << 'd' << 20.5;
}

// Each field sits big-endian at its offset.
void TestProject::fieldAtOffset()
{
    QFETCH(int, offset);
    QFETCH(char, type);
    QFETCH(double, expected);

    setNonDefaults(*w);
    const QByteArray bytes = savedBytes(*w);
    QCOMPARE(bytes.size(), 158);
    if (type == 'd')
        QCOMPARE(getDouble(bytes, offset), expected);
    else if (type == 'i')
        QCOMPARE(qFromBigEndian<qint32>(bytes.constData() + offset), qint32(expected));
    else
        QCOMPARE(int(bytes.at(offset)), int(expected));
}

// Save, then load into a fresh window: all 27 stored controls come back.
void TestProject::saveThenLoadRestoresEveryStoredControl()
{
    setNonDefaults(*w);
    const QString name = path("state.vlp");
    QVERIFY(w->saveProject(name));

    mainWin other;
    QVERIFY(other.loadProject(name));
    QCOMPARE(other.windowTitle(), "Vorel - " + name);
    QCOMPARE(other.fileName, name);
    w->setWindowTitle(other.windowTitle());
    w->fileName = name;
    QCOMPARE(state(other), state(*w));
}

// The CoC method, crop-factor choice, lock boxes and scroll bar are not in
// the file and keep what the window had.
void TestProject::loadLeavesUnstoredControls()
{
    const QString name = path("state.vlp");
    QVERIFY(w->saveProject(name));

    mainWin other;
    other.c1_cocSet->setCurrentIndex(2);
    other.c2_cocSet->setCurrentIndex(1);
    other.c1_cropC->setCurrentIndex(0);
    other.c2_cropC->setCurrentIndex(13);
    other.checkBox->setChecked(true);
    other.checkBox_2->setChecked(true);
    other.SB_leftBorder->setValue(37);
    QVERIFY(other.loadProject(name));
    QCOMPARE(other.c1_cocSet->currentIndex(), 2);
    QCOMPARE(other.c2_cocSet->currentIndex(), 1);
    QCOMPARE(other.c1_cropC->currentIndex(), 0);
    QCOMPARE(other.c2_cropC->currentIndex(), 13);
    QVERIFY(other.checkBox->isChecked());
    QVERIFY(other.checkBox_2->isChecked());
    QCOMPARE(other.SB_leftBorder->value(), 37);
}

// One trace line per field, in file order, labels as listed, values in the
// stream's default format.
void TestProject::loadTraceLines()
{
    setNonDefaults(*w);
    const QString name = path("state.vlp");
    QVERIFY(w->saveProject(name));

    CoutCapture capture;
    QVERIFY(w->loadProject(name));
    const QStringList expected = {
        "ver: 1",     "lb: 2.5",     "distCam: 0",   "distFP: 1",    "xscale: 12",  "yscale: 40",
        "calc c1: 0", "fdist: 7.25", "apature: 5.6", "flength: 200", "coc: 0.0301", "diff: 1",
        "1: 9",       "2: 2",        "old 3: 0",     "4: 30.5",      "5: 1",        "6: 45.75",
        "calc c2: 1", "fdist: 12.5", "apature: 11",  "flength: 35",  "coc: 0.02",   "diff: 1",
        "1: 13",      "2: 7",        "old 3: 0",     "4: 60",        "5: 1",        "6: 20.5"};
    QCOMPARE(withoutLensTrace(capture.text()), expected);
    // The explicit run() at the end leaves the lens trace last.
    QVERIFY(
        QString::fromStdString(capture.text()).trimmed().split('\n').last().startsWith("init - "));
}

// The reader's limits for the choice indices are the lengths of the form's
// lists, so that no index it accepts can point past a table.
void TestProject::choiceListsMatchForm()
{
    QCOMPARE(w->c1_crop->count(), int(ProjectFile::sensorFormats));
    QCOMPARE(w->c2_crop->count(), int(ProjectFile::sensorFormats));
    QCOMPARE(w->c1_quality->count(), int(ProjectFile::pixelCounts));
    QCOMPARE(w->c2_quality->count(), int(ProjectFile::pixelCounts));
    QCOMPARE(w->c1_formD->count(), int(ProjectFile::formFactors));
    QCOMPARE(w->c2_formD->count(), int(ProjectFile::formFactors));
    // vorel-calc finds formats by these names, kept apart from the form.
    for (int i = 0; i < CocPresets::FormatCount; ++i) {
        QCOMPARE(w->c1_crop->itemText(i), QString::fromLatin1(CocPresets::formatName(i)));
        QCOMPARE(w->c2_cropC->itemText(i), QString::fromLatin1(CocPresets::formatName(i)));
    }
}

// asWindowHolds() knows the controls' ranges and decimals: a record with
// values outside them reads as the window shows it after opening it.
void TestProject::asWindowHoldsWhatTheWindowShows()
{
    ProjectFile p;
    p.leftBorder = 123456.789;
    p.distanceCam = false;
    p.distanceFP = true;
    p.xscale = 0;
    p.yscale = 500;
    const double values[2][6] = {{-3, 0.01, 0.2, 0.000049, 1.005, 7.777},
                                 {123456, 99, 5000.6, 11, -2, 1e6}};
    for (int i = 0; i < 2; ++i) {
        ProjectFile::Camera &cam = p.cameras[i];
        cam.fdist = values[i][0];
        cam.apature = values[i][1];
        cam.flength = values[i][2];
        cam.coc = values[i][3];
        cam.distD = values[i][4];
        cam.widthD = values[i][5];
    }
    const QString name = path("odd.vlp");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && p.write(file));
    file.close();
    QVERIFY(w->loadProject(name));

    const ProjectFile held = p.asWindowHolds();
    QCOMPARE(held.leftBorder, w->DSB_leftBorder->value());
    QCOMPARE(held.distanceFP, w->distanceFP->isChecked());
    QCOMPARE(held.distanceCam, w->distanceCam->isChecked());
    QCOMPARE(held.xscale, w->qxscale->value());
    QCOMPARE(held.yscale, w->qyscale->value());
    const QDoubleSpinBox *boxes[2][6] = {
        {w->c1_fdist, w->c1_apature, w->c1_flength, w->c1_coc, w->c1_distD, w->c1_widthD},
        {w->c2_fdist, w->c2_apature, w->c2_flength, w->c2_coc, w->c2_distD, w->c2_widthD}};
    for (int i = 0; i < 2; ++i) {
        const ProjectFile::Camera &cam = held.cameras[i];
        const double shown[6] = {cam.fdist, cam.apature, cam.flength,
                                 cam.coc,   cam.distD,   cam.widthD};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(shown[k], boxes[i][k]->value());
    }
}

void TestProject::acceptedVariants_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    auto dbl = [](double value) {
        QByteArray b(8, '\0');
        putDouble(b, 0, value);
        return b;
    };
    QTest::newRow("other version is not checked") << 0 << dbl(7.5) << "c1_fdist"
                                                  << "4";
    QTest::newRow("any non-zero byte is true") << 59 << QByteArray(1, '\x05') << "c1_calcDef"
                                               << "true";
    QTest::newRow("reserved value is ignored") << 68 << QByteArray(4, '\x7f') << "c1_fdist"
                                               << "4";
    QTest::newRow("negative distance clamped") << 27 << dbl(-5) << "c1_fdist"
                                               << "0";
    QTest::newRow("f-number above range clamped") << 35 << dbl(1000) << "c1_apature"
                                                  << "64";
    QTest::newRow("coc rounded to 4 decimals") << 117 << dbl(0.012345) << "c2_coc"
                                               << "0.0123";
}

// The version, reserved fields and ranges are not validated: finite values
// load and the controls clamp and round them.
void TestProject::acceptedVariants()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, control);
    QFETCH(QString, expected);

    QByteArray record = savedBytes(*w);
    QCOMPARE(record.size(), 158);
    record.replace(offset, bytes.size(), bytes);
    const QString name = path("variant.vlp");
    writeFile(name, record);

    mainWin other;
    DialogCatcher catcher;
    QVERIFY(other.loadProject(name));
    QCOMPARE(catcher.dialogs, 0);
    QObject *target = other.findChild<QObject *>(control);
    const QVariant value =
        target->property(qobject_cast<QCheckBox *>(target) ? "checked" : "value");
    QCOMPARE(value.toString(), expected);
}

// Bytes after the 158th are ignored.
void TestProject::longerFileLoadsFirstRecord()
{
    setNonDefaults(*w);
    QByteArray record = savedBytes(*w);
    record.append(QByteArray(42, '\xff'));
    const QString name = path("long.vlp");
    writeFile(name, record);

    mainWin other;
    QVERIFY(other.loadProject(name));
    w->setWindowTitle("Vorel - " + name);
    w->fileName = name;
    QCOMPARE(state(other), state(*w));
}

void TestProject::leftBorderComesBackAsSaved_data()
{
    QTest::addColumn<double>("savedF2");
    QTest::addColumn<double>("otherF2");
    QTest::addColumn<double>("otherBorder");
    QTest::newRow("previous floor") << 135.0 << 600.0 << 1.5;
    // Camera 2's 400 mm floor is set while the border is still clamped.
    QTest::newRow("floor set on the way") << 400.0 << 600.0 << 5.0;
}

// The left border comes back as saved even when the previous focal lengths,
// or those applied on the way, had set a higher floor.
void TestProject::leftBorderComesBackAsSaved()
{
    QFETCH(double, savedF2);
    QFETCH(double, otherF2);
    QFETCH(double, otherBorder);
    w->DSB_leftBorder->setValue(0.5);
    w->c2_flength->setValue(savedF2);
    QCOMPARE(w->DSB_leftBorder->value(), 0.5);
    const QString name = path("near.vlp");
    QVERIFY(w->saveProject(name));

    mainWin other;
    other.c2_flength->setValue(otherF2);
    other.DSB_leftBorder->setValue(otherBorder);
    QVERIFY(other.DSB_leftBorder->minimum() > 0.5);
    QVERIFY(other.loadProject(name));
    QCOMPARE(other.DSB_leftBorder->value(), 0.5);
    QCOMPARE(other.c2_flength->value(), savedF2);
    QCOMPARE(other.DSB_leftBorder->minimum(), w->DSB_leftBorder->minimum());
}

void TestProject::brokenFileLeavesWindowUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("reason");

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ProjectFile().write(buffer);
    const QByteArray good = buffer.data();
    auto with = [&good](int offset, double d, qint32 i, bool isDouble) {
        QByteArray b = good;
        if (isDouble)
            putDouble(b, offset, d);
        else
            putInt(b, offset, i);
        return b;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("missing") << QByteArray() << false << "No such file";
    QTest::newRow("empty") << QByteArray() << true << "holds 0 bytes";
    QTest::newRow("157 bytes") << good.left(157) << true << "holds 157 bytes";
    QTest::newRow("NaN version") << with(0, nan, 0, true) << true << "version";
    QTest::newRow("NaN focal length")
        << with(43, nan, 0, true) << true << "Camera 1's focal length is not a finite number";
    QTest::newRow("infinite left border")
        << with(8, inf, 0, true) << true << "left border is not a finite number";
    QTest::newRow("negative infinite width")
        << with(150, -inf, 0, true) << true << "Camera 2's image width";
    QTest::newRow("sensor format 14") << with(60, 0, 14, false) << true
                                      << "Camera 1's sensor format is 14, outside the choices 0 "
                                         "to 13";
    QTest::newRow("pixel count -1")
        << with(130, 0, -1, false) << true << "Camera 2's pixel count is -1";
    QTest::newRow("form factor 2")
        << with(146, 0, 2, false) << true << "Camera 2's form factor is 2";
}

// A file that cannot be used gets one warning naming it and the fault; the
// window, its title and the remembered name stay as they were, nothing is
// traced.
void TestProject::brokenFileLeavesWindowUntouched()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    QFETCH(QString, reason);

    const QString name = path("broken.vlp");
    if (create)
        writeFile(name, bytes);
    setNonDefaults(*w);
    w->fileName = path("before.vlp");
    w->setWindowTitle("Mivoka " + w->fileName);
    const QStringList before = state(*w);

    CoutCapture capture;
    DialogCatcher catcher;
    QVERIFY(!w->loadProject(name));
    QCOMPARE(catcher.texts.size(), 1);
    QCOMPARE(catcher.titles.first(), QString("Vorel"));
    QVERIFY2(catcher.texts.first().contains(QDir::toNativeSeparators(name)),
             qPrintable(catcher.texts.first()));
    QVERIFY2(catcher.texts.first().contains(reason), qPrintable(catcher.texts.first()));
    QCOMPARE(state(*w), before);
    QCOMPARE(capture.text(), std::string());
}

void TestProject::failedSaveIsReported_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("folder does not exist") << "missing/state.vlp";
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("parent is a file") << "plain/state.vlp";
}

// A save that fails shows one warning naming the file and keeps the title.
void TestProject::failedSaveIsReported()
{
    QFETCH(QString, target);

    QVERIFY(QDir(dir->path()).mkdir("folder"));
    writeFile(path("plain"), "x");
    const QString name = path(target);
    const QString title = w->windowTitle();

    DialogCatcher catcher;
    QVERIFY(!w->saveProject(name));
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts.first().startsWith("Cannot write file " +
                                              QDir::toNativeSeparators(name) + ":\n"),
             qPrintable(catcher.texts.first()));
    QCOMPARE(w->windowTitle(), title);
    QVERIFY(!QFileInfo(path("missing")).exists());
    QCOMPARE(QFileInfo(path("plain")).size(), 1);
}

// When the write itself fails (here: the process may not write files longer
// than 100 bytes, which holds for root too), the previous file stays intact.
void TestProject::failedWriteKeepsOldFile()
{
    const QString name = path("state.vlp");
    QVERIFY(w->saveProject(name));
    const QByteArray old = savedBytes(*w);
    QCOMPARE(old.size(), 158);
    setNonDefaults(*w);
    w->setWindowTitle("before");

    FileSizeLimit limit(100);
    QVERIFY(limit.isActive());
    DialogCatcher catcher;
    const bool saved = w->saveProject(name);
    limit.lift();

    QVERIFY(!saved);
    QCOMPARE(catcher.texts.size(), 1);
    QVERIFY(catcher.texts.first().contains(QDir::toNativeSeparators(name)));
    QCOMPARE(w->windowTitle(), QString("before"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"state.vlp"});
}

// Folder permissions bind ordinary users only; as root these tests prove
// nothing. CTest runs them a second time as an unprivileged user.
static bool permissionsApply()
{
    return geteuid() != 0;
}

void TestProject::saveInReadOnlyFolder_data()
{
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("writable file is overwritten in place") << true;
    QTest::newRow("read-only file is kept") << false;
}

// A folder that takes no new file: a writable project in it is overwritten
// in place; a read-only one gets one warning, and title and file are kept.
void TestProject::saveInReadOnlyFolder()
{
    QFETCH(bool, fileWritable);
    if (!permissionsApply())
        QSKIP("running as root, where folder permissions do not apply");
    const QString name = path("shared/state.vlp");
    QVERIFY(QDir(dir->path()).mkdir("shared"));
    QVERIFY(w->saveProject(name));
    const QByteArray old = savedBytes(*w);
    setNonDefaults(*w);
    const QByteArray wanted = savedBytes(*w);
    w->setWindowTitle("before");
    if (!fileWritable)
        QVERIFY(QFile::setPermissions(name, QFile::ReadOwner));
    QVERIFY(QFile::setPermissions(path("shared"), QFile::ReadOwner | QFile::ExeOwner));

    DialogCatcher closer;
    const bool saved = w->saveProject(name);
    QFile::setPermissions(path("shared"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(saved, fileWritable);
    QCOMPARE(closer.texts.size(), fileWritable ? 0 : 1);
    QCOMPARE(w->windowTitle(), fileWritable ? "Mivoka " + name : QString("before"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), fileWritable ? wanted : old);
}

// A project whose camera 1 is off opens with that camera's hyperfocal
// button off; camera 2's stays usable.
void TestProject::cameraOffInFileKeepsHyperfocalOff()
{
    const QString name = path("off.vlp");
    w->boxC1->setChecked(false);
    QVERIFY(w->saveProject(name));

    auto other = std::make_unique<mainWin>();
    other->show();
    QVERIFY(QTest::qWaitForWindowExposed(other.get()));
    QVERIFY(other->c1_set_Hyper->isEnabled());
    QVERIFY(other->loadProject(name));
    QVERIFY(!other->boxC1->isChecked());
    QVERIFY(!other->c1_set_Hyper->isEnabled());
    QVERIFY(other->c2_set_Hyper->isEnabled());
    other->c2_apature->setValue(5.6);
    QVERIFY(!other->c1_set_Hyper->isEnabled());
}

// save() with a remembered name writes there without asking.
void TestProject::saveToRememberedName()
{
    w->fileName = path("remembered.vlp");
    DialogCatcher catcher;
    w->save();
    QCOMPARE(catcher.dialogs, 0);
    QCOMPARE(QFileInfo(w->fileName).size(), 158);
    QCOMPARE(w->windowTitle(), "Mivoka " + w->fileName);
}

// save() without a name and a cancelled dialog writes nothing and keeps the
// title.
void TestProject::cancelledSaveDialogWritesNothing()
{
    DialogCatcher catcher;
    w->save();
    QCOMPARE(catcher.dialogs, 1);
    QVERIFY(w->fileName.isEmpty());
    QCOMPARE(w->windowTitle(), QString("Vorel"));
    QVERIFY(QDir(dir->path()).isEmpty());
}

// A cancelled Save as forgets the name and writes nothing.
void TestProject::cancelledSaveAsEmptiesName()
{
    w->fileName = path("remembered.vlp");
    w->setWindowTitle("Mivoka " + w->fileName);
    DialogCatcher catcher;
    w->saveAs();
    QCOMPARE(catcher.dialogs, 1);
    QVERIFY(w->fileName.isEmpty());
    QCOMPARE(w->windowTitle(), "Mivoka " + path("remembered.vlp"));
    QVERIFY(QDir(dir->path()).isEmpty());
}

// Cancelling Open after a save empties the name but keeps the title, so the
// next save asks again.
void TestProject::cancelledOpenEmptiesNameKeepsTitle()
{
    w->fileName = path("saved.vlp");
    w->save();
    const QStringList before = state(*w);
    DialogCatcher catcher;
    w->load();
    QCOMPARE(catcher.dialogs, 1);
    QVERIFY(w->fileName.isEmpty());
    QCOMPARE(w->windowTitle(), "Mivoka " + path("saved.vlp"));
    QStringList after = state(*w);
    QCOMPARE(after.takeLast(), QString("fileName="));
    QCOMPARE(after, before.mid(0, before.size() - 1));
}

void TestProject::fuzzInputs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("verdict");

    // Seeds say by their name whether they are valid; an input the fuzzer
    // once crashed on may be either.
    const QDir fuzz(QStringLiteral(VOREL_FUZZ_DIR));
    for (const QString &sub : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
        const QDir d(fuzz.filePath(sub));
        for (const QString &f : d.entryList(QDir::Files)) {
            if (f.startsWith('.'))
                continue;
            const int verdict = sub == "regressions" ? -1 : f.startsWith("valid-") ? 1 : 0;
            QTest::newRow(qPrintable(sub + "/" + f)) << d.filePath(f) << verdict;
        }
    }
}

// The fuzzer's seed files and its former crashes: a valid record is accepted
// and survives a write and a second read, anything else is refused with a
// reason.
void TestProject::fuzzInputs()
{
    QFETCH(QString, name);
    QFETCH(int, verdict);

    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    ProjectFile p;
    const bool accepted = p.read(file);
    if (verdict != -1)
        QCOMPARE(accepted, verdict == 1);
    if (!accepted) {
        QVERIFY(!p.errorString().isEmpty());
        return;
    }
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QVERIFY(p.write(buffer));
    QCOMPARE(buffer.size(), ProjectFile::recordSize);
    buffer.seek(0);
    ProjectFile again;
    QVERIFY(again.read(buffer));
    QCOMPARE(again.leftBorder, p.leftBorder);
    QCOMPARE(again.cameras[0].crop, p.cameras[0].crop);
    QCOMPARE(again.cameras[1].widthD, p.cameras[1].widthD);
}

QTEST_MAIN(TestProject)
#include "tst_project.moc"
