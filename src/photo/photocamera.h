#ifndef PHOTOCAMERA_H
#define PHOTOCAMERA_H

#include "photosettings.h"

#include <QList>
#include <QString>

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

    // The value's name for people ("focus distance", "f-number", ...).
    static QString name(Value value);
    // One line: what came from the photo, what was missing, what was held;
    // in English, for vorel-calc.
    QString summary() const;
};

#endif // PHOTOCAMERA_H
