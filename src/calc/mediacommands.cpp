#include "mediacommands.h"

#include "calcapp.h"
#include "calcarguments.h"
#include "calcformat.h"
#include "cameras/cameradatabase.h"
#include "photo/photocamera.h"
#include "photo/photoreader.h"
#include "planning/exactdof.h"
#include "presets/cocpresets.h"
#include "project/projectfile.h"
#include "texttable.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

// The commands on cameras and photos: the camera database's list and a
// photo's settings with their figures.
namespace CalcCommands
{

namespace
{

using namespace CalcFormat;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

QJsonValue textJson(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

} // namespace

// ---- cameras ---------------------------------------------------------------

Result runCameras(CalcArguments &args)
{
    const QString format = args.format();
    const QString text = args.positionals().join(QLatin1Char(' '));
    if (args.failed())
        return refused(args);
    const CameraDatabase &database = CameraDatabase::shared();
    if (!database.isLoaded())
        return {1, QByteArray(), CameraDatabase::noDatabaseReason()};
    const QList<CameraInfo> cameras =
        text.trimmed().isEmpty() ? database.cameras() : database.matching(text);

    if (format == QLatin1String("json")) {
        QJsonArray list;
        for (const CameraInfo &c : cameras) {
            QJsonObject o{{QStringLiteral("maker"), c.maker},
                          {QStringLiteral("model"), c.model},
                          {QStringLiteral("mount"), c.mount},
                          {QStringLiteral("crop_factor"), numberJson(c.cropFactor)},
                          {QStringLiteral("diagonal_mm"), numberJson(c.diagonal())},
                          {QStringLiteral("coc_mm"), numberJson(c.coc())}};
            if (!c.variant.isEmpty())
                o.insert(QStringLiteral("variant"), c.variant);
            list.append(o);
        }
        return done(json(QJsonObject{{QStringLiteral("cameras"), list}}));
    }
    if (cameras.isEmpty())
        return done(QStringLiteral("No camera of the database matches '%1'.\n").arg(text));
    TextTable table({QStringLiteral("Maker"), QStringLiteral("Model"), QStringLiteral("Mount"),
                     QStringLiteral("Crop"), QStringLiteral("Diagonal mm"),
                     QStringLiteral("CoC mm")});
    table.setLeftAligned(3);
    for (const CameraInfo &c : cameras) {
        const QString model =
            c.variant.isEmpty() ? c.model : QStringLiteral("%1 (%2)").arg(c.model, c.variant);
        table.addRow({c.maker, model, c.mount, QString::number(c.cropFactor, 'g', 4),
                      QString::number(c.diagonal(), 'f', 2), QString::number(c.coc(), 'f', 4)});
    }
    return done(table.text());
}

// ---- photo -----------------------------------------------------------------

namespace
{

// One photo's settings, the values the figures use and the figures.
struct PhotoFigures {
    QString file;
    PhotoSettings settings;
    double focal = NaN;
    double aperture = NaN;
    double focusMm = NaN;
    // The CoC with its source: the options' when they give one (with the
    // camera of --camera), else the photo's crop factor's.
    CalcArguments::Coc coc{NaN, QString()};
    std::optional<ExactDof::Figures> figures;
    QString noFigures;
};

QString metresOrInfinity(double metres)
{
    return std::isinf(metres) ? QStringLiteral("infinity")
                              : QString::number(metres, 'g', 6) + QStringLiteral(" m");
}

QString focusSourceText(const PhotoSettings &s)
{
    if (s.focusSource.isEmpty())
        return QString();
    if (!std::isnan(s.focusNear) || !std::isnan(s.focusFar))
        return QStringLiteral("%1 %2 to %3")
            .arg(s.focusSource, metresOrInfinity(s.focusNear), metresOrInfinity(s.focusFar));
    return s.focusSource;
}

QJsonObject photoJson(const PhotoFigures &p, bool diffraction)
{
    const PhotoSettings &s = p.settings;
    // dof's keys, every figure null where there are none.
    QJsonObject o = dofFiguresJson(p.figures.value_or(ExactDof::Figures{}), p.focal, p.aperture,
                                   p.focusMm, p.coc.mm, diffraction);
    if (!p.figures) {
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.value().isDouble() || it.key() == QLatin1String("sharp"))
                it.value() = QJsonValue();
        }
    }
    QJsonArray missing;
    for (const QString &m : s.missing)
        missing.append(m);
    if (std::isnan(p.coc.mm) && !s.missing.contains(QStringLiteral("crop factor")))
        missing.append(QStringLiteral("CoC"));
    o.insert(QStringLiteral("file"), p.file);
    o.insert(QStringLiteral("make"), textJson(s.make));
    o.insert(QStringLiteral("model"), textJson(s.model));
    o.insert(QStringLiteral("lens"), textJson(s.lens));
    o.insert(QStringLiteral("focal_mm"), numberJson(p.focal));
    o.insert(QStringLiteral("aperture"), numberJson(p.aperture));
    o.insert(QStringLiteral("focus_m"), metresJson(p.focusMm));
    o.insert(QStringLiteral("focus_source"), textJson(focusSourceText(s)));
    o.insert(QStringLiteral("focus_infinite"), std::isinf(p.focusMm));
    o.insert(QStringLiteral("image_incomplete"), s.imageIncomplete);
    if (!std::isnan(s.focusNear) || !std::isnan(s.focusFar)) {
        o.insert(QStringLiteral("focus_near_m"), metresJson(s.focusNear * 1000));
        o.insert(QStringLiteral("focus_far_m"), metresJson(s.focusFar * 1000));
    }
    o.insert(QStringLiteral("crop_factor"), numberJson(s.cropFactor));
    o.insert(QStringLiteral("crop_source"), textJson(s.cropSource));
    o.insert(QStringLiteral("width_px"), s.width > 0 ? QJsonValue(s.width) : QJsonValue());
    o.insert(QStringLiteral("height_px"), s.height > 0 ? QJsonValue(s.height) : QJsonValue());
    o.insert(QStringLiteral("coc_mm"), numberJson(p.coc.mm));
    o.insert(QStringLiteral("coc_source"), textJson(p.coc.source));
    if (!p.coc.camera.isEmpty())
        o.insert(QStringLiteral("camera"), p.coc.camera);
    o.insert(QStringLiteral("missing"), missing);
    return o;
}

// dof's figures without the note that follows them, which the photos'
// text gives once at its end.
QString figuresOnly(const QString &dofText)
{
    const qsizetype note = dofText.indexOf(QStringLiteral("\n\n"));
    return note < 0 ? dofText : dofText.left(note + 1);
}

QString dofNote(const QString &dofText)
{
    const qsizetype note = dofText.indexOf(QStringLiteral("\n\n"));
    return note < 0 ? QString() : dofText.mid(note + 1);
}

// dofText is dof's text of the photo's figures, when it has them.
QString photoText(const PhotoFigures &p, const QString &dofText)
{
    const PhotoSettings &s = p.settings;
    const QString none = QStringLiteral("-");
    auto or_ = [&](const QString &t) { return t.isEmpty() ? none : t; };
    QString crop = none;
    if (!std::isnan(s.cropFactor))
        crop = QStringLiteral("%1 (%2)").arg(QString::number(s.cropFactor, 'g', 4), s.cropSource);
    QList<QPair<QString, QString>> lines = {
        {QStringLiteral("Photo"), p.file},
        {QStringLiteral("Camera"), or_(CameraInfo::displayName(s.make, s.model))},
        {QStringLiteral("Lens"), or_(s.lens)},
        {QStringLiteral("Image"),
         s.width > 0 ? QStringLiteral("%1 x %2 pixels").arg(s.width).arg(s.height) : none},
        {QStringLiteral("Focus from"), or_(focusSourceText(s))},
        {QStringLiteral("Crop factor"), crop},
        {QStringLiteral("Missing"), or_(s.missing.join(QStringLiteral(", ")))},
    };
    if (std::isinf(p.focusMm))
        lines.insert(5, {QStringLiteral("Focus"), QStringLiteral("infinity")});
    if (s.imageIncomplete)
        lines.append({QStringLiteral("Note"),
                      QStringLiteral("the image data is incomplete (the file is cut short); the "
                                     "settings come from its metadata")});
    QString text = keyValues(lines);
    if (p.figures)
        text += indented(figuresOnly(dofText));
    else
        text += indented(QStringLiteral("No figures: %1.\n").arg(p.noFigures));
    return text;
}

// The camera a photo gives the project, with the values used for its
// figures (the options' where given).
PhotoCamera projectCamera(const PhotoFigures &p)
{
    PhotoSettings used = p.settings;
    used.focalLength = p.focal;
    used.fNumber = p.aperture;
    used.focusDistance = p.focusMm / 1000;
    return PhotoCamera::from(used, p.coc.mm);
}

} // namespace

Result runPhoto(CalcArguments &args)
{
    const double focal =
        args.flag(CalcOptions::PhotoFocal) ? args.positive(CalcOptions::PhotoFocal) : NaN;
    const double aperture =
        args.flag(CalcOptions::PhotoAperture) ? args.positive(CalcOptions::PhotoAperture) : NaN;
    const double focus = args.flag(CalcOptions::PhotoFocus)
                             ? args.distance(CalcOptions::PhotoFocus, focal, true)
                             : NaN;
    bool cocGiven = false;
    for (const OptionSpec *o :
         {&CalcOptions::Coc, &CalcOptions::Sensor, &CalcOptions::Camera, &CalcOptions::MegaPixels,
          &CalcOptions::ViewDistance, &CalcOptions::ImageWidth, &CalcOptions::Form})
        cocGiven = cocGiven || args.flag(*o);
    const CalcArguments::Coc coc = cocGiven ? args.coc() : CalcArguments::Coc{NaN, QString()};
    const bool diffraction = args.flag(CalcOptions::Diffraction);
    const QString format = args.format();
    const QString projectName =
        args.flag(CalcOptions::Project) ? args.value(CalcOptions::Project) : QString();
    const QStringList files = args.positionals();
    if (!args.failed() && args.flag(CalcOptions::Project) && projectName.trimmed().isEmpty())
        args.fail(QStringLiteral("--project: give the name of the project file to write"));
    if (!args.failed() && !projectName.isEmpty() && files.size() > 2)
        args.fail(QStringLiteral("--project: a project holds two cameras; %1 photos given")
                      .arg(files.size()));
    if (args.failed())
        return refused(args);

    // The database only for a photo without a crop factor of its own.
    const PhotoReader reader([]() -> const CameraDatabase * { return &CameraDatabase::shared(); });
    QList<PhotoFigures> photos;
    for (const QString &file : files) {
        const PhotoReader::Result read = reader.read(file);
        if (!read.ok())
            return {2, QByteArray(), QStringLiteral("%1: %2").arg(file, read.reason)};
        PhotoFigures p;
        p.file = file;
        p.settings = read.settings;
        const PhotoSettings &s = p.settings;
        p.focal = std::isnan(focal) ? s.focalLength : focal;
        p.aperture = std::isnan(aperture) ? s.fNumber : aperture;
        p.focusMm = std::isnan(focus) ? s.focusDistance * 1000 : focus;
        if (cocGiven) {
            p.coc = coc;
        } else if (!std::isnan(s.cropFactor)) {
            p.coc.mm = CocPresets::cocOfCropFactor(s.cropFactor);
            p.coc.source = QStringLiteral("crop factor %1 from the %2")
                               .arg(QString::number(s.cropFactor, 'g', 4), s.cropSource);
        }

        QStringList lacking;
        if (std::isnan(p.focal))
            lacking << QStringLiteral("the focal length (give --focal)");
        if (std::isnan(p.aperture))
            lacking << QStringLiteral("the f-number (give --aperture)");
        if (std::isnan(p.focusMm))
            lacking << QStringLiteral("the focus distance (give --focus)");
        if (std::isnan(p.coc.mm))
            lacking << QStringLiteral("the CoC (give --coc, --sensor or --camera)");
        if (!lacking.isEmpty()) {
            p.noFigures = QStringLiteral("missing ") + lacking.join(QStringLiteral(", "));
        } else if (!(p.focusMm > p.focal)) {
            p.noFigures = QStringLiteral("the focus lies at or inside the focal length");
        } else {
            const ExactDof::Figures f =
                ExactDof::compute(p.focal, p.aperture, p.focusMm, p.coc.mm, diffraction);
            // Focused at infinity, the far limit is infinity and the near
            // one the hyperfocal-like limit: figures all the same.
            const bool computable = std::isinf(p.focusMm)
                                        ? f.valid && (!f.sharp || std::isfinite(f.nearLimit))
                                        : dofComputable(f, p.focusMm);
            if (computable)
                p.figures = f;
            else
                p.noFigures = QStringLiteral("the values are too extreme to compute with");
        }
        photos << p;
    }

    QString message;
    if (!projectName.isEmpty()) {
        QList<NamedPhotoCamera> cameras;
        for (const PhotoFigures &p : std::as_const(photos))
            cameras.append({QFileInfo(p.file).fileName(), projectCamera(p)});
        QStringList notes;
        const ProjectFile project = PhotoCamera::project(cameras, &notes);
        QSaveFile file(projectName);
        if (!file.open(QIODevice::WriteOnly) || !project.write(file) || !file.commit())
            return {
                1, QByteArray(),
                QStringLiteral("cannot write file %1: %2").arg(projectName, file.errorString())};
        if (!notes.isEmpty())
            message = QStringLiteral("%1: %2").arg(projectName, notes.join(QStringLiteral("; ")));
    }

    Result result;
    if (format == QLatin1String("json")) {
        QJsonArray list;
        for (const PhotoFigures &p : photos)
            list.append(photoJson(p, diffraction));
        result = done(json(QJsonObject{{QStringLiteral("photos"), list}}));
    } else {
        QStringList texts;
        QString note;
        for (const PhotoFigures &p : photos) {
            const QString dof = p.figures ? dofFiguresText(*p.figures, p.focal, p.aperture,
                                                           p.focusMm, p.coc, diffraction)
                                          : QString();
            texts << photoText(p, dof);
            if (p.figures && note.isEmpty())
                note = dofNote(dof);
        }
        result = done(texts.join(QLatin1Char('\n')) + note);
    }
    result.message = message;
    return result;
}

} // namespace CalcCommands

void CalcCommands::provideMedia(CalcApp &calc)
{
    calc.provide(QStringLiteral("cameras"), runCameras);
    calc.provide(QStringLiteral("photo"), runPhoto);
    // Only a command that names a camera loads the database, and only once
    // for cameras, photos and --camera together.
    calc.provideCameras(
        [](const QString &text) { return cameraMatch(CameraDatabase::shared(), text); });
}
