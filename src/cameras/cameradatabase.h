#ifndef CAMERADATABASE_H
#define CAMERADATABASE_H

#include "camerainfo.h"
#include "camerasearch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The cameras of lensfun's database: the one installed on the system, or
// the XML files of one folder. Loaded once on construction, from the cache
// of an earlier start when the database files have not changed since
// (CameraCache), else by lensfun, which then refreshes the cache; a copy
// shares the loaded data.
class CameraDatabase
{
public:
    enum class Outcome { Found, Ambiguous, NotFound, NoDatabase };

    // What a search for a user's text gave: the camera when Found; for
    // Ambiguous the cameras it could be, for NotFound the closest names,
    // at most MaxCandidates either way, best first.
    struct Search {
        Outcome outcome = Outcome::NotFound;
        CameraInfo camera;
        QList<CameraInfo> candidates;
    };
    static constexpr int MaxCandidates = 5;
    // Why a machine has no database to look in.
    static QString noDatabaseReason();

    // Reads a folder's database files (an empty folder: the system's).
    using Reader = std::function<QList<CameraInfo>(const QString &folder)>;

    // The system's database, where lensfun itself looks for it; or the
    // folder that the environment variable VOREL_CAMERA_DATABASE names.
    // Cached in CameraCache::defaultFolder().
    CameraDatabase();
    // The database files of one folder only, read by lensfun each time.
    explicit CameraDatabase(const QString &folder);
    // The database files of one folder, cached in cacheFolder.
    CameraDatabase(const QString &folder, const QString &cacheFolder);

    // The database files of one folder (empty: the system's), from the
    // cache in cacheFolder (none: empty) where it holds them as they are,
    // else by reader, which then refreshes the cache.
    CameraDatabase(const QString &folder, const QString &cacheFolder, const Reader &reader);

    // The database of CameraDatabase(), loaded once for the whole program
    // (once for each folder VOREL_CAMERA_DATABASE names).
    static const CameraDatabase &shared();
    // CameraDatabase()'s cameras as its cache holds them, without lensfun:
    // not loaded where the cache is missing or out of date.
    static CameraDatabase cachedOnly();

    bool isLoaded() const;
    // Every camera, in the database's order.
    const QList<CameraInfo> &cameras() const;
    // Whether this database came from the cache rather than from lensfun.
    bool fromCache() const;

    // A camera from a user's text (CameraSearch): the cameras of the best
    // level; one is Found, several are Ambiguous, and a text that matches
    // none is NotFound with the closest names.
    Search find(const QString &text) const;
    // Every camera that holds all the text's words, best first; when none
    // holds them whole, those that hold them in part.
    QList<CameraInfo> matching(const QString &text) const;
    // Every camera the text matches at all, best first: find()'s camera or
    // candidates lead.
    QList<CameraInfo> ranked(const QString &text) const;
    // The camera a photo's metadata names (its make and model tags), as
    // lensfun matches those; nothing when the database has no such camera.
    // Of a camera's aspect-ratio variants, the one nearest aspect (width
    // over height, either way round; 0: the first).
    std::optional<CameraInfo> byMakeAndModel(const QString &make, const QString &model,
                                             double aspect = 0) const;

private:
    struct Data {
        QList<CameraInfo> cameras;
        CameraSearch search;
        bool fromCache = false;
    };
    // The folder VOREL_CAMERA_DATABASE names, empty for the system's.
    static QString systemFolder();
    // The folders a database folder stands for.
    static QStringList foldersOf(const QString &folder);

    std::shared_ptr<const Data> m_data;
};

#endif // CAMERADATABASE_H
