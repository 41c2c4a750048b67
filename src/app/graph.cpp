#include "graph.h"

#include "app/mainwin.h"
#include "diagram/diagramwriter.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace
{

// Assistive tools see the diagram as a chart. graph has no meta-object of
// its own, so it is asked for under QWidget's class name.
QAccessibleInterface *diagramInterface(const QString &, QObject *object)
{
    if (auto *diagram = dynamic_cast<graph *>(object))
        return new QAccessibleWidget(diagram, QAccessible::Chart);
    return nullptr;
}

} // namespace

graph::graph()
{
    // Before anything asks for the widget's interface, or the plain one
    // would be cached for it.
    static const bool chartInterface = (QAccessible::installFactory(diagramInterface), true);
    Q_UNUSED(chartInterface);
    setAccessibleName(tr("Blur diagram"));
    // Reached with Tab, so that a screen reader reads its description as
    // any other stop; it takes no input.
    setFocusPolicy(Qt::TabFocus);
}

void graph::setMainWin(mainWin *w)
{
    win = w;
}

void graph::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawDiagram(painter);
    // Only on screen: the exported drawing never shows the focus.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    painter.end();
    updateDescription();
}

QString graph::legendDescription() const
{
    if (drawnLegends.empty())
        return tr("No camera is shown.");
    QStringList lines;
    for (const DiagramPainter::Legend &legend : drawnLegends)
        lines << tr("%1 %2; %3").arg(legend.title, legend.settings, legend.limits);
    return lines.join(QLatin1Char('\n'));
}

void graph::updateDescription()
{
    const QString description = legendDescription();
    if (description == accessibleDescription())
        return;
    // The setter hands the assistive tools a DescriptionChanged event; the
    // comparison above keeps a repaint that changes nothing from sending one.
    setAccessibleDescription(description);
}

void graph::drawDiagram(QPainter &painter)
{
    drawDiagram(painter, size());
}

void graph::drawDiagram(QPainter &painter, const QSize &size)
{
    drawnLegends = drawing.draw(painter, size, win->diagramScene());
}

bool graph::saveImage(const QString &fileName, QString *whyNot)
{
    // An exported image can always be made again: where the folder takes no
    // temporary file, it overwrites the old image in place as a plain save
    // would.
    DiagramWriter writer(
        [this](QPainter &painter, const QSize &area) { drawDiagram(painter, area); }, size());
    writer.setDirectWriteFallback(true);
    if (writer.write(fileName))
        return true;
    if (whyNot)
        *whyNot = writer.errorString();
    return false;
}
