#ifndef CHARTVIEW_H
#define CHARTVIEW_H

#include "diagram/diagramwriter.h"

#include <QWidget>

// Shows one of the planner's charts. The drawing routine is handed in, so
// that the screen, the export and the tests share one path; the accessible
// description says in numbers what the chart shows.
class ChartView : public QWidget
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    void setChart(DiagramWriter::Drawing drawing, const QString &description);
    // Writes the chart at the view's size, as PNG, SVG or PDF by suffix; on
    // failure returns false and puts the reason into whyNot.
    bool exportTo(const QString &fileName, QString *whyNot) const;

    QSize sizeHint() const override { return QSize(480, 220); }
    QSize minimumSizeHint() const override { return QSize(240, 120); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void askExport();

    DiagramWriter::Drawing drawing;
};

#endif // CHARTVIEW_H
