#ifndef PHOTOFACTS_H
#define PHOTOFACTS_H

#include "photo/photosettings.h"
#include "presets/cocpresets.h"

#include <QString>

#include <cmath>

// A photo as the planner shows it: what the photo reader read, with the
// names and words the planner adds. Lengths in mm; a figure the photo does
// not hold is NaN, a camera it does not name is empty.
struct PhotoFacts {
    QString fileName;
    PhotoSettings settings;
    // The camera as the camera list names it.
    QString camera;
    // Where the focus distance came from, for people, with a recorded
    // range; empty without a distance.
    QString focusWorth;
    // Why the photo could not be read; empty when it could.
    QString problem;

    double flength() const { return settings.focalLength; }
    double fNumber() const { return settings.fNumber; }
    double focus() const { return settings.focusDistance * 1000; }
    // The sensor's diagonal from the photo's crop factor.
    double diagonal() const
    {
        return settings.cropFactor > 0 ? CocPresets::FullFrameDiagonal / settings.cropFactor
                                       : PhotoSettings::None;
    }
    // A focus distance is known, infinity included.
    bool hasFocus() const { return focus() > 0; }
    // The focus as the lens model takes it: 10 km stands for infinity.
    double focusForLens() const { return std::isinf(focus()) ? 10000000.0 : focus(); }
};

#endif // PHOTOFACTS_H
