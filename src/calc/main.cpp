#include "calc/calcapp.h"
#include "calc/calcprocess.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <string>

#include <unistd.h>

namespace
{

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

    const CalcProcess process;
    QCoreApplication app(argc, argv);
    return CalcProcess::run([&cannotDraw](CalcApp &calc) {
        if (!cannotDraw.empty())
            calc.setCannotDraw(QString::fromStdString(cannotDraw));
    });
}
