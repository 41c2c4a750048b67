#include "calc/calcapp.h"
#include "calc/mediacommands.h"
#include "calccall.h"
#include "coutcapture.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"
#include "tiffbytes.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include <sys/stat.h>

// vorel-calc's cameras and photos: the camera list, --camera on the
// commands that take a CoC, a photo's settings and figures, the project
// written from photos, and every kind of file that is no photo.
class TestCalcMedia : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void camerasList_data();
    void camerasList();
    void camerasJson();
    void cameraOption_data();
    void cameraOption();
    void cameraOnEveryCocCommand_data();
    void cameraOnEveryCocCommand();
    void withoutDatabase_data();
    void withoutDatabase();
    void photoJson();
    void photoFiguresFollowTheFormulas();
    void photoOverrides();
    void photoMissingValuesAreNull();
    void photoTextNamesTheSources();
    void photoFocusedAtInfinity();
    void badPhotos_data();
    void badPhotos();
    void projectFromTwoPhotos();
    void projectHoldsValuesToTheWindowsRanges();
    void projectTakesOneOrTwoPhotos();

private:
    QTemporaryDir m_dir;
};

namespace
{

using Result = CalcCall;

Result call(const QStringList &arguments)
{
    return callCalc(arguments, CalcCommands::provideMedia);
}

QJsonObject jsonOf(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QString photo(const char *name)
{
    return QStringLiteral(VOREL_TEST_PHOTOS "/") + QLatin1String(name);
}

const QString Fixtures = QStringLiteral(VOREL_CAMERA_FIXTURES);

// The crop-factor rule: twice the pixel pitch along the diagonal of a 3:2
// image of 4.17 million pixels.
double cropRule(double crop)
{
    return 43.26661531 / crop / std::sqrt(4170000.0 * (1.5 + 1 / 1.5) / 4);
}

} // namespace

void TestCalcMedia::init()
{
    qputenv("VOREL_CAMERA_DATABASE", Fixtures.toLocal8Bit());
}

void TestCalcMedia::camerasList_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QStringList>("models");
    QTest::newRow("all") << QStringList() << QStringList{"EOS 5D",     "EOS 5D Mark II",
                                                         "EOS D30",    "PowerShot A70",
                                                         "D3",         "D70",
                                                         "D850",       "E-M1",
                                                         "E-M1MarkII", "E-M1MarkIII",
                                                         "Alpha 7",    "Twin",
                                                         "Twin"};
    // Every camera with all the words, whole: not "EOS 5DS" for "5D".
    QTest::newRow("all the words")
        << QStringList{"Olympus", "E-M1"} << QStringList{"E-M1", "E-M1MarkII", "E-M1MarkIII"};
    QTest::newRow("a maker") << QStringList{"Olympus"}
                             << QStringList{"E-M1", "E-M1MarkII", "E-M1MarkIII"};
    QTest::newRow("part of a word")
        << QStringList{"EM"} << QStringList{"E-M1", "E-M1MarkII", "E-M1MarkIII"};
    QTest::newRow("words") << QStringList{"5D"} << QStringList{"EOS 5D", "EOS 5D Mark II"};
    QTest::newRow("none") << QStringList{"Hasselblad"} << QStringList();
}

void TestCalcMedia::camerasList()
{
    QFETCH(QStringList, text);
    QFETCH(QStringList, models);
    const Result r = call(QStringList{"cameras"} + text + QStringList{"--format", "json"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QStringList found;
    for (const QJsonValue &c : jsonOf(r.out)["cameras"].toArray())
        found << c["model"].toString();
    found.sort();
    models.sort();
    QCOMPARE(found, models);
}

// The keys and figures of one camera: diagonal 43.26661531 / crop, the
// crop-factor rule's CoC; the text lists the same.
void TestCalcMedia::camerasJson()
{
    const Result r = call({"cameras", "Nikon D70", "--format", "json"});
    const QJsonArray cameras = jsonOf(r.out)["cameras"].toArray();
    QCOMPARE(cameras.size(), 1);
    const QJsonObject c = cameras[0].toObject();
    QCOMPARE(QStringList(c.keys()),
             (QStringList{"coc_mm", "crop_factor", "diagonal_mm", "maker", "model", "mount"}));
    QCOMPARE(c["maker"].toString(), QStringLiteral("Nikon"));
    QCOMPARE(c["mount"].toString(), QStringLiteral("Nikon F AF"));
    QCOMPARE(c["crop_factor"].toDouble(), 1.525);
    QVERIFY(std::abs(c["diagonal_mm"].toDouble() - 43.26661531 / 1.525) < 1e-12);
    QVERIFY(std::abs(c["coc_mm"].toDouble() - cropRule(1.525)) < 1e-12);

    const Result text = call({"cameras", "D70"});
    QCOMPARE(text.status, 0);
    QVERIFY2(text.out.contains(QRegularExpression("Nikon +D70 +Nikon F AF +1.525 +28.37 +0.0189")),
             qPrintable(text.out));
    QVERIFY(call({"cameras", "nobody"}).out.startsWith("No camera of the database matches"));
}

void TestCalcMedia::cameraOption_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("coc");
    QTest::addColumn<QString>("message");

    QTest::newRow("exact") << QStringList{"--camera", "Olympus E-M1"} << 0 << cropRule(2) << "";
    QTest::newRow("with a pixel count")
        << QStringList{"--camera", "Nikon D850", "--megapixels", "45.7"} << 0 << 0.0086961849 << "";
    QTest::newRow("ambiguous")
        << QStringList{"--camera", "Canon 5"} << 2 << 0.0
        << "vorel-calc: dof: --camera: 'Canon 5' matches several cameras (Canon EOS 5D, Canon "
           "EOS 5D Mark II); give more of the name\n";
    QTest::newRow("unknown") << QStringList{"--camera", "qwertz"} << 2 << 0.0
                             << "vorel-calc: dof: --camera: 'qwertz' matches no camera of the "
                                "database ('vorel-calc cameras' lists them)\n";
    QTest::newRow("with --sensor")
        << QStringList{"--camera", "D850", "--sensor", "3"} << 2 << 0.0
        << "vorel-calc: dof: --sensor and --camera are different ways to give the CoC; use one\n";
}

void TestCalcMedia::cameraOption()
{
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(double, coc);
    QFETCH(QString, message);
    const Result r = call(
        QStringList{"dof", "--focal", "50", "--aperture", "8", "--focus", "3", "--format", "json"} +
        options);
    QCOMPARE(r.status, status);
    if (status != 0) {
        QCOMPARE(r.err, message);
        QVERIFY(r.out.isEmpty());
        return;
    }
    QVERIFY(std::abs(jsonOf(r.out)["coc_mm"].toDouble() - coc) < 1e-9);
}

void TestCalcMedia::cameraOnEveryCocCommand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("dof") << QStringList{"dof", "--focal", "50", "--aperture", "8", "--focus", "3"};
    QTest::newRow("table") << QStringList{"table", "--focal", "50", "--distances", "3"};
    QTest::newRow("optimum") << QStringList{"optimum", "--focal", "50", "--near",
                                            "2",       "--far",   "5"};
    QTest::newRow("stack") << QStringList{"stack",  "--focal", "100",   "--aperture", "8",
                                          "--near", "0.3",     "--far", "0.32"};
}

// The camera's CoC reaches every command: 0.02879 mm for full frame.
void TestCalcMedia::cameraOnEveryCocCommand()
{
    QFETCH(QStringList, arguments);
    const Result r = call(arguments + QStringList{"--camera", "Nikon D850"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("0.0287")), qPrintable(r.out));
    // The JSON names the camera the short form found, and the CoC's source.
    const Result j = call(arguments + QStringList{"--camera", "d850", "--format", "json"});
    QCOMPARE(j.status, 0);
    const QJsonObject o = jsonOf(j.out);
    QCOMPARE(o["camera"].toString(), QStringLiteral("Nikon D850"));
    QCOMPARE(o["coc_source"].toString(), QStringLiteral("Nikon D850, crop factor 1"));
}

void TestCalcMedia::withoutDatabase_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("cameras") << QStringList{"cameras"} << 1;
    QTest::newRow("--camera") << QStringList{"dof",     "--focal", "50",       "--aperture", "8",
                                             "--focus", "3",       "--camera", "D850"}
                              << 1;
    // Only the options that need the database fail.
    QTest::newRow("dof alone") << QStringList{"dof", "--focal", "50", "--aperture",
                                              "8",   "--focus", "3"}
                               << 0;
    QTest::newRow("a photo") << QStringList{"photo", photo("NikonD70.jpg")} << 0;
}

// Without the data package: a clear line and status 1, nothing on
// standard output.
void TestCalcMedia::withoutDatabase()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    qputenv("VOREL_CAMERA_DATABASE", m_dir.filePath(QStringLiteral("no database")).toLocal8Bit());
    const Result r = call(arguments);
    QCOMPARE(r.status, status);
    if (status == 1) {
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(QStringLiteral("liblensfun-data-v1")), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    }
}

// Every key of the photo's settings and of dof, with the values ExifTool
// reads from the Nikon's metadata.
void TestCalcMedia::photoJson()
{
    const Result r = call({"photo", photo("NikonD70.jpg"), "--format", "json"});
    QCOMPARE(r.status, 0);
    const QJsonArray photos = jsonOf(r.out)["photos"].toArray();
    QCOMPARE(photos.size(), 1);
    const QJsonObject p = photos[0].toObject();
    // The photo's own keys and every key dof gives.
    QStringList keys = {
        "file",    "make",         "model",       "lens",           "focal_mm",        "aperture",
        "focus_m", "focus_source", "crop_factor", "crop_source",    "width_px",        "height_px",
        "coc_mm",  "coc_source",   "missing",     "focus_infinite", "image_incomplete"};
    keys += jsonOf(call({"dof", "--focal", "56", "--aperture", "5", "--focus", "0.63", "--format",
                         "json"})
                       .out)
                .keys();
    keys.removeDuplicates();
    keys.sort();
    QCOMPARE(p.keys(), keys);
    QCOMPARE(p["make"].toString(), QStringLiteral("NIKON CORPORATION"));
    QCOMPARE(p["model"].toString(), QStringLiteral("NIKON D70"));
    QCOMPARE(p["focal_mm"].toDouble(), 56.0);
    QCOMPARE(p["aperture"].toDouble(), 5.0);
    QVERIFY(std::abs(p["focus_m"].toDouble() - 0.630957) < 1e-6);
    QCOMPARE(p["focus_source"].toString(), QStringLiteral("Nikon focus distance"));
    // The file's own crop factor: its 35 mm equivalent of 84 mm over 56 mm.
    QCOMPARE(p["crop_factor"].toDouble(), 1.5);
    QCOMPARE(p["crop_source"].toString(), QStringLiteral("35 mm equivalent focal length"));
    QCOMPARE(p["width_px"].toInt(), 3008);
    QCOMPARE(p["height_px"].toInt(), 2000);
    QVERIFY(std::abs(p["coc_mm"].toDouble() - cropRule(1.5)) < 1e-12);
    QVERIFY(p["missing"].toArray().isEmpty());
}

// With a given CoC, the closed forms: H = f^2 / (N c), near = s H / (H + s
// - f), far = s H / (H - (s - f)).
void TestCalcMedia::photoFiguresFollowTheFormulas()
{
    const Result r = call({"photo", photo("OlympusE1.jpg"), "--coc", "0.015", "--format", "json"});
    QCOMPARE(r.status, 0);
    const QJsonObject p = jsonOf(r.out)["photos"][0].toObject();
    const double f = 20, n = 4.5, c = 0.015, s = 705;
    const double h = f * f / (n * c);
    QVERIFY(std::abs(p["hyperfocal_m"].toDouble() - h / 1000) < 1e-9);
    QVERIFY(std::abs(p["near_m"].toDouble() - s * h / (h + s - f) / 1000) < 1e-9);
    QVERIFY(std::abs(p["far_m"].toDouble() - s * h / (h - (s - f)) / 1000) < 1e-9);
    QCOMPARE(p["coc_mm"].toDouble(), 0.015);
    QCOMPARE(p["coc_source"].toString(), QStringLiteral("given"));
    // The text shows a given CoC alone, one from the photo with its source.
    const QString given = call({"photo", photo("OlympusE1.jpg"), "--coc", "0.015"}).out;
    QVERIFY2(given.contains(QRegularExpression("Circle of confusion +0.015 mm\n")),
             qPrintable(given));
    const QString fromPhoto = call({"photo", photo("OlympusE1.jpg")}).out;
    QVERIFY2(
        fromPhoto.contains(QRegularExpression("Circle of confusion +[0-9.]+ mm \\(crop factor")),
        qPrintable(fromPhoto));
}

// --focus, --focal and --aperture stand in for the photo's values.
void TestCalcMedia::photoOverrides()
{
    const Result r = call({"photo", photo("Pentax.jpg"), "--focus", "2", "--focal", "12",
                           "--aperture", "8", "--format", "json"});
    QCOMPARE(r.status, 0);
    const QJsonObject p = jsonOf(r.out)["photos"][0].toObject();
    QCOMPARE(p["focus_m"].toDouble(), 2.0);
    QCOMPARE(p["focal_mm"].toDouble(), 12.0);
    QCOMPARE(p["aperture"].toDouble(), 8.0);
    QVERIFY(p["near_m"].isDouble());
    // The photo itself still lacks the distance.
    QCOMPARE(p["missing"].toArray(), QJsonArray{"focus distance"});
}

// A value the photo lacks is null and named; so are the figures that need
// it, and the status is still 0.
void TestCalcMedia::photoMissingValuesAreNull()
{
    const Result r = call({"photo", photo("Pentax.jpg"), "--format", "json"});
    QCOMPARE(r.status, 0);
    const QJsonObject p = jsonOf(r.out)["photos"][0].toObject();
    QVERIFY(p["focus_m"].isNull());
    QVERIFY(p["focus_source"].isNull());
    QCOMPARE(p["missing"].toArray(), QJsonArray{"focus distance"});
    for (const char *key : {"hyperfocal_m", "near_m", "far_m", "depth_m", "blur_at_infinity"})
        QVERIFY2(p[QLatin1String(key)].isNull(), key);
    // Whether diffraction would count is known all the same.
    QCOMPARE(p["diffraction"], QJsonValue(false));
    QCOMPARE(p["focal_mm"].toDouble(), 10.0);
}

void TestCalcMedia::photoTextNamesTheSources()
{
    qunsetenv("VOREL_CAMERA_DATABASE");
    const Result r = call({"photo", photo("Canon1DmkIII.jpg"), photo("Pentax.jpg")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains(QStringLiteral("Canon focus range 1.13 m to 2.19 m")));
    QVERIFY(r.out.contains(QStringLiteral("Crop factor  1.281 (focal-plane resolution)")));
    QVERIFY(r.out.contains(QStringLiteral("No figures: missing the focus distance (give "
                                          "--focus).")));
    const QJsonObject canon =
        jsonOf(call({"photo", photo("Canon1DmkIII.jpg"), "--format", "json"}).out)["photos"][0]
            .toObject();
    QCOMPARE(canon["focus_near_m"].toDouble(), 1.13);
    QCOMPARE(canon["focus_far_m"].toDouble(), 2.19);
    QVERIFY(std::abs(canon["focus_m"].toDouble() - 1.66) < 1e-12);
}

// Focused at infinity (a subject distance of all ones): the far limit is
// infinity and the near limit the hyperfocal distance F^2 / (N c), where
// the lens's image of infinity lies one focal length behind it; the text
// says so.
void TestCalcMedia::photoFocusedAtInfinity()
{
    using namespace TiffBytes;
    const QString path = m_dir.filePath(QStringLiteral("infinity.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(exifJpeg(
        tiff({ascii(0x010f, "NIKON CORPORATION"), ascii(0x0110, "NIKON D5000"),
              rational(0x829d, 8, 1), rational(0x920a, 50, 1), rational(0x9206, 0xffffffff, 1)})));
    file.close();
    const Result r = call({"photo", path, "--coc", "0.02", "--format", "json"});
    QCOMPARE(r.status, 0);
    const QJsonObject p = jsonOf(r.out)["photos"][0].toObject();
    QCOMPARE(p["focus_infinite"], QJsonValue(true));
    QVERIFY(p["focus_m"].isNull());
    const double f = 50, n = 8, c = 0.02;
    const double h = f * f / (n * c);
    QVERIFY2(std::abs(p["hyperfocal_m"].toDouble() - h / 1000) < 1e-9, qPrintable(r.out));
    QVERIFY2(std::abs(p["near_m"].toDouble() - h / 1000) < 1e-9, qPrintable(r.out));
    QVERIFY(p["far_m"].isNull());
    const Result text = call({"photo", path, "--coc", "0.02"});
    QCOMPARE(text.status, 0);
    QVERIFY2(text.out.contains(QRegularExpression("Focus +infinity\n")), qPrintable(text.out));
    QVERIFY2(text.out.contains(QRegularExpression("Far limit +infinity")), qPrintable(text.out));
    QVERIFY(!text.out.contains(QStringLiteral("No figures")));
}

void TestCalcMedia::badPhotos_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QFile nikon(photo("NikonD70.jpg"));
    QVERIFY(nikon.open(QIODevice::ReadOnly));
    const QByteArray whole = nikon.readAll();
    QTest::newRow("missing") << "absent.jpg" << QByteArray();
    QTest::newRow("folder") << "folder" << QByteArray();
    QTest::newRow("not an image") << "notes.jpg" << QByteArray("not a photo at all\n");
    QTest::newRow("cut short") << "cut.jpg" << whole.left(whole.size() / 2);
    QTest::newRow("video") << "clip.mp4"
                           << TiffBytes::ftyp("isom", "isommp41") +
                                  TiffBytes::box("moov", QByteArray(16, '\0'));
    QTest::newRow("pipe") << "pipe.jpg" << QByteArray();
}

// Status 2, one line naming the file, nothing on standard output and no
// project left behind, even after a good photo.
void TestCalcMedia::badPhotos()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(name);
    if (name == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir.path()).mkpath(name));
    } else if (name == QLatin1String("pipe.jpg")) {
        // Nobody writes to it: opened, it would block for ever.
        QFile::remove(path);
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    const QString project = m_dir.filePath(QStringLiteral("out.vlp"));
    QElapsedTimer clock;
    clock.start();
    const Result r = call({"photo", photo("NikonD70.jpg"), path, "--project", project});
    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("vorel-calc: photo: ") + path + ": "),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(project));
}

// Camera 1 and 2 of the project hold the photos' values as the window's
// boxes take them; everything else is as the window starts, and the
// window's reader opens it.
void TestCalcMedia::projectFromTwoPhotos()
{
    qunsetenv("VOREL_CAMERA_DATABASE");
    const QString name = m_dir.filePath(QStringLiteral("two.vlp"));
    const Result r = call({"photo", photo("Canon1DmkIII.jpg"), photo("Google.jpg"), "--project",
                           name, "--format", "json"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    ProjectFile p;
    QString problem;
    QVERIFY2(p.load(name, &problem), qPrintable(problem));
    const ProjectFile start = ProjectFile::windowStart();
    QCOMPARE(p.leftBorder, start.leftBorder);
    QCOMPARE(p.xscale, start.xscale);
    QCOMPARE(p.yscale, start.yscale);
    QCOMPARE(p.distanceFP, start.distanceFP);
    QCOMPARE(p.cameras[0].fdist, 1.66);
    QCOMPARE(p.cameras[0].apature, 5.6);
    QCOMPARE(p.cameras[0].flength, 35.0);
    QCOMPARE(p.cameras[0].coc, 0.0225);
    // 6.9 mm and f/1.68 as the boxes' decimals hold them.
    QCOMPARE(p.cameras[1].flength, 7.0);
    QCOMPARE(p.cameras[1].apature, 1.7);
    QCOMPARE(p.cameras[1].fdist, 17.85);
    QCOMPARE(p.cameras[1].coc, 0.0083);
    // The sensor format nearest the phone's 43.27 mm / (24 / 6.9) diagonal.
    const double phone = 43.26661531 / (24 / 6.9);
    int nearest = 0;
    for (int i = 1; i < CocPresets::FormatCount; ++i) {
        if (std::abs(std::log(CocPresets::sensorDiagonal(i) / phone)) <
            std::abs(std::log(CocPresets::sensorDiagonal(nearest) / phone)))
            nearest = i;
    }
    QCOMPARE(p.cameras[1].crop, nearest);
    QCOMPARE(p.cameras[1].enabled, true);
}

// A value beyond a box's range is held to it, and the note says so.
void TestCalcMedia::projectHoldsValuesToTheWindowsRanges()
{
    const QString name = m_dir.filePath(QStringLiteral("held.vlp"));
    const Result r = call({"photo", photo("Pentax.jpg"), "--aperture", "90", "--project", name});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains(QStringLiteral("f-number 90 held to 64")), qPrintable(r.err));
    const Result far = call({"photo", photo("NikonD70.jpg"), "--focus", "inf", "--project",
                             m_dir.filePath(QStringLiteral("far.vlp"))});
    QVERIFY2(far.err.contains(QStringLiteral("focus distance infinity held to 99999 m")),
             qPrintable(far.err));
    QVERIFY2(r.err.contains(QStringLiteral("missing: focus distance")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    ProjectFile p;
    QVERIFY(p.load(name, nullptr));
    QCOMPARE(p.cameras[0].apature, 64.0);
    // The missing distance leaves the window's own.
    QCOMPARE(p.cameras[0].fdist, ProjectFile::windowStart().cameras[0].fdist);
}

void TestCalcMedia::projectTakesOneOrTwoPhotos()
{
    const QString name = m_dir.filePath(QStringLiteral("three.vlp"));
    const Result r = call({"photo", photo("Pentax.jpg"), photo("Pentax.jpg"), photo("Pentax.jpg"),
                           "--project", name});
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.contains(QStringLiteral("3 photos")));
    QVERIFY(!QFile::exists(name));
    QCOMPARE(call({"photo"}).status, 2);
}

QTEST_GUILESS_MAIN(TestCalcMedia)
#include "tst_calcmedia.moc"
