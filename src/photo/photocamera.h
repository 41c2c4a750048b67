#ifndef PHOTOCAMERA_H
#define PHOTOCAMERA_H

#include "photosettings.h"

#include "project/projectfile.h"

#include <QList>
#include <QString>

struct NamedPhotoCamera;

// What a photo gives one camera of the window: its four values as the
// window's spin boxes take them, which of them the photo lacks, and which
// lie outside a box's range and are held to it.
struct PhotoCamera {
    enum class Value { Focus, Aperture, Focal, Coc };

    // Metres, f-number, mm, mm; NaN where the photo lacks the value.
    double focus = PhotoSettings::None;
    double aperture = PhotoSettings::None;
    double focal = PhotoSettings::None;
    double coc = PhotoSettings::None;
    QList<Value> missing;
    // The window's sensor format nearest the photo's crop factor; -1
    // without one.
    qint32 sensorFormat = -1;
    // Each held value with what the photo gave (infinity for a focus at
    // infinity).
    struct Held {
        Value value;
        double given;
    };
    QList<Held> held;

    // The photo's values; the CoC by the crop-factor rule on its sensor.
    // Values outside the window's ranges are held to them.
    static PhotoCamera from(const PhotoSettings &photo);
    // The same with a CoC chosen elsewhere (NaN: none).
    static PhotoCamera from(const PhotoSettings &photo, double coc);

    // The sensor format of the window's list nearest a crop factor's
    // diagonal; -1 for no usable crop factor.
    static qint32 nearestFormat(double cropFactor);

    // A project of one or two photos, the one routine every caller uses:
    // camera 1 from the first, camera 2 from a second; each value the
    // photo lacks, and all the rest, as the window starts. notes, if
    // given, gets one line per camera that lacked or held a value
    // ("camera 1 (name): ...").
    static ProjectFile project(const QList<NamedPhotoCamera> &photos, QStringList *notes = nullptr);

    // The value's name for people ("focus distance", "f-number", ...).
    static QString name(Value value);
    // One line: what came from the photo, what was missing, what was held;
    // in English, for vorel-calc.
    QString summary() const;
};

// A photo's camera with the photo's file name, for project().
struct NamedPhotoCamera {
    QString name;
    PhotoCamera camera;
};

#endif // PHOTOCAMERA_H
