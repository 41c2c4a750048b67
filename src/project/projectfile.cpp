#include "projectfile.h"

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QIODevice>

#include <algorithm>

#include <cmath>

namespace
{

// The order of the fields is the file's; QDataStream's defaults give the
// encodings: big-endian, doubles as 8 bytes, bools as one byte.
template <typename Stream, typename File> void streamFields(Stream &stream, File &p)
{
    stream << p.version << p.leftBorder << p.distanceCam << p.distanceFP << p.xscale << p.yscale;
    for (auto &cam : p.cameras) {
        stream << cam.enabled << cam.fdist << cam.apature << cam.flength << cam.coc << cam.calcDef
               << cam.crop << cam.quality << cam.reserved << cam.distD << cam.formD << cam.widthD;
    }
}

// QDataStream reads with >>; this lets streamFields() serve both ways.
struct Reader {
    QDataStream &in;
    template <typename T> Reader &operator<<(T &value)
    {
        in >> value;
        return *this;
    }
};

QString checkFinite(double value, const QString &what)
{
    if (std::isfinite(value))
        return QString();
    return ProjectFile::tr("%1 is not a finite number (%2)").arg(what, QString::number(value));
}

QString checkIndex(qint32 value, qint32 count, const QString &what)
{
    if (value >= 0 && value < count)
        return QString();
    return ProjectFile::tr("%1 is %2, outside the choices 0 to %3")
        .arg(what, QString::number(value), QString::number(count - 1));
}

QString check(const ProjectFile &p)
{
    QStringList problems;
    problems << checkFinite(p.version, ProjectFile::tr("The version"))
             << checkFinite(p.leftBorder, ProjectFile::tr("The left border"));
    for (int i = 0; i < 2; ++i) {
        const ProjectFile::Camera &cam = p.cameras[i];
        const QString n = QString::number(i + 1);
        problems << checkFinite(cam.fdist, ProjectFile::tr("Camera %1's focus distance").arg(n))
                 << checkFinite(cam.apature, ProjectFile::tr("Camera %1's f-number").arg(n))
                 << checkFinite(cam.flength, ProjectFile::tr("Camera %1's focal length").arg(n))
                 << checkFinite(cam.coc, ProjectFile::tr("Camera %1's circle of confusion").arg(n))
                 << checkIndex(cam.crop, ProjectFile::sensorFormats,
                               ProjectFile::tr("Camera %1's sensor format").arg(n))
                 << checkIndex(cam.quality, ProjectFile::pixelCounts,
                               ProjectFile::tr("Camera %1's pixel count").arg(n))
                 << checkFinite(cam.distD, ProjectFile::tr("Camera %1's view distance").arg(n))
                 << checkIndex(cam.formD, ProjectFile::formFactors,
                               ProjectFile::tr("Camera %1's form factor").arg(n))
                 << checkFinite(cam.widthD, ProjectFile::tr("Camera %1's image width").arg(n));
    }
    problems.removeAll(QString());
    return problems.value(0);
}

} // namespace

bool ProjectFile::read(QIODevice &device)
{
    const QByteArray bytes = device.read(recordSize);
    if (bytes.size() < recordSize) {
        error = tr("The file holds %1 bytes; a project file has %2")
                    .arg(QString::number(bytes.size()), QString::number(recordSize));
        return false;
    }

    QDataStream in(bytes);
    ProjectFile p;
    Reader reader{in};
    streamFields(reader, p);
    if (in.status() != QDataStream::Ok) {
        error = tr("The record cannot be read");
        return false;
    }
    const QString problem = check(p);
    if (!problem.isEmpty()) {
        error = problem;
        return false;
    }
    *this = p;
    return true;
}

bool ProjectFile::write(QIODevice &device) const
{
    ProjectFile p = *this;
    p.version = formatVersion;
    for (auto &cam : p.cameras)
        cam.reserved = 0;
    QDataStream out(&device);
    streamFields(out, p);
    return out.status() == QDataStream::Ok;
}

bool ProjectFile::load(const QString &name, QString *whyNot)
{
    QFile file(name);
    QString problem;
    if (!file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    else if (!read(file))
        problem = errorString();
    if (problem.isEmpty())
        return true;
    if (whyNot)
        *whyNot = problem;
    return false;
}

namespace
{

// What a spin box makes of a value: rounded to its decimals, then held
// within its range.
double spinBoxValue(double value, double minimum, double maximum, int decimals)
{
    const double rounded = QString::number(value, 'f', decimals).toDouble();
    return std::clamp(rounded, minimum, maximum);
}

} // namespace

double ProjectFile::Range::held(double value) const
{
    return spinBoxValue(value, minimum, maximum, decimals);
}

ProjectFile ProjectFile::windowStart()
{
    ProjectFile p;
    p.leftBorder = 1;
    p.distanceCam = true;
    p.distanceFP = false;
    p.xscale = 35;
    p.yscale = 2;
    const double apertures[2] = {1.2, 2};
    const double focalLengths[2] = {85, 135};
    for (int i = 0; i < 2; ++i) {
        Camera &cam = p.cameras[i];
        cam.enabled = true;
        cam.fdist = 4;
        cam.apature = apertures[i];
        cam.flength = focalLengths[i];
        // The window sets each CoC from its initial format (full frame) and
        // pixel count (21 million) as it starts.
        cam.coc = CocRange.held(
            CocPresets::cocFromPixelSize(CocPresets::sensorDiagonal(3), CocPresets::pixelCount(6)));
        cam.calcDef = false;
        cam.crop = 3;
        cam.quality = 6;
        cam.distD = 0;
        cam.formD = 0;
        cam.widthD = 0;
    }
    return p;
}

ProjectFile ProjectFile::asWindowHolds() const
{
    ProjectFile p = *this;
    p.leftBorder = spinBoxValue(leftBorder, 0, 99999, 2);
    // Unchecking the checked button of an exclusive pair changes nothing, so
    // the focus-plane mode wins whenever the file asks for it.
    p.distanceFP = distanceFP;
    p.distanceCam = !distanceFP;
    p.xscale = std::clamp<qint32>(xscale, 1, 50);
    p.yscale = std::clamp<qint32>(yscale, 1, 100);
    for (Camera &cam : p.cameras) {
        cam.fdist = FocusRange.held(cam.fdist);
        cam.apature = ApertureRange.held(cam.apature);
        cam.flength = FocalRange.held(cam.flength);
        cam.coc = CocRange.held(cam.coc);
        cam.distD = spinBoxValue(cam.distD, 0, 99999, 2);
        cam.widthD = spinBoxValue(cam.widthD, 0, 99999, 2);
    }
    return p;
}
