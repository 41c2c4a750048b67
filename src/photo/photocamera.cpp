#include "photocamera.h"

#include "optics/numbercheck.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"

#include <QStringList>

#include <cmath>

namespace
{

using NumberCheck::positive;
using NumberCheck::positiveFinite;

} // namespace

PhotoCamera PhotoCamera::from(const PhotoSettings &photo)
{
    return from(photo, CocPresets::cocOfCropFactor(photo.cropFactor));
}

PhotoCamera PhotoCamera::from(const PhotoSettings &photo, double coc)
{
    PhotoCamera camera;
    const struct {
        Value value;
        double given;
        const ProjectFile::Range &range;
        double *target;
    } values[] = {
        {Value::Focus, photo.focusDistance, ProjectFile::FocusRange, &camera.focus},
        {Value::Aperture, photo.fNumber, ProjectFile::ApertureRange, &camera.aperture},
        {Value::Focal, photo.focalLength, ProjectFile::FocalRange, &camera.focal},
        {Value::Coc, coc, ProjectFile::CocRange, &camera.coc},
    };
    camera.sensorFormat = nearestFormat(photo.cropFactor);
    for (const auto &v : values) {
        if (!positive(v.given)) {
            camera.missing << v.value;
            continue;
        }
        const double held = v.range.held(v.given);
        // Rounding to the box's decimals is what every value goes through;
        // only a value beyond the range is worth a note.
        if (v.given < v.range.minimum || v.given > v.range.maximum)
            camera.held << Held{v.value, v.given};
        *v.target = held;
    }
    return camera;
}

qint32 PhotoCamera::nearestFormat(double cropFactor)
{
    if (!positiveFinite(cropFactor))
        return -1;
    const double diagonal = CocPresets::FullFrameDiagonal / cropFactor;
    qint32 best = -1;
    double bestGap = INFINITY;
    for (int i = 0; i < CocPresets::FormatCount; ++i) {
        const double gap = std::abs(std::log(CocPresets::sensorDiagonal(i) / diagonal));
        if (gap < bestGap) {
            bestGap = gap;
            best = i;
        }
    }
    return best;
}

ProjectFile PhotoCamera::project(const QList<NamedPhotoCamera> &photos, QStringList *notes)
{
    ProjectFile p = ProjectFile::windowStart();
    for (int i = 0; i < photos.size() && i < 2; ++i) {
        const PhotoCamera &c = photos[i].camera;
        ProjectFile::Camera &cam = p.cameras[i];
        cam.enabled = true;
        if (!std::isnan(c.focus))
            cam.fdist = c.focus;
        if (!std::isnan(c.aperture))
            cam.apature = c.aperture;
        if (!std::isnan(c.focal))
            cam.flength = c.focal;
        if (!std::isnan(c.coc))
            cam.coc = c.coc;
        if (c.sensorFormat >= 0)
            cam.crop = c.sensorFormat;
        if (notes && (!c.missing.isEmpty() || !c.held.isEmpty()))
            *notes
                << QStringLiteral("camera %1 (%2): %3").arg(i + 1).arg(photos[i].name, c.summary());
    }
    return p.asWindowHolds();
}

QString PhotoCamera::name(Value value)
{
    switch (value) {
    case Value::Focus:
        return QStringLiteral("focus distance");
    case Value::Aperture:
        return QStringLiteral("f-number");
    case Value::Focal:
        return QStringLiteral("focal length");
    case Value::Coc:
        return QStringLiteral("CoC");
    }
    return QString();
}

QString PhotoCamera::summary() const
{
    QStringList parts;
    QStringList taken;
    const Value all[] = {Value::Focus, Value::Aperture, Value::Focal, Value::Coc};
    for (const Value v : all) {
        if (!missing.contains(v))
            taken << name(v);
    }
    if (!taken.isEmpty())
        parts << QStringLiteral("from the photo: ") + taken.join(QStringLiteral(", "));
    if (!missing.isEmpty()) {
        QStringList names;
        for (const Value v : missing)
            names << name(v);
        parts << QStringLiteral("missing: ") + names.join(QStringLiteral(", "));
    }
    for (const Held &h : held) {
        const ProjectFile::Range &range = h.value == Value::Focus      ? ProjectFile::FocusRange
                                          : h.value == Value::Aperture ? ProjectFile::ApertureRange
                                          : h.value == Value::Focal    ? ProjectFile::FocalRange
                                                                       : ProjectFile::CocRange;
        const double to = h.given < range.minimum ? range.minimum : range.maximum;
        const QString unit = h.value == Value::Focus      ? QStringLiteral(" m")
                             : h.value == Value::Aperture ? QString()
                                                          : QStringLiteral(" mm");
        parts << QStringLiteral("%1 %2 held to %3%4")
                     .arg(name(h.value),
                          std::isinf(h.given) ? QStringLiteral("infinity")
                                              : QString::number(h.given, 'g', 6) + unit,
                          QString::number(to, 'g', 6), unit);
    }
    return parts.join(QStringLiteral("; "));
}
