#ifndef MANUALLOCATOR_H
#define MANUALLOCATOR_H

#include <QString>
#include <QStringList>

// Finds the pages of Vorel's own manual: one folder per language (en, de)
// below a manual folder. Installed, that folder lies beside the programs
// (<prefix>/share/vorel/docs/manual); run from a build folder inside the
// source tree, it is the tree's docs/manual.
class ManualLocator
{
public:
    // The manual folders to search, the first one holding a page wins.
    explicit ManualLocator(QStringList roots = defaultRoots());

    // Relative to the running program: the installed manual, then the
    // source tree above a build folder, then the source tree the program
    // was built from.
    static QStringList defaultRoots();

    // The absolute path of page (such as "index.html") in language, or in
    // English where that language lacks it; empty when no folder has it.
    QString page(const QString &language, const QString &name) const;

    const QStringList &roots() const { return folders; }

private:
    QStringList folders;
};

#endif // MANUALLOCATOR_H
