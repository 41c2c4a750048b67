#ifndef EQUIVALENCE_H
#define EQUIVALENCE_H

// The settings of a second camera that take the same picture as a first:
// the same field of view and the same depth of field. Everything scales
// with the ratio of the sensor diagonals: focal length, f-number and circle
// of confusion alike, so that the aperture diameter and the angle of view
// stay as they were. Lengths in mm.
struct Equivalence {
    // Second diagonal over the first; a smaller sensor gives less than 1.
    double ratio = 0;
    double flength = 0;
    double fNumber = 0;
    double coc = 0;
    // False for a diagonal, focal length, f-number or CoC that is not a
    // positive finite number; the other fields are then NaN.
    bool valid = false;

    static Equivalence of(double flength, double fNumber, double coc, double diagonal,
                          double otherDiagonal);
};

#endif // EQUIVALENCE_H
