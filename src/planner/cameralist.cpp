#include "cameralist.h"

#include "presets/cocpresets.h"

double CameraEntry::coc() const
{
    return CocPresets::cocFromCropFactor(diagonal);
}

namespace CameraList
{

QVector<CameraEntry> entries()
{
    QVector<CameraEntry> list;
    for (int i = 0; i < CocPresets::FormatCount; ++i)
        list.append({QString::fromUtf8(CocPresets::formatName(i)), CocPresets::sensorDiagonal(i)});
    return list;
}

int defaultIndex()
{
    return 3;
}

} // namespace CameraList
