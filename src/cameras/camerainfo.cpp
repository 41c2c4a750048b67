#include "camerainfo.h"

#include "presets/cocpresets.h"

#include <cmath>
#include <limits>

QString CameraInfo::displayName(const QString &maker, const QString &model)
{
    // Makers' model names often repeat the maker ("Canon EOS 5D" is filed
    // as maker "Canon", model "EOS 5D", but "Pentax K-5" may carry it).
    const QString makerWord = maker.section(QLatin1Char(' '), 0, 0);
    if (!makerWord.isEmpty() && model.startsWith(makerWord, Qt::CaseInsensitive))
        return model;
    return QStringList{maker, model}.join(QLatin1Char(' ')).trimmed();
}

QString CameraInfo::name() const
{
    QString text = displayName(maker, model);
    if (!variant.isEmpty())
        text += QStringLiteral(" (%1)").arg(variant);
    return text;
}

double CameraInfo::diagonal() const
{
    if (!(cropFactor > 0) || !std::isfinite(cropFactor))
        return std::numeric_limits<double>::quiet_NaN();
    return CocPresets::FullFrameDiagonal / cropFactor;
}

double CameraInfo::coc(double megaPixels) const
{
    const double d = diagonal();
    if (megaPixels > 0 && std::isfinite(megaPixels))
        return CocPresets::cocFromPixelSize(d, megaPixels * 1000000.0);
    return CocPresets::cocFromCropFactor(d);
}
