// The About box and the web pages of the Help menu.

#include "mainwin.h"

void mainWin::about() {}

void mainWin::tutorial() {}

void mainWin::help() {}
