#ifndef CAMERAINFO_H
#define CAMERAINFO_H

#include <QString>
#include <QStringList>

// One camera of the camera database: who made it, what it is called, the
// lens mount and the crop factor of its sensor, with the figures the
// calculator takes from them.
struct CameraInfo {
    QString maker;
    QString model;
    QString variant;
    QString mount;
    double cropFactor = 0;
    // Every spelling the database gives the maker and the model: first the
    // one a photo's metadata carries ("NIKON CORPORATION", "NIKON D850"),
    // then the translations ("Nikon", "D850").
    QStringList makerNames;
    QStringList modelNames;

    // Maker and model as people write them, the variant in brackets.
    QString name() const;
    // The one rule for a camera's name from its maker and model, of the
    // database or of a photo's metadata: the model alone where it already
    // begins with the maker's first word (the maker's "Pentax K-5",
    // "NIKON D70" of "NIKON CORPORATION"), else both.
    static QString displayName(const QString &maker, const QString &model);
    // Sensor diagonal in mm: the full-frame diagonal over the crop factor;
    // NaN without a usable crop factor.
    double diagonal() const;
    // Circle of confusion in mm: the pixel-size rule for an image of
    // megaPixels million pixels, or the crop-factor rule without a usable
    // pixel count (0, negative or NaN).
    double coc(double megaPixels = 0) const;
};

#endif // CAMERAINFO_H
