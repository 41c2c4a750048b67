#ifndef CALCCOMMANDS_H
#define CALCCOMMANDS_H

#include <QString>
#include <QStringList>

class CalcArguments;
struct ProjectFile;

// The commands of vorel-calc. Each declares its arguments, then computes
// from them into a text that the caller writes to standard output only when
// the arguments held no problem, so a refused call prints nothing there.
namespace CalcCommands
{

struct Command {
    const char *name;
    const char *summary;
    void (*declare)(CalcArguments &args);
    // Returns the exit status: 0 for a complete result, 1 for a failure
    // while working; problems with the arguments go to args.fail().
    int (*run)(CalcArguments &args, QString &output);
    // Whether the command draws and so needs a QApplication.
    bool draws;
};

// Reads a project file with the window's checked reader; on failure tells
// args why, as the window's warning would.
bool readProject(CalcArguments &args, const QString &name, ProjectFile &project);

// Every command, in the order the overall help lists them.
const QList<Command> &all();
const Command *find(const QString &name);

} // namespace CalcCommands

#endif // CALCCOMMANDS_H
