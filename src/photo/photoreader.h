#ifndef PHOTOREADER_H
#define PHOTOREADER_H

#include "photosettings.h"

#include <QString>

class CameraDatabase;

// Reads how a photo was taken from its metadata (Exif and the makers' notes,
// through Exiv2): JPEG, TIFF, DNG and the raw formats Exiv2 knows. The
// crop factor comes, in this order, from the camera database by make and
// model, the focal-plane diagonal, the 35 mm equivalent focal length, or
// the focal-plane resolution with the full image's size.
class PhotoReader
{
public:
    enum class Error { None, Missing, Folder, NotImage, Truncated, Unreadable };

    // The settings, or why the file gives none (reason is one line, without
    // the file's name).
    struct Result {
        Error error = Error::None;
        QString reason;
        PhotoSettings settings;
        bool ok() const { return error == Error::None; }
    };

    // cameras may be null or unloaded: then the crop factor comes from the
    // metadata alone. The database must outlive the reader.
    explicit PhotoReader(const CameraDatabase *cameras = nullptr);

    Result read(const QString &path) const;

private:
    const CameraDatabase *m_cameras;
};

#endif // PHOTOREADER_H
