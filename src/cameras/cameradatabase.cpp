#include "cameradatabase.h"

#include "cameracache.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

#include <lensfun.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace
{

// A multi-language string holds its default text, then pairs of language
// and translation, ended by an empty language. The default is the maker's
// metadata spelling, the English text what people know a camera by.
QStringList allTexts(lfMLstr text)
{
    QStringList texts;
    if (!text)
        return texts;
    const char *p = text;
    texts << QString::fromUtf8(p).simplified();
    p += std::strlen(p) + 1;
    while (*p) {
        p += std::strlen(p) + 1;
        const QString translation = QString::fromUtf8(p).simplified();
        if (!texts.contains(translation))
            texts << translation;
        p += std::strlen(p) + 1;
    }
    return texts;
}

QString englishText(lfMLstr text)
{
    if (!text)
        return QString();
    const char *p = text;
    const char *english = text;
    p += std::strlen(p) + 1;
    while (*p) {
        const char *language = p;
        p += std::strlen(p) + 1;
        if (std::strcmp(language, "en") == 0)
            english = p;
        p += std::strlen(p) + 1;
    }
    return QString::fromUtf8(english).simplified();
}

CameraInfo infoOf(const lfCamera *camera)
{
    CameraInfo info;
    info.maker = englishText(camera->Maker);
    info.model = englishText(camera->Model);
    info.variant = englishText(camera->Variant);
    info.mount = QString::fromUtf8(camera->Mount ? camera->Mount : "");
    // lensfun reads the decimal crop factor of its files into a float; its
    // seven digits give back the decimal (1.525, not 1.52499997...).
    info.cropFactor = QString::number(double(camera->CropFactor), 'g', 7).toDouble();
    info.makerNames = allTexts(camera->Maker);
    info.modelNames = allTexts(camera->Model);
    return info;
}

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

CameraDatabase::CameraDatabase()
{
    // A folder in place of the system's data, for tests and for trying a
    // newer database.
    load(qEnvironmentVariable("VOREL_CAMERA_DATABASE"), CameraCache::defaultFolder(), true);
}

CameraDatabase::CameraDatabase(const QString &folder)
{
    load(folder, QString(), false);
}

CameraDatabase::CameraDatabase(const QString &folder, const QString &cacheFolder)
{
    load(folder, cacheFolder, true);
}

const CameraDatabase &CameraDatabase::shared()
{
    // One database per folder that VOREL_CAMERA_DATABASE names, so that a
    // test that points it elsewhere gets that folder's cameras.
    static QMutex mutex;
    static std::map<QString, CameraDatabase> databases;
    const QMutexLocker lock(&mutex);
    const QString folder = qEnvironmentVariable("VOREL_CAMERA_DATABASE");
    auto it = databases.find(folder);
    if (it == databases.end())
        it = databases.emplace(folder, CameraDatabase()).first;
    return it->second;
}

void CameraDatabase::load(const QString &folder, const QString &cacheFolder, bool cached)
{
    auto data = std::make_shared<Data>();
    const QStringList folders =
        folder.isEmpty() ? systemFolders() : QStringList{QDir(folder).absolutePath()};
    const CameraCache cache(cacheFolder, folders);
    std::optional<QList<CameraInfo>> stored;
    if (cached && !cacheFolder.isEmpty())
        stored = cache.read();
    if (stored) {
        data->cameras = *stored;
        data->fromCache = true;
    } else {
        lfDatabase database;
        const bool loaded = folder.isEmpty()
                                ? database.Load() == LF_NO_ERROR
                                : database.LoadDirectory(QFile::encodeName(folder).constData());
        if (loaded) {
            for (const lfCamera *const *c = database.GetCameras(); c && *c; ++c)
                data->cameras << infoOf(*c);
        }
        if (cached && !cacheFolder.isEmpty() && !data->cameras.isEmpty())
            cache.write(data->cameras);
    }
    if (data->cameras.isEmpty())
        return;
    data->search = CameraSearch(data->cameras);
    m_data = data;
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
