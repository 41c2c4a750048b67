#include "plannercharts.h"

#include "planning/framing.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace PlannerCharts
{

namespace
{

// Colours and margins of both charts, as the diagram keeps its own.
const QColor AxisColour(60, 60, 60);
const QColor GridColour(210, 210, 210);
const QColor CurveColour(20, 90, 200);
const QColor SharpColour(40, 160, 70, 60);
const QColor CocColour(200, 40, 40);
const QColor BestColour(230, 120, 0);
const QColor ZoneColour(20, 90, 200, 150);
const QColor RangeColour(240, 200, 60, 80);
const QColor SecondColour(200, 90, 20);
constexpr int MarginLeft = 52;
constexpr int MarginRight = 16;
constexpr int MarginTop = 14;
constexpr int MarginBottom = 34;

// Maps a value on a logarithmic axis from [lo, hi] onto [from, to] pixels.
double logPosition(double value, double lo, double hi, double from, double to)
{
    const double t = (std::log(value) - std::log(lo)) / (std::log(hi) - std::log(lo));
    return from + t * (to - from);
}

QRectF plotArea(const QSize &size)
{
    return QRectF(MarginLeft, MarginTop, std::max(1, size.width() - MarginLeft - MarginRight),
                  std::max(1, size.height() - MarginTop - MarginBottom));
}

QString number(double value)
{
    return PlannerText::number(value, 3);
}

// The distance axis's ticks in the unit, with their labels: 1-2-5 steps of
// each decade where the axis spans a few of them, otherwise evenly spaced
// round figures, so that a macro range of a fraction of a millimetre gets
// labels too.
QList<QPair<double, QString>> distanceTicks(double lo, double hi)
{
    QList<QPair<double, QString>> ticks;
    if (!(lo > 0) || !(hi > lo) || !std::isfinite(hi))
        return ticks;
    if (hi / lo > 4) {
        for (double decade = std::pow(10.0, std::floor(std::log10(lo))); decade <= hi;
             decade *= 10) {
            for (const double m : {1.0, 2.0, 5.0}) {
                const double v = decade * m;
                if (v >= lo && v <= hi)
                    ticks.append({v, number(v)});
            }
        }
        return ticks;
    }
    // About five ticks of a 1-2-5 step.
    const double raw = (hi - lo) / 5;
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    double step = unit;
    for (const double m : {2.0, 5.0, 10.0})
        if (step < raw)
            step = unit * m;
    // Enough digits to tell neighbouring ticks apart.
    const int digits =
        std::clamp(int(std::floor(std::log10(hi))) - int(std::floor(std::log10(step))) + 1, 1, 12);
    for (double k = std::ceil(lo / step); k * step <= hi; ++k)
        ticks.append({k * step, PlannerText::number(k * step, digits)});
    return ticks;
}

// Where the blur chart puts an f-number and a blur, shared by the drawing
// and the points that answer the mouse.
struct BlurAxes {
    BlurAxes(const QSize &size, const FocusPlanner::OptimumPlan &plan)
        : area(plotArea(size)), nLo(plan.stops.front().fNumber), nHi(plan.stops.back().fNumber)
    {
        double top = 1.0;
        for (const FocusPlanner::StopBlur &s : plan.stops)
            top = std::max(top, s.worstBlur);
        bLo = std::pow(10.0, std::floor(std::log10(std::min(plan.bestBlur, 1.0) * 0.9)));
        bHi = std::pow(10.0, std::ceil(std::log10(top * 1.1)));
    }
    double x(double n) const { return logPosition(n, nLo, nHi, area.left(), area.right()); }
    double y(double b) const { return logPosition(b, bLo, bHi, area.bottom(), area.top()); }

    QRectF area;
    double nLo;
    double nHi;
    double bLo = 1;
    double bHi = 1;
};

// The same for the stack chart: a distance, and a frame's bar.
struct StackAxes {
    StackAxes(const QSize &size, const FocusPlanner::StackPlan &plan, double nearDist,
              double farDist)
        : area(plotArea(size)), infinite(!std::isfinite(farDist))
    {
        // A few per cent of the range either side, and a rail plan's last
        // zone, which may reach beyond far.
        const double end = infinite ? farDist : std::max(farDist, plan.frames.back().farLimit);
        const double pad = infinite ? 0.05 : std::max(std::log(end / nearDist) * 0.05, 1e-9);
        lo = infinite ? nearDist / 1.05 : nearDist * std::exp(-pad);
        hi = infinite ? std::max(plan.frames.back().focus * 4, nearDist * 10) : end * std::exp(pad);
        // Infinity gets a place of its own at the right end of the axis.
        infinityX = area.right();
        if (infinite)
            area.setRight(area.right() - 24);
        row = area.height() / double(plan.frames.size());
        bar = std::max(1.0, row * 0.7);
    }
    double x(double d) const
    {
        if (!std::isfinite(d) || d > hi)
            return infinite ? infinityX : area.right();
        return logPosition(std::max(d, lo), lo, hi, area.left(), area.right());
    }
    double barTop(int frame) const { return area.top() + frame * row + (row - bar) / 2; }

    QRectF area;
    bool infinite;
    double lo = 1;
    double hi = 1;
    double infinityX = 0;
    double row = 1;
    double bar = 1;
};

// And for the background-blur chart: a background distance and a blur in
// per cent of the frame width.
struct BackgroundAxes {
    BackgroundAxes(const QSize &size, const BlurCamera &first, const BlurCamera &second,
                   double behind, double atInfinity)
        : area(plotArea(size))
    {
        // From a fiftieth of the subject's distance to fifty times it, and
        // always the chosen background.
        const double subject = std::min(first.focus, second.focus);
        lo = std::min(subject / 50, behind / 2);
        hi = std::max(subject * 50, behind * 2);
        top = atInfinity * 1.1;
    }
    double x(double d) const { return logPosition(d, lo, hi, area.left(), area.right()); }
    double y(double p) const
    {
        return area.bottom() - std::clamp(p / top, 0.0, 1.0) * area.height();
    }
    // The distance behind the subject of the n-th of samples+1 points.
    double sample(int n, int samples) const { return lo * std::pow(hi / lo, double(n) / samples); }

    QRectF area;
    double lo = 1;
    double hi = 1;
    double top = 1;
};

double blurAtInfinity(const BlurCamera &first, const BlurCamera &second)
{
    return std::max(backgroundBlurPercent(first, std::numeric_limits<double>::infinity()),
                    backgroundBlurPercent(second, std::numeric_limits<double>::infinity()));
}

constexpr int CurveSamples = 160;

} // namespace

void drawMessage(QPainter &painter, const QSize &size, const QString &message)
{
    painter.save();
    painter.setPen(AxisColour);
    painter.drawText(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(12, 12, -12, -12),
                     Qt::AlignCenter | Qt::TextWordWrap, message);
    painter.restore();
}

void drawBlur(QPainter &painter, const QSize &size, const FocusPlanner::OptimumPlan &plan)
{
    if (!plan.valid || plan.stops.empty()) {
        drawMessage(
            painter, size,
            QCoreApplication::translate("PlannerCharts", "No chart: the range cannot be planned."));
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const BlurAxes axes(size, plan);
    const QRectF &area = axes.area;
    const double nLo = axes.nLo;
    const double nHi = axes.nHi;
    const double bLo = axes.bLo;
    const double bHi = axes.bHi;
    const auto x = [&](double n) { return axes.x(n); };
    const auto y = [&](double b) { return axes.y(b); };

    // The f-numbers that keep the whole range sharp.
    if (plan.hasSharpRange) {
        const double from = std::clamp(plan.sharpFrom, nLo, nHi);
        const double to = std::clamp(plan.sharpTo, nLo, nHi);
        painter.fillRect(QRectF(QPointF(x(from), area.top()), QPointF(x(to), area.bottom())),
                         SharpColour);
    }

    // Grid and labels: full stops on the f-number axis, decades of blur.
    painter.setPen(GridColour);
    for (const double n : {1.0, 1.4, 2.0, 2.8, 4.0, 5.6, 8.0, 11.0, 16.0, 22.0, 32.0, 45.0, 64.0})
        painter.drawLine(QPointF(x(n), area.top()), QPointF(x(n), area.bottom()));
    for (double b = bLo; b <= bHi * 1.0001; b *= 10)
        painter.drawLine(QPointF(area.left(), y(b)), QPointF(area.right(), y(b)));
    painter.setPen(AxisColour);
    painter.drawRect(area);
    const QFontMetricsF metrics(painter.font());
    for (const double n : {1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0}) {
        const QString label = PlannerText::fNumber(n);
        painter.drawText(QPointF(x(n) - metrics.horizontalAdvance(label) / 2,
                                 area.bottom() + metrics.ascent() + 3),
                         label);
    }
    for (double b = bLo; b <= bHi * 1.0001; b *= 10) {
        const QString label = number(b);
        painter.drawText(QPointF(area.left() - metrics.horizontalAdvance(label) - 4,
                                 y(b) + metrics.ascent() / 2 - 1),
                         label);
    }
    const QString xTitle = QCoreApplication::translate("PlannerCharts", "f-number");
    painter.drawText(
        QPointF(area.center().x() - metrics.horizontalAdvance(xTitle) / 2, size.height() - 3),
        xTitle);
    painter.save();
    painter.translate(12, area.center().y());
    painter.rotate(-90);
    const QString yTitle = QCoreApplication::translate("PlannerCharts", "worst blur (CoC)");
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2, 0), yTitle);
    painter.restore();

    // The CoC line: below it everything in the range is sharp.
    painter.setPen(QPen(CocColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), y(1.0)), QPointF(area.right(), y(1.0)));
    painter.drawText(QPointF(area.left() + 4, y(1.0) - 3),
                     QCoreApplication::translate("PlannerCharts", "CoC"));

    QPolygonF curve;
    for (const FocusPlanner::StopBlur &s : plan.stops)
        curve << QPointF(x(s.fNumber), y(s.worstBlur));
    painter.setPen(QPen(CurveColour, 2));
    painter.drawPolyline(curve);
    painter.setBrush(CurveColour);
    for (const QPointF &p : curve)
        painter.drawEllipse(p, 2, 2);

    if (plan.bestFNumber >= nLo && plan.bestFNumber <= nHi) {
        const QPointF best(x(plan.bestFNumber), y(plan.bestBlur));
        painter.setPen(QPen(BestColour, 1.5));
        painter.drawLine(QPointF(best.x(), area.top()), QPointF(best.x(), area.bottom()));
        painter.setBrush(BestColour);
        painter.drawEllipse(best, 4.5, 4.5);
        const QString label = PlannerText::fNumber(plan.bestFNumber);
        const double w = metrics.horizontalAdvance(label);
        const double lx = best.x() + 6 + w < area.right() ? best.x() + 6 : best.x() - 6 - w;
        painter.drawText(QPointF(lx, area.top() + metrics.ascent() + 2), label);
    }
    painter.restore();
}

QString describeBlur(const FocusPlanner::OptimumPlan &plan)
{
    if (!plan.valid)
        return QCoreApplication::translate("PlannerCharts",
                                           "No chart: the range cannot be planned.");
    QStringList stops;
    for (const FocusPlanner::StopBlur &s : plan.stops)
        stops << QCoreApplication::translate("PlannerCharts", "%1: %2")
                     .arg(PlannerText::fNumber(s.fNumber), number(s.worstBlur));
    QString text = QCoreApplication::translate(
                       "PlannerCharts",
                       "Worst blur over the range at the best focus, in units of the CoC, at the "
                       "third stops from f/1 to f/64: %1. The CoC line is at 1. Best aperture %2 "
                       "with %3.")
                       .arg(stops.join(QStringLiteral(", ")),
                            PlannerText::fNumber(plan.bestFNumber), number(plan.bestBlur));
    if (plan.hasSharpRange)
        text +=
            QLatin1Char(' ') + QCoreApplication::translate("PlannerCharts", "Sharp from %1 to %2.")
                                   .arg(QStringLiteral("f/") + PlannerText::upward(plan.sharpFrom),
                                        QStringLiteral("f/") + PlannerText::downward(plan.sharpTo));
    else
        text += QLatin1Char(' ') +
                QCoreApplication::translate("PlannerCharts", "No f-number is sharp.");
    return text;
}

void drawStack(QPainter &painter, const QSize &size, const FocusPlanner::StackPlan &plan,
               double nearDist, double farDist, PlannerText::Unit unit)
{
    if (plan.status != FocusPlanner::StackPlan::Status::Ok || plan.frames.empty()) {
        drawMessage(
            painter, size,
            QCoreApplication::translate("PlannerCharts", "No chart: there is no stack to show."));
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const StackAxes axes(size, plan, nearDist, farDist);
    const QRectF &area = axes.area;
    const bool infinite = axes.infinite;
    const double lo = axes.lo;
    const double hi = axes.hi;
    const double infinityX = axes.infinityX;
    const auto x = [&](double d) { return axes.x(d); };

    painter.fillRect(QRectF(QPointF(x(nearDist), area.top()), QPointF(x(farDist), area.bottom())),
                     RangeColour);
    painter.setPen(AxisColour);
    painter.drawLine(area.bottomLeft(),
                     QPointF(infinite ? infinityX : area.right(), area.bottom()));
    const QFontMetricsF metrics(painter.font());
    // Ticks as many as fit.
    double lastRight = -1e9;
    for (const auto &[v, label] :
         distanceTicks(PlannerText::toUnit(lo, unit), PlannerText::toUnit(hi, unit))) {
        const double px = x(PlannerText::fromUnit(v, unit));
        const double w = metrics.horizontalAdvance(label);
        painter.setPen(GridColour);
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        if (px - w / 2 > lastRight + 4) {
            painter.setPen(AxisColour);
            painter.drawText(QPointF(px - w / 2, area.bottom() + metrics.ascent() + 3), label);
            lastRight = px + w / 2;
        }
    }
    painter.setPen(AxisColour);
    if (infinite)
        painter.drawText(QPointF(infinityX - metrics.horizontalAdvance(QStringLiteral("∞")) / 2,
                                 area.bottom() + metrics.ascent() + 3),
                         QStringLiteral("∞"));
    const QString xTitle = QCoreApplication::translate("PlannerCharts", "distance (%1)")
                               .arg(PlannerText::unitSymbol(unit));
    painter.drawText(
        QPointF(area.center().x() - metrics.horizontalAdvance(xTitle) / 2, size.height() - 3),
        xTitle);

    // One bar per frame; many frames share the height.
    const int count = int(plan.frames.size());
    const double row = axes.row;
    const double bar = axes.bar;
    for (int i = 0; i < count; ++i) {
        const FocusPlanner::Frame &f = plan.frames[size_t(i)];
        const double top = axes.barTop(i);
        painter.fillRect(QRectF(QPointF(x(f.nearLimit), top), QPointF(x(f.farLimit), top + bar)),
                         ZoneColour);
        painter.setPen(QPen(AxisColour, 1.5));
        painter.drawLine(QPointF(x(f.focus), top), QPointF(x(f.focus), top + bar));
    }
    if (count <= 12) {
        painter.setPen(AxisColour);
        for (int i = 0; i < count; ++i) {
            const QString label = QString::number(i + 1);
            painter.drawText(QPointF(area.left() - metrics.horizontalAdvance(label) - 6,
                                     area.top() + (i + 0.5) * row + metrics.ascent() / 2 - 1),
                             label);
        }
    }
    painter.restore();
}

QString describeStack(const FocusPlanner::StackPlan &plan, double nearDist, double farDist,
                      PlannerText::Unit unit)
{
    if (plan.status != FocusPlanner::StackPlan::Status::Ok || plan.frames.empty())
        return QCoreApplication::translate("PlannerCharts", "No chart: there is no stack to show.");
    // A screen reader reads every word: a long stack is told in part.
    constexpr size_t Told = 100;
    QStringList zones;
    for (size_t i = 0; i < std::min(plan.frames.size(), Told); ++i) {
        const FocusPlanner::Frame &f = plan.frames[i];
        zones << QCoreApplication::translate("PlannerCharts",
                                             "frame %1 focused at %2, sharp from %3 to %4")
                     .arg(QString::number(i + 1), PlannerText::distance(f.focus, unit),
                          PlannerText::distance(f.nearLimit, unit),
                          PlannerText::distance(f.farLimit, unit));
    }
    const QString from = PlannerText::distance(nearDist, unit);
    const QString to = PlannerText::distance(farDist, unit);
    QString list = zones.join(QStringLiteral("; "));
    if (plan.frames.size() > Told)
        list = QCoreApplication::translate("PlannerCharts", "%1; and %2 frames more")
                   .arg(list, QString::number(plan.frames.size() - Told));
    if (plan.frames.size() == 1)
        return QCoreApplication::translate("PlannerCharts", "One frame covers %1 to %2: %3.")
            .arg(from, to, list);
    return QCoreApplication::translate("PlannerCharts",
                                       "Sharp zones of %1 frames covering %2 to %3: %4.")
        .arg(QString::number(plan.frames.size()), from, to, list);
}

double backgroundBlurPercent(const BlurCamera &camera, double behind)
{
    const double blur = Framing::backgroundBlur(camera.flength, camera.fNumber, camera.focus,
                                                camera.focus + behind);
    return 100 * blur / camera.frameWidth;
}

void drawBackgroundBlur(QPainter &painter, const QSize &size, const BlurCamera &first,
                        const BlurCamera &second, double behind, PlannerText::Unit unit)
{
    const double atInfinity = blurAtInfinity(first, second);
    if (!(std::isfinite(atInfinity) && atInfinity > 0 && behind > 0)) {
        drawMessage(painter, size,
                    QCoreApplication::translate("PlannerCharts",
                                                "No chart: both cameras need a subject to frame."));
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const BackgroundAxes axes(size, first, second, behind, atInfinity);
    const QRectF &area = axes.area;
    const double lo = axes.lo;
    const double hi = axes.hi;
    const double top = axes.top;
    const auto x = [&](double d) { return axes.x(d); };
    const auto y = [&](double p) { return axes.y(p); };

    const QFontMetricsF metrics(painter.font());
    const double loU = PlannerText::toUnit(lo, unit);
    const double hiU = PlannerText::toUnit(hi, unit);
    double lastRight = -1e9;
    for (double decade = std::pow(10.0, std::floor(std::log10(loU))); decade <= hiU; decade *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double v = decade * m;
            if (v < loU || v > hiU)
                continue;
            const double px = x(PlannerText::fromUnit(v, unit));
            painter.setPen(GridColour);
            painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
            const QString label = number(v);
            const double w = metrics.horizontalAdvance(label);
            if (px - w / 2 > lastRight + 4) {
                painter.setPen(AxisColour);
                painter.drawText(QPointF(px - w / 2, area.bottom() + metrics.ascent() + 3), label);
                lastRight = px + w / 2;
            }
        }
    }
    // Five steps of blur up the side.
    const double step = std::pow(10.0, std::floor(std::log10(top / 5)));
    const double yStep = top / step > 25 ? step * 5 : (top / step > 10 ? step * 2 : step);
    for (double p = 0; p <= top; p += yStep) {
        painter.setPen(GridColour);
        painter.drawLine(QPointF(area.left(), y(p)), QPointF(area.right(), y(p)));
        painter.setPen(AxisColour);
        const QString label = number(p);
        painter.drawText(QPointF(area.left() - metrics.horizontalAdvance(label) - 4,
                                 y(p) + metrics.ascent() / 2 - 1),
                         label);
    }
    painter.setPen(AxisColour);
    painter.drawRect(area);
    const QString xTitle =
        QCoreApplication::translate("PlannerCharts", "background behind the subject (%1)")
            .arg(PlannerText::unitSymbol(unit));
    painter.drawText(
        QPointF(area.center().x() - metrics.horizontalAdvance(xTitle) / 2, size.height() - 3),
        xTitle);
    painter.save();
    painter.translate(12, area.center().y());
    painter.rotate(-90);
    const QString yTitle =
        QCoreApplication::translate("PlannerCharts", "background blur (% of frame width)");
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2, 0), yTitle);
    painter.restore();

    painter.setPen(QPen(BestColour, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(x(behind), area.top()), QPointF(x(behind), area.bottom()));

    const struct {
        const BlurCamera *camera;
        QColor colour;
        QString name;
    } curves[] = {
        {&first, CurveColour, QCoreApplication::translate("PlannerCharts", "first camera")},
        {&second, SecondColour, QCoreApplication::translate("PlannerCharts", "second camera")},
    };
    double legendY = area.top() + metrics.ascent() + 4;
    for (const auto &c : curves) {
        QPolygonF curve;
        for (int i = 0; i <= CurveSamples; ++i) {
            const double d = axes.sample(i, CurveSamples);
            curve << QPointF(x(d), y(backgroundBlurPercent(*c.camera, d)));
        }
        painter.setPen(QPen(c.colour, 2));
        painter.drawPolyline(curve);
        painter.drawLine(QPointF(area.left() + 8, legendY - metrics.ascent() / 3),
                         QPointF(area.left() + 28, legendY - metrics.ascent() / 3));
        painter.setPen(AxisColour);
        painter.drawText(QPointF(area.left() + 32, legendY), c.name);
        legendY += metrics.height() + 2;
    }
    painter.restore();
}

QString describeBackgroundBlur(const BlurCamera &first, const BlurCamera &second, double behind,
                               PlannerText::Unit unit)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double p1 = backgroundBlurPercent(first, behind);
    const double p2 = backgroundBlurPercent(second, behind);
    if (!(std::isfinite(p1) && std::isfinite(p2)))
        return QCoreApplication::translate("PlannerCharts",
                                           "No chart: both cameras need a subject to frame.");
    return QCoreApplication::translate(
               "PlannerCharts",
               "Background blur in percent of the frame width against the background's distance "
               "behind the subject. At %1: first camera %2 %, second camera %3 %. At infinity: "
               "%4 % and %5 %.")
        .arg(PlannerText::distance(behind, unit), number(p1), number(p2),
             number(backgroundBlurPercent(first, inf)), number(backgroundBlurPercent(second, inf)));
}

QList<Point> blurPoints(const QSize &size, const FocusPlanner::OptimumPlan &plan)
{
    QList<Point> points;
    if (!plan.valid || plan.stops.empty())
        return points;
    const BlurAxes axes(size, plan);
    for (const FocusPlanner::StopBlur &s : plan.stops)
        points.append({QPointF(axes.x(s.fNumber), axes.y(s.worstBlur)),
                       QCoreApplication::translate("PlannerCharts", "%1: worst blur %2 CoC")
                           .arg(PlannerText::fNumber(s.fNumber), number(s.worstBlur))});
    return points;
}

QList<Point> stackPoints(const QSize &size, const FocusPlanner::StackPlan &plan, double nearDist,
                         double farDist, PlannerText::Unit unit)
{
    QList<Point> points;
    if (plan.status != FocusPlanner::StackPlan::Status::Ok || plan.frames.empty())
        return points;
    const StackAxes axes(size, plan, nearDist, farDist);
    for (size_t i = 0; i < plan.frames.size(); ++i) {
        const FocusPlanner::Frame &f = plan.frames[i];
        points.append({QPointF(axes.x(f.focus), axes.barTop(int(i)) + axes.bar / 2),
                       QCoreApplication::translate("PlannerCharts",
                                                   "Frame %1: focused at %2, sharp from %3 to %4")
                           .arg(QString::number(i + 1), PlannerText::distance(f.focus, unit),
                                PlannerText::distance(f.nearLimit, unit),
                                PlannerText::distance(f.farLimit, unit))});
    }
    return points;
}

QList<Point> backgroundBlurPoints(const QSize &size, const BlurCamera &first,
                                  const BlurCamera &second, double behind, PlannerText::Unit unit)
{
    QList<Point> points;
    const double atInfinity = blurAtInfinity(first, second);
    if (!(std::isfinite(atInfinity) && atInfinity > 0 && behind > 0))
        return points;
    const BackgroundAxes axes(size, first, second, behind, atInfinity);
    const QString names[2] = {QCoreApplication::translate("PlannerCharts", "First camera"),
                              QCoreApplication::translate("PlannerCharts", "Second camera")};
    const BlurCamera *cameras[2] = {&first, &second};
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i <= CurveSamples; ++i) {
            const double d = axes.sample(i, CurveSamples);
            const double p = backgroundBlurPercent(*cameras[c], d);
            points.append({QPointF(axes.x(d), axes.y(p)),
                           QCoreApplication::translate(
                               "PlannerCharts", "%1: background %2 behind the subject, blur %3 % "
                                                "of the frame width")
                               .arg(names[c], PlannerText::distance(d, unit, 3), number(p))});
        }
    }
    return points;
}

QString pointNear(const QList<Point> &points, const QPointF &at, double reach)
{
    const Point *nearest = nullptr;
    double best = reach * reach;
    for (const Point &p : points) {
        const QPointF d = p.at - at;
        const double squared = d.x() * d.x() + d.y() * d.y();
        if (squared <= best) {
            best = squared;
            nearest = &p;
        }
    }
    return nearest ? nearest->text : QString();
}

} // namespace PlannerCharts
