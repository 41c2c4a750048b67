#ifndef CHARTVIEW_H
#define CHARTVIEW_H

#include "diagram/diagramwriter.h"
#include "plannercharts.h"

#include <QWidget>

// Shows one of the planner's charts. The drawing routine is handed in, so
// that the screen, the export and the tests share one path; the accessible
// description says in numbers what the chart shows, and the mouse over a
// point shows that point's figures.
class ChartView : public QWidget
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    // points gives the chart's points at a size; none for a chart without.
    using Points = std::function<QList<PlannerCharts::Point>(const QSize &size)>;
    void setChart(DiagramWriter::Drawing drawing, const QString &description,
                  Points points = Points());
    const DiagramWriter::Drawing &chartDrawing() const { return drawing; }
    // The figures of the point under pos, in the view's coordinates; empty
    // where no point is within reach of the mouse.
    QString pointAt(const QPoint &pos) const;
    // How near the mouse must come to a point, in pixels.
    static constexpr double Reach = 8;
    // Writes the chart at the view's size, as PNG, SVG or PDF by suffix; on
    // failure returns false and puts the reason into whyNot.
    bool exportTo(const QString &fileName, QString *whyNot) const;

    QSize sizeHint() const override { return QSize(480, 220); }
    QSize minimumSizeHint() const override { return QSize(240, 120); }

protected:
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void askExport();

    DiagramWriter::Drawing drawing;
    Points points;
    QString description;
    // The points at the size they were last asked for.
    mutable QList<PlannerCharts::Point> placed;
    mutable QSize placedFor;
    bool showingPoint = false;
};

#endif // CHARTVIEW_H
