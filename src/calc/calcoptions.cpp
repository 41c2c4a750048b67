#include "calcoptions.h"

namespace CalcOptions
{

using K = OptionSpec::Kind;

const OptionSpec Focal{"focal", "MM", "focal length in mm (required)", K::Positive};
const OptionSpec Aperture{"aperture", "N", "f-number (required)", K::Positive};
const OptionSpec Focus{"focus", "M", "focus distance in metres (required)", K::Distance};
const OptionSpec Near{"near", "M", "nearest distance to render sharp, in metres (required)",
                      K::Distance};
const OptionSpec Far{"far", "M", "farthest distance, in metres, or inf (required)", K::Distance};
const OptionSpec Apertures{"apertures", "LIST", "comma-separated f-numbers (default 1.4,2,...,22)",
                           K::List};
const OptionSpec Distances{"distances", "LIST", "comma-separated focus distances in metres",
                           K::List};
const OptionSpec Overlap{
    "overlap",   "FRACTION", "least overlap of neighbouring zones, 0 to below 1 (default 0.1)",
    K::Fraction, 0,          1};
const OptionSpec DofFocus{"focus", "M", "focus distance in metres (or --magnification)",
                          K::Distance};
const OptionSpec Magnification{"magnification", "M",
                               "the focus as a magnification, 1 for 1:1, instead of --focus",
                               K::Positive};
const OptionSpec PupilMagnification{"pupil-magnification",
                                    "P",
                                    "exit over entrance pupil diameter, 0.1 to 10 (default 1): "
                                    "the working f-number at close range",
                                    K::Number,
                                    0.1,
                                    10};
const OptionSpec StackNear{"near", "M",
                           "nearest distance to render sharp, in metres (or --magnification "
                           "with --depth)",
                           K::Distance};
const OptionSpec StackFar{"far", "M", "farthest distance, in metres, or inf", K::Distance};
const OptionSpec StackMagnification{"magnification", "M",
                                    "frame 1's magnification, 1 for 1:1, with --depth instead "
                                    "of --near and --far",
                                    K::Positive};
const OptionSpec Depth{"depth", "MM",
                       "with --magnification: the subject's depth in mm, from frame 1's near "
                       "limit",
                       K::Positive};
const OptionSpec Rail{"rail", nullptr,
                      "plan for a focusing rail: the lens keeps frame 1's focus and the camera "
                      "moves by equal steps",
                      K::Flag};
const OptionSpec AsWindow{"as-window", nullptr,
                          "the window's figures: the marked f-number, its searches with "
                          "--diffraction, its hyperfocal distance",
                          K::Flag};
const OptionSpec DiffractionAsWindow{
    "diffraction", nullptr,
    "include the diffraction disc of the working f-number (with --as-window of the marked "
    "one, as the window's \"Calc with diffraction\")",
    K::Flag};
const OptionSpec Diffraction{"diffraction", nullptr,
                             "include the diffraction disc of the working f-number", K::Flag};
const OptionSpec Format{"format", nullptr, "output format", K::Choice};

const OptionSpec Frame{"frame", "WxH",
                       "the frame in mm, as in 36x24, for the field of view and the field at the "
                       "subject (default: that of --sensor or --camera, a camera's taken as 3:2)",
                       K::Text};
const OptionSpec Background{"background", "M",
                            "a background distance in metres, or inf: its blur disc on the "
                            "sensor, with a frame also as a share of the frame's width",
                            K::Distance};

const OptionSpec Coc{"coc", "MM", "circle of confusion in mm (default 0.0128)", K::Positive};
const OptionSpec Sensor{"sensor", "FORMAT",
                        "CoC from a sensor format: index 0-13 or a piece of its name "
                        "(see 'vorel-calc presets')",
                        K::Text};
const OptionSpec Camera{"camera", "TEXT",
                        "CoC from a camera of lensfun's database: its model, or maker and model "
                        "(see 'vorel-calc cameras')",
                        K::Text};
const OptionSpec MegaPixels{"megapixels", "MP",
                            "with --sensor or --camera: the image's millions of pixels (default "
                            "4.17, the crop-factor rule)",
                            K::Positive};
const OptionSpec ViewDistance{
    "view-distance", "D", "CoC from viewing distance, with --image-width (same unit)", K::Positive};
const OptionSpec ImageWidth{
    "image-width", "W", "with --view-distance: width of the print or screen image", K::Positive};
const OptionSpec Form{"form", "3:2|4:3", "with --view-distance: the image's form (default 3:2)",
                      K::Text};

const OptionSpec PhotoFocus{"focus", "M", "focus distance in metres, instead of the photo's",
                            K::Distance};
const OptionSpec PhotoFocal{"focal", "MM", "focal length in mm, instead of the photo's",
                            K::Positive};
const OptionSpec PhotoAperture{"aperture", "N", "f-number, instead of the photo's", K::Positive};
const OptionSpec Project{"project", "OUT.vlp",
                         "also write a project: camera 1 (and 2) from the first (and second) "
                         "photo",
                         K::Text};

const OptionSpec Size{"size", "WxH",
                      "diagram size in pixels, 200x120 to 10000x10000 (default 1174x316, as in "
                      "the window)",
                      K::Text};
const OptionSpec Scale{"scale",
                       "K",
                       "raster images K times larger, 1 to 4, drawn as on a screen of device "
                       "pixel ratio K (default 1)",
                       K::Number,
                       1,
                       4};

} // namespace CalcOptions
