// Opening and saving project files.

#include "app/mainwin.h"

void mainWin::load() {}

void mainWin::save() {}

void mainWin::saveAs() {}
