#ifndef FOCUSPLANNER_H
#define FOCUSPLANNER_H

#include "optics/lensmodel.h"

#include <limits>
#include <vector>

// Plans a shot from a range of distances instead of one focus distance: the
// single focus and f-number that render the range as sharply as possible,
// and the focus stack that covers it within the CoC. The blur model is
// ExactDof's: the defocus disc of the cone from the exit pupil,
// P D |u - us| / u with image distances u measured from the exit pupil
// (u = v - F (1 - P), P the pupil magnification), with the diffraction disc
// 0.001342 Ne added in quadrature where asked, in units of the CoC, Ne being
// the working f-number at the focus. The optimum is solved in closed form,
// a stack frame by frame.
//
// All lengths are millimetres. A far distance may be
// std::numeric_limits<double>::infinity(). Preconditions of both plans:
// 0 < flength < nearDist < farDist, coc > 0, all finite but farDist; for a
// stack also fNumber > 0 (finite) and 0 <= overlap < 1. Inputs outside them,
// or so extreme that an image distance rounds to zero or infinity, give a
// plan marked invalid and nothing else; the caller checks them first and
// words the message.
namespace FocusPlanner
{

// The lens model's diffraction disc per unit of f-number, in mm.
constexpr double AiryPerFNumber = LensModel::AiryPerFNumber;
// A stack needing more frames than this is reported instead of planned.
constexpr int MaxFrames = 10000;

// A figure rounded to digits significant digits in the safe direction, so
// that advice followed to the letter still works: a CoC or a blur up, the
// far end of a range down, its near end up. Zero, negative and non-finite
// values are returned as they are.
double rounded(double value, int digits, bool up);

// The f-numbers of the third-stop scale from f/1 to f/64 (37 values), as
// engraved on lenses.
const std::vector<double> &thirdStops();

// Image distance behind the lens of an object at x: F for an infinite x,
// infinite for x at or inside the focal length.
double imageDistance(double flength, double x);
// Object distance imaged at v; infinite for v at or inside the focal length.
double objectDistance(double flength, double v);

struct StopBlur {
    double fNumber;
    // The worst blur over the range at the best focus, in units of the CoC.
    double worstBlur;
};

// The best single exposure for a range. The best focus puts the sensor at
// the harmonic mean of the image distances u of near and far (from the exit
// pupil), whatever the f-number; the worst blur is then at both ends of the
// range: sqrt((P F Q / N)^2 + (0.001342 g N)^2) / c, where g = 1 + m / P turns the
// f-number into the working f-number at the focus's magnification m, P
// being the pupil magnification.
struct OptimumPlan {
    bool valid = false;
    // Image distance vs of the best focus (from the lens) and the focus
    // distance itself.
    double sensor = 0.0;
    double focus = 0.0;
    // m at the focus and g = 1 + m / P: Ne = g N for every f-number.
    double magnification = 0.0;
    double workingFactor = 1.0;
    // Q = (u_near - u_far) / (u_near + u_far): P F Q / N is the defocus disc
    // at both ends.
    double q = 0.0;
    // N* = sqrt(P F Q / (0.001342 g)), where defocus and diffraction are
    // equal and the worst blur is smallest, and that blur.
    double bestFNumber = 0.0;
    double bestBlur = 0.0;
    // The f-numbers keeping the whole range within the CoC: [sharpFrom,
    // sharpTo]. Empty (hasSharpRange false) exactly when bestBlur > 1.
    bool hasSharpRange = false;
    double sharpFrom = 0.0;
    double sharpTo = 0.0;
    // What it takes to make the range sharp at N*: a CoC of at least
    // smallestCoc, or with near kept a far distance of at most farthestFar
    // (may be infinite), or with far kept a near distance of at least
    // nearestNear. A shorter range moves the focus, and with it g: both
    // distances are solved with the g of their own focus.
    double smallestCoc = 0.0;
    double farthestFar = 0.0;
    double nearestNear = 0.0;
    // The worst blur at every entry of thirdStops(), in that order.
    std::vector<StopBlur> stops;
};

// pupil is the pupil magnification P > 0 (finite); anything else gives an
// invalid plan.
OptimumPlan optimum(double flength, double nearDist, double farDist, double coc,
                    double pupil = 1.0);

struct Frame {
    double focus;
    // Image distance vs of the focus.
    double sensor;
    // Sharp zone of the frame; farLimit may be infinite.
    double nearLimit;
    double farLimit;
    // m at the focus and the working f-number there.
    double magnification;
    double workingFNumber;
    // How far the focus moved from the previous frame's: for a refocusing
    // plan the change of subject distance, for a rail plan the camera's move
    // towards the subject. NaN for the first frame, infinite when this one
    // is at infinity.
    double step;
};

// The fewest frames whose sharp zones cover the range, neighbours
// overlapping by at least the asked fraction of a zone in ln u. A frame with
// the sensor at us is sharp from image distance us / (1 + beta) to
// us / (1 - beta), beta = b N / (F P) with the defocus budget b = c, or
// sqrt(c^2 - (0.001342 Ne)^2) with diffraction, Ne the working f-number at
// that frame's focus. Without diffraction every zone has the same length
// and the frames are spaced evenly in ln us. With it a zone grows as the
// focus moves away; each frame is then placed where its near limit takes
// the overlap from its nearer neighbour's zone (the shorter of the two),
// the overlap being raised evenly for all neighbours until the last frame
// ends at far.
struct StackPlan {
    enum class Status { Ok, InvalidInput, DiffractionExceedsCoc, TooManyFrames };
    Status status = Status::InvalidInput;

    // beta of the first frame.
    double beta = 0.0;
    // The first frame's zone in ln u, infinite when beta >= 1 (the zone then
    // reaches down to the focal length), and the range's length
    // ln(u_near / u_far). The first zone is the shortest.
    double zoneLength = 0.0;
    double rangeLength = 0.0;
    // The overlap actually planned between neighbours, as a fraction of the
    // nearer one's zone; 0 for a single frame.
    double overlap = 0.0;
    // Nearest first. The first frame's near limit is exactly nearDist and
    // the last frame's far limit exactly farDist. A single frame is focused
    // as optimum() focuses where that frame covers the range. Empty unless
    // the status is Ok.
    std::vector<Frame> frames;

    // The magnification at nearDist and the working f-number there, where
    // diffraction is largest; the f-number at which diffraction alone fills
    // the CoC there, c / (0.001342 (1 + m / P)), and the largest third stop
    // below it (0 when not even f/1 is). Set for every valid input; they
    // matter for DiffractionExceedsCoc.
    double nearMagnification = 0.0;
    double nearWorkingFNumber = 0.0;
    double diffractionLimit = 0.0;
    double suggestedFNumber = 0.0;

    // A rail plan's one magnification and working f-number, and the depth
    // of every frame's zone; NaN for a refocusing plan.
    double railMagnification = std::numeric_limits<double>::quiet_NaN();
    double railWorkingFNumber = std::numeric_limits<double>::quiet_NaN();
    double railZone = std::numeric_limits<double>::quiet_NaN();
};

StackPlan stack(double flength, double fNumber, double nearDist, double farDist, double coc,
                bool diffraction, double overlap, double pupil = 1.0);

// A focusing-rail plan: the lens keeps frame 1's focus setting, so every
// frame has one magnification and the same zone, and the camera moves
// towards the subject by equal steps of (1 - overlap) of that zone. Frame
// 1's near limit is nearDist, the last frame's far limit at or beyond
// farDist. Distances are measured from the lens where frame 1 is taken.
StackPlan railStack(double flength, double fNumber, double nearDist, double farDist, double coc,
                    bool diffraction, double overlap, double pupil = 1.0);
// The same for a subject depth mm deep whose front is frame 1's near limit,
// the lens set to the given magnification.
StackPlan railStackAtMagnification(double flength, double fNumber, double magnification,
                                   double depth, double coc, bool diffraction, double overlap,
                                   double pupil = 1.0);
// The near limit of a frame at that magnification, where a subject of known
// depth starts; NaN where nothing is sharp there.
double nearLimitAtMagnification(double flength, double fNumber, double magnification, double coc,
                                bool diffraction, double pupil = 1.0);

} // namespace FocusPlanner

#endif // FOCUSPLANNER_H
