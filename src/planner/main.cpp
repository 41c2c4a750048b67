#include "app/translations.h"
#include "optics/lensmodel.h"
#include "planner/photopage.h"
#include "planner/plannerwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLocale>

#include <iostream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vorel"));
    QCoreApplication::setApplicationName(QStringLiteral("vorel-planner"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vorel.Planner"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vorel-planner-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // The planner shows its figures in the window; the lens model's trace
    // lines have no reader here.
    LensModel::trace = nullptr;
    installTranslations(app, QLocale(), QStringLiteral("vorel-planner"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Where to focus, which f-number to use and how many frames to stack."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption page(QStringLiteral("page"),
                                  QStringLiteral("The page to start on: %1.")
                                      .arg(PlannerWindow::pageNames().join(QStringLiteral(", "))),
                                  QStringLiteral("name"));
    parser.addOption(page);
    parser.addPositionalArgument(QStringLiteral("photo"),
                                 QStringLiteral("Photos to open on the Photo page (up to two)."),
                                 QStringLiteral("[photo...]"));
    parser.process(app);

    PlannerWindow window;
    if (!parser.positionalArguments().isEmpty())
        window.showPage(QStringLiteral("photo"));
    for (const QString &photo : parser.positionalArguments())
        window.photo()->open(photo);
    if (parser.isSet(page) && !window.showPage(parser.value(page))) {
        std::cerr << "vorel-planner: --page " << qPrintable(parser.value(page))
                  << " is no page; use one of "
                  << qPrintable(PlannerWindow::pageNames().join(QStringLiteral(", "))) << "\n";
        return 2;
    }
    window.show();
    return app.exec();
}
