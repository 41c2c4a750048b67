#include "cameralist.h"

#include "cameras/cameradatabase.h"
#include "presets/cocpresets.h"

#include <cmath>

double CameraEntry::coc() const
{
    return CocPresets::cocFromCropFactor(diagonal);
}

namespace CameraList
{

const CameraDatabase &database()
{
    return CameraDatabase::shared();
}

const QVector<CameraEntry> &entries()
{
    static const QVector<CameraEntry> list = [] {
        QVector<CameraEntry> all;
        for (int i = 0; i < CocPresets::FormatCount; ++i)
            all.append({QString::fromUtf8(CocPresets::formatName(i)), CocPresets::sensorDiagonal(i),
                        CocPresets::sensorAspect(i)});
        // A camera without a usable crop factor has no CoC to offer.
        for (const CameraInfo &camera : database().cameras()) {
            if (std::isfinite(camera.diagonal()) && camera.diagonal() > 0)
                all.append({camera.name(), camera.diagonal()});
        }
        return all;
    }();
    return list;
}

int defaultIndex()
{
    return 3;
}

} // namespace CameraList
