// The About box and the manual behind the Help menu.

#include "mainwin.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void mainWin::about()
{
    QMessageBox box;
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    box.setText(tr("Vorel\nVersion ") + version +
                tr("\n\nNutzungsbedingungen:\n"
                   "Vorel darf kostenlos genutzt und weitergegeben werden. "
                   "Alle Berechnungen beruhen auf vereinfachten optischen Modellen; "
                   "die Ergebnisse sind Richtwerte und ersetzen keine Probeaufnahme.\n"
                   "Die Nutzung erfolgt auf eigene Gefahr; eine Haftung für Schäden "
                   "ist ausgeschlossen.\n\n"
                   "Hinweis: Anleitung und Hilfe finden Sie unter "
                   "https://vorel.example.org/"));
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("Vorel"));
    box.setDefaultButton(ok);
    box.exec();
}

bool mainWin::openManual(const QString &page)
{
    // The manual's folder for the language the window speaks: each
    // translation names its own.
    const QString language = tr("en", "the folder of the manual in this language");
    const QString file = ManualLocator(manualFolders).page(language, page);
    if (file.isEmpty()) {
        QStringList folders;
        for (const QString &folder : manualFolders)
            folders << QDir::toNativeSeparators(folder);
        QMessageBox::warning(this, QStringLiteral("Vorel"),
                             tr("The manual (%1) cannot be found. It is installed with Vorel; "
                                "these folders do not hold it:\n%2")
                                 .arg(page, folders.join(QLatin1Char('\n'))));
        return false;
    }
    // Whether a browser could be started is the desktop's to show.
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    return true;
}

void mainWin::tutorial()
{
    openManual(QStringLiteral("tutorial.html"));
}

void mainWin::help()
{
    openManual(QStringLiteral("index.html"));
}
