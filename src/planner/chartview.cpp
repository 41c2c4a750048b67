#include "chartview.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPen>

ChartView::ChartView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setChart(DiagramWriter::Drawing newDrawing, const QString &description)
{
    drawing = std::move(newDrawing);
    setAccessibleDescription(description);
    setToolTip(description.size() < 400 ? description : QString());
    update();
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
