#ifndef CALCOPTIONS_H
#define CALCOPTIONS_H

#include <limits>

// The definition of one vorel-calc option: its spelling, the name of its
// value in the help, its help text, what kind of value it takes and the
// range a number must lie in. Commands declare and read their options
// through these constants, so that a misspelt name does not compile, and the
// parser, the checks and the help text all come from the same place.
struct OptionSpec {
    enum class Kind {
        Flag,     // present or not
        Number,   // a finite number within [min, max]
        Positive, // a finite number greater than 0
        Distance, // metres beyond the focal length; "inf" where allowed
        List,     // comma-separated positive numbers
        Fraction, // from 0 up to but excluding 1
        Choice,   // one of a command's words
        Text,     // free text, checked by the command
    };

    const char *name;
    const char *valueName; // nullptr for a flag
    const char *description;
    Kind kind;
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
};

// Every option of every command. A command that gives an option a wording
// of its own has its own constant under the same name.
namespace CalcOptions
{

extern const OptionSpec Focal;
extern const OptionSpec Aperture;
extern const OptionSpec Focus;
extern const OptionSpec Near;
extern const OptionSpec Far;
extern const OptionSpec Apertures;
extern const OptionSpec Distances;
extern const OptionSpec Overlap;
// dof's own wording: the focus may be given as a magnification instead.
extern const OptionSpec DofFocus;
extern const OptionSpec Magnification;
extern const OptionSpec PupilMagnification;
// stack's own: frame 1's magnification and the subject's depth, instead of
// --near and --far, and the focusing-rail plan.
extern const OptionSpec StackNear;
extern const OptionSpec StackFar;
extern const OptionSpec StackMagnification;
extern const OptionSpec Depth;
extern const OptionSpec Rail;
// The window's figures rather than the exact ones.
extern const OptionSpec AsWindow;
// dof's own wording: it names the window's check box.
extern const OptionSpec DiffractionAsWindow;
extern const OptionSpec Diffraction;
// The value name and default are the command's: see CalcArguments::addFormatOption.
extern const OptionSpec Format;

// The framing figures: the frame, where no sensor format or camera gives
// it, and a background behind the subject.
extern const OptionSpec Frame;
extern const OptionSpec Background;

// The ways to give the circle of confusion.
extern const OptionSpec Coc;
extern const OptionSpec Sensor;
extern const OptionSpec Camera;
extern const OptionSpec MegaPixels;
extern const OptionSpec ViewDistance;
extern const OptionSpec ImageWidth;
extern const OptionSpec Form;

// photo: values that override or stand in for the photo's own.
extern const OptionSpec PhotoFocus;
extern const OptionSpec PhotoFocal;
extern const OptionSpec PhotoAperture;
extern const OptionSpec Project;

extern const OptionSpec Size;
extern const OptionSpec Scale;

} // namespace CalcOptions

#endif // CALCOPTIONS_H
