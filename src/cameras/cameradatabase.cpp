#include "cameradatabase.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <lensfun.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{

struct LensfunFree {
    void operator()(const lfCamera **list) const { lf_free(list); }
};
using CameraList = std::unique_ptr<const lfCamera *, LensfunFree>;

// A multi-language string holds its default text, then pairs of language
// and translation, ended by an empty language. The English text is what
// people know a camera by; the default is often the maker's upper-case
// metadata spelling.
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

QString defaultText(lfMLstr text)
{
    return text ? QString::fromUtf8(text).simplified() : QString();
}

// What two spellings of one name share: no case, no blanks, no hyphens or
// underscores ("E-M1 Mark II" and "E-M1MarkII" are one camera).
QString key(const QString &text)
{
    QString k;
    k.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            k += c.toCaseFolded();
    }
    return k;
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
    return info;
}

// The texts a user may give to name a camera exactly.
QSet<QString> exactKeys(const lfCamera *camera)
{
    QSet<QString> keys;
    for (const QString &maker : {englishText(camera->Maker), defaultText(camera->Maker)}) {
        for (const QString &model : {englishText(camera->Model), defaultText(camera->Model)}) {
            keys.insert(key(model));
            keys.insert(key(maker + model));
        }
    }
    return keys;
}

// The cameras of a lensfun result list, each name once, at most limit.
QList<CameraInfo> distinct(const lfCamera *const *list, int limit)
{
    QList<CameraInfo> cameras;
    QSet<QString> names;
    for (; list && *list && cameras.size() < limit; ++list) {
        const CameraInfo info = infoOf(*list);
        if (!names.contains(info.name())) {
            names.insert(info.name());
            cameras << info;
        }
    }
    return cameras;
}

} // namespace

CameraDatabase::CameraDatabase()
{
    // A folder in place of the system's data, for tests and for trying a
    // newer database.
    load(qEnvironmentVariable("VOREL_CAMERA_DATABASE"));
}

CameraDatabase::CameraDatabase(const QString &folder)
{
    load(folder);
}

void CameraDatabase::load(const QString &folder)
{
    auto database = std::make_shared<lfDatabase>();
    if (folder.isEmpty()) {
        if (database->Load() != LF_NO_ERROR)
            return;
    } else if (!database->LoadDirectory(QFile::encodeName(folder).constData())) {
        return;
    }
    for (const lfCamera *const *c = database->GetCameras(); c && *c; ++c)
        m_cameras << infoOf(*c);
    if (!m_cameras.isEmpty())
        m_database = database;
}

bool CameraDatabase::isLoaded() const
{
    return m_database != nullptr;
}

const QList<CameraInfo> &CameraDatabase::cameras() const
{
    return m_cameras;
}

CameraDatabase::Search CameraDatabase::find(const QString &given) const
{
    Search search;
    if (!m_database) {
        search.outcome = Outcome::NoDatabase;
        return search;
    }
    const QString text = given.simplified();
    const QString wanted = key(text);
    if (wanted.isEmpty())
        return search;

    // Exact names first: "Olympus E-M1" is the E-M1 although the E-M1
    // Mark II and Mark III match it in part.
    QList<const lfCamera *> exact = exactMatches(text);
    if (!exact.isEmpty()) {
        exact << nullptr;
        search.candidates = distinct(exact.constData(), MaxCandidates);
        if (search.candidates.size() == 1) {
            search.outcome = Outcome::Found;
            search.camera = search.candidates.takeFirst();
        } else {
            search.outcome = Outcome::Ambiguous;
        }
        return search;
    }

    const QByteArray model = text.toUtf8();
    const CameraList strict(m_database->FindCamerasExt(nullptr, model.constData(), 0));
    const QList<CameraInfo> matches = distinct(strict.get(), MaxCandidates + 1);
    if (matches.size() == 1) {
        search.outcome = Outcome::Found;
        search.camera = matches.first();
    } else if (matches.size() > 1) {
        search.outcome = Outcome::Ambiguous;
        search.candidates = matches.mid(0, MaxCandidates);
    } else {
        // The loose search scores every camera that shares anything with
        // the text; the closest names are those near the best score.
        const CameraList loose(
            m_database->FindCamerasExt(nullptr, model.constData(), LF_SEARCH_LOOSE));
        QList<const lfCamera *> closest;
        const int best = loose && *loose ? loose.get()[0]->Score : 0;
        for (const lfCamera **c = loose.get(); c && *c; ++c) {
            if ((*c)->Score * 4 >= best * 3)
                closest << *c;
        }
        closest << nullptr;
        search.outcome = Outcome::NotFound;
        search.candidates = distinct(closest.constData(), MaxCandidates);
    }
    return search;
}

std::optional<CameraInfo> CameraDatabase::byMakeAndModel(const QString &make, const QString &model,
                                                         double aspect) const
{
    if (!m_database)
        return std::nullopt;
    const QByteArray makeText = make.simplified().toUtf8();
    const QByteArray modelText = model.simplified().toUtf8();
    const CameraList list(m_database->FindCameras(makeText.constData(), modelText.constData()));
    if (!list || !*list)
        return std::nullopt;
    // A camera with several image formats has a variant for each, named by
    // its aspect ratio ("3:2", "16:9"): the one nearest the image's.
    const lfCamera *best = *list;
    double bestGap = std::numeric_limits<double>::infinity();
    static const QRegularExpression ratio(QStringLiteral("^(\\d+):(\\d+)$"));
    for (const lfCamera *const *c = list.get(); aspect > 0 && *c; ++c) {
        const QRegularExpressionMatch m = ratio.match(englishText((*c)->Variant));
        const double w = m.hasMatch() ? m.captured(1).toDouble() : 0;
        const double h = m.hasMatch() ? m.captured(2).toDouble() : 0;
        if (!(w > 0 && h > 0))
            continue;
        const double wanted = aspect < 1 ? 1 / aspect : aspect;
        const double gap = std::abs(std::log(std::max(w, h) / std::min(w, h) / wanted));
        if (gap < bestGap) {
            bestGap = gap;
            best = *c;
        }
    }
    return infoOf(best);
}

QList<const lfCamera *> CameraDatabase::exactMatches(const QString &text) const
{
    QList<const lfCamera *> exact;
    const QString wanted = key(text);
    if (!m_database || wanted.isEmpty())
        return exact;
    for (const lfCamera *const *c = m_database->GetCameras(); c && *c; ++c) {
        if (exactKeys(*c).contains(wanted))
            exact << *c;
    }
    return exact;
}

QList<CameraInfo> CameraDatabase::matching(const QString &given) const
{
    const QString text = given.simplified();
    if (!m_database || key(text).isEmpty())
        return {};
    QList<const lfCamera *> exact = exactMatches(text);
    if (!exact.isEmpty()) {
        exact << nullptr;
        return distinct(exact.constData(), int(exact.size()));
    }
    const QByteArray model = text.toUtf8();
    const CameraList strict(m_database->FindCamerasExt(nullptr, model.constData(), 0));
    return distinct(strict.get(), std::numeric_limits<int>::max());
}

CocResolution::CameraMatch CameraDatabase::match(const QString &text) const
{
    const Search search = find(text);
    CocResolution::CameraMatch result;
    const QString given = QLatin1Char('\'') + text.simplified() + QLatin1Char('\'');
    QStringList names;
    for (const CameraInfo &c : search.candidates)
        names << c.name();
    switch (search.outcome) {
    case Outcome::Found:
        result.diagonal = search.camera.diagonal();
        result.name = QStringLiteral("%1, crop factor %2")
                          .arg(search.camera.name(), QString::number(search.camera.cropFactor));
        break;
    case Outcome::Ambiguous:
        result.problem = QStringLiteral("--camera: %1 matches several cameras (%2); give more of "
                                        "the name")
                             .arg(given, names.join(QStringLiteral(", ")));
        break;
    case Outcome::NotFound:
        result.problem = names.isEmpty()
                             ? QStringLiteral("--camera: %1 matches no camera of the database "
                                              "('vorel-calc cameras' lists them)")
                                   .arg(given)
                             : QStringLiteral("--camera: %1 matches no camera of the database; "
                                              "the closest are %2")
                                   .arg(given, names.join(QStringLiteral(", ")));
        break;
    case Outcome::NoDatabase:
        result.problem = QStringLiteral("--camera: ") + noDatabaseReason();
        result.unavailable = true;
        break;
    }
    return result;
}

CocResolution::CameraFinder CameraDatabase::finder() const
{
    return [this](const QString &text) { return match(text); };
}

QString CameraDatabase::noDatabaseReason()
{
    return QStringLiteral("there is no camera database: lensfun's data (package "
                          "liblensfun-data-v1) is not installed");
}
