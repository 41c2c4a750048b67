#ifndef PHOTOFACTS_H
#define PHOTOFACTS_H

#include <QString>

#include <cmath>

// What a photo tells about how it was taken. Lengths in mm; a figure the
// photo does not hold is NaN, a camera it does not name is empty.
struct PhotoFacts {
    QString fileName;
    QString camera;
    double diagonal = std::nan("");
    double flength = std::nan("");
    double fNumber = std::nan("");
    double focus = std::nan("");
    // Where the focus distance came from, for people, with a recorded
    // range; empty without a distance.
    QString focusWorth;
    // Why the photo could not be read; empty when it could.
    QString problem;

    // A focus distance is known, infinity included.
    bool hasFocus() const { return focus > 0; }
    // The focus as the lens model takes it: 10 km stands for infinity.
    double focusForLens() const { return std::isinf(focus) ? 10000000.0 : focus; }
};

#endif // PHOTOFACTS_H
