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

// The camera a --camera text names, for a CoC: its diagonal and, as its
// name, "Nikon D850, crop factor 1"; or a one-line problem naming the
// candidates or the closest names. A missing database is unavailable.
CocResolution::CameraMatch cameraMatch(const CameraDatabase &database, const QString &text);

// Supplies both to calc, with the camera database as the source of
// --camera on every command; the database is loaded when first asked.
void provideMedia(CalcApp &calc);

} // namespace CalcCommands

#endif // MEDIACOMMANDS_H
