#ifndef DIAGRAMMATH_H
#define DIAGRAMMATH_H

#include <QString>
#include <QtGlobal>

#include <cmath>
#include <vector>

// The arithmetic of the blur diagram, free of any painting: grid steps,
// labels, the pixel row of a blur value, the sharp zone and the legend texts.
namespace DiagramMath
{

// Grid step in units of U for a vertical scale of k pixels per unit.
double gridStep(int k);

// Vertical grid: a line at every multiple of period millimetres; the
// divisor chooses between whole metres (1) and tenths of a metre (10).
struct DistanceGrid {
    int period;
    int divisor;
};
DistanceGrid distanceGrid(int s);

// True when a multiple of period lies in (prev, cur].
bool hasGridLine(qint64 prev, qint64 cur, int period);
// True when the grid line at cur millimetres carries a label at all.
bool isLabelled(qint64 cur, int divisor);
// The label of the grid line at cur millimetres, in metres (truncated).
QString distanceLabel(qint64 cur, int divisor);

// Pixel row of the blur value u: trunc(y0 - k u), held within a few heights
// of the widget so that no sample, however large or undefined, overflows
// the integer conversion. An undefined sample lands at the top, like an
// infinitely blurred one.
int pixelRow(int y0, int k, double u, int height);

// 0 <= U <= 1 counts as sharp. An undefined or infinite value does not, nor
// does a negative one: it belongs to a distance at or inside the focal
// length, where the lens forms no real image at all.
inline bool isSharp(double u)
{
    return std::isfinite(u) && u >= 0.0 && u <= 1.0;
}

// Columns of the sharp zone of one curve. end stays at OpenEnd while the
// curve is sharp up to its last sample, so the band runs past the plot.
struct SharpZone {
    static constexpr int OpenEnd = 99999;
    bool hasStart = false;
    int start = 0;
    int end = OpenEnd;
};
SharpZone sharpZone(const std::vector<double> &samples);

// Texts of a camera's legend.
QString cameraTitle(int number);
QString settingsText(double flength, double apature, double fdist, double coc);
// The blur at infinity as shown: two decimals truncated below 10, whole
// numbers from 10 on.
double shownBlurAtInfinity(double u);
// n of the scale 1:n, rounded half up.
double shownScale(double fdist, double flength);
QString limitsText(double blurAtInfinity, double nearLimit, double farLimit, double scale);

} // namespace DiagramMath

#endif // DIAGRAMMATH_H
