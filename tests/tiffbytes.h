#ifndef TIFFBYTES_H
#define TIFFBYTES_H

#include <QByteArray>
#include <QList>

// The bytes of the metadata containers the photo tests write themselves:
// TIFF directories (Exif is one) and the boxes of ISO base media.
namespace TiffBytes
{

// A little-endian TIFF of one directory; values longer than four bytes
// follow the directory.
struct TiffEntry {
    quint16 tag;
    quint16 type;
    quint32 count;
    QByteArray value;
};

inline QByteArray le(quint64 value, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b += char(value >> (8 * i) & 0xff);
    return b;
}

inline TiffEntry ascii(quint16 tag, const char *text)
{
    const QByteArray t = QByteArray(text) + '\0';
    return {tag, 2, quint32(t.size()), t};
}

inline TiffEntry shorts(quint16 tag, const QList<quint16> &values)
{
    QByteArray b;
    for (quint16 v : values)
        b += le(v, 2);
    return {tag, 3, quint32(values.size()), b};
}

inline TiffEntry longs(quint16 tag, quint32 value)
{
    return {tag, 4, 1, le(value, 4)};
}

inline TiffEntry rational(quint16 tag, quint32 numerator, quint32 denominator)
{
    return {tag, 5, 1, le(numerator, 4) + le(denominator, 4)};
}

inline QByteArray tiff(const QList<TiffEntry> &entries)
{
    QByteArray head = QByteArray("II*\0", 4) + le(8, 4);
    QByteArray directory = le(quint64(entries.size()), 2);
    QByteArray data;
    const quint32 dataStart = quint32(8 + 2 + 12 * entries.size() + 4);
    for (const TiffEntry &e : entries) {
        directory += le(e.tag, 2) + le(e.type, 2) + le(e.count, 4);
        if (e.value.size() <= 4) {
            directory += e.value + QByteArray(4 - int(e.value.size()), '\0');
        } else {
            directory += le(dataStart + quint32(data.size()), 4);
            data += e.value;
            if (data.size() % 2)
                data += '\0';
        }
    }
    return head + directory + le(0, 4) + data;
}

inline QByteArray be(quint64 value, int bytes)
{
    QByteArray b;
    for (int i = bytes - 1; i >= 0; --i)
        b += char(value >> (8 * i) & 0xff);
    return b;
}

// Big-endian 32-bit size and type: one box of ISO base media.
inline QByteArray box(const char *type, const QByteArray &payload)
{
    QByteArray b;
    const quint32 size = quint32(8 + payload.size());
    for (int shift : {24, 16, 8, 0})
        b += char(size >> shift & 0xff);
    return b + QByteArray(type, 4) + payload;
}

inline QByteArray fullBox(const char *type, int version, const QByteArray &payload)
{
    return box(type, QByteArray(1, char(version)) + QByteArray(3, '\0') + payload);
}

inline QByteArray ftyp(const char *major, const QByteArray &compatible)
{
    return box("ftyp", QByteArray(major, 4) + be(0, 4) + compatible);
}

// A JPEG of nothing but its Exif segment: start, APP1, end.
inline QByteArray exifJpeg(const QByteArray &tiffData)
{
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiffData;
    return QByteArray("\xff\xd8\xff\xe1", 4) + be(quint64(payload.size() + 2), 2) + payload +
           QByteArray("\xff\xd9", 2);
}

} // namespace TiffBytes

#endif // TIFFBYTES_H
