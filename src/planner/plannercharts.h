#ifndef PLANNERCHARTS_H
#define PLANNERCHARTS_H

#include "plannertext.h"
#include "planning/focusplanner.h"

#include <QSize>
#include <QString>

class QPainter;

// The planner's two charts, each drawn by one routine that paints on any
// device (the screen, an image, SVG or PDF), and each described in numbers
// for those who cannot see it.
namespace PlannerCharts
{

// Worst blur over the range against the third stops, on logarithmic axes,
// with the CoC line (blur 1) and the best aperture marked.
void drawBlur(QPainter &painter, const QSize &size, const FocusPlanner::OptimumPlan &plan);
QString describeBlur(const FocusPlanner::OptimumPlan &plan);

// The frames' sharp zones along the distance axis (logarithmic), one bar
// per frame, nearest at the top; the range itself is marked behind them.
void drawStack(QPainter &painter, const QSize &size, const FocusPlanner::StackPlan &plan,
               double nearDist, double farDist, PlannerText::Unit unit);
QString describeStack(const FocusPlanner::StackPlan &plan, double nearDist, double farDist,
                      PlannerText::Unit unit);

// Shown in place of a chart that has nothing to show.
void drawMessage(QPainter &painter, const QSize &size, const QString &message);

} // namespace PlannerCharts

#endif // PLANNERCHARTS_H
