#include "calcprocess.h"

#include "calcapp.h"
#include "optics/lensmodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <iostream>

#include <unistd.h>

namespace
{

// Qt's own notes (a missing runtime folder on a headless machine, say)
// would break the rule of one line per problem on standard error; only its
// critical messages get through.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "vorel-calc: %s\n", qPrintable(message));
}

} // namespace

CalcProcess::CalcProcess() : previous(std::cout.rdbuf(&nowhere))
{
    // The project reader's trace goes nowhere; the lens model's is not even
    // written, since a large table makes thousands of lines.
    LensModel::trace = nullptr;
    qInstallMessageHandler(messageHandler);
    // A file size limit then fails the write, which says so, instead of
    // killing the process without a word.
    std::signal(SIGXFSZ, SIG_IGN);
}

CalcProcess::~CalcProcess()
{
    std::cout.rdbuf(previous);
}

int CalcProcess::run(const std::function<void(CalcApp &)> &prepare)
{
    QCoreApplication::setApplicationName(QStringLiteral("vorel-calc"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOREL_VERSION));

    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "vorel-calc: cannot write to standard output\n");
        return 1;
    }
    QTextStream err(stderr);
    CalcApp calc(out, err);
    if (prepare)
        prepare(calc);
    const int status = calc.run(QCoreApplication::arguments().mid(1));
    err.flush();
    return status;
}
