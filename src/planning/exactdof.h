#ifndef EXACTDOF_H
#define EXACTDOF_H

// The depth of field of one camera in closed form, exact at any distance,
// macro included. The defocus disc is that of the cone converging from the
// exit pupil: P D |v - vs| / (v - F (1 - P)) (D = F / N the entrance pupil,
// P the pupil magnification, exit over entrance pupil diameter, v - F (1 - P)
// the image distance measured from the exit pupil), so that its f-number is
// the working f-number Ne = N (1 + m / P), m = vs / F - 1 being the
// magnification at the focus. Where asked, the diffraction disc 0.001342 Ne
// mm is added in quadrature. A point is sharp while its defocus stays within
// the defocus budget c' = sqrt(c^2 - (0.001342 Ne)^2); with beta = c' N / F
// and q = 1 / P - 1 the limits are
//   near = F (1 + m - beta q) / (m + beta),  far = F (1 + m + beta q) / (m - beta),
// the near limit at the lens once beta >= P, the far limit infinite once
// m <= beta. The depth is close to 2 N c (1 + m / P) / m^2. At P = 1 both
// pupils sit at the principal planes and the disc is the lens model's
// |v - vs| D / v. A point at infinity blurs to m F / N whatever P is.
//
// All lengths are millimetres; a focus may be
// std::numeric_limits<double>::infinity(). The window computes its legend
// with the marked f-number and its searches (DofFigures); this is the
// calculator's and the planner's answer.
namespace ExactDof
{

// m = F / (s - F); 0 for an infinite focus, infinite at or inside F.
double magnification(double flength, double focus);
// The focus of magnification m: s = F (1 + 1 / m).
double focusAtMagnification(double flength, double magnification);
// Ne = N (1 + m / P).
double workingFNumber(double fNumber, double magnification, double pupil = 1.0);
// sqrt(c^2 - (0.001342 Ne)^2), or 0 when the diffraction disc fills the CoC.
double defocusBudget(double coc, double workingFNumber);
// The f-number at which diffraction alone fills the CoC at magnification m:
// every smaller f-number keeps a sharp zone there.
double largestSharpFNumber(double coc, double magnification, double pupil = 1.0);
// The nearest focus whose far limit is infinite: F^2 / (N c') + F, with c'
// the budget at that focus itself (a quadratic in its magnification). NaN
// when diffraction fills the CoC even with the focus at infinity.
double focusForInfinity(double flength, double fNumber, double coc, bool diffraction,
                        double pupil = 1.0);

struct Figures {
    // False for inputs outside 0 < F < focus, N, c, P > 0 (all finite but
    // the focus); every other figure is then NaN.
    bool valid = false;
    // False when diffraction alone fills the CoC: no point is sharp, and
    // nearLimit and farLimit are NaN.
    bool sharp = false;
    double magnification = 0;
    double workingFNumber = 0;
    // The defocus disc allowed at the limits, c' (c without diffraction).
    double budget = 0;
    // nearLimit is F when everything up to the lens is sharp; farLimit may
    // be infinite.
    double nearLimit = 0;
    double farLimit = 0;
    // F^2 / (N c): the window's hyperfocal distance, a figure of the marked
    // f-number and the CoC alone. Focusing there does not keep infinity
    // sharp; focusing at focusForInfinity does.
    double hyperfocal = 0;
    double focusForInfinity = 0;
    double largestSharpFNumber = 0;
    // Blur of a point at infinity, in units of the CoC.
    double blurAtInfinity = 0;

    double depth() const { return farLimit - nearLimit; }
};

Figures compute(double flength, double fNumber, double focus, double coc, bool diffraction,
                double pupil = 1.0);
// The limits alone, as a table needs them: valid, sharp, magnification,
// workingFNumber, budget, hyperfocal, nearLimit and farLimit as compute
// gives them, every other figure NaN.
Figures limits(double flength, double fNumber, double focus, double coc, bool diffraction,
               double pupil = 1.0);

} // namespace ExactDof

#endif // EXACTDOF_H
