#include "cameradatabase.h"

#include "cameracache.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

// The folders lensfun's Load() reads: the user's own files and updates,
// and the system's data and updates, wherever a distribution puts them.
QStringList systemFolders()
{
    QStringList folders;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!user.isEmpty()) {
        folders << QDir(user).filePath(QStringLiteral("lensfun"))
                << QDir(user).filePath(QStringLiteral("lensfun/updates/version_1"));
    }
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(data).filePath(QStringLiteral("lensfun/version_1"));
    folders << QStringLiteral("/usr/share/lensfun/version_1")
            << QStringLiteral("/usr/local/share/lensfun/version_1")
            << QStringLiteral("/var/lib/lensfun-updates/version_1");
    folders.removeDuplicates();
    return folders;
}

// The cameras of a list, each name once, at most limit.
QList<CameraInfo> distinct(const QList<CameraInfo> &all, const QList<int> &indexes, int limit)
{
    QList<CameraInfo> cameras;
    QSet<QString> names;
    for (const int i : indexes) {
        if (cameras.size() >= limit)
            break;
        const QString name = all[i].name();
        if (!names.contains(name)) {
            names.insert(name);
            cameras << all[i];
        }
    }
    return cameras;
}

} // namespace

CameraDatabase::CameraDatabase(const QString &folder, const QString &cacheFolder,
                               const Reader &reader)
{
    auto data = std::make_shared<Data>();
    const QStringList folders = foldersOf(folder);
    const CameraCache cache(cacheFolder, folders);
    std::optional<CameraCache::Contents> stored;
    if (!cacheFolder.isEmpty())
        stored = cache.read();
    std::optional<CameraSearch> search;
    if (stored) {
        data->cameras = stored->cameras;
        data->fromCache = true;
        search = CameraSearch::fromBytes(stored->search, data->cameras.size());
    } else if (reader) {
        data->cameras = reader(folder);
    }
    if (data->cameras.isEmpty())
        return;
    if (!search) {
        search = CameraSearch(data->cameras);
        if (!cacheFolder.isEmpty())
            cache.write({data->cameras, search->toBytes()});
    }
    data->search = *search;
    m_data = data;
}

CameraDatabase CameraDatabase::cachedOnly()
{
    return CameraDatabase(systemFolder(), CameraCache::defaultFolder(), Reader());
}

QString CameraDatabase::systemFolder()
{
    // A folder in place of the system's data, for tests and for trying a
    // newer database.
    return qEnvironmentVariable("VOREL_CAMERA_DATABASE");
}

QStringList CameraDatabase::foldersOf(const QString &folder)
{
    return folder.isEmpty() ? systemFolders() : QStringList{QDir(folder).absolutePath()};
}

bool CameraDatabase::isLoaded() const
{
    return m_data != nullptr;
}

const QList<CameraInfo> &CameraDatabase::cameras() const
{
    static const QList<CameraInfo> none;
    return m_data ? m_data->cameras : none;
}

bool CameraDatabase::fromCache() const
{
    return m_data && m_data->fromCache;
}

CameraDatabase::Search CameraDatabase::find(const QString &text) const
{
    Search search;
    if (!m_data) {
        search.outcome = Outcome::NoDatabase;
        return search;
    }
    const QList<CameraSearch::Hit> hits = m_data->search.rank(text);
    if (hits.isEmpty()) {
        search.outcome = Outcome::NotFound;
        search.candidates = distinct(m_data->cameras, m_data->search.closest(text), MaxCandidates);
        return search;
    }
    QList<int> best;
    for (const CameraSearch::Hit &h : hits) {
        if (h.level == hits.first().level)
            best << h.index;
    }
    search.candidates = distinct(m_data->cameras, best, MaxCandidates);
    if (search.candidates.size() == 1) {
        search.outcome = Outcome::Found;
        search.camera = search.candidates.takeFirst();
    } else {
        search.outcome = Outcome::Ambiguous;
    }
    return search;
}

QList<CameraInfo> CameraDatabase::matching(const QString &text) const
{
    if (!m_data)
        return {};
    const QList<CameraSearch::Hit> hits = m_data->search.rank(text);
    const bool whole = !hits.isEmpty() && hits.first().level >= CameraSearch::Level::Words;
    QList<int> indexes;
    for (const CameraSearch::Hit &h : hits) {
        if (!whole || h.level >= CameraSearch::Level::Words)
            indexes << h.index;
    }
    return distinct(m_data->cameras, indexes, std::numeric_limits<int>::max());
}

QList<CameraInfo> CameraDatabase::ranked(const QString &text) const
{
    if (!m_data)
        return {};
    QList<int> indexes;
    for (const CameraSearch::Hit &h : m_data->search.rank(text))
        indexes << h.index;
    return distinct(m_data->cameras, indexes, std::numeric_limits<int>::max());
}

std::optional<CameraInfo> CameraDatabase::byMakeAndModel(const QString &make, const QString &model,
                                                         double aspect) const
{
    if (!m_data)
        return std::nullopt;
    const int i = m_data->search.byMetadata(make, model);
    if (i < 0)
        return std::nullopt;
    // A camera with several image formats has a variant for each, named by
    // its aspect ratio ("3:2", "16:9"): the one nearest the image's.
    const CameraInfo &found = m_data->cameras[i];
    const CameraInfo *best = &found;
    double bestGap = std::numeric_limits<double>::infinity();
    static const QRegularExpression ratio(QStringLiteral("^(\\d+):(\\d+)$"));
    const double wanted = aspect > 0 && aspect < 1 ? 1 / aspect : aspect;
    for (const CameraInfo &c : m_data->cameras) {
        if (!(wanted > 0) || c.maker != found.maker || c.model != found.model)
            continue;
        const QRegularExpressionMatch m = ratio.match(c.variant);
        const double w = m.hasMatch() ? m.captured(1).toDouble() : 0;
        const double h = m.hasMatch() ? m.captured(2).toDouble() : 0;
        if (!(w > 0 && h > 0))
            continue;
        const double gap = std::abs(std::log(std::max(w, h) / std::min(w, h) / wanted));
        if (gap < bestGap) {
            bestGap = gap;
            best = &c;
        }
    }
    return *best;
}

QString CameraDatabase::noDatabaseReason()
{
    return QStringLiteral("there is no camera database: lensfun's data (package "
                          "liblensfun-data-v1) is not installed");
}
