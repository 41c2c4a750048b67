#include "photoreader.h"

#include "bmffmetadata.h"
#include "cameras/cameradatabase.h"
#include "optics/numbercheck.h"
#include "presets/cocpresets.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>

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
        // Exiv2 hands both kinds over as signed pairs: an unsigned one's
        // numerator above 2^31 would read as negative.
        const Exiv2::Rational r = it->toRational(0);
        if (r.second == 0)
            return PhotoSettings::None;
        if (type == Exiv2::unsignedRational)
            return double(uint32_t(r.first)) / double(uint32_t(r.second));
        return double(r.first) / r.second;
    }
    const double value = it->toFloat(0);
    return std::isfinite(value) ? value : PhotoSettings::None;
}

// An integer value of one entry, checked before any conversion: only
// integer types are taken as they are, other numbers only when they are
// whole and within range (Exiv2 converts a float to a long unchecked).
std::optional<qint64> integer(const Exiv2::Exifdatum &entry, long n = 0)
{
    if (n < 0 || n >= entry.count())
        return std::nullopt;
    switch (entry.typeId()) {
    case Exiv2::unsignedByte:
    case Exiv2::unsignedShort:
    case Exiv2::signedByte:
    case Exiv2::signedShort:
    case Exiv2::signedLong:
        return qint64(entry.toLong(n));
    case Exiv2::unsignedLong:
    case Exiv2::tiffIfd:
        return qint64(uint32_t(entry.toLong(n)));
    default: {
        const double value = entry.toFloat(n);
        if (!std::isfinite(value) || value != std::floor(value) || std::abs(value) > 4.0e18)
            return std::nullopt;
        return qint64(value);
    }
    }
}

std::optional<qint64> integer(const Exiv2::ExifData &exif, const char *key, long n = 0)
{
    const auto it = findKey(exif, key);
    if (it == exif.end())
        return std::nullopt;
    return integer(*it, n);
}

using NumberCheck::positiveFinite;

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

// An entry's value as the bytes it holds.
QByteArray bytesOf(const Exiv2::Exifdatum &entry)
{
    QByteArray bytes(int(entry.size()), '\0');
    entry.copy(reinterpret_cast<Exiv2::byte *>(bytes.data()), Exiv2::invalidByteOrder);
    return bytes;
}

// A 16-bit number at at in bytes of the given order.
unsigned short16(const QByteArray &bytes, qsizetype at, bool little)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
    return little ? unsigned(b[0] | b[1] << 8) : unsigned(b[0] << 8 | b[1]);
}

// A TIFF header of the given byte order whose first directory is at offset.
QByteArray tiffHeader(bool little, quint32 offset)
{
    QByteArray header(8, '\0');
    const auto put = [&](int at, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            header[at + i] = char(value >> (8 * (little ? i : bytes - 1 - i)) & 0xff);
    };
    header[0] = header[1] = little ? 'I' : 'M';
    put(2, 42, 2);
    put(4, offset, 4);
    return header;
}

// A TIFF stream as Exiv2 decodes it; nothing where it refuses it.
std::optional<Exiv2::ExifData> decodedTiff(const QByteArray &tiff)
{
    Exiv2::ExifData decoded;
    try {
        Exiv2::ExifParser::decode(decoded, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
                                  uint32_t(tiff.size()));
    } catch (const Exiv2::AnyError &) {
        return std::nullopt;
    }
    return decoded;
}

// Entries of a TIFF stream's first directory added under group, as Exiv2
// decodes them; entries already present stay.
void addDirectory(Exiv2::ExifData &exif, const QByteArray &tiff, const char *group)
{
    const std::optional<Exiv2::ExifData> decoded = decodedTiff(tiff);
    if (!decoded)
        return;
    for (const Exiv2::Exifdatum &entry : *decoded) {
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

// Older Olympus cameras keep their equipment and focus records as blocks of
// bytes that this Exiv2 leaves undecoded. Each block is a TIFF directory
// whose offsets count from the file's TIFF header; handed to Exiv2 at that
// position in a TIFF of its own, its entries come back under the group
// Exiv2 knows them by, and print as Exiv2 prints that group.
void decodeMakerBlock(Exiv2::ExifData &exif, const char *key, const char *group)
{
    const auto it = findKey(exif, key);
    if (it == exif.end() || it->typeId() != Exiv2::undefined || it->size() < 6 ||
        it->size() > (1 << 26))
        return;
    const QString order = text(exif, "Exif.MakerNote.ByteOrder");
    const bool little = order != QLatin1String("MM");
    const QByteArray block = bytesOf(*it);

    const auto u16 = [&](int at) { return short16(block, at, little); };
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
    QByteArray tiff = tiffHeader(little, quint32(position));
    tiff.resize(position, '\0');
    tiff += block;

    addDirectory(exif, tiff, group);
}

// The bytes of a maker note this Exiv2 keeps undecoded, when they start
// with the maker's header; empty otherwise.
QByteArray rawMakerNote(const Exiv2::ExifData &exif, const QByteArray &header)
{
    const auto it = findKey(exif, "Exif.Photo.MakerNote");
    if (it == exif.end() || it->typeId() != Exiv2::undefined || it->size() < 16 ||
        it->size() > (1 << 24))
        return QByteArray();
    const QByteArray note = bytesOf(*it);
    return note.startsWith(header) ? note : QByteArray();
}

// The directory at start within a maker note whose offsets count from the
// note's first byte: Exiv2 decodes it as the first directory of a TIFF
// made of the note with a TIFF header in place of the maker's. The byte
// order is the first of little (or big, bigFirst) in which the entry
// count fits the note; little says which it was.
Exiv2::ExifData makerDirectory(const QByteArray &note, int start, bool bigFirst, bool *little)
{
    if (start < 8 || start + 2 > note.size())
        return {};
    const auto fits = [&](unsigned entries) {
        return entries > 0 && entries < 1000 && start + 2 + qint64(entries) * 12 <= note.size();
    };
    const unsigned asLittle = short16(note, start, true);
    const unsigned asBig = short16(note, start, false);
    *little = !(bigFirst ? fits(asBig) : !fits(asLittle));
    if (!fits(*little ? asLittle : asBig))
        return {};
    QByteArray tiff = note;
    tiff.replace(0, 8, tiffHeader(*little, quint32(start)));
    return decodedTiff(tiff).value_or(Exiv2::ExifData());
}

Exiv2::ExifData::const_iterator entryOf(const Exiv2::ExifData &directory, uint16_t tag)
{
    return std::find_if(directory.begin(), directory.end(), [tag](const Exiv2::Exifdatum &e) {
        return e.tag() == tag && e.groupName() == "Image";
    });
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

// A recorded focus range in centimetres, 65535 at the far end standing
// for infinity: the distance is the range's middle, or infinity.
Focus canonRange(std::optional<qint64> upper, std::optional<qint64> lower, const QString &source)
{
    Focus focus;
    const qint64 far = upper.value_or(0) & 0xffff;
    const qint64 near = lower.value_or(0) & 0xffff;
    if (far <= 0)
        return focus;
    focus.source = source;
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

// Apple's maker note (iPhones and iPads): the range the lens was focused
// within, two rationals in metres, in either order.
Focus appleRange(const Exiv2::ExifData &exif)
{
    const QByteArray note = rawMakerNote(exif, QByteArray("Apple iOS\0", 10));
    if (note.isEmpty())
        return Focus{};
    bool little = false;
    const Exiv2::ExifData directory = makerDirectory(note, 14, note.mid(12, 2) != "II", &little);
    const auto it = entryOf(directory, 0x000c);
    if (it == directory.end() || it->count() < 2 ||
        (it->typeId() != Exiv2::signedRational && it->typeId() != Exiv2::unsignedRational))
        return Focus{};
    double ends[2];
    for (long i = 0; i < 2; ++i) {
        const Exiv2::Rational r = it->toRational(i);
        ends[i] = r.second == 0 ? PhotoSettings::None : double(r.first) / r.second;
    }
    const double nearEnd = std::min(ends[0], ends[1]);
    const double farEnd = std::max(ends[0], ends[1]);
    if (!positiveFinite(farEnd) || !(nearEnd >= 0))
        return Focus{};
    Focus focus;
    focus.source = QStringLiteral("Apple focus range");
    focus.farEnd = farEnd;
    focus.nearEnd = nearEnd > 0 ? nearEnd : PhotoSettings::None;
    focus.distance = nearEnd > 0 ? (nearEnd + farEnd) / 2 : farEnd;
    return focus;
}

// The maker note of Leica's X and T cameras: its focus information's
// first short is the distance in millimetres, 65 m and beyond infinity.
Focus leicaDistance(const Exiv2::ExifData &exif)
{
    const QByteArray note = rawMakerNote(exif, QByteArray("LEICA\0", 6));
    if (note.isEmpty() || note[7] != '\0' ||
        !QByteArray("\x01\x04\x05\x06\x07\x10\x1a").contains(note[6]))
        return Focus{};
    bool little = true;
    const Exiv2::ExifData directory = makerDirectory(note, 8, false, &little);
    const auto it = entryOf(directory, 0x040a);
    if (it == directory.end() || it->size() < 2 || it->size() > 4096)
        return Focus{};
    const unsigned mm = short16(bytesOf(*it), 0, little);
    if (mm == 0)
        return Focus{};
    Focus focus;
    focus.distance = mm >= 65000 ? Infinity : mm / 1000.0;
    focus.source = QStringLiteral("Leica focus distance");
    return focus;
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

    // Canon records the range the lens was focused within: in its file
    // information, and on older bodies (and in CRW files) in its shot
    // information, whose lower end this Exiv2 leaves unnamed.
    focus = canonRange(integer(exif, "Exif.CanonFi.FocusDistanceUpper"),
                       integer(exif, "Exif.CanonFi.FocusDistanceLower"),
                       QStringLiteral("Canon focus range"));
    if (!focus.source.isEmpty())
        return focus;
    focus = canonRange(integer(exif, "Exif.CanonSi.SubjectDistance"),
                       integer(exif, "Exif.CanonSi.0x0014"), QStringLiteral("Canon focus range"));
    if (!focus.source.isEmpty())
        return focus;

    // Nikon's lens data: a byte b standing for 0.01 m * 10^(b / 40).
    for (const char *key : {"Exif.NikonLd3.FocusDistance", "Exif.NikonLd2.FocusDistance",
                            "Exif.NikonLd1.FocusDistance"}) {
        const std::optional<qint64> b = integer(exif, key);
        if (b && *b > 0 && *b < 256) {
            focus.distance = 0.01 * std::pow(10.0, double(*b) / 40.0);
            focus.source = QStringLiteral("Nikon focus distance");
            return focus;
        }
    }

    // Olympus and OM: the numerator in millimetres whatever the
    // denominator (newer bodies write 250/10 for 0.25 m), all ones for
    // infinity.
    const auto olympus = findKey(exif, "Exif.OlympusFi.FocusDistance");
    if (olympus != exif.end() && olympus->count() > 0 &&
        (olympus->typeId() == Exiv2::unsignedRational ||
         olympus->typeId() == Exiv2::signedRational)) {
        const uint32_t mm = uint32_t(olympus->toRational(0).first);
        if (mm > 0) {
            focus.distance = mm == 0xffffffffu ? Infinity : mm / 1000.0;
            focus.source = QStringLiteral("Olympus focus distance");
            return focus;
        }
    }

    // Minolta, and Sony's bodies with Minolta's camera settings:
    // millimetres, 0 for infinity.
    for (const char *key :
         {"Exif.MinoltaCsNew.FocusDistance", "Exif.MinoltaCsOld.FocusDistance",
          "Exif.Sony1MltCsNew.FocusDistance", "Exif.Sony1MltCsOld.FocusDistance"}) {
        const std::optional<qint64> mm = integer(exif, key);
        if (mm && *mm >= 0) {
            focus.distance = *mm == 0 ? Infinity : double(*mm) / 1000.0;
            focus.source = QStringLiteral("Minolta focus distance");
            return focus;
        }
    }

    // Casio: millimetres, 0x20000000 and above for infinity.
    for (const char *key : {"Exif.Casio2.ObjectDistance", "Exif.Casio.ObjectDistance"}) {
        const std::optional<qint64> mm = integer(exif, key);
        if (mm && *mm > 0) {
            focus.distance = *mm >= 0x20000000 ? Infinity : double(*mm) / 1000.0;
            focus.source = QStringLiteral("Casio object distance");
            return focus;
        }
    }
    // Sony's mirrorless bodies: a focus position p (255 for infinity) from
    // which the distance is estimated as (2^(p/16 - 5) + 1) times the 35 mm
    // equivalent focal length; the compact cameras' position means
    // something else, and a record starting 0x0e or 0xff holds none.
    const std::optional<qint64> position = integer(exif, "Exif.Sony2Fp.FocusPosition2");
    const std::optional<qint64> record = integer(exif, "Exif.Sony2Fp.0x0000");
    const QString model = text(exif, "Exif.Image.Model");
    const double equivalent = number(exif, "Exif.Photo.FocalLengthIn35mmFilm");
    if (position && *position > 0 && *position <= 255 && record != 0x0e && record != 0xff &&
        !model.startsWith(QLatin1String("DSC-")) && !model.startsWith(QLatin1String("Stellar")) &&
        (positiveFinite(equivalent) || *position == 255)) {
        Focus sony;
        sony.distance = *position == 255
                            ? Infinity
                            : (std::pow(2.0, double(*position) / 16 - 5) + 1) * equivalent / 1000;
        sony.source = QStringLiteral("Sony focus position");
        return sony;
    }
    focus = appleRange(exif);
    if (!focus.source.isEmpty())
        return focus;
    return leicaDistance(exif);
}

// Whether a lens name stands for no lens at all ("n/a", "----").
bool noLens(const QString &name)
{
    static const QRegularExpression none(
        QStringLiteral("^(n/?a|none|unknown|not available|[-?. ]*)$"),
        QRegularExpression::CaseInsensitiveOption);
    return none.match(name).hasMatch();
}

QString lensOf(const Exiv2::ExifData &exif)
{
    for (const char *key :
         {"Exif.Photo.LensModel", "Exif.Canon.LensModel", "Exif.Image.LensModel"}) {
        const QString lens = text(exif, key);
        if (!noLens(lens))
            return lens;
    }
    QString lens = printed(exif, Exiv2::lensName(exif));
    if (lens.isEmpty())
        lens = printed(exif, findKey(exif, "Exif.OlympusEq.LensType"));
    if (lens.isEmpty())
        lens = printed(exif, findKey(exif, "Exif.Nikon3.Lens"));
    return noLens(lens) ? QString() : lens;
}

// Whether a pixel count read from a file is one this program can hold: a
// whole number from 1 to 2^31 - 1; anything else is unknown.
bool pixels(double value)
{
    return value >= 1 && value <= double(std::numeric_limits<int>::max());
}

// The full image's size: the Exif pixel dimensions, else the largest
// full-resolution image of the file's directories (raw files keep a
// thumbnail first), else what the image itself gives (fallback).
QSize imageSize(const Exiv2::ExifData &exif, QSize fallback)
{
    const double w = std::floor(number(exif, "Exif.Photo.PixelXDimension"));
    const double h = std::floor(number(exif, "Exif.Photo.PixelYDimension"));
    if (pixels(w) && pixels(h))
        return QSize(int(w), int(h));
    QSize best;
    for (const Exiv2::Exifdatum &entry : exif) {
        if (entry.tagName() != "ImageWidth" || entry.count() == 0)
            continue;
        const std::string group = entry.groupName();
        if (group != "Image" && group.rfind("SubImage", 0) != 0)
            continue;
        const std::string prefix = "Exif." + group + ".";
        const std::optional<qint64> subfile = integer(exif, (prefix + "NewSubfileType").c_str());
        if (subfile && (*subfile & 1))
            continue;
        const std::optional<qint64> height = integer(exif, (prefix + "ImageLength").c_str());
        const std::optional<qint64> width = integer(entry);
        if (width && height && pixels(double(*width)) && pixels(double(*height)) &&
            *width * *height > qint64(best.width()) * best.height())
            best = QSize(int(*width), int(*height));
    }
    if (best.isValid() && !best.isEmpty())
        return best;
    return fallback;
}

struct Crop {
    double factor = PhotoSettings::None;
    QString source;
};

// A crop factor a camera can have: from a large-format back (about 0.3)
// to the smallest phone and compact sensors (about 11).
bool possibleCrop(double crop)
{
    return crop >= 0.2 && crop <= 16;
}

// The file's own crop factor first, since it also knows a digital crop of
// the image; the camera database only where the file gives none.
Crop cropOf(const Exiv2::ExifData &exif, const PhotoSettings &s,
            const std::function<const CameraDatabase *()> &database)
{
    for (const char *key :
         {"Exif.OlympusEq.FocalPlaneDiagonal", "Exif.Olympus.FocalPlaneDiagonal"}) {
        const double diagonal = number(exif, key);
        if (positiveFinite(diagonal) && possibleCrop(CocPresets::FullFrameDiagonal / diagonal))
            return {CocPresets::FullFrameDiagonal / diagonal,
                    QStringLiteral("focal-plane diagonal")};
    }
    const double equivalent = number(exif, "Exif.Photo.FocalLengthIn35mmFilm");
    if (positiveFinite(equivalent) && positiveFinite(s.focalLength) &&
        possibleCrop(equivalent / s.focalLength))
        return {equivalent / s.focalLength, QStringLiteral("35 mm equivalent focal length")};

    // Pixels per unit of the sensor plane; the unit: 2 inch, 3 cm, 4 mm,
    // 5 micrometre.
    const double xResolution = number(exif, "Exif.Photo.FocalPlaneXResolution");
    const double yResolution = number(exif, "Exif.Photo.FocalPlaneYResolution");
    const double unit = number(exif, "Exif.Photo.FocalPlaneResolutionUnit");
    const double mm = unit == 3 ? 10.0 : unit == 4 ? 1.0 : unit == 5 ? 0.001 : 25.4;
    if (positiveFinite(xResolution) && positiveFinite(yResolution) && s.width > 0 && s.height > 0) {
        const double diagonal = std::hypot(s.width / xResolution * mm, s.height / yResolution * mm);
        if (positiveFinite(diagonal) && possibleCrop(CocPresets::FullFrameDiagonal / diagonal))
            return {CocPresets::FullFrameDiagonal / diagonal,
                    QStringLiteral("focal-plane resolution")};
    }

    const CameraDatabase *cameras =
        database && !s.make.isEmpty() && !s.model.isEmpty() ? database() : nullptr;
    if (cameras) {
        const double aspect = s.width > 0 && s.height > 0 ? double(s.width) / s.height : 0;
        if (const auto camera = cameras->byMakeAndModel(s.make, s.model, aspect);
            camera && positiveFinite(camera->cropFactor))
            return {camera->cropFactor, QStringLiteral("camera database")};
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
bool cutShort(QFile &file, int type, const Exiv2::ExifData &exif)
{
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
            const std::optional<qint64> offset = integer(entry, i);
            const std::optional<qint64> length = integer(*lengths, i);
            if (offset && length && *offset >= 0 && *length >= 0 && *offset > size - *length)
                return true;
        }
    }
    return false;
}

// CR3 keeps Canon's maker notes as a TIFF of their own (CMT3). Exiv2
// decodes its records of shorts (camera settings, shot and file
// information) only inside a maker note; here each short becomes the
// entry Exiv2 knows it by.
void addCanonNotes(Exiv2::ExifData &exif, const QByteArray &tiff)
{
    addDirectory(exif, tiff, "Canon");
    const struct {
        const char *record;
        const char *group;
    } records[] = {{"Exif.Canon.CameraSettings", "CanonCs"},
                   {"Exif.Canon.ShotInfo", "CanonSi"},
                   {"Exif.Canon.0x0093", "CanonFi"}};
    for (const auto &r : records) {
        const auto it = findKey(exif, r.record);
        if (it == exif.end() || it->typeId() != Exiv2::unsignedShort)
            continue;
        for (long i = 1; i < it->count() && i < 0x100; ++i) {
            try {
                const Exiv2::ExifKey key(uint16_t(i), r.group);
                if (exif.findKey(key) != exif.end())
                    continue;
                Exiv2::UShortValue value;
                value.value_.push_back(uint16_t(it->toLong(i)));
                exif.add(key, &value);
            } catch (const Exiv2::AnyError &) {
            }
        }
    }
}

const QString notAPhoto = QStringLiteral("is not a photo of a kind this program reads");

} // namespace

double PhotoSettings::megaPixels() const
{
    if (width <= 0 || height <= 0)
        return None;
    return double(width) * height / 1000000.0;
}

PhotoReader::PhotoReader(const CameraDatabase *cameras)
    : PhotoReader(std::function<const CameraDatabase *()>([cameras] { return cameras; }))
{
}

PhotoReader::PhotoReader(std::function<const CameraDatabase *()> cameras)
    : m_cameras(std::move(cameras))
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
    // Nothing but a regular file is opened: a pipe would block the read, a
    // device may never end.
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return fail(Error::Missing, QStringLiteral("no such file"));
    if (!info.exists())
        return fail(Error::Missing, QStringLiteral("is a link to nothing"));
    if (info.isDir())
        return fail(Error::Folder, QStringLiteral("is a folder, not a photo"));
    if (!info.isFile())
        return fail(Error::NotImage,
                    QStringLiteral("is a special file (a pipe, socket or device), not a photo"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Error::Unreadable,
                    QStringLiteral("cannot be read: %1").arg(file.errorString()));
    if (file.size() == 0)
        return fail(Error::NotImage, QStringLiteral("is empty, not a photo"));
    const QByteArray start = file.read(64);

    Exiv2::ExifData exif;
    QSize ownSize;
    const BmffMetadata::Kind kind = BmffMetadata::kindOf(start);
    if (kind == BmffMetadata::Kind::Video)
        return fail(Error::NotImage, QStringLiteral("is a video, not a photo"));
    if (kind != BmffMetadata::Kind::None) {
        const BmffMetadata::Result boxes = BmffMetadata::read(file, kind);
        if (!boxes.ok)
            return fail(Error::Truncated,
                        QStringLiteral("is cut short or damaged (%1)").arg(boxes.reason));
        result.settings.imageIncomplete = boxes.imageIncomplete;
        ownSize = boxes.size;
        if (kind == BmffMetadata::Kind::Heif) {
            for (const QByteArray &tiff : boxes.tiffs) {
                try {
                    Exiv2::ExifParser::decode(
                        exif, reinterpret_cast<const Exiv2::byte *>(tiff.constData()),
                        uint32_t(tiff.size()));
                } catch (const Exiv2::AnyError &) {
                    exif.clear();
                }
            }
        } else {
            const char *groups[] = {"Image", "Photo", nullptr, "GPSInfo"};
            for (int i = 0; i < boxes.tiffs.size() && i < 4; ++i) {
                if (i == 2)
                    addCanonNotes(exif, boxes.tiffs[i]);
                else
                    addDirectory(exif, boxes.tiffs[i], groups[i]);
            }
        }
    } else {
        const std::string name = QFile::encodeName(path).toStdString();
        int type = Exiv2::ImageType::none;
        try {
            type = Exiv2::ImageFactory::getType(name);
        } catch (const Exiv2::AnyError &) {
            // Too short for Exiv2 to tell its kind: cut short if it starts
            // like a JPEG or a TIFF (and so a raw file), else no photo at all.
            if (start.startsWith("\xff\xd8") || start.startsWith(QByteArray("II*\0", 4)) ||
                start.startsWith(QByteArray("MM\0*", 4)))
                return fail(Error::Truncated, QStringLiteral("is cut short: the file ends early"));
            return fail(Error::NotImage, notAPhoto);
        }
        if (type == Exiv2::ImageType::none)
            return fail(Error::NotImage, notAPhoto);
        std::unique_ptr<Exiv2::Image> image;
        try {
            image = Exiv2::ImageFactory::open(name);
            image->readMetadata();
        } catch (const Exiv2::AnyError &e) {
            switch (e.code()) {
            case Exiv2::kerFileContainsUnknownImageType:
            case Exiv2::kerNotAnImage:
            case Exiv2::kerUnsupportedImageType:
                return fail(Error::NotImage, notAPhoto);
            case Exiv2::kerDataSourceOpenFailed:
            case Exiv2::kerCallFailed:
                return fail(
                    Error::Unreadable,
                    QStringLiteral("cannot be read: %1").arg(QString::fromLocal8Bit(e.what())));
            default:
                return fail(Error::Truncated,
                            QStringLiteral("is cut short or damaged (%1)")
                                .arg(QString::fromLocal8Bit(e.what()).simplified()));
            }
        } catch (const std::exception &e) {
            return fail(Error::Truncated, QStringLiteral("is cut short or damaged (%1)")
                                              .arg(QString::fromLocal8Bit(e.what()).simplified()));
        }
        exif = image->exifData();
        if (image->pixelWidth() > 0 && image->pixelHeight() > 0)
            ownSize = QSize(image->pixelWidth(), image->pixelHeight());
        // A JPEG cut short has lost part of its picture; a raw file whose
        // metadata is whole still tells how it was taken.
        if (cutShort(file, type, exif)) {
            if (type == Exiv2::ImageType::jpeg)
                return fail(Error::Truncated, QStringLiteral("is cut short: the image ends early"));
            result.settings.imageIncomplete = true;
        }
    }
    decodeMakerBlock(exif, "Exif.Olympus.Equipment", "OlympusEq");
    decodeMakerBlock(exif, "Exif.Olympus.FocusInfo", "OlympusFi");

    PhotoSettings &s = result.settings;
    s.make = text(exif, "Exif.Image.Make");
    s.model = text(exif, "Exif.Image.Model");
    s.lens = lensOf(exif);
    for (const char *key : {"Exif.Photo.FocalLength", "Exif.Image.FocalLength"}) {
        if (!positiveFinite(s.focalLength))
            s.focalLength = number(exif, key);
    }
    if (!positiveFinite(s.focalLength))
        s.focalLength = PhotoSettings::None;
    for (const char *key : {"Exif.Photo.FNumber", "Exif.Image.FNumber"}) {
        if (!positiveFinite(s.fNumber))
            s.fNumber = number(exif, key);
    }
    if (!positiveFinite(s.fNumber)) {
        // The APEX aperture value: f-number = 2^(Av / 2).
        const double apex = number(exif, "Exif.Photo.ApertureValue");
        s.fNumber = std::isfinite(apex) ? std::pow(2.0, apex / 2) : PhotoSettings::None;
        if (!positiveFinite(s.fNumber))
            s.fNumber = PhotoSettings::None;
    }
    const QSize size = imageSize(exif, ownSize);
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
