#include "chartview.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>

ChartView::ChartView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // A point's figures follow the mouse without waiting for the tooltip.
    setMouseTracking(true);
}

void ChartView::setChart(DiagramWriter::Drawing newDrawing, const QString &newDescription,
                         Points newPoints)
{
    drawing = std::move(newDrawing);
    points = std::move(newPoints);
    description = newDescription;
    placed.clear();
    placedFor = QSize();
    setAccessibleDescription(description);
    update();
}

QString ChartView::pointAt(const QPoint &pos) const
{
    if (!points)
        return QString();
    if (placedFor != size()) {
        placed = points(size());
        placedFor = size();
    }
    return PlannerCharts::pointNear(placed, QPointF(pos), Reach);
}

bool ChartView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Over a point its figures; elsewhere what the whole chart shows, where
    // that is short enough to read in a tooltip.
    const auto *help = static_cast<QHelpEvent *>(event);
    QString text = pointAt(help->pos());
    if (text.isEmpty() && description.size() < 400)
        text = description;
    showingPoint = !text.isEmpty() && text != description;
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

bool ChartView::exportTo(const QString &fileName, QString *whyNot) const
{
    if (!drawing) {
        *whyNot = tr("There is no chart to export.");
        return false;
    }
    DiagramWriter writer(drawing, size());
    if (!writer.write(fileName)) {
        *whyNot = writer.errorString();
        return false;
    }
    return true;
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    const QString text = pointAt(event->position().toPoint());
    if (!text.isEmpty())
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    else if (showingPoint)
        QToolTip::hideText();
    showingPoint = !text.isEmpty();
    QWidget::mouseMoveEvent(event);
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (drawing)
        drawing(painter, size());
    // Where the keyboard is, for those who reach the chart's menu by it.
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight(), 2, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ChartView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    connect(menu.addAction(tr("&Export chart...")), &QAction::triggered, this,
            &ChartView::askExport);
    menu.exec(event->globalPos());
}

void ChartView::askExport()
{
    const QString name = QFileDialog::getSaveFileName(
        this, tr("Export chart"), QDir::homePath(),
        tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (name.isEmpty())
        return;
    QString whyNot;
    if (!exportTo(name, &whyNot))
        QMessageBox::warning(
            this, tr("Vorel Planner"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(name), whyNot));
}
