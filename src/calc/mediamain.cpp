// The camera and photo helper of vorel-calc: vorel-calc hands cameras,
// photo and every command given --camera to this program, with its own
// arguments, so that only they pay for loading the camera database's and
// the metadata library's code. It is vorel-calc in every other respect.

#include "calc/calcprocess.h"
#include "calc/mediacommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const CalcProcess process;
    QCoreApplication app(argc, argv);
    return CalcProcess::run(CalcCommands::provideMedia);
}
