// The drawing helper of vorel-calc: vorel-calc hands every command that
// draws to this program, with its own arguments, so that only drawing pays
// for loading Qt's GUI libraries. It is vorel-calc in every other respect.

#include "calc/calcapp.h"
#include "calc/calcprocess.h"
#include "calc/rendercommand.h"

#include <QGuiApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    const CalcProcess process;
    // render draws into images and never shows a window, so it needs no
    // screen: unless the user chose a platform, draw offscreen, which also
    // keeps a display that cannot be reached from stopping it.
    bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platformChosen = true;
    if (!platformChosen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return CalcProcess::run(
        [](CalcApp &calc) { calc.provide(QStringLiteral("render"), CalcCommands::runRender); });
}
