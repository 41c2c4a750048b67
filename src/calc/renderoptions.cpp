// vorel-calc render, its declaring half: the help and the checks of the
// command line need no drawing, so vorel-calc gives them without loading
// any GUI library.

#include "calcarguments.h"
#include "calccommands.h"

namespace CalcCommands
{

void declareRender(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "Draws a project's diagram to a file, exactly as the window shows it after\n"
        "opening the project, without a window or a display. The suffix of OUT chooses\n"
        "the format: .png, .jpg or .jpeg and .bmp on the export's light grey ground,\n"
        ".svg and .pdf with lines and texts kept as such (one PDF page of the\n"
        "diagram's size). An existing OUT is replaced only by a complete file."));
    args.setPositional({QStringLiteral("PROJECT.vlp"), QStringLiteral("OUT")},
                       {QStringLiteral("a project file saved by the window"),
                        QStringLiteral("the file to write")});
    args.add(CalcOptions::Size);
    args.add(CalcOptions::Scale);
}

} // namespace CalcCommands
