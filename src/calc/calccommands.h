#ifndef CALCCOMMANDS_H
#define CALCCOMMANDS_H

#include "calcarguments.h"
#include "cocresolution.h"
#include "planning/exactdof.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

class CameraDatabase;
struct ProjectFile;

// The commands of vorel-calc. Each declares its arguments, then computes
// from them one result: the bytes for standard output, or the message that
// says why there are none.
namespace CalcCommands
{

struct Result {
    // 0 for a complete result, 1 for a failure while working, 2 for bad
    // usage or input.
    int status = 0;
    // Written to standard output, only when status is 0.
    QByteArray output;
    // One line for standard error, without the program's prefix: why the
    // command failed, or with status 0 a note beside the output (or empty).
    QString message;
};

using Runner = Result (*)(CalcArguments &args);

// The libraries a command needs beyond Qt Core live in helper programs, so
// that every other command starts like a bare Qt Core program: drawing
// needs Qt's GUI libraries, cameras and photos the camera database and the
// metadata library.
enum class Helper { None, Drawing, Media };

struct Command {
    const char *name;
    const char *summary;
    void (*declare)(CalcArguments &args);
    // nullptr for a command whose running half lives in a helper program,
    // which hands it to CalcApp.
    Runner run;
    // Which helper runs it.
    Helper helper;
};

// The refusal for the first problem the arguments recorded.
Result refused(const CalcArguments &args);
Result done(const QByteArray &output);
Result done(const QString &output);

// Reads a project file with the window's checked reader; on failure tells
// args why, as the window's warning would.
bool readProject(CalcArguments &args, const QString &name, ProjectFile &project);

// dof's figures, for the commands that give them too: its JSON object and
// its text, and whether values are sensible enough to have figures.
QJsonObject dofFiguresJson(const ExactDof::Figures &e, double focal, double aperture, double focus,
                           double coc, bool diffraction);
// extra lines (the framing figures) follow the figures, aligned with them.
QString dofFiguresText(const ExactDof::Figures &e, double focal, double aperture, double focus,
                       const CalcArguments::Coc &coc, bool diffraction,
                       const QList<QPair<QString, QString>> &extra = {});
bool dofComputable(const ExactDof::Figures &e, double focus);
// The JSON of a command that took --camera names the camera ("camera")
// and where its CoC came from ("coc_source"); without one, o unchanged.
QJsonObject withCamera(QJsonObject o, const CalcArguments::Coc &coc);

// The camera a --camera text names, for a CoC: its diagonal and, as its
// name, "Nikon D850, crop factor 1"; or a one-line problem naming the
// candidates or the closest names. A missing database is unavailable.
CocResolution::CameraMatch cameraMatch(const CameraDatabase &database, const QString &text);

// Every command, in the order the overall help lists them.
const QList<Command> &all();
const Command *find(const QString &name);

} // namespace CalcCommands

#endif // CALCCOMMANDS_H
