#include "diagrammath.h"

#include "optics/lensmodel.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace DiagramMath
{

namespace
{

// How many widget heights a curve point may lie beyond either edge; the
// painter clips the rest.
constexpr int RowReach = 4;

// The legend belongs to the diagram, so its texts share the diagram's
// context without this GUI-free code pulling in the widget.
struct Legend {
    Q_DECLARE_TR_FUNCTIONS(graph)
};

} // namespace

double gridStep(int k)
{
    if (k <= 2)
        return 10.0;
    if (k <= 6)
        return 5.0;
    if (k <= 11)
        return 2.5;
    if (k <= 50)
        return 1.0;
    return 0.5;
}

DistanceGrid distanceGrid(int s)
{
    if (s <= 1)
        return {10, 10};
    if (s <= 5)
        return {100, 10};
    if (s <= 11)
        return {500, 10};
    return {1000, 1};
}

bool hasGridLine(qint64 prev, qint64 cur, int period)
{
    return prev / period != cur / period;
}

bool isLabelled(qint64 cur, int divisor)
{
    const qint64 t = (cur * divisor * 10) / 1000;
    return (t * 10) / divisor == (t / divisor) * 10;
}

QString distanceLabel(qint64 cur, int divisor)
{
    const double metres = static_cast<double>((cur * divisor) / 1000) / divisor;
    return QString::number(metres, 'g', 6);
}

int pixelRow(int y0, int k, double u, int height)
{
    const int reach = RowReach * std::max(height, 1);
    const int top = -reach;
    const int bottom = height + reach;
    const double y = y0 - k * u;
    if (!(y >= top))
        return top;
    if (y > bottom)
        return bottom;
    return static_cast<int>(y);
}

SharpZone sharpZone(const std::vector<double> &samples)
{
    SharpZone zone;
    if (samples.empty())
        return zone;
    if (isSharp(samples[0]))
        zone.hasStart = true;
    for (std::size_t c = 1; c < samples.size(); ++c) {
        const bool before = isSharp(samples[c - 1]);
        const bool now = isSharp(samples[c]);
        if (!before && now) {
            zone.hasStart = true;
            zone.start = static_cast<int>(c - 1);
        } else if (before && !now) {
            zone.end = static_cast<int>(c);
        }
    }
    return zone;
}

QString cameraTitle(int number)
{
    return Legend::tr("Camera ") + QString::number(number) + QLatin1Char(':');
}

QString settingsText(double flength, double apature, double fdist, double coc)
{
    return QString::number(flength, 'g', 6) + Legend::tr("mm f/") +
           QString::number(apature, 'g', 6) + Legend::tr(" - Dist.: ") +
           QString::number(fdist / 1000, 'g', 6) + Legend::tr("m - CoC: ") +
           QString::number(coc, 'f', 4) + Legend::tr("mm");
}

double shownBlurAtInfinity(double u)
{
    if (u < 10)
        return std::trunc(u * 100) / 100;
    return std::floor(u);
}

double shownScale(double fdist, double flength)
{
    return std::floor(std::fabs(fdist - flength) / flength + 0.5);
}

QString limitsText(double blurAtInfinity, double nearLimit, double farLimit, double scale)
{
    const QString farText = farLimit > LensModel::Infinity
                                ? Legend::tr("inf. ")
                                : QString::number(farLimit / 1000, 'f', 2);
    return Legend::tr("Uz(inf): ") + QString::number(blurAtInfinity, 'g', 6) +
           Legend::tr(" - DOF: [") + QString::number(nearLimit / 1000, 'f', 2) + Legend::tr(" - ") +
           farText + Legend::tr("m] - Scale: 1:") + QString::number(scale, 'g', 6);
}

} // namespace DiagramMath
