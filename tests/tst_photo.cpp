#include "cameras/cameradatabase.h"
#include "photo/photoreader.h"
#include "tiffbytes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <exiv2/exiv2.hpp>

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

using Error = PhotoReader::Error;
using namespace TiffBytes;
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

// Olympus's focus record as the older maker notes keep it, a block of
// bytes: a TIFF directory of one entry, big-endian as the photos built
// from Pentax.jpg are, the focus distance
// 0x0305 as a rational stored right behind the directory, whose offset
// counts from a TIFF header 100 bytes before it. Given as Exiv2 takes an
// undefined value: the bytes in decimal, after "bytes:".
const char *olympusFocusInfo(quint32 numerator, quint32 denominator)
{
    QByteArray block;
    auto put = [&](quint32 value, int bytes) {
        for (int i = bytes - 1; i >= 0; --i)
            block += char(value >> (8 * i) & 0xff);
    };
    put(1, 2);
    put(0x0305, 2);
    put(5, 2);
    put(1, 4);
    put(100 + 18, 4);
    put(0, 4);
    put(numerator, 4);
    put(denominator, 4);
    QStringList bytes;
    for (const char c : std::as_const(block))
        bytes << QString::number(uchar(c));
    static std::vector<QByteArray> kept;
    kept.push_back("bytes:" + bytes.join(QLatin1Char(' ')).toLatin1());
    return kept.back().constData();
}

// "bytes:" and a maker note of the given header holding one directory
// entry, its offsets counted from the note's start.
const char *makerNote(const QByteArray &header, bool big, quint16 tag, quint16 type, quint32 count,
                      const QByteArray &value)
{
    QByteArray note = header;
    auto put = [&](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            note += char(v >> (8 * (big ? bytes - 1 - i : i)) & 0xff);
    };
    put(1, 2);
    put(tag, 2);
    put(type, 2);
    put(count, 4);
    if (value.size() <= 4) {
        note += value.leftJustified(4, '\0');
        put(0, 4);
    } else {
        put(quint32(note.size() + 8), 4);
        put(0, 4);
        note += value;
    }
    QStringList bytes;
    for (const char c : std::as_const(note))
        bytes << QString::number(uchar(c));
    static std::vector<QByteArray> kept;
    kept.push_back("bytes:" + bytes.join(QLatin1Char(' ')).toLatin1());
    return kept.back().constData();
}

// Big-endian 32-bit words.
QByteArray words(std::initializer_list<quint32> values)
{
    QByteArray out;
    for (const quint32 v : values) {
        for (int i = 3; i >= 0; --i)
            out += char(v >> (8 * i) & 0xff);
    }
    return out;
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
    void lensNamesOfNoLens_data();
    void lensNamesOfNoLens();
    void sizeBeyondAnInt();
    void specialFilesRefusedAtOnce();
    void videosRefused_data();
    void videosRefused();
    void isoMediaPhotos_data();
    void isoMediaPhotos();
    void damagedBoxes_data();
    void damagedBoxes();
    void headerOnlyRaw();
    void aspectRatioVariant_data();
    void aspectRatioVariant();
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
    for (const auto &[key, value] : tags) {
        if (std::strncmp(value, "bytes:", 6) == 0) {
            Exiv2::DataValue bytes(Exiv2::undefined);
            bytes.read(value + 6);
            exif.add(Exiv2::ExifKey(key), &bytes);
        } else {
            exif[key].setValue(value);
        }
    }
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

    // The crop factors are the files' own: the full-frame diagonal over
    // the sensor's that the focal-plane resolution gives (Canon: 3888 and
    // 2592 pixels at 3888000/1107 and 2592000/736 per inch), the 35 mm
    // equivalent over the focal length (Nikon 84 mm, Pentax 15 mm), the
    // focal-plane diagonal (Olympus 21.6 mm).
    const double canonCrop = 43.26661531 / std::hypot(1.107 * 25.4, 0.736 * 25.4);
    // Canon's focus range 1.13 to 2.19 m gives its midpoint; the standard
    // subject distance of 0 is no distance.
    QTest::newRow("Canon EOS-1D Mark III")
        << "Canon1DmkIII.jpg"
        << "Canon"
        << "Canon EOS-1D Mark III"
        << "EF16-35mm f/2.8L II USM" << 35.0 << 5.6 << 3888 << 2592 << 1.66 << "Canon focus range"
        << canonCrop << "focal-plane resolution" << QStringList();
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
                               << 5.0 << 3008 << 2000 << 0.630957 << "Nikon focus distance"
                               << 84 / 56.0 << "35 mm equivalent focal length" << QStringList();
    QTest::newRow("Olympus E-1") << "OlympusE1.jpg"
                                 << "OLYMPUS CORPORATION"
                                 << "E-1"
                                 << "Olympus Zuiko Digital 14-54mm F2.8-3.5" << 20.0 << 4.5 << 2560
                                 << 1920 << 0.705 << "Olympus focus distance" << 43.26661531 / 21.6
                                 << "focal-plane diagonal" << QStringList();
    QTest::newRow("Pentax K10D, no focus distance")
        << "Pentax.jpg"
        << "PENTAX Corporation"
        << "PENTAX K10D"
        << "Sigma AF 10-20mm F4-5.6 EX DC" << 10.0 << 13.0 << 3008 << 2000 << qQNaN() << "" << 1.5
        << "35 mm equivalent focal length" << QStringList{QStringLiteral("focus distance")};
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
    // The file's own crop factor wins, a digital crop included (a Leica
    // Q2's 28 mm cropped to a 50 mm view); the database fills in.
    QTest::newRow("the metadata before the database")
        << Tags{{"Exif.Image.Make", "NIKON CORPORATION"},
                {"Exif.Image.Model", "NIKON D850"},
                {"Exif.Photo.FocalLength", "25/1"},
                {"Exif.Photo.FocalLengthIn35mmFilm", "100"}}
        << qQNaN() << "" << 4.0 << "35 mm equivalent focal length";
    QTest::newRow("a digital crop")
        << Tags{{"Exif.Image.Make", "LEICA CAMERA AG"},
                {"Exif.Image.Model", "LEICA Q2"},
                {"Exif.Photo.FocalLength", "28/1"},
                {"Exif.Photo.FocalLengthIn35mmFilm", "50"}}
        << qQNaN() << "" << 50 / 28.0 << "35 mm equivalent focal length";
    QTest::newRow("the database without the metadata's")
        << Tags{{"Exif.Image.Make", "NIKON CORPORATION"},
                {"Exif.Image.Model", "NIKON D850"},
                {"Exif.Photo.FocalLength", "25/1"}}
        << qQNaN() << "" << 1.0 << "camera database";
    // 6000 x 4000 pixels at 50 pixels per cm: 1.2 x 0.8 m, a crop of
    // 0.03, no sensor a camera has; the database decides.
    QTest::newRow("an impossible focal-plane resolution")
        << Tags{{"Exif.Image.Make", "NIKON CORPORATION"},
                {"Exif.Image.Model", "NIKON D850"},
                {"Exif.Photo.FocalLength", "25/1"},
                {"Exif.Photo.PixelXDimension", "6000"},
                {"Exif.Photo.PixelYDimension", "4000"},
                {"Exif.Photo.FocalPlaneXResolution", "50/1"},
                {"Exif.Photo.FocalPlaneYResolution", "50/1"},
                {"Exif.Photo.FocalPlaneResolutionUnit", "3"}}
        << qQNaN() << "" << 1.0 << "camera database";
    // 36 x 24 pixels at 100 per mm: a 0.43 mm diagonal, a crop of 100.
    QTest::newRow("an impossibly small focal plane")
        << with({{"Exif.Photo.PixelXDimension", "36"},
                 {"Exif.Photo.PixelYDimension", "24"},
                 {"Exif.Photo.FocalPlaneXResolution", "100/1"},
                 {"Exif.Photo.FocalPlaneYResolution", "100/1"},
                 {"Exif.Photo.FocalPlaneResolutionUnit", "4"}})
        << qQNaN() << "" << qQNaN() << "";
    QTest::newRow("a 35 mm equivalent of 0")
        << with({{"Exif.Photo.FocalLengthIn35mmFilm", "0"}}) << qQNaN() << "" << qQNaN() << "";

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
    // Canon's older bodies and CRW files: the shot information's range.
    QTest::newRow("Canon shot information range") << Tags{{"Exif.Image.Make", "Canon"},
                                                          {"Exif.Image.Model", "Canon Test"},
                                                          {"Exif.CanonSi.SubjectDistance", "250"},
                                                          {"Exif.CanonSi.0x0014", "150"}}
                                                  << 2.0 << "Canon focus range" << qQNaN() << "";
    // Newer Olympus and OM bodies write tenths: 250/10 is 250 mm.
    QTest::newRow("Olympus focus distance in tenths")
        << Tags{{"Exif.Image.Make", "OLYMPUS IMAGING CORP."},
                {"Exif.Image.Model", "E-Test"},
                {"Exif.Olympus.FocusInfo", olympusFocusInfo(250, 10)}}
        << 0.25 << "Olympus focus distance" << qQNaN() << "";
    QTest::newRow("Olympus focus distance at infinity")
        << Tags{{"Exif.Image.Make", "OLYMPUS IMAGING CORP."},
                {"Exif.Image.Model", "E-Test"},
                {"Exif.Olympus.FocusInfo", olympusFocusInfo(0xffffffff, 1)}}
        << qInf() << "Olympus focus distance" << qQNaN() << "";
    QTest::newRow("Minolta focus distance") << Tags{{"Exif.Image.Make", "Minolta Co., Ltd."},
                                                    {"Exif.Image.Model", "DiMAGE Test"},
                                                    {"Exif.MinoltaCsNew.FocusDistance", "7000"}}
                                            << 7.0 << "Minolta focus distance" << qQNaN() << "";
    QTest::newRow("Minolta focus at infinity")
        << Tags{{"Exif.Image.Make", "Minolta Co., Ltd."},
                {"Exif.Image.Model", "DiMAGE Test"},
                {"Exif.MinoltaCsNew.FocusDistance", "0"}}
        << qInf() << "Minolta focus distance" << qQNaN() << "";
    QTest::newRow("Casio object distance") << Tags{{"Exif.Image.Make", "CASIO COMPUTER CO.,LTD."},
                                                   {"Exif.Image.Model", "EX-100"},
                                                   {"Exif.Casio2.ObjectDistance", "1893"}}
                                           << 1.893 << "Casio object distance" << qQNaN() << "";
    QTest::newRow("Casio object at infinity")
        << Tags{{"Exif.Image.Make", "CASIO COMPUTER CO.,LTD."},
                {"Exif.Image.Model", "EX-100"},
                {"Exif.Casio2.ObjectDistance", "536870912"}}
        << qInf() << "Casio object distance" << qQNaN() << "";
    // Sony's focus position 128 behind a 50 mm equivalent:
    // (2^(128/16 - 5) + 1) * 50 mm.
    QTest::newRow("Sony focus position")
        << Tags{{"Exif.Image.Make", "SONY"},
                {"Exif.Image.Model", "ILCE-Test"},
                {"Exif.Photo.FocalLengthIn35mmFilm", "50"},
                {"Exif.Sony2Fp.FocusPosition2", "128"}}
        << (std::pow(2.0, 128.0 / 16 - 5) + 1) * 0.050 << "Sony focus position" << qQNaN() << "";
    // Apple's range, far end first: 0.37 to 0.55 m, the middle 0.46 m.
    const QByteArray apple("Apple iOS\0\0\x01MM", 14);
    QTest::newRow("Apple focus range")
        << Tags{{"Exif.Image.Make", "Apple"},
                {"Exif.Image.Model", "iPhone Test"},
                {"Exif.Photo.MakerNote",
                 makerNote(apple, true, 0x000c, 10, 2, words({55, 100, 37, 100}))}}
        << (0.37 + 0.55) / 2 << "Apple focus range" << qQNaN() << "";
    QTest::newRow("Apple range of zeros is none")
        << Tags{{"Exif.Image.Make", "Apple"},
                {"Exif.Image.Model", "iPhone Test"},
                {"Exif.Photo.MakerNote",
                 makerNote(apple, true, 0x000c, 10, 2, words({0, 1, 0, 1}))}}
        << qQNaN() << "" << qQNaN() << "";
    // Leica's focus information: 568 mm, then the focal length.
    const QByteArray leica("LEICA\0\x06\0", 8);
    QTest::newRow("Leica focus distance")
        << Tags{{"Exif.Image.Make", "LEICA CAMERA AG"},
                {"Exif.Image.Model", "Leica Test"},
                {"Exif.Photo.MakerNote",
                 makerNote(leica, false, 0x040a, 7, 4, QByteArray("\x38\x02\x17\x00", 4))}}
        << 0.568 << "Leica focus distance" << qQNaN() << "";
    QTest::newRow("Leica focus at infinity")
        << Tags{{"Exif.Image.Make", "LEICA CAMERA AG"},
                {"Exif.Image.Model", "Leica Test"},
                {"Exif.Photo.MakerNote",
                 makerNote(leica, false, 0x040a, 7, 4, QByteArray("\xff\xff\x17\x00", 4))}}
        << qInf() << "Leica focus distance" << qQNaN() << "";
    // 3 * 10^9 / 1.8 * 10^6 = 1666.67 pixels per cm, as 5000/3: 36 x 24 mm.
    QTest::newRow("unsigned rational above 2^31")
        << with({{"Exif.Photo.PixelXDimension", "6000"},
                 {"Exif.Photo.PixelYDimension", "4000"},
                 {"Exif.Photo.FocalPlaneXResolution", "3000000000/1800000"},
                 {"Exif.Photo.FocalPlaneYResolution", "3000000000/1800000"},
                 {"Exif.Photo.FocalPlaneResolutionUnit", "3"}})
        << qQNaN() << "" << 1.0 << "focal-plane resolution";
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

void TestPhoto::lensNamesOfNoLens_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lens");
    QTest::newRow("n/a") << "n/a"
                         << "";
    QTest::newRow("N/A") << "N/A"
                         << "";
    QTest::newRow("dashes") << "----"
                            << "";
    QTest::newRow("a lens") << "XF23mmF2 R WR"
                            << "XF23mmF2 R WR";
}

void TestPhoto::lensNamesOfNoLens()
{
    QFETCH(QString, name);
    QFETCH(QString, lens);
    const QByteArray value = name.toLatin1();
    const QString path =
        build(QStringLiteral("lens.jpg"), {{"Exif.Photo.LensModel", value.constData()}});
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.settings.lens, lens);
    QCOMPARE(result.settings.missing.contains(QStringLiteral("lens")), lens.isEmpty());
}

// Pixel dimensions of 3 * 10^9 fit no int: unknown, and the JPEG's own
// 8 x 8 frame gives the size.
void TestPhoto::sizeBeyondAnInt()
{
    const QString path =
        build(QStringLiteral("huge.jpg"), {{"Exif.Photo.PixelXDimension", "3000000000"},
                                           {"Exif.Photo.PixelYDimension", "3000000000"}});
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QCOMPARE(result.settings.width, 8);
    QCOMPARE(result.settings.height, 8);
}

// A pipe nobody writes to would block a reader forever; it is refused
// without being opened, and so is a device.
void TestPhoto::specialFilesRefusedAtOnce()
{
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.jpg"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QElapsedTimer clock;
    clock.start();
    const PhotoReader::Result pipe = PhotoReader(&m_cameras).read(fifo);
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(pipe.error, Error::NotImage);
    QVERIFY(pipe.reason.contains(QStringLiteral("special file")));
    const PhotoReader::Result device = PhotoReader(&m_cameras).read(QStringLiteral("/dev/zero"));
    QCOMPARE(device.error, Error::NotImage);
    QVERIFY(device.reason.contains(QStringLiteral("special file")));
}

void TestPhoto::videosRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray moov = box("moov", box("mvhd", QByteArray(100, '\0')));
    QTest::newRow("MOV") << ftyp("qt  ", "qt  ") + moov;
    QTest::newRow("MP4") << ftyp("isom", "isomiso2mp41") + moov;
    QTest::newRow("3GP") << ftyp("3gp5", "3gp5isom") + moov;
    QTest::newRow("AVI") << QByteArray("RIFF\x24\0\0\0AVI LIST\x04\0\0\0hdrl", 24);
}

void TestPhoto::videosRefused()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("clip.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QCOMPARE(result.error, Error::NotImage);
    QCOMPARE(result.reason, QStringLiteral("is a video, not a photo"));
}

const QByteArray CanonUuid = QByteArray::fromHex("85c0b687820f11e08111f4ce462b6a48");

// A CR3's boxes: the main directory, the Exif directory and Canon's notes
// (the shot information's focus range 3 m to 2 m at shorts 19 and 20)
// inside Canon's uuid box, then the image data's box of mdatSize bytes
// (only its header is written when it claims more than the file holds).
QByteArray cr3(quint32 mdatSize = 16)
{
    const QByteArray cmt1 = tiff({ascii(0x010f, "Canon"), ascii(0x0110, "Canon EOS Test"),
                                  longs(0x0100, 8192), longs(0x0101, 5464)});
    const QByteArray cmt2 = tiff({rational(0x829d, 56, 10), rational(0x920a, 50, 1),
                                  shorts(0xa405, {50}), longs(0xa002, 8192), longs(0xa003, 5464)});
    QList<quint16> shotInfo(34, 0);
    shotInfo[0] = 68;
    shotInfo[19] = 300;
    shotInfo[20] = 200;
    const QByteArray cmt3 = tiff({shorts(0x0004, shotInfo), ascii(0x0095, "RF50mm F1.2 L USM")});
    const QByteArray canon =
        box("uuid", CanonUuid + box("CMT1", cmt1) + box("CMT2", cmt2) + box("CMT3", cmt3));
    QByteArray file = ftyp("crx ", "crx isom") + box("moov", canon);
    if (mdatSize <= 16)
        return file + box("mdat", QByteArray(8, '\1'));
    return file + be(mdatSize, 4) + "mdat" + QByteArray(8, '\1');
}

// A HEIF: its Exif item located by the item location box in the image
// data box, the image's size in its properties.
QByteArray heif(const char *brand, quint32 extentLength = 0)
{
    const QByteArray exifTiff =
        tiff({ascii(0x010f, "Vorel Test"), ascii(0x0110, "Phone"), rational(0x829d, 18, 10),
              rational(0x920a, 6, 1), rational(0x9206, 1500, 1000)});
    const QByteArray item = be(6, 4) + QByteArray("Exif\0\0", 6) + exifTiff;
    auto meta = [&](quint32 offset) {
        const QByteArray hdlr = fullBox("hdlr", 0, be(0, 4) + "pict" + QByteArray(13, '\0'));
        const QByteArray infe = fullBox("infe", 2, be(1, 2) + be(0, 2) + "Exif" + '\0');
        const QByteArray iinf = fullBox("iinf", 0, be(1, 2) + infe);
        const QByteArray iloc =
            fullBox("iloc", 0,
                    be(0x44, 1) + be(0, 1) + be(1, 2) + be(1, 2) + be(0, 2) + be(1, 2) +
                        be(offset, 4) + be(extentLength ? extentLength : quint32(item.size()), 4));
        const QByteArray ispe = fullBox("ispe", 0, be(4032, 4) + be(3024, 4));
        return fullBox("meta", 0, hdlr + iinf + iloc + box("iprp", box("ipco", ispe)));
    };
    const QByteArray head = ftyp(brand, QByteArray("mif1") + brand);
    const quint32 offset = quint32(head.size() + meta(0).size() + 8);
    return head + meta(offset) + box("mdat", item);
}

void TestPhoto::isoMediaPhotos_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("lens");
    QTest::addColumn<double>("focal");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("focus");
    QTest::addColumn<double>("crop");
    QTest::addColumn<bool>("incomplete");

    // CR3: the range's middle, 2.5 m; the crop factor 50 mm / 50 mm.
    QTest::newRow("CR3") << cr3() << "Canon"
                         << "RF50mm F1.2 L USM" << 50.0 << 5.6 << 8192 << 2.5 << 1.0 << false;
    QTest::newRow("CR3 with its image data cut")
        << cr3(2000000000) << "Canon"
        << "RF50mm F1.2 L USM" << 50.0 << 5.6 << 8192 << 2.5 << 1.0 << true;
    QTest::newRow("HEIC") << heif("heic") << "Vorel Test"
                          << "" << 6.0 << 1.8 << 4032 << 1.5 << qQNaN() << false;
    QTest::newRow("AVIF") << heif("avif") << "Vorel Test"
                          << "" << 6.0 << 1.8 << 4032 << 1.5 << qQNaN() << false;
}

void TestPhoto::isoMediaPhotos()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, make);
    QFETCH(QString, lens);
    QFETCH(double, focal);
    QFETCH(double, aperture);
    QFETCH(int, width);
    QFETCH(double, focus);
    QFETCH(double, crop);
    QFETCH(bool, incomplete);

    const QString path = m_dir.filePath(QStringLiteral("media.photo"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    const PhotoSettings &s = result.settings;
    QCOMPARE(s.make, make);
    QCOMPARE(s.lens, lens);
    QVERIFY(same(s.focalLength, focal, 1e-9));
    QVERIFY(same(s.fNumber, aperture, 1e-9));
    QCOMPARE(s.width, width);
    QVERIFY2(same(s.focusDistance, focus, 1e-9), qPrintable(QString::number(s.focusDistance)));
    QVERIFY2(same(s.cropFactor, crop, 1e-9), qPrintable(QString::number(s.cropFactor)));
    QCOMPARE(s.imageIncomplete, incomplete);
}

void TestPhoto::damagedBoxes_data()
{
    QTest::addColumn<QByteArray>("content");
    // The metadata's own box claims 2 GB of a file of a few hundred bytes.
    QByteArray moovTooLong = cr3();
    const qsizetype moov = moovTooLong.indexOf("moov") - 4;
    moovTooLong.replace(moov, 4, be(0x7fffffff, 4));
    QTest::newRow("CR3 metadata box beyond the end") << moovTooLong;
    QTest::newRow("CR3 without Canon's box") << ftyp("crx ", "crx ") + box("moov", QByteArray());
    QTest::newRow("HEIC Exif item beyond the end") << heif("heic", 0x7ffffff0);
    QByteArray tooSmall = heif("heic");
    tooSmall.replace(tooSmall.indexOf("meta") - 4, 4, be(4, 4));
    QTest::newRow("box smaller than its header") << tooSmall;
}

void TestPhoto::damagedBoxes()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("damaged.photo"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QCOMPARE(result.error, Error::Truncated);
    QVERIFY(!result.reason.contains(QLatin1Char('\n')));
}

// A raw file's header alone: the strip of image data it names lies beyond
// the end of the file, the settings are all there.
void TestPhoto::headerOnlyRaw()
{
    const QString path = m_dir.filePath(QStringLiteral("header.tif"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(tiff({longs(0x0100, 6000), longs(0x0101, 4000), ascii(0x010f, "Vorel Test"),
                     ascii(0x0110, "Raw"), longs(0x0111, 4096), longs(0x0117, 48000000),
                     rational(0x829d, 8, 1), rational(0x920a, 35, 1)}));
    file.close();
    const PhotoReader::Result result = PhotoReader(&m_cameras).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QVERIFY(result.settings.imageIncomplete);
    QCOMPARE(result.settings.fNumber, 8.0);
    QCOMPARE(result.settings.width, 6000);
}

// A camera with a variant per aspect ratio: the one of the image's aspect,
// either way round.
void TestPhoto::aspectRatioVariant_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<double>("crop");
    QTest::newRow("3:2") << "3000"
                         << "2000" << 5.1;
    QTest::newRow("4:3") << "4000"
                         << "3000" << 4.7;
    QTest::newRow("16:9") << "1920"
                          << "1080" << 5.75;
    QTest::newRow("2:3, upright") << "2000"
                                  << "3000" << 5.1;
}

void TestPhoto::aspectRatioVariant()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(double, crop);
    QTemporaryDir folder;
    QFile xml(folder.filePath(QStringLiteral("compact-vorel.xml")));
    QVERIFY(xml.open(QIODevice::WriteOnly));
    xml.write("<lensdatabase version=\"1\">\n");
    for (const auto &[variant, factor] :
         {std::pair{"16:9", "5.75"}, std::pair{"4:3", "4.7"}, std::pair{"3:2", "5.1"}})
        xml.write(QStringLiteral("<camera><maker>Vorel</maker><model>Aspect One</model>"
                                 "<variant>%1</variant><mount>vorelAspect</mount>"
                                 "<cropfactor>%2</cropfactor></camera>\n")
                      .arg(QLatin1String(variant), QLatin1String(factor))
                      .toUtf8());
    xml.write("</lensdatabase>\n");
    xml.close();
    const CameraDatabase database(folder.path());
    QVERIFY(database.isLoaded());
    const QByteArray w = width.toLatin1();
    const QByteArray h = height.toLatin1();
    const QString path =
        build(QStringLiteral("aspect.jpg"), {{"Exif.Image.Make", "Vorel"},
                                             {"Exif.Image.Model", "Aspect One"},
                                             {"Exif.Photo.PixelXDimension", w.constData()},
                                             {"Exif.Photo.PixelYDimension", h.constData()}});
    const PhotoReader::Result result = PhotoReader(&database).read(path);
    QVERIFY2(result.ok(), qPrintable(result.reason));
    QVERIFY2(same(result.settings.cropFactor, crop, 1e-9),
             qPrintable(QString::number(result.settings.cropFactor)));
    QCOMPARE(result.settings.cropSource, QStringLiteral("camera database"));
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
