#include "cameralist.h"

#include "cameras/cameradatabase.h"
#include "presets/cocpresets.h"

#include <QCoreApplication>

#include <cmath>
#include <iterator>

namespace
{

// The sensor formats' names for the translators, in the formats' order;
// the names themselves are the presets' own.
const char *const FormatTexts[] = {
    QT_TRANSLATE_NOOP("CameraList", "56x56mm 6x6"),
    QT_TRANSLATE_NOOP("CameraList", "48x35mm Digital-MF"),
    QT_TRANSLATE_NOOP("CameraList", "45x30mm Leica S"),
    QT_TRANSLATE_NOOP("CameraList", "1.0 Full Frame (3:2)"),
    QT_TRANSLATE_NOOP("CameraList", "1.3 APS-H (3:2)"),
    QT_TRANSLATE_NOOP("CameraList", "1.5 APS-C (3:2)"),
    QT_TRANSLATE_NOOP("CameraList", "1.6 APS-C (3:2)"),
    QT_TRANSLATE_NOOP("CameraList", "2.0 Four Thirds (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "2/3\" (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "1/1.8\" (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "1/2.5\" (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "1/2.7\" (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "1/3.2\" (4:3)"),
    QT_TRANSLATE_NOOP("CameraList", "1/3\" (4:3) "),
};
static_assert(std::size(FormatTexts) == CocPresets::FormatCount, "one text per sensor format");

} // namespace

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

QString formatText(int format)
{
    const char *name = CocPresets::formatName(format);
    if (!name)
        return QString();
    // A format whose name the table does not hold is shown as it is named.
    for (const char *text : FormatTexts) {
        if (qstrcmp(text, name) == 0)
            return QCoreApplication::translate("CameraList", text);
    }
    return QString::fromUtf8(name);
}

} // namespace CameraList
