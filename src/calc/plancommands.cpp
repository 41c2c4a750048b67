// The planners' commands: the best single exposure for a range of
// distances, and the focus stack that covers it.

#include "calcarguments.h"
#include "calccommands.h"
#include "calcformat.h"
#include "planning/exactdof.h"
#include "planning/focusplanner.h"
#include "planning/stackcsv.h"
#include "texttable.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace CalcCommands
{

namespace
{

using namespace CalcFormat;

QString g6(double value)
{
    return QString::number(value, 'g', 6);
}

// f-numbers and blur as people read them off a lens or a chart.
QString fNumber(double n)
{
    return QString::number(n, 'g', 3);
}

using FocusPlanner::rounded;

// A frame's step in mm for a focusing rail; nothing for the first frame.
QString stepText(double mm)
{
    if (std::isnan(mm))
        return QString();
    if (std::isinf(mm))
        return QStringLiteral("infinity");
    return QString::number(mm, 'g', 4) + QStringLiteral(" mm");
}

QString upward(double value)
{
    return QString::number(rounded(value, 3, true), 'g', 3);
}

QString downward(double value)
{
    return QString::number(rounded(value, 3, false), 'g', 3);
}

QString metresRounded(double mm, bool up)
{
    if (std::isinf(mm))
        return QStringLiteral("infinity");
    return QString::number(rounded(mm / 1000, 6, up), 'g', 6) + QStringLiteral(" m");
}

void declareRange(CalcArguments &args)
{
    args.add(CalcOptions::Focal);
    args.add(CalcOptions::Near);
    args.add(CalcOptions::Far);
}

struct Range {
    double focal;
    double nearDist;
    double farDist;
};

// Distances whose image distances coincide, or sizes beyond the arithmetic.
QString tooNarrow(const Range &r)
{
    return QStringLiteral("--near %1 and --far %2 are too close together, or too extreme, to "
                          "tell apart at a focal length of %3 mm")
        .arg(metresText(r.nearDist), metresText(r.farDist), g6(r.focal));
}

Range readRange(CalcArguments &args, const OptionSpec &nearOption = CalcOptions::Near,
                const OptionSpec &farOption = CalcOptions::Far)
{
    Range r;
    r.focal = args.positive(CalcOptions::Focal);
    r.nearDist = args.distance(nearOption, r.focal, false);
    r.farDist = args.distance(farOption, r.focal, true);
    if (!args.failed() && !(r.nearDist < r.farDist))
        args.fail(QStringLiteral("--near %1 is not nearer than --far %2")
                      .arg(metresText(r.nearDist), metresText(r.farDist)));
    return r;
}

} // namespace

void declareOptimum(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "The focus and f-number that render everything from --near to --far as sharp as\n"
        "possible, diffraction always included, solved in closed form: the focus puts\n"
        "the sensor at the harmonic mean of the two image distances, and the best\n"
        "f-number balances the defocus at both ends against the diffraction disc.\n"
        "Also the range of f-numbers that keeps the whole range within the CoC, and\n"
        "the worst blur at every third stop from f/1 to f/64. The diffraction disc is\n"
        "that of the working f-number N (1 + m/P) at the magnification m of the focus."));
    declareRange(args);
    args.addCocOptions();
    args.add(CalcOptions::PupilMagnification);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json")});
}

Result runOptimum(CalcArguments &args)
{
    QString output;
    const Range r = readRange(args);
    const CalcArguments::Coc coc = args.coc();
    const double pupil = args.numberOr(CalcOptions::PupilMagnification, 1.0);
    const QString format = args.format();
    if (args.failed())
        return refused(args);
    const FocusPlanner::OptimumPlan plan =
        FocusPlanner::optimum(r.focal, r.nearDist, r.farDist, coc.mm, pupil);
    if (!plan.valid) {
        args.fail(tooNarrow(r));
        return refused(args);
    }

    if (format == QLatin1String("json")) {
        QJsonArray stops;
        for (const FocusPlanner::StopBlur &s : plan.stops)
            stops.append(QJsonObject{{QStringLiteral("aperture"), s.fNumber},
                                     {QStringLiteral("worst_blur"), numberJson(s.worstBlur)}});
        const QJsonValue sharp =
            plan.hasSharpRange
                ? QJsonValue(QJsonObject{{QStringLiteral("from"), numberJson(plan.sharpFrom)},
                                         {QStringLiteral("to"), numberJson(plan.sharpTo)}})
                : QJsonValue(QJsonValue::Null);
        return done(json(withCamera(
            QJsonObject{{QStringLiteral("focal_mm"), r.focal},
                        {QStringLiteral("coc_mm"), coc.mm},
                        {QStringLiteral("near_m"), metresJson(r.nearDist)},
                        {QStringLiteral("far_m"), metresJson(r.farDist)},
                        {QStringLiteral("focus_m"), metresJson(plan.focus)},
                        {QStringLiteral("magnification"), plan.magnification},
                        {QStringLiteral("best_aperture"), plan.bestFNumber},
                        {QStringLiteral("working_aperture"), plan.bestFNumber * plan.workingFactor},
                        {QStringLiteral("best_worst_blur"), plan.bestBlur},
                        {QStringLiteral("sharp_apertures"), sharp},
                        {QStringLiteral("stops"), stops}},
            coc)));
    }

    const QString coct = coc.text();
    QList<QPair<QString, QString>> lines = {
        {QStringLiteral("Range"),
         QStringLiteral("%1 to %2").arg(metresText(r.nearDist), metresText(r.farDist))},
        {QStringLiteral("Focal length"), g6(r.focal) + QStringLiteral(" mm")},
        {QStringLiteral("Circle of confusion"), coct},
        {QStringLiteral("Focus at"), metresText(plan.focus)},
        {QStringLiteral("Best aperture"),
         QStringLiteral("f/%1 (working f/%2 at %3), worst blur %4 CoC")
             .arg(fNumber(plan.bestFNumber), fNumber(plan.bestFNumber * plan.workingFactor),
                  ratio(plan.magnification), upward(plan.bestBlur))},
    };
    if (plan.hasSharpRange) {
        lines.append(
            {QStringLiteral("Sharp apertures"),
             QStringLiteral("f/%1 to f/%2").arg(upward(plan.sharpFrom), downward(plan.sharpTo))});
    } else {
        lines.append({QStringLiteral("Sharp apertures"),
                      QStringLiteral("none: even at its best the range blurs to %1 CoC")
                          .arg(upward(plan.bestBlur))});
        lines.append({QStringLiteral("Would help"),
                      QStringLiteral("a CoC of at least %1 mm, or a shorter range: %2 to at "
                                     "most %3, or from %4 to %5")
                          .arg(upward(plan.smallestCoc), metresText(r.nearDist),
                               metresRounded(plan.farthestFar, false),
                               metresRounded(plan.nearestNear, true), metresText(r.farDist))});
    }
    output = keyValues(lines);
    TextTable stops(
        {QStringLiteral("Aperture"), QStringLiteral("Worst blur"), QStringLiteral("Sharp")});
    for (const FocusPlanner::StopBlur &s : plan.stops)
        stops.addRow({QStringLiteral("f/") + g6(s.fNumber), QString::number(s.worstBlur, 'f', 3),
                      s.worstBlur <= 1 ? QStringLiteral("yes") : QStringLiteral("no")});
    output += QStringLiteral("\nWorst blur over the range at that focus, in CoC, with the "
                             "diffraction of the working f-number:\n\n") +
              stops.text();
    return done(output);
}

void declareStack(CalcArguments &args)
{
    args.setDescription(QStringLiteral(
        "A focus-stacking plan: the fewest frames whose sharp zones together cover\n"
        "--near to --far, neighbours overlapping by at least --overlap of a frame's\n"
        "zone. The first frame's near limit is --near, and limits are exact, with the\n"
        "defocus of the cone from the exit pupil; with --diffraction each frame's\n"
        "diffraction disc is that of the working f-number N (1 + m/P) at its focus.\n"
        "Distances are measured from the lens.\n"
        "\n"
        "Without --rail the lens is refocused for each frame: neighbours overlap\n"
        "equally (on the sensor side, of the nearer frame's zone), the last frame's\n"
        "far limit is --far, and each frame's step is how far its focus distance\n"
        "moved from the frame before's.\n"
        "\n"
        "With --rail the lens keeps frame 1's focus and the camera moves on a\n"
        "focusing rail: every frame has one magnification and the same zone, the\n"
        "camera moves towards the subject by equal steps of (1 - overlap) of that\n"
        "zone, and the last frame's far limit reaches --far or beyond. Distances are\n"
        "then measured from the lens where frame 1 is taken.\n"
        "\n"
        "--magnification M --depth D plans a subject D mm deep whose front is frame\n"
        "1's near limit with the lens at magnification M, in place of --near and --far."));
    args.add(CalcOptions::Focal);
    args.add(CalcOptions::StackNear);
    args.add(CalcOptions::StackFar);
    args.add(CalcOptions::StackMagnification);
    args.add(CalcOptions::Depth);
    args.add(CalcOptions::Aperture);
    args.addCocOptions();
    args.add(CalcOptions::Diffraction);
    args.add(CalcOptions::PupilMagnification);
    args.add(CalcOptions::Overlap);
    args.add(CalcOptions::Rail);
    args.addFormatOption({QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")});
}

namespace
{

// The subject of a stack: a range, or frame 1's magnification and a depth.
struct StackSubject {
    Range range;
    bool byMagnification = false;
    double magnification = 0.0;
    double depth = 0.0;
};

StackSubject readSubject(CalcArguments &args)
{
    StackSubject subject;
    subject.byMagnification = args.flag(CalcOptions::StackMagnification);
    if (!subject.byMagnification) {
        if (args.flag(CalcOptions::Depth))
            args.fail(QStringLiteral("--depth goes with --magnification, in place of --near and "
                                     "--far"));
        subject.range = readRange(args, CalcOptions::StackNear, CalcOptions::StackFar);
        return subject;
    }
    subject.range.focal = args.positive(CalcOptions::Focal);
    subject.magnification = args.positive(CalcOptions::StackMagnification);
    if (args.flag(CalcOptions::StackNear) || args.flag(CalcOptions::StackFar))
        args.fail(QStringLiteral("--magnification with --depth stands for --near and --far; "
                                 "give one or the other"));
    else if (!args.flag(CalcOptions::Depth))
        args.fail(QStringLiteral("--magnification needs --depth, the subject's depth in mm"));
    else
        subject.depth = args.positive(CalcOptions::Depth);
    const double focus = ExactDof::focusAtMagnification(subject.range.focal, subject.magnification);
    if (!args.failed() && !(focus > subject.range.focal && std::isfinite(focus)))
        args.fail(QStringLiteral("--magnification %1 puts the focus too close to the focal "
                                 "length (%2 mm) to compute with")
                      .arg(g6(subject.magnification), g6(subject.range.focal)));
    return subject;
}

} // namespace

Result runStack(CalcArguments &args)
{
    QString output;
    StackSubject subject = readSubject(args);
    Range &r = subject.range;
    const double aperture = args.positive(CalcOptions::Aperture);
    const CalcArguments::Coc coc = args.coc();
    const bool diffraction = args.flag(CalcOptions::Diffraction);
    const double overlap = args.fraction(CalcOptions::Overlap, 0.1);
    const double pupil = args.numberOr(CalcOptions::PupilMagnification, 1.0);
    const bool rail = args.flag(CalcOptions::Rail);
    const QString format = args.format();
    if (args.failed())
        return refused(args);

    FocusPlanner::StackPlan plan;
    if (subject.byMagnification) {
        plan = FocusPlanner::railStackAtMagnification(r.focal, aperture, subject.magnification,
                                                      subject.depth, coc.mm, diffraction, overlap,
                                                      pupil);
        r.nearDist = FocusPlanner::nearLimitAtMagnification(
            r.focal, aperture, subject.magnification, coc.mm, diffraction, pupil);
        r.farDist = r.nearDist + subject.depth;
        if (!rail && plan.status == FocusPlanner::StackPlan::Status::Ok)
            plan = FocusPlanner::stack(r.focal, aperture, r.nearDist, r.farDist, coc.mm,
                                       diffraction, overlap, pupil);
    } else {
        plan = rail ? FocusPlanner::railStack(r.focal, aperture, r.nearDist, r.farDist, coc.mm,
                                              diffraction, overlap, pupil)
                    : FocusPlanner::stack(r.focal, aperture, r.nearDist, r.farDist, coc.mm,
                                          diffraction, overlap, pupil);
    }
    const QString nearName =
        subject.byMagnification ? QStringLiteral("--magnification") : QStringLiteral("--near");
    switch (plan.status) {
    case FocusPlanner::StackPlan::Status::Ok:
        break;
    case FocusPlanner::StackPlan::Status::DiffractionExceedsCoc: {
        QString suggestion =
            plan.suggestedFNumber > 0
                ? QStringLiteral("; f-numbers below f/%1 work, the largest third stop is f/%2")
                      .arg(downward(plan.diffractionLimit), g6(plan.suggestedFNumber))
                : QStringLiteral("; not even f/1 works with this CoC");
        args.fail(QStringLiteral("--aperture: f/%1 is working f/%2 at %3 at %4, where "
                                 "diffraction alone (%5 mm) reaches the CoC (%6 mm), so nothing "
                                 "is sharp%7")
                      .arg(g6(aperture), fNumber(plan.nearWorkingFNumber),
                           ratio(plan.nearMagnification), nearName,
                           g6(FocusPlanner::AiryPerFNumber * plan.nearWorkingFNumber), g6(coc.mm),
                           suggestion));
        return refused(args);
    }
    case FocusPlanner::StackPlan::Status::TooManyFrames:
        args.fail(QStringLiteral("the plan needs more than %1 frames; choose a larger f-number, a "
                                 "larger CoC or a shorter range")
                      .arg(FocusPlanner::MaxFrames));
        return refused(args);
    case FocusPlanner::StackPlan::Status::InvalidInput:
        if (subject.byMagnification)
            args.fail(QStringLiteral("--magnification %1 and --depth %2 are too extreme to plan "
                                     "at a focal length of %3 mm")
                          .arg(g6(subject.magnification), g6(subject.depth), g6(r.focal)));
        else
            args.fail(tooNarrow(r));
        return refused(args);
    }

    if (format == QLatin1String("json")) {
        QJsonArray frames;
        for (const FocusPlanner::Frame &f : plan.frames) {
            QJsonObject frame{{QStringLiteral("focus_m"), metresJson(f.focus)},
                              {QStringLiteral("near_m"), metresJson(f.nearLimit)},
                              {QStringLiteral("far_m"), metresJson(f.farLimit)},
                              {QStringLiteral("magnification"), f.magnification},
                              {QStringLiteral("working_aperture"), f.workingFNumber}};
            if (!std::isnan(f.step))
                frame.insert(QStringLiteral("step_mm"), numberJson(f.step));
            frames.append(frame);
        }
        QJsonObject result{{QStringLiteral("focal_mm"), r.focal},
                           {QStringLiteral("aperture"), aperture},
                           {QStringLiteral("coc_mm"), coc.mm},
                           {QStringLiteral("diffraction"), diffraction},
                           {QStringLiteral("pupil_magnification"), pupil},
                           {QStringLiteral("overlap"), overlap},
                           {QStringLiteral("rail"), rail},
                           {QStringLiteral("near_m"), metresJson(r.nearDist)},
                           {QStringLiteral("far_m"), metresJson(r.farDist)},
                           {QStringLiteral("count"), int(plan.frames.size())},
                           {QStringLiteral("frames"), frames}};
        if (rail) {
            result.insert(QStringLiteral("magnification"), plan.railMagnification);
            result.insert(QStringLiteral("working_aperture"), plan.railWorkingFNumber);
            result.insert(QStringLiteral("zone_mm"), numberJson(plan.railZone));
        }
        return done(json(withCamera(result, coc)));
    }
    if (format == QLatin1String("csv"))
        return done(StackCsv::write(plan.frames, QStringLiteral("m"), 1000));

    const int count = int(plan.frames.size());
    // A rail plan overlaps by exactly the asked fraction, a refocusing one
    // by at least that.
    output =
        QStringLiteral("%1 %2 from %3 to %4 at f/%5, %6 mm, CoC %7 mm%8, overlap %9%\n")
            .arg(QString::number(count),
                 count == 1 ? QStringLiteral("frame covers everything")
                            : QStringLiteral("frames cover everything"),
                 metresText(r.nearDist), metresText(r.farDist), g6(aperture), g6(r.focal),
                 g6(coc.mm), diffraction ? QStringLiteral(", diffraction included") : QString(),
                 (rail ? QString() : QStringLiteral("at least ")) + g6(overlap * 100) +
                     QLatin1Char(' '));
    if (rail) {
        output +=
            QStringLiteral("On a focusing rail: the lens stays at %1 (working f/%2), each frame %3 "
                           "deep; the camera moves towards the subject by the rail step. Distances "
                           "from the lens at frame 1.\n\n")
                .arg(ratio(plan.railMagnification), fNumber(plan.railWorkingFNumber),
                     stepText(plan.railZone));
    } else {
        output += QStringLiteral("Refocusing the lens for each frame: the focus step is how far "
                                 "the focus distance moves from the frame before. Distances "
                                 "from the lens.\n\n");
    }
    TextTable table({QStringLiteral("Frame"), QStringLiteral("Focus"), QStringLiteral("Near"),
                     QStringLiteral("Far"),
                     rail ? QStringLiteral("Rail step") : QStringLiteral("Focus step")});
    for (int i = 0; i < count; ++i) {
        const FocusPlanner::Frame &f = plan.frames[size_t(i)];
        table.addRow({QString::number(i + 1), metresText(f.focus), metresText(f.nearLimit),
                      metresText(f.farLimit), stepText(f.step)});
    }
    output += table.text();
    return done(output);
}

} // namespace CalcCommands
