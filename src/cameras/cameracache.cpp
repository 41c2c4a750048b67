#include "cameracache.h"

#include "packedtext.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>

namespace
{

// The file's first bytes, and the layout of what follows; a new layout
// takes a new number, so that an older program's file is read afresh.
constexpr quint32 Magic = 0x5643414d; // "VCAM"
constexpr quint32 Layout = 2;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;
// lensfun has fewer than a thousand cameras: a file far larger than the
// database could give is not read.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
constexpr quint32 MaxCameras = 200000;
constexpr int CheckSize = 8;

QByteArray hashOf(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

// The check that a file is whole, the 64-bit FNV-1a hash of its body: a
// damaged or cut file is told from a whole one at little cost (every
// program start that needs the cameras reads it).
QByteArray checkOf(const QByteArray &data)
{
    quint64 sum = 0xcbf29ce484222325ull;
    for (const char c : data) {
        sum ^= uchar(c);
        sum *= 0x100000001b3ull;
    }
    QByteArray out(CheckSize, '\0');
    for (int i = 0; i < CheckSize; ++i)
        out[i] = char(sum >> (8 * i) & 0xff);
    return out;
}

} // namespace

CameraCache::CameraCache(const QString &cacheFolder, const QStringList &databaseFolders)
    : m_folders(databaseFolders)
{
    // One file per set of folders: the system's database and a test's own
    // folder never share a cache.
    const QByteArray id = hashOf(databaseFolders.join(QLatin1Char('\n')).toUtf8()).toHex().left(16);
    m_file =
        QDir(cacheFolder).filePath(QStringLiteral("cameras-%1.cache").arg(QString::fromLatin1(id)));
}

QString CameraCache::defaultFolder()
{
    const QString chosen = qEnvironmentVariable("VOREL_CACHE_DIR");
    if (!chosen.isEmpty())
        return chosen;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : QDir(cache).filePath(QStringLiteral("vorel"));
}

QString CameraCache::fileName() const
{
    return m_file;
}

// Name, size and time of every file lensfun reads from the folders (and
// of a folder's absence), in a fixed order.
QByteArray CameraCache::signature() const
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    for (const QString &folder : m_folders) {
        const QDir dir(folder);
        stream << folder << dir.exists();
        const QFileInfoList files =
            dir.entryInfoList({QStringLiteral("*.xml"), QStringLiteral("timestamp.txt")},
                              QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo &f : files)
            stream << f.fileName() << f.size() << f.lastModified().toMSecsSinceEpoch();
    }
    return out;
}

std::optional<CameraCache::Contents> CameraCache::read() const
{
    QFile file(m_file);
    if (m_file.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize ||
        file.size() < CheckSize)
        return std::nullopt;
    const QByteArray all = file.readAll();
    if (all.size() != file.size())
        return std::nullopt;
    const QByteArray body = all.left(all.size() - CheckSize);
    if (checkOf(body) != all.right(CheckSize))
        return std::nullopt;

    QDataStream stream(body);
    stream.setVersion(StreamVersion);
    quint32 magic = 0;
    quint32 layout = 0;
    QByteArray storedSignature;
    quint32 count = 0;
    stream >> magic >> layout;
    if (stream.status() != QDataStream::Ok || magic != Magic || layout != Layout)
        return std::nullopt;
    stream >> storedSignature >> count;
    if (stream.status() != QDataStream::Ok || storedSignature != signature() || count == 0 ||
        count > MaxCameras)
        return std::nullopt;
    PackedText packed;
    stream >> packed;
    QList<CameraInfo> cameras;
    cameras.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        CameraInfo c;
        c.maker = packed.string();
        c.model = packed.string();
        c.variant = packed.string();
        c.mount = packed.string();
        c.cropFactor = packed.toDouble();
        c.makerNames = packed.strings();
        c.modelNames = packed.strings();
        if (packed.failed() || !std::isfinite(c.cropFactor) || c.cropFactor < 0 ||
            c.makerNames.isEmpty() || c.modelNames.isEmpty())
            return std::nullopt;
        cameras << c;
    }
    if (stream.status() != QDataStream::Ok || !packed.atEnd())
        return std::nullopt;
    QByteArray search;
    stream >> search;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
    return Contents{cameras, search};
}

bool CameraCache::write(const Contents &contents) const
{
    const QList<CameraInfo> &cameras = contents.cameras;
    if (m_file.isEmpty() || cameras.isEmpty() || !QDir().mkpath(QFileInfo(m_file).path()))
        return false;
    QByteArray body;
    QDataStream stream(&body, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << Magic << Layout << signature() << quint32(cameras.size());
    PackedText packed;
    for (const CameraInfo &c : cameras) {
        packed.putString(c.maker);
        packed.putString(c.model);
        packed.putString(c.variant);
        packed.putString(c.mount);
        packed.putDouble(c.cropFactor);
        packed.putStrings(c.makerNames);
        packed.putStrings(c.modelNames);
    }
    stream << packed << contents.search;
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(body);
    file.write(checkOf(body));
    return file.commit();
}
