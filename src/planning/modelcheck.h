#ifndef MODELCHECK_H
#define MODELCHECK_H

class LensModel;

// Where the window's fixed model stops being a fair guide. The window shows
// the limits of the marked f-number: in closed form, or searched in 10 mm
// steps with the marked f-number's diffraction disc. The exact figures
// (ExactDof) count the diffraction of the working f-number N (1 + m), which
// always blurs the picture, whether the window is asked to count it or not.
// Lengths in mm.
namespace ModelCheck
{

// How far apart the two may be before the window says so: 10 %.
constexpr double Tolerance = 0.10;

// From 1:10 on, the working f-number is 10 % above the marked one and the
// depth of field a few millimetres: close range.
constexpr double CloseRange = 0.1;

enum class Finding {
    // The window's figures are within the tolerance (or the settings are no
    // camera at all: a focus at or inside the focal length).
    Fair,
    // Off farther than 1:10: the window leaves diffraction out, or counts
    // it but diffraction alone nearly fills the CoC.
    Diffraction,
    // Off at 1:10 or closer: the working f-number's larger diffraction
    // disc, or a depth of field short beside the search's 10 mm steps.
    Close,
};

// Whether the shown depth of field differs from the exact one by more than
// tolerance, relative to the exact one. Depth is compared in dioptres,
// 1 / near - 1 / far, the measure the blur grows with: near the hyperfocal
// distance a far limit of 31 m or of 240 m is nearly the same blur, which
// metres would call eight times apart. A far limit at or beyond 10 km counts
// as infinite; where nothing is sharp the exact zone has no depth.
bool differs(double shownNear, double shownFar, double exactNear, double exactFar,
             double tolerance = Tolerance);

// The window's figures for lens (as init() left it), with or without its
// diffraction search, against the exact ones.
Finding check(const LensModel &lens, bool diffraction, double tolerance = Tolerance);

} // namespace ModelCheck

#endif // MODELCHECK_H
