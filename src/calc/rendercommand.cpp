// vorel-calc render, its running half: a project's diagram drawn to a
// file, exactly as the window draws it after opening the project, from the
// scene the project describes; no window and no widget library.

#include "rendercommand.h"
#include "calcarguments.h"
#include "calccommands.h"
#include "diagram/diagrampainter.h"
#include "diagram/diagramscene.h"
#include "diagram/diagramwriter.h"
#include "project/projectfile.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace CalcCommands
{

namespace
{

// The diagram's size in the window at its default geometry.
const QSize DefaultSize(1174, 316);
const QSize SmallestSize(200, 120);
const QSize LargestSize(10000, 10000);

const QStringList Suffixes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                              QStringLiteral("bmp"), QStringLiteral("svg"), QStringLiteral("pdf")};

QSize readSize(CalcArguments &args)
{
    const QString text = args.value(CalcOptions::Size);
    if (text.isNull())
        return DefaultSize;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^\\s*([0-9]{1,6})\\s*[xX]\\s*([0-9]{1,6})\\s*$"))
            .match(text);
    const QSize size = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
    if (!m.hasMatch() || size.width() < SmallestSize.width() ||
        size.height() < SmallestSize.height() || size.width() > LargestSize.width() ||
        size.height() > LargestSize.height()) {
        args.fail(QStringLiteral("--size: '%1' is not a size WIDTHxHEIGHT in pixels from %2x%3 "
                                 "to %4x%5")
                      .arg(text)
                      .arg(SmallestSize.width())
                      .arg(SmallestSize.height())
                      .arg(LargestSize.width())
                      .arg(LargestSize.height()));
        return QSize();
    }
    return size;
}

int readScale(CalcArguments &args)
{
    const QString text = args.value(CalcOptions::Scale);
    if (text.isNull())
        return 1;
    bool ok = false;
    const int scale = text.trimmed().toInt(&ok);
    if (!ok || scale < CalcOptions::Scale.min || scale > CalcOptions::Scale.max) {
        args.fail(QStringLiteral("--scale: '%1' is not a whole number from 1 to %2")
                      .arg(text)
                      .arg(CalcOptions::Scale.max));
        return 0;
    }
    return scale;
}

} // namespace

Result runRender(CalcArguments &args)
{
    const QString projectName = args.positional(0);
    const QString outName = args.positional(1);
    const QSize size = readSize(args);
    const int scale = readScale(args);
    const QString suffix = QFileInfo(outName).suffix().toLower();
    if (!Suffixes.contains(suffix))
        args.fail(QStringLiteral("%1: unknown suffix '%2'; the output formats are .%3")
                      .arg(outName, suffix, Suffixes.join(QStringLiteral(", ."))));
    // A raster image this large would take gigabytes before any check of
    // the memory could fail cleanly.
    constexpr qint64 MaxRasterPixels = 400000000;
    const qint64 pixels = qint64(size.width()) * scale * size.height() * scale;
    if (!args.failed() && !DiagramWriter::isVectorSuffix(suffix) && pixels > MaxRasterPixels)
        args.fail(QStringLiteral("--size %1x%2 at --scale %3 makes an image of %4 x %5 pixels; "
                                 "a raster image holds at most %6 million")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(scale)
                      .arg(qint64(size.width()) * scale)
                      .arg(qint64(size.height()) * scale)
                      .arg(MaxRasterPixels / 1000000));
    if (args.failed())
        return refused(args);

    ProjectFile project;
    if (!readProject(args, projectName, project))
        return refused(args);

    // The scene as the window holds it after opening the project, drawn by
    // the window's own drawing.
    const DiagramScene scene = DiagramScene::fromProject(project);
    const DiagramPainter drawing;
    DiagramWriter writer(
        [&drawing, &scene](QPainter &painter, const QSize &area) {
            drawing.draw(painter, area, scene);
        },
        size);
    writer.setScale(scale);
    if (!writer.write(outName))
        return {1, QByteArray(),
                QStringLiteral("cannot write %1: %2").arg(outName, writer.errorString())};
    return done(QByteArray());
}

} // namespace CalcCommands
