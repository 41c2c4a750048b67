#ifndef DOFFIGURES_H
#define DOFFIGURES_H

// The figures the window shows for one camera: the hyperfocal button's
// distance, the legend's near and far limits, its blur at infinity and the
// reproduction scale, computed by the same lens-model calls. Lengths in mm.
struct DofFigures {
    double flength = 0;
    double apature = 0;
    double fdist = 0;
    double coc = 0;
    bool diffraction = false;

    // Infinity (std::numeric_limits) stands for an infinite far limit, NaN
    // for a hyperfocal distance that does not exist because diffraction
    // alone exceeds the CoC.
    double hyperfocal = 0;
    double nearLimit = 0;
    double farLimit = 0;
    // Blur at 10 km in units of the CoC, unrounded.
    double blurAtInfinity = 0;
    // n of the reproduction ratio 1:n, unrounded.
    double scale = 0;

    // far - near; infinite with the far limit.
    double depth() const { return farLimit - nearLimit; }

    // The lens model writes its trace line while computing; callers that
    // own standard output keep it away from there.
    static DofFigures compute(double flength, double apature, double fdist, double coc,
                              bool diffraction);
    // The near and far limits alone, as compute() gives them; the other
    // figures are left NaN. A DOF table needs nothing else, and the
    // hyperfocal search would cost as much as both limits.
    static DofFigures limits(double flength, double apature, double fdist, double coc,
                             bool diffraction);
};

#endif // DOFFIGURES_H
