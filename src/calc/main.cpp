#include "calc/calcapp.h"
#include "optics/lensmodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>

#include <unistd.h>

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

// The folder this program was started from, read from the kernel, so that
// neither PATH nor argv[0] decides which helper runs.
std::string ownFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return std::string();
    const std::string self(path, size_t(n));
    return self.substr(0, self.rfind('/'));
}

// Drawing needs Qt's GUI libraries, which this program does not link, so
// that every other command starts like a bare Qt Core program. A drawing
// command runs in the helper instead, with the same arguments, standard
// streams and exit status: installed, it lies in the private libexec
// folder; in the build folder, beside this program. Returns, with the
// reason, only when there is no helper.
std::string runDrawingHelper(char *argv[])
{
    const std::string folder = ownFolder();
    const std::string helper = VOREL_RENDER_HELPER;
    const std::string candidates[] = {folder + "/" VOREL_BIN_TO_LIBEXEC "/" + helper,
                                      folder + "/" + helper};
    for (const std::string &path : candidates)
        if (!folder.empty() && access(path.c_str(), X_OK) == 0) {
            execv(path.c_str(), argv);
            return "cannot start the drawing helper " + path + ": " + std::strerror(errno);
        }
    return "the drawing helper " + helper + " is not installed (looked in " + candidates[0] + ")";
}

} // namespace

int main(int argc, char *argv[])
{
    // Without the helper, this program still gives the command's help and
    // checks its arguments, and then says why it cannot draw.
    const std::string cannotDraw =
        CalcApp::needsGui(argc, argv) ? runDrawingHelper(argv) : std::string();

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
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vorel-calc"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOREL_VERSION));

    // Unbuffered, so that the result's bytes go out in one write whose
    // failure the program sees.
    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "vorel-calc: cannot write to standard output\n");
        return 1;
    }
    QTextStream err(stderr);
    CalcApp calc(out, err);
    if (!cannotDraw.empty())
        calc.setCannotDraw(QString::fromStdString(cannotDraw));
    const int status = calc.run(QCoreApplication::arguments().mid(1));
    err.flush();
    return status;
}
