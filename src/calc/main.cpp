#include "calc/calcapp.h"
#include "optics/lensmodel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <streambuf>

namespace
{

// Swallows what is written to it.
class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char *, std::streamsize n) override { return n; }
};

// Qt's own notes (a missing runtime folder on a headless machine, say)
// would break the rule of one line per problem on standard error; only its
// critical messages get through.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "vorel-calc: %s\n", qPrintable(message));
}

// Points std::cout at a buffer for as long as it lives and gives it its own
// buffer back: std::cout is flushed once more after main() returns.
class CoutSilencer
{
public:
    explicit CoutSilencer(std::streambuf *buffer) : previous(std::cout.rdbuf(buffer)) {}
    ~CoutSilencer() { std::cout.rdbuf(previous); }
    CoutSilencer(const CoutSilencer &) = delete;
    CoutSilencer &operator=(const CoutSilencer &) = delete;

private:
    std::streambuf *previous;
};

} // namespace

int main(int argc, char *argv[])
{
    // The lens model and the project reader trace to std::cout for the
    // window; here standard output carries the results alone. The project
    // reader's trace goes nowhere; the lens model's is not even written,
    // since a large table makes thousands of lines.
    NullBuffer nowhere;
    const CoutSilencer silence(&nowhere);
    LensModel::trace = nullptr;

    qInstallMessageHandler(messageHandler);
    // A file size limit then fails the write, which says so, instead of
    // killing the process without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::unique_ptr<QCoreApplication> app;
    if (CalcApp::needsGui(argc, argv)) {
        // render draws into images and never shows a window, so it needs no
        // screen: unless the user chose a platform, draw offscreen, which
        // also keeps a display that cannot be reached from stopping it.
        bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
                platformChosen = true;
        if (!platformChosen)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("vorel-calc"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOREL_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = CalcApp(out, err).run(QCoreApplication::arguments().mid(1));
    out.flush();
    err.flush();
    return status;
}
