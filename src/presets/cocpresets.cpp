#include "cocpresets.h"

#include <cmath>
#include <limits>

namespace CocPresets
{

namespace
{

const double diagonals[FormatCount] = {
    79.19595949, // 56x56mm 6x6
    59.40538696, // 48x35mm Digital-MF
    54.08326913, // 45x30mm Leica S
    43.26661531, // Full Frame
    34.47462835, // APS-H
    28.23490747, // APS-C 1.5
    26.68107944, // APS-C 1.6
    21.64000924, // Four Thirds
    11.0,        // 2/3"
    8.936151297, // 1/1.8"
    7.1820401,   // 1/2.5"
    6.72000744,  // 1/2.7"
    6.0,         // 1/3.2"
    5.684012667, // 1/3"
};

// Width over height: the form each format's name gives.
const double aspects[FormatCount] = {
    1.0,                                    // 56x56mm 6x6
    48.0 / 35.0,                            // 48x35mm Digital-MF
    1.5,                                    // 45x30mm Leica S
    1.5,         1.5,       1.5,       1.5, // Full Frame, APS-H, APS-C 1.5 and 1.6
    4.0 / 3.0,   4.0 / 3.0, 4.0 / 3.0, 4.0 / 3.0, 4.0 / 3.0, 4.0 / 3.0, 4.0 / 3.0,
};

// The texts of the form's sensor-format lists, blank and inch marks included.
const char *const names[FormatCount] = {
    "56x56mm 6x6",     "48x35mm Digital-MF", "45x30mm Leica S", "1.0 Full Frame (3:2)",
    "1.3 APS-H (3:2)", "1.5 APS-C (3:2)",    "1.6 APS-C (3:2)", "2.0 Four Thirds (4:3)",
    "2/3\" (4:3)",     "1/1.8\" (4:3)",      "1/2.5\" (4:3)",   "1/2.7\" (4:3)",
    "1/3.2\" (4:3)",   "1/3\" (4:3) ",
};

// Millions of pixels; entry 0 is "Standard".
const double megaPixels[QualityCount] = {4.17, 6, 8, 10, 12, 15, 21, 32};

// 43.26661531^2 / 1500 to eight significant digits: full frame / 1500,
// scaled by viewing distance over image diagonal.
constexpr double ViewDistanceFactor = 1.247999991313917;

} // namespace

double sensorDiagonal(int index)
{
    if (index < 0 || index >= FormatCount)
        return std::numeric_limits<double>::quiet_NaN();
    return diagonals[index];
}

double sensorAspect(int index)
{
    if (index < 0 || index >= FormatCount)
        return std::numeric_limits<double>::quiet_NaN();
    return aspects[index];
}

const char *formatName(int index)
{
    if (index < 0 || index >= FormatCount)
        return nullptr;
    return names[index];
}

double pixelCount(int index)
{
    if (index < 1 || index >= QualityCount)
        return megaPixels[0] * 1000000.0;
    return megaPixels[index] * 1000000.0;
}

double cocFromPixelSize(double diagonal, double pixels)
{
    const double halfWidth = std::sqrt(pixels * 3 * 0.5) * 0.5;
    const double halfHeight = std::sqrt((pixels + pixels) / 3) * 0.5;
    return diagonal / std::sqrt(halfHeight * halfHeight + halfWidth * halfWidth);
}

double cocOfCropFactor(double cropFactor)
{
    if (!(cropFactor > 0) || !std::isfinite(cropFactor))
        return std::numeric_limits<double>::quiet_NaN();
    return cocFromCropFactor(FullFrameDiagonal / cropFactor);
}

double cocFromCropFactor(double diagonal)
{
    // Half width and half height of a 3:2 image of 4.17 million pixels.
    const double a = std::sqrt(6255000.0) * 0.5;
    const double b = std::sqrt(2780000.0) * 0.5;
    return diagonal / std::sqrt(b * b + a * a);
}

double cocFromViewDistance(double viewDistance, double imageWidth, int formFactor)
{
    const double w2 = imageWidth * imageWidth;
    double imageDiagonal;
    if (formFactor == 0)
        imageDiagonal = std::sqrt(w2 + w2 * 4 / 9);
    else if (formFactor == 1)
        imageDiagonal = std::sqrt(w2 + w2 * 9 * 0.0625);
    else
        return std::numeric_limits<double>::quiet_NaN();
    return viewDistance * ViewDistanceFactor / (imageDiagonal * FullFrameDiagonal);
}

double equivalentScale(double scale, double diagonal)
{
    return scale * FullFrameDiagonal / diagonal;
}

} // namespace CocPresets
