#ifndef PLANNERTEXT_H
#define PLANNERTEXT_H

#include <QString>

// How the planner words its figures: distances in the chosen unit, f-numbers
// as lenses engrave them, and advice rounded in the safe direction, so that
// advice followed to the letter still works.
namespace PlannerText
{

enum class Unit { Metres, Feet };

constexpr double MillimetresPerFoot = 304.8;

// Millimetres to the unit and back.
double toUnit(double mm, Unit unit);
double fromUnit(double value, Unit unit);
// "m" or "ft".
QString unitSymbol(Unit unit);

// A distance with its unit symbol and digits significant digits; "infinity"
// (translated) for an infinite one.
QString distance(double mm, Unit unit, int digits = 4);
// A figure with digits significant digits, in the user's locale (its
// decimal mark, no group separators), as the number boxes show figures.
QString number(double value, int digits);
// "f/8", "f/12", "f/6.78": three significant digits.
QString fNumber(double n);
// A reproduction ratio for a magnification: "1:124", "2:1".
QString ratio(double magnification);
// value rounded to digits significant digits as vorel-calc rounds advice
// (FocusPlanner::rounded): up (a CoC, a blur, the near end of a range) or
// down (the far end of a range).
QString upward(double value, int digits = 3);
QString downward(double value, int digits = 3);

} // namespace PlannerText

#endif // PLANNERTEXT_H
