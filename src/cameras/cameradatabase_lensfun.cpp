// The half of the camera database that reads lensfun's XML files; the
// rest, down to the cache, needs nothing but Qt Core, so that a program
// can look cameras up in the cache without linking lensfun.

#include "cameradatabase.h"

#include "cameracache.h"

#include <QFile>
#include <QMutex>

#include <lensfun.h>

#include <cstring>
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

// The cameras of lensfun's database in one folder, or where lensfun
// itself looks (an empty folder); none where it cannot be read.
QList<CameraInfo> lensfunCameras(const QString &folder)
{
    QList<CameraInfo> cameras;
    lfDatabase database;
    const bool loaded = folder.isEmpty()
                            ? database.Load() == LF_NO_ERROR
                            : database.LoadDirectory(QFile::encodeName(folder).constData());
    if (loaded) {
        for (const lfCamera *const *c = database.GetCameras(); c && *c; ++c)
            cameras << infoOf(*c);
    }
    return cameras;
}

} // namespace

CameraDatabase::CameraDatabase()
    : CameraDatabase(systemFolder(), CameraCache::defaultFolder(), lensfunCameras)
{
}

CameraDatabase::CameraDatabase(const QString &folder)
    : CameraDatabase(folder, QString(), lensfunCameras)
{
}

CameraDatabase::CameraDatabase(const QString &folder, const QString &cacheFolder)
    : CameraDatabase(folder, cacheFolder, lensfunCameras)
{
}

const CameraDatabase &CameraDatabase::shared()
{
    // One database per folder that VOREL_CAMERA_DATABASE names, so that a
    // test that points it elsewhere gets that folder's cameras. They live
    // as long as the program: taking them apart at its end would only
    // cost time.
    static QMutex mutex;
    static auto *databases = new std::map<QString, CameraDatabase>;
    const QMutexLocker lock(&mutex);
    const QString folder = systemFolder();
    auto it = databases->find(folder);
    if (it == databases->end())
        it = databases->emplace(folder, CameraDatabase()).first;
    return it->second;
}
