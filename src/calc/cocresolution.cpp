#include "cocresolution.h"

#include "presets/cocpresets.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>

namespace CocResolution
{

namespace
{

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString trimmedFormatName(int index)
{
    return QString::fromLatin1(CocPresets::formatName(index)).trimmed();
}

bool usable(const std::optional<double> &value)
{
    return value && std::isfinite(*value);
}

Result failure(const QString &problem)
{
    return {NaN, QString(), problem};
}

} // namespace

SensorMatch matchSensor(const QString &given)
{
    const QString text = given.trimmed();
    if (QRegularExpression(QStringLiteral("^[0-9]+$")).match(text).hasMatch()) {
        bool inRange = false;
        const int index = text.toInt(&inRange);
        if (!inRange || index >= CocPresets::FormatCount)
            return {-1, QStringLiteral("--sensor: index %1 is outside 0 to %2")
                            .arg(text)
                            .arg(CocPresets::FormatCount - 1)};
        return {index, QString()};
    }
    int index = -1;
    QStringList matches;
    for (int i = 0; i < CocPresets::FormatCount; ++i) {
        if (!text.isEmpty() && trimmedFormatName(i).contains(text, Qt::CaseInsensitive)) {
            index = i;
            matches << quoted(trimmedFormatName(i));
        }
    }
    if (matches.isEmpty())
        return {-1, QStringLiteral("--sensor: %1 matches no sensor format; give an index 0 to "
                                   "%2 or a piece of a name ('vorel-calc presets' lists them)")
                        .arg(quoted(text))
                        .arg(CocPresets::FormatCount - 1)};
    if (matches.size() > 1)
        return {-1, QStringLiteral("--sensor: %1 matches %2 formats (%3); give more of the "
                                   "name or its index")
                        .arg(quoted(text))
                        .arg(matches.size())
                        .arg(matches.join(QStringLiteral(", ")))};
    return {index, QString()};
}

QString combinationProblem(const Request &r)
{
    QStringList ways;
    if (r.coc)
        ways << QStringLiteral("--coc");
    if (r.sensor)
        ways << QStringLiteral("--sensor");
    if (r.camera)
        ways << QStringLiteral("--camera");
    if (r.viewDistance)
        ways << QStringLiteral("--view-distance");
    if (ways.size() > 1)
        return QStringLiteral("%1 are different ways to give the CoC; use one")
            .arg(ways.join(QStringLiteral(" and ")));
    if (r.megaPixels && !r.sensor && !r.camera)
        return QStringLiteral("--megapixels needs --sensor or --camera");
    if (r.imageWidth && !r.viewDistance)
        return QStringLiteral("--image-width needs --view-distance");
    if (r.form && !r.viewDistance)
        return QStringLiteral("--form needs --view-distance");
    if (r.viewDistance && !r.imageWidth)
        return QStringLiteral("--view-distance needs --image-width");
    return QString();
}

Result resolve(const Request &r, const CameraFinder &findCamera)
{
    const QString combination = combinationProblem(r);
    if (!combination.isEmpty())
        return failure(combination);

    if (r.coc) {
        Result given{usable(r.coc) ? *r.coc : NaN, QStringLiteral("given"), QString()};
        given.given = true;
        return given;
    }

    if (r.sensor || r.camera) {
        double diagonal = NaN;
        double aspect = CameraAspect;
        QString name;
        QString camera;
        if (r.sensor) {
            const SensorMatch match = matchSensor(*r.sensor);
            if (match.index < 0)
                return failure(match.problem);
            diagonal = CocPresets::sensorDiagonal(match.index);
            aspect = CocPresets::sensorAspect(match.index);
            name = trimmedFormatName(match.index);
        } else {
            if (!findCamera)
                return failure(QStringLiteral("--camera: no camera database to look in"));
            const CameraMatch match = findCamera(*r.camera);
            if (!match.problem.isEmpty()) {
                Result result = failure(match.problem);
                result.unavailable = match.unavailable;
                return result;
            }
            diagonal = match.diagonal;
            name = match.name;
            camera = match.camera;
        }
        const double megaPixels = r.megaPixels.value_or(CocPresets::StandardMegaPixels);
        if (!std::isfinite(megaPixels))
            return {NaN, QString(), QString()};
        // A camera without a pixel count takes the crop-factor rule, which
        // its name (with the crop factor) describes.
        Result result;
        result.diagonal = diagonal;
        result.aspect = aspect;
        result.camera = camera;
        if (r.camera && !r.megaPixels) {
            result.mm = CocPresets::cocFromCropFactor(diagonal);
            result.source = name;
            return result;
        }
        result.mm = CocPresets::cocFromPixelSize(diagonal, megaPixels * 1000000.0);
        result.source =
            QStringLiteral("%1, %2 million pixels").arg(name, QString::number(megaPixels, 'g', 6));
        return result;
    }

    if (r.viewDistance) {
        int form = 0;
        if (r.form) {
            const QString text = r.form->trimmed();
            if (text == QLatin1String("3:2"))
                form = 0;
            else if (text == QLatin1String("4:3"))
                form = 1;
            else
                return failure(
                    QStringLiteral("--form: %1 is not one of 3:2, 4:3").arg(quoted(text)));
        }
        if (!usable(r.viewDistance) || !usable(r.imageWidth))
            return {NaN, QString(), QString()};
        const double distance = *r.viewDistance;
        const double width = *r.imageWidth;
        return {CocPresets::cocFromViewDistance(distance, width, form),
                QStringLiteral("viewed from %1 at a width of %2, %3")
                    .arg(QString::number(distance, 'g', 6), QString::number(width, 'g', 6),
                         form == 0 ? QStringLiteral("3:2") : QStringLiteral("4:3")),
                QString()};
    }
    return {DefaultCoc, QStringLiteral("default"), QString()};
}

} // namespace CocResolution
