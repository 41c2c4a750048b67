#ifndef RENDERCOMMAND_H
#define RENDERCOMMAND_H

#include "calccommands.h"

namespace CalcCommands
{

// Draws the project of render's arguments to its output file; needs a
// QGuiApplication.
Result runRender(CalcArguments &args);

} // namespace CalcCommands

#endif // RENDERCOMMAND_H
