#include "manuallocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

ManualLocator::ManualLocator(QStringList roots) : folders(std::move(roots)) {}

QStringList ManualLocator::defaultRoots()
{
    QStringList roots;
    if (QCoreApplication::instance() != nullptr) {
        const QDir bin(QCoreApplication::applicationDirPath());
        roots << QDir::cleanPath(bin.filePath(QStringLiteral(VOREL_BIN_TO_MANUAL)));
        roots << QDir::cleanPath(bin.filePath(QStringLiteral("../docs/manual")));
    }
    // Tests and programs built outside the source tree.
    roots << QStringLiteral(VOREL_SOURCE_MANUAL);
    roots.removeDuplicates();
    return roots;
}

QString ManualLocator::page(const QString &language, const QString &name) const
{
    QStringList languages{language};
    if (language != QLatin1String("en"))
        languages << QStringLiteral("en");
    for (const QString &lang : languages) {
        // A name with a folder in it would reach outside the manual.
        if (lang.isEmpty() || lang.contains(QLatin1Char('/')) || name.contains(QLatin1Char('/')))
            continue;
        for (const QString &root : folders) {
            const QFileInfo file(QDir(root).filePath(lang + QLatin1Char('/') + name));
            if (file.isFile() && file.isReadable())
                return file.absoluteFilePath();
        }
    }
    return QString();
}
