#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QString>

class QCoreApplication;
class QLocale;

// Installs the program's own translation for locale, built into the program,
// and Qt's translation of its standard dialogs where the system has one.
// Translations installed by an earlier call are removed first, so the last
// call decides the language. Where no translation matches (an English or C
// locale), none is installed and the texts stay as written in the source.
// Returns true when the program's own translation was found. catalogue names
// the program's translation under :/i18n ("vorel" for the main window).
bool installTranslations(QCoreApplication &app, const QLocale &locale,
                         const QString &catalogue = QStringLiteral("vorel"));

#endif // TRANSLATIONS_H
