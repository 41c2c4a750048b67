#ifndef CALCAPP_H
#define CALCAPP_H

#include "calccommands.h"

#include <QHash>
#include <QStringList>

class QIODevice;
class QTextStream;

// The command line of vorel-calc: global options, the choice of command,
// help, and the rule that a refused call writes one line to standard error
// and nothing to standard output.
class CalcApp
{
public:
    // out takes the result's bytes as they are; err the one-line messages.
    CalcApp(QIODevice &out, QTextStream &err) : out(out), err(err) {}

    // Supplies the running half of a command that draws (render), which
    // only the drawing helper links.
    void provide(const QString &command, CalcCommands::Runner run) { runners.insert(command, run); }
    // Why a command that draws cannot run here (its help and argument
    // checks still can); said, with status 1, when one is called.
    void setCannotDraw(const QString &reason) { cannotDraw = reason; }

    // arguments without the program's name; returns the exit status:
    // 0 complete, 1 failure while working, 2 bad usage or input.
    int run(const QStringList &arguments);

    // Whether the command line asks for a drawing, which the drawing helper
    // does; every other command runs on a QCoreApplication.
    static bool needsGui(int argc, const char *const *argv);

private:
    static QString overallHelp();
    int write(const QByteArray &bytes, const QString &command);
    int refuse(const QString &message);

    QIODevice &out;
    QTextStream &err;
    QHash<QString, CalcCommands::Runner> runners;
    QString cannotDraw = QStringLiteral("this program cannot draw");
};

#endif // CALCAPP_H
