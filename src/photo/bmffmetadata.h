#ifndef BMFFMETADATA_H
#define BMFFMETADATA_H

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

class QIODevice;

// The metadata of the photos kept in ISO base media files (the boxes of
// MP4): Canon's CR3, HEIC and AVIF. Their Exif is plain TIFF: CR3 keeps it
// in the CMT1 to CMT4 boxes inside Canon's uuid box, HEIF in its Exif item,
// found through the meta box's item information and locations. Only box
// headers and the metadata itself are read, never the image data; a box
// that claims to reach beyond the file's end is damage.
class BmffMetadata
{
public:
    enum class Kind { None, Video, Cr3, Heif };

    // What a file's first bytes say it is: not an ISO base media file, a
    // video (or other non-photo media, AVI included), a CR3, or a HEIC or
    // AVIF.
    static Kind kindOf(const QByteArray &start);

    struct Result {
        // False when the boxes holding the metadata are damaged.
        bool ok = false;
        QString reason;
        // TIFF streams: for CR3 the CMT boxes in order (CMT1 is the main
        // directory, CMT2 the Exif directory, CMT3 Canon's maker notes);
        // for HEIF the Exif item's TIFF alone.
        QList<QByteArray> tiffs;
        // The primary image's size from HEIF's image properties; empty
        // where the file gives none.
        QSize size;
        // A box after the metadata (the image data) ends beyond the file.
        bool imageIncomplete = false;
    };

    static Result read(QIODevice &file, Kind kind);
};

#endif // BMFFMETADATA_H
