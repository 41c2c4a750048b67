// The drawing helper of vorel-calc: vorel-calc hands every command that
// draws to this program, with its own arguments, so that only drawing pays
// for loading Qt's GUI libraries. It is vorel-calc in every other respect.

#include "calc/calcapp.h"
#include "calc/rendercommand.h"
#include "optics/lensmodel.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>

#include <unistd.h>

namespace
{

// Qt's own notes would break the rule of one line per problem on standard
// error; only its critical messages get through.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "vorel-calc: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    // The window's traces to std::cout stay out of standard output.
    std::ostringstream nowhere;
    std::streambuf *const previous = std::cout.rdbuf(nowhere.rdbuf());
    LensModel::trace = nullptr;

    qInstallMessageHandler(messageHandler);
    std::signal(SIGXFSZ, SIG_IGN);
    // render draws into images and never shows a window, so it needs no
    // screen: unless the user chose a platform, draw offscreen, which also
    // keeps a display that cannot be reached from stopping it.
    bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platformChosen = true;
    if (!platformChosen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int status = 1;
    {
        QApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("vorel-calc"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VOREL_VERSION));

        QFile out;
        if (out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            QTextStream err(stderr);
            CalcApp calc(out, err);
            calc.provide(QStringLiteral("render"), CalcCommands::runRender);
            status = calc.run(QCoreApplication::arguments().mid(1));
            err.flush();
        } else {
            std::fprintf(stderr, "vorel-calc: cannot write to standard output\n");
        }
    }
    std::cout.rdbuf(previous);
    return status;
}
