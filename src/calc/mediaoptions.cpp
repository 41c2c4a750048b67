// vorel-calc cameras and photo, their declaring halves: the help and the
// checks of the command line need neither the camera database nor the
// metadata library, so vorel-calc gives them without loading either.

#include "calcarguments.h"
#include "calccommands.h"

namespace CalcCommands
{

void declareCameras(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "Lists the cameras of lensfun's database that match TEXT (all without it): maker,\n"
        "model, lens mount, crop factor, sensor diagonal (43.26661531 mm / crop factor)\n"
        "and the CoC by the window's crop-factor rule. A maker lists its cameras; words\n"
        "list every camera that has them all, the camera they name exactly first. Case,\n"
        "blanks and hyphens do not count, and the usual short forms are understood:\n"
        "'A7 III' for Sony's Alpha 7 III, '5D4' or '5D Mk4' for the EOS 5D Mark IV."));
    args.setPositional({QStringLiteral("TEXT")},
                       {QStringLiteral("a model, or maker and model, or words of them")},
                       CalcArguments::Last::Any);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
}

void declarePhoto(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "Reads how each photo was taken from its metadata (Exif and the makers' notes of\n"
        "JPEG, TIFF, DNG and raw files) and gives its settings with the 'dof' figures.\n"
        "The crop factor comes from the camera database by make and model, else the\n"
        "focal-plane diagonal, the 35 mm equivalent focal length or the focal-plane\n"
        "resolution. Without a CoC option the CoC is the crop-factor rule's on the\n"
        "photo's sensor. A value the photo lacks is null and named in 'missing', and\n"
        "the figures that need it are null. With --project, camera 1 (and camera 2)\n"
        "of a new project take the first (and second) photo's values, held to the\n"
        "window's ranges; everything else is as the window starts."));
    args.setPositional({QStringLiteral("FILE")},
                       {QStringLiteral("a photo: JPEG, TIFF, DNG or a raw file")},
                       CalcArguments::Last::Repeated);
    args.add(CalcOptions::PhotoFocus);
    args.add(CalcOptions::PhotoFocal);
    args.add(CalcOptions::PhotoAperture);
    args.addCocOptions();
    args.add(CalcOptions::Diffraction);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
    args.add(CalcOptions::Project);
}

} // namespace CalcCommands
