#include "diagramwriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cerrno>
#include <cstring>
#include <utility>

namespace
{

const QColor ExportBackground(220, 220, 220);

// Vector output is laid out at the screen's 96 dots per inch, so that the
// diagram's point-sized fonts keep their size against its pixel geometry.
constexpr int VectorResolution = 96;

} // namespace

DiagramWriter::DiagramWriter(Drawing draw, const QSize &size) : draw(std::move(draw)), size(size) {}

bool DiagramWriter::isVectorSuffix(const QString &suffix)
{
    return suffix == QLatin1String("svg") || suffix == QLatin1String("pdf");
}

bool DiagramWriter::fail(const QString &reason)
{
    error = reason;
    return false;
}

QImage DiagramWriter::image() const
{
    QImage image(size * scale, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(scale);
    image.fill(ExportBackground);
    QPainter painter(&image);
    draw(painter, size);
    return image;
}

bool DiagramWriter::write(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QByteArray format = suffix.toLatin1();
    if (suffix.isEmpty())
        return fail(tr("the name has no suffix (.jpg, .png, .bmp, .svg or .pdf) to choose the "
                       "format"));
    if (!isVectorSuffix(suffix) && !QImageWriter::supportedImageFormats().contains(format))
        return fail(tr("no image format is known for the suffix \".%1\"").arg(suffix));
    if (size.width() <= 0 || size.height() <= 0)
        return fail(tr("the diagram has no area to draw on"));

    // The drawing is encoded in memory first: an encoder that meets a full
    // disk reports it in its own way, or not at all, while the file's own
    // write says exactly what went wrong.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    bool drawn;
    if (suffix == QLatin1String("svg"))
        drawn = writeSvg(encoded);
    else if (suffix == QLatin1String("pdf"))
        drawn = writePdf(encoded);
    else
        drawn = writeRaster(encoded, format);
    if (!drawn)
        return false;

    QSaveFile file(fileName);
    file.setDirectWriteFallback(directWriteFallback);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // A short write (disk full) may show only when the buffer is flushed;
    // the old file must not be replaced by a truncated one.
    errno = 0;
    if (file.write(encoded.data()) != encoded.size() || !file.flush()) {
        // The file engine reports a short write as an unknown error; the
        // system's reason ("File too large", "No space left") is clearer.
        const int systemError = errno;
        const QString reason = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                                : file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool DiagramWriter::writeRaster(QIODevice &device, const QByteArray &format)
{
    const QImage drawing = image();
    if (drawing.isNull())
        return fail(tr("an image of %1 x %2 pixels does not fit in memory")
                        .arg(size.width() * scale)
                        .arg(size.height() * scale));
    QImageWriter writer(&device, format);
    if (!writer.write(drawing))
        return fail(writer.errorString());
    return true;
}

bool DiagramWriter::writeSvg(QIODevice &device)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(VectorResolution);
    generator.setTitle(QStringLiteral("Vorel"));
    generator.setDescription(tr("Blur diagram"));
    QPainter painter;
    if (!painter.begin(&generator))
        return fail(tr("the SVG drawing could not be started"));
    painter.fillRect(QRect(QPoint(0, 0), size), ExportBackground);
    draw(painter, size);
    painter.end();
    return true;
}

bool DiagramWriter::writePdf(QIODevice &device)
{
    QPdfWriter writer(&device);
    writer.setResolution(VectorResolution);
    writer.setCreator(QStringLiteral("Vorel"));
    writer.setTitle(tr("Blur diagram"));
    // One page exactly the diagram's size, a point for each of its pixels.
    // The writer works at the screen's resolution so that the fonts keep
    // their size against the geometry, and the painter scales the diagram's
    // pixels up to points.
    writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(tr("the PDF drawing could not be started"));
    painter.scale(VectorResolution / 72.0, VectorResolution / 72.0);
    painter.fillRect(QRect(QPoint(0, 0), size), ExportBackground);
    draw(painter, size);
    if (!painter.end())
        return fail(tr("the PDF could not be completed"));
    return true;
}
