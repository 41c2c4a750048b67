#ifndef PHOTOREADER_H
#define PHOTOREADER_H

#include "photosettings.h"

#include <QString>

#include <functional>

class CameraDatabase;

// Reads how a photo was taken from its metadata (Exif and the makers' notes,
// through Exiv2): JPEG, TIFF, DNG, the raw formats Exiv2 knows, and CR3,
// HEIC and AVIF through their boxes. Only regular files are opened; videos
// are refused. The crop factor comes, in this order, from the focal-plane
// diagonal, the 35 mm equivalent focal length (which knows a digital
// crop), the focal-plane resolution with the full image's size, or the
// camera database by make and model, which is only asked then.
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
    // The database as cameras() gives it, asked for only when a photo
    // lacks a crop factor of its own (loading it takes a while).
    explicit PhotoReader(std::function<const CameraDatabase *()> cameras);

    Result read(const QString &path) const;

private:
    std::function<const CameraDatabase *()> m_cameras;
};

#endif // PHOTOREADER_H
