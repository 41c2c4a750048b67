#include "cameras/cameradatabase.h"
#include "photo/photoreader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <utility>
#include <vector>

using Error = PhotoReader::Error;
Q_DECLARE_METATYPE(PhotoReader::Error)

namespace
{

using Tags = std::vector<std::pair<const char *, const char *>>;

QString photo(const char *name)
{
    return QStringLiteral(VOREL_TEST_PHOTOS "/") + QLatin1String(name);
}

bool same(double actual, double expected, double tolerance)
{
    if (std::isnan(expected))
        return std::isnan(actual);
    if (std::isinf(expected))
        return actual == expected;
    return std::abs(actual - expected) <= tolerance;
}

} // namespace

// Photo metadata: the five camera files with the values ExifTool 12.57
// reads from them, photos built here with chosen tags for the rest of the
// rules, and every kind of file that is no photo.
class TestPhoto : public QObject
{
    Q_OBJECT

private slots:
    void cameraFiles_data();
    void cameraFiles();
    void builtPhotos_data();
    void builtPhotos();
    void noMetadataAtAll();
    void withoutDatabaseTheMetadataDecides();
    void dataAfterTheImageIsNoDamage();
    void badFiles_data();
    void badFiles();
    void unreadableFile();

private:
    // A copy of a real JPEG with its metadata replaced by tags.
    QString build(const QString &name, const Tags &tags);

    QTemporaryDir m_dir;
    CameraDatabase m_cameras;
};

QString TestPhoto::build(const QString &name, const Tags &tags)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(photo("Pentax.jpg"), path))
        return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    image->clearMetadata();
    Exiv2::ExifData exif;
    for (const auto &[key, value] : tags)
        exif[key].setValue(value);
    image->setExifData(exif);
    image->writeMetadata();
    return path;
}

void TestPhoto::cameraFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("focal");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("focus");
    QTest::addColumn<QString>("focusSource");
    QTest::addColumn<double>("crop");
    QTest::addColumn<QString>("cropSource");
    QTest::addColumn<QStringList>("missing");

    // Canon's focus range 1.13 to 2.19 m gives its midpoint; the standard
    // subject distance of 0 is no distance.
    QTest::newRow("Canon EOS-1D Mark III")
        << "Canon1DmkIII.jpg"
        << "Canon"
        << "Canon EOS-1D Mark III"
        << "EF16-35mm f/2.8L II USM" << 35.0 << 5.6 << 3888 << 2592 << 1.66 << "Canon focus range"
        << 1.282 << "camera database" << QStringList();
    // A phone: the standard subject distance, and no entry in the database,
    // so the 35 mm equivalent of 24 mm over 6.9 mm.
    QTest::newRow("Google Pixel 8 Pro")
        << "Google.jpg"
        << "Google"
        << "Pixel 8 Pro"
        << "Pixel 8 Pro back camera 6.9mm f/1.68" << 6.9 << 1.68 << 3072 << 4080 << 17.853
        << "subject distance" << 24 / 6.9 << "35 mm equivalent focal length" << QStringList();
    QTest::newRow("Nikon D70") << "NikonD70.jpg"
                               << "NIKON CORPORATION"
                               << "NIKON D70"
                               << "Nikon AF-S DX Zoom-Nikkor 18-70mm f/3.5-4.5G IF-ED" << 56.0
                               << 5.0 << 3008 << 2000 << 0.630957 << "Nikon focus distance" << 1.525
                               << "camera database" << QStringList();
    QTest::newRow("Olympus E-1") << "OlympusE1.jpg"
                                 << "OLYMPUS CORPORATION"
                                 << "E-1"
                                 << "Olympus Zuiko Digital 14-54mm F2.8-3.5" << 20.0 << 4.5 << 2560
                                 << 1920 << 0.705 << "Olympus focus distance" << 2.0
                                 << "camera database" << QStringList();
    QTest::newRow("Pentax K10D, no focus distance")
        << "Pentax.jpg"
        << "PENTAX Corporation"
        << "PENTAX K10D"
        << "Sigma AF 10-20mm F4-5.6 EX DC" << 10.0 << 13.0 << 3008 << 2000 << qQNaN() << "" << 1.531
        << "camera database" << QStringList{QStringLiteral("focus distance")};
}

void TestPhoto::cameraFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, make);
    QFETCH(QString, model);
    QFETCH(QString, lens);
    QFETCH(double, focal);
    QFETCH(double, aperture);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, focus);
    QFETCH(QString, focusSource);
    QFETCH(double, crop);
    QFETCH(QString, cropSource);
    QFETCH(QStringList, missing);

    const PhotoReader reader(&m_cameras);
    const PhotoReader::Result result = reader.read(photo(file.toLatin1().constData()));
    QVERIFY2(result.ok(), qPrintable(result.reason));
    const PhotoSettings &s = result.settings;
    QCOMPARE(s.make, make);
    QCOMPARE(s.model, model);
    QCOMPARE(s.lens, lens);
    QVERIFY(same(s.focalLength, focal, 1e-9));
    QVERIFY(same(s.fNumber, aperture, 1e-9));
    QCOMPARE(s.width, width);
    QCOMPARE(s.height, height);
    QVERIFY2(same(s.focusDistance, focus, 5e-7), qPrintable(QString::number(s.focusDistance)));
    QCOMPARE(s.focusSource, focusSource);
    QVERIFY2(same(s.cropFactor, crop, 5e-4), qPrintable(QString::number(s.cropFactor)));
    QCOMPARE(s.cropSource, cropSource);
    QCOMPARE(s.missing, missing);
}

void TestPhoto::builtPhotos_data()
{
    QTest::addColumn<Tags>("tags");
    QTest::addColumn<double>("focus");
    QTest::addColumn<QString>("focusSource");
    QTest::addColumn<double>("crop");
    QTest::addColumn<QString>("cropSource");

    const Tags plain = {{"Exif.Image.Make", "Vorel Test"},
                        {"Exif.Image.Model", "Nobody's Camera"},
                        {"Exif.Photo.FocalLength", "25/1"},
                        {"Exif.Photo.FNumber", "8/1"}};
    auto with = [&](Tags more) {
        Tags tags = plain;
        tags.insert(tags.end(), more.begin(), more.end());
        return tags;
    };

    QTest::newRow("35 mm equivalent") << with({{"Exif.Photo.FocalLengthIn35mmFilm", "50"}})
                                      << qQNaN() << "" << 2.0 << "35 mm equivalent focal length";
    // 6000 x 4000 pixels at 5000/3 pixels per cm: 36 x 24 mm.
    QTest::newRow("focal-plane resolution") << with({{"Exif.Photo.PixelXDimension", "6000"},
                                                     {"Exif.Photo.PixelYDimension", "4000"},
                                                     {"Exif.Photo.FocalPlaneXResolution", "5000/3"},
                                                     {"Exif.Photo.FocalPlaneYResolution", "5000/3"},
                                                     {"Exif.Photo.FocalPlaneResolutionUnit", "3"}})
                                            << qQNaN() << "" << 1.0 << "focal-plane resolution";
    QTest::newRow("in inches, the default unit")
        << with({{"Exif.Photo.PixelXDimension", "4000"},
                 {"Exif.Photo.PixelYDimension", "3000"},
                 {"Exif.Photo.FocalPlaneXResolution", "5080/1"},
                 {"Exif.Photo.FocalPlaneYResolution", "5080/1"},
                 {"Exif.Photo.FocalPlaneResolutionUnit", "2"}})
        << qQNaN() << "" << 43.26661531 / 25.0 << "focal-plane resolution";
    QTest::newRow("the equivalent before the resolution")
        << with({{"Exif.Photo.FocalLengthIn35mmFilm", "100"},
                 {"Exif.Photo.PixelXDimension", "6000"},
                 {"Exif.Photo.PixelYDimension", "4000"},
                 {"Exif.Photo.FocalPlaneXResolution", "5000/3"},
                 {"Exif.Photo.FocalPlaneYResolution", "5000/3"},
                 {"Exif.Photo.FocalPlaneResolutionUnit", "3"}})
        << qQNaN() << "" << 4.0 << "35 mm equivalent focal length";
    QTest::newRow("focal-plane diagonal before the equivalent")
        << Tags{{"Exif.Image.Make", "OLYMPUS IMAGING CORP."},
                {"Exif.Image.Model", "Unknown Model"},
                {"Exif.Photo.FocalLength", "25/1"},
                {"Exif.Photo.FocalLengthIn35mmFilm", "100"},
                {"Exif.Olympus.FocalPlaneDiagonal", "1730/100"}}
        << qQNaN() << "" << 43.26661531 / 17.3 << "focal-plane diagonal";
    QTest::newRow("the database before the metadata")
        << Tags{{"Exif.Image.Make", "NIKON CORPORATION"},
                {"Exif.Image.Model", "NIKON D850"},
                {"Exif.Photo.FocalLength", "25/1"},
                {"Exif.Photo.FocalLengthIn35mmFilm", "100"}}
        << qQNaN() << "" << 1.0 << "camera database";

    QTest::newRow("subject distance") << with({{"Exif.Photo.SubjectDistance", "3250/1000"}}) << 3.25
                                      << "subject distance" << qQNaN() << "";
    QTest::newRow("subject distance 0 is none")
        << with({{"Exif.Photo.SubjectDistance", "0/1"}}) << qQNaN() << "" << qQNaN() << "";
    QTest::newRow("subject distance over 0 is none")
        << with({{"Exif.Photo.SubjectDistance", "5/0"}}) << qQNaN() << "" << qQNaN() << "";
    QTest::newRow("subject distance at infinity")
        << with({{"Exif.Photo.SubjectDistance", "4294967295/1"}}) << qInf() << "subject distance"
        << qQNaN() << "";
    QTest::newRow("Canon range up to infinity")
        << Tags{{"Exif.Image.Make", "Canon"},
                {"Exif.Image.Model", "Canon Test"},
                {"Exif.CanonFi.FocusDistanceUpper", "65535"},
                {"Exif.CanonFi.FocusDistanceLower", "250"}}
        << qInf() << "Canon focus range" << qQNaN() << "";
    QTest::newRow("Canon range") << Tags{{"Exif.Image.Make", "Canon"},
                                         {"Exif.Image.Model", "Canon Test"},
                                         {"Exif.CanonFi.FocusDistanceUpper", "500"},
                                         {"Exif.CanonFi.FocusDistanceLower", "300"}}
                                 << 4.0 << "Canon focus range" << qQNaN() << "";
    QTest::newRow("Canon range of zeros is none") << Tags{{"Exif.Image.Make", "Canon"},
                                                          {"Exif.Image.Model", "Canon Test"},
                                                          {"Exif.CanonFi.FocusDistanceUpper", "0"},
                                                          {"Exif.CanonFi.FocusDistanceLower", "0"}}
                                                  << qQNaN() << "" << qQNaN() << "";
    QTest::newRow("the standard tag before the maker's")
        << Tags{{"Exif.Image.Make", "Canon"},
                {"Exif.Image.Model", "Canon Test"},
                {"Exif.Photo.SubjectDistance", "7/1"},
                {"Exif.CanonFi.FocusDistanceUpper", "500"},
                {"Exif.CanonFi.FocusDistanceLower", "300"}}
        << 7.0 << "subject distance" << qQNaN() << "";
}

void TestPhoto::builtPhotos()
{
    QFETCH(Tags, tags);
    QFETCH(double, focus);
    QFETCH(QString, focusSource);
    QFETCH(double, crop);
    QFETCH(QString, cropSource);

    const QString path = build(QStringLiteral("built.jpg"), tags);
    QVERIFY(!path.isEmpty());
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    const PhotoSettings &s = result.settings;
    QVERIFY2(same(s.focusDistance, focus, 1e-9), qPrintable(QString::number(s.focusDistance)));
    QCOMPARE(s.focusSource, focusSource);
    QCOMPARE(s.missing.contains(QStringLiteral("focus distance")), std::isnan(focus));
    QVERIFY2(same(s.cropFactor, crop, 1e-9), qPrintable(QString::number(s.cropFactor)));
    QCOMPARE(s.cropSource, cropSource);
    QCOMPARE(s.missing.contains(QStringLiteral("crop factor")), std::isnan(crop));
}

// A photo without metadata names every value missing but the image size,
// which the JPEG itself gives.
void TestPhoto::noMetadataAtAll()
{
    const QString path = build(QStringLiteral("bare.jpg"), {});
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.settings.missing, (QStringList{"make", "model", "lens", "focal length",
                                                   "aperture", "focus distance", "crop factor"}));
    QCOMPARE(result.settings.width, 8);
    QCOMPARE(result.settings.height, 8);
    QVERIFY(std::isnan(result.settings.focalLength));
    QVERIFY(std::isnan(result.settings.megaPixels()) == false);
}

// Without a database the Nikon's crop factor comes from its 35 mm
// equivalent: 84 mm over 56 mm.
void TestPhoto::withoutDatabaseTheMetadataDecides()
{
    const PhotoReader::Result result = PhotoReader().read(photo("NikonD70.jpg"));
    QVERIFY(result.ok());
    QVERIFY(same(result.settings.cropFactor, 1.5, 1e-12));
    QCOMPARE(result.settings.cropSource, QStringLiteral("35 mm equivalent focal length"));
    const QTemporaryDir empty;
    const CameraDatabase none(empty.path());
    const PhotoReader::Result olympus = PhotoReader(&none).read(photo("OlympusE1.jpg"));
    QVERIFY(same(olympus.settings.cropFactor, 43.26661531 / 21.6, 1e-9));
    QCOMPARE(olympus.settings.cropSource, QStringLiteral("focal-plane diagonal"));
}

// A phone's motion photo carries its video after the JPEG's end; bytes
// there that look like JPEG markers change nothing.
void TestPhoto::dataAfterTheImageIsNoDamage()
{
    QFile nikon(photo("NikonD70.jpg"));
    QVERIFY(nikon.open(QIODevice::ReadOnly));
    const QString path = m_dir.filePath(QStringLiteral("motion.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(nikon.readAll() + QByteArray("\0\0\0\x18"
                                            "ftypmp42\xff\xda\0\x08\x01\x02",
                                            18));
    file.close();
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.settings.width, 3008);
}

void TestPhoto::badFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Error>("error");

    QFile nikon(photo("NikonD70.jpg"));
    QVERIFY(nikon.open(QIODevice::ReadOnly));
    const QByteArray whole = nikon.readAll();

    QTest::newRow("missing") << "absent.jpg" << QByteArray() << Error::Missing;
    QTest::newRow("folder") << "folder.jpg" << QByteArray() << Error::Folder;
    QTest::newRow("empty") << "empty.jpg" << QByteArray("") << Error::NotImage;
    QTest::newRow("text") << "notes.jpg" << QByteArray("focus at 3 m, f/8\n") << Error::NotImage;
    QTest::newRow("cut in the image data")
        << "cut.jpg" << whole.left(whole.size() - 200) << Error::Truncated;
    QTest::newRow("cut in the metadata") << "short.jpg" << whole.left(600) << Error::Truncated;
    QTest::newRow("only the JPEG start") << "start.jpg" << whole.left(4) << Error::Truncated;
    QTest::newRow("cut right after the metadata")
        << "header.jpg" << whole.left(whole.indexOf("\xff\xdb")) << Error::Truncated;
    // A TIFF header whose first directory lies beyond the file's end.
    QTest::newRow("TIFF cut short")
        << "cut.tif" << QByteArray("II*\0\x00\x10\x00\x00", 8) << Error::Truncated;
}

void TestPhoto::badFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(Error, error);

    const QString path = m_dir.filePath(name);
    if (error == Error::Folder) {
        QVERIFY(QDir(m_dir.path()).mkpath(name));
    } else if (error != Error::Missing) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QCOMPARE(result.error, error);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!result.reason.contains(QLatin1Char('\n')));
}

void TestPhoto::unreadableFile()
{
    // Written here rather than copied from the test photos: run as another
    // user, the test may not be allowed to read the source tree.
    const QString path = m_dir.filePath(QStringLiteral("locked.jpg"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray::fromHex("ffd8ffe000104a46494600")) > 0);
    }
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("running with the right to read any file (root)");
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QCOMPARE(result.error, Error::Unreadable);
    QVERIFY(result.reason.startsWith(QStringLiteral("cannot be read")));
}

QTEST_GUILESS_MAIN(TestPhoto)
#include "tst_photo.moc"
