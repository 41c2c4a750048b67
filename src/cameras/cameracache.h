#ifndef CAMERACACHE_H
#define CAMERACACHE_H

#include "camerainfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The cameras of lensfun's database as read once, kept in a file so that
// the next program start need not parse the XML again. The file remembers
// the size and time of every database file it came from; a change to any
// of them, a damaged file or one of another layout is never used, and the
// database is read afresh.
class CameraCache
{
public:
    // The cache of the database in the given folders, in the cache folder
    // (created when written).
    CameraCache(const QString &cacheFolder, const QStringList &databaseFolders);

    // Where the caches go: the user's cache folder, or the folder that the
    // environment variable VOREL_CACHE_DIR names.
    static QString defaultFolder();

    // What the file keeps: the cameras, and the bytes of their search
    // (CameraSearch) so that its names need not be derived again.
    struct Contents {
        QList<CameraInfo> cameras;
        QByteArray search;
    };

    QString fileName() const;
    // The contents, when the file is whole and of the database as it is now.
    std::optional<Contents> read() const;
    // Replaces the file in one step; a cache that cannot be written is no
    // error, only slower next time.
    bool write(const Contents &contents) const;

private:
    QByteArray signature() const;

    QString m_file;
    QStringList m_folders;
};

#endif // CAMERACACHE_H
