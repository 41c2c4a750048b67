#ifndef FRAMING_H
#define FRAMING_H

// What a camera frames at its focus, and how blurred a background behind
// the subject comes out: the figures behind "the same picture from another
// focal length". Thin lens, distances measured like every other distance
// here, from the lens (its front principal plane); lengths in mm.
//
// The magnification at the focus s is m = F / (s - F) and the image lies
// at v = F s / (s - F). A frame side w sees 2 atan(w / 2v) and covers w / m
// at the subject. A point at the background distance D draws a disc of
//   b = (F / N) m |D - s| / (D - e),   e = F (1 - 1 / P)
// on the sensor: F / N is the entrance pupil's diameter (which is what the
// marked f-number states), the cone from the point through the entrance
// pupil is |D - s| / (D - e) of that wide where it crosses the focus plane,
// and the lens images that plane at m. e is where the entrance pupil lies
// in front of the principal plane for a pupil magnification P (exit over
// entrance pupil); for a symmetric lens (P = 1) it is 0 and the disc is the
// familiar (F / N) m |D - s| / D. The working f-number does not enter:
// measured from the entrance side, m already holds the longer extension.
class Framing
{
public:
    // A frame's width and height in mm, as the sensor's diagonal and its
    // form (width over height, 1.5 for 3:2) give them.
    struct Frame {
        double width = 0;
        double height = 0;
        double diagonal() const;
        // False unless both sides are positive and finite.
        bool valid() const;
    };
    static Frame frameOf(double diagonal, double aspect);

    struct Figures {
        // False for anything but 0 < F < s and a valid frame; every other
        // figure is then NaN.
        bool valid = false;
        double magnification = 0;
        // Angles of view in degrees.
        double horizontalDeg = 0;
        double verticalDeg = 0;
        double diagonalDeg = 0;
        // The frame at the subject, in mm.
        double fieldWidth = 0;
        double fieldHeight = 0;
    };
    // focus may be infinite: angles of the lens at infinity, an infinite
    // field.
    static Figures compute(double flength, double focus, const Frame &frame);

    // m = F / (s - F); 0 for an infinite focus, NaN unless 0 < F < s.
    static double magnification(double flength, double focus);
    // The angle of view in degrees of a frame side at the focus.
    static double angleOfView(double flength, double focus, double side);

    // The blur disc of a point at background (mm, may be infinite) on the
    // sensor in mm, NaN for inputs outside 0 < F < focus, N > 0, P > 0 and
    // a background beyond the entrance pupil.
    static double backgroundBlur(double flength, double fNumber, double focus, double background,
                                 double pupil = 1.0);

    // The focus that keeps the magnification of (flength, focus) at the
    // focal length newFlength: s' = F' (1 + (s - F) / F). NaN unless
    // 0 < F < s and F' > 0.
    static double focusAtSameMagnification(double flength, double focus, double newFlength);
    // The focus at which a frame side covers field at the subject:
    // s = F (1 + field / side). NaN for non-positive or non-finite inputs.
    static double focusForField(double flength, double side, double field);
};

#endif // FRAMING_H
