// libFuzzer target for the project-file reader. Any input must be either
// refused with a reason or accepted; an accepted record must survive a
// write and a second read unchanged.

#include "project/projectfile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{

bool sameFields(const ProjectFile &a, const ProjectFile &b)
{
    if (a.leftBorder != b.leftBorder || a.distanceCam != b.distanceCam ||
        a.distanceFP != b.distanceFP || a.xscale != b.xscale || a.yscale != b.yscale)
        return false;
    for (int i = 0; i < 2; ++i) {
        const ProjectFile::Camera &x = a.cameras[i];
        const ProjectFile::Camera &y = b.cameras[i];
        if (x.enabled != y.enabled || x.fdist != y.fdist || x.apature != y.apature ||
            x.flength != y.flength || x.coc != y.coc || x.calcDef != y.calcDef ||
            x.crop != y.crop || x.quality != y.quality || x.distD != y.distD ||
            x.formD != y.formD || x.widthD != y.widthD)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    ProjectFile p;
    if (!p.read(buffer)) {
        if (p.errorString().isEmpty())
            std::abort();
        return 0;
    }
    if (size < ProjectFile::recordSize || buffer.pos() != ProjectFile::recordSize)
        std::abort();

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!p.write(out) || written.size() != ProjectFile::recordSize)
        std::abort();
    out.close();
    out.open(QIODevice::ReadOnly);
    ProjectFile again;
    if (!again.read(out) || !sameFields(p, again) || again.version != 1.0)
        std::abort();
    return 0;
}
