// libFuzzer target for the photo reader. Any input must be either refused
// with a one-line reason or read; what is read must hold together: sizes
// positive or unknown, every value the metadata lacks named as missing.

#include "photo/photoreader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace
{

// The reader takes a file's name: each input is written to one file of
// this process's own.
const QString &inputPath()
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("vorel-fuzz-photo-%1").arg(::getpid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile file(inputPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    // Without a database: the metadata alone decides, and each run is fast.
    static const PhotoReader reader;
    const PhotoReader::Result result = reader.read(inputPath());
    if (!result.ok()) {
        if (result.reason.isEmpty() || result.reason.contains(QLatin1Char('\n')))
            std::abort();
        return 0;
    }
    const PhotoSettings &s = result.settings;
    if (s.width < 0 || s.height < 0 || (s.width > 0) != (s.height > 0))
        std::abort();
    if (std::isnan(s.focalLength) != s.missing.contains(QStringLiteral("focal length")))
        std::abort();
    if (std::isnan(s.cropFactor) != s.missing.contains(QStringLiteral("crop factor")))
        std::abort();
    if (!std::isnan(s.cropFactor) && !(s.cropFactor > 0))
        std::abort();
    if (!std::isnan(s.focusDistance) && !(s.focusDistance > 0))
        std::abort();
    return 0;
}
