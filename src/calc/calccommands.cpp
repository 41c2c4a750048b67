#include "calccommands.h"

#include "calcarguments.h"
#include "calcformat.h"
#include "cameras/cameradatabase.h"
#include "jsonwriter.h"
#include "optics/lensmodel.h"
#include "planning/doffigures.h"
#include "planning/exactdof.h"
#include "planning/focusplanner.h"
#include "planning/framing.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"
#include "texttable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace CalcCommands
{

Result runOptimum(CalcArguments &args);
void declareOptimum(CalcArguments &args);
Result runStack(CalcArguments &args);
void declareStack(CalcArguments &args);
void declareRender(CalcArguments &args);
void declareCameras(CalcArguments &args);
void declarePhoto(CalcArguments &args);

namespace
{

using namespace CalcFormat;

// The near limit lies between the lens and the focus for any sensible
// camera; values so extreme that it overflows give no figures to print.
void failTooExtreme(CalcArguments &args, double focal, double aperture, double coc,
                    const OptionSpec &apertureOption)
{
    args.fail(QStringLiteral("--focal %1 mm, --%2 %3 and the CoC %4 mm are too extreme to "
                             "compute with")
                  .arg(QString::number(focal, 'g', 6), QLatin1String(apertureOption.name),
                       QString::number(aperture, 'g', 6), QString::number(coc, 'g', 6)));
}

bool computable(CalcArguments &args, const DofFigures &f, const OptionSpec &apertureOption)
{
    if (std::isfinite(f.nearLimit))
        return true;
    failTooExtreme(args, f.flength, f.apature, f.coc, apertureOption);
    return false;
}

// ---- presets -------------------------------------------------------------

void declarePresets(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "Lists the sensor formats of the window with their diagonal, crop factor and the\n"
        "CoC of each preset rule: the crop-factor rule (the pixel-size rule for the\n"
        "window's \"Standard\" image of 4.17 million pixels) and the pixel-size rule for\n"
        "each of the window's pixel counts. The view-distance rule assumes full frame\n"
        "and does not depend on the format."));
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
}

Result runPresets(CalcArguments &args)
{
    QString output;
    const QString format = args.format();
    if (args.failed())
        return refused(args);

    QStringList header = {QStringLiteral("#"), QStringLiteral("Format"),
                          QStringLiteral("Diagonal mm"), QStringLiteral("Crop"),
                          QStringLiteral("CoC crop mm")};
    for (int q = 1; q < CocPresets::QualityCount; ++q)
        header << QStringLiteral("%1 MP").arg(CocPresets::pixelCount(q) / 1e6);
    TextTable table(header);
    table.setLeftAligned(2);
    QJsonArray formats;
    for (int i = 0; i < CocPresets::FormatCount; ++i) {
        const double diagonal = CocPresets::sensorDiagonal(i);
        const QString name = QString::fromLatin1(CocPresets::formatName(i)).trimmed();
        const double crop = CocPresets::FullFrameDiagonal / diagonal;
        const double cropCoc = CocPresets::cocFromCropFactor(diagonal);
        QStringList row = {QString::number(i), name, QString::number(diagonal, 'f', 2),
                           QString::number(crop, 'f', 3), QString::number(cropCoc, 'f', 4)};
        QJsonArray pixelSize;
        for (int q = 0; q < CocPresets::QualityCount; ++q) {
            const double pixels = CocPresets::pixelCount(q);
            const double coc = CocPresets::cocFromPixelSize(diagonal, pixels);
            if (q > 0)
                row << QString::number(coc, 'f', 4);
            pixelSize.append(QJsonObject{{QStringLiteral("megapixels"), pixels / 1e6},
                                         {QStringLiteral("coc_mm"), coc}});
        }
        table.addRow(row);
        formats.append(QJsonObject{{QStringLiteral("index"), i},
                                   {QStringLiteral("name"), name},
                                   {QStringLiteral("diagonal_mm"), diagonal},
                                   {QStringLiteral("crop_factor"), crop},
                                   {QStringLiteral("coc_crop_factor_mm"), cropCoc},
                                   {QStringLiteral("coc_pixel_size_mm"), pixelSize}});
    }
    if (format == QLatin1String("json")) {
        return done(json(QJsonObject{{QStringLiteral("formats"), formats}}));
    }
    output = QStringLiteral("Sensor formats; CoC in mm by crop factor and by pixel count "
                            "(millions of pixels):\n\n") +
             table.text();
    return done(output);
}

// ---- framing ------------------------------------------------------------

// The frame and background of the framing figures, as the options give
// them; an unknown frame is invalid, an absent background NaN.
struct Framed {
    Framing::Frame frame{std::nan(""), std::nan("")};
    // The sensor format or camera the frame is of; empty for a frame the
    // user gave.
    QString frameSource;
    double background = std::nan("");
};

Framed readFraming(CalcArguments &args, const CalcArguments::Coc &coc, double focal)
{
    Framed f;
    // A frame larger than a metre is a typing error rather than a camera.
    constexpr double LargestSide = 1000;
    if (args.flag(CalcOptions::Frame)) {
        const QString text = args.value(CalcOptions::Frame).trimmed();
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral(R"(^([^xX]+)[xX]([^xX]+)$)")).match(text);
        bool okWidth = false;
        bool okHeight = false;
        const double width =
            match.hasMatch() ? match.captured(1).trimmed().toLatin1().toDouble(&okWidth) : 0;
        const double height =
            match.hasMatch() ? match.captured(2).trimmed().toLatin1().toDouble(&okHeight) : 0;
        if (!okWidth || !okHeight || !std::isfinite(width) || !std::isfinite(height))
            args.fail(QStringLiteral("--frame: '%1' is not a frame; give its width and height in "
                                     "mm, as in 36x24")
                          .arg(text));
        else if (!(width > 0 && height > 0 && width <= LargestSide && height <= LargestSide))
            args.fail(QStringLiteral("--frame: '%1' must have both sides greater than 0 and at "
                                     "most %2 mm")
                          .arg(text)
                          .arg(LargestSide));
        else {
            f.frame = {width, height};
        }
    } else if (std::isfinite(coc.diagonal)) {
        f.frame = Framing::frameOf(coc.diagonal, coc.aspect);
        f.frameSource = coc.source;
    }
    if (args.flag(CalcOptions::Background))
        f.background = args.distance(CalcOptions::Background, focal, true);
    return f;
}

QJsonObject framingJson(const Framed &fr, double focal, double aperture, double focus, double pupil)
{
    QJsonObject o;
    if (fr.frame.valid()) {
        const Framing::Figures f = Framing::compute(focal, focus, fr.frame);
        o.insert(QStringLiteral("frame_mm"),
                 QJsonObject{{QStringLiteral("width"), numberJson(fr.frame.width)},
                             {QStringLiteral("height"), numberJson(fr.frame.height)}});
        o.insert(QStringLiteral("field_of_view_deg"),
                 QJsonObject{{QStringLiteral("horizontal"), numberJson(f.horizontalDeg)},
                             {QStringLiteral("vertical"), numberJson(f.verticalDeg)},
                             {QStringLiteral("diagonal"), numberJson(f.diagonalDeg)}});
        o.insert(QStringLiteral("field_m"),
                 QJsonObject{{QStringLiteral("width"), metresJson(f.fieldWidth)},
                             {QStringLiteral("height"), metresJson(f.fieldHeight)}});
    }
    if (!std::isnan(fr.background)) {
        const double blur = Framing::backgroundBlur(focal, aperture, focus, fr.background, pupil);
        o.insert(QStringLiteral("background_m"), metresJson(fr.background));
        o.insert(QStringLiteral("background_blur_mm"), numberJson(blur));
        if (fr.frame.valid())
            o.insert(QStringLiteral("background_blur_percent"),
                     numberJson(100 * blur / fr.frame.width));
    }
    return o;
}

QJsonObject withFraming(QJsonObject figures, const Framed &fr, double focal, double aperture,
                        double focus, double pupil)
{
    const QJsonObject framing = framingJson(fr, focal, aperture, focus, pupil);
    for (auto it = framing.begin(); it != framing.end(); ++it)
        figures.insert(it.key(), it.value());
    return figures;
}

QList<QPair<QString, QString>> framingLines(const Framed &fr, double focal, double aperture,
                                            double focus, double pupil)
{
    const auto g4 = [](double x) { return QString::number(x, 'g', 4); };
    QList<QPair<QString, QString>> lines;
    if (fr.frame.valid()) {
        const Framing::Figures f = Framing::compute(focal, focus, fr.frame);
        const QString frame =
            withSource(QStringLiteral("%1 x %2 mm").arg(g4(fr.frame.width), g4(fr.frame.height)),
                       fr.frameSource);
        lines.append({QStringLiteral("Frame"), frame});
        lines.append({QStringLiteral("Field of view"),
                      QString::fromUtf8("%1° horizontal, %2° vertical, %3° diagonal")
                          .arg(QString::number(f.horizontalDeg, 'f', 2),
                               QString::number(f.verticalDeg, 'f', 2),
                               QString::number(f.diagonalDeg, 'f', 2))});
        lines.append(
            {QStringLiteral("Field at the subject"),
             QStringLiteral("%1 x %2 m").arg(g4(f.fieldWidth / 1000), g4(f.fieldHeight / 1000))});
    }
    if (!std::isnan(fr.background)) {
        const double blur = Framing::backgroundBlur(focal, aperture, focus, fr.background, pupil);
        QString text = QStringLiteral("%1 mm at %2").arg(g4(blur), metresText(fr.background));
        if (fr.frame.valid())
            text +=
                QStringLiteral(", %1 % of the frame's width").arg(g4(100 * blur / fr.frame.width));
        lines.append({QStringLiteral("Background blur"), text});
    }
    return lines;
}

// An object of two numbers, its keys given in QJsonObject's order.
template <size_t A, size_t B>
void writePair(JsonWriter &json, const char (&first)[A], double a, const char (&second)[B],
               double b)
{
    json.beginObject();
    json.key(first);
    json.number(a);
    json.key(second);
    json.number(b);
    json.endObject();
}

void addFramingOptions(CalcArguments &args)
{
    args.add(CalcOptions::Frame);
    args.add(CalcOptions::Background);
}

// ---- dof ----------------------------------------------------------------

QString g6(double value)
{
    return QString::number(value, 'g', 6);
}

// --focus, or the focus of --magnification; one of them, not both.
double readFocus(CalcArguments &args, double focal)
{
    const bool byFocus = args.flag(CalcOptions::Focus);
    const bool byMagnification = args.flag(CalcOptions::Magnification);
    if (byFocus && byMagnification) {
        args.fail(QStringLiteral("--focus and --magnification both set the focus; give one of "
                                 "them"));
        return std::nan("");
    }
    if (!byMagnification) {
        if (!byFocus) {
            args.fail(QStringLiteral("missing --focus (a distance in metres) or --magnification "
                                     "(1 for 1:1)"));
            return std::nan("");
        }
        return args.distance(CalcOptions::Focus, focal, false);
    }
    const double m = args.positive(CalcOptions::Magnification);
    const double focus = ExactDof::focusAtMagnification(focal, m);
    if (!args.failed() && !(focus > focal && std::isfinite(focus)))
        args.fail(QStringLiteral("--magnification %1 puts the focus too close to the focal "
                                 "length (%2 mm) to compute with")
                      .arg(g6(m), g6(focal)));
    return focus;
}

// The pupil magnification; the window knows none, so --as-window refuses it.
double readPupil(CalcArguments &args, bool asWindow)
{
    if (asWindow && args.flag(CalcOptions::PupilMagnification)) {
        args.fail(QStringLiteral("--pupil-magnification: --as-window computes with the marked "
                                 "f-number, as the window does; give one of them"));
        return std::nan("");
    }
    return args.numberOr(CalcOptions::PupilMagnification, 1.0);
}

void declareDof(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "The figures of one camera: near and far limit, depth of field, blur at infinity\n"
        "in units of the CoC, the reproduction scale 1:n, the hyperfocal distance\n"
        "F^2/(N c) and the focus for infinity, the nearest focus whose far limit is\n"
        "infinite. The limits are exact; with --diffraction the diffraction disc is\n"
        "that of the working f-number N (1 + m/P) at the magnification m of the focus.\n"
        "--as-window gives the window's figures instead: the marked f-number, with\n"
        "--diffraction its searches, and 10 km for infinity.\n"
        "Where the frame is known (--sensor, --camera or --frame), also the field of\n"
        "view 2 atan(w / 2v) at the focus and the field w / m at the subject; with\n"
        "--background the blur disc (F/N) m |D - s| / D of a point at D on the sensor\n"
        "(D measured from the entrance pupil, F (1 - 1/P) in front of the lens)."));
    args.add(CalcOptions::Focal);
    args.add(CalcOptions::Aperture);
    args.add(CalcOptions::DofFocus);
    args.add(CalcOptions::Magnification);
    args.addCocOptions();
    args.add(CalcOptions::DiffractionAsWindow);
    args.add(CalcOptions::PupilMagnification);
    args.add(CalcOptions::AsWindow);
    addFramingOptions(args);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
}

Result runDof(CalcArguments &args)
{
    const double focal = args.positive(CalcOptions::Focal);
    const double aperture = args.positive(CalcOptions::Aperture);
    const double focus = readFocus(args, focal);
    const CalcArguments::Coc coc = args.coc();
    const bool diffraction = args.flag(CalcOptions::Diffraction);
    const bool asWindow = args.flag(CalcOptions::AsWindow);
    const double pupil = readPupil(args, asWindow);
    const Framed framed = readFraming(args, coc, focal);
    const QString format = args.format();
    if (args.failed())
        return refused(args);

    if (asWindow) {
        const DofFigures f = DofFigures::compute(focal, aperture, focus, coc.mm, diffraction);
        if (!computable(args, f, CalcOptions::Aperture))
            return refused(args);
        if (format == QLatin1String("json"))
            return done(json(
                withCamera(withFraming(dofJson(f), framed, focal, aperture, focus, 1.0), coc)));
        const auto lines = framingLines(framed, focal, aperture, focus, 1.0);
        return done(dofText(f, coc.note()) +
                    (lines.isEmpty() ? QString() : QStringLiteral("\n") + keyValues(lines)));
    }
    const ExactDof::Figures e =
        ExactDof::compute(focal, aperture, focus, coc.mm, diffraction, pupil);
    if (!dofComputable(e, focus)) {
        failTooExtreme(args, focal, aperture, coc.mm, CalcOptions::Aperture);
        return refused(args);
    }
    if (format == QLatin1String("json"))
        return done(json(
            withCamera(withFraming(dofFiguresJson(e, focal, aperture, focus, coc.mm, diffraction),
                                   framed, focal, aperture, focus, pupil),
                       coc)));
    return done(dofFiguresText(e, focal, aperture, focus, coc, diffraction,
                               framingLines(framed, focal, aperture, focus, pupil)));
}

// ---- table ----------------------------------------------------------------

// The limits of one table cell in closed form, NaN where nothing is sharp.
DofFigures exactLimits(double focal, double aperture, double focus, double coc, bool diffraction,
                       double pupil)
{
    const ExactDof::Figures e = ExactDof::limits(focal, aperture, focus, coc, diffraction, pupil);
    DofFigures f;
    f.flength = focal;
    f.apature = aperture;
    f.fdist = focus;
    f.coc = coc;
    f.diffraction = diffraction;
    f.hyperfocal = f.blurAtInfinity = f.scale = std::nan("");
    // Invalid figures are kept apart from figures that are merely not sharp:
    // an infinite near limit is refused as too extreme.
    f.nearLimit = dofComputable(e, focus) ? e.nearLimit : std::numeric_limits<double>::infinity();
    f.farLimit = e.farLimit;
    return f;
}

bool sharp(const DofFigures &f)
{
    return !std::isnan(f.nearLimit);
}

const QList<double> FullStops = {1.4, 2, 2.8, 4, 5.6, 8, 11, 16, 22};
const QList<double> TableDistances = {0.5, 0.7, 1, 1.5, 2, 3, 5, 7, 10, 15, 20, 30, 50, 100};

void declareTable(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "A printable depth-of-field table: one row per focus distance, one column per\n"
        "f-number, each cell the near and far limit in metres as 'dof' computes them.\n"
        "Defaults: the full stops f/1.4 to f/22 and the focus distances\n"
        "0.5, 0.7, 1, 1.5, 2, 3, 5, 7, 10, 15, 20, 30, 50, 100 m, those beyond the\n"
        "focal length. The limits are dof's: exact, or with --as-window the window's.\n"
        "A cell where diffraction alone fills the CoC is not sharp. With --format json\n"
        "each cell also has dof's framing figures where the frame is known, and its\n"
        "background blur with --background."));
    args.add(CalcOptions::Focal);
    args.addCocOptions();
    args.add(CalcOptions::Apertures);
    args.add(CalcOptions::Distances);
    args.add(CalcOptions::DiffractionAsWindow);
    args.add(CalcOptions::PupilMagnification);
    args.add(CalcOptions::AsWindow);
    addFramingOptions(args);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv"),
                          QStringLiteral("markdown"), QStringLiteral("html")});
}

Result runTable(CalcArguments &args)
{
    QString output;
    const double focal = args.positive(CalcOptions::Focal);
    const CalcArguments::Coc coc = args.coc();
    const QList<double> apertures = args.positiveList(CalcOptions::Apertures, FullStops);
    const QList<double> distances =
        args.distanceList(CalcOptions::Distances, focal, TableDistances);
    const bool diffraction = args.flag(CalcOptions::Diffraction);
    const bool asWindow = args.flag(CalcOptions::AsWindow);
    const double pupil = readPupil(args, asWindow);
    const Framed framed = readFraming(args, coc, focal);
    const double cellPupil = asWindow ? 1.0 : pupil;
    const QString format = args.format();
    // Every cell is held in memory a few times over before it is written.
    constexpr qsizetype MaxCells = 100000;
    if (!args.failed() && apertures.size() * distances.size() > MaxCells)
        args.fail(QStringLiteral("--apertures and --distances make %1 cells; a table holds at "
                                 "most %2")
                      .arg(apertures.size() * distances.size())
                      .arg(MaxCells));
    if (args.failed())
        return refused(args);
    // The printed tables have no room for the framing figures: say so
    // rather than drop them unasked.
    const bool framingAsked = args.flag(CalcOptions::Frame) || args.flag(CalcOptions::Background);
    const auto withFramingNote = [framingAsked](Result result) {
        if (framingAsked)
            result.message = QStringLiteral("--frame and --background add their figures to "
                                            "--format json only");
        return result;
    };

    // A cell without a sharp zone has NaN limits.
    QList<QList<DofFigures>> cells;
    bool allSharp = true;
    cells.reserve(distances.size());
    for (double distance : distances) {
        QList<DofFigures> row;
        row.reserve(apertures.size());
        for (double aperture : apertures) {
            row << (asWindow ? DofFigures::limits(focal, aperture, distance, coc.mm, diffraction)
                             : exactLimits(focal, aperture, distance, coc.mm, diffraction, pupil));
            const DofFigures &f = row.last();
            if (!sharp(f))
                allSharp = false;
            else if (!computable(args, f, CalcOptions::Apertures))
                return refused(args);
        }
        cells << row;
    }

    if (format == QLatin1String("json")) {
        // Written as it goes: as a QJsonDocument, the cells would take most
        // of the command's time. The keys stand in the order QJsonObject
        // would write them. A cell takes up to about 150 bytes; room that
        // is reserved but not written costs nothing.
        const bool framing = framed.frame.valid() || !std::isnan(framed.background);
        JsonWriter json(160 + 24 * (apertures.size() + distances.size()) +
                        (framing ? 640 : 160) * apertures.size() * distances.size());
        json.beginObject();
        json.key("apertures");
        json.beginArray();
        for (double a : apertures)
            json.number(a);
        json.endArray();
        if (!coc.camera.isEmpty()) {
            json.key("camera");
            json.string(coc.camera);
        }
        json.key("cells");
        json.beginArray();
        for (const QList<DofFigures> &row : cells) {
            json.beginArray();
            for (const DofFigures &f : row) {
                json.beginObject();
                // The keys in the order QJsonObject would write them,
                // dof's framing figures among the cell's own.
                const Framing::Figures fig = Framing::compute(focal, f.fdist, framed.frame);
                const bool framedCell = fig.valid;
                const bool withBackground = !std::isnan(framed.background);
                if (withBackground) {
                    const double blur = Framing::backgroundBlur(focal, f.apature, f.fdist,
                                                                framed.background, cellPupil);
                    json.key("background_blur_mm");
                    json.number(blur);
                    if (framedCell) {
                        json.key("background_blur_percent");
                        json.number(100 * blur / framed.frame.width);
                    }
                    json.key("background_m");
                    json.number(framed.background / 1000);
                }
                json.key("far_m");
                json.number(f.farLimit / 1000);
                if (framedCell) {
                    json.key("field_m");
                    writePair(json, "height", fig.fieldHeight / 1000, "width",
                              fig.fieldWidth / 1000);
                    json.key("field_of_view_deg");
                    json.beginObject();
                    json.key("diagonal");
                    json.number(fig.diagonalDeg);
                    json.key("horizontal");
                    json.number(fig.horizontalDeg);
                    json.key("vertical");
                    json.number(fig.verticalDeg);
                    json.endObject();
                    json.key("frame_mm");
                    writePair(json, "height", framed.frame.height, "width", framed.frame.width);
                }
                json.key("near_m");
                json.number(f.nearLimit / 1000);
                if (!asWindow) {
                    json.key("sharp");
                    json.boolean(sharp(f));
                }
                json.endObject();
            }
            json.endArray();
        }
        json.endArray();
        json.key("coc_mm");
        json.number(coc.mm);
        if (!coc.camera.isEmpty()) {
            json.key("coc_source");
            json.string(coc.source);
        }
        json.key("diffraction");
        json.boolean(diffraction);
        json.key("distances_m");
        json.beginArray();
        for (double d : distances)
            json.number(d / 1000);
        json.endArray();
        json.key("focal_mm");
        json.number(focal);
        json.endObject();
        return done(json.take());
    }

    if (format == QLatin1String("csv")) {
        QStringList header = {QStringLiteral("focus_m")};
        for (double a : apertures) {
            const QString f = QStringLiteral("f/") + exact(a);
            header << f + QStringLiteral(" near_m") << f + QStringLiteral(" far_m");
        }
        TextTable table(header);
        for (int r = 0; r < cells.size(); ++r) {
            QStringList row = {exact(distances[r] / 1000)};
            for (const DofFigures &f : cells[r])
                row << exact(f.nearLimit / 1000) << exact(f.farLimit / 1000);
            table.addRow(row);
        }
        output = table.csv();
        return withFramingNote(done(output));
    }

    QStringList header = {QStringLiteral("Focus")};
    for (double a : apertures)
        header << QStringLiteral("f/") + QString::number(a, 'g', 6);
    TextTable table(header);
    for (int r = 0; r < cells.size(); ++r) {
        QStringList row = {QString::number(distances[r] / 1000, 'g', 6) + QStringLiteral(" m")};
        for (const DofFigures &f : cells[r])
            row << (sharp(f) ? shortMetres(f.nearLimit) + QString::fromUtf8(" – ") +
                                   shortMetres(f.farLimit)
                             : QStringLiteral("not sharp"));
        table.addRow(row);
    }
    const QString title =
        QStringLiteral("Depth of field, %1 mm, CoC %2 mm%3")
            .arg(QString::number(focal, 'g', 6), QString::number(coc.mm, 'g', 4),
                 diffraction ? QStringLiteral(", diffraction included") : QString());
    QString note =
        QStringLiteral("Near and far limit of sharpness in metres; \"inf\" is infinity.");
    if (!allSharp)
        note += QStringLiteral(" \"not sharp\": diffraction alone fills the CoC.");
    if (format == QLatin1String("markdown"))
        output = QStringLiteral("## ") + title + QStringLiteral("\n\n") + table.markdown() +
                 QStringLiteral("\n") + note + QLatin1Char('\n');
    else if (format == QLatin1String("html"))
        output = htmlPage(title, note, table.html());
    else
        output = title + QStringLiteral("\n") + note + QStringLiteral("\n\n") + table.text();
    return withFramingNote(done(output));
}

// ---- show -----------------------------------------------------------------

void declareShow(CalcArguments &args)
{
    args.setDescription(
        QStringLiteral("Reads a project file as the window opens it and prints what it holds: the\n"
                       "diagram settings and, for each camera, whether it is on, its settings and\n"
                       "its 'dof' figures. Values are shown as the window's controls hold them."));
    args.setPositional({QStringLiteral("PROJECT.vlp")},
                       {QStringLiteral("a project file saved by the window")});
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
}

Result runShow(CalcArguments &args)
{
    QString output;
    const QString format = args.format();
    const QString name = args.positional(0);
    if (args.failed())
        return refused(args);
    ProjectFile p;
    if (!readProject(args, name, p))
        return refused(args);
    const ProjectFile shown = p.asWindowHolds();

    QJsonArray cameras;
    QString cameraTexts;
    for (int i = 0; i < 2; ++i) {
        const ProjectFile::Camera &cam = shown.cameras[i];
        const bool valid = cam.fdist * 1000 > cam.flength;
        DofFigures f =
            DofFigures::compute(cam.flength, cam.apature, cam.fdist * 1000, cam.coc, cam.calcDef);
        // With the focus at or inside the focal length the window draws
        // nothing meaningful, and there are no figures to give.
        if (!valid)
            f.hyperfocal = f.nearLimit = f.farLimit = f.blurAtInfinity = f.scale = std::nan("");
        QJsonObject o = dofJson(f);
        o.insert(QStringLiteral("enabled"), cam.enabled);
        cameraTexts += QStringLiteral("\nCamera %1 (%2)\n")
                           .arg(i + 1)
                           .arg(cam.enabled ? QStringLiteral("on") : QStringLiteral("off"));
        cameraTexts +=
            indented(valid ? dofText(f, QString())
                           : QStringLiteral("Focus %1 m lies at or inside the focal length %2 mm: "
                                            "no figures.\n")
                                 .arg(QString::number(cam.fdist, 'g', 6),
                                      QString::number(cam.flength, 'g', 6)));
        cameras.append(o);
    }

    if (format == QLatin1String("json")) {
        return done(json(QJsonObject{{QStringLiteral("file"), name},
                                     {QStringLiteral("left_border_m"), shown.leftBorder},
                                     {QStringLiteral("distance_scale"), shown.xscale},
                                     {QStringLiteral("blur_scale"), shown.yscale},
                                     {QStringLiteral("from_camera"), !shown.distanceFP},
                                     {QStringLiteral("cameras"), cameras}}));
    }
    output =
        keyValues({
            {QStringLiteral("Project"), name},
            {QStringLiteral("Left border"),
             QString::number(shown.leftBorder, 'g', 6) + QStringLiteral(" m")},
            {QStringLiteral("Distance scale"), QString::number(shown.xscale)},
            {QStringLiteral("Blur scale"), QString::number(shown.yscale)},
            {QStringLiteral("Distances from"),
             shown.distanceFP ? QStringLiteral("the focus plane") : QStringLiteral("the camera")},
        }) +
        cameraTexts;
    return done(output);
}

} // namespace

// Figures of values too extreme for the arithmetic: a CoC or an f-number so
// small that the hyperfocal distance times the focus overflows, refused as
// the window's figures are.
bool dofComputable(const ExactDof::Figures &e, double focus)
{
    return e.valid && std::isfinite(e.hyperfocal * focus) &&
           (!e.sharp || std::isfinite(e.nearLimit));
}

QJsonObject withCamera(QJsonObject o, const CalcArguments::Coc &coc)
{
    if (!coc.camera.isEmpty()) {
        o.insert(QStringLiteral("camera"), coc.camera);
        o.insert(QStringLiteral("coc_source"), coc.source);
    }
    return o;
}

QJsonObject dofFiguresJson(const ExactDof::Figures &e, double focal, double aperture, double focus,
                           double coc, bool diffraction)
{
    return QJsonObject{
        {QStringLiteral("focal_mm"), numberJson(focal)},
        {QStringLiteral("aperture"), numberJson(aperture)},
        {QStringLiteral("focus_m"), metresJson(focus)},
        {QStringLiteral("coc_mm"), numberJson(coc)},
        {QStringLiteral("diffraction"), diffraction},
        {QStringLiteral("sharp"), e.sharp},
        {QStringLiteral("working_aperture"), numberJson(e.workingFNumber)},
        {QStringLiteral("magnification"), numberJson(e.magnification)},
        {QStringLiteral("hyperfocal_m"), metresJson(e.hyperfocal)},
        {QStringLiteral("focus_for_infinity_m"), metresJson(e.focusForInfinity)},
        {QStringLiteral("near_m"), metresJson(e.nearLimit)},
        {QStringLiteral("far_m"), metresJson(e.farLimit)},
        {QStringLiteral("depth_m"), metresJson(e.depth())},
        {QStringLiteral("blur_at_infinity"), numberJson(e.blurAtInfinity)},
        {QStringLiteral("scale"), numberJson(std::fabs(focus - focal) / focal)},
    };
}

QString dofFiguresText(const ExactDof::Figures &e, double focal, double aperture, double focus,
                       const CalcArguments::Coc &coc, bool diffraction,
                       const QList<QPair<QString, QString>> &extra)
{
    const QString cocText = coc.text();
    const QString forInfinity =
        std::isnan(e.focusForInfinity)
            ? QStringLiteral("none: diffraction alone fills the CoC even at infinity")
            : metresText(e.focusForInfinity);
    QList<QPair<QString, QString>> lines = {
        {QStringLiteral("Focal length"), g6(focal) + QStringLiteral(" mm")},
        {QStringLiteral("Aperture"), QStringLiteral("f/") + g6(aperture)},
        {QStringLiteral("Working aperture"),
         QStringLiteral("f/%1 at %2")
             .arg(QString::number(e.workingFNumber, 'g', 3), ratio(e.magnification))},
        {QStringLiteral("Focus distance"), metresText(focus)},
        {QStringLiteral("Circle of confusion"), cocText},
        {QStringLiteral("Diffraction"), diffraction
                                            ? QStringLiteral("included, of the working f-number")
                                            : QStringLiteral("not included")},
        {QStringLiteral("Hyperfocal distance"), metresText(e.hyperfocal)},
        {QStringLiteral("Focus for infinity"), forInfinity},
    };
    if (e.sharp) {
        lines.append({QStringLiteral("Near limit"), metresText(e.nearLimit)});
        lines.append({QStringLiteral("Far limit"), metresText(e.farLimit)});
        lines.append({QStringLiteral("Depth of field"), metresText(e.depth())});
    } else {
        lines.append(
            {QStringLiteral("Sharp zone"),
             QStringLiteral("none: diffraction alone (%1 mm at working f/%2) fills the CoC; "
                            "f-numbers below f/%3 keep a sharp zone at this focus")
                 .arg(g6(LensModel::AiryPerFNumber * e.workingFNumber), g6(e.workingFNumber),
                      // Rounded down: f/X itself must keep the zone.
                      QString::number(FocusPlanner::rounded(e.largestSharpFNumber, 3, false), 'g',
                                      3))});
    }
    lines.append(
        {QStringLiteral("Blur at infinity"), g6(e.blurAtInfinity) + QStringLiteral(" CoC")});
    lines.append(
        {QStringLiteral("Scale"), QStringLiteral("1:") + g6(std::fabs(focus - focal) / focal)});
    lines.append(extra);
    return keyValues(lines) +
           QStringLiteral("\nThe hyperfocal distance is the window's F^2/(N c); focused at the "
                          "focus for infinity, the far limit reaches infinity.\n");
}

Result refused(const CalcArguments &args)
{
    return {args.status() == 1 ? 1 : 2, QByteArray(), args.error()};
}

Result done(const QByteArray &output)
{
    return {0, output, QString()};
}

Result done(const QString &output)
{
    return done(output.toUtf8());
}

bool readProject(CalcArguments &args, const QString &name, ProjectFile &project)
{
    QString problem;
    if (project.load(name, &problem))
        return true;
    args.fail(QStringLiteral("cannot read file %1: %2").arg(name, problem));
    return false;
}

const QList<Command> &all()
{
    static const QList<Command> commands = {
        {"dof", "depth of field, hyperfocal distance and blur for one camera", declareDof, runDof,
         Helper::None},
        {"table", "a printable DOF table: focus distances by f-numbers", declareTable, runTable,
         Helper::None},
        {"optimum", "the best focus and f-number for everything from near to far", declareOptimum,
         runOptimum, Helper::None},
        {"stack", "a focus-stacking plan from near to far", declareStack, runStack, Helper::None},
        {"presets", "the sensor formats and the CoC of each preset rule", declarePresets,
         runPresets, Helper::None},
        {"show", "what a project file holds, with each camera's figures", declareShow, runShow,
         Helper::None},
        {"cameras", "the cameras of the camera database, with their crop factor and CoC",
         declareCameras, nullptr, Helper::Media},
        {"photo", "a photo's settings from its metadata, with the dof figures", declarePhoto,
         nullptr, Helper::Media},
        // Run by the helper programs, which supply the running halves.
        {"render", "draw a project's diagram to PNG, JPEG, BMP, SVG or PDF", declareRender, nullptr,
         Helper::Drawing},
    };
    return commands;
}

const Command *find(const QString &name)
{
    for (const Command &c : all())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

} // namespace CalcCommands

CocResolution::CameraMatch CalcCommands::cameraMatch(const CameraDatabase &database,
                                                     const QString &text)
{
    using Outcome = CameraDatabase::Outcome;
    const CameraDatabase::Search search = database.find(text);
    CocResolution::CameraMatch result;
    const QString given = QLatin1Char('\'') + text.simplified() + QLatin1Char('\'');
    QStringList names;
    for (const CameraInfo &c : search.candidates)
        names << c.name();
    switch (search.outcome) {
    case Outcome::Found:
        result.diagonal = search.camera.diagonal();
        result.camera = search.camera.name();
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
        result.problem = QStringLiteral("--camera: ") + CameraDatabase::noDatabaseReason();
        result.unavailable = true;
        break;
    }
    return result;
}
