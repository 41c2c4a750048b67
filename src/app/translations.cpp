#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace
{

// Marks the translators this code installs, so that a later call finds them.
const char TranslatorName[] = "vorel-translator";

bool install(QCoreApplication &app, const QLocale &locale, const QString &name,
             const QString &directory)
{
    auto *translator = new QTranslator(&app);
    translator->setObjectName(QString::fromLatin1(TranslatorName));
    if (!translator->load(locale, name, QStringLiteral("_"), directory) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

bool installTranslations(QCoreApplication &app, const QLocale &locale, const QString &catalogue)
{
    // A translator uninstalls itself when deleted.
    qDeleteAll(app.findChildren<QTranslator *>(QString::fromLatin1(TranslatorName),
                                               Qt::FindDirectChildrenOnly));

    // Qt's own texts first: a translator installed later is asked first, so
    // the program's texts win should both ever hold the same one.
    install(app, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return install(app, locale, catalogue, QStringLiteral(":/i18n"));
}
