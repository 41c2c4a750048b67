#ifndef PLANNERCHARTS_H
#define PLANNERCHARTS_H

#include "plannertext.h"
#include "planning/focusplanner.h"

#include <QList>
#include <QPointF>
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

// One camera of the background-blur chart: its lens, focus and frame
// width, all in mm.
struct BlurCamera {
    double flength = 0;
    double fNumber = 0;
    double focus = 0;
    double frameWidth = 0;
};
// The blur of a background as a share of each camera's frame width against
// the background's distance behind the subject (logarithmic), both cameras
// framing the same subject; the chosen distance is marked.
void drawBackgroundBlur(QPainter &painter, const QSize &size, const BlurCamera &first,
                        const BlurCamera &second, double behind, PlannerText::Unit unit);
QString describeBackgroundBlur(const BlurCamera &first, const BlurCamera &second, double behind,
                               PlannerText::Unit unit);
// A camera's background blur in percent of its frame width, for a
// background behind its subject.
double backgroundBlurPercent(const BlurCamera &camera, double behind);

// A point of a chart and what it stands for in the chart's units, for
// the reader who points at it.
struct Point {
    QPointF at;
    QString text;
};
// The points of each chart at a size, where its routine draws them: the
// blur at each stop, each frame's focus, the samples of both curves.
QList<Point> blurPoints(const QSize &size, const FocusPlanner::OptimumPlan &plan);
QList<Point> stackPoints(const QSize &size, const FocusPlanner::StackPlan &plan, double nearDist,
                         double farDist, PlannerText::Unit unit);
QList<Point> backgroundBlurPoints(const QSize &size, const BlurCamera &first,
                                  const BlurCamera &second, double behind, PlannerText::Unit unit);
// The text of the point nearest to at, no farther than reach; empty where
// none is that near.
QString pointNear(const QList<Point> &points, const QPointF &at, double reach);

// Shown in place of a chart that has nothing to show.
void drawMessage(QPainter &painter, const QSize &size, const QString &message);

} // namespace PlannerCharts

#endif // PLANNERCHARTS_H
