#ifndef COCPRESETS_H
#define COCPRESETS_H

// Sensor formats, pixel counts and the three ways of deriving a circle of
// confusion from them. Indices are those of the form's choice lists.
namespace CocPresets
{

constexpr int FormatCount = 14;
constexpr int QualityCount = 8;
// Diagonal of the full-frame (36 x 24 mm) format: the reference for crop
// factors and full-frame equivalents.
constexpr double FullFrameDiagonal = 43.26661531;
// The pixel count of the form's "Standard" quality, in millions: the image
// that the crop-factor rule assumes.
constexpr double StandardMegaPixels = 4.17;

// Sensor diagonal in mm; NaN for an index outside the table.
double sensorDiagonal(int index);
// A sensor format's width over its height (1.5 for 3:2); NaN for an index
// outside the table.
double sensorAspect(int index);
// The entry text of a sensor format as the form's choice lists show it;
// nullptr for an index outside the table.
const char *formatName(int index);
// Pixel count of a "Quality" entry; "Standard" (4.17 million) for index 0
// and for any index outside the list.
double pixelCount(int index);

// Twice the pixel pitch along the image diagonal, the pixels split 3:2.
double cocFromPixelSize(double diagonal, double pixels);
// The pixel-size rule for the "Standard" image of 4.17 million pixels.
double cocFromCropFactor(double diagonal);
// The same rule for a camera known by its crop factor (the full-frame
// diagonal over it); NaN unless the crop factor is positive and finite.
double cocOfCropFactor(double cropFactor);
// CoC of a full-frame camera for an image viewed from viewDistance; both
// lengths in the same unit. formFactor 0 is 3:2, 1 is 4:3; NaN otherwise.
double cocFromViewDistance(double viewDistance, double imageWidth, int formFactor);
// A reproduction scale converted to full-frame terms.
double equivalentScale(double scale, double diagonal);

} // namespace CocPresets

#endif // COCPRESETS_H
