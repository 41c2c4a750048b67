#ifndef CAMERADATABASE_H
#define CAMERADATABASE_H

#include "camerainfo.h"
#include "presets/cocresolution.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct lfDatabase;
struct lfCamera;

// The cameras of lensfun's database: the one installed on the system, or
// the XML files of one folder. Loaded once on construction; a copy shares
// the loaded data.
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

    // The system's database, where lensfun itself looks for it; or the
    // folder that the environment variable VOREL_CAMERA_DATABASE names.
    CameraDatabase();
    // The database files of one folder only.
    explicit CameraDatabase(const QString &folder);

    bool isLoaded() const;
    // Every camera, in the database's order.
    const QList<CameraInfo> &cameras() const;

    // A camera from a user's text: a model name, or maker and model, in any
    // case, with or without spaces and hyphens. A text that names a camera
    // exactly wins over partial matches; otherwise lensfun's fuzzy search
    // decides, and several matches are ambiguous.
    Search find(const QString &text) const;
    // Every camera a text matches, for a list: the exact names, or else
    // all of lensfun's matches, best first.
    QList<CameraInfo> matching(const QString &text) const;
    // The camera a photo's metadata names (its make and model tags), as
    // lensfun matches those; nothing when the database has no such camera.
    // Of a camera's aspect-ratio variants, the one nearest aspect (width
    // over height, either way round; 0: the first).
    std::optional<CameraInfo> byMakeAndModel(const QString &make, const QString &model,
                                             double aspect = 0) const;

    // find() for a CoC: the camera's diagonal and, as its name, "Nikon
    // D850, crop factor 1"; or a one-line problem for --camera naming the
    // candidates or the closest names. A missing database is unavailable.
    CocResolution::CameraMatch match(const QString &text) const;
    // match() as the finder CoC resolution takes; the database must outlive
    // it.
    CocResolution::CameraFinder finder() const;

private:
    void load(const QString &folder);
    QList<const lfCamera *> exactMatches(const QString &text) const;

    std::shared_ptr<const lfDatabase> m_database;
    QList<CameraInfo> m_cameras;
};

#endif // CAMERADATABASE_H
