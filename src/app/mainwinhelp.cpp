// The About box and the web pages of the Help menu.

#include "mainwin.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace
{

// Every web page of the program lives below this address; the help page is
// named after the version, so each version has its own.
const char webPrefix[] = "https://vorel.example.org/links/vorel";

} // namespace

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

void mainWin::tutorial()
{
    QDesktopServices::openUrl(
        QUrl(QString::fromLatin1(webPrefix) + QStringLiteral("tutorial.html")));
}

void mainWin::help()
{
    QDesktopServices::openUrl(
        QUrl(QString::fromLatin1(webPrefix) + version + QStringLiteral(".html")));
}
