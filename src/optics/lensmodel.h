#ifndef LENSMODEL_H
#define LENSMODEL_H

#include <iosfwd>

// The optics of one camera. All lengths are millimetres; the focus distance
// is measured on the object side from the camera. 10,000,000 mm (10 km)
// stands for infinity throughout.
class LensModel
{
public:
    // Stores the four inputs, derives the aperture diameter and the
    // diffraction disc, and writes one trace line to standard output.
    void init(double fdist, double apature, double flength, double coc);

    // H0 = F^2 / (N c), without the added focal length.
    double hyperfocal() const;
    double nearLimit() const;
    // Far limit of sharpness, or InfiniteFarLimit when it lies at infinity.
    double farLimit() const;
    // Blur-disc diameter of a point at distance x, in units of the CoC (U).
    double blur(double x, int withDiffraction) const;
    // n of the reproduction ratio 1:n.
    double scale() const;

    double getFdist() const { return fdist; }
    double getApature() const { return apature; }
    double getFlength() const { return flength; }
    double getCoc() const { return coc; }

    // Smallest focus distance that keeps a point at 10 km sharp with the
    // diffraction disc included, or -1.0 when diffraction alone exceeds the
    // CoC. fdist is used as the probe and put back before returning.
    double hyperfocalDiffraction();
    double nearLimitDiffraction() const;
    double farLimitDiffraction() const;

    // The limits of sharpness the legend and the figures show: searched with
    // the diffraction disc included when asked for, the closed form otherwise.
    struct Limits {
        double nearLimit;
        double farLimit;
    };
    Limits limits(bool withDiffraction) const;
    // The hyperfocal distance chosen the same way; -1.0 as
    // hyperfocalDiffraction() when diffraction alone exceeds the CoC.
    double hyperfocal(bool withDiffraction);

    // False for the -1.0 of hyperfocalDiffraction() and for anything else
    // that is no distance to focus on.
    static bool hasHyperfocal(double hyperfocal);

    // Where init() writes its trace line; standard output unless a program
    // that owns standard output turns the trace off with nullptr.
    static std::ostream *trace;

    // 2.44 x 550 nm: the Airy disc of green light per unit of f-number, in mm.
    static constexpr double AiryPerFNumber = 0.001342;
    static constexpr double Infinity = 10000000.0;
    static constexpr double InfiniteFarLimit = 99999001.0;

    double fdist = 0.0;
    double apature = 0.0;
    double flength = 0.0;
    double coc = 0.0;
    double adia = 0.0;
    double dif = 0.0;
};

#endif // LENSMODEL_H
