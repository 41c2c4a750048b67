#ifndef STACKCSV_H
#define STACKCSV_H

#include "focusplanner.h"

#include <QString>

// A focus stack's frames as CSV, one writer for vorel-calc and the
// planner: a header, then per frame its number, focus, near and far limit
// in a distance unit and the step in mm, numbers in the C locale as the
// shortest text that reads back as the same number, "inf" for infinity,
// an empty cell for none; lines end in CR LF (RFC 4180).
namespace StackCsv
{

// unitSymbol names the unit in the header ("m": focus_m), unitMm is its
// length in millimetres.
QString write(const std::vector<FocusPlanner::Frame> &frames, const QString &unitSymbol,
              double unitMm);

} // namespace StackCsv

#endif // STACKCSV_H
