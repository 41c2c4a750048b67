#include "calc/calcapp.h"
#include "calc/calccommands.h"
#include "calc/calcprocess.h"
#include "cameras/cameradatabase.h"

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

// Drawing needs Qt's GUI libraries, cameras and photos the camera database
// and the metadata library, none of which this program links, so that
// every other command starts like a bare Qt Core program. Such a command
// runs in its helper instead, with the same arguments, standard streams and
// exit status: installed, the helper lies in the private libexec folder; in
// the build folder, beside this program. Returns, with the reason, only
// when there is no helper.
std::string runHelper(const std::string &helper, const std::string &what, char *argv[])
{
    const std::string folder = ownFolder();
    const std::string candidates[] = {folder + "/" VOREL_BIN_TO_LIBEXEC "/" + helper,
                                      folder + "/" + helper};
    for (const std::string &path : candidates)
        if (!folder.empty() && access(path.c_str(), X_OK) == 0) {
            execv(path.c_str(), argv);
            return "cannot start the " + what + " helper " + path + ": " + std::strerror(errno);
        }
    return "the " + what + " helper " + helper + " is not installed (looked in " + candidates[0] +
           ")";
}

} // namespace

int main(int argc, char *argv[])
{
    // Without the helper, this program still gives the command's help and
    // checks its arguments, and then says why it cannot run the command.
    std::string cannotRun;
    // A --camera alone is looked up here when the camera database's cache
    // of an earlier run is up to date; the helper reads the database (and
    // renews the cache) otherwise. The database is kept to the end of the
    // program and not taken apart there, which would only cost time.
    static const CameraDatabase *cached = nullptr;
    switch (CalcApp::helperFor(argc, argv)) {
    case CalcCommands::Helper::Drawing:
        cannotRun = runHelper(VOREL_RENDER_HELPER, "drawing", argv);
        break;
    case CalcCommands::Helper::Media:
        if (CalcApp::helperOnlyForCamera(argc, argv)) {
            cached = new CameraDatabase(CameraDatabase::cachedOnly());
            if (cached->isLoaded())
                break;
        }
        cannotRun = runHelper(VOREL_MEDIA_HELPER, "camera and photo", argv);
        break;
    case CalcCommands::Helper::None:
        break;
    }

    const CalcProcess process;
    QCoreApplication app(argc, argv);
    return CalcProcess::run([&cannotRun](CalcApp &calc) {
        if (cached && cached->isLoaded())
            calc.provideCameras(
                [](const QString &text) { return CalcCommands::cameraMatch(*cached, text); });
        if (cannotRun.empty())
            return;
        const QString reason = QString::fromStdString(cannotRun);
        calc.setCannotRun(reason);
        // --camera on a command that this program runs itself.
        calc.provideCameras([reason](const QString &) {
            CocResolution::CameraMatch unavailable;
            unavailable.problem = QStringLiteral("--camera: ") + reason;
            unavailable.unavailable = true;
            return unavailable;
        });
    });
}
