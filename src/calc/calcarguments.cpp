#include "calcarguments.h"

#include "calcformat.h"
#include "presets/cocpresets.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace
{

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The CoC the window starts with: full frame at 21 million pixels, as its
// box rounds it.
constexpr double DefaultCoc = 0.0128;

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString trimmedFormatName(int index)
{
    return QString::fromLatin1(CocPresets::formatName(index)).trimmed();
}

} // namespace

CalcArguments::CalcArguments(const QString &command) : command(command)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

void CalcArguments::addOption(const QString &name, const QString &valueName,
                              const QString &description)
{
    parser.addOption(QCommandLineOption(name, description, valueName));
    optionHelp.append({QStringLiteral("--") + name + QLatin1Char(' ') + valueName, description});
}

void CalcArguments::addFlag(const QString &name, const QString &description)
{
    parser.addOption(QCommandLineOption(name, description));
    optionHelp.append({QStringLiteral("--") + name, description});
}

void CalcArguments::addCocOptions()
{
    addOption(QStringLiteral("coc"), QStringLiteral("MM"),
              QStringLiteral("circle of confusion in mm (default 0.0128)"));
    addOption(QStringLiteral("sensor"), QStringLiteral("FORMAT"),
              QStringLiteral("CoC from a sensor format: index 0-13 or a piece of its name "
                             "(see 'vorel-calc presets')"));
    addOption(QStringLiteral("megapixels"), QStringLiteral("MP"),
              QStringLiteral("with --sensor: the image's millions of pixels (default 4.17)"));
    addOption(QStringLiteral("view-distance"), QStringLiteral("D"),
              QStringLiteral("CoC from viewing distance, with --image-width (same unit)"));
    addOption(QStringLiteral("image-width"), QStringLiteral("W"),
              QStringLiteral("with --view-distance: width of the print or screen image"));
    addOption(QStringLiteral("form"), QStringLiteral("3:2|4:3"),
              QStringLiteral("with --view-distance: the image's form (default 3:2)"));
}

void CalcArguments::addFormatOption(const QStringList &allowed)
{
    formats = allowed;
    addOption(QStringLiteral("format"), allowed.join(QLatin1Char('|')),
              QStringLiteral("output format (default %1)").arg(allowed.first()));
}

void CalcArguments::setPositional(const QStringList &names, const QStringList &descriptions)
{
    positionalNames = names;
    positionalHelp = descriptions;
}

bool CalcArguments::parse(const QStringList &arguments)
{
    if (!parser.parse(QStringList(QStringLiteral("vorel-calc")) + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString name = unknown.first();
            QStringList known;
            for (const OptionHelp &o : optionHelp)
                known << o.syntax.section(QLatin1Char(' '), 0, 0);
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
    if (given.size() > positionalNames.size()) {
        fail(QStringLiteral("unexpected argument %1%2")
                 .arg(quoted(given.value(positionalNames.size())),
                      positionalNames.isEmpty()
                          ? QStringLiteral("; this command takes only options")
                          : QStringLiteral("; this command takes ") +
                                positionalNames.join(QLatin1Char(' '))));
        return false;
    }
    if (given.size() < positionalNames.size()) {
        fail(QStringLiteral("missing %1 (%2)")
                 .arg(positionalNames.value(given.size()), positionalHelp.value(given.size())));
        return false;
    }
    return true;
}

QString CalcArguments::helpText() const
{
    QString text = QStringLiteral("Usage: vorel-calc %1").arg(command);
    for (const QString &name : positionalNames)
        text += QLatin1Char(' ') + name;
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

void CalcArguments::fail(const QString &message)
{
    if (problem.isEmpty())
        problem = message;
}

bool CalcArguments::flag(const QString &name) const
{
    return parser.isSet(name);
}

QString CalcArguments::value(const QString &name)
{
    const QStringList values = parser.values(name);
    if (values.size() > 1) {
        fail(QStringLiteral("--%1 is given %2 times; give it once").arg(name).arg(values.size()));
        return QString();
    }
    return values.value(0);
}

double CalcArguments::number(const QString &name, const QString &text)
{
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

double CalcArguments::positive(const QString &name)
{
    if (!flag(name)) {
        fail(QStringLiteral("missing --%1").arg(name));
        return NaN;
    }
    return positiveOr(name, NaN);
}

double CalcArguments::positiveOr(const QString &name, double fallback)
{
    if (!flag(name))
        return fallback;
    const QString text = value(name);
    const double value = number(name, text);
    if (std::isfinite(value) && !(value > 0)) {
        fail(QStringLiteral("--%1: %2 must be greater than 0").arg(name, quoted(text)));
        return NaN;
    }
    return value;
}

double CalcArguments::distance(const QString &name, double flength, bool allowInfinity)
{
    if (!flag(name)) {
        fail(QStringLiteral("missing --%1 (a distance in metres)").arg(name));
        return NaN;
    }
    const QString text = value(name).trimmed();
    const QString lower = text.toLower();
    if (lower == QLatin1String("inf") || lower == QLatin1String("infinity")) {
        if (allowInfinity)
            return std::numeric_limits<double>::infinity();
        fail(QStringLiteral("--%1: must be a finite distance in metres").arg(name));
        return NaN;
    }
    const double mm = number(name, text) * 1000;
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

QList<double> CalcArguments::positiveList(const QString &name, const QList<double> &fallback)
{
    if (!flag(name))
        return fallback;
    QList<double> values;
    const QStringList items = value(name).split(QLatin1Char(','));
    if (items.size() > MaxListEntries) {
        fail(QStringLiteral("--%1: %2 entries; a list takes at most %3")
                 .arg(name)
                 .arg(items.size())
                 .arg(MaxListEntries));
        return fallback;
    }
    for (const QString &item : items) {
        const double value = number(name, item);
        if (std::isfinite(value) && !(value > 0))
            fail(QStringLiteral("--%1: %2 must be greater than 0").arg(name, quoted(item)));
        values << value;
    }
    return values;
}

QList<double> CalcArguments::distanceList(const QString &name, double flength,
                                          const QList<double> &fallbackMetres)
{
    QList<double> mm;
    if (!flag(name)) {
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
    const QList<double> values = positiveList(name, fallbackMetres);
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

double CalcArguments::fraction(const QString &name, double fallback)
{
    if (!flag(name))
        return fallback;
    const QString text = value(name);
    const double value = number(name, text);
    if (std::isfinite(value) && !(value >= 0 && value < 1)) {
        fail(QStringLiteral("--%1: %2 must be at least 0 and less than 1 (0.1 is a tenth)")
                 .arg(name, quoted(text)));
        return NaN;
    }
    return value;
}

QString CalcArguments::format()
{
    if (!flag(QStringLiteral("format")))
        return formats.value(0);
    const QString chosen = value(QStringLiteral("format")).trimmed().toLower();
    if (!formats.contains(chosen))
        fail(QStringLiteral("--format: %1 is not one of %2")
                 .arg(quoted(chosen), formats.join(QStringLiteral(", "))));
    return chosen;
}

QString CalcArguments::positional(int index) const
{
    return parser.positionalArguments().value(index);
}

CalcArguments::Coc CalcArguments::coc()
{
    const Coc result = cocAsGiven();
    // Huge but finite inputs can still overflow the formulas.
    if (!failed() && !(std::isfinite(result.mm) && result.mm > 0))
        fail(QStringLiteral("the CoC %1 (%2) is not a usable size")
                 .arg(QString::number(result.mm), result.source));
    return result;
}

CalcArguments::Coc CalcArguments::cocAsGiven()
{
    const QString cocName = QStringLiteral("coc");
    const QString sensorName = QStringLiteral("sensor");
    const QString viewName = QStringLiteral("view-distance");
    QStringList ways;
    for (const QString &name : {cocName, sensorName, viewName})
        if (flag(name))
            ways << QStringLiteral("--") + name;
    if (ways.size() > 1) {
        fail(QStringLiteral("%1 are different ways to give the CoC; use one")
                 .arg(ways.join(QStringLiteral(" and "))));
        return {NaN, QString()};
    }
    if (flag(QStringLiteral("megapixels")) && !flag(sensorName))
        fail(QStringLiteral("--megapixels needs --sensor"));
    for (const char *name : {"image-width", "form"})
        if (flag(QLatin1String(name)) && !flag(viewName))
            fail(QStringLiteral("--%1 needs --view-distance").arg(QLatin1String(name)));

    if (flag(cocName)) {
        const double mm = positiveOr(cocName, NaN);
        return {mm, QStringLiteral("given")};
    }
    if (flag(sensorName)) {
        const QString text = value(sensorName).trimmed();
        int index = -1;
        if (QRegularExpression(QStringLiteral("^[0-9]+$")).match(text).hasMatch()) {
            bool inRange = false;
            index = text.toInt(&inRange);
            if (!inRange || index >= CocPresets::FormatCount) {
                fail(QStringLiteral("--sensor: index %1 is outside 0 to %2")
                         .arg(text)
                         .arg(CocPresets::FormatCount - 1));
                index = -1;
            }
        } else {
            QStringList matches;
            for (int i = 0; i < CocPresets::FormatCount; ++i) {
                if (!text.isEmpty() && trimmedFormatName(i).contains(text, Qt::CaseInsensitive)) {
                    index = i;
                    matches << quoted(trimmedFormatName(i));
                }
            }
            if (matches.isEmpty()) {
                fail(QStringLiteral("--sensor: %1 matches no sensor format; give an index 0 to "
                                    "%2 or a piece of a name ('vorel-calc presets' lists them)")
                         .arg(quoted(text))
                         .arg(CocPresets::FormatCount - 1));
                index = -1;
            } else if (matches.size() > 1) {
                fail(QStringLiteral("--sensor: %1 matches %2 formats (%3); give more of the "
                                    "name or its index")
                         .arg(quoted(text))
                         .arg(matches.size())
                         .arg(matches.join(QStringLiteral(", "))));
                index = -1;
            }
        }
        const double megaPixels =
            positiveOr(QStringLiteral("megapixels"), CocPresets::StandardMegaPixels);
        if (index < 0 || !std::isfinite(megaPixels))
            return {NaN, QString()};
        const double mm =
            CocPresets::cocFromPixelSize(CocPresets::sensorDiagonal(index), megaPixels * 1000000.0);
        return {mm, QStringLiteral("%1, %2 million pixels")
                        .arg(trimmedFormatName(index), QString::number(megaPixels, 'g', 6))};
    }
    if (flag(viewName)) {
        const double distance = positiveOr(viewName, NaN);
        const QString widthName = QStringLiteral("image-width");
        if (!flag(widthName))
            fail(QStringLiteral("--view-distance needs --image-width"));
        const double width = positiveOr(widthName, NaN);
        int form = 0;
        if (flag(QStringLiteral("form"))) {
            const QString text = value(QStringLiteral("form")).trimmed();
            if (text == QLatin1String("3:2"))
                form = 0;
            else if (text == QLatin1String("4:3"))
                form = 1;
            else
                fail(QStringLiteral("--form: %1 is not one of 3:2, 4:3").arg(quoted(text)));
        }
        const double mm = CocPresets::cocFromViewDistance(distance, width, form);
        return {mm, QStringLiteral("viewed from %1 at a width of %2, %3")
                        .arg(QString::number(distance, 'g', 6), QString::number(width, 'g', 6),
                             form == 0 ? QStringLiteral("3:2") : QStringLiteral("4:3"))};
    }
    return {DefaultCoc, QStringLiteral("default")};
}
