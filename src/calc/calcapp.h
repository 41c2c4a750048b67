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

    // Supplies the running half of a command that a helper program runs
    // (render, cameras, photo), which only that helper links.
    void provide(const QString &command, CalcCommands::Runner run) { runners.insert(command, run); }
    // The camera finder of --camera, which only the media helper links.
    void provideCameras(const CocResolution::CameraFinder &finder) { cameraFinder = finder; }
    // Why a command whose running half is not supplied cannot run here (its
    // help and argument checks still can); said, with status 1, when one is
    // called.
    void setCannotRun(const QString &reason) { cannotRun = reason; }

    // arguments without the program's name; returns the exit status:
    // 0 complete, 1 failure while working, 2 bad usage or input.
    int run(const QStringList &arguments);

    // Which helper program the command line needs: the drawing helper for a
    // drawing, the media helper for cameras, photos and any --camera; none
    // for everything else, which runs on Qt Core alone.
    static CalcCommands::Helper helperFor(int argc, const char *const *argv);
    // Whether the command needs the media helper for its --camera alone: it
    // can run here when the camera database's cache is up to date.
    static bool helperOnlyForCamera(int argc, const char *const *argv);

private:
    static QString overallHelp();
    int write(const QByteArray &bytes, const QString &command);
    int refuse(const QString &message);

    QIODevice &out;
    QTextStream &err;
    QHash<QString, CalcCommands::Runner> runners;
    CocResolution::CameraFinder cameraFinder;
    QString cannotRun = QStringLiteral("this program cannot run this command");
};

#endif // CALCAPP_H
