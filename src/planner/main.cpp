#include "app/translations.h"
#include "optics/lensmodel.h"
#include "planner/plannerwindow.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vorel"));
    QCoreApplication::setApplicationName(QStringLiteral("vorel-planner"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vorel.Planner"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vorel-planner-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // The planner shows its figures in the window; the lens model's trace
    // lines are for the main window's log alone.
    LensModel::trace = nullptr;
    installTranslations(app, QLocale(), QStringLiteral("vorel-planner"));
    PlannerWindow window;
    window.show();
    return app.exec();
}
