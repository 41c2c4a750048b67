#ifndef MEDIACOMMANDS_H
#define MEDIACOMMANDS_H

#include "calccommands.h"
#include "cocresolution.h"

class CalcApp;
class CameraDatabase;

namespace CalcCommands
{

// The running halves of cameras and photo, which need the camera database
// and the metadata library.
Result runCameras(CalcArguments &args);
Result runPhoto(CalcArguments &args);

// Supplies both to calc, with the camera database as the source of
// --camera on every command; the database is loaded when first asked.
void provideMedia(CalcApp &calc);

} // namespace CalcCommands

#endif // MEDIACOMMANDS_H
