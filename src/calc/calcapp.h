#ifndef CALCAPP_H
#define CALCAPP_H

#include <QStringList>

class QTextStream;

// The command line of vorel-calc: global options, the choice of command,
// help, and the rule that a refused call writes one line to standard error
// and nothing to standard output.
class CalcApp
{
public:
    CalcApp(QTextStream &out, QTextStream &err) : out(out), err(err) {}

    // arguments without the program's name; returns the exit status:
    // 0 complete, 1 failure while working, 2 bad usage or input.
    int run(const QStringList &arguments);

    // Whether the command line asks for a drawing, which needs a
    // QApplication; every other command runs on a QCoreApplication.
    static bool needsGui(int argc, const char *const *argv);

private:
    static QString overallHelp();
    int refuse(const QString &message);

    QTextStream &out;
    QTextStream &err;
};

#endif // CALCAPP_H
