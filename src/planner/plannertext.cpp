#include "plannertext.h"

#include "planning/focusplanner.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <limits>

namespace PlannerText
{

double toUnit(double mm, Unit unit)
{
    return unit == Unit::Feet ? mm / MillimetresPerFoot : mm / 1000.0;
}

double fromUnit(double value, Unit unit)
{
    return unit == Unit::Feet ? value * MillimetresPerFoot : value * 1000.0;
}

QString unitSymbol(Unit unit)
{
    return unit == Unit::Feet ? QStringLiteral("ft") : QStringLiteral("m");
}

QString distance(double mm, Unit unit, int digits)
{
    if (std::isinf(mm) && mm > 0)
        return QCoreApplication::translate("PlannerText", "infinity");
    if (!std::isfinite(mm))
        return QStringLiteral("-");
    return number(toUnit(mm, unit), digits) + QLatin1Char(' ') + unitSymbol(unit);
}

QString number(double value, int digits)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', digits);
}

QString fNumber(double n)
{
    return QStringLiteral("f/") + number(n, 3);
}

QString ratio(double m)
{
    if (!(m > 0) || !std::isfinite(m))
        return QStringLiteral("1:") + number(std::numeric_limits<double>::infinity(), 3);
    if (m >= 1.0)
        return number(m, 3) + QStringLiteral(":1");
    return QStringLiteral("1:") + number(1.0 / m, 3);
}

QString upward(double value, int digits)
{
    return number(FocusPlanner::rounded(value, digits, true), digits);
}

QString downward(double value, int digits)
{
    return number(FocusPlanner::rounded(value, digits, false), digits);
}

} // namespace PlannerText
