#include "bmffmetadata.h"

#include <QIODevice>

#include <algorithm>
#include <climits>
#include <optional>

namespace
{

// Bounds on what a damaged or hostile file can make the walk do.
constexpr int MaxBoxes = 4096;
constexpr int MaxDepth = 8;
constexpr qint64 MaxMetadata = 16 << 20;

constexpr quint32 fourCc(const char *t)
{
    return quint32(uchar(t[0])) << 24 | quint32(uchar(t[1])) << 16 | quint32(uchar(t[2])) << 8 |
           quint32(uchar(t[3]));
}

quint64 bigEndian(const QByteArray &bytes, qint64 at, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | uchar(bytes[at + i]);
    return value;
}

// Canon's uuid box that holds the CMT boxes.
const QByteArray CanonUuid = QByteArray::fromHex("85c0b687820f11e08111f4ce462b6a48");

struct Box {
    quint32 type = 0;
    QByteArray uuid;
    qint64 start = 0;
    qint64 payload = 0;
    qint64 end = 0;
};

class Walker
{
public:
    explicit Walker(QIODevice &file) : m_file(file), m_size(file.size()) {}

    QString damage;
    bool beyondEnd = false;

    // The boxes between from and to, one level; empty with damage set when
    // a box header is broken or reaches past the end of its parent.
    QList<Box> children(qint64 from, qint64 to)
    {
        QList<Box> boxes;
        qint64 at = from;
        while (damage.isEmpty() && to - at >= 8) {
            if (++m_boxes > MaxBoxes) {
                damage = QStringLiteral("too many boxes");
                break;
            }
            const std::optional<Box> box = header(at, to);
            if (!box)
                break;
            boxes << *box;
            at = box->end;
        }
        return boxes;
    }

    // The bytes of a box's payload from offset skip on, at most MaxMetadata.
    std::optional<QByteArray> payload(const Box &box, qint64 skip = 0)
    {
        const qint64 start = box.payload + skip;
        const qint64 length = box.end - start;
        return bytes(start, length);
    }

    std::optional<QByteArray> bytes(qint64 start, qint64 length)
    {
        if (start < 0 || length < 0 || length > MaxMetadata || start > m_size ||
            length > m_size - start) {
            damage = QStringLiteral("its metadata lies beyond the end of the file");
            return std::nullopt;
        }
        if (!m_file.seek(start))
            return std::nullopt;
        const QByteArray data = m_file.read(length);
        if (data.size() != length) {
            damage = QStringLiteral("its metadata cannot be read");
            return std::nullopt;
        }
        return data;
    }

    qint64 size() const { return m_size; }

private:
    std::optional<Box> header(qint64 at, qint64 to)
    {
        if (!m_file.seek(at)) {
            damage = QStringLiteral("it cannot be read");
            return std::nullopt;
        }
        QByteArray head = m_file.read(8);
        if (head.size() < 8) {
            damage = QStringLiteral("a box is cut short");
            return std::nullopt;
        }
        Box box;
        box.start = at;
        box.type = quint32(bigEndian(head, 4, 4));
        quint64 size = bigEndian(head, 0, 4);
        qint64 headerSize = 8;
        if (size == 1) {
            const QByteArray large = m_file.read(8);
            if (large.size() < 8) {
                damage = QStringLiteral("a box is cut short");
                return std::nullopt;
            }
            size = bigEndian(large, 0, 8);
            headerSize = 16;
        } else if (size == 0) {
            size = quint64(to - at);
        }
        if (box.type == fourCc("uuid")) {
            box.uuid = m_file.read(16);
            headerSize += 16;
        }
        if (size < quint64(headerSize) ||
            box.uuid.size() != (box.type == fourCc("uuid") ? 16 : 0)) {
            damage = QStringLiteral("a box has an impossible size");
            return std::nullopt;
        }
        if (size > quint64(to - at)) {
            // Past the end of the file (a file cut short) or of its parent.
            beyondEnd = true;
            damage = to == m_size ? QStringLiteral("a box reaches beyond the end of the file")
                                  : QStringLiteral("a box reaches beyond the box holding it");
            return std::nullopt;
        }
        box.payload = at + headerSize;
        box.end = at + qint64(size);
        return box;
    }

    QIODevice &m_file;
    qint64 m_size;
    int m_boxes = 0;
};

const Box *find(const QList<Box> &boxes, quint32 type)
{
    for (const Box &b : boxes) {
        if (b.type == type)
            return &b;
    }
    return nullptr;
}

// The top-level boxes; a box cut short by the file's end after the boxes
// that hold the metadata is only the image data cut short.
QList<Box> topLevel(Walker &walk, BmffMetadata::Result &result)
{
    QList<Box> boxes = walk.children(0, walk.size());
    if (!walk.damage.isEmpty() && walk.beyondEnd) {
        result.imageIncomplete = true;
        walk.damage.clear();
    }
    return boxes;
}

void readCr3(Walker &walk, BmffMetadata::Result &result)
{
    const QList<Box> top = topLevel(walk, result);
    const Box *moov = find(top, fourCc("moov"));
    if (!moov) {
        if (walk.damage.isEmpty())
            walk.damage = QStringLiteral("it has no metadata box");
        return;
    }
    for (const Box &box : walk.children(moov->payload, moov->end)) {
        if (box.type != fourCc("uuid") || box.uuid != CanonUuid)
            continue;
        const QList<Box> inner = walk.children(box.payload, box.end);
        for (const char *name : {"CMT1", "CMT2", "CMT3", "CMT4"}) {
            const Box *cmt = find(inner, fourCc(name));
            std::optional<QByteArray> data;
            if (cmt)
                data = walk.payload(*cmt);
            result.tiffs << data.value_or(QByteArray());
        }
        return;
    }
    if (walk.damage.isEmpty())
        walk.damage = QStringLiteral("it has no Canon metadata");
}

// An item's bytes as the item location box gives them: extents in the
// file (construction method 0) or in the meta box's idat (1).
struct Location {
    int method = 0;
    QList<QPair<quint64, quint64>> extents;
};

std::optional<Location> exifLocation(const QByteArray &iloc, quint32 item)
{
    if (iloc.size() < 8)
        return std::nullopt;
    const int version = uchar(iloc[0]);
    qint64 at = 4;
    auto take = [&](int size, quint64 *value) {
        if (size == 0) {
            *value = 0;
            return true;
        }
        if (size != 1 && size != 2 && size != 4 && size != 8)
            return false;
        if (at + size > iloc.size())
            return false;
        *value = bigEndian(iloc, at, size);
        at += size;
        return true;
    };
    quint64 sizes = 0;
    quint64 more = 0;
    quint64 count = 0;
    if (!take(1, &sizes) || !take(1, &more) || !take(version < 2 ? 2 : 4, &count))
        return std::nullopt;
    const int offsetSize = int(sizes >> 4);
    const int lengthSize = int(sizes & 15);
    const int baseSize = int(more >> 4);
    const int indexSize = version == 1 || version == 2 ? int(more & 15) : 0;
    for (quint64 i = 0; i < count; ++i) {
        quint64 id = 0;
        quint64 method = 0;
        quint64 reference = 0;
        quint64 base = 0;
        quint64 extents = 0;
        if (!take(version < 2 ? 2 : 4, &id))
            return std::nullopt;
        if ((version == 1 || version == 2) && !take(2, &method))
            return std::nullopt;
        if (!take(2, &reference) || !take(baseSize, &base) || !take(2, &extents))
            return std::nullopt;
        Location location;
        location.method = int(method & 15);
        for (quint64 e = 0; e < extents; ++e) {
            quint64 index = 0;
            quint64 offset = 0;
            quint64 length = 0;
            if (!take(indexSize, &index) || !take(offsetSize, &offset) ||
                !take(lengthSize, &length))
                return std::nullopt;
            if (offset > quint64(1) << 62 || base > quint64(1) << 62)
                return std::nullopt;
            location.extents.append({base + offset, length});
        }
        if (id == item)
            return location;
    }
    return std::nullopt;
}

// The item ID of the Exif item in the item information box.
std::optional<quint32> exifItem(Walker &walk, const Box &iinf)
{
    const std::optional<QByteArray> head = walk.bytes(iinf.payload, 4);
    if (!head)
        return std::nullopt;
    const qint64 countSize = uchar((*head)[0]) == 0 ? 2 : 4;
    for (const Box &infe : walk.children(iinf.payload + 4 + countSize, iinf.end)) {
        if (infe.type != fourCc("infe"))
            continue;
        const std::optional<QByteArray> entry =
            walk.bytes(infe.payload, std::min<qint64>(infe.end - infe.payload, 64));
        if (!entry || entry->size() < 4)
            continue;
        const int version = uchar((*entry)[0]);
        if (version < 2)
            continue;
        const int idSize = version == 2 ? 2 : 4;
        // version and flags, item ID, protection index, item type
        if (entry->size() < 4 + idSize + 2 + 4)
            continue;
        if (bigEndian(*entry, 4 + idSize + 2, 4) == fourCc("Exif"))
            return quint32(bigEndian(*entry, 4, idSize));
    }
    return std::nullopt;
}

void readHeif(Walker &walk, BmffMetadata::Result &result)
{
    const QList<Box> top = topLevel(walk, result);
    const Box *meta = find(top, fourCc("meta"));
    if (!meta) {
        if (walk.damage.isEmpty())
            walk.damage = QStringLiteral("it has no metadata box");
        return;
    }
    // meta is a full box: version and flags before its children.
    const QList<Box> boxes = walk.children(meta->payload + 4, meta->end);
    if (!walk.damage.isEmpty())
        return;

    // The largest image of the properties: the primary image, not a
    // thumbnail or one of its tiles.
    if (const Box *iprp = find(boxes, fourCc("iprp"))) {
        const QList<Box> properties = walk.children(iprp->payload, iprp->end);
        if (const Box *ipco = find(properties, fourCc("ipco"))) {
            for (const Box &ispe : walk.children(ipco->payload, ipco->end)) {
                if (ispe.type != fourCc("ispe") || ispe.end - ispe.payload < 12)
                    continue;
                const std::optional<QByteArray> data = walk.bytes(ispe.payload, 12);
                if (!data)
                    continue;
                const quint64 w = bigEndian(*data, 4, 4);
                const quint64 h = bigEndian(*data, 8, 4);
                if (w > 0 && h > 0 && w <= quint64(INT_MAX) && h <= quint64(INT_MAX) &&
                    w * h >
                        quint64(result.size.width()) * quint64(std::max(0, result.size.height())))
                    result.size = QSize(int(w), int(h));
            }
        }
    }
    walk.damage.clear();

    const Box *iinf = find(boxes, fourCc("iinf"));
    const Box *iloc = find(boxes, fourCc("iloc"));
    if (!iinf || !iloc)
        return; // no Exif item: a HEIF without metadata
    const std::optional<quint32> item = exifItem(walk, *iinf);
    if (!item)
        return;
    const std::optional<QByteArray> locations = walk.payload(*iloc);
    if (!locations)
        return;
    const std::optional<Location> location = exifLocation(*locations, *item);
    if (!location || location->extents.isEmpty() || location->method > 1) {
        walk.damage = QStringLiteral("its Exif item cannot be located");
        return;
    }
    qint64 origin = 0;
    qint64 limit = walk.size();
    if (location->method == 1) {
        const Box *idat = find(boxes, fourCc("idat"));
        if (!idat) {
            walk.damage = QStringLiteral("its Exif item cannot be located");
            return;
        }
        origin = idat->payload;
        limit = idat->end;
    }
    QByteArray exif;
    for (const auto &[offset, length] : location->extents) {
        const quint64 extentLength =
            length == 0 ? quint64(limit - origin) - std::min(offset, quint64(limit - origin))
                        : length;
        if (offset > quint64(limit - origin) || extentLength > quint64(limit - origin) - offset ||
            qint64(exif.size()) + qint64(extentLength) > MaxMetadata) {
            walk.damage = QStringLiteral("its Exif item lies beyond the end of the file");
            return;
        }
        const std::optional<QByteArray> part =
            walk.bytes(origin + qint64(offset), qint64(extentLength));
        if (!part)
            return;
        exif += *part;
    }
    // The item starts with the offset of the TIFF header behind it.
    if (exif.size() < 4)
        return;
    const quint64 skip = bigEndian(exif, 0, 4);
    if (skip > quint64(exif.size() - 4)) {
        walk.damage = QStringLiteral("its Exif item is damaged");
        return;
    }
    result.tiffs << exif.mid(4 + qsizetype(skip));
}

} // namespace

BmffMetadata::Kind BmffMetadata::kindOf(const QByteArray &start)
{
    if (start.startsWith("RIFF") && start.mid(8, 4) == "AVI ")
        return Kind::Video;
    if (start.startsWith("\x1a\x45\xdf\xa3")) // Matroska and WebM
        return Kind::Video;
    if (start.size() < 12 || start.mid(4, 4) != "ftyp")
        return Kind::None;
    // The major brand and the compatible brands that follow the minor
    // version, as far as the bytes read reach.
    const qint64 boxSize = qint64(bigEndian(start, 0, 4));
    QList<QByteArray> brands{start.mid(8, 4)};
    for (qint64 at = 16; at + 4 <= std::min<qint64>(boxSize, start.size()); at += 4)
        brands << start.mid(at, 4);
    for (const QByteArray &brand : std::as_const(brands)) {
        if (brand == "crx ")
            return Kind::Cr3;
    }
    for (const QByteArray &brand : std::as_const(brands)) {
        if (brand == "heic" || brand == "heix" || brand == "heim" || brand == "heis" ||
            brand == "mif1" || brand == "avif" || brand == "mif2")
            return Kind::Heif;
    }
    return Kind::Video;
}

BmffMetadata::Result BmffMetadata::read(QIODevice &file, Kind kind)
{
    Result result;
    Walker walk(file);
    if (kind == Kind::Cr3)
        readCr3(walk, result);
    else if (kind == Kind::Heif)
        readHeif(walk, result);
    result.ok = walk.damage.isEmpty();
    result.reason = walk.damage;
    return result;
}
