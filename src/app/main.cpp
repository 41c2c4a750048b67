#include "app/mainwin.h"
#include "app/translations.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <cstdlib>
#include <iostream>

int main(int argc, char *argv[])
{
    // The six-argument form names five images that are not used (yet); any
    // other count is a usage error, reported before any Qt object exists.
    if (argc != 1 && argc != 6) {
        // argv[0] may be missing when the caller passed no arguments at all.
        const char *program = (argc > 0 && argv[0] != nullptr) ? argv[0] : "";
        std::cout << "Usage: " << program
                  << " center.jpg upperRight.jpg lowerleft.jpg lowerRight.jpg upperLeft.jpg\n";
        std::exit(-1);
    }

    QApplication app(argc, argv);
    // Lets the desktop pair the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vorel.Vorel"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vorel-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // The form takes its texts once, while it is built: the language must
    // be in place before the window exists.
    installTranslations(app, QLocale());
    mainWin window;
    window.show();
    return app.exec();
}
