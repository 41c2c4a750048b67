#ifndef DIAGRAMWRITER_H
#define DIAGRAMWRITER_H

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QPainter;

// Writes the diagram to a file in the format its suffix names: a raster
// image on the export's light grey ground through the toolkit's image
// writers, or SVG and PDF, where lines stay lines and texts stay texts. The
// file is replaced only when it has been written completely.
class DiagramWriter
{
    Q_DECLARE_TR_FUNCTIONS(DiagramWriter)

public:
    // Paints the whole drawing for the given size in logical pixels on
    // whatever device the writer opened the painter on.
    using Drawing = std::function<void(QPainter &painter, const QSize &size)>;

    // size is the diagram's size in logical pixels; draw is called once per
    // write, on a painter whose ground is already filled.
    DiagramWriter(Drawing draw, const QSize &size);

    // A raster image scale times larger in each direction, drawn as on a
    // screen of that device pixel ratio; vector output ignores it.
    void setScale(int scale) { this->scale = scale; }
    // Where no temporary file can be made beside the target, overwrite the
    // target in place instead of failing.
    void setDirectWriteFallback(bool enabled) { directWriteFallback = enabled; }

    bool write(const QString &fileName);
    QString errorString() const { return error; }

    // The vector suffixes; raster suffixes are the image writers' own.
    static bool isVectorSuffix(const QString &suffix);

private:
    // The drawing as a raster image, as write() stores it.
    QImage image() const;
    bool fail(const QString &reason);
    bool writeRaster(QIODevice &device, const QByteArray &format);
    bool writeSvg(QIODevice &device);
    bool writePdf(QIODevice &device);

    Drawing draw;
    QSize size;
    int scale = 1;
    bool directWriteFallback = false;
    QString error;
};

#endif // DIAGRAMWRITER_H
