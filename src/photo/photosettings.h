#ifndef PHOTOSETTINGS_H
#define PHOTOSETTINGS_H

#include <QString>
#include <QStringList>

#include <limits>

// What a photo's metadata says about how it was taken. A value the
// metadata does not give is NaN (numbers), 0 (pixel sizes) or empty
// (texts), and its name is in missing.
struct PhotoSettings {
    static constexpr double None = std::numeric_limits<double>::quiet_NaN();

    QString make;
    QString model;
    QString lens;
    double focalLength = None; // mm
    double fNumber = None;
    // The full image's pixel size, not a thumbnail's or a preview's.
    int width = 0;
    int height = 0;

    // Metres; infinity for a focus at infinity.
    double focusDistance = None;
    // Where the distance came from, for people ("subject distance",
    // "Canon focus range", ...); empty without a distance.
    QString focusSource;
    // The ends of a recorded focus range (Canon's lower and upper focus
    // distance), metres; NaN where the camera records one distance.
    double focusNear = None;
    double focusFar = None;

    double cropFactor = None;
    // How the crop factor was found: "camera database", "focal-plane
    // diagonal", "35 mm equivalent focal length" or "focal-plane
    // resolution"; empty without one.
    QString cropSource;

    // The file's image data is cut short though its metadata is whole (a
    // raw file's header alone): the settings hold, the picture does not.
    bool imageIncomplete = false;

    // The names of the values above that the metadata does not give, in
    // the order of the fields: "make", "model", "lens", "focal length",
    // "aperture", "image size", "focus distance", "crop factor".
    QStringList missing;

    // Million pixels of the full image; NaN without its size.
    double megaPixels() const;
};

#endif // PHOTOSETTINGS_H
