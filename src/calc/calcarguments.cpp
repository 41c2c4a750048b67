#include "calcarguments.h"

#include "calc/cocresolution.h"
#include "calcformat.h"

#include <cmath>
#include <limits>

namespace
{

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString nameOf(const OptionSpec &option)
{
    return QLatin1String(option.name);
}

} // namespace

CalcArguments::CalcArguments(const QString &command) : command(command)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

void CalcArguments::add(const OptionSpec &option)
{
    const QString name = nameOf(option);
    const QString description = QLatin1String(option.description);
    declaredNames << name;
    if (option.valueName == nullptr) {
        parser.addOption(QCommandLineOption(name, description));
        optionHelp.append({QStringLiteral("--") + name, description});
        return;
    }
    const QString valueName = QLatin1String(option.valueName);
    parser.addOption(QCommandLineOption(name, description, valueName));
    optionHelp.append({QStringLiteral("--") + name + QLatin1Char(' ') + valueName, description});
}

void CalcArguments::addCocOptions()
{
    for (const OptionSpec *option :
         {&CalcOptions::Coc, &CalcOptions::Sensor, &CalcOptions::Camera, &CalcOptions::MegaPixels,
          &CalcOptions::ViewDistance, &CalcOptions::ImageWidth, &CalcOptions::Form})
        add(*option);
}

void CalcArguments::addFormatOption(const QStringList &allowed)
{
    formats = allowed;
    // The one option whose value name and default depend on the command.
    const QString name = nameOf(CalcOptions::Format);
    const QString description =
        QStringLiteral("%1 (default %2)")
            .arg(QLatin1String(CalcOptions::Format.description), allowed.first());
    const QString valueName = allowed.join(QLatin1Char('|'));
    declaredNames << name;
    parser.addOption(QCommandLineOption(name, description, valueName));
    optionHelp.append({QStringLiteral("--") + name + QLatin1Char(' ') + valueName, description});
}

void CalcArguments::setPositional(const QStringList &names, const QStringList &descriptions,
                                  Last last)
{
    positionalNames = names;
    positionalHelp = descriptions;
    lastPositional = last;
}

bool CalcArguments::parse(const QStringList &arguments)
{
    if (!parser.parse(QStringList(QStringLiteral("vorel-calc")) + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString name = unknown.first();
            const QStringList known = optionNames();
            fail(QStringLiteral("unknown option %1; this command takes %2")
                     .arg(quoted((name.size() == 1 ? "-" : "--") + name),
                          known.isEmpty() ? QStringLiteral("no options")
                                          : known.join(QStringLiteral(", "))));
        } else {
            // Qt's own text says which option lacks its value.
            QString text = parser.errorText();
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
            fail(text.left(1).toLower() + text.mid(1));
        }
        return false;
    }
    wantsHelp = parser.isSet(QStringLiteral("help"));
    if (wantsHelp)
        return true;

    const QStringList given = parser.positionalArguments();
    const bool optionalLast = lastPositional == Last::Optional || lastPositional == Last::Any;
    const bool repeatedLast = lastPositional == Last::Repeated || lastPositional == Last::Any;
    const int required = int(positionalNames.size()) - (optionalLast ? 1 : 0);
    if (given.size() > positionalNames.size() && !repeatedLast) {
        fail(QStringLiteral("unexpected argument %1%2")
                 .arg(quoted(given.value(positionalNames.size())),
                      positionalNames.isEmpty()
                          ? QStringLiteral("; this command takes only options")
                          : QStringLiteral("; this command takes ") +
                                positionalNames.join(QLatin1Char(' '))));
        return false;
    }
    if (given.size() < required) {
        fail(QStringLiteral("missing %1 (%2)")
                 .arg(positionalNames.value(given.size()), positionalHelp.value(given.size())));
        return false;
    }
    return true;
}

QString CalcArguments::helpText() const
{
    QString text = QStringLiteral("Usage: vorel-calc %1").arg(command);
    for (int i = 0; i < positionalNames.size(); ++i) {
        const bool last = i == positionalNames.size() - 1;
        if (last && lastPositional == Last::Optional)
            text += QStringLiteral(" [%1]").arg(positionalNames[i]);
        else if (last && lastPositional == Last::Repeated)
            text += QStringLiteral(" %1...").arg(positionalNames[i]);
        else if (last && lastPositional == Last::Any)
            text += QStringLiteral(" [%1...]").arg(positionalNames[i]);
        else
            text += QLatin1Char(' ') + positionalNames[i];
    }
    if (!optionHelp.isEmpty())
        text += QStringLiteral(" [options]");
    text += QStringLiteral("\n\n") + description + QLatin1Char('\n');
    if (!positionalNames.isEmpty()) {
        text += QStringLiteral("\nArguments:\n");
        for (int i = 0; i < positionalNames.size(); ++i)
            text += QStringLiteral("  %1  %2\n")
                        .arg(positionalNames[i].leftJustified(22), positionalHelp.value(i));
    }
    if (!optionHelp.isEmpty()) {
        text += QStringLiteral("\nOptions:\n");
        for (const OptionHelp &o : optionHelp)
            text += QStringLiteral("  %1  %2\n").arg(o.syntax.leftJustified(22), o.description);
    }
    return text;
}

QStringList CalcArguments::optionNames() const
{
    QStringList names;
    for (const OptionHelp &o : optionHelp)
        names << o.syntax.section(QLatin1Char(' '), 0, 0);
    return names;
}

bool CalcArguments::declared(const OptionSpec &option) const
{
    if (declaredNames.contains(nameOf(option)))
        return true;
    const_cast<CalcArguments *>(this)->fail(
        QStringLiteral("internal error: %1 reads --%2, which it does not declare")
            .arg(command, nameOf(option)));
    return false;
}

void CalcArguments::fail(const QString &message)
{
    if (problem.isEmpty())
        problem = message;
}

void CalcArguments::failWorking(const QString &message)
{
    if (problem.isEmpty()) {
        problem = message;
        workingFailure = true;
    }
}

bool CalcArguments::flag(const OptionSpec &option) const
{
    return declared(option) && parser.isSet(nameOf(option));
}

QString CalcArguments::value(const OptionSpec &option)
{
    if (!declared(option))
        return QString();
    const QString name = nameOf(option);
    const QStringList values = parser.values(name);
    if (values.size() > 1) {
        fail(QStringLiteral("--%1 is given %2 times; give it once").arg(name).arg(values.size()));
        return QString();
    }
    return values.value(0);
}

double CalcArguments::number(const OptionSpec &option, const QString &text)
{
    const QString name = nameOf(option);
    bool ok = false;
    // QByteArray reads numbers in the C locale whatever the user's locale.
    const double value = text.toLatin1().toDouble(&ok);
    if (ok && std::isfinite(value))
        return value;
    if (text.contains(QLatin1Char(',')))
        fail(QStringLiteral("--%1: %2 is not a number; write decimals with a point, as in 2.8")
                 .arg(name, quoted(text)));
    else if (ok)
        fail(QStringLiteral("--%1: %2 is not a finite number").arg(name, quoted(text)));
    else
        fail(QStringLiteral("--%1: %2 is not a number").arg(name, quoted(text)));
    return NaN;
}

double CalcArguments::positive(const OptionSpec &option)
{
    const QString name = nameOf(option);
    if (!flag(option)) {
        fail(QStringLiteral("missing --%1").arg(name));
        return NaN;
    }
    return positiveOr(option, NaN);
}

double CalcArguments::positiveOr(const OptionSpec &option, double fallback)
{
    const QString name = nameOf(option);
    if (!flag(option))
        return fallback;
    const QString text = value(option);
    const double value = number(option, text);
    if (std::isfinite(value) && !(value > 0)) {
        fail(QStringLiteral("--%1: %2 must be greater than 0").arg(name, quoted(text)));
        return NaN;
    }
    return value;
}

double CalcArguments::numberOr(const OptionSpec &option, double fallback)
{
    if (!flag(option))
        return fallback;
    const QString text = value(option);
    const double value = number(option, text);
    if (std::isfinite(value) && !(value >= option.min && value <= option.max)) {
        fail(QStringLiteral("--%1: %2 is outside %3 to %4")
                 .arg(nameOf(option), quoted(text), QString::number(option.min),
                      QString::number(option.max)));
        return NaN;
    }
    return value;
}

double CalcArguments::distance(const OptionSpec &option, double flength, bool allowInfinity)
{
    const QString name = nameOf(option);
    if (!flag(option)) {
        fail(QStringLiteral("missing --%1 (a distance in metres)").arg(name));
        return NaN;
    }
    const QString text = value(option).trimmed();
    const QString lower = text.toLower();
    if (lower == QLatin1String("inf") || lower == QLatin1String("infinity")) {
        if (allowInfinity)
            return std::numeric_limits<double>::infinity();
        fail(QStringLiteral("--%1: must be a finite distance in metres").arg(name));
        return NaN;
    }
    const double mm = number(option, text) * 1000;
    // A finite number of metres can still overflow in millimetres.
    if (std::isinf(mm)) {
        fail(QStringLiteral("--%1: %2 m is too far to compute with%3")
                 .arg(name, text,
                      allowInfinity ? QStringLiteral("; write inf for infinity") : QString()));
        return NaN;
    }
    if (std::isfinite(mm) && std::isfinite(flength) && !(mm > flength)) {
        fail(QStringLiteral("--%1: %2 m is at or inside the focal length (%3 mm); a distance "
                            "must lie beyond it")
                 .arg(name, text, QString::number(flength, 'g', 6)));
        return NaN;
    }
    return mm;
}

QList<double> CalcArguments::positiveList(const OptionSpec &option, const QList<double> &fallback)
{
    const QString name = nameOf(option);
    if (!flag(option))
        return fallback;
    QList<double> values;
    const QStringList items = value(option).split(QLatin1Char(','));
    if (items.size() > MaxListEntries) {
        fail(QStringLiteral("--%1: %2 entries; a list takes at most %3")
                 .arg(name)
                 .arg(items.size())
                 .arg(MaxListEntries));
        return fallback;
    }
    for (const QString &item : items) {
        const double value = number(option, item);
        if (std::isfinite(value) && !(value > 0))
            fail(QStringLiteral("--%1: %2 must be greater than 0").arg(name, quoted(item)));
        values << value;
    }
    return values;
}

QList<double> CalcArguments::distanceList(const OptionSpec &option, double flength,
                                          const QList<double> &fallbackMetres)
{
    const QString name = nameOf(option);
    QList<double> mm;
    if (!flag(option)) {
        // Of the default distances, those a lens of this focal length can
        // focus on: a long lens still gets its table.
        for (double m : fallbackMetres)
            if (!std::isfinite(flength) || m * 1000 > flength)
                mm << m * 1000;
        if (mm.isEmpty())
            fail(QStringLiteral("--%1: no default distance lies beyond the focal length (%2 mm); "
                                "give the distances")
                     .arg(name, QString::number(flength, 'g', 6)));
        return mm;
    }
    const QList<double> values = positiveList(option, fallbackMetres);
    for (double m : values) {
        if (std::isinf(m * 1000))
            fail(QStringLiteral("--%1: %2 m is too far to compute with")
                     .arg(name, QString::number(m, 'g', 6)));
        else if (std::isfinite(m) && std::isfinite(flength) && !(m * 1000 > flength))
            fail(
                QStringLiteral("--%1: %2 is at or inside the focal length (%3 mm)")
                    .arg(name, CalcFormat::metresText(m * 1000), QString::number(flength, 'g', 6)));
        mm << m * 1000;
    }
    return mm;
}

double CalcArguments::fraction(const OptionSpec &option, double fallback)
{
    const QString name = nameOf(option);
    if (!flag(option))
        return fallback;
    const QString text = value(option);
    const double value = number(option, text);
    if (std::isfinite(value) && !(value >= 0 && value < 1)) {
        fail(QStringLiteral("--%1: %2 must be at least 0 and less than 1 (0.1 is a tenth)")
                 .arg(name, quoted(text)));
        return NaN;
    }
    return value;
}

QString CalcArguments::format()
{
    if (!flag(CalcOptions::Format))
        return formats.value(0);
    const QString chosen = value(CalcOptions::Format).trimmed().toLower();
    if (!formats.contains(chosen))
        fail(QStringLiteral("--format: %1 is not one of %2")
                 .arg(quoted(chosen), formats.join(QStringLiteral(", "))));
    return chosen;
}

QString CalcArguments::positional(int index) const
{
    return parser.positionalArguments().value(index);
}

QStringList CalcArguments::positionals() const
{
    return parser.positionalArguments();
}

std::optional<double> CalcArguments::optionalPositive(const OptionSpec &option)
{
    if (!flag(option))
        return std::nullopt;
    return positiveOr(option, NaN);
}

std::optional<QString> CalcArguments::optionalText(const OptionSpec &option)
{
    if (!flag(option))
        return std::nullopt;
    return value(option);
}

CalcArguments::Coc CalcArguments::coc()
{
    // Which options are given decides the first problem, before any of
    // their numbers is read.
    CocResolution::Request request;
    const auto given = [this](const OptionSpec &o) {
        return flag(o) ? std::optional<double>(0) : std::nullopt;
    };
    request.coc = given(CalcOptions::Coc);
    request.sensor = optionalText(CalcOptions::Sensor);
    request.camera = optionalText(CalcOptions::Camera);
    request.megaPixels = given(CalcOptions::MegaPixels);
    request.viewDistance = given(CalcOptions::ViewDistance);
    request.imageWidth = given(CalcOptions::ImageWidth);
    request.form = optionalText(CalcOptions::Form);
    const QString combination = CocResolution::combinationProblem(request);
    if (!combination.isEmpty()) {
        fail(combination);
        return {NaN, QString()};
    }
    request.coc = optionalPositive(CalcOptions::Coc);
    request.megaPixels = optionalPositive(CalcOptions::MegaPixels);
    request.viewDistance = optionalPositive(CalcOptions::ViewDistance);
    request.imageWidth = optionalPositive(CalcOptions::ImageWidth);

    const CocResolution::Result result = CocResolution::resolve(request, cameraFinder);
    if (!result.problem.isEmpty()) {
        if (result.unavailable)
            failWorking(result.problem);
        else
            fail(result.problem);
        return {NaN, QString()};
    }
    // Huge but finite inputs can still overflow the formulas.
    if (!failed() && !(std::isfinite(result.mm) && result.mm > 0))
        fail(QStringLiteral("the CoC %1 (%2) is not a usable size")
                 .arg(QString::number(result.mm), result.source));
    return {result.mm, result.source, result.diagonal, result.aspect, result.camera, result.given};
}

QString CalcArguments::Coc::text() const
{
    return CalcFormat::withSource(QString::number(mm, 'g', 6) + QStringLiteral(" mm"), note());
}
