// Export of the diagram to an image file.

#include "app/mainwin.h"
#include "diagram/graph.h"

void mainWin::exportImage() {}
