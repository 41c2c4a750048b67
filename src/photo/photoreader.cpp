#include "photoreader.h"

#include "cameras/cameradatabase.h"
#include "presets/cocpresets.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <limits>
#include <mutex>

namespace
{

constexpr double Infinity = std::numeric_limits<double>::infinity();

void setUpExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Exiv2 writes its warnings about odd maker notes to standard error;
        // what matters to us reaches the caller as a result.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

Exiv2::ExifData::const_iterator findKey(const Exiv2::ExifData &exif, const char *key)
{
    try {
        return exif.findKey(Exiv2::ExifKey(key));
    } catch (const Exiv2::AnyError &) {
        return exif.end();
    }
}

QString text(const Exiv2::ExifData &exif, const char *key)
{
    const auto it = findKey(exif, key);
    if (it == exif.end())
        return QString();
    QString value = QString::fromStdString(it->toString());
    value.remove(QChar(0));
    return value.simplified();
}

// A number of one tag, NaN where it is absent, not a number, or a fraction
// over zero.
double number(const Exiv2::ExifData &exif, const char *key)
{
    const auto it = findKey(exif, key);
    if (it == exif.end() || it->count() == 0)
        return PhotoSettings::None;
    const Exiv2::TypeId type = it->typeId();
    if (type == Exiv2::unsignedRational || type == Exiv2::signedRational) {
        const Exiv2::Rational r = it->toRational(0);
        if (r.second == 0)
            return PhotoSettings::None;
        return double(r.first) / r.second;
    }
    const double value = it->toFloat(0);
    return std::isfinite(value) ? value : PhotoSettings::None;
}

bool positive(double value)
{
    return value > 0 && std::isfinite(value);
}

// What Exiv2 prints for a tag, where that is a name rather than a code
// (an unknown lens is printed as its number in brackets).
QString printed(const Exiv2::ExifData &exif, Exiv2::ExifData::const_iterator it)
{
    if (it == exif.end())
        return QString();
    const QString value = QString::fromStdString(it->print(&exif)).simplified();
    static const QRegularExpression code(QStringLiteral("^[(]?[-0-9 .]*[)]?$"));
    if (code.match(value).hasMatch() || value.compare(QLatin1String("Unknown")) == 0)
        return QString();
    return value;
}

// Older Olympus cameras keep their equipment and focus records as blocks of
// bytes that this Exiv2 leaves undecoded. Each block is a TIFF directory
// whose offsets count from the file's TIFF header; handed to Exiv2 at that
// position in a TIFF of its own, its entries come back under the group
// Exiv2 knows them by, and print as Exiv2 prints that group.
void decodeMakerBlock(Exiv2::ExifData &exif, const char *key, const char *group)
{
    const auto it = findKey(exif, key);
    if (it == exif.end() || it->typeId() != Exiv2::undefined || it->size() < 6)
        return;
    const QString order = text(exif, "Exif.MakerNote.ByteOrder");
    const bool little = order != QLatin1String("MM");
    QByteArray block(int(it->size()), '\0');
    it->copy(reinterpret_cast<Exiv2::byte *>(block.data()), Exiv2::invalidByteOrder);

    const auto u16 = [&](int at) {
        const auto *b = reinterpret_cast<const unsigned char *>(block.constData()) + at;
        return little ? unsigned(b[0] | b[1] << 8) : unsigned(b[0] << 8 | b[1]);
    };
    const auto u32 = [&](int at) {
        return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
    };
    static const int typeSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

    const unsigned entries = u16(0);
    const qint64 directoryEnd = 2 + qint64(entries) * 12 + 4;
    if (directoryEnd > block.size())
        return;
    // The block's own position: its first value stored outside the
    // directory lies right behind the directory.
    qint64 firstData = -1;
    for (unsigned i = 0; i < entries; ++i) {
        const int at = 2 + int(i) * 12;
        const unsigned type = u16(at + 2);
        const qint64 size = type < 13 ? qint64(typeSizes[type]) * u32(at + 4) : 0;
        if (size > 4 && (firstData < 0 || u32(at + 8) < firstData))
            firstData = u32(at + 8);
    }
    const qint64 position = firstData < 0 ? 8 : firstData - directoryEnd;
    if (position < 8 || position > (1 << 26))
        return;

    // A TIFF header in the block's byte order, pointing at the directory.
    QByteArray tiff(int(position), '\0');
    const auto put = [&](int at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (little ? i : bytes - 1 - i);
            tiff[at + i] = char(value >> shift & 0xff);
        }
    };
    tiff[0] = tiff[1] = little ? 'I' : 'M';
    put(2, 42, 2);
    put(4, unsigned(position), 4);
    tiff += block;

    Exiv2::ExifData decoded;
    try {
        Exiv2::ExifParser::decode(decoded, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
                                  uint32_t(tiff.size()));
    } catch (const Exiv2::AnyError &) {
        return;
    }
    for (const Exiv2::Exifdatum &entry : decoded) {
        if (entry.groupName() != "Image")
            continue;
        try {
            const Exiv2::ExifKey target(entry.tag(), group);
            if (exif.findKey(target) == exif.end())
                exif.add(target, &entry.value());
        } catch (const Exiv2::AnyError &) {
        }
    }
}

struct Focus {
    double distance = PhotoSettings::None;
    QString source;
    double nearEnd = PhotoSettings::None;
    double farEnd = PhotoSettings::None;
};

// A subject distance in metres as the Exif standard records it: 0 is
// unknown, all ones in the numerator infinity.
double subjectDistance(const Exiv2::ExifData &exif, const char *key)
{
    const auto it = findKey(exif, key);
    if (it == exif.end() || it->count() == 0)
        return PhotoSettings::None;
    const Exiv2::Rational r = it->toRational(0);
    if (uint32_t(r.first) == 0xffffffffu)
        return Infinity;
    if (r.second == 0 || r.first == 0)
        return PhotoSettings::None;
    return double(uint32_t(r.first)) / uint32_t(r.second);
}

Focus focusOf(const Exiv2::ExifData &exif)
{
    Focus focus;
    for (const char *key : {"Exif.Photo.SubjectDistance", "Exif.Image.SubjectDistance"}) {
        const double d = subjectDistance(exif, key);
        if (d > 0) {
            focus.distance = d;
            focus.source = QStringLiteral("subject distance");
            return focus;
        }
    }

    // Canon records the range the lens was focused within, in centimetres;
    // 65535 at the far end is infinity.
    const auto upper = findKey(exif, "Exif.CanonFi.FocusDistanceUpper");
    const auto lower = findKey(exif, "Exif.CanonFi.FocusDistanceLower");
    if (upper != exif.end() && upper->count() > 0) {
        const long far = upper->toLong(0) & 0xffff;
        const long near = lower != exif.end() && lower->count() > 0 ? lower->toLong(0) & 0xffff : 0;
        if (far > 0) {
            focus.source = QStringLiteral("Canon focus range");
            focus.nearEnd = near > 0 && near != 0xffff ? near / 100.0 : PhotoSettings::None;
            if (far == 0xffff) {
                focus.farEnd = Infinity;
                focus.distance = Infinity;
            } else {
                focus.farEnd = far / 100.0;
                focus.distance =
                    std::isnan(focus.nearEnd) ? focus.farEnd : (focus.nearEnd + focus.farEnd) / 2;
            }
            return focus;
        }
    }

    // Nikon's lens data: a byte b standing for 0.01 m * 10^(b / 40).
    for (const char *key : {"Exif.NikonLd3.FocusDistance", "Exif.NikonLd2.FocusDistance",
                            "Exif.NikonLd1.FocusDistance"}) {
        const auto it = findKey(exif, key);
        if (it != exif.end() && it->count() > 0 && it->toLong(0) > 0) {
            focus.distance = 0.01 * std::pow(10.0, it->toLong(0) / 40.0);
            focus.source = QStringLiteral("Nikon focus distance");
            return focus;
        }
    }

    // Olympus: millimetres, all ones for infinity.
    const auto olympus = findKey(exif, "Exif.OlympusFi.FocusDistance");
    if (olympus != exif.end() && olympus->count() > 0) {
        const Exiv2::Rational r = olympus->toRational(0);
        const double d = uint32_t(r.first) == 0xffffffffu ? Infinity
                         : r.second != 0 ? double(uint32_t(r.first)) / uint32_t(r.second) / 1000.0
                                         : 0;
        if (d > 0) {
            focus.distance = d;
            focus.source = QStringLiteral("Olympus focus distance");
            return focus;
        }
    }
    return focus;
}

QString lensOf(const Exiv2::ExifData &exif)
{
    for (const char *key :
         {"Exif.Photo.LensModel", "Exif.Canon.LensModel", "Exif.Image.LensModel"}) {
        const QString lens = text(exif, key);
        if (!lens.isEmpty())
            return lens;
    }
    QString lens = printed(exif, Exiv2::lensName(exif));
    if (lens.isEmpty())
        lens = printed(exif, findKey(exif, "Exif.OlympusEq.LensType"));
    if (lens.isEmpty())
        lens = printed(exif, findKey(exif, "Exif.Nikon3.Lens"));
    return lens;
}

// The full image's size: the Exif pixel dimensions, else the largest
// full-resolution image of the file's directories (raw files keep a
// thumbnail first), else what Exiv2 finds in the image itself.
QSize imageSize(const Exiv2::ExifData &exif, const Exiv2::Image &image)
{
    const double w = number(exif, "Exif.Photo.PixelXDimension");
    const double h = number(exif, "Exif.Photo.PixelYDimension");
    if (positive(w) && positive(h))
        return QSize(int(w), int(h));
    QSize best;
    for (const Exiv2::Exifdatum &entry : exif) {
        if (entry.tagName() != "ImageWidth" || entry.count() == 0)
            continue;
        const std::string group = entry.groupName();
        if (group != "Image" && group.rfind("SubImage", 0) != 0)
            continue;
        const std::string prefix = "Exif." + group + ".";
        const double subfile = number(exif, (prefix + "NewSubfileType").c_str());
        if (subfile > 0 && (long(subfile) & 1))
            continue;
        const double height = number(exif, (prefix + "ImageLength").c_str());
        const double width = entry.toFloat(0);
        if (positive(width) && positive(height) &&
            width * height > qint64(best.width()) * best.height())
            best = QSize(int(width), int(height));
    }
    if (best.isValid() && !best.isEmpty())
        return best;
    return QSize(image.pixelWidth(), image.pixelHeight());
}

struct Crop {
    double factor = PhotoSettings::None;
    QString source;
};

Crop cropOf(const Exiv2::ExifData &exif, const PhotoSettings &s, const CameraDatabase *cameras)
{
    if (cameras && !s.make.isEmpty() && !s.model.isEmpty()) {
        if (const auto camera = cameras->byMakeAndModel(s.make, s.model);
            camera && positive(camera->cropFactor))
            return {camera->cropFactor, QStringLiteral("camera database")};
    }
    for (const char *key :
         {"Exif.OlympusEq.FocalPlaneDiagonal", "Exif.Olympus.FocalPlaneDiagonal"}) {
        const double diagonal = number(exif, key);
        if (positive(diagonal))
            return {CocPresets::FullFrameDiagonal / diagonal,
                    QStringLiteral("focal-plane diagonal")};
    }
    const double equivalent = number(exif, "Exif.Photo.FocalLengthIn35mmFilm");
    if (positive(equivalent) && positive(s.focalLength))
        return {equivalent / s.focalLength, QStringLiteral("35 mm equivalent focal length")};

    // Pixels per unit of the sensor plane; the unit: 2 inch, 3 cm, 4 mm,
    // 5 micrometre.
    const double xResolution = number(exif, "Exif.Photo.FocalPlaneXResolution");
    const double yResolution = number(exif, "Exif.Photo.FocalPlaneYResolution");
    const double unit = number(exif, "Exif.Photo.FocalPlaneResolutionUnit");
    const double mm = unit == 3 ? 10.0 : unit == 4 ? 1.0 : unit == 5 ? 0.001 : 25.4;
    if (positive(xResolution) && positive(yResolution) && s.width > 0 && s.height > 0) {
        const double diagonal = std::hypot(s.width / xResolution * mm, s.height / yResolution * mm);
        if (positive(diagonal))
            return {CocPresets::FullFrameDiagonal / diagonal,
                    QStringLiteral("focal-plane resolution")};
    }
    return {};
}

// Whether a JPEG ends before its image does: its segments are followed
// from the start to the end-of-image marker, each scan's coded data to the
// marker after it (inside a scan a 0xff byte is followed by 0 or by a
// restart marker). Data after the end of the image, such as the video of a
// phone's motion photo, is no damage.
bool jpegCutShort(const uchar *data, qint64 size)
{
    const auto isRestart = [](uchar m) { return m >= 0xd0 && m <= 0xd7; };
    qint64 i = 2;
    while (i + 1 < size) {
        if (data[i] != 0xff)
            return true;
        const uchar marker = data[i + 1];
        if (marker == 0xff) {
            ++i;
            continue;
        }
        if (marker == 0xd9)
            return false;
        if (isRestart(marker) || marker == 0x01) {
            i += 2;
            continue;
        }
        if (i + 3 >= size)
            return true;
        const qint64 length = qint64(data[i + 2]) << 8 | data[i + 3];
        if (length < 2 || i + 2 + length > size)
            return true;
        i += 2 + length;
        if (marker != 0xda)
            continue;
        while (i + 1 < size && !(data[i] == 0xff && data[i + 1] != 0 && data[i + 1] != 0xff &&
                                 !isRestart(data[i + 1])))
            ++i;
    }
    return true;
}

// Whether a file ends before its image does: a JPEG's segments, a TIFF's
// image strips and embedded JPEG must lie inside the file.
bool cutShort(const QString &path, int type, const Exiv2::ExifData &exif)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (type == Exiv2::ImageType::jpeg) {
        const uchar *data = file.map(0, size);
        return data && jpegCutShort(data, size);
    }
    for (const Exiv2::Exifdatum &entry : exif) {
        const std::string name = entry.tagName();
        std::string lengthName;
        if (name == "StripOffsets" || name == "TileOffsets")
            lengthName = name == "StripOffsets" ? "StripByteCounts" : "TileByteCounts";
        else if (name == "JPEGInterchangeFormat")
            lengthName = "JPEGInterchangeFormatLength";
        else
            continue;
        const auto lengths =
            findKey(exif, ("Exif." + entry.groupName() + "." + lengthName).c_str());
        if (lengths == exif.end())
            continue;
        const long n = std::min(entry.count(), lengths->count());
        for (long i = 0; i < n; ++i) {
            if (qint64(entry.toLong(i)) + qint64(lengths->toLong(i)) > size)
                return true;
        }
    }
    return false;
}

} // namespace

double PhotoSettings::megaPixels() const
{
    if (width <= 0 || height <= 0)
        return None;
    return double(width) * height / 1000000.0;
}

PhotoReader::PhotoReader(const CameraDatabase *cameras) : m_cameras(cameras)
{
    setUpExiv2();
}

PhotoReader::Result PhotoReader::read(const QString &path) const
{
    Result result;
    const auto fail = [&](Error error, const QString &reason) {
        result.error = error;
        result.reason = reason;
        return result;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(Error::Missing, QStringLiteral("no such file"));
    if (info.isDir())
        return fail(Error::Folder, QStringLiteral("is a folder, not a photo"));
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return fail(Error::Unreadable,
                    QStringLiteral("cannot be read: %1").arg(probe.errorString()));
    if (probe.size() == 0)
        return fail(Error::NotImage, QStringLiteral("is empty, not a photo"));
    const QByteArray start = probe.read(4);
    probe.close();

    const std::string name = QFile::encodeName(path).toStdString();
    int type = Exiv2::ImageType::none;
    try {
        type = Exiv2::ImageFactory::getType(name);
    } catch (const Exiv2::AnyError &) {
        // Too short for Exiv2 to tell its kind: cut short if it starts
        // like a JPEG or a TIFF (and so a raw file), else no photo at all.
        if (start.startsWith("\xff\xd8") || start == QByteArray("II*\0", 4) ||
            start == QByteArray("MM\0*", 4))
            return fail(Error::Truncated, QStringLiteral("is cut short: the file ends early"));
        return fail(Error::NotImage, QStringLiteral("is not a photo of a kind this program reads"));
    }
    std::unique_ptr<Exiv2::Image> image;
    try {
        if (type == Exiv2::ImageType::none)
            return fail(Error::NotImage,
                        QStringLiteral("is not a photo of a kind this program reads"));
        image = Exiv2::ImageFactory::open(name);
        image->readMetadata();
    } catch (const Exiv2::AnyError &e) {
        switch (e.code()) {
        case Exiv2::kerFileContainsUnknownImageType:
        case Exiv2::kerNotAnImage:
        case Exiv2::kerUnsupportedImageType:
            return fail(Error::NotImage,
                        QStringLiteral("is not a photo of a kind this program reads"));
        case Exiv2::kerDataSourceOpenFailed:
        case Exiv2::kerCallFailed:
            return fail(Error::Unreadable,
                        QStringLiteral("cannot be read: %1").arg(QString::fromLocal8Bit(e.what())));
        default:
            return fail(Error::Truncated, QStringLiteral("is cut short or damaged (%1)")
                                              .arg(QString::fromLocal8Bit(e.what()).simplified()));
        }
    } catch (const std::exception &e) {
        return fail(Error::Truncated, QStringLiteral("is cut short or damaged (%1)")
                                          .arg(QString::fromLocal8Bit(e.what()).simplified()));
    }

    Exiv2::ExifData exif = image->exifData();
    if (cutShort(path, type, exif))
        return fail(Error::Truncated, QStringLiteral("is cut short: the image ends early"));
    decodeMakerBlock(exif, "Exif.Olympus.Equipment", "OlympusEq");
    decodeMakerBlock(exif, "Exif.Olympus.FocusInfo", "OlympusFi");

    PhotoSettings &s = result.settings;
    s.make = text(exif, "Exif.Image.Make");
    s.model = text(exif, "Exif.Image.Model");
    s.lens = lensOf(exif);
    for (const char *key : {"Exif.Photo.FocalLength", "Exif.Image.FocalLength"}) {
        if (!positive(s.focalLength))
            s.focalLength = number(exif, key);
    }
    if (!positive(s.focalLength))
        s.focalLength = PhotoSettings::None;
    for (const char *key : {"Exif.Photo.FNumber", "Exif.Image.FNumber"}) {
        if (!positive(s.fNumber))
            s.fNumber = number(exif, key);
    }
    if (!positive(s.fNumber)) {
        // The APEX aperture value: f-number = 2^(Av / 2).
        const double apex = number(exif, "Exif.Photo.ApertureValue");
        s.fNumber = std::isfinite(apex) ? std::pow(2.0, apex / 2) : PhotoSettings::None;
        if (!positive(s.fNumber))
            s.fNumber = PhotoSettings::None;
    }
    const QSize size = imageSize(exif, *image);
    if (size.width() > 0 && size.height() > 0) {
        s.width = size.width();
        s.height = size.height();
    }
    const Focus focus = focusOf(exif);
    s.focusDistance = focus.distance;
    s.focusSource = focus.source;
    s.focusNear = focus.nearEnd;
    s.focusFar = focus.farEnd;
    const Crop crop = cropOf(exif, s, m_cameras);
    s.cropFactor = crop.factor;
    s.cropSource = crop.source;

    if (s.make.isEmpty())
        s.missing << QStringLiteral("make");
    if (s.model.isEmpty())
        s.missing << QStringLiteral("model");
    if (s.lens.isEmpty())
        s.missing << QStringLiteral("lens");
    if (std::isnan(s.focalLength))
        s.missing << QStringLiteral("focal length");
    if (std::isnan(s.fNumber))
        s.missing << QStringLiteral("aperture");
    if (s.width <= 0)
        s.missing << QStringLiteral("image size");
    if (std::isnan(s.focusDistance))
        s.missing << QStringLiteral("focus distance");
    if (std::isnan(s.cropFactor))
        s.missing << QStringLiteral("crop factor");
    return result;
}
